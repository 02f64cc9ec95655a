#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "expr/real48.h"

namespace {

using bytes6 = std::array<uint8_t, 6>;

struct bytecase {
  const char* name;
  double value;
  bytes6 bytes;
};

class real48bytes : public ::testing::TestWithParam<bytecase> {};

TEST_P(real48bytes, encode_and_decode) {
  const auto& c = GetParam();
  EXPECT_EQ(real48::fromdouble(c.value).bytes, c.bytes);
  EXPECT_EQ(real48{c.bytes}.todouble(), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    values, real48bytes,
    ::testing::Values(bytecase{"one", 1.0, {0x81, 0, 0, 0, 0, 0}},
                      bytecase{"zero", 0.0, {0, 0, 0, 0, 0, 0}},
                      bytecase{"minus_one", -1.0, {0x81, 0, 0, 0, 0, 0x80}},
                      bytecase{"two", 2.0, {0x82, 0, 0, 0, 0, 0}},
                      bytecase{"one_half", 0.5, {0x80, 0, 0, 0, 0, 0}},
                      bytecase{"ten", 10.0, {0x84, 0, 0, 0, 0, 0x20}},
                      bytecase{"minus_three", -3.0, {0x82, 0, 0, 0, 0, 0xC0}},
                      bytecase{"largest", real48max, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
                      bytecase{"smallest", real48min, {0x01, 0, 0, 0, 0, 0}},
                      bytecase{"one_tenth_rounded", 0x1.999999999ap-4,
                               {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}}),
    [](const auto& info) { return std::string(info.param.name); });

struct roundcase {
  const char* name;
  double in;
  double out;
};

class real48rounding : public ::testing::TestWithParam<roundcase> {};

TEST_P(real48rounding, rounds_to_forty_bits) {
  const auto& c = GetParam();
  EXPECT_EQ(real48::fromdouble(c.in).todouble(), c.out);
}

constexpr double ulp40 = 0x1p-39;  // one unit in the last place at 1.0

INSTANTIATE_TEST_SUITE_P(
    values, real48rounding,
    ::testing::Values(
        roundcase{"one_tenth", 0.1, 0x1.999999999ap-4},
        roundcase{"half_ulp_ties_to_even_down", 1 + ulp40 / 2, 1.0},
        roundcase{"half_ulp_ties_to_even_up", 1 + 3 * ulp40 / 2, 1 + 2 * ulp40},
        roundcase{"above_half_rounds_up", 1 + ulp40 / 2 + 0x1p-52, 1 + ulp40},
        roundcase{"carry_into_exponent", 2 - ulp40 / 4, 2.0},
        roundcase{"overflow_saturates", 1e39, real48max},
        roundcase{"negative_overflow_saturates", -1e300, -real48max},
        roundcase{"infinity_saturates", std::numeric_limits<double>::infinity(), real48max},
        roundcase{"rounds_past_largest_saturates", 0x1.ffffffffffp+126, real48max},
        roundcase{"underflow_is_zero", 1e-39, 0.0},
        roundcase{"subnormal_is_zero", 5e-324, 0.0},
        roundcase{"rounds_up_to_smallest", 0x1.ffffffffffp-129, real48min},
        roundcase{"nan_is_zero", std::numeric_limits<double>::quiet_NaN(), 0.0},
        roundcase{"negative_zero", -0.0, 0.0},
        roundcase{"pi", 3.141592653589793, 0x1.921fb54442p+1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(real48, every_exponent_round_trips) {
  for (int e = -128; e <= 126; ++e) {
    for (double m : {1.0, 1.5, 1.0 + ulp40, 2.0 - ulp40}) {
      const double v = std::ldexp(m, e);
      EXPECT_EQ(real48::fromdouble(v).todouble(), v) << v;
      EXPECT_EQ(real48::fromdouble(-v).todouble(), -v) << v;
    }
  }
}

}  // namespace
