// Numbers typed by the user, and rounding to a step.
#include "shell/editnumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(roundtostep, nearestmultiplehalftowardzero) {
  struct row {
    float value;
    float step;
    float expected;
  };
  const row rows[] = {
      {0.26f, 0.1f, 0.3f}, {0.8f, 0.5f, 1.0f},    {0.75f, 0.5f, 0.5f}, {-0.75f, 0.5f, -0.5f},
      {2.37f, 0.5f, 2.5f}, {-2.37f, 0.5f, -2.5f}, {5.0f, 1.0f, 5.0f},  {1.3f, 0.0f, 1.3f},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.value);
    EXPECT_FLOAT_EQ(roundtostep(r.value, r.step), r.expected);
  }
  EXPECT_TRUE(std::isnan(roundtostep(std::numeric_limits<float>::quiet_NaN(), 0.5f)));
  EXPECT_EQ(roundtostep(3e38f, 1e-30f), 3e38f);
}

}  // namespace
