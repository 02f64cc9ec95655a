// Special points of curves against values known in closed form, the refined
// crossing of two curves, and the rows of a table of values.
#include "figures/curvepoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "expr/parseexpr.h"
#include "figurerig.h"
#include "figures/tcustom.h"

namespace {

using sk = specialkind;
constexpr double pi = std::numbers::pi;

std::unique_ptr<tfigure> makecurve(figurerig& rig, int kind, std::array<double, 5> p,
                                   const char* formula) {
  if (kind != family::custom) return rig.make(kind, p);
  std::unique_ptr<tfigure> f = makefigure(family::custom, rig.coords, rig.host);
  texpression e;
  parseexpr(e, formula);
  EXPECT_EQ(e.errcode, 0) << formula;
  dynamic_cast<tcustom&>(*f).setformula(e);
  f->reset();
  for (int k = 1; k <= 5; ++k) f->param[k] = p[k - 1];
  return f;
}

specialpoints find(const tfigure& f, specialwindow w = {}) {
  return findspecialpoints([&](double x) { return f.value(x); }, w);
}

std::string describe(const specialpoints& s) {
  std::string out;
  char buf[96];
  for (const specialpoint& p : s.points) {
    std::snprintf(buf, sizeof buf, "%s %.12g %.12g; ", specialcode(p.kind), p.x, p.y);
    out += buf;
  }
  return out;
}

TEST(specialpoints, familiesandformulasagainstclosedform) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    const char* formula;
    std::vector<specialpoint> expected;
  };
  const double r2 = std::sqrt(2.0), r3 = std::sqrt(3.0);
  const std::vector<row> rows = {
      {"x^2-2: two zeros and the vertex",
       family::parabola,
       {1, 0, -2},
       nullptr,
       {{sk::zero, -r2, 0}, {sk::minimum, 0, -2}, {sk::yaxis, 0, -2}, {sk::zero, r2, 0}}},
      {"2x^2-3x+1",
       family::parabola,
       {2, -3, 1},
       nullptr,
       {{sk::yaxis, 0, 1}, {sk::zero, 0.5, 0}, {sk::minimum, 0.75, -0.125}, {sk::zero, 1, 0}}},
      {"vertex form -(x-3)^2+4",
       family::vertexparab,
       {-1, 3, 4},
       nullptr,
       {{sk::yaxis, 0, -5}, {sk::zero, 1, 0}, {sk::maximum, 3, 4}, {sk::zero, 5, 0}}},
      {"x^2 touches zero at 0",
       family::parabola,
       {1, 0, 0},
       nullptr,
       {{sk::zero, 0, 0}, {sk::minimum, 0, 0}, {sk::yaxis, 0, 0}}},
      {"x^3-3x",
       family::cubic,
       {1, 0, -3, 0},
       nullptr,
       {{sk::zero, -r3, 0},
        {sk::maximum, -1, 2},
        {sk::zero, 0, 0},
        {sk::yaxis, 0, 0},
        {sk::minimum, 1, -2},
        {sk::zero, r3, 0}}},
      {"a line has no extrema",
       family::line,
       {0.5, 1},
       nullptr,
       {{sk::zero, -2, 0}, {sk::yaxis, 0, 1}}},
      {"hyperbola 1/(x-2)+1: its one zero, nothing at the pole",
       family::hyperbola,
       {1, -2, 1},
       nullptr,
       {{sk::yaxis, 0, 0.5}, {sk::zero, 1, 0}}},
      {"hyperbola 1/x: no zero across the pole, no y-axis crossing",
       family::hyperbola,
       {1, 0, 0},
       nullptr,
       {}},
      {"1/x^2 has neither zero nor extremum at its pole", family::custom, {}, "1/x^2", {}},
      {"ln x: its zero at 1, nothing at the edge of its domain",
       family::custom,
       {},
       "ln(x)",
       {{sk::zero, 1, 0}}},
      {"sqrt(x) starts with a zero",
       family::custom,
       {},
       "sqrt(x)",
       {{sk::zero, 0, 0}, {sk::yaxis, 0, 0}}},
      {"sign(x) jumps through zero", family::custom, {}, "sign(x)", {}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = makecurve(rig, r.kind, r.p, r.formula);
    const specialpoints s = find(*f);
    EXPECT_FALSE(s.incomplete);
    ASSERT_EQ(s.points.size(), r.expected.size()) << describe(s);
    for (size_t i = 0; i < r.expected.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(s.points[i].kind, r.expected[i].kind) << describe(s);
      EXPECT_NEAR(s.points[i].x, r.expected[i].x, 1e-7) << describe(s);
      EXPECT_NEAR(s.points[i].y, r.expected[i].y, 1e-9) << describe(s);
    }
  }
}

TEST(specialpoints, zerosarerefinedtofullprecision) {
  figurerig rig;
  auto f = makecurve(rig, family::parabola, {1, 0, -2}, nullptr);
  const specialpoints s = find(*f);
  ASSERT_FALSE(s.points.empty());
  EXPECT_EQ(s.points.front().kind, sk::zero);
  EXPECT_NEAR(s.points.front().x, -std::sqrt(2.0), 4e-16);
}

TEST(specialpoints, periodiccurvesoverseveralperiods) {
  struct row {
    const char* name;
    int kind;
    double phase;  // of the first zero
    double firstmax;
  };
  // sin x zeros at k*pi, maxima at pi/2 + 2k*pi; cos x zeros at pi/2 + k*pi,
  // maxima at 2k*pi. Over -10..10: 7 zeros, 3 maxima and 3 minima for sin,
  // 6 zeros, 4 maxima... counted below from the formulas.
  const std::vector<row> rows = {{"sine", family::sine, 0, pi / 2},
                                 {"cosine", family::cosine, pi / 2, 0}};
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = makecurve(rig, r.kind, {1, 1, 0, 0}, nullptr);
    const specialpoints s = find(*f);
    int zeros = 0, maxima = 0, minima = 0;
    for (const specialpoint& p : s.points) {
      const double k = p.kind == sk::zero      ? (p.x - r.phase) / pi
                       : p.kind == sk::maximum ? (p.x - r.firstmax) / (2 * pi)
                       : p.kind == sk::minimum ? (p.x - r.firstmax - pi) / (2 * pi)
                                               : 0;
      EXPECT_NEAR(k, std::round(k), 1e-8) << specialcode(p.kind) << " " << p.x;
      zeros += p.kind == sk::zero;
      maxima += p.kind == sk::maximum;
      minima += p.kind == sk::minimum;
    }
    auto within = [](double first, double period) {
      int n = 0;
      for (int k = -10; k <= 10; ++k) n += std::fabs(first + k * period) <= 10;
      return n;
    };
    EXPECT_EQ(zeros, within(r.phase, pi));
    EXPECT_EQ(maxima, within(r.firstmax, 2 * pi));
    EXPECT_EQ(minima, within(r.firstmax + pi, 2 * pi));
  }
}

TEST(specialpoints, tangivesitszerosandnopoles) {
  figurerig rig;
  auto f = makecurve(rig, family::custom, {}, "tan(x)");
  const specialpoints s = find(*f);
  int zeros = 0;
  for (const specialpoint& p : s.points) {
    EXPECT_NE(p.kind, sk::maximum);
    EXPECT_NE(p.kind, sk::minimum);
    if (p.kind == sk::zero) {
      ++zeros;
      EXPECT_NEAR(p.x / pi, std::round(p.x / pi), 1e-12);
    }
  }
  EXPECT_EQ(zeros, 7);  // -3pi .. 3pi
}

TEST(specialpoints, fastoscillationendsboundedwithanote) {
  figurerig rig;
  auto f = makecurve(rig, family::custom, {}, "sin(1/x)");
  const specialwindow w{-1, 1, -2, 2, 1600};
  const specialpoints s = find(*f, w);
  EXPECT_TRUE(s.incomplete);
  // A fixed budget per sample, whatever the curve does.
  EXPECT_LT(s.evaluations, 1601 * 300);
  EXPECT_FALSE(s.points.empty());
  // A smooth curve needs no note.
  auto g = makecurve(rig, family::custom, {}, "sin(x)");
  EXPECT_FALSE(find(*g, w).incomplete);
}

TEST(specialpoints, pointsoutsidethewindowareleftout) {
  figurerig rig;
  auto f = makecurve(rig, family::parabola, {1, 0, -2}, nullptr);
  // The vertex (0, -2) lies below this window; the zeros lie right of 0 only once.
  const specialpoints s = find(*f, {0, 5, -1, 5, 500});
  ASSERT_EQ(s.points.size(), 1u) << describe(s);
  EXPECT_EQ(s.points[0].kind, sk::zero);
  EXPECT_NEAR(s.points[0].x, std::sqrt(2.0), 1e-12);
}

TEST(specialpoints, crossingsrefinedexactly) {
  const auto parab = [](double x) { return x * x; };
  const auto line = [](double x) { return x + 2; };
  const auto hyper = [](double x) { return x == 0 ? 0.0 : 1 / x; };
  const auto zero = [](double) { return 0.0; };
  const specialwindow w;
  struct row {
    const char* name;
    curvefunction f, g;
    double x0, x1;
    std::optional<double> expected;
  };
  const std::vector<row> rows = {
      {"x^2 and x+2 at 2", parab, line, 1.99, 2.02, 2.0},
      {"x^2 and x+2 at -1", parab, line, -1.01, -0.98, -1.0},
      {"a pole is no crossing", hyper, zero, -0.01, 0.02, std::nullopt},
      {"no change of sign", parab, zero, 1, 2, std::nullopt},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::optional<double> x = refinecrossing(r.f, r.g, r.x0, r.x1, w);
    ASSERT_EQ(x.has_value(), r.expected.has_value());
    if (x) {
      EXPECT_NEAR(*x, *r.expected, 1e-12);
    }
  }
}

TEST(specialpoints, tablerows) {
  struct row {
    const char* name;
    double from, to, step;
    std::vector<double> expected;
    int64_t rows;
  };
  const std::vector<row> rows = {
      {"tenths reach the end", 0, 0.3, 0.1, {0, 0.1, 0.2, 0.3}, 4},
      {"through zero, exactly 0", -0.3, 0.1, 0.1, {-0.3, -0.2, -0.1, 0, 0.1}, 5},
      {"one row", 2, 2, 1, {2}, 1},
      {"wrong order", 3, 2, 1, {}, 0},
      {"step 0", 0, 1, 0, {}, 0},
      {"negative step", 0, 1, -1, {}, 0},
      {"not a number", NAN, 1, 1, {}, 0},
      {"10000 rows", 1, 10000, 1, {}, 10000},
      {"too many rows", 0, 1, 1e-9, {}, maxtablerows + 1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(tablerows(r.from, r.to, r.step), r.rows);
    const std::vector<double> xs = tablexs(r.from, r.to, r.step);
    if (r.rows > maxtablerows) {
      EXPECT_TRUE(xs.empty());
    } else {
      EXPECT_EQ(static_cast<int64_t>(xs.size()), r.rows);
    }
    for (size_t i = 0; i < r.expected.size() && i < xs.size(); ++i)
      EXPECT_EQ(xs[i], r.expected[i]) << i;
  }
}

}  // namespace
