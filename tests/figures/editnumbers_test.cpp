// Numbers typed by the user.
#include "figures/editnumbers.h"

#include <gtest/gtest.h>

namespace {

TEST(edittofloat, readsbothdecimalmarks) {
  struct row {
    const char* text;
    char separator;
    std::optional<float> expected;
  };
  const row rows[] = {
      {"2,5", ',', 2.5f},
      {"2.5", ',', 2.5f},
      {"2.5", '.', 2.5f},
      {"2,5", '.', 2.5f},
      {".5", ',', 0.5f},
      {"-.5", ',', -0.5f},
      {"", ',', 0.0f},
      {"abc", ',', 0.0f},
      {"  7", ',', 7.0f},
      {"-3", ',', -3.0f},
      {"1e3", ',', 1000.0f},
      {"0", ',', 0.0f},
      {"-", ',', 0.0f},
      {" ", ',', 0.0f},
      {"2abc", ',', std::nullopt},
      {"2,5,5", ',', std::nullopt},
      {"1e99", ',', std::nullopt},
      {"2,5 ", ',', 2.5f},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(edittofloat(r.text, r.separator), r.expected);
  }
}

TEST(edittofloat, notanumbermessagenamesthetext) {
  EXPECT_EQ(notanumbermessage("2,5,5"), "'2,5,5' er ikke et gyldig tall.");
}

}  // namespace
