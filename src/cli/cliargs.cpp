#include "cli/cliargs.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace cli {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252 (0 where undefined).
constexpr std::array<char32_t, 32> high1252 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char tobyte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < high1252.size(); ++i) {
    if (high1252[i] == cp) return static_cast<char>(0x80 + i);
    // The undefined bytes stand for the control code of the same number.
    if (high1252[i] == 0 && cp == 0x80 + i) return static_cast<char>(cp);
  }
  return '?';
}

}  // namespace

std::string utf8tocp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                 : (lead & 0xF8) == 0xF0 ? 4
                                                         : 0;
    char32_t cp = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F
                                                                               : lead & 0x07;
    bool valid = length > 0 && i + length <= utf8.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto c = static_cast<unsigned char>(utf8[i + k]);
      valid = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms are malformed, not a second spelling of an ASCII byte.
    static constexpr std::array<char32_t, 5> least = {0, 0, 0x80, 0x800, 0x10000};
    if (valid && length > 1 && cp < least[length]) valid = false;
    if (!valid) {
      out += '?';
      ++i;
      while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
      continue;
    }
    out += tobyte(cp);
    i += length;
  }
  return out;
}

bool parsenumber(const char* text, double& value) {
  if (text == nullptr) return false;
  const char* end = text + std::strlen(text);
  if (text == end) return false;
  const auto [ptr, ec] = std::from_chars(text, end, value, std::chars_format::general);
  return ec == std::errc{} && ptr == end && std::isfinite(value);
}

int usageerror(const std::string& message, const char* usage) {
  std::fprintf(stderr, "tarnelo-cli: %s\nBruk:\n%s", message.c_str(), usage);
  return 2;
}

}  // namespace cli
