// Reads and writes the program's files: projects (.QVP, the list of window
// files), graph windows (.QVW) and single graphs (.QVS). Every file is opened,
// used and closed within one call; every save goes through a temporary file
// that replaces the old one only when it is complete, so a failed save never
// destroys what was saved before.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codecs/tqvcodec.h"
#include "codecs/tqvfilename.h"

class tmainform;
class tgrform;
class tfigure;

class tiofile {
 public:
  // No file of the program comes near these; anything larger is refused
  // before it is read.
  static constexpr int64_t maxfilesize = 16 << 20;
  static constexpr std::size_t maxprojectwindows = 100;
  // Line numbers and formulas one message lists at most.
  static constexpr std::size_t maxlisted = 10;

  explicit tiofile(tmainform& main);

  // Opens a project by its extension, anything else by its header. copy: the
  // user asked for a copy of a window whose file is open already, so the new
  // window names no file. Problems are reported in one message box at the
  // end, however many lines or figures they concern; what was read before a
  // problem stays.
  void open(const std::string& name, bool copy);

  // Saves the active window, its first selected figure or the whole project.
  // False when nothing was saved (wrong extension, nothing selected, a file
  // that could not be written); the user has been told why.
  bool save(const std::string& name, qvkind kind);

  // The figure made by the last figure record read.
  tfigure* lastfigure() const { return lastfigure_; }

 private:
  void openfile(const std::string& name, bool copy);
  bool readfile(const std::string& name, std::string& bytes);
  bool writefile(const std::string& name, const std::string& bytes);
  // False when the project file could not be read; nothing was closed then.
  bool openproject(const std::string& name);
  tgrform* createwindow();
  // Puts a decoded window file into w; false when the header was refused.
  bool loadwindow(tgrform& w, const tqvdecoded& d, const std::string& name, bool copy);
  tfigure* loadfigure(tgrform& w, const tfigurerecord& r);
  bool writewindow(tgrform& w, const std::string& name);
  bool saveproject(const std::string& name);
  // Shows text, or while a file is being opened, keeps it for the one
  // message at the end.
  void tell(const std::string& text, bool warning);
  // What the last open has to say about formulas that could not be read.
  std::string badformulatext() const;
  // Says why a file is not loaded at all; false when it may be.
  bool refused(const tqvdecoded& d);

  tmainform& main_;
  tfigure* lastfigure_ = nullptr;
  // While open runs: the problems found so far, whether one of them is an
  // error rather than a warning, and the formulas that did not parse.
  bool opening_ = false;
  std::vector<std::string> problems_;
  bool problemerror_ = false;
  std::vector<std::string> badformulas_;  // the first few, each once
  std::size_t badformulacount_ = 0;       // figures whose formula did not parse
};
