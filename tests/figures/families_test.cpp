// The families' values, default fix points and own drawing (hyperbola, line).
#include <gtest/gtest.h>

#include <cmath>

#include "figurerig.h"
#include "figures/thiper.h"
#include "figures/tpolthree.h"
#include "figures/trectangle.h"

namespace {

TEST(families, ValuesAtSamplePoints) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    double x, y;
  };
  const row rows[] = {
      {"line", family::line, {2, -3}, 4, 5},
      {"parabola", family::parabola, {1, -2, 3}, 2, 3},
      {"vertex parabola", family::vertexparab, {2, 1, -1}, 3, 7},
      {"hyperbola", family::hyperbola, {2, 1, 3}, 1, 4},
      {"hyperbola at its asymptote is 0", family::hyperbola, {2, 1, 3}, -1, 0},
      {"sine", family::sine, {2, 1, 0, 1}, 0, 1},
      {"cosine", family::cosine, {2, 1, 0, 1}, 0, 3},
      {"cubic", family::cubic, {1, 0, -3, 0}, 2, 2},
      {"quartic", family::quartic, {1, 0, 0, 0, -1}, 2, 15},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(100, 100);
    auto f = rig.make(r.kind, r.p);
    EXPECT_DOUBLE_EQ(f->value(r.x), r.y);
  }
}

TEST(families, DefaultFixPoints) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    double fx, fy;
    int snapped;  // 1 set, 0 cleared, -1 unchanged
  };
  const row rows[] = {
      {"line (0, b)", family::line, {2, 3}, 0, 3, -1},
      {"parabola vertex", family::parabola, {1, -2, 3}, 1, 2, 1},
      {"flat parabola (0, c)", family::parabola, {0, 2, 3}, 0, 3, 1},
      {"vertex parabola (b, c)", family::vertexparab, {2, 1, -1}, 1, -1, -1},
      {"hyperbola centre", family::hyperbola, {1, 2, 3}, -2, 3, 0},
      {"sine", family::sine, {2, 1, 0.5, 1}, 0, 2 * std::sin(0.5) + 1, 1},
      {"cosine", family::cosine, {2, 1, 0.5, 1}, 0, 2 * std::cos(0.5) + 1, 1},
      {"cubic inflection", family::cubic, {1, 0, -3, 0}, 0, 0, 1},
      {"cubic shifted", family::cubic, {1, -3, 0, 2}, 1, 0, 1},
      {"cubic without extremes (0, d)", family::cubic, {1, 0, 3, 5}, 0, 5, 1},
      {"cubic with a=0 (0, d)", family::cubic, {0, 1, 1, 5}, 0, 5, 1},
      // From a damaged file: extremes near -2e41, which no 4-byte float holds.
      {"cubic, extremes beyond floats", family::cubic, {1e-3, 3.4e38, 2.28, 1.01}, 0, 1.01, 1},
      {"quartic (0, e)", family::quartic, {1, 2, 3, 4, 5}, 0, 5, 1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    for (bool before : {false, true}) {
      figurerig rig(100, 100);
      auto f = rig.make(r.kind, r.p);
      f->snapped = before;
      f->fixcount = 3;
      f->curfix = 2;
      f->initfixpoints();
      EXPECT_EQ(f->fixcount, 1);
      EXPECT_EQ(f->curfix, 1);
      EXPECT_NEAR(f->fixx[1], r.fx, 1e-12);
      EXPECT_NEAR(f->fixy[1], r.fy, 1e-12);
      EXPECT_EQ(f->snapped, r.snapped < 0 ? before : r.snapped == 1);
    }
  }
}

TEST(families, CubicExtremesAreRoundedToMillionthsInFloatsHalvesTowardZero) {
  struct row {
    const char* name;
    double c;  // a = 1, b = 0, d = 0: extremes at +-sqrt(-c/3)
    double ext1x;
    double ext2x;
  };
  const row rows[] = {
      {"sqrt(2/3)", -2, 0.816497, -0.816497},
      // 3.5 millionths: an exact half, toward zero (not to the even 4).
      {"half", -3 * 3.5e-6 * 3.5e-6, 3e-6, -3e-6},
      {"none", 1, 0, 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(100, 100);
    auto f = rig.make(family::cubic, {1, 0, r.c, 0});
    f->initfixpoints();
    auto& c = dynamic_cast<tpolthree&>(*f);
    // 4-byte float precision: a few units of the seventh digit.
    EXPECT_NEAR(c.ext1x, r.ext1x, 1e-7);
    EXPECT_NEAR(c.ext2x, r.ext2x, 1e-7);
    EXPECT_EQ(c.ext1x, static_cast<double>(static_cast<float>(c.ext1x)));
    EXPECT_DOUBLE_EQ(c.ext1y, f->value(c.ext1x));
  }
}

TEST(families, LineDrawsOneSegmentBetweenItsEnds) {
  figurerig rig(400, 400);
  auto f = rig.make(family::line, {1, 0});
  f->calculate();
  auto& l = dynamic_cast<trectangle&>(*f);
  EXPECT_EQ(l.end1, (platform::point{0, 400}));
  EXPECT_EQ(l.end2, (platform::point{400, 0}));
  rig.canvas().clearentries();
  f->draw();
  EXPECT_EQ(rig.canvas().entries(recordop::polyline).size(), 0u);
  EXPECT_EQ(rig.canvas().entries(recordop::lineto).size(), 1u);
  EXPECT_EQ(rig.canvas().getpixel(200, 200), rig.coords.figcolours[0]);
  EXPECT_EQ(rig.canvas().getpixel(100, 300), rig.coords.figcolours[0]);
}

// The pixel column of the hyperbola's asymptote.
int asymptote(figurerig& rig, const tfigure& f) {
  return rig.coords.worldtopixel(-f.param[2], 0).x;
}

TEST(families, HyperbolaBranchesStayOnTheirSideOfTheAsymptote) {
  struct row {
    const char* name;
    std::array<double, 5> p;
  };
  const row rows[] = {
      {"unit", {1, 0, 0}},
      {"negative a", {-2, 3, 1}},
      {"left branch above the window", {1, 0, 20}},
      {"right branch below the window", {-1, 0, -20}},
      {"asymptote right of the window", {5, -12, 0}},
      {"asymptote left of the window", {1, 15, 0}},
      {"c on the edge", {1, 0, 10}},
      {"steep", {50, -2.5, -3}},
      {"shallow", {0.02, 1, 2}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(1000, 1000);
    auto f = rig.make(family::hyperbola, r.p);
    f->calculate();
    auto& h = dynamic_cast<thiper&>(*f);
    const int pa = asymptote(rig, h);
    for (int i = 0; i < h.pointcount; ++i) EXPECT_LE(h.points[i].x, pa) << i;
    for (int i = 0; i < h.pointcount2; ++i) EXPECT_GE(h.points2[i].x, pa) << i;
    // Drawn: no joining line crosses the asymptote's column inside the window.
    rig.coords.drawbackground();
    f->draw();
    const int cy = rig.coords.worldtopixel(0, r.p[2]).y;
    for (int y = cy - 30; y <= cy + 30; ++y) {
      if (y >= 0 && y < 1000 && pa >= 0 && pa < 1000) {
        EXPECT_NE(rig.canvas().getpixel(pa, y), rig.coords.figcolours[0]) << "row " << y;
      }
    }
  }
}

TEST(families, HyperbolaDrawsBothBranchesInTheWindow) {
  figurerig rig(1000, 1000);
  auto f = rig.make(family::hyperbola, {1, 0, 0});
  f->calculate();
  auto& h = dynamic_cast<thiper&>(*f);
  EXPECT_GT(h.pointcount, 100);
  EXPECT_GT(h.pointcount2, 100);
  rig.coords.drawbackground();
  f->draw();
  const platform::colour c = rig.coords.figcolours[0];
  // y = 1/x at x = -2 and x = 2.
  EXPECT_EQ(rig.canvas().getpixel(400, 525), c);
  EXPECT_EQ(rig.canvas().getpixel(600, 475), c);
  EXPECT_EQ(rig.canvas().entries(recordop::polyline).size(), 2u);
}

TEST(families, HyperbolaLeftBranchStartsWhereItEntersTheWindow) {
  figurerig rig(1000, 1000);
  // -1/x - 15 is below the window at x = -10 and enters it at x = -0.2.
  auto f = rig.make(family::hyperbola, {-1, 0, -15});
  f->calculate();
  auto& h = dynamic_cast<thiper&>(*f);
  ASSERT_GT(h.pointcount, 0);
  EXPECT_EQ(h.points[0], rig.coords.worldtopixel(-0.2, -10));
  EXPECT_NEAR(h.firstsamples[0].x, -0.2, 1e-12);
}

TEST(families, FlatHyperbolaIsTheLineYEqualsC) {
  figurerig rig(1000, 1000);
  auto f = rig.make(family::hyperbola, {0.004, 2, 3});
  f->calculate();
  auto& h = dynamic_cast<thiper&>(*f);
  EXPECT_EQ(h.param[1], 0) << "0.004 rounds to 0 at 0.01";
  EXPECT_EQ(h.pointcount, 2);
  EXPECT_EQ(h.pointcount2, 2);
  EXPECT_EQ(h.points[0], rig.coords.worldtopixel(-10, 3));
  EXPECT_EQ(h.points2[1], rig.coords.worldtopixel(10, 3));
  EXPECT_DOUBLE_EQ(h.step, 12);
  EXPECT_TRUE(f->hittest(300, rig.coords.worldtopixel(0, 3).y));
  EXPECT_FALSE(f->hittest(300, rig.coords.worldtopixel(0, 3).y + 1));
}

TEST(families, HyperbolaHitTestSearchesBothBranches) {
  figurerig rig(1000, 1000);
  auto f = rig.make(family::hyperbola, {1, 0, 0});
  f->calculate();
  EXPECT_TRUE(f->hittest(600, 475));   // (2, 0.5)
  EXPECT_TRUE(f->hittest(400, 525));   // (-2, -0.5)
  EXPECT_FALSE(f->hittest(600, 525));  // (2, -0.5)
}

TEST(families, HyperbolaFormulaInBothModes) {
  struct row {
    const char* name;
    std::array<double, 5> p;
    const char* plain;
    const char* display;
  };
  const row rows[] = {
      {"1/x", {1, 0, 0}, "(x) =1/(x)", "(x) =\\l1x"},
      {"2/(x+1)+3", {2, 1, 3}, "(x) =2/(x+1)+3", "(x) =\\l x\\l  \\l2+\\l 1 + 3"},
      {"-2/(x-1.5)-1",
       {-2, -1.5, -1},
       "(x) =-2/(x-1.5)-1",
       "(x) =\\l x\\l  \\l -\\l-1\\l2.\\l 5 -1"},
      {"all zero", {0, 0, 0}, "(x) =0", "(x) =0"},
      {"only c", {0, 0, 4}, "(x) =+4", "(x) = 4"},
      {"a rounds to zero", {0.004, 0, 4}, "(x) =0/(x)+4", "(x) = 4"},
      {"b shows as zero", {1, -0.001, 0}, "(x) =1/(x)", "(x) =\\l1x"},
      {"12/x", {12, 0, 0}, "(x) =12/(x)", "(x) =\\l1 \\l2x"},
      {"2.5/(x+1)", {2.5, 1, 0}, "(x) =2.5/(x+1)", "(x) =\\l x\\l2 \\l.+\\l51\\l  "},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(100, 100);
    auto f = rig.make(family::hyperbola, r.p);
    f->textmode = 1;
    EXPECT_EQ(f->formula(), r.plain);
    f->textmode = 0;
    EXPECT_EQ(f->formula(), r.display);
  }
}

}  // namespace
