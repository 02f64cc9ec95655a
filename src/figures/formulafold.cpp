#include "formulafold.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <string_view>

#include "figures/numbers.h"

namespace formulafold {

namespace {

bool letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool digit(char c) {
  return c >= '0' && c <= '9';
}

// Checks a user format: literal text, "%%", and exactly one %f conversion
// with bounded width and precision.
bool safeformat(const std::string& f) {
  int conversions = 0;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (f[i] != '%') continue;
    ++i;
    if (i < f.size() && f[i] == '%') continue;
    while (i < f.size() &&
           (f[i] == '-' || f[i] == '+' || f[i] == ' ' || f[i] == '#' || f[i] == '0'))
      ++i;
    int width = 0;
    while (i < f.size() && digit(f[i])) width = width * 10 + (f[i++] - '0');
    if (width > 40) return false;
    if (i < f.size() && f[i] == '.') {
      ++i;
      int precision = 0;
      while (i < f.size() && digit(f[i])) precision = precision * 10 + (f[i++] - '0');
      if (precision > 20) return false;
    }
    if (i >= f.size() || f[i] != 'f') return false;
    ++conversions;
  }
  return conversions == 1 && f.size() <= 40;
}

}  // namespace

bool numeric(char c, char sep) {
  return digit(c) || c == '.' || c == sep;
}

void replaceall(std::string& s, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  std::size_t pos = 0;
  while ((pos = s.find(from, pos)) != std::string::npos) {
    s.replace(pos, from.size(), to);
    pos += to.size();
  }
}

void dropzeroterms(std::string& s, char sep) {
  // (a) a product starting with 0 goes up to the next sign at depth 0 or the
  // bracket that closes around it.
  for (std::size_t i = 0; i + 1 < s.size();) {
    if (s[i] == '0' && s[i + 1] == '*' && (i == 0 || !numeric(s[i - 1], sep))) {
      std::size_t j = i;
      int depth = 0;
      for (; j < s.size(); ++j) {
        const char c = s[j];
        if (c == '(') {
          ++depth;
        } else if (c == ')') {
          if (depth == 0) break;
          --depth;
        } else if ((c == '+' || c == '-') && depth == 0) {
          break;
        }
      }
      s.erase(i, j - i);
    } else {
      ++i;
    }
  }
  // (b) a product ending in *0 goes back to and including the previous sign
  // at depth 0, or to the bracket that opens around it, or to the start.
  for (std::size_t i = 0; i + 1 < s.size();) {
    if (s[i] == '*' && s[i + 1] == '0' && (i + 2 >= s.size() || !numeric(s[i + 2], sep))) {
      std::size_t start = 0;
      int depth = 0;
      for (std::size_t k = i; k-- > 0;) {
        const char c = s[k];
        if (c == ')') {
          ++depth;
        } else if (c == '(') {
          if (depth == 0) {
            start = k + 1;
            break;
          }
          --depth;
        } else if ((c == '+' || c == '-') && depth == 0) {
          start = k;
          break;
        }
      }
      s.erase(start, i + 2 - start);
      i = start;
    } else {
      ++i;
    }
  }
  // (c) "+0" and "-0" that are not the start of a longer number.
  for (std::size_t i = 0; i + 1 < s.size();) {
    if ((s[i] == '+' || s[i] == '-') && s[i + 1] == '0' &&
        (i + 2 >= s.size() || !numeric(s[i + 2], sep)))
      s.erase(i, 2);
    else
      ++i;
  }
  // (d) a lone 0 before a sign: "0+" goes, of "0-" only the 0.
  for (std::size_t i = 0; i + 1 < s.size();) {
    if (s[i] == '0' && (s[i + 1] == '+' || s[i + 1] == '-') && (i == 0 || !numeric(s[i - 1], sep)))
      s.erase(i, s[i + 1] == '+' ? 2 : 1);
    else
      ++i;
  }
}

void foldsigns(std::string& s) {
  // Where three signs meet one pass would leave a pair; fold until none is left.
  for (;;) {
    const std::size_t before = s.size();
    replaceall(s, "++", "+");
    replaceall(s, "(+", "(");
    replaceall(s, "--", "+");
    replaceall(s, "+-", "-");
    if (s.size() == before) return;
  }
}

void emptyfunctions(std::string& s, char sep) {
  char halfpi[16];
  std::snprintf(halfpi, sizeof halfpi, "%.2f", 1.5707963267948966);
  for (char* p = halfpi; *p; ++p)
    if (*p == '.') *p = sep;
  struct rule {
    std::string_view name;
    std::string_view by;
  };
  const std::array<rule, 19> rules{{
      {"abs", "0"},
      {"arctan", "0"},
      {"frac", "0"},
      {"int", "0"},
      {"invsin", "0"},
      {"round", "0"},
      {"sign", "0"},
      {"sin", "0"},
      {"sqr", "0"},
      {"sqrt", "0"},
      {"tan", "0"},
      {"tg", "0"},
      {"cos", "1"},
      {"exp", "1"},
      {"fak", "1"},
      {"invcos", halfpi},
      {"ln", "udefinert"},
      {"log", "udefinert"},
      {"random", "random(0)"},
  }};
  for (const rule& r : rules) {
    const std::string call = std::string(r.name) + "()";
    std::size_t pos = 0;
    while ((pos = s.find(call, pos)) != std::string::npos) {
      // Only a whole name: "invsin()" is no "sin()".
      if (pos > 0 && letter(s[pos - 1])) {
        pos += call.size();
        continue;
      }
      s.replace(pos, call.size(), r.by);
      pos += r.by.size();
    }
  }
}

void dropfactorone(std::string& s, char sep) {
  for (std::size_t i = 0; i + 1 < s.size();) {
    if (s[i] == '1' && s[i + 1] == '*' && (i == 0 || !numeric(s[i - 1], sep)))
      s.erase(i, 2);
    else
      ++i;
  }
  for (std::size_t i = 0; i + 1 < s.size();) {
    if (s[i] == '*' && s[i + 1] == '1' && (i + 2 >= s.size() || !numeric(s[i + 2], sep)))
      s.erase(i, 2);
    else
      ++i;
  }
  while (!s.empty() && (s.back() == '*' || s.back() == '+' || s.back() == '-' || s.back() == '/'))
    s.pop_back();
  if (!s.empty() && s.front() == '+') s.erase(0, 1);
  if (s.empty()) s = "0";
}

std::string valuetext(double v, const std::string& format, char sep) {
  const std::string& f = safeformat(format) ? format : std::string("%.2f");
  char buf[512];
  std::snprintf(buf, sizeof buf, f.c_str(), v);
  std::string t = buf;
  if (t.find('.') != std::string::npos) {
    while (!t.empty() && t.back() == '0') t.pop_back();
    if (!t.empty() && t.back() == '.') t.pop_back();
  }
  if (t.size() > 30) t.resize(30);
  // -0.001 shows as "-0": a zero keeps no sign (else "-0*x+5" folds to "-+5").
  dropnegativezero(t);
  // The value in the user's own notation; the folding steps take sep as a
  // decimal mark.
  for (char& c : t)
    if (c == '.') c = sep;
  return t;
}

}  // namespace formulafold
