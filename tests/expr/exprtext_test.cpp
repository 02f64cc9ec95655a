#include "expr/exprtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "expr/derivexpr.h"
#include "expr/parseexpr.h"

namespace {

struct fmtcase {
  std::string name;
  double v;
  std::string text;
  friend void PrintTo(const fmtcase& c, std::ostream* os) { *os << c.name; }
};

class exprtextfmt : public testing::TestWithParam<fmtcase> {};

TEST_P(exprtextfmt, prints_two_decimals) {
  EXPECT_EQ(fmt(GetParam().v), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    numbers, exprtextfmt,
    testing::Values(fmtcase{"one", 1, "1.00"}, fmtcase{"half", 0.5, "0.50"},
                    fmtcase{"negative", -2, "-2.00"}, fmtcase{"ln10", 2.302585, "2.30"},
                    fmtcase{"one_third", 1.0 / 3, "0.33"}, fmtcase{"two_thirds", 2.0 / 3, "0.67"},
                    fmtcase{"exact_half_cent_up", 0.125, "0.13"},
                    fmtcase{"exact_half_cent_negative", -0.125, "-0.13"},
                    fmtcase{"negative_zero", -0.0, "0.00"},
                    fmtcase{"tiny_negative_rounds_to_zero", -0.004, "0.00"},
                    fmtcase{"large_fixed", 123456789012.345, "123456789012.35"},
                    fmtcase{"huge_in_exponent_form", 1e300, "1.00e+300"},
                    fmtcase{"huge_negative", -2.5e20, "-2.50e+20"},
                    fmtcase{"infinity", std::numeric_limits<double>::infinity(), "inf"},
                    fmtcase{"minus_infinity", -std::numeric_limits<double>::infinity(), "-inf"},
                    fmtcase{"nan", std::numeric_limits<double>::quiet_NaN(), "nan"}),
    [](const auto& info) { return info.param.name; });

struct isnumcase {
  std::string name;
  std::string text;
  bool num;
  double value;
  friend void PrintTo(const isnumcase& c, std::ostream* os) { *os << c.name; }
};

class exprtextisnum : public testing::TestWithParam<isnumcase> {};

TEST_P(exprtextisnum, accepts_only_plain_numbers) {
  const isnumcase& c = GetParam();
  double v = -99;
  EXPECT_EQ(isnum(c.text, &v), c.num);
  if (c.num) {
    EXPECT_DOUBLE_EQ(v, c.value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    texts, exprtextisnum,
    testing::Values(isnumcase{"decimals", "12.50", true, 12.5}, isnumcase{"integer", "3", true, 3},
                    isnumcase{"zero", "0.00", true, 0}, isnumcase{"signed", "-1.00", false, 0},
                    isnumcase{"dot_without_digits", "1.", false, 0},
                    isnumcase{"parenthesised", "(2.00)", false, 0},
                    isnumcase{"empty", "", false, 0}, isnumcase{"leading_dot", ".5", false, 0},
                    isnumcase{"two_dots", "1.2.3", false, 0},
                    isnumcase{"exponent", "1.00e+20", false, 0},
                    isnumcase{"letter", "x", false, 0}),
    [](const auto& info) { return info.param.name; });

std::string derivtext(const std::string& formula) {
  texpression e;
  parseexpr(e, formula);
  EXPECT_EQ(e.errcode, 0) << formula;
  nodepool pool;
  return exprtext(derivexpr(&e.root, pool));
}

std::string text(const std::string& formula) {
  texpression e;
  parseexpr(e, formula);
  EXPECT_EQ(e.errcode, 0) << formula;
  return exprtext(&e.root);
}

struct textcase {
  std::string name;
  std::string formula;
  std::string text;
  friend void PrintTo(const textcase& c, std::ostream* os) { *os << c.name; }
};

class exprtextderivative : public testing::TestWithParam<textcase> {};

TEST_P(exprtextderivative, prints_the_folded_derivative) {
  const textcase& c = GetParam();
  const std::string t = derivtext(c.formula);
  EXPECT_EQ(t, c.text);
  texpression again;
  parseexpr(again, t);
  EXPECT_EQ(again.errcode, 0) << again.errmark;
}

INSTANTIATE_TEST_SUITE_P(
    derivatives, exprtextderivative,
    testing::Values(
        textcase{"cube", "x^3", "3.00*x^2.00"}, textcase{"square", "x^2", "2.00*x"},
        textcase{"sin", "sin(x)", "cos(x)"},
        textcase{"sin_of_term", "sin(2*x)", "cos(2.00*x)*2.00"},
        textcase{"constant_times_x", "5*x", "5.00"}, textcase{"parameter_times_x", "a*x", "a"},
        textcase{"x_plus_constant", "x+5", "1.00"}, textcase{"constant_minus_x", "5-x", "-1.00"},
        textcase{"ln", "ln(x)", "1.00/x"}, textcase{"log", "log(x)", "1.00/x/2.30"},
        textcase{"cos", "cos(x)", "(-sin(x))"}, textcase{"tan", "tan(x)", "1.00/(cos(x)*cos(x))"},
        textcase{"x_to_the_x", "x^x", "x^x*(ln(x)+x/x)"},
        textcase{"two_to_the_x", "2^x", "2.00^x*(ln(2.00))"},
        textcase{"parameter_exponent", "x^a", "a*x^(a-1.00)"},
        // Texts the plain rules would get wrong or make unparsable:
        // a negation in a sum would lose its parentheses ("1.00-x+x"),
        textcase{"negated_product_in_sum", "x+(-(x*x))", "1.00-(x+x)"},
        // a vanished left side would leave "+-" ("1.00+-cos(x)"),
        textcase{"sign_after_plus", "x+(5*2-sin(x))", "1.00+(-cos(x))"},
        // a negated negation would print "--",
        textcase{"double_negation", "-((2*b-y^x))", "(-(-y^x*(ln(y))))"},
        // a negated sum would negate only its first term ("(-1.00+2.00*x)"),
        textcase{"negated_sum", "-(x+x^2)", "(-(1.00+2.00*x))"},
        // the sign would fold into the base 2 ("(-2.00^x*(ln(2.00)))" is (-2)^x),
        textcase{"negated_power_of_number", "-(2^x)", "(-(2.00^x*(ln(2.00))))"},
        textcase{"vanished_left_before_power_of_number", "x+(2*b-2^x)",
                 "1.00+(-(2.00^x*(ln(2.00))))"},
        // a factor "1.00" dropped from a product leaves a bare sum that the
        // enclosing product or quotient must bracket.
        textcase{"bare_sum_as_left_factor", "(x+x^2)^1*x", "(1.00+2.00*x)*x+(x+x^2.00)"},
        textcase{"bare_sum_as_dividend", "ln((x+x^2)^1)", "(1.00+2.00*x)/(x+x^2.00)"}),
    [](const auto& info) { return info.param.name; });

class exprtextfolding : public testing::TestWithParam<textcase> {};

TEST_P(exprtextfolding, prints_the_formula) {
  EXPECT_EQ(text(GetParam().formula), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    formulas, exprtextfolding,
    testing::Values(textcase{"one_third", "1/3", "0.33"}, textcase{"two_thirds", "2/3", "0.67"},
                    textcase{"sum_of_rounded", "0.33+0.33", "0.66"},
                    textcase{"product_of_numbers", "2*3", "6.00"},
                    textcase{"quotient_of_numbers", "1.00/3.00", "0.33"},
                    textcase{"negated_negative_number", "--3", "3.00"},
                    textcase{"difference_with_sum", "x-(1+x)", "x-(1.00+x)"},
                    textcase{"power_of_one", "x^1", "x"}, textcase{"power_of_zero", "x^0", "1.00"},
                    textcase{"one_to_a_power", "1^x", "1.00"},
                    textcase{"zero_numerator", "0/x", "0.00"},
                    textcase{"function_names_lower_case", "SIN(x)+Abs(x)", "sin(x)+abs(x)"},
                    textcase{"parameters_and_y", "a*y+e", "a*y+e"},
                    // A divisor printing as zero is left standing (undefined), never folded.
                    textcase{"divide_number_by_zero", "1/0", "1.00/0.00"},
                    textcase{"zero_by_zero", "0/0", "0.00/0.00"},
                    textcase{"x_by_zero", "x/0", "x/0.00"},
                    textcase{"divisor_rounding_to_zero", "x/0.001", "x/0.00"},
                    textcase{"number_nodes_divisor_below_a_cent", "2/0.004", "500.00"}),
    [](const auto& info) { return info.param.name; });

TEST(exprtext, prints_parameters_with_their_current_letters) {
  const std::string saved = paramletters();
  texpression e;
  parseexpr(e, "a+e");
  setparamletter(1, 'p');
  setparamletter(5, 't');
  EXPECT_EQ(exprtext(&e.root), "p+t");
  setparamletters(saved);
}

// Trees the parser cannot make but a derivative can: operands of other kinds
// than the parenthesis rules expect.
TEST(exprtext, hand_built_trees) {
  nodepool p;
  const tnode* x = p.make(nodekind::varx);
  const tnode* one = p.make(nodekind::number, nullptr, nullptr, 1);
  const tnode* sum = p.make(nodekind::sum, x, one);
  const tnode* onetimessum = p.make(nodekind::product, one, sum);
  EXPECT_EQ(exprtext(onetimessum), "x+1.00") << "a dropped factor 1.00 leaves the bare sum";
  EXPECT_EQ(exprtext(p.make(nodekind::power, x, onetimessum)), "x^(x+1.00)");
  EXPECT_EQ(exprtext(p.make(nodekind::quotient, x, onetimessum)), "x/(x+1.00)");
  EXPECT_EQ(exprtext(p.make(nodekind::difference, x, onetimessum)), "x-(x+1.00)");
  EXPECT_EQ(exprtext(p.make(nodekind::product, x, onetimessum)), "x*(x+1.00)");
  EXPECT_EQ(exprtext(p.make(nodekind::negation, onetimessum)), "(-(x+1.00))");

  const tnode* huge = p.make(nodekind::number, nullptr, nullptr, 1e200);
  EXPECT_EQ(exprtext(p.make(nodekind::product, huge, huge)), "1.00e+200*1.00e+200")
      << "a fold that overflows is not done";
  const tnode* minustwo = p.make(nodekind::number, nullptr, nullptr, -2);
  EXPECT_EQ(exprtext(p.make(nodekind::power, minustwo, x)), "-2.00^x") << "(-2)^x";
  EXPECT_EQ(exprtext(p.make(nodekind::power, x, minustwo)), "x^-2.00");
  EXPECT_EQ(exprtext(p.make(nodekind::power, x, p.make(nodekind::power, x, x))), "x^(x^x)");

  EXPECT_EQ(exprtext(nullptr), "");
  EXPECT_EQ(exprtext(p.make(55, x)), "") << "unknown kinds print nothing";
}

// Deeply nested negations inside sums print each operand once, so the work
// grows with the text, not with 2 to the depth.
TEST(exprtext, nested_negations_in_sums_print_quickly) {
  nodepool p;
  const tnode* t = p.make(nodekind::varx);
  for (int i = 0; i < 60; ++i)
    t = p.make(nodekind::sum, p.make(nodekind::varx), p.make(nodekind::negation, t));
  const std::string s = exprtext(t);
  EXPECT_LT(s.size(), 2000u);
}

}  // namespace
