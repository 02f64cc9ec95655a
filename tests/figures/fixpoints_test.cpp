// Fix points: snapping to the curve, placing, dragging, removing, finding and
// drawing them.
#include <gtest/gtest.h>

#include <cmath>

#include "figurerig.h"

namespace {

// The pixel of a world point in the 1000 x 1000 rig over -10..10.
platform::point pix(double x, double y) {
  return {static_cast<int32_t>(std::lround((x + 10) * 50)),
          static_cast<int32_t>(std::lround(1000 - (y + 10) * 50))};
}

// y = x^2 with its vertex (0, 0) as fix point 1, the fix tool working on it.
std::unique_ptr<tfigure> parabola(figurerig& rig) {
  auto f = rig.make(family::parabola, {1, 0, 0});
  f->calculate();
  f->initfixpoints();
  f->fixmode = true;
  return f;
}

void click(tfigure& f, platform::point p) {
  f.fixpoint(p.x, p.y);
  f.fixup(p.x, p.y);
}

TEST(fixpoints, SnapTakesTheLeftmostCurvePointInTheWindow) {
  figurerig rig;  // half window 0.1, step 0.01, y tolerance 0.4
  auto f = rig.make(family::line, {1, 0});
  double x = 0, y = 0.25;
  f->snaptocurve(x, y);
  EXPECT_TRUE(f->snapped);
  EXPECT_DOUBLE_EQ(x, -0.1);
  EXPECT_DOUBLE_EQ(y, -0.1);
  EXPECT_DOUBLE_EQ(f->halfwindow, 0.1);
  EXPECT_DOUBLE_EQ(f->searchstep, 0.01);
  EXPECT_DOUBLE_EQ(f->ytolerance, 0.4);

  // Far off the curve: left at the last place tried, not snapped.
  x = 0;
  y = 5;
  f->snaptocurve(x, y);
  EXPECT_FALSE(f->snapped);
  EXPECT_GT(x, 0.08);
  EXPECT_LE(x, 0.1 + 1e-12);
  EXPECT_DOUBLE_EQ(y, x);
}

TEST(fixpoints, SnapEndsOnADegenerateWindow) {
  // A coordinate system never set up has no span: the search must still end.
  fakefigurehost host;
  tcoords coords;
  auto f = makefigure(family::line, coords, host);
  double x = 1, y = 1;
  f->snaptocurve(x, y);
  EXPECT_FALSE(f->snapped);
  x = std::nan("");
  f->snaptocurve(x, y);
  EXPECT_FALSE(f->snapped);
}

TEST(fixpoints, FindFixPointReach) {
  struct row {
    const char* name;
    int dx, dy;
    int found;
  };
  const row rows[] = {
      {"on it", 0, 0, 1},
      {"19 across", 19, 0, 1},
      {"19 to the left", -19, 0, 1},
      {"20 across is out of reach", 20, 0, 0},
      {"20 down", 0, 20, 1},
      {"21 down is out of reach", 0, 21, 0},
      {"21 up is out of reach", 0, -21, 0},
      {"corner", 19, 20, 1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = parabola(rig);
    int32_t px = 500 + r.dx, py = 500 + r.dy;
    EXPECT_EQ(f->findfixpoint(px, py), r.found);
    // Found: the pixel becomes the fix point's own.
    EXPECT_EQ(px, r.found ? 500 : 500 + r.dx);
    EXPECT_EQ(py, r.found ? 500 : 500 + r.dy);
  }
}

// A fix point zoomed far beyond the pixel range (its pixel at the ends of
// 32 bits) has no marker: nothing is drawn for it, and nothing overflows.
TEST(fixpoints, AFixPointFarOffThePictureDrawsNoMarker) {
  struct row {
    const char* name;
    double x;
    std::size_t drawn;  // marker pixels
  };
  const row rows[] = {{"in the window", 2, 7 * 9}, {"far right", 1e12, 0}, {"far left", -1e12, 0}};
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = parabola(rig);
    f->fixx[1] = r.x;
    f->fixy[1] = 4;
    rig.canvas().clearentries();
    f->drawfixpoints();
    EXPECT_EQ(rig.canvas().entries().size(), r.drawn);
  }
}

TEST(fixpoints, ClickOnTheCurveAddsAFixPoint) {
  figurerig rig;
  auto f = parabola(rig);
  click(*f, pix(2, 9));  // the pointer's y does not matter: the curve's is taken
  EXPECT_EQ(f->fixcount, 2);
  EXPECT_EQ(f->curfix, 2);
  EXPECT_TRUE(f->snapped);
  EXPECT_FALSE(f->fixdown);
  EXPECT_FALSE(f->fixmoved);
  // Snapped to the leftmost point of the search window within the tolerance.
  EXPECT_NEAR(f->fixx[2], 1.9, 1e-9);
  EXPECT_NEAR(f->fixy[2], 1.9 * 1.9, 1e-9);
  EXPECT_DOUBLE_EQ(f->fixx[1], 0);
}

TEST(fixpoints, ClickWithoutFixModeOnlyRestoresTheDefault) {
  figurerig rig;
  auto f = parabola(rig);
  f->fixmode = false;
  f->fixcount = 2;
  f->fixx[1] = 5;
  f->fixpoint(pix(2, 4).x, pix(2, 4).y);
  EXPECT_EQ(f->fixcount, 1);
  EXPECT_DOUBLE_EQ(f->fixx[1], 0);
  EXPECT_TRUE(f->fixdown);
  EXPECT_FALSE(f->fixmode);
}

TEST(fixpoints, ClickOnAFixPointWithoutDraggingRemovesIt) {
  figurerig rig;
  auto f = parabola(rig);
  click(*f, pix(2, 4));
  ASSERT_EQ(f->fixcount, 2);
  const double x2 = f->fixx[2], y2 = f->fixy[2];
  rig.host.calls.clear();
  click(*f, {500 + 19, 500 + 20});  // fix point 1, at the edge of reach
  EXPECT_EQ(f->fixcount, 1);
  EXPECT_EQ(f->curfix, 1);
  EXPECT_DOUBLE_EQ(f->fixx[1], x2);  // the later one moved down
  EXPECT_DOUBLE_EQ(f->fixy[1], y2);
  EXPECT_TRUE(f->fixmode);
  EXPECT_EQ(rig.host.calls, std::vector<std::string>{"repant"});

  // Clicking the only one left puts the default back.
  const platform::point p = rig.coords.worldtopixel(x2, y2);
  click(*f, p);
  EXPECT_EQ(f->fixcount, 1);
  EXPECT_DOUBLE_EQ(f->fixx[1], 0);
  EXPECT_DOUBLE_EQ(f->fixy[1], 0);
  EXPECT_FALSE(f->fixmode);
}

TEST(fixpoints, NoMoreThanMaxfix) {
  figurerig rig;
  auto f = parabola(rig);  // maxfix 2
  click(*f, pix(2, 4));
  ASSERT_EQ(f->fixcount, 2);
  const auto fx = f->fixx, fy = f->fixy;
  f->fixpoint(pix(-3, 9).x, pix(-3, 9).y);  // on the curve, away from both
  EXPECT_EQ(f->fixcount, 2);
  EXPECT_EQ(f->curfix, 2);
  EXPECT_EQ(f->fixx, fx);
  EXPECT_EQ(f->fixy, fy);
  // Within reach of fix point 1: it becomes the current one.
  f->fixpoint(505, 505);
  EXPECT_EQ(f->curfix, 1);
  EXPECT_EQ(f->fixcount, 2);
}

TEST(fixpoints, EveryFixPointStaysReachableAfterChoosingAnEarlierOne) {
  figurerig rig;
  auto f = rig.make(family::cubic, {1, 0, -3, 0});  // maxfix 3, default fix (0, 0)
  f->calculate();
  f->initfixpoints();
  f->fixmode = true;
  click(*f, pix(2, 2));
  click(*f, pix(-2, -2));
  ASSERT_EQ(f->fixcount, 3);
  f->fixpoint(500, 500);  // choose fix point 1
  f->fixdrag(500, 500);   // and drag it in place, so the release keeps it
  f->fixup(500, 500);
  ASSERT_EQ(f->curfix, 1);
  // A click on fix point 3 chooses it rather than adding a fourth on top.
  const platform::point p3 = rig.coords.worldtopixel(f->fixx[3], f->fixy[3]);
  f->fixpoint(p3.x, p3.y);
  EXPECT_EQ(f->curfix, 3);
  EXPECT_EQ(f->fixcount, 3);
}

TEST(fixpoints, DragMovesTheCurrentFixPointAlongTheCurve) {
  figurerig rig;
  auto f = parabola(rig);
  f->fixpoint(500, 500);  // fix point 1 is current and the button is down
  ASSERT_TRUE(f->fixdown);
  f->fixdrag(pix(1, 1).x, pix(1, 1).y);
  EXPECT_TRUE(f->fixmoved);
  EXPECT_TRUE(f->snapped);
  EXPECT_NEAR(f->fixy[1], f->fixx[1] * f->fixx[1], 1e-12);
  EXPECT_NEAR(f->fixx[1], 1, 0.11);
  // Far from the curve: the fix point stays.
  const double x = f->fixx[1];
  f->fixdrag(pix(-5, 8).x, pix(-5, 8).y);
  EXPECT_DOUBLE_EQ(f->fixx[1], x);
  EXPECT_TRUE(f->snapped);
  // The release after a drag removes nothing.
  f->fixup(pix(1, 1).x, pix(1, 1).y);
  EXPECT_EQ(f->fixcount, 1);
  EXPECT_DOUBLE_EQ(f->fixx[1], x);
  EXPECT_FALSE(f->fixmoved);
  EXPECT_FALSE(f->fixdown);
  // Without the button down nothing moves.
  f->fixdrag(pix(2, 4).x, pix(2, 4).y);
  EXPECT_DOUBLE_EQ(f->fixx[1], x);
}

TEST(fixpoints, HyperbolaCentreGivesWayToThePointOnTheCurve) {
  figurerig rig;
  auto f = rig.make(family::hyperbola, {1, 0, 5});
  f->calculate();
  f->initfixpoints();  // the centre (0, 5), not snapped
  f->fixmode = true;
  click(*f, pix(1, 0));
  EXPECT_EQ(f->fixcount, 1);
  EXPECT_EQ(f->curfix, 1);
  EXPECT_TRUE(f->snapped);
  EXPECT_NEAR(f->fixy[1], 1 / f->fixx[1] + 5, 1e-12);
  EXPECT_NEAR(f->fixx[1], 1, 0.11);
  // A second one may be added.
  click(*f, pix(-1, 0));
  EXPECT_EQ(f->fixcount, 2);
}

TEST(fixpoints, HyperbolaClickOffTheCurveMovesItsOnlyFixPoint) {
  figurerig rig;
  auto f = rig.make(family::hyperbola, {1, 0, 5});
  f->calculate();
  f->initfixpoints();
  f->fixmode = true;
  // A click in the column of the asymptote finds no curve point: the point
  // straight above the pointer (the hyperbola's value 0 there) becomes fix
  // point 1 all the same.
  f->fixpoint(500, 700);
  EXPECT_FALSE(f->fixdown);
  EXPECT_FALSE(f->snapped);
  EXPECT_EQ(f->fixcount, 1);
  EXPECT_EQ(f->curfix, 1);
  EXPECT_DOUBLE_EQ(f->fixx[1], 0);
  EXPECT_DOUBLE_EQ(f->fixy[1], 0);
}

TEST(fixpoints, NearestFixBecomesCurrent) {
  figurerig rig;
  auto f = rig.make(family::cubic, {1, 0, -3, 0});
  f->fixcount = 3;
  f->fixx = {0, 0, 2, -2, 0, 0};
  f->fixy = {0, 0, 2, -2, 0, 0};
  double fx = 0, fy = 0;
  f->nearestfix(1.8, 1.5, fx, fy);
  EXPECT_EQ(f->curfix, 2);
  EXPECT_DOUBLE_EQ(fx, 2);
  EXPECT_DOUBLE_EQ(fy, 2);
  f->nearestfix(-5, -5, fx, fy);
  EXPECT_EQ(f->curfix, 3);
  // Nothing within 1000 in both directions: fix point 1.
  f->nearestfix(5000, 0, fx, fy);
  EXPECT_EQ(f->curfix, 1);
}

TEST(fixpoints, MarkersAreDrawnInTheStateColour) {
  const platform::colour yellow = platform::rgb(255, 255, 0);
  const platform::colour blue = platform::rgb(0, 0, 255);
  const platform::colour red = platform::rgb(255, 0, 0);
  const platform::colour olive = platform::rgb(128, 128, 0);
  struct row {
    const char* name;
    bool fixmode, snapped;
    int curfix;
    platform::colour first, second;
  };
  const row rows[] = {
      {"not started", false, true, 1, yellow, yellow},
      {"started, not on the curve", true, false, 1, blue, blue},
      {"on the curve, first current", true, true, 1, olive, red},
      {"on the curve, second current", true, true, 2, red, olive},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    auto f = rig.make(family::parabola, {1, 0, 0});
    f->fixcount = 2;
    f->fixx = {0, 0, 2, 0, 0, 0};
    f->fixy = {0, 0, 4, 0, 0, 0};
    f->fixmode = r.fixmode;
    f->snapped = r.snapped;
    f->curfix = r.curfix;
    f->drawfixpoints();
    recordingsurface& s = rig.canvas();
    // The marker's tip stands on the point; its box is the window colour.
    EXPECT_EQ(s.getpixel(500, 499), r.first);
    EXPECT_EQ(s.getpixel(500, 493), r.first);
    EXPECT_EQ(s.getpixel(500, 500), platform::white);
    EXPECT_EQ(s.getpixel(600, 299), r.second);
  }
}

TEST(fixpoints, MarkersAreLeftOutWhereTheyDoNotBelong) {
  struct row {
    const char* name;
    bool active, frozen, applying;
    int fixcount;
  };
  const row rows[] = {
      {"window not active", false, false, false, 1},
      {"frozen", true, true, false, 1},
      {"panel applying a value", true, false, true, 1},
      {"no fix points", true, false, false, 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    rig.host.active = r.active;
    rig.host.applying = r.applying;
    auto f = rig.make(family::parabola, {1, 0, 0});
    f->frozen = r.frozen;
    f->fixcount = r.fixcount;
    rig.canvas().clearentries();
    f->drawfixpoints();
    EXPECT_TRUE(rig.canvas().entries(recordop::setpixel).empty());
  }
}

}  // namespace
