// The derivative of every family, the derivative figures, tangent slopes and
// the hyperbola's pole.
#include "figures/derivatives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "expr/parseexpr.h"
#include "figurerig.h"
#include "figures/tcustom.h"

namespace {

std::unique_ptr<tfigure> makecustom(figurerig& rig, const std::string& text,
                                    std::array<double, 5> p = {}) {
  std::unique_ptr<tfigure> f = makefigure(family::custom, rig.coords, rig.host);
  texpression e;
  parseexpr(e, text);
  EXPECT_EQ(e.errcode, 0) << text;
  dynamic_cast<tcustom&>(*f).setformula(e);
  f->reset();
  for (int k = 1; k <= 5; ++k) f->param[k] = p[k - 1];
  return f;
}

// Puts the default parameter letters back whatever a test did to them.
struct letterguard {
  ~letterguard() { setparamletters("abcde"); }
};

TEST(derivatives, EveryFamilyGivesCodeCoefficientsAndText) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    int code;
    std::array<double, 5> c;
    const char* text;
  };
  const row rows[] = {
      {"line 3x+1 is y = 3", family::line, {3, 1}, family::line, {0, 3}, "a"},
      {"parabola", family::parabola, {1.5, 2, 3}, family::line, {3, 2}, "2*a*x+b"},
      {"vertex parabola 1,2,0 is 2x-4",
       family::vertexparab,
       {1, 2, 0},
       family::line,
       {2, -4},
       "2*a*(x-b)"},
      {"cubic 1,0,-3,0 is 3x^2-3",
       family::cubic,
       {1, 0, -3, 0},
       family::parabola,
       {3, 0, -3},
       "3*a*x\xB2+2*b*x+c"},
      {"quartic",
       family::quartic,
       {1, 2, 3, 4, 5},
       family::cubic,
       {4, 6, 6, 4},
       "4*a*x\xB3+3*b*x\xB2+2*c*x+d"},
      {"hyperbola", family::hyperbola, {1, 2, 3}, family::custom, {1, 2}, "-a/((x+b)*(x+b))"},
      {"sine", family::sine, {2, 3, 1, 5}, family::cosine, {2, 3, 1, 5}, "a*cos(b*x+c)*b"},
      {"cosine", family::cosine, {2, 3, 1, 5}, family::sine, {2, 3, 1, 5}, "(-1)*a*sin(b*x+c)*b"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = rig.make(r.kind, r.p);
    std::array<double, 6> c;
    c.fill(99);
    std::string text = "old";
    EXPECT_EQ(f->derivative(c, text), r.code);
    EXPECT_EQ(text, r.text);
    for (int k = 1; k <= 5; ++k) EXPECT_DOUBLE_EQ(c[k], r.c[k - 1]) << k;
  }
}

TEST(derivatives, DerivativeFiguresDrawTheDerivative) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    int code;
    std::array<double, 5> params;
  };
  const row rows[] = {
      {"line 3x+1", family::line, {3, 1}, family::line, {0, 3}},
      {"vertex parabola", family::vertexparab, {1, 2, 0}, family::line, {2, -4}},
      {"cubic", family::cubic, {1, 0, -3, 0}, family::parabola, {3, 0, -3}},
      {"quartic", family::quartic, {1, -1, 2, 0.5, 3}, family::cubic, {4, -3, 4, 0.5}},
      {"2sin(3x+1)+5 is 6cos(3x+1)", family::sine, {2, 3, 1, 5}, family::cosine, {6, 3, 1, 0}},
      {"2cos(3x+1)+5 is -6sin(3x+1)", family::cosine, {2, 3, 1, 5}, family::sine, {-6, 3, 1, 0}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = rig.make(r.kind, r.p);
    const tderivfigure d = derivativefigure(*f);
    ASSERT_EQ(d.status, derivstatus::ok);
    EXPECT_EQ(d.code, r.code);
    for (int k = 1; k <= 5; ++k) EXPECT_DOUBLE_EQ(d.params[k], r.params[k - 1]) << k;
    // The new figure is the derivative: compare with a difference quotient.
    auto g = rig.make(d.code, {d.params[1], d.params[2], d.params[3], d.params[4], d.params[5]});
    for (double x : {-2.0, -0.5, 0.0, 0.7, 1.5}) {
      const double h = 1e-5;
      EXPECT_NEAR(g->value(x), (f->value(x + h) - f->value(x - h)) / (2 * h), 1e-4) << x;
    }
  }
}

TEST(derivatives, FormulaDerivativeBecomesAParsedFormula) {
  figurerig rig;
  auto h = rig.make(family::hyperbola, {1, 2, 3});
  const tderivfigure d = derivativefigure(*h);
  EXPECT_EQ(d.status, derivstatus::ok);
  EXPECT_EQ(d.code, family::custom);
  EXPECT_EQ(d.expression.errcode, 0);
  EXPECT_EQ(d.expression.text, "-a/((x+b)*(x+b))");
  auto g = makecustom(rig, d.text, {d.params[1], d.params[2]});
  EXPECT_DOUBLE_EQ(g->value(1), -1.0 / 9);
}

TEST(derivatives, CustomFormulaIsDifferentiatedSymbolically) {
  struct row {
    const char* name;
    const char* formula;
    std::array<double, 5> p;
    std::array<double, 5> c;
  };
  const row rows[] = {
      {"a*x^2+b*x+c", "a*x^2+b*x+c", {2, 3, 4}, {2, 3, 4}},
      {"no parameters", "x^3", {7, 7}, {0, 0}},
      // Parameter k always belongs to letter k; an unused a must not shift b.
      {"b alone keeps its own slot", "b*x^2", {5, 3}, {0, 3}},
      {"c and e", "c*sin(x)+e*x", {1, 2, 3, 4, 5}, {0, 0, 3, 0, 5}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = makecustom(rig, r.formula, r.p);
    std::array<double, 6> c{};
    std::string text;
    EXPECT_EQ(f->derivative(c, text), family::custom);
    for (int k = 1; k <= 5; ++k) EXPECT_DOUBLE_EQ(c[k], r.c[k - 1]) << k;
    // The text with the coefficients is the derivative.
    const tderivfigure d = derivativefigure(*f);
    ASSERT_EQ(d.status, derivstatus::ok) << text;
    auto g = makecustom(rig, text, {c[1], c[2], c[3], c[4], c[5]});
    for (double x : {-1.5, 0.25, 2.0}) {
      const double h = 1e-5;
      EXPECT_NEAR(g->value(x), (f->value(x + h) - f->value(x - h)) / (2 * h), 1e-4) << x;
    }
  }
}

TEST(derivatives, TangentSlopes) {
  struct row {
    const char* name;
    int kind;
    const char* formula;  // family 8 only
    std::array<double, 5> p;
    double x0, slope;
  };
  const row rows[] = {
      {"y = x^2 at 1", family::parabola, "", {1, 0, 0}, 1, 2},
      {"y = x^2 at 2", family::parabola, "", {1, 0, 0}, 2, 4},
      {"vertex form at 3", family::vertexparab, "", {1, 2, 0}, 3, 2},
      {"flat parabola (a = 0) is accepted", family::parabola, "", {0, 2, 1}, 5, 2},
      {"hyperbola 1,0,0 at 1", family::hyperbola, "", {1, 0, 0}, 1, -1},
      {"hyperbola shifted", family::hyperbola, "", {2, 1, 5}, 1, -0.5},
      {"sine at 0", family::sine, "", {2, 3, 1, 5}, 0, 6 * std::cos(1)},
      {"cosine at 0", family::cosine, "", {2, 3, 1, 5}, 0, -6 * std::sin(1)},
      {"cubic at 2", family::cubic, "", {1, 0, -3, 0}, 2, 9},
      {"quartic at 1", family::quartic, "", {1, 0, 0, 0, 0}, 1, 4},
      {"formula at 2", family::custom, "a*x^3", {2}, 2, 24},
      {"formula with b only", family::custom, "b*x^2", {0, 3}, 1, 6},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = r.kind == family::custom ? makecustom(rig, r.formula, r.p) : rig.make(r.kind, r.p);
    const tslope s = tangentslope(*f, r.x0);
    ASSERT_TRUE(s.ok);
    EXPECT_NEAR(s.value, r.slope, 1e-9);
  }
}

TEST(derivatives, TangentLineOfXSquared) {
  figurerig rig;
  auto f = rig.make(family::parabola, {1, 0, 0});
  const tslopesource src = slopesource(*f);
  for (auto [x0, a, b] : {std::array<double, 3>{1, 2, -1}, std::array<double, 3>{2, 4, -4}}) {
    const tslope s = slopeat(src, x0);
    ASSERT_TRUE(s.ok);
    EXPECT_DOUBLE_EQ(s.value, a);
    EXPECT_DOUBLE_EQ(f->value(x0) - s.value * x0, b);
  }
}

TEST(derivatives, UndefinedSlopeIsNotOk) {
  figurerig rig;
  auto f = makecustom(rig, "ln(x)");
  EXPECT_FALSE(tangentslope(*f, 0).ok);
  EXPECT_TRUE(tangentslope(*f, 2).ok);
}

TEST(derivatives, RenamedParameterLettersAreUsedInTheTexts) {
  letterguard guard;
  setparamletters("pqrst");
  figurerig rig;
  auto f = rig.make(family::sine, {2, 3, 1, 5});
  std::array<double, 6> c{};
  std::string text;
  f->derivative(c, text);
  EXPECT_EQ(text, "p*cos(q*x+r)*q");
  const tslope s = tangentslope(*f, 0);
  ASSERT_TRUE(s.ok);
  EXPECT_NEAR(s.value, 6 * std::cos(1), 1e-9);

  auto h = rig.make(family::hyperbola, {1, 0, 0});
  EXPECT_EQ(derivativefigure(*h).status, derivstatus::ok);
  EXPECT_NEAR(tangentslope(*h, 1).value, -1, 1e-12);
}

TEST(derivatives, LongOrUnparsableDerivativeTextsAreRefused) {
  figurerig rig;
  // Each level of the chain rule multiplies the text: the derivative of this
  // formula is far longer than a formula may be.
  auto f = makecustom(rig, "sin(sin(sin(sin(sin(sin(x))))))");
  const tderivfigure d = derivativefigure(*f);
  ASSERT_GT(d.text.size(), tcustom::maxformula);
  EXPECT_EQ(d.status, derivstatus::toolong);

  // Nine nested roots parse; their derivative nests deeper than the parser's
  // stacks. The tangent gets an error value, never a crash.
  std::string deep = "x";
  for (int i = 0; i < 9; ++i) deep = "sqrt(" + deep + ")";
  auto g = makecustom(rig, deep);
  const tslopesource src = slopesource(*g);
  EXPECT_EQ(src.status, derivstatus::badtext);
  EXPECT_EQ(src.errcode, 10);
  EXPECT_FALSE(slopeat(src, 2).ok);
  EXPECT_FALSE(tangentslope(*g, 2).ok);
  EXPECT_EQ(derivativefigure(*g).status, derivstatus::toolong);
}

TEST(derivatives, OnlyTheHyperbolaHasAPole) {
  figurerig rig;
  auto h = rig.make(family::hyperbola, {1, 2, 3});
  ASSERT_TRUE(figurepole(*h).has_value());
  EXPECT_DOUBLE_EQ(*figurepole(*h), -2);
  for (int kind : {0, 1, 2, 4, 5, 6, 7}) EXPECT_FALSE(figurepole(*rig.make(kind, {1, 1, 1})));
  EXPECT_FALSE(figurepole(*makecustom(rig, "1/x")));
}

}  // namespace
