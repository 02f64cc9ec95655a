#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <numbers>
#include <set>
#include <string>

#include "expr/evalexpr.h"
#include "expr/parseexpr.h"

namespace {

evalresult evaluate(const std::string& formula, double x) {
  texpression e;
  parseexpr(e, formula);
  EXPECT_EQ(e.errcode, 0) << formula << " " << e.errmark;
  return evalexpr(&e.root, x, 0);
}

struct valuecase {
  const char* name;
  const char* formula;
  double x;
  bool ok;
  double value;  // checked only when ok
};

class evaluates : public ::testing::TestWithParam<valuecase> {};

TEST_P(evaluates, to_the_expected_value) {
  const auto& c = GetParam();
  const auto r = evaluate(c.formula, c.x);
  EXPECT_EQ(r.ok, c.ok) << c.formula << " = " << r.value;
  if (c.ok && r.ok) {
    EXPECT_NEAR(r.value, c.value, std::fabs(c.value) * 1e-14 + 1e-15) << c.formula;
  }
}

constexpr double pi = std::numbers::pi;

INSTANTIATE_TEST_SUITE_P(
    formulas, evaluates,
    ::testing::Values(
        valuecase{"quadratic", "x^2-3*x+2", 3, true, 2},
        valuecase{"reciprocal_at_pole", "1/x", 0, false, 0},
        valuecase{"reciprocal_of_zero_difference", "1/(x-x)", 5, false, 0},
        valuecase{"root_of_negative", "x^0.5", -4, false, 0},
        valuecase{"odd_power_of_negative", "x^3", -2, true, -8},
        valuecase{"even_power_of_negative", "x^2", -3, true, 9},
        valuecase{"zero_to_zero", "0^0", 0, false, 0},
        valuecase{"zero_to_negative", "0^(-1)", 0, false, 0},
        valuecase{"zero_squared", "0^2", 0, true, 0},
        valuecase{"cube_root_of_negative", "(-8)^(1/3)", 0, false, 0},
        valuecase{"negative_base_huge_exponent", "(-2)^x", 1e10, false, 0},
        valuecase{"sign_folded_before_power", "-3^2", 0, true, 9},
        valuecase{"minus_applies_after_power", "-x^2", 3, true, -9},
        valuecase{"power_groups_left", "2^3^2", 0, true, 64},
        valuecase{"power_of_fraction", "x^0.5", 2.25, true, 1.5},
        valuecase{"ln_zero", "ln(0)", 0, false, 0},
        valuecase{"log_negative", "log(-1)", 0, false, 0},
        valuecase{"log_thousand", "log(1000)", 0, true, 3},
        valuecase{"sqrt_negative", "sqrt(-1)", 0, false, 0},
        valuecase{"invsin_two", "invsin(2)", 0, false, 0},
        valuecase{"invcos_below_minus_one", "invcos(-1.5)", 0, false, 0},
        valuecase{"invsin_one", "invsin(1)", 0, true, pi / 2},
        valuecase{"invsin_minus_one", "invsin(-1)", 0, true, -pi / 2},
        valuecase{"invsin_half", "invsin(0.5)", 0, true, pi / 6},
        valuecase{"invcos_minus_one", "invcos(-1)", 0, true, pi},
        valuecase{"invcos_zero", "invcos(0)", 0, true, pi / 2},
        valuecase{"invcos_half", "invcos(0.5)", 0, true, pi / 3},
        valuecase{"exp_700", "exp(700)", 0, false, 0},
        valuecase{"exp_699", "exp(699)", 0, true, std::exp(699.0)},
        valuecase{"exp_very_negative", "exp(-1000)", 0, true, 0},
        valuecase{"fak_five", "fak(5)", 0, true, 120},
        valuecase{"fak_zero", "fak(0)", 0, true, 1},
        valuecase{"fak_one", "fak(1)", 0, true, 1},
        valuecase{"fak_fraction", "fak(2.5)", 0, false, 0},
        valuecase{"fak_negative", "fak(-3)", 0, false, 0},
        valuecase{"fak_34", "fak(34)", 0, false, 0},
        valuecase{"fak_33", "fak(33)", 0, true, 8.68331761881189e36},
        valuecase{"fak_huge", "fak(x)", 1e300, false, 0},
        valuecase{"round_half_down_to_even", "round(2.5)", 0, true, 2},
        valuecase{"round_half_up_to_even", "round(3.5)", 0, true, 4},
        valuecase{"round_negative_half", "round(-2.5)", 0, true, -2},
        valuecase{"round_out_of_range", "round(x)", 3e9, false, 0},
        valuecase{"int_negative", "int(-2.7)", 0, true, -2},
        valuecase{"frac_negative", "frac(-2.7)", 0, true, -0.7},
        valuecase{"abs", "abs(-2)", 0, true, 2},
        valuecase{"arctan", "arctan(1)", 0, true, pi / 4},
        valuecase{"sign_negative", "sign(-0.1)", 0, true, -1},
        valuecase{"sign_zero", "sign(0)", 0, true, 0},
        valuecase{"sign_positive", "sign(5)", 0, true, 1},
        valuecase{"sqr", "sqr(-3)", 0, true, 9},
        valuecase{"sqr_overflow", "sqr(x)", 1e200, false, 0},
        valuecase{"tan", "tan(x)", 1, true, std::tan(1.0)},
        valuecase{"tg", "tg(x)", 1, true, std::tan(1.0)},
        valuecase{"random_below_one_half", "random(0.3)", 0, true, 0},
        valuecase{"random_huge", "random(x)", 1e12, false, 0},
        valuecase{"overflow", "x*1e308*10", 1, false, 0},
        valuecase{"overflow_in_sum", "x*1e38*1e38*1e38*1e38*1e38*1e38*1e38*1e38*1e38", 1, false, 0},
        valuecase{"invalid_inside_argument", "sin(x*1e38*1e38*1e38*1e38*1e38*1e38*1e38*1e38*1e38)", 1, false, 0},
        valuecase{"power_overflow", "10^x", 400, false, 0},
        valuecase{"power_underflow_is_fine", "10^x", -400, true, 0},
        valuecase{"parens", "(x+1)*2", 1, true, 4},
        valuecase{"y_is_zero", "x+y", 2, true, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(evalexpr, a_fault_does_not_leak_into_the_next_evaluation) {
  EXPECT_FALSE(evaluate("x*1e308*10", 1).ok);
  EXPECT_TRUE(evaluate("x*2", 1).ok);
  EXPECT_FALSE(evaluate("ln(x)", -1).ok);
  EXPECT_TRUE(evaluate("ln(x)", 1).ok);
}

TEST(evalexpr, flags_left_by_other_code_do_not_count) {
  texpression e;
  parseexpr(e, "x*2");
  std::feraiseexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
  const auto r = evalexpr(&e.root, 3, 0);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.value, 6);
  std::feraiseexcept(FE_DIVBYZERO);
  EXPECT_TRUE(applyfunc(16, 3).ok);
}

TEST(evalexpr, masked_overflow_still_counts) {
  // 1/inf is a harmless 0, but the overflow before it happened.
  EXPECT_FALSE(evaluate("1/(x*1e308*10)", 1).ok);
  EXPECT_FALSE(evaluate("exp(-(x*1e308*10))", 1).ok);
}

TEST(evalexpr, small_whole_powers_match_the_general_rule) {
  for (double b : {-3.0, -0.5, 0.0, 0.25, 2.0, 7.0}) {
    for (int n = 1; n <= 16; ++n) {
      texpression e;
      parseexpr(e, "x^" + std::to_string(n));
      const auto r = evalexpr(&e.root, b, 0);
      ASSERT_TRUE(r.ok);
      EXPECT_NEAR(r.value, std::pow(b, n), std::fabs(std::pow(b, n)) * 1e-15) << b << "^" << n;
    }
  }
  EXPECT_FALSE(evaluate("x^16", 1e30).ok);
}

TEST(evalexpr, random_stays_in_range) {
  std::set<double> dice;
  for (int i = 0; i < 2000; ++i) {
    const auto whole = evaluate("random(6)", 0);
    ASSERT_TRUE(whole.ok);
    EXPECT_EQ(whole.value, std::floor(whole.value));
    dice.insert(whole.value);
    const auto fraction = evaluate("random(0)", 0);
    ASSERT_TRUE(fraction.ok);
    EXPECT_GE(fraction.value, 0);
    EXPECT_LT(fraction.value, 1);
  }
  EXPECT_EQ(dice, (std::set<double>{0, 1, 2, 3, 4, 5}));
}

TEST(evalexpr, reads_the_parameter_table) {
  const auto saved = paramvalues();
  setparamvalue(1, 2);
  setparamvalue(2, -3);
  setparamvalue(5, 0.5);
  EXPECT_EQ(evaluate("a*x^2+b*x+c+e", 2).value, 8 - 6 + 1 + 0.5);
  setparamvalue(3, 0.1);
  const double c = evaluate("c", 0).value;
  EXPECT_NE(c, 0.1);
  EXPECT_NEAR(c, 0.1, 1e-12);
  EXPECT_EQ(c, paramvalue(3));
  EXPECT_EQ(paramvalue(0), 0);
  EXPECT_EQ(paramvalue(6), 0);
  setparamvalue(6, 7);  // ignored
  paramvalues() = saved;
  EXPECT_EQ(paramvalue(3), 1);
}

TEST(evalexpr, odd_trees_do_not_crash) {
  EXPECT_FALSE(evalexpr(nullptr, 0, 0).ok);
  const tnode x{nodekind::varx};
  const tnode lonely{nodekind::sum, &x, nullptr};
  EXPECT_FALSE(evalexpr(&lonely, 1, 0).ok);
  const tnode unknown{42, &x};
  EXPECT_EQ(evalexpr(&unknown, 3, 0).value, 3);
  const tnode emptyfunction{nodekind::function0 + 15};
  EXPECT_FALSE(evalexpr(&emptyfunction, 3, 0).ok);
}

TEST(applyfunc, undefined_values_are_zero) {
  for (const auto& [number, v] :
       {std::pair{10, 0.0}, {17, -1.0}, {4, 800.0}, {0, 1.0}, {20, 1.0}, {15, INFINITY},
        {3, NAN}, {12, NAN}, {6, NAN}, {13, NAN}}) {
    const auto r = applyfunc(number, v);
    EXPECT_FALSE(r.ok) << number << " " << v;
    EXPECT_EQ(r.value, 0) << number << " " << v;
  }
  EXPECT_TRUE(applyfunc(15, 0).ok);
}

struct checkcase {
  const char* name;
  const char* formula;
  bool ok;
  bool hasparam;
};

class paramchecks : public ::testing::TestWithParam<checkcase> {};

TEST_P(paramchecks, find_fittable_parameters) {
  const auto& c = GetParam();
  texpression e;
  parseexpr(e, c.formula);
  ASSERT_EQ(e.errcode, 0);
  const auto r = paramcheck(&e.root);
  EXPECT_EQ(r.ok, c.ok);
  EXPECT_EQ(r.hasparam, c.hasparam);
}

INSTANTIATE_TEST_SUITE_P(
    formulas, paramchecks,
    ::testing::Values(checkcase{"parabola", "a*x^2+b*x+c", true, true},
                      checkcase{"sine_plus", "a*sin(x)+b", true, true},
                      checkcase{"inside_function", "sin(a*x)", false, true},
                      checkcase{"product_of_two", "a*b*x", false, true},
                      checkcase{"divided_by_parameter", "x/a", true, true},
                      checkcase{"parameter_exponent", "x^a", true, true},
                      checkcase{"no_parameter", "x^2+1", true, false},
                      checkcase{"negated", "-a*x", true, true},
                      checkcase{"in_parens", "(a+b)*x", true, true},
                      checkcase{"bad_on_the_right", "x+sin(a)", false, true},
                      checkcase{"quotient_of_two", "a/b", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
