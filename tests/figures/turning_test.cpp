// Turning figures about their fix points (rotate tool) and moving them (move
// tool), with the limit checks that undo a step.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "expr/parseexpr.h"
#include "figurerig.h"
#include "figures/tcustom.h"
#include "figures/tellipse.h"

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

void widelimits(figurerig& rig) {
  for (int k = 1; k <= 5; ++k) {
    rig.host.mins[k] = -1e9f;
    rig.host.maxs[k] = 1e9f;
  }
}

void setfix(tfigure& f, int i, double x, double y) {
  f.fixx[i] = x;
  f.fixy[i] = y;
}

// The pixel of a world point in the 1000 x 1000 rig over -10..10.
platform::point pix(double x, double y) {
  return {static_cast<int32_t>(std::lround((x + 10) * 50)),
          static_cast<int32_t>(std::lround(1000 - (y + 10) * 50))};
}

TEST(turning, LineTurnsAboutItsFixPoint) {
  figurerig rig;
  auto f = rig.make(family::line, {1, 1});
  f->calculate();
  f->initfixpoints();  // (0, 1)
  f->dragto(2, 5);
  EXPECT_DOUBLE_EQ(f->param[1], 2);
  EXPECT_DOUBLE_EQ(f->param[2], 1);
  EXPECT_DOUBLE_EQ(f->dragx, 2);
  EXPECT_DOUBLE_EQ(f->dragy, 5);
  EXPECT_EQ(rig.host.paramtexts[1], "2.00");
  EXPECT_FALSE(f->dragging);
  EXPECT_FALSE(f->updating);
}

TEST(turning, StepsThatWouldDivideByZeroChangeNothingButRecordThePointer) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    double fx, fy;  // fix point 1
    double dx, dy;  // drag reference before the step
    double x, y;    // the step
  };
  const row rows[] = {
      {"line: pointer above the fix point", family::line, {1, 1}, 0, 1, 0, 0, 0, 7},
      {"vertex parabola: pointer at the vertex's x",
       family::vertexparab,
       {1, 2, 3},
       2,
       3,
       0,
       0,
       2,
       5},
      {"parabola: reference on the fix point's vertical",
       family::parabola,
       {1, 0, 0},
       1,
       1,
       1,
       4,
       3,
       9},
      {"parabola: reference on the fix point's horizontal",
       family::parabola,
       {1, 0, 0},
       1,
       1,
       2,
       1,
       3,
       9},
      {"parabola: pointer on the fix point's vertical",
       family::parabola,
       {1, 0, 0},
       1,
       1,
       2,
       4,
       1,
       9},
      {"cubic: reference at the fix point", family::cubic, {1, 0, -3, 0}, 0, 0, 0, 0, 2, 2},
      {"quartic: pointer on the horizontal", family::quartic, {1, 0, 0, 0, 0}, 0, 0, 1, 1, 2, 0},
      {"sine: first step only records", family::sine, {1, 1, 0, 0}, 0, 0, 0, 0, 2, 1},
      {"sine: reference at the fix point's height", family::sine, {1, 1, 0, 0}, 0, 0, 1, 0, 2, 1},
      {"cosine: pointer at the fix point's height", family::cosine, {1, 1, 0, 0}, 0, 1, 1, 2, 2, 1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = rig.make(r.kind, r.p);
    f->calculate();
    setfix(*f, 1, r.fx, r.fy);
    f->dragx = r.dx;
    f->dragy = r.dy;
    const auto before = f->param;
    f->dragto(r.x, r.y);
    for (int k = 1; k <= 5; ++k) EXPECT_DOUBLE_EQ(f->param[k], before[k]) << k;
    EXPECT_DOUBLE_EQ(f->dragx, r.x);
    EXPECT_DOUBLE_EQ(f->dragy, r.y);
  }
}

TEST(turning, VertexParabolaKeepsItsVertex) {
  figurerig rig;
  auto f = rig.make(family::vertexparab, {1, 2, 3});
  f->calculate();
  f->initfixpoints();  // the vertex (2, 3)
  f->dragto(4, 11);
  EXPECT_DOUBLE_EQ(f->param[1], 2);
  EXPECT_DOUBLE_EQ(f->param[2], 2);
  EXPECT_DOUBLE_EQ(f->param[3], 3);
}

TEST(turning, OneFixPointCurvesPassThroughFixPointAndPointer) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    double dx, dy;  // reference, on the curve
    double x, y;
    bool throughpointer;
  };
  const row rows[] = {
      {"parabola", family::parabola, {1, -2, 1}, 4, 9, 5, 10, true},
      {"cubic", family::cubic, {1, 0, -3, 0}, 1, -2, 2, 5, true},
      {"quartic", family::quartic, {0.1, 0, -1, 0, 2}, 1, 1.1, 2, 3, true},
      {"sine", family::sine, {1, 1, 0, 0}, 1, 0.5, 2, 1, false},
      {"cosine", family::cosine, {1, 1, 0, 0}, 1, 2, 2, 3, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    widelimits(rig);
    auto f = rig.make(r.kind, r.p);
    f->calculate();
    f->initfixpoints();
    if (r.kind == family::parabola) setfix(*f, 1, 3, 4);
    const double fx = f->fixx[1], fy = f->fixy[1];
    f->dragx = r.dx;
    f->dragy = r.dy;
    const auto before = f->param;
    f->dragto(r.x, r.y);
    EXPECT_NE(f->param, before);
    EXPECT_NEAR(f->value(fx), fy, 1e-6);
    if (r.throughpointer) {
      EXPECT_NEAR(f->value(r.x), r.y, 1e-6);
    }
  }
}

TEST(turning, ParabolaAxisMovesInProportionToTheHorizontalDrag) {
  figurerig rig;
  auto f = rig.make(family::parabola, {1, -2, 1});  // vertex (1, 0)
  f->calculate();
  setfix(*f, 1, 3, 4);
  f->dragx = 4;
  f->dragy = 9;
  f->dragto(5, 10);  // twice as far from the fix point: the axis goes from 1 to -1
  EXPECT_NEAR(f->param[1], 0.3, 1e-12);
  EXPECT_NEAR(f->param[2], 0.6, 1e-12);
  EXPECT_NEAR(f->param[3], -0.5, 1e-12);
  EXPECT_DOUBLE_EQ(dynamic_cast<tellipse&>(*f).vertexx, -1);
}

TEST(turning, WavesStretchAboutTheFixPoint) {
  figurerig rig;
  auto s = rig.make(family::sine, {1, 1, 0, 0});
  s->calculate();
  s->initfixpoints();  // (0, 0)
  s->dragx = 1;
  s->dragy = 0.5;
  s->dragto(2, 1);
  EXPECT_DOUBLE_EQ(s->param[1], 2);
  EXPECT_DOUBLE_EQ(s->param[2], 0.5);
  EXPECT_DOUBLE_EQ(s->param[3], 0);
  EXPECT_DOUBLE_EQ(s->param[4], 0);

  auto c = rig.make(family::cosine, {1, 1, 0, 0});
  c->calculate();
  c->initfixpoints();  // (0, 1)
  c->dragx = 1;
  c->dragy = 2;
  c->dragto(2, 3);
  EXPECT_DOUBLE_EQ(c->param[1], 2);
  EXPECT_DOUBLE_EQ(c->param[2], 0.5);
  EXPECT_DOUBLE_EQ(c->param[3], 0);
  EXPECT_DOUBLE_EQ(c->param[4], -1);
}

TEST(turning, SeveralFixPointsFitThroughAllOfThem) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    std::vector<worldpoint> fixes;
    double x, y;
  };
  const row rows[] = {
      {"parabola", family::parabola, {1, 0, 0}, {{0, 0}, {1, 1}}, 2, 8},
      {"vertex parabola", family::vertexparab, {1, 0, 0}, {{0, 0}, {1, 1}}, 2, 8},
      {"cubic", family::cubic, {1, 0, 0, 0}, {{0, 0}, {1, 1}, {-1, -1}}, 2, 3},
      {"quartic", family::quartic, {1, 0, 0, 0, 0}, {{0, 0}, {1, 1}, {-1, 1}, {2, 16}}, -2, 3},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    widelimits(rig);
    auto f = rig.make(r.kind, r.p);
    f->calculate();
    f->fixcount = static_cast<int32_t>(r.fixes.size());
    for (std::size_t i = 0; i < r.fixes.size(); ++i)
      setfix(*f, static_cast<int>(i) + 1, r.fixes[i].x, r.fixes[i].y);
    f->dragto(r.x, r.y);
    EXPECT_NEAR(f->value(r.x), r.y, 1e-9);
    for (const worldpoint& p : r.fixes) EXPECT_NEAR(f->value(p.x), p.y, 1e-9);
  }
  // The vertex form of 3x^2 - 2x.
  figurerig rig;
  auto f = rig.make(family::vertexparab, {1, 0, 0});
  f->calculate();
  f->fixcount = 2;
  setfix(*f, 1, 0, 0);
  setfix(*f, 2, 1, 1);
  f->dragto(2, 8);
  EXPECT_NEAR(f->param[1], 3, 1e-12);
  EXPECT_NEAR(f->param[2], 1.0 / 3, 1e-12);
  EXPECT_NEAR(f->param[3], -1.0 / 3, 1e-12);
}

TEST(turning, FullyHeldFigureDoesNotTurn) {
  figurerig rig;
  auto f = rig.make(family::parabola, {1, 0, 0});
  f->calculate();
  f->fixcount = 3;
  const auto before = f->param;
  f->dragto(2, 8);
  EXPECT_EQ(f->param, before);
  EXPECT_DOUBLE_EQ(f->dragx, 0);
}

TEST(turning, StepBeyondALimitIsUndone) {
  figurerig rig;
  rig.host.maxs[1] = 1.5f;
  auto f = rig.make(family::line, {1, 1});
  f->calculate();
  f->initfixpoints();
  f->dragto(2, 5);  // a would be 2
  EXPECT_DOUBLE_EQ(f->param[1], 1);
  EXPECT_DOUBLE_EQ(f->param[2], 1);
  EXPECT_DOUBLE_EQ(f->dragx, 0);
  EXPECT_EQ(rig.host.paramtexts[1], "");
}

TEST(turning, HyperbolaDrag) {
  struct row {
    const char* name;
    bool snapped;
    int fixcount, curfix;
    std::vector<worldpoint> fixes;
  };
  const row rows[] = {
      {"not snapped: through the pointer about the centre", false, 1, 1, {{0, 0}}},
      {"one fix point", true, 1, 1, {{1, 1}}},
      {"two fix points", true, 2, 2, {{1, 1}, {-1, -1}}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = rig.make(family::hyperbola, {1, 0, 0});
    f->calculate();
    f->snapped = r.snapped;
    f->fixcount = r.fixcount;
    f->curfix = r.curfix;
    for (std::size_t i = 0; i < r.fixes.size(); ++i)
      setfix(*f, static_cast<int>(i) + 1, r.fixes[i].x, r.fixes[i].y);
    f->dragto(2, 3);
    EXPECT_NEAR(f->value(2), 3, 1e-12);
    if (r.snapped) {
      for (const worldpoint& p : r.fixes) EXPECT_NEAR(f->value(p.x), p.y, 1e-12);
    } else {
      EXPECT_DOUBLE_EQ(f->param[2], 0);
    }
    EXPECT_DOUBLE_EQ(f->dragx, 2);
    EXPECT_FALSE(f->dragging);
  }
}

TEST(turning, HyperbolaStepOnAFixPointsVerticalChangesNothing) {
  figurerig rig;
  auto f = rig.make(family::hyperbola, {1, 0, 0});
  f->calculate();
  f->snapped = true;
  setfix(*f, 1, 1, 1);
  f->dragto(1, 3);
  EXPECT_DOUBLE_EQ(f->param[1], 1);
  EXPECT_DOUBLE_EQ(f->param[2], 0);
  EXPECT_DOUBLE_EQ(f->param[3], 0);
  // Two fix points and the pointer in one line leave b undetermined.
  f->fixcount = 2;
  f->curfix = 2;
  setfix(*f, 2, 2, 2);
  f->dragto(3, 3);
  EXPECT_TRUE(std::isfinite(f->param[2]));
  EXPECT_DOUBLE_EQ(f->param[1], 1);
}

TEST(turning, CustomFormulaTurnsThroughItsFixPoint) {
  figurerig rig;
  auto f = makecustom(rig, "a*x+b", {1, 0});
  f->calculate();
  f->initfixpoints();  // (0, 0)
  // The reference starts at the fix point's height: the first step records it.
  f->dragto(1, 1);
  EXPECT_DOUBLE_EQ(f->param[1], 1);
  EXPECT_DOUBLE_EQ(f->dragx, 1);
  f->dragto(2, 6);
  EXPECT_NEAR(f->param[1], 3, 1e-12);
  EXPECT_NEAR(f->param[2], 0, 1e-12);
  EXPECT_EQ(rig.host.paramtexts[1], "3.00");
}

TEST(turning, CustomFormulasThatCannotBeFittedAreLeftAlone) {
  struct row {
    const char* name;
    const char* formula;
    int fixcount;
    bool movable;  // the move tool refits it all the same
  };
  const row rows[] = {
      {"parameter inside a function", "sin(a*x)", 1, false},
      {"product of parameters", "a*b*x", 1, false},
      {"no parameters", "x^2", 1, false},
      {"more fix points than parameters", "a*x", 2, true},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = makecustom(rig, r.formula, {2, 3});
    f->calculate();
    f->initfixpoints();
    f->fixcount = r.fixcount;
    f->dragx = 1;
    f->dragy = 1;
    const auto before = f->param;
    f->dragto(3, 4);
    EXPECT_EQ(f->param, before);
    EXPECT_DOUBLE_EQ(f->dragx, 1);
    if (r.movable) continue;
    // The move tool leaves the parameters alone too.
    rig.host.mouse = pix(0, 0);
    const platform::point to = pix(1, 2);
    f->moveto(to.x, to.y);
    EXPECT_EQ(f->param, before);
  }
}

TEST(turning, MovesByFamily) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    std::array<double, 5> moved;  // after a move from (0, 0) to (1, 2)
  };
  const row rows[] = {
      {"line through the pointer, slope kept", family::line, {2, 1}, {2, 0}},
      {"parabola through the pointer, shape kept", family::parabola, {1, 0, 0}, {1, -2, 3}},
      {"vertex parabola", family::vertexparab, {1, 0.5, 3}, {1, 1.5, 5}},
      {"hyperbola centre follows", family::hyperbola, {1, 0.5, 3}, {1, -0.5, 5}},
      {"sine", family::sine, {1, 2, 0.5, 1}, {1, 2, -1.5, 3}},
      {"cosine", family::cosine, {1, 2, 0.5, 1}, {1, 2, -1.5, 3}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = rig.make(r.kind, r.p);
    f->calculate();
    rig.host.mouse = pix(0, 0);
    const platform::point to = pix(1, 2);
    f->moveto(to.x, to.y);
    for (int k = 1; k <= 5; ++k) EXPECT_NEAR(f->param[k], r.moved[k - 1], 1e-12) << k;
    EXPECT_EQ(rig.host.mouse, to);
    EXPECT_FALSE(f->dragging);
  }
}

TEST(turning, PolynomialsAndFormulasMoveByRefitting) {
  struct row {
    const char* name;
    int kind;
    const char* formula;
    std::array<double, 5> p;
  };
  const row rows[] = {
      {"cubic", family::cubic, "", {0.1, 0, -1, 2}},
      {"quartic", family::quartic, "", {0.01, 0, -0.5, 0, 1}},
      {"formula", family::custom, "a*x^2+b*x+c", {0.5, -1, 2}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    widelimits(rig);
    auto f = r.kind == family::custom ? makecustom(rig, r.formula, r.p) : rig.make(r.kind, r.p);
    auto old = r.kind == family::custom ? makecustom(rig, r.formula, r.p) : rig.make(r.kind, r.p);
    f->calculate();
    rig.host.mouse = pix(0, 0);
    const platform::point to = pix(1, 2);
    f->moveto(to.x, to.y);
    // Samples 0.02 apart at the window's edge make a poorly conditioned fit;
    // the extended-precision solver keeps it close.
    for (double x : {-8.0, -3.0, 0.0, 2.5})
      EXPECT_NEAR(f->value(x + 1), old->value(x) + 2, 1e-3 * (1 + std::fabs(old->value(x)))) << x;
  }
}

TEST(turning, AlwaysRoundSnapsAMovedLine) {
  struct row {
    const char* name;
    double y;
    double b;
  };
  const row rows[] = {
      {"1.3 becomes 1.5", 3.3, 1.5},
      {"0.3 is within one step and stays", 2.3, 0.3},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    rig.host.roundvalues = true;
    rig.host.steps[2] = 0.5f;
    auto f = rig.make(family::line, {2, 1});
    f->calculate();
    rig.host.mouse = pix(0, 0);
    const platform::point to = pix(1, r.y);
    f->moveto(to.x, to.y);
    EXPECT_NEAR(f->param[2], r.b, 1e-9);
  }
}

TEST(turning, RefusedMoveKeepsTheLastMousePixel) {
  figurerig rig;
  rig.host.maxs[3] = 4;
  auto f = rig.make(family::vertexparab, {1, 0, 3});
  f->calculate();
  const platform::point start = pix(0, 0);
  rig.host.mouse = start;
  const platform::point to = pix(1, 2);
  f->moveto(to.x, to.y);  // c would be 5
  EXPECT_DOUBLE_EQ(f->param[2], 0);
  EXPECT_DOUBLE_EQ(f->param[3], 3);
  EXPECT_EQ(rig.host.mouse, start);
  EXPECT_FALSE(f->dragging);
}

}  // namespace
