// Rounding to a step in 4-byte floats and values written for the user.
#include "figures/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(roundtostep, nearestmultiplehalftowardzero) {
  struct row {
    float value;
    float step;
    float expected;
  };
  const row rows[] = {
      {0.26f, 0.1f, 0.3f},     {0.8f, 0.5f, 1.0f},    {0.75f, 0.5f, 0.5f},
      {-0.75f, 0.5f, -0.5f},   {2.37f, 0.5f, 2.5f},   {-2.37f, 0.5f, -2.5f},
      {5.0f, 1.0f, 5.0f},      {1.3f, 0.0f, 1.3f},    {1.5f, 1.0f, 1.0f},
      {2.5f, 1.0f, 2.0f},      {3.5f, 1.0f, 3.0f},    {-3.5f, 1.0f, -3.0f},
      {3.5e-6f, 1e-6f, 3e-6f}, {0.005f, 0.01f, 0.0f}, {-0.015f, 0.01f, -0.01f},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.value);
    EXPECT_FLOAT_EQ(roundtostep(r.value, r.step), r.expected);
  }
  EXPECT_TRUE(std::isnan(roundtostep(std::numeric_limits<float>::quiet_NaN(), 0.5f)));
  EXPECT_EQ(roundtostep(3e38f, 1e-30f), 3e38f);
}

TEST(fixedtext, zeroneverkeepsaminus) {
  struct row {
    double value;
    const char* format;
    char separator;
    const char* expected;
  };
  const row rows[] = {
      {-0.001, "%.2f", ',', "0,00"},    {-0.0, "%.2f", '.', "0.00"},
      {-0.004999, "%.2f", ',', "0,00"}, {-0.005001, "%.2f", ',', "-0,01"},
      {-100, "%.2f", ',', "-100,00"},   {-1e-9, "%f", '.', "0.000000"},
      {2.5, "%.3f", ',', "2,500"},      {-10.0, "%.0f", ',', "-10"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.value);
    EXPECT_EQ(fixedtext(r.value, r.format, r.separator), r.expected);
  }
}

}  // namespace
