// QV.INI lines <-> settings record. The file is line oriented: "[section]"
// headers and "key=value" lines; reading stops at the first line it does not
// recognise. No file access here: the caller loads and saves the lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/tsettings.h"

enum class inierror {
  none,
  missing,         // no settings file: "Error Reading Qv.Ini"
  damaged,         // an unrecognised line with lines after it: "Error Reading Qv.Ini"
  badvalue,        // a value the setting cannot hold; reading ended there
  duplicatenames,  // two parameters would share a letter; the letters were kept
};

struct tinireadresult {
  inierror error = inierror::none;
  int32_t line = 0;   // 1-based line where reading stopped on an error, 0 if none
  std::string value;  // the offending value text for badvalue (at most 40 bytes)
  bool loaded = false;
};

// The message the user sees for a read result ("" when there is nothing to say).
std::string inierrortext(const tinireadresult& r);

// Line parser states.
namespace inistate {
inline constexpr int32_t section = 0;
inline constexpr int32_t key = 1;
inline constexpr int32_t unknown = 2;
}  // namespace inistate

// Section numbers 1..4 and key numbers 1..45, as the parser's `index` reports them.
namespace inikey {
inline constexpr int32_t minx = 1;
inline constexpr int32_t gridstep = 9;
inline constexpr int32_t active = 10;
inline constexpr int32_t mina = 14;  // 14 + 5*(p-1) + k, k = 0 Min 1 Max 2 Step 3 Interval 4 Direction
inline constexpr int32_t alwaysround = 39;
inline constexpr int32_t funcname = 40;
inline constexpr int32_t namea = 41;
inline constexpr int32_t count = 45;
}  // namespace inikey

class tinicodec {
 public:
  // The lines to read, e.g. codecs::splitlines of the file's bytes.
  void setlines(std::vector<std::string> lines);
  const std::vector<std::string>& lines() const { return lines_; }

  // Parse the line at `current` and advance by one.
  void parseline();
  int32_t current() const { return current_; }
  int32_t state() const { return state_; }
  int32_t index() const { return index_; }
  const std::string& value() const { return value_; }
  bool loaded() const { return loaded_; }

  // Apply the lines to `s`. Values applied before an error stay applied; only
  // the parameter letters are put back when they would clash.
  tinireadresult reading(tsettings& s);

  // Rebuild the 49 lines from `s`; numbers use `decimalsep`.
  void writing(const tsettings& s, char decimalsep);
  // The lines as file bytes, each ended by CR LF.
  std::string text() const;

 private:
  bool apply(tsettings& s) const;

  std::vector<std::string> lines_;
  int32_t current_ = 0;
  int32_t state_ = inistate::unknown;
  int32_t index_ = 0;
  std::string value_;
  bool loaded_ = false;
};

namespace codecs {
// A number as the settings file holds it: "," or "." as decimal mark, an
// optional sign and exponent, finite and within float range.
bool parseinifloat(std::string_view text, float& out);
// A decimal integer with an optional sign, within int32 range.
bool parseiniint(std::string_view text, int32_t& out);
// Two decimals when they read back to the same float, otherwise as many as it
// takes, so a step like 0.005 survives a save.
std::string formatinifloat(float v, char decimalsep);
}  // namespace codecs
