#include "figures/editnumbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isblank(char c) {
  return c == ' ' || c == '\t';
}
bool isdigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads an integer as the old Val routine does: leading blanks, an optional
// sign, digits. Returns whether the integer is zero and the 1-based position of
// the first character that is not part of it (0 when the whole text is one).
struct intscan {
  bool zero = true;
  size_t stop = 0;
};

intscan scanint(std::string_view t) {
  intscan r;
  size_t i = 0;
  while (i < t.size() && isblank(t[i])) ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  const size_t digitsfrom = i;
  while (i < t.size() && isdigit(t[i])) {
    if (t[i] != '0') r.zero = false;
    ++i;
  }
  if (i == t.size() && i > digitsfrom) return r;
  r.stop = i + 1;
  return r;
}

}  // namespace

std::optional<float> texttofloat(std::string_view text, char decimalseparator) {
  size_t b = 0;
  size_t e = text.size();
  while (b < e && isblank(text[b])) ++b;
  while (e > b && isblank(text[e - 1])) --e;
  std::string s;
  bool digits = false;
  bool point = false;
  bool exponent = false;
  for (size_t i = b; i < e; ++i) {
    const char c = text[i];
    if (isdigit(c)) {
      digits = true;
      s += c;
    } else if ((c == '+' || c == '-') && (i == b || (exponent && (s.back() == 'e')))) {
      s += c;
    } else if (c == decimalseparator && !point && !exponent) {
      point = true;
      s += '.';
    } else if ((c == 'e' || c == 'E') && digits && !exponent) {
      exponent = true;
      s += 'e';
    } else {
      return std::nullopt;
    }
  }
  if (!digits || s.back() == 'e' || s.back() == '+' || s.back() == '-') return std::nullopt;
  double v = 0;
  const char* first = s.data();
  if (*first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(v);
}

std::optional<float> edittofloat(std::string_view text, char decimalseparator) {
  if (text.empty()) return 0.0f;
  std::string t(text);
  const intscan n = scanint(t);
  if (n.stop > 0 && n.stop <= t.size() && (t[n.stop - 1] == ',' || t[n.stop - 1] == '.'))
    t[n.stop - 1] = decimalseparator;
  if (n.zero && n.stop > 0 && (n.stop > t.size() || t[n.stop - 1] != decimalseparator)) return 0.0f;
  return texttofloat(t, decimalseparator);
}

std::optional<float> typedfloat(std::string_view text, char decimalseparator) {
  std::string t(text);
  // Either mark is the decimal separator; a second one makes it no number.
  for (char& c : t) {
    if (c == ',' || c == '.') {
      c = decimalseparator;
      break;
    }
  }
  return texttofloat(t, decimalseparator);
}

std::string notanumbermessage(std::string_view text) {
  return "'" + std::string(text) + "' er ikke et gyldig tall.";
}
