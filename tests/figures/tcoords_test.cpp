#include "figures/tcoords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "figurerig.h"

namespace {

struct originrow {
  const char* name;
  double minx, maxx, miny, maxy;
  double originx, originy;
  double xstep, ystep;  // for 1000 x 500 pixels
};

TEST(tcoords, OriginAndStepFollowTheRange) {
  const originrow rows[] = {
      {"symmetric", -10, 10, -5, 5, 0, 0, 0.01, 0.01},
      {"wider left", -30, 10, -5, 15, 0, 0, 0.03, 0.03},
      {"right of y axis", 2, 12, -5, 5, 2, 0, 0.01, 0.01},
      {"below x axis", -10, 10, -8, -3, 0, -3, 0.01, 0.01},
      {"left of y axis", -12, -2, 0, 5, -2, 0, 0.01, 0.01},
      {"max on axis", -10, 0, -5, 5, 0, 0, 0.01, 0.01},
  };
  for (const originrow& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(1000, 500, r.minx, r.maxx, r.miny, r.maxy);
    EXPECT_DOUBLE_EQ(rig.coords.originx, r.originx);
    EXPECT_DOUBLE_EQ(rig.coords.originy, r.originy);
    EXPECT_DOUBLE_EQ(rig.coords.xstep, r.xstep);
    EXPECT_DOUBLE_EQ(rig.coords.ystep, r.ystep);
    EXPECT_DOUBLE_EQ(rig.coords.xscale, 1000 / (r.maxx - r.minx));
    EXPECT_DOUBLE_EQ(rig.coords.yscale, 500 / (r.maxy - r.miny));
  }
}

TEST(tcoords, SetupRefusesBadRangesAndKeepsTheOldOne) {
  struct row {
    const char* name;
    double minx, maxx, miny, maxy;
    bool accepted;
  };
  const row rows[] = {
      {"700 is accepted", -700, 700, -700, 700, true},
      {"700.001 is refused", -10, 700.001, -10, 10, false},
      {"-700.001 in miny", -10, 10, -700.001, 10, false},
      {"empty x range", 5, 5, -10, 10, false},
      {"reversed y range", -10, 10, 10, -10, false},
      {"not a number", std::nan(""), 10, -10, 10, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig;
    rig.coords.ticks.clear();
    EXPECT_EQ(rig.coords.setup(0, 0, 1000, 1000, r.minx, r.maxx, r.miny, r.maxy), r.accepted);
    if (r.accepted) {
      EXPECT_EQ(rig.coords.maxx, r.maxx);
      EXPECT_FALSE(rig.coords.ticks.empty());
    } else {
      EXPECT_EQ(rig.coords.minx, -10);
      EXPECT_EQ(rig.coords.maxx, 10);
      EXPECT_EQ(rig.coords.maxy, 10);
      EXPECT_TRUE(rig.coords.ticks.empty()) << "nothing rebuilt";
    }
  }
}

TEST(tcoords, ZoomOutWithoutHistoryGrowsAboutTheWorldOrigin) {
  figurerig rig(1000, 1000, -10, 10, -10, 10);
  rig.host.tool = toolcode::zoomout;
  ASSERT_TRUE(rig.coords.setup(0, 0, 1000, 1000, 1, 2, 3, 4));
  const double s = 10 * std::sqrt(2.0);
  EXPECT_DOUBLE_EQ(rig.coords.minx, -s);
  EXPECT_DOUBLE_EQ(rig.coords.maxx, s);
  EXPECT_DOUBLE_EQ(rig.coords.miny, -s);
  EXPECT_DOUBLE_EQ(rig.coords.maxy, s);

  figurerig off(1000, 1000, 2, 6, 1, 3);
  off.host.tool = toolcode::zoomout;
  off.coords.setup(0, 0, 1000, 1000, 0, 1, 0, 1);
  EXPECT_DOUBLE_EQ(off.coords.minx, 2 * std::sqrt(2.0)) << "not about the centre";
}

TEST(tcoords, ZoomInThenOutRestoresTheRectangleExactly) {
  figurerig rig(800, 600, -7.3, 9.1, -3.3, 4.7);
  rig.host.tool = toolcode::zoomin;
  ASSERT_TRUE(rig.coords.setup(0, 0, 800, 600, -1.1, 2.2, -0.7, 0.9));
  ASSERT_TRUE(rig.coords.setup(0, 0, 800, 600, -0.5, 0.5, -0.1, 0.2));
  EXPECT_EQ(rig.coords.zoomhistory.size(), 2u);
  rig.host.tool = toolcode::zoomout;
  rig.coords.setup(0, 0, 800, 600, 0, 1, 0, 1);
  rig.coords.setup(0, 0, 800, 600, 0, 1, 0, 1);
  EXPECT_EQ(rig.coords.minx, -7.3);
  EXPECT_EQ(rig.coords.maxx, 9.1);
  EXPECT_EQ(rig.coords.miny, -3.3);
  EXPECT_EQ(rig.coords.maxy, 4.7);
  EXPECT_TRUE(rig.coords.zoomhistory.empty());
}

TEST(tcoords, ZoomInBeyondTheLimitPushesNothing) {
  figurerig rig;
  rig.host.tool = toolcode::zoomin;
  EXPECT_FALSE(rig.coords.setup(0, 0, 1000, 1000, -800, 1, -1, 1));
  EXPECT_TRUE(rig.coords.zoomhistory.empty());
}

TEST(tcoords, WorldToPixelRoundsHalfToEvenAndClampsOnlyY) {
  // 500 pixels over 0..500: one pixel per unit.
  figurerig rig(500, 500, 0, 500, 0, 500);
  struct row {
    const char* name;
    double x, y;
    int px, py;
  };
  const row rows[] = {
      {"half rounds down to even", 0.5, 499.5, 0, 0},
      {"one and a half rounds up", 1.5, 498.5, 2, 2},
      {"two and a half rounds to two", 2.5, 497.5, 2, 2},
      {"x far right is not clamped", 100000, 250, 100000, 250},
      {"y far above clamps", 250, 1e9, 250, -32768},
      {"y far below clamps", 250, -1e9, 250, 32767},
      {"t exactly -32768 clamps", 0, 33268, 0, -32768},
      {"t just inside rounds", 0, 33267.4, 0, -32767},
      {"t exactly 32767 clamps", 0, -32267, 0, 32767},
      {"t just below 32767", 0, -32266, 0, 32766},
      {"not a number lands below", 0, std::nan(""), 0, 32767},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const platform::point p = rig.coords.worldtopixel(r.x, r.y);
    EXPECT_EQ(p.x, r.px);
    EXPECT_EQ(p.y, r.py);
  }
  const worldpoint w = rig.coords.pixeltoworld(250, 100);
  EXPECT_DOUBLE_EQ(w.x, 250);
  EXPECT_DOUBLE_EQ(w.y, 400);
}

TEST(tcoords, MappingFollowsTheWindowsCurrentHeight) {
  figurerig rig(1000, 1000, -10, 10, -10, 10);
  rig.host.height = 500;  // read at each call, not at setup
  EXPECT_EQ(rig.coords.worldtopixel(0, -10).y, 500);
  EXPECT_EQ(rig.coords.worldtopixel(0, 0).y, 0);
  EXPECT_DOUBLE_EQ(rig.coords.pixeltoworld(0, 0).y, 0);
}

TEST(tcoords, TicksListXThenYWithTheOriginTwice) {
  figurerig rig(1000, 1000, -2, 3, -1, 4);
  const auto& t = rig.coords.ticks;
  // x: 0,-1,-2 then 0,1,2,3; y: 0,-1 then 0,1,2,3,4.
  ASSERT_EQ(rig.coords.xtickcount, 7);
  ASSERT_EQ(t.size(), 14u);
  EXPECT_EQ(t[0], rig.coords.worldtopixel(0, 0));
  EXPECT_EQ(t[2], rig.coords.worldtopixel(-2, 0));
  EXPECT_EQ(t[3], rig.coords.worldtopixel(0, 0));
  EXPECT_EQ(t[6], rig.coords.worldtopixel(3, 0));
  EXPECT_EQ(t.back(), rig.coords.worldtopixel(0, 4)) << "topmost y tick last";
}

TEST(tcoords, TinyOrBadStepsNeverHang) {
  struct row {
    const char* name;
    double gridstep, tickstep;
    double expectgrid, expecttick;
  };
  const row rows[] = {
      {"zero keeps the old step", 0, 0, 5, 1},
      {"negative keeps the old step", -1, -0.5, 5, 1},
      {"not a number keeps the old step", std::nan(""), std::nan(""), 5, 1},
      {"tiny steps are taken", 1e-12, 1e-12, 1e-12, 1e-12},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(400, 300);
    rig.host.options.gridstep = r.gridstep;
    rig.host.options.tickstep = r.tickstep;
    rig.coords.readoptions();
    ASSERT_TRUE(rig.coords.setup(0, 0, 400, 300, -10, 10, -10, 10));
    EXPECT_EQ(rig.coords.gridstep, r.expectgrid);
    EXPECT_EQ(rig.coords.tickstep, r.expecttick);
    // Sweeps are bounded by pixels: at most a few entries per pixel row/column.
    EXPECT_LE(rig.coords.ticks.size(), 2u * (400 + 300) + 8);
  }
  // Dots closer than a pixel land on every pixel.
  figurerig fine(50, 40);
  fine.host.options.gridstep = 1e-9;
  fine.coords.readoptions();
  fine.coords.setup(0, 0, 50, 40, -10, 10, -10, 10);
  EXPECT_EQ(fine.grid().countpixels(fine.coords.gridcolour), 50 * 40);
}

TEST(tcoords, AWindowWithNoPixelsOnAnAxisDrawsAFewDotsAndTicks) {
  struct row {
    const char* name;
    int width, height;
  };
  // A window minimised to its title bar, or squeezed below its frame.
  const row rows[] = {
      {"no height", 400, 0}, {"less than no height", 400, -4}, {"no width", 0, 300}};
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(std::max(r.width, 1), std::max(r.height, 1));
    rig.host.width = r.width;
    rig.host.height = r.height;
    // Dots a pixel or more apart on the axis that has pixels.
    rig.host.options.gridstep = 0.1;
    rig.host.options.tickstep = 1e-3;
    rig.coords.readoptions();
    ASSERT_TRUE(rig.coords.setup(0, 0, r.width, r.height, -10, 10, -10, 10));
    const size_t pixels = static_cast<size_t>(std::abs(r.width) + std::abs(r.height));
    EXPECT_LE(rig.coords.ticks.size(), 2 * pixels + 8);
    rig.coords.gridcolour = platform::rgb(1, 2, 3);
    EXPECT_LE(rig.grid().entries(recordop::setpixel).size(), 4 * (pixels + 2));
  }
}

TEST(tcoords, GridDotsSitOnTheStepsFromTheOrigin) {
  figurerig rig(1000, 1000, -10, 10, -10, 10);
  rig.host.options.gridstep = 1;
  rig.coords.setup(0, 0, 1000, 1000, -10, 10, -10, 10);
  const platform::colour g = rig.coords.gridcolour;
  recordingsurface& grid = rig.grid();
  EXPECT_EQ(grid.width(), 1000);
  // 21 x 21 steps; 10 and -10 map to 1000 (outside) on one side each.
  EXPECT_EQ(grid.countpixels(g), 20 * 20);
  EXPECT_EQ(grid.getpixel(500, 500), g);
  EXPECT_EQ(grid.getpixel(550, 450), g);
  EXPECT_EQ(grid.getpixel(525, 500), rig.host.background);

  rig.host.options.gridstep = 2.5;
  rig.coords.setup(0, 0, 1000, 1000, -10, 10, -10, 10);
  EXPECT_EQ(rig.grid().countpixels(g), 8 * 8) << "gridstep read again at setup";
}

TEST(tcoords, BackgroundIsGridOrWindowColour) {
  figurerig rig(200, 100);
  rig.host.background = platform::rgb(1, 2, 3);
  rig.coords.setup(0, 0, 200, 100, -10, 10, -10, 10);
  rig.coords.showgrid = false;
  rig.coords.drawbackground();
  EXPECT_EQ(rig.canvas().countpixels(platform::rgb(1, 2, 3)), 200 * 100);
  rig.coords.showgrid = true;
  rig.coords.drawbackground();
  EXPECT_EQ(rig.canvas().getpixel(100, 50), rig.coords.gridcolour);
  EXPECT_EQ(rig.canvas().getpixel(101, 50), platform::rgb(1, 2, 3));
}

struct labelrow {
  const char* name;
  double minx, maxx, miny, maxy;
  const char* minxtext;
  const char* maxxtext;
  const char* minytext;
  const char* maxytext;
};

TEST(tcoords, RangeLabelsShowWholeNumbersTowardZero) {
  const labelrow rows[] = {
      {"fractions", -2.5, 7.9, -3.7, 0.9, "-2", "7", "-3", "0"},
      {"whole", -10, 10, -10, 10, "-10", "10", "-10", "10"},
      {"small", -0.4, 0.4, -0.9, 0.9, "0", "0", "0", "0"},
  };
  for (const labelrow& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(1000, 1000, r.minx, r.maxx, r.miny, r.maxy);
    rig.coords.drawaxes();
    EXPECT_EQ(rig.host.labels[rangelabel::minx].text, r.minxtext);
    EXPECT_EQ(rig.host.labels[rangelabel::maxx].text, r.maxxtext);
    EXPECT_EQ(rig.host.labels[rangelabel::miny].text, r.minytext);
    EXPECT_EQ(rig.host.labels[rangelabel::maxy].text, r.maxytext);
  }
}

TEST(tcoords, RangeLabelsAndArrowsArePlacedAtTheAxes) {
  figurerig rig(1000, 1000, -10, 10, -10, 10);
  rig.coords.drawaxes();
  const auto& l = rig.host.labels;
  // Axes cross at (500, 500); labels 7 pixels below and right of them.
  EXPECT_EQ(l[rangelabel::minx].left, 0);
  EXPECT_EQ(l[rangelabel::minx].top, 507);
  EXPECT_EQ(l[rangelabel::maxx].left, 985) << "at the right edge: right - 15";
  EXPECT_EQ(l[rangelabel::maxy].left, 507);
  EXPECT_EQ(l[rangelabel::maxy].top, 0);
  EXPECT_EQ(l[rangelabel::miny].left, 507);
  EXPECT_EQ(l[rangelabel::miny].top, 985) << "at the bottom: bottom - 15";
  EXPECT_EQ(l[rangelabel::maxy].col, rig.coords.axiscolour);
  EXPECT_EQ(rig.host.xarrow, (platform::point{1000 - tcoords::arrowwidth / 2, 505}));
  EXPECT_EQ(rig.host.yarrow, (platform::point{500, tcoords::arrowheight}));
  // Headless: the label texts are written into the image.
  const auto texts = rig.canvas().texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0], "10");
  EXPECT_EQ(texts[1], "-10");
}

TEST(tcoords, AxesAtTheEdgesMoveTheLabelsInside) {
  // Wholly right of the y axis: the y axis runs along the left edge.
  figurerig right(1000, 1000, 2, 12, -5, 5);
  EXPECT_EQ(right.coords.originx, 2);
  right.coords.drawaxes();
  EXPECT_EQ(right.canvas().getpixel(0, 300), right.coords.axiscolour);
  EXPECT_EQ(right.host.labels[rangelabel::maxy].left, 7);
  EXPECT_EQ(right.coords.ticks[0], right.coords.worldtopixel(2, 0)) << "ticks from minx";

  // Wholly below the x axis: the x axis runs along the top, labels 7 below.
  figurerig below(1000, 1000, -5, 5, -8, -3);
  below.coords.drawaxes();
  EXPECT_EQ(below.coords.worldtopixel(0, -3).y, 0);
  EXPECT_EQ(below.canvas().getpixel(300, 0), below.coords.axiscolour);
  EXPECT_EQ(below.host.labels[rangelabel::minx].top, 7);

  // Wholly above: the x axis at the bottom edge, labels above it by their height.
  figurerig above(1000, 1000, -5, 5, 3, 8);
  above.coords.drawaxes();  // the first call measures the label's starting text
  above.coords.drawaxes();
  const int h = above.host.rangelabelsize(rangelabel::maxy, above.canvas()).y;
  EXPECT_EQ(above.host.labels[rangelabel::minx].top, 1000 - h - 7);
}

TEST(tcoords, TicksAreTenPixelStrokesAcrossTheAxis) {
  figurerig rig(1000, 1000, -10, 10, -10, 10);
  rig.coords.drawaxes();
  const platform::colour a = rig.coords.axiscolour;
  recordingsurface& s = rig.canvas();
  // x tick at 1 -> pixel 550: rows 495..504 are stroked.
  EXPECT_EQ(s.getpixel(550, 495), a);
  EXPECT_EQ(s.getpixel(550, 504), a);
  EXPECT_NE(s.getpixel(550, 494), a);
  EXPECT_NE(s.getpixel(550, 505), a);
  // y tick at 2 -> pixel row 400.
  EXPECT_EQ(s.getpixel(495, 400), a);
  EXPECT_NE(s.getpixel(494, 400), a);

  figurerig noticks(1000, 1000, -10, 10, -10, 10);
  noticks.coords.showticks = false;
  noticks.coords.drawaxes();
  EXPECT_NE(noticks.canvas().getpixel(550, 495), a);
}

}  // namespace

// A picture drawn k times as big (k times the pixels) keeps the look of the
// window's: ticks, arrows and grid dots grow with it, as pens and fonts do.
TEST(tcoords, FixedSizedMarksGrowWithTheSurfacesScale) {
  struct row {
    int k;
  };
  for (const row r : {row{1}, row{2}, row{4}}) {
    SCOPED_TRACE(r.k);
    const int n = 1000 * r.k;
    // Dots on whole numbers -10..10, none on the picture's edge.
    figurerig rig(n, n, -10.5, 10.5, -10.5, 10.5);
    rig.host.options.gridstep = 1;
    rig.coords.setup(0, 0, n, n, -10.5, 10.5, -10.5, 10.5);
    rig.canvas().setpixelscale(r.k);
    EXPECT_EQ(rig.grid().countpixels(rig.coords.gridcolour), 21 * 21 * r.k * r.k);

    rig.coords.showgrid = false;
    rig.coords.drawbackground();
    rig.coords.drawaxes();
    const platform::colour axis = rig.coords.axiscolour;
    const platform::colour back = rig.host.background;
    // An x tick reaches 5 k pixels above the axis and no further.
    const platform::point t = rig.coords.worldtopixel(3, 0);
    EXPECT_EQ(rig.canvas().getpixel(t.x, t.y - 5 * r.k), axis);
    EXPECT_EQ(rig.canvas().getpixel(t.x, t.y - 5 * r.k - 1), back);
    // The y arrow at the top of the y axis: its 36 set bits, each k x k
    // (it covers the axis line where it runs through it).
    const int ox = rig.coords.worldtopixel(0, 0).x;
    int arrow = 0;
    for (int y = 0; y < 9 * r.k; ++y)
      for (int x = ox - 5 * r.k; x <= ox + 5 * r.k; ++x)
        if (rig.canvas().getpixel(x, y) == axis) ++arrow;
    EXPECT_EQ(arrow, 36 * r.k * r.k);
  }
}
