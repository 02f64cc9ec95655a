// Curves with poles and jumps: the pieces a formula is drawn in, what the
// picture shows at a pole or a jump, the cost of looking between samples, and
// the crossings of a curve that breaks.
#include "figures/curvebreaks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "expr/parseexpr.h"
#include "figurerig.h"
#include "figures/tanalysis.h"
#include "figures/tcustom.h"

namespace {

tcustom& formula(figurerig& rig, std::unique_ptr<tfigure>& owner, const std::string& text) {
  texpression e;
  parseexpr(e, text);
  EXPECT_EQ(e.errcode, 0) << text;
  owner = makefigure(family::custom, rig.coords, rig.host);
  auto& c = dynamic_cast<tcustom&>(*owner);
  c.setformula(e);
  c.reset();
  return c;
}

// Figure-coloured pixels of column px between rows from and to (exclusive).
int columnpixels(figurerig& rig, int px, int from, int to) {
  int n = 0;
  for (int y = std::max(from, 0); y < std::min(to, rig.canvas().height()); ++y)
    if (rig.canvas().getpixel(px, y) == rig.coords.figcolours[0]) ++n;
  return n;
}

TEST(curvebreaks, PiecesOfCurvesWithPolesAndJumps) {
  struct row {
    const char* formula;
    double minx, maxx, miny, maxy;
    int pieces;
  };
  const row rows[] = {
      // One piece per branch in view: poles at +-pi/2, +-3pi/2, +-5pi/2.
      {"tan(x)", -10, 10, -10, 10, 7},
      {"1/(x-1)", -10, 10, -10, 10, 2},
      // Both branches of 1/x^2 run off the top: a pole all the same.
      {"1/x^2", -10, 10, -10, 10, 2},
      {"1/x^2", -3, 3, -1, 5, 2},
      // The derivative of a hyperbola, as the derivative tool makes it.
      {"-1/((x+2)*(x+2))", -10, 10, -10, 10, 2},
      // One piece per step. int cuts towards 0, so int(x) is 0 and frac(x)
      // is x all the way from -1 to 1: jumps at -9 .. -1 and 1 .. 9, at
      // -9.5 .. 9.5, and at 0.
      {"int(x)", -9.7, 9.7, -10, 10, 19},
      {"round(x)", -9.7, 9.7, -10, 10, 21},
      {"sign(x)", -10, 10, -2, 2, 2},
      {"frac(x)", -9.7, 9.7, -1, 2, 19},
      // A jump from below the window to above it.
      {"30*int(x/3)-15", 0, 5, -10, 10, 2},
      // Steep but continuous curves stay whole.
      {"x^9", 0.5, 1.5, 0, 10, 1},
      {"x^9", -10, 10, -10, 10, 1},
      {"100*x", -10, 10, -10, 10, 1},
      {"1/(x^2+0.0001)", -1, 1, 0, 100, 1},
      {"sin(x)*40", -10, 10, -10, 10, 1},
      // Undefined stretches end the piece as before.
      {"ln(x)", -5, 5, -5, 5, 1},
      {"sqrt(1-x^2)", -5, 5, -5, 5, 1},
      {"ln(x^2-1)", -5, 5, -5, 5, 2},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(std::string(r.formula) + " over " + std::to_string(r.minx));
    figurerig rig(1000, 800, r.minx, r.maxx, r.miny, r.maxy);
    std::unique_ptr<tfigure> owner;
    tcustom& f = formula(rig, owner, r.formula);
    f.calculate();
    EXPECT_EQ(static_cast<int>(f.pieces.size()), r.pieces);
    int32_t counted = 0;
    for (const tpiece& p : f.pieces) counted += p.count;
    EXPECT_EQ(counted, f.pointcount) << "every defined sample in exactly one piece";
  }
}

TEST(curvebreaks, APoleLeavesNoLineAndTheBranchesReachTheEdges) {
  struct row {
    const char* formula;
    double pole;
    bool risesleft;  // the branch left of the pole runs off the top
  };
  const row rows[] = {
      {"tan(x)", std::numbers::pi / 2, true},
      {"tan(x)", -std::numbers::pi / 2, true},
      {"1/(x-1)", 1, false},
      {"-1/((x+2)*(x+2))", -2, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.formula);
    figurerig rig(1000, 800);
    std::unique_ptr<tfigure> owner;
    tcustom& f = formula(rig, owner, r.formula);
    rig.coords.drawbackground();
    f.calculate();
    f.draw();
    const int pole = rig.coords.worldtopixel(r.pole, 0).x;
    const int h = 800;
    // Nothing drawn in the middle of the pole's column, and the branches
    // reach the edge they run off to, near it (tan x = 10 lies 5 pixels
    // from the pole, -1/(x+2)^2 = -10 16 pixels).
    EXPECT_EQ(columnpixels(rig, pole, h / 4, 3 * h / 4), 0);
    int atedge = 0;
    for (int px = pole - 20; px <= pole + 20; ++px)
      atedge += r.risesleft ? columnpixels(rig, px, 0, 2) : columnpixels(rig, px, h - 2, h);
    EXPECT_GT(atedge, 0) << "the branch stops short of the edge";
  }
}

TEST(curvebreaks, AnUndefinedSideRunningOffReachesTheEdge) {
  struct row {
    const char* formula;
    bool head;  // the piece comes up from the bottom edge at its start
    bool tail;  // or runs down to it at its end
  };
  const row rows[] = {
      {"ln(x)", true, false},
      {"ln(-x)", false, true},
      // The square root ends at 0, inside the window: nothing is added.
      {"sqrt(x)", false, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.formula);
    figurerig rig(1000, 800);
    std::unique_ptr<tfigure> owner;
    tcustom& f = formula(rig, owner, r.formula);
    f.calculate();
    ASSERT_EQ(f.pieces.size(), 1u);
    const tpiece& p = f.pieces[0];
    EXPECT_EQ(p.hashead, r.head);
    EXPECT_EQ(p.hastail, r.tail);
    if (p.hashead) {
      EXPECT_GT(p.head.y, 800);
      EXPECT_EQ(p.head.x, 500);
    }
    if (p.hastail) {
      EXPECT_GT(p.tail.y, 800);
      EXPECT_EQ(p.tail.x, 500);
    }
  }
}

TEST(curvebreaks, JumpsLeaveNoRiser) {
  struct row {
    const char* formula;
    double at, below, above;  // the jump's x and its two levels
  };
  const row rows[] = {
      {"int(x)", 2, 1, 2},
      {"round(x)", -1.5, -2, -1},
      {"sign(x)", 0, -1, 1},
      {"frac(x)", 3, 0, 1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.formula);
    figurerig rig(1000, 800, -5, 5, -4, 4);
    std::unique_ptr<tfigure> owner;
    tcustom& f = formula(rig, owner, r.formula);
    rig.coords.drawbackground();
    f.calculate();
    f.draw();
    const int px = rig.coords.worldtopixel(r.at, 0).x;
    const int top = rig.coords.worldtopixel(0, r.above).y;
    const int bottom = rig.coords.worldtopixel(0, r.below).y;
    // Strictly between the two levels, in the columns around the jump.
    for (int c = px - 1; c <= px + 1; ++c) EXPECT_EQ(columnpixels(rig, c, top + 2, bottom - 1), 0);
    // The steps are still drawn up to the jump.
    EXPECT_GT(columnpixels(rig, px - 2, top - 6, bottom + 6), 0);
    EXPECT_GT(columnpixels(rig, px + 2, top - 6, bottom + 6), 0);
  }
}

// A figure of any function, counting its evaluations.
class countingfigure : public tfigure {
 public:
  explicit countingfigure(std::function<double(double)> fn) : fn_(std::move(fn)) {}
  double value(double x) const override {
    ++calls;
    return fn_(x);
  }
  void moveto(int32_t, int32_t) override {}
  mutable int64_t calls = 0;

 private:
  std::function<double(double)> fn_;
};

TEST(curvebreaks, LookingBetweenSamplesStaysCheap) {
  struct row {
    const char* name;
    std::function<double(double)> fn;
    double minx, maxx, miny, maxy;
    double perpixel;  // evaluations per column, at most
    int pieces;
  };
  // The most a column can cost: its sample and one look between samples.
  constexpr double bound = 1 + 3 * curvebreaks::deephalvings;
  const row rows[] = {
      // Wild near 0: every column there is looked into, but boundedly.
      {"sin(1/x)", [](double x) { return std::sin(1 / x); }, -0.05, 0.05, -2, 2, bound, -1},
      {"tan(50x)", [](double x) { return std::tan(50 * x); }, -10, 10, -2, 2, bound, -1},
      // A smooth curve costs next to nothing beyond its samples.
      {"x^3", [](double x) { return x * x * x; }, -10, 10, -2, 2, 1.5, 1},
      {"x^9", [](double x) { return std::pow(x, 9); }, -10, 10, -10, 10, 1.5, 1},
      {"tan(x)", [](double x) { return std::tan(x); }, -10, 10, -2, 2, 2, 7},
      {"floor(x)", [](double x) { return std::floor(x); }, -9.5, 9.5, -10, 10, 1.5, 20},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(1000, 800, r.minx, r.maxx, r.miny, r.maxy);
    countingfigure f(r.fn);
    f.coords = &rig.coords;
    f.reset();
    f.calculate();
    EXPECT_EQ(f.pointcount, 1000);
    EXPECT_LE(static_cast<double>(f.calls), r.perpixel * 1000);
    if (r.pieces > 0) {
      EXPECT_EQ(static_cast<int>(f.pieces.size()), r.pieces);
    }
  }
}

TEST(curvebreaks, ABreakIsNoCrossing) {
  struct row {
    const char* formula;
    std::array<double, 5> line;  // y = a*x + b
    size_t count;
  };
  const row rows[] = {
      // The zeros of tan x in view, not zeros and poles.
      {"tan(x)", {0, 0}, 7},
      {"1/(x-1)", {0, 0}, 0},
      // The steps of int(x) jump over y = 0.5 without meeting it.
      {"int(x)", {0, 0.5}, 0},
      {"frac(x)", {0, 0.5}, 10},
      {"sign(x)", {0, 0.5}, 0},
      // A crossing beside the pole still counts: 1/(x-1) = x - 1 at 0 and 2.
      {"1/(x-1)", {1, -1}, 2},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.formula);
    figurerig rig(600, 400);
    std::unique_ptr<tfigure> owner;
    tcustom& f = formula(rig, owner, r.formula);
    std::unique_ptr<tfigure> line = rig.make(family::line, r.line);
    const std::vector<tcrossing> found = findcrossings(f, *line, rig.coords, 600);
    EXPECT_EQ(found.size(), r.count);
    EXPECT_EQ(findcrossings(*line, f, rig.coords, 600).size(), r.count) << "either order";
  }
}

}  // namespace
