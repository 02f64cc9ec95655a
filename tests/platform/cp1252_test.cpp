#include "platform/qt/cp1252.h"

#include <gtest/gtest.h>

#include <string>

using platform::tocp1252;
using platform::tounicode;

TEST(cp1252, every_byte_survives_a_round_trip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const QString u = tounicode(all);
  ASSERT_EQ(u.size(), 256);
  EXPECT_EQ(tocp1252(u), all);
}

TEST(cp1252, characters_of_the_code_page) {
  struct row {
    const char* name;
    unsigned char byte;
    char16_t unicode;
  };
  const row rows[] = {
      {"euro", 0x80, 0x20AC},    {"undefined 81", 0x81, 0x0081}, {"ellipsis", 0x85, 0x2026},
      {"S caron", 0x8A, 0x0160}, {"en dash", 0x96, 0x2013},      {"Y diaeresis", 0x9F, 0x0178},
      {"ae", 0xE6, 0x00E6},      {"o slash", 0xF8, 0x00F8},      {"a ring", 0xE5, 0x00E5},
      {"AE", 0xC6, 0x00C6},      {"yen", 0xA5, 0x00A5},          {"nbsp", 0xA0, 0x00A0},
  };
  for (const auto& r : rows) {
    const std::string b(1, static_cast<char>(r.byte));
    const QString u = tounicode(b);
    ASSERT_EQ(u.size(), 1) << r.name;
    EXPECT_EQ(u.at(0).unicode(), r.unicode) << r.name;
    EXPECT_EQ(tocp1252(QString(QChar(r.unicode))), b) << r.name;
  }
}

TEST(cp1252, foreign_characters_become_question_marks) {
  EXPECT_EQ(tocp1252(QString::fromUtf8("Skjæringspunkt ∞ α")), "Skj\xE6ringspunkt ? ?");
  EXPECT_EQ(tocp1252(QString::fromUtf8("a\xF0\x9F\x98\x80z")), "a?z");  // one per character
  EXPECT_EQ(tocp1252(QString()), "");
  EXPECT_TRUE(tounicode("").isEmpty());
}
