#include "platform/qt/cp1252.h"

#include <array>

namespace platform {

namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

char16_t fromcp(unsigned char c) {
  return c >= 0x80 && c < 0xA0 ? high[c - 0x80] : static_cast<char16_t>(c);
}

}  // namespace

QString tounicode(std::string_view text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (char c : text) out.append(QChar(fromcp(static_cast<unsigned char>(c))));
  return out;
}

std::string tocp1252(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar qc : text) {
    if (qc.isLowSurrogate()) continue;  // one "?" per character, not per half
    const char16_t u = qc.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    char b = '?';
    for (size_t i = 0; i < high.size(); ++i)
      if (high[i] == u) {
        b = static_cast<char>(0x80 + i);
        break;
      }
    out.push_back(b);
  }
  return out;
}

bool incp1252(const QString& text) {
  return tounicode(tocp1252(text)) == text;
}

}  // namespace platform
