// The options: the settings record (coordinate window texts, colours, the
// parameter constants `tparamconst`) and the settings file it is read from at
// creation. The dialog that edits them is built on top of this later.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "codecs/tsettings.h"
#include "figures/tcoordshost.h"
#include "platform/services.h"

class tinifile;

class toptions {
 public:
  // Reads the settings file: inipath when given, else "QV.INI" (any case of
  // the name) in the working directory. A missing or damaged file shows
  // "Error Reading Qv.Ini" through services and keeps the defaults.
  toptions(platform::services& services, std::string inipath = {});
  ~toptions();
  toptions(const toptions&) = delete;
  toptions& operator=(const toptions&) = delete;

  tsettings settings;

  const tparamconst& paramconst() const { return settings.params; }
  tparamconst& paramconst() { return settings.params; }
  bool showgrid = true;   // "Rutenett"
  bool showticks = true;  // "Akseenhet"

  // The four coordinate fields as numbers (single precision, as the dialog
  // stores them). A field that is not a number reads as its default.
  float minx() const;
  float maxx() const;
  float miny() const;
  float maxy() const;

  // What a coordinate system copies in readoptions.
  tcoordsoptions coordsoptions() const;
  platform::colour backgroundcolour() const;

  // "F(x) =" ... "Y =", from the FuncName choice.
  std::string funcname() const;

  bool loaded() const { return loaded_; }
  const std::string& inipath() const { return inipath_; }

 private:
  float field(const std::string& text, float fallback) const;

  platform::services& services_;
  std::string inipath_;
  bool loaded_ = false;
  bool keep_ = false;  // a damaged file that is not to be rewritten at the end
  std::unique_ptr<tinifile> ini_;
};

// A colour index of the settings as a colour; indexes outside 0..15 read as black.
platform::colour palettecolour(int index);
