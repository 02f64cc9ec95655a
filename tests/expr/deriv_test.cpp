#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "expr/derivexpr.h"
#include "expr/evalexpr.h"
#include "expr/exprtext.h"
#include "expr/funcnames.h"
#include "expr/parseexpr.h"

namespace {

// Prefix form: numbers as %g, letters for variables and parameters, function
// names, "neg" and "()" for negation and parentheses.
std::string dump(const tnode* n) {
  if (n == nullptr) return "null";
  const auto sub = [](const char* op, const tnode* a, const tnode* b) {
    std::string s = std::string("(") + op + " " + dump(a);
    if (b != nullptr) s += " " + dump(b);
    return s + ")";
  };
  switch (n->kind) {
    case nodekind::number: {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%g", n->value);
      return buf;
    }
    case nodekind::varx:
      return "x";
    case nodekind::vary:
      return "y";
    case nodekind::sum:
      return sub("+", n->left, n->right);
    case nodekind::difference:
      return sub("-", n->left, n->right);
    case nodekind::negation:
      return sub("neg", n->left, nullptr);
    case nodekind::product:
      return sub("*", n->left, n->right);
    case nodekind::quotient:
      return sub("/", n->left, n->right);
    case nodekind::power:
      return sub("^", n->left, n->right);
    case nodekind::parens:
      return sub("()", n->left, nullptr);
    default:
      break;
  }
  if (nodekind::isparam(n->kind)) return std::string(1, "abcde"[nodekind::param1 - n->kind]);
  if (nodekind::isfunction(n->kind))
    return sub(funcnames()[n->kind - nodekind::function0].c_str(), n->left, nullptr);
  return "?" + std::to_string(n->kind);
}

texpression parsed(const std::string& text) {
  texpression e;
  parseexpr(e, text);
  EXPECT_EQ(e.errcode, 0) << text << " " << e.errmark;
  return e;
}

struct treecase {
  std::string name;
  std::string formula;
  std::string derivative;
  friend void PrintTo(const treecase& c, std::ostream* os) { *os << c.name; }
};

class derivtree : public testing::TestWithParam<treecase> {};

TEST_P(derivtree, builds_the_rule_tree) {
  const treecase& c = GetParam();
  const texpression e = parsed(c.formula);
  const std::string before = dump(&e.root);
  nodepool pool;
  EXPECT_EQ(dump(derivexpr(&e.root, pool)), c.derivative);
  EXPECT_EQ(dump(&e.root), before) << "the input tree must stay as it was";
}

INSTANTIATE_TEST_SUITE_P(
    rules, derivtree,
    testing::Values(
        treecase{"number", "5", "0"}, treecase{"parameter", "a", "0"},
        treecase{"variable", "x", "1"}, treecase{"parentheses_vanish", "(x)", "1"},
        treecase{"y_is_held_constant", "y", "0"}, treecase{"cube", "x^3", "(* (* 3 (^ x 2)) 1)"},
        treecase{"parameter_times_square", "a*x^2", "(* a (* (* 2 (^ x 1)) 1))"},
        treecase{"power_with_parameter_exponent", "x^a", "(* (* a (^ x (- a 1))) 1)"},
        treecase{"power_with_varying_exponent", "x^x",
                 "(* (^ x x) (+ (* 1 (ln x)) (/ (* x 1) x)))"},
        treecase{"constant_base", "2^x", "(* (^ 2 x) (+ (* 1 (ln 2)) (/ (* x 0) 2)))"},
        treecase{"sum_only_left_varies", "x+5", "1"}, treecase{"sum_only_right_varies", "5+x", "1"},
        treecase{"sum_of_parameters", "a+b", "0"}, treecase{"sum_both_vary", "x+x", "(+ 1 1)"},
        treecase{"difference_left_constant", "5-x", "(neg 1)"},
        treecase{"difference_only_left_varies", "x-5", "1"},
        treecase{"difference_both_vary", "x-y", "(- 1 0)"}, treecase{"negation", "-x", "(neg 1)"},
        treecase{"product_left_constant", "2*x", "(* 2 1)"},
        treecase{"product_right_constant", "x*2", "(* 2 1)"},
        treecase{"product_x_times_x", "x*x", "(+ x (* x 1))"},
        treecase{"product_x_times_y", "x*y", "(+ y (* x 0))"},
        treecase{"product_right_is_x", "(a+b)*x", "(+ (* 0 x) (() (+ a b)))"},
        treecase{"product_general", "(x+1)*(x-1)", "(+ (* 1 (() (- x 1))) (* (() (+ x 1)) 1))"},
        treecase{"quotient", "x/2", "(/ (- (* 1 2) (* x 0)) (* 2 2))"},
        treecase{"abs", "abs(x)", "(* (sign x) 1)"},
        treecase{"arctan", "arctan(x)", "(/ 1 (+ 1 (* x x)))"},
        treecase{"cos_of_x", "cos(x)", "(neg (sin x))"},
        treecase{"cos_of_term", "cos(2*x)", "(neg (* (sin (* 2 x)) (* 2 1)))"},
        treecase{"exp", "exp(x)", "(* (exp x) 1)"}, treecase{"frac", "frac(x)", "1"},
        treecase{"fak", "fak(x)", "0"}, treecase{"int", "int(x)", "0"},
        treecase{"random", "random(x)", "0"}, treecase{"round", "round(x)", "0"},
        treecase{"sign", "sign(x)", "0"}, treecase{"invsin", "invsin(x)", "(/ 1 (cos (invsin x)))"},
        treecase{"invcos", "invcos(x)", "(neg (/ 1 (sin (invcos x))))"},
        treecase{"ln", "ln(x)", "(/ 1 x)"}, treecase{"log", "log(x)", "(/ (/ 1 x) 2.30259)"},
        treecase{"sin_of_x", "sin(x)", "(cos x)"},
        treecase{"sin_of_term", "sin(2*x)", "(* (cos (* 2 x)) (* 2 1))"},
        treecase{"sqr", "sqr(x)", "(* 2 (* x 1))"},
        treecase{"sqrt", "sqrt(x)", "(/ 1 (* 2 (sqrt x)))"},
        treecase{"tan", "tan(x)", "(/ 1 (* (cos x) (cos x)))"},
        treecase{"tg", "tg(x)", "(/ 1 (* (cos x) (cos x)))"}),
    [](const auto& info) { return info.param.name; });

TEST(derivexpr, shares_nodes_as_the_rules_say) {
  nodepool pool;
  const texpression tanx = parsed("tan(2*x)");
  const tnode* q = derivexpr(&tanx.root, pool);
  ASSERT_EQ(q->kind, nodekind::quotient);
  EXPECT_EQ(q->right->left, q->right->right) << "one cos node serves as both factors";
  EXPECT_EQ(q->right->left->left->left, tanx.root.left->left) << "copy keeps the children";

  const texpression sin2x = parsed("sin(2*x)");
  const tnode* p = derivexpr(&sin2x.root, pool);
  EXPECT_EQ(p->left->left, sin2x.root.left) << "cos(u) is made from the sin node: same u";
}

TEST(derivexpr, survives_missing_children_and_unknown_kinds) {
  nodepool pool;
  const tnode* x = pool.make(nodekind::varx);
  const tnode* unknown = pool.make(55, x);
  EXPECT_EQ(dump(derivexpr(unknown, pool)), "1");
  EXPECT_EQ(dump(derivexpr(nullptr, pool)), "0");
  for (int32_t kind : {1, 2, 3, 6, 7, 10, 12, 101, 103, 115, 118, 55}) {
    const tnode* bare = pool.make(kind);
    EXPECT_NE(derivexpr(bare, pool), nullptr) << kind;
    EXPECT_NO_FATAL_FAILURE(exprtext(derivexpr(bare, pool))) << kind;
  }
}

// Deriving a derivative tree directly (with its shared nodes) must not cost
// time or nodes exponential in the nesting depth.
TEST(derivexpr, repeated_derivation_of_shared_trees_stays_small) {
  const texpression e = parsed("tan(tan(tan(tan(tan(tan(tan(tan(tan(tan(x))))))))))");
  nodepool pool;
  const tnode* d = &e.root;
  for (int i = 0; i < 4; ++i) d = derivexpr(d, pool);
  EXPECT_LT(pool.size(), 200000u);
}

// Every derivative printed must parse again and agree with a central difference
// quotient of the function, up to the two-decimal rounding of its constants.
struct numcase {
  std::string name;
  std::string formula;
  friend void PrintTo(const numcase& c, std::ostream* os) { *os << c.name << ": " << c.formula; }
};

class derivnumeric : public testing::TestWithParam<numcase> {};

TEST_P(derivnumeric, printed_derivative_parses_and_matches_difference_quotient) {
  const numcase& c = GetParam();
  const double params[5] = {1.5, -0.75, 2, 0.5, 3};
  for (int p = 1; p <= 5; ++p) setparamvalue(p, params[p - 1]);
  const texpression f = parsed(c.formula);
  nodepool pool;
  const std::string text = exprtext(derivexpr(&f.root, pool));
  texpression df;
  parseexpr(df, text);
  ASSERT_EQ(df.errcode, 0) << text << "\n" << df.errmark;

  int compared = 0;
  const double h = 1e-5;
  for (double x : {-2.3, -1.7, -1.1, -0.45, 0.35, 0.8, 1.3, 1.9, 2.7}) {
    for (double y : {0.6, 1.7}) {
      const evalresult lo = evalexpr(&f.root, x - h, y);
      const evalresult mid = evalexpr(&f.root, x, y);
      const evalresult hi = evalexpr(&f.root, x + h, y);
      const evalresult d = evalexpr(&df.root, x, y);
      if (!lo.ok || !mid.ok || !hi.ok || !d.ok) continue;
      const double quotient = (hi.value - lo.value) / (2 * h);
      if (!std::isfinite(quotient) || std::fabs(quotient) > 1e4) continue;  // near a pole
      EXPECT_NEAR(d.value, quotient, 0.02 * (1 + std::fabs(quotient)))
          << "x=" << x << " y=" << y << " derivative " << text;
      ++compared;
    }
  }
  EXPECT_GT(compared, 0) << text;
  for (int p = 1; p <= 5; ++p) setparamvalue(p, 1);
}

INSTANTIATE_TEST_SUITE_P(
    formulas, derivnumeric,
    testing::Values(
        numcase{"polynomial", "x^3-2*x^2+x-7"}, numcase{"parameters", "a*x^2+b*x+c"},
        numcase{"parameter_exponent", "x^a+d*x^e"}, numcase{"negative_exponent", "x^-2+3*x^-1"},
        numcase{"fraction_exponent", "x^0.5+x^1.25"}, numcase{"self_power", "x^x"},
        numcase{"constant_base", "2^x+0.5^x"}, numcase{"product_of_sums", "(x+1)*(x-2)*(x+3)"},
        numcase{"quotient", "(x^2+1)/(x-3)"}, numcase{"nested_quotient", "1/(1+1/(1+1/x))"},
        numcase{"negated_product_in_sum", "x+(-(x*x))"},
        numcase{"vanishing_left_side", "x+(5*2-sin(x))"},
        numcase{"double_negation", "-((2*b-y^x))"}, numcase{"negated_sum", "-(x+x^2)"},
        numcase{"negated_power_of_number", "-(2^x)"},
        numcase{"power_one_of_sum_times_x", "(x+x^2)^1*x"},
        numcase{"ln_of_power_one", "ln((x*x+x)^1)"},
        numcase{"difference_of_negations", "-(x)-(-(x^3))"},
        numcase{"difference_of_sums", "x^2-(x^3+x)"}, numcase{"sin_cos", "sin(2*x)*cos(3*x-1)"},
        numcase{"tan_and_tg", "tan(x/3)+tg(0.5*x)"}, numcase{"exp_ln", "exp(-x^2)+ln(x^2+1)"},
        numcase{"log10", "log(x^2+2)"}, numcase{"arctan", "arctan(a*x)"},
        numcase{"inverse_trig", "invsin(x/3)+invcos(x/4)"},
        numcase{"roots", "sqrt(x^2+1)+sqr(x-a)"}, numcase{"abs", "abs(x-0.1)*x"},
        numcase{"piecewise_constant", "int(x)+round(x)+sign(x)+frac(x)"},
        numcase{"with_y", "x*y+y^2+x^y+y^x"}, numcase{"leading_minus", "-x^2+3"},
        numcase{"minus_number_power", "-3^2*x"}, numcase{"one_third", "x/3+x^2/3"},
        numcase{"thirds_folded", "1/3*x+2/3*x"}, numcase{"zero_times", "0*x+x*0+1*x"},
        numcase{"power_zero_and_one", "x^1+x^0+(x+1)^1"}, numcase{"chain", "sin(cos(tan(x)))"},
        numcase{"quotient_of_quotients", "(x/(x+2))/((x+1)/x)"},
        numcase{"sum_of_parameters_times_x", "(a+b)*x+(a-b)/x"},
        numcase{"exp_of_sin", "exp(sin(x))*x^3"}, numcase{"power_of_power", "(x^2)^3+2^3^x"}),
    [](const auto& info) { return info.param.name; });

// A bounded amount of text for the deepest formulas the entry field holds (80
// characters) and for derivatives of derivatives.
struct deepcase {
  std::string name;
  std::string formula;
  friend void PrintTo(const deepcase& c, std::ostream* os) { *os << c.name; }
};

class derivdeep : public testing::TestWithParam<deepcase> {};

TEST_P(derivdeep, printed_text_stays_bounded) {
  const deepcase& c = GetParam();
  ASSERT_LE(c.formula.size(), 80u);
  const texpression f = parsed(c.formula);
  nodepool pool;
  const std::string once = exprtext(derivexpr(&f.root, pool));
  EXPECT_LT(once.size(), 20000u) << once.size();
  // The second derivative goes through text again, as the derivative command does.
  texpression df;
  parseexpr(df, once);
  if (df.errcode == 0) {
    EXPECT_LT(exprtext(derivexpr(&df.root, pool)).size(), 2000000u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    worst, derivdeep,
    // the deepest nestings the parser's stacks take
    testing::Values(
        deepcase{"nested_tan", "tan(tan(tan(tan(tan(tan(tan(tan(tan(tan(tan(x)))))))))))"},
        deepcase{"nested_quotients", "1/(x/(x/(x/(x/(x/(x/(x/x)))))))"},
        deepcase{"nested_tan_quotients", "tan(x/tan(x/tan(x/tan(x/tan(x/x)))))"},
        deepcase{"tan_products",
                 "tan(x)*tan(x)*tan(x)*tan(x)*tan(x)*tan(x)*tan(x)*tan(x)*tan(x)*tan(x)*tan(x)"},
        deepcase{"quotient_chain",
                 "x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x/x"},
        deepcase{"nested_powers", "x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x^x"},
        deepcase{"long_product",
                 "x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
