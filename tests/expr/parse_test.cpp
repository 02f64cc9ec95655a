#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <string>

#include "expr/parseexpr.h"

namespace {

// Prefix form of a tree: numbers shortest, x, y, p1..p5, inner nodes "(kind ...)".
std::string prefix(const tnode& n) {
  if (n.kind == nodekind::number) {
    char buf[40];
    auto end = std::to_chars(buf, buf + sizeof buf, n.value).ptr;
    return std::string(buf, end);
  }
  if (n.kind == nodekind::varx) return "x";
  if (n.kind == nodekind::vary) return "y";
  if (nodekind::isparam(n.kind)) return "p" + std::to_string(-n.kind - 5);
  std::string s = "(" + std::to_string(n.kind);
  if (n.left) s += " " + prefix(*n.left);
  if (n.right) s += " " + prefix(*n.right);
  return s + ")";
}

struct parsed {
  int errcode;
  std::string errmark;
  std::string tree;
};

parsed parse(const std::string& text) {
  texpression e;
  parseexpr(e, text);
  EXPECT_EQ(e.text, text);
  EXPECT_EQ(e.errmark.size(), text.size());
  return {e.errcode, e.errmark, e.errcode == 0 ? prefix(e.root) : "-"};
}

struct goodcase {
  const char* name;
  std::string text;
  std::string tree;
};

class parsegood : public ::testing::TestWithParam<goodcase> {};

TEST_P(parsegood, builds_the_tree) {
  const auto& c = GetParam();
  const auto r = parse(c.text);
  EXPECT_EQ(r.errcode, 0) << r.errmark;
  EXPECT_EQ(r.tree, c.tree);
  EXPECT_EQ(r.errmark, std::string(c.text.size(), 'n'));
}

INSTANTIATE_TEST_SUITE_P(
    formulas, parsegood,
    ::testing::Values(
        goodcase{"quadratic", "x^2-3*x+2", "(1 (2 (10 x 2) (6 3 x)) 2)"},
        goodcase{"sign_folded_into_number", "-3^2", "(10 -3 2)"},
        goodcase{"leading_minus_negates_term", "-x^2", "(3 (10 x 2))"},
        goodcase{"leading_minus_whole_product", "-x*y", "(3 (6 x y))"},
        goodcase{"leading_minus_then_sum", "-x+y", "(1 (3 x) y)"},
        goodcase{"power_groups_left", "2^3^2", "(10 (10 2 3) 2)"},
        goodcase{"negative_exponent_number", "2^-1", "(10 2 -1)"},
        goodcase{"times_negative_number", "x*-3", "(6 x -3)"},
        goodcase{"sign_with_spaces", "x * - 3", "(6 x -3)"},
        goodcase{"minus_minus_number", "2--3", "(2 2 -3)"},
        goodcase{"double_leading_minus", "--3", "(3 -3)"},
        goodcase{"minus_after_paren", "(-x)", "(12 (3 x))"},
        goodcase{"upper_case_function", "SIN(x)", "(115 x)"},
        goodcase{"mixed_case_function", "Sin(x)", "(115 x)"},
        goodcase{"space_before_paren", "sqrt  (x)", "(117 x)"},
        goodcase{"parens_kept", "(x)", "(12 x)"},
        goodcase{"function_has_no_parens_node", "sin(x)", "(115 x)"},
        goodcase{"nested_functions", "ln(abs(x)+1)", "(110 (1 (101 x) 1))"},
        goodcase{"exponent", "2e3", "2000"},
        goodcase{"exponent_upper", "2E+3", "2000"},
        goodcase{"empty_exponent", "2e", "2"},
        goodcase{"lone_dot", ".", "0"},
        goodcase{"fraction_only", ".5", "0.5"},
        goodcase{"trailing_dot", "3.", "3"},
        goodcase{"parameters", "a*x^2+b*x+c+d+e", "(1 (1 (1 (1 (6 p1 (10 x 2)) (6 p2 x)) p3) p4) p5)"},
        goodcase{"y_variable", "x*y", "(6 x y)"},
        goodcase{"all_functions",
                 "abs(x)+arctan(x)+cos(x)+exp(x)+frac(x)+fak(x)+int(x)",
                 "(1 (1 (1 (1 (1 (1 (101 x) (102 x)) (103 x)) (104 x)) (105 x)) (106 x)) (107 x))"},
        goodcase{"more_functions", "invsin(x)/invcos(x)/ln(x)/log(x)/random(x)/round(x)",
                 "(7 (7 (7 (7 (7 (108 x) (109 x)) (110 x)) (111 x)) (112 x)) (113 x))"},
        goodcase{"last_functions", "sign(x)*sin(x)*sqr(x)*sqrt(x)*tan(x)*tg(x)",
                 "(6 (6 (6 (6 (6 (114 x) (115 x)) (116 x)) (117 x)) (118 x)) (119 x))"},
        goodcase{"spaces_everywhere", "  x  +  1  ", "(1 x 1)"},
        goodcase{"end_marker_ends_early", "x\xB4+", "x"},
        goodcase{"exponent_beyond_six_byte_range", "1e-40", "1e-40"},
        goodcase{"largest_exponents", "1e308", "1e+308"},
        goodcase{"underflowing_exponent_is_zero", "1e-400", "0"},
        goodcase{"huge_negative_exponent_is_zero", "1e-999999999999", "0"},
        goodcase{"long_digit_string", "1" + std::string(20, '0'), "1e+20"}),
    [](const auto& info) { return std::string(info.param.name); });

struct badcase {
  const char* name;
  std::string text;
  int errcode;
  std::string errmark;
};

class parsebad : public ::testing::TestWithParam<badcase> {};

TEST_P(parsebad, reports_code_and_place) {
  const auto& c = GetParam();
  const auto r = parse(c.text);
  EXPECT_EQ(r.errcode, c.errcode);
  EXPECT_EQ(r.errmark, c.errmark);
  EXPECT_EQ(r.tree, "-");
}

INSTANTIATE_TEST_SUITE_P(
    formulas, parsebad,
    ::testing::Values(
        badcase{"minus_before_variable_after_power", "2^-x", 1, "nnfn"},
        badcase{"minus_before_variable_after_times", "x*-y", 1, "nnfn"},
        badcase{"implicit_product", "2x", 1, "nf"},
        badcase{"number_before_paren", "2(x)", 1, "nfnn"},
        badcase{"variable_before_paren", "x(2)", 1, "nfnn"},
        badcase{"two_numbers", "3 4", 1, "nnf"},
        badcase{"upper_case_x", "X", 7, "f"},
        badcase{"name_with_digit", "x2", 7, "ff"},
        badcase{"exp_after_number", "2exp(x)", 8, "nnffnnn"},
        badcase{"two_dots", "1.5.2", 1, "nnnnf"},
        badcase{"dot_dot", "1..2", 1, "nnfn"},
        badcase{"open_paren_left", "(x+1", 2, "nnnf"},
        badcase{"close_without_open", "x+1)", 3, "nnnf"},
        badcase{"close_first", ")(x", 3, "fnn"},
        badcase{"ends_after_plus", "x+", 2, "nf"},
        badcase{"unknown_function", "sinus(x)", 8, "fffffnnn"},
        badcase{"unknown_function_spaces", "sinus (x)", 8, "ffffffnnn"},
        badcase{"unknown_name", "abc", 7, "fff"},
        badcase{"unknown_name_spaces", "abc  +x", 7, "fffffnn"},
        badcase{"comma", "3,5", 1, "nfn"},
        badcase{"superscript_two", "x\xB2", 1, "nf"},
        badcase{"empty", "", 2, ""},
        badcase{"only_spaces", "   ", 2, "nnf"},
        badcase{"function_without_paren", "sin x", 7, "ffffn"},
        badcase{"function_empty_argument", "sin()", 1, "nnnnf"},
        badcase{"two_arguments", "sin(x,1)", 1, "nnnnnfnn"},
        badcase{"open_sum_left_open", "x+(y", 2, "nnnf"},
        badcase{"times_at_start", "*x", 1, "fn"},
        badcase{"minus_minus_variable", "x--y", 1, "nnfn"},
        badcase{"nul_byte", std::string("x+\0", 3), 1, "nnf"},
        badcase{"overflowing_exponent", "1e309", 1, "nnnnf"},
        badcase{"overflowing_product", "99e307", 1, "nnnnnf"},
        badcase{"huge_exponent", "2e999999999999", 1, "nnnnnnnnnnnnnf"},
        badcase{"number_too_long", std::string(400, '9'), 1, std::string(399, 'n') + "f"}),
    [](const auto& info) { return std::string(info.param.name); });

// Nesting: the 25-entry stacks hold seven levels of "1+(" but not eight.
TEST(parseexpr, refuses_nesting_deeper_than_the_stacks) {
  std::string seven, eight;
  for (int i = 0; i < 7; ++i) seven += "1+(";
  seven += "x" + std::string(7, ')');
  for (int i = 0; i < 8; ++i) eight += "1+(";
  eight += "x" + std::string(8, ')');
  EXPECT_EQ(parse(seven).errcode, 0);
  const auto r = parse(eight);
  EXPECT_EQ(r.errcode, 10);
  EXPECT_EQ(std::count(r.errmark.begin(), r.errmark.end(), 'f'), 1);

  const std::string parens = std::string(30, '(') + "x" + std::string(30, ')');
  EXPECT_EQ(parse(parens).errcode, 10);
}

TEST(parseexpr, survives_every_byte_and_long_texts) {
  for (int b = 0; b < 256; ++b) {
    for (const std::string& around : {std::string("x+"), std::string("sin("), std::string("")}) {
      const std::string text = around + static_cast<char>(b) + "1";
      const auto r = parse(text);
      if (r.errcode == 0) {
        EXPECT_NE(r.tree, "-");
      }
    }
  }
  EXPECT_EQ(parse(std::string(100000, '(')).errcode, 10);
  std::string sum = "x";
  for (int i = 0; i < 5000; ++i) sum += "+x";
  EXPECT_EQ(parse(sum).errcode, 0);
}

TEST(parseexpr, keeps_the_old_tree_after_an_error) {
  texpression e;
  parseexpr(e, "x+1");
  ASSERT_EQ(e.errcode, 0);
  const auto oldpool = e.pool;
  parseexpr(e, "x+");
  EXPECT_EQ(e.errcode, 2);
  EXPECT_EQ(e.text, "x+");
  EXPECT_EQ(prefix(e.root), "(1 x 1)");
  EXPECT_EQ(e.pool, oldpool);

  texpression copy = e;
  parseexpr(e, "sin(x)");
  EXPECT_EQ(e.errcode, 0);
  EXPECT_EQ(prefix(e.root), "(115 x)");
  EXPECT_NE(e.pool, oldpool);
  EXPECT_EQ(prefix(copy.root), "(1 x 1)");  // copies keep their own pool
}

TEST(parseexpr, uses_the_current_parameter_letters) {
  const std::string saved = paramletters();
  setparamletters("pqrst");
  EXPECT_EQ(parse("p*x+t").tree, "(1 (6 p1 x) p5)");
  EXPECT_EQ(parse("a").errcode, 7);
  setparamletter(2, 'k');
  EXPECT_EQ(paramletters(), "pkrst");
  setparamletter(0, 'z');
  setparamletter(6, 'z');
  EXPECT_EQ(paramletters(), "pkrst");
  setparamletters(saved);
  EXPECT_EQ(paramletters(), "abcde");
  EXPECT_EQ(parse("e").tree, "p5");
}

TEST(parseexpr, long_fractions_stay_finite) {
  texpression e;
  parseexpr(e, "0." + std::string(400, '5'));
  ASSERT_EQ(e.errcode, 0);
  EXPECT_NEAR(e.root.value, 5.0 / 9.0, 1e-15);
}

TEST(parseexpr, negative_exponents_use_the_six_byte_power) {
  // 10^-1 is formed from 0.1 rounded to 40 bits, so 1e-1 is not the double 0.1.
  texpression e;
  parseexpr(e, "1e-1");
  ASSERT_EQ(e.errcode, 0);
  EXPECT_NE(e.root.value, 0.1);
  EXPECT_NEAR(e.root.value, 0.1, 1e-12);
  parseexpr(e, "1e38");
  ASSERT_EQ(e.errcode, 0);
  EXPECT_NE(e.root.value, 1e38);
  EXPECT_NEAR(e.root.value, 1e38, 1e27);
}

}  // namespace
