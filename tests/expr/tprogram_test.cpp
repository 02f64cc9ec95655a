#include "expr/tprogram.h"

#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <numbers>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "expr/evalexpr.h"
#include "expr/parseexpr.h"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

std::vector<double> samplexs() {
  std::vector<double> xs;
  for (int i = -400; i <= 400; ++i) xs.push_back(i * 0.05);
  for (double v : {-0.0,
                   1.0,
                   -1.0,
                   0.5,
                   -0.5,
                   2.5,
                   33.0,
                   34.0,
                   700.0,
                   699.9,
                   1e10,
                   -1e10,
                   3e9,
                   1e300,
                   -1e300,
                   5e-324,
                   1e-310,
                   std::numbers::pi / 2,
                   std::numbers::pi,
                   nan,
                   -nan,
                   inf,
                   -inf})
    xs.push_back(v);
  return xs;
}

using bits = uint64_t;

// The program must give what the tree walk gives: the ok flag always, the
// value's bits where ok, and 0 where not.
void expectsame(const tnode* root, const std::string& what, const std::vector<double>& xs,
                double y = 0) {
  tprogram program;
  ASSERT_TRUE(program.compile(root)) << what;
  std::vector<double> values(xs.size(), -1);
  std::unique_ptr<bool[]> okbuf(new bool[xs.size()]);
  program.evalmany(xs, y, values, std::span<bool>(okbuf.get(), xs.size()));
  int mismatches = 0;
  for (std::size_t i = 0; i < xs.size() && mismatches < 5; ++i) {
    const evalresult want = evalexpr(root, xs[i], y);
    const evalresult one = program.evaluate(xs[i], y);
    const bool same1 =
        one.ok == want.ok && std::bit_cast<bits>(one.value) == std::bit_cast<bits>(want.value);
    const bool samemany =
        okbuf[i] == want.ok && std::bit_cast<bits>(values[i]) == std::bit_cast<bits>(want.value);
    if (!same1 || !samemany) ++mismatches;
    EXPECT_TRUE(same1) << what << " at x=" << xs[i] << ": tree " << want.ok << " " << want.value
                       << ", program " << one.ok << " " << one.value;
    EXPECT_TRUE(samemany) << what << " at x=" << xs[i] << ": tree " << want.ok << " " << want.value
                          << ", batch " << okbuf[i] << " " << values[i];
  }
}

struct paramset {
  const char* name;
  std::array<double, 5> p;
};

const paramset paramsets[] = {
    {"plain", {1.5, -2, 0.5, 3, 0.25}},
    {"zeros", {0, 0, 0, 0, 0}},
    {"extreme", {-1, 1e30, -1e-30, 2, 1e38}},
};

class agrees : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { saved_ = paramvalues(); }
  void TearDown() override { paramvalues() = saved_; }

 private:
  std::array<real48, 5> saved_;
};

TEST_P(agrees, with_the_tree_walk) {
  texpression e;
  parseexpr(e, GetParam());
  ASSERT_EQ(e.errcode, 0) << GetParam() << " " << e.errmark;
  const auto xs = samplexs();
  for (const paramset& s : paramsets) {
    for (int k = 1; k <= 5; ++k) setparamvalue(k, s.p[k - 1]);
    expectsame(&e.root, std::string(GetParam()) + " with " + s.name, xs);
  }
}

INSTANTIATE_TEST_SUITE_P(
    formulas, agrees,
    ::testing::Values(
        // leaves and the four operations, either side constant
        "x", "5", "a", "y", "x+1", "1+x", "x-1", "1-x", "x*3", "3*x", "x/3", "3/x", "x/x",
        "1/(x-x)", "-x", "-(x+1)", "(x)", "((x))*(x)", "x+y", "a*x^2+b*x+c", "a*b*x", "(a+b)*x",
        "a/b+x", "x/(a-a)", "a/(x+b)+c", "e*x-d", "-a", "a*b", "a/b", "(a-b)/(c*d)",
        // powers by every rule
        "x^2", "x^3", "x^4", "x^16", "x^17", "x^0.5", "x^-1", "x^0", "x^-2", "x^2.5", "2^x",
        "(-2)^x", "0^x", "x^x", "(-8)^(1/3)", "x^(1/3)", "x^1e10", "2^3^2", "a^x", "x^a", "a^b",
        "(x-1)^(x+1)", "(-x)^3", "(x*1e100)^4", "x^(a+b)", "(a-b)^x", "0^0*x", "x^(-x)",
        // every function
        "abs(x)", "arctan(x)", "cos(x)", "exp(x)", "exp(x*100)", "frac(x)", "fak(x)", "int(x)",
        "invsin(x)", "invcos(x)", "ln(x)", "log(x)", "round(x)", "sign(x)", "sin(x)", "sqr(x)",
        "sqrt(x)", "tan(x)", "tg(x)", "invsin(x/10)", "invcos(x/10)", "fak(abs(round(x)))",
        "round(x*1e9)", "sign(x-1)", "frac(x*1e20)", "sqrt(a)*x", "ln(a)*x", "sin(a)+cos(x)",
        "exp(a*x)", "tan(b)*x",
        // the benchmark's formulas
        "sin(x)*exp(-x/5)", "sqrt(abs(x))+ln(x^2+1)", "x^3-2*x^2+x-1",
        // overflow and invalid operations
        "x*1e308*10", "exp(x)^x", "sqr(sqr(sqr(x*1e30)))", "x*1e-320", "1/(x*1e-320)",
        "x*1e308+x*1e308", "ln(x)*0", "sqrt(x-20)", "sin(x*1e308*10)", "x*1e308*10-x*1e308*10",
        "1/(x*1e308*10)", "exp(-(x*1e308*10))", "a*1e38*1e38*x",
        // parts that are the same at every x, folded or not
        "1/0+x", "ln(-1)*x", "x+2*3", "sin(2)*x", "exp(700)+x", "fak(34)*x", "x+1e308*10",
        "(a-a)/(b-b)+x", "x*ln(a-a)", "sqrt(-1)", "2*3", "1e308*10", "-(2^0.5)"),
    [](const auto& info) {
      std::string name;
      for (const char* p = info.param; *p; ++p) {
        const char c = *p;
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      }
      return name + "_" + std::to_string(info.index);
    });

TEST(tprogram, odd_trees_agree_with_the_tree_walk) {
  const auto xs = samplexs();
  const tnode x{nodekind::varx};
  const tnode one{nodekind::number, nullptr, nullptr, 1};
  const tnode nanleaf{nodekind::number, nullptr, nullptr, nan};
  const tnode infleaf{nodekind::number, nullptr, nullptr, inf};
  const tnode lonelysum{nodekind::sum, &x, nullptr};
  const tnode lonelyright{nodekind::product, nullptr, &x};
  const tnode unknown{42, &x, &one};
  const tnode unknownleaf{-3, &x};
  const tnode bareleaf{-4};
  const tnode emptyfunction{nodekind::function0 + 15};
  const tnode nofunction{nodekind::function0 + 20, &x};
  const tnode functionzero{nodekind::function0, &x};
  const tnode leafwithchildren{nodekind::varx, &one, &one};
  const tnode negationwithright{nodekind::negation, &x, &nanleaf};
  const tnode reciprocalinf{nodekind::quotient, &one, &infleaf};
  const tnode xoverinf{nodekind::quotient, &x, &infleaf};
  const tnode nanpower{nodekind::power, &x, &nanleaf};
  const tnode nanbase{nodekind::power, &nanleaf, &x};
  const tnode signnan{nodekind::function0 + 14, &nanleaf};
  const tnode plusnan{nodekind::sum, &x, &nanleaf};
  const tnode arctaninf{nodekind::function0 + 2, &infleaf};
  const tnode atanplusx{nodekind::sum, &arctaninf, &x};
  const struct {
    const char* name;
    const tnode* root;
  } rows[] = {
      {"sum without right", &lonelysum},
      {"product without left", &lonelyright},
      {"unknown kind takes its left", &unknown},
      {"unknown leaf kind takes its left", &unknownleaf},
      {"unknown leaf without children", &bareleaf},
      {"function without argument", &emptyfunction},
      {"function number 20", &nofunction},
      {"kind 100", &functionzero},
      {"leaf children are ignored", &leafwithchildren},
      {"negation ignores its right", &negationwithright},
      {"one over infinity", &reciprocalinf},
      {"x over infinity", &xoverinf},
      {"exponent NaN", &nanpower},
      {"base NaN", &nanbase},
      {"sign of NaN", &signnan},
      {"x plus NaN", &plusnan},
      {"arctan of infinity", &atanplusx},
  };
  for (const auto& r : rows) expectsame(r.root, r.name, xs);
  EXPECT_FALSE(tprogram(nullptr).evaluate(1, 0).ok);
  EXPECT_FALSE(tprogram().evaluate(1, 0).ok);
}

TEST(tprogram, y_is_read_as_given) {
  const auto xs = samplexs();
  for (const char* formula : {"x+y", "y*x", "ln(y)+x", "y^x", "x/y", "y"}) {
    texpression e;
    parseexpr(e, formula);
    for (double y : {0.0, -2.0, 3.5, 1e308, nan})
      expectsame(&e.root, std::string(formula) + " y=" + std::to_string(y), xs, y);
  }
}

TEST(tprogram, batches_of_every_length_agree) {
  texpression e;
  parseexpr(e, "sqrt(abs(x))+ln(x)/(x-1)");
  const tprogram program(&e.root);
  for (std::size_t n : {0u, 1u, 127u, 128u, 129u, 300u}) {
    std::vector<double> xs(n);
    for (std::size_t i = 0; i < n; ++i) xs[i] = -2.0 + 0.5 * static_cast<double>(i);
    expectsame(&e.root, "length " + std::to_string(n), xs);
  }
  // Spans of unequal length: only the common part is written.
  const std::vector<double> xs{2, 3, 4};
  std::vector<double> values{-1, -1};
  bool oks[3] = {false, false, true};
  program.evalmany(xs, 0, values, std::span<bool>(oks, 1));
  EXPECT_EQ(values[0], std::sqrt(2.0) + std::log(2.0));
  EXPECT_EQ(values[1], -1);
  EXPECT_TRUE(oks[0]);
  EXPECT_TRUE(oks[2]);
}

TEST(tprogram, flags_left_by_other_code_do_not_count) {
  texpression e;
  parseexpr(e, "x*2");
  const tprogram program(&e.root);
  std::feraiseexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
  const evalresult r = program.evaluate(3, 0);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.value, 6);
  std::feraiseexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
  const std::vector<double> xs{1, 2};
  std::vector<double> values(2);
  bool oks[2] = {};
  program.evalmany(xs, 0, values, oks);
  EXPECT_TRUE(oks[0] && oks[1]);
  EXPECT_EQ(values[1], 4);
}

TEST(tprogram, compiling_keeps_the_callers_flags) {
  texpression e;
  parseexpr(e, "x+1/0+1e308*10");
  std::feclearexcept(FE_ALL_EXCEPT);
  std::feraiseexcept(FE_INEXACT);
  const tprogram program(&e.root);
  EXPECT_FALSE(program.evaluate(1, 0).ok);
  EXPECT_EQ(program.size(), 0u);  // undefined everywhere: nothing left to run
  std::feclearexcept(FE_ALL_EXCEPT);
  std::feraiseexcept(FE_DIVBYZERO);
  const tprogram again(&e.root);
  EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO));
  EXPECT_FALSE(std::fetestexcept(FE_OVERFLOW));
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(tprogram, constants_are_worked_out_once) {
  texpression e;
  parseexpr(e, "x*(2+3)^2-sin(0)");
  const tprogram program(&e.root);
  EXPECT_EQ(program.size(), 2u);  // one product, one difference
  EXPECT_EQ(program.evaluate(2, 0).value, 50);
}

TEST(tprogram, parameters_are_read_at_each_call) {
  const auto saved = paramvalues();
  texpression e;
  parseexpr(e, "a*x+b");
  const tprogram program(&e.root);
  setparamvalue(1, 2);
  setparamvalue(2, 1);
  EXPECT_EQ(program.evaluate(3, 0).value, 7);
  setparamvalue(2, -1);
  EXPECT_EQ(program.evaluate(3, 0).value, 5);
  const std::vector<double> xs{3};
  std::vector<double> values(1);
  bool ok[1] = {};
  setparamvalue(1, 0);
  program.evalmany(xs, 0, values, ok);
  EXPECT_EQ(values[0], -1);
  paramvalues() = saved;
}

TEST(tprogram, random_is_drawn_at_every_point) {
  texpression e;
  parseexpr(e, "random(6)+x*0");
  const tprogram program(&e.root);
  std::vector<double> xs(600, 1.0);
  std::vector<double> values(xs.size());
  std::unique_ptr<bool[]> oks(new bool[xs.size()]);
  program.evalmany(xs, 0, values, std::span<bool>(oks.get(), xs.size()));
  std::set<double> seen;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    ASSERT_TRUE(oks[i]);
    seen.insert(values[i]);
  }
  EXPECT_EQ(seen, (std::set<double>{0, 1, 2, 3, 4, 5}));
  texpression f;
  parseexpr(f, "random(0)");
  const evalresult r = tprogram(&f.root).evaluate(0, 0);
  EXPECT_TRUE(r.ok && r.value >= 0 && r.value < 1);
}

TEST(tprogram, a_shared_tree_too_large_to_unfold_is_refused) {
  // Each level uses the one below twice: 2^25 nodes to visit.
  nodepool pool;
  const tnode* n = pool.make(nodekind::varx);
  for (int i = 0; i < 25; ++i) n = pool.make(nodekind::sum, n, n);
  tprogram program;
  EXPECT_FALSE(program.compile(n));
  EXPECT_TRUE(program.empty());
  EXPECT_FALSE(program.evaluate(1, 0).ok);
  // A long chain that fits is fine.
  const tnode* chain = pool.make(nodekind::varx);
  for (int i = 0; i < 2000; ++i)
    chain = pool.make(nodekind::sum, chain, pool.make(nodekind::number, nullptr, nullptr, 1));
  expectsame(chain, "chain", {0.0, 1.5, -3.0});
}

}  // namespace
