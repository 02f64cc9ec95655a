#include "codecs/tinicodec.h"

#include <array>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <utility>

#include "codecs/ttextlines.h"

namespace {

constexpr std::array<std::string_view, 4> sectionnames{"coordinate system", "colors", "constants",
                                                       "names"};

constexpr std::array<std::string_view, inikey::count> keynames{
    "Min X",      "Max X",      "Min Y",      "Max Y",        "foreground color",
    "background color",         "grid color", "interval step", "grid step",
    "Active",     "Passive",    "FrzActive",  "FrzPassive",
    "MinA",       "MaxA",       "StepA",      "IntervalA",    "DirectionA",
    "MinB",       "MaxB",       "StepB",      "IntervalB",    "DirectionB",
    "MinC",       "MaxC",       "StepC",      "IntervalC",    "DirectionC",
    "MinD",       "MaxD",       "StepD",      "IntervalD",    "DirectionD",
    "MinE",       "MaxE",       "StepE",      "IntervalE",    "DirectionE",
    "Always Round",             "FuncName",   "NameA",        "NameB",
    "NameC",      "NameD",      "NameE"};

constexpr char paramletter[] = "ABCDE";

bool isblank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view trimleft(std::string_view s) {
  while (!s.empty() && isblank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view trimright(std::string_view s) {
  while (!s.empty() && isblank(s.back())) s.remove_suffix(1);
  return s;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names compare without regard to ASCII case, as the original files mix "Min x" and "Min X".
bool sametext(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

int32_t sectionofkey(int32_t key) {
  if (key <= 9) return 1;
  if (key <= 13) return 2;
  if (key <= inikey::alwaysround) return 3;
  return 4;
}

// The coordinate system draws no window with an end beyond this; a new graph
// window could not be set up from it.
constexpr float maxcoordinate = 700.0f;

bool validcolour(int32_t i) { return i >= 0 && i < static_cast<int32_t>(palette.size()); }

bool distinct(const std::array<char, 5>& n) {
  for (std::size_t i = 0; i < n.size(); ++i)
    for (std::size_t j = i + 1; j < n.size(); ++j)
      if (n[i] == n[j]) return false;
  return true;
}

// A line must never break the file apart: line ends in a typed text become blanks.
std::string oneline(std::string s) {
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

}  // namespace

namespace codecs {

bool parseinifloat(std::string_view text, float& out) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return false;
  std::string t(text);
  bool seen = false;
  for (char& c : t) {
    if (c == ',' || c == '.') {
      if (seen) return false;
      seen = true;
      c = '.';
    } else if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == 'E')) {
      return false;  // also keeps out "inf", "nan" and hexadecimal forms
    }
  }
  double v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size()) return false;
  if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) return false;
  out = static_cast<float>(v);
  return true;
}

bool parseiniint(std::string_view text, int32_t& out) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return false;
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  out = v;
  return true;
}

std::string formatinifloat(float v, char decimalsep) {
  std::array<char, 128> buf{};
  auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, 2);
  std::string s(buf.data(), r.ptr);
  float back = 0;
  if (!parseinifloat(s, back) || back != v) {
    r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed);
    s.assign(buf.data(), r.ptr);
  }
  for (char& c : s)
    if (c == '.') c = decimalsep;
  return s;
}

}  // namespace codecs

std::string inierrortext(const tinireadresult& r) {
  switch (r.error) {
    case inierror::none:
      return {};
    case inierror::missing:
    case inierror::damaged:
      return "Error Reading Qv.Ini";
    case inierror::badvalue:
      return "'" + r.value + "' er ikke en gyldig verdi (QV.INI, linje " + std::to_string(r.line) +
             ").";
    case inierror::duplicatenames:
      return "Kan ikke ha to parameter med samme navn.";
  }
  return {};
}

void tinicodec::setlines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  current_ = 0;
  state_ = inistate::unknown;
  index_ = 0;
  value_.clear();
  loaded_ = false;
}

void tinicodec::parseline() {
  const auto n = static_cast<int32_t>(lines_.size());
  if (current_ >= n) {
    ++current_;
    return;
  }
  std::string& line = lines_[static_cast<std::size_t>(current_++)];
  line = std::string(trimright(trimleft(line)));
  state_ = inistate::unknown;
  index_ = 0;
  if (line.empty()) return;
  if (line.front() == '[') {
    const std::string_view name =
        line.size() >= 2 ? std::string_view(line).substr(1, line.size() - 2) : std::string_view();
    for (std::size_t i = 0; i < sectionnames.size(); ++i)
      if (sametext(name, sectionnames[i])) {
        state_ = inistate::section;
        index_ = static_cast<int32_t>(i) + 1;
      }
    return;
  }
  const auto eq = line.find('=');
  if (eq == std::string::npos) return;
  const std::string_view key = trimright(std::string_view(line).substr(0, eq));
  for (std::size_t i = 0; i < keynames.size(); ++i)
    if (sametext(key, keynames[i])) {
      state_ = inistate::key;
      index_ = static_cast<int32_t>(i) + 1;
      value_ = std::string(trimleft(std::string_view(line).substr(eq + 1)));
      return;
    }
}

bool tinicodec::apply(tsettings& s) const {
  const int32_t k = index_;
  const std::string& v = value_;
  auto colour = [&v](int32_t& field) {
    int32_t i = 0;
    if (!codecs::parseiniint(v, i) || !validcolour(i)) return false;
    field = i;
    return true;
  };
  // The coordinate fields keep their text as typed, but only a number the
  // coordinate system can draw can be an end of the window.
  auto coordinate = [&v](std::string& field) {
    float f = 0;
    if (!codecs::parseinifloat(v, f) || std::fabs(f) > maxcoordinate) return false;
    field = v;
    return true;
  };
  switch (k) {
    case 1:
      return coordinate(s.minx);
    case 2:
      return coordinate(s.maxx);
    case 3:
      return coordinate(s.miny);
    case 4:
      return coordinate(s.maxy);
    case 5: return colour(s.foreground);
    case 6: return colour(s.background);
    case 7: return colour(s.grid);
    case 8: s.gridstep = v; return true;
    case 9: s.intstep = v; return true;
    case 10: return colour(s.active);
    case 11: return colour(s.passive);
    case 12: return colour(s.frzactive);
    case 13: return colour(s.frzpassive);
    case inikey::alwaysround: s.params.alwaysround = (v == "1"); return true;
    case inikey::funcname: {
      int32_t i = 0;
      if (!codecs::parseiniint(v, i) || i < 0 || i >= static_cast<int32_t>(funcnameprefixes.size()))
        return false;
      s.params.funcname = i;
      return true;
    }
    default: break;
  }
  if (k >= inikey::namea && k <= inikey::count) {
    if (!v.empty()) s.params.names[static_cast<std::size_t>(k - inikey::namea)] = v.front();
    return true;
  }
  if (k >= inikey::mina && k < inikey::alwaysround) {
    const auto p = static_cast<std::size_t>((k - inikey::mina) / 5);
    const int32_t field = (k - inikey::mina) % 5;
    if (field == 4) {
      int32_t d = 0;
      // The spin buttons multiply by the direction: anything but -1 or 1 would stall or race them.
      if (!codecs::parseiniint(v, d) || (d != -1 && d != 1)) return false;
      s.params.direction[p] = d;
      return true;
    }
    float f = 0;
    if (!codecs::parseinifloat(v, f)) return false;
    // A step of 0 would make the spin buttons do nothing.
    if (field == 2 && !(f > 0)) return false;
    std::array<std::array<float, 5>*, 4> fields{&s.params.min, &s.params.max, &s.params.step,
                                               &s.params.interval};
    (*fields[static_cast<std::size_t>(field)])[p] = f;
    return true;
  }
  return false;
}

namespace {

// The seven pairs of keys that give the two ends of a range: the coordinate
// window's x and y, and each parameter's Min and Max.
struct inipair {
  int32_t lo, hi;  // key numbers
};
constexpr std::array<inipair, 7> rangepairs{{{1, 2},
                                             {3, 4},
                                             {inikey::mina, inikey::mina + 1},
                                             {inikey::mina + 5, inikey::mina + 6},
                                             {inikey::mina + 10, inikey::mina + 11},
                                             {inikey::mina + 15, inikey::mina + 16},
                                             {inikey::mina + 20, inikey::mina + 21}}};

// The two ends of pair i as numbers.
std::pair<float, float> rangeends(const tsettings& s, std::size_t i) {
  if (i < 2) {
    float lo = 0, hi = 0;
    const bool ok = i == 0 ? codecs::parseinifloat(s.minx, lo) && codecs::parseinifloat(s.maxx, hi)
                           : codecs::parseinifloat(s.miny, lo) && codecs::parseinifloat(s.maxy, hi);
    // Ends that are no numbers are no range either (the defaults always are).
    if (!ok) return {0, 0};
    return {lo, hi};
  }
  return {s.params.min[i - 2], s.params.max[i - 2]};
}

// Puts pair i back as it was in `from`.
// The line (1-based) and value of one end of a range read so far. (Declared
// here rather than in the reader: clang 14 crashes on it as a local class.)
struct seenend {
  int32_t line = 0;
  std::string value;
};

void restorerange(tsettings& s, const tsettings& from, std::size_t i) {
  if (i == 0) {
    s.minx = from.minx;
    s.maxx = from.maxx;
  } else if (i == 1) {
    s.miny = from.miny;
    s.maxy = from.maxy;
  } else {
    s.params.min[i - 2] = from.params.min[i - 2];
    s.params.max[i - 2] = from.params.max[i - 2];
  }
}

}  // namespace

tinireadresult tinicodec::reading(tsettings& s) {
  tinireadresult r;
  const auto n = static_cast<int32_t>(lines_.size());
  const std::array<char, 5> oldnames = s.params.names;
  const tsettings before = s;
  std::array<std::array<seenend, 2>, rangepairs.size()> seen{};
  current_ = 0;
  loaded_ = false;
  // A range whose ends are the wrong way round is refused as a whole, so the
  // window or parameter keeps the ends it had; the line that made it so is
  // the one reported.
  auto badrange = [&](std::size_t i, const seenend& at) {
    restorerange(s, before, i);
    if (r.error != inierror::none) return;
    r.error = inierror::badvalue;
    r.line = at.line;
    r.value = at.value.substr(0, 40);
  };
  auto finish = [&]() {
    for (std::size_t i = 0; i < rangepairs.size(); ++i) {
      if (seen[i][0].line == 0 && seen[i][1].line == 0) continue;
      const auto [lo, hi] = rangeends(s, i);
      if (lo < hi) continue;
      badrange(i, seen[i][0].line > seen[i][1].line ? seen[i][0] : seen[i][1]);
    }
    if (!distinct(s.params.names)) {
      s.params.names = oldnames;
      if (r.error == inierror::none) r.error = inierror::duplicatenames;
    }
    loaded_ = r.error == inierror::none && n > 0;
    r.loaded = loaded_;
    return r;
  };
  if (n == 0) return finish();

  parseline();
  while (state_ == inistate::section && current_ < n) {
    const int32_t section = index_;
    parseline();
    while (state_ == inistate::key) {
      if (sectionofkey(index_) == section) {
        if (!apply(s)) {
          r.error = inierror::badvalue;
          r.line = current_;
          r.value = value_.substr(0, 40);
          return finish();
        }
        for (std::size_t i = 0; i < rangepairs.size(); ++i) {
          const int end = index_ == rangepairs[i].lo ? 0 : index_ == rangepairs[i].hi ? 1 : -1;
          if (end < 0) continue;
          seen[i][static_cast<std::size_t>(end)] = {current_, value_};
          // With both ends read the range is judged at once; an end whose
          // partner is still to come is judged when reading is over.
          const auto [lo, hi] = rangeends(s, i);
          if (seen[i][1 - static_cast<std::size_t>(end)].line != 0 && !(lo < hi)) {
            badrange(i, seen[i][static_cast<std::size_t>(end)]);
            return finish();
          }
        }
      }
      if (current_ >= n) break;
      parseline();
    }
  }
  if (current_ < n) {
    r.error = inierror::damaged;
    r.line = current_;
  }
  return finish();
}

void tinicodec::writing(const tsettings& s, char decimalsep) {
  std::vector<std::string> l;
  l.reserve(49);
  auto num = [](int32_t i) { return std::to_string(i); };
  l.emplace_back("[Coordinate system]");
  l.push_back("Min x=" + oneline(s.minx));
  l.push_back("Max x=" + oneline(s.maxx));
  l.push_back("Min y=" + oneline(s.miny));
  l.push_back("Max y=" + oneline(s.maxy));
  l.push_back("foreground color=" + num(s.foreground));
  l.push_back("background color=" + num(s.background));
  l.push_back("grid color=" + num(s.grid));
  l.push_back("interval step=" + oneline(s.gridstep));
  l.push_back("grid step=" + oneline(s.intstep));
  l.emplace_back("[Colors]");
  l.push_back("Active=" + num(s.active));
  l.push_back("Passive=" + num(s.passive));
  l.push_back("FrzActive=" + num(s.frzactive));
  l.push_back("FrzPassive=" + num(s.frzpassive));
  l.emplace_back("[Constants]");
  const tparamconst& p = s.params;
  for (std::size_t i = 0; i < 5; ++i) {
    const std::string c(1, paramletter[i]);
    l.push_back("Min" + c + "=" + codecs::formatinifloat(p.min[i], decimalsep));
    l.push_back("Max" + c + "=" + codecs::formatinifloat(p.max[i], decimalsep));
    l.push_back("Step" + c + "=" + codecs::formatinifloat(p.step[i], decimalsep));
    l.push_back("Interval" + c + "=" + codecs::formatinifloat(p.interval[i], decimalsep));
    l.push_back("Direction" + c + "=" + num(p.direction[i]));
  }
  l.push_back("Always Round=" + num(p.alwaysround ? 1 : 0));
  l.emplace_back("[Names]");
  l.push_back("FuncName=" + num(p.funcname));
  for (std::size_t i = 0; i < 5; ++i)
    l.push_back(std::string("Name") + paramletter[i] + "=" + std::string(1, p.names[i]));
  setlines(std::move(l));
}

std::string tinicodec::text() const { return codecs::joinlines(lines_); }
