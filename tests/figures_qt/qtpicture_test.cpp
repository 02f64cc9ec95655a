// The coordinate system and the families drawn into the real Qt image:
// pixels read back at computed places.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "expr/parseexpr.h"
#include "figures/makefigure.h"
#include "figures/tcoords.h"
#include "figures/tcustom.h"
#include "platform/qt/qtimage.h"
#include "support/fakefigurehost.h"

namespace {

struct qtrig {
  fakefigurehost host;
  platform::qtimagefactory factory;
  tcoords coords;
  std::vector<std::unique_ptr<tfigure>> figures;

  qtrig(int w, int h, double minx, double maxx, double miny, double maxy) : host(w, h) {
    host.background = platform::white;
    host.options.axiscolour = platform::black;
    host.options.figcolours = {platform::rgb(0, 0, 200), platform::rgb(200, 0, 0),
                               platform::rgb(0, 150, 0), platform::rgb(90, 90, 90)};
    coords.create(host, factory);
    coords.image->resize(w, h);
    coords.setup(0, 0, w, h, minx, maxx, miny, maxy);
  }

  tfigure& add(int kind, std::array<double, 5> p, const char* formula = nullptr) {
    auto f = makefigure(kind, coords, host);
    if (formula != nullptr) {
      texpression e;
      parseexpr(e, formula);
      dynamic_cast<tcustom&>(*f).setformula(e);
    }
    f->reset();
    for (int k = 1; k <= 5; ++k) f->param[k] = p[k - 1];
    figures.push_back(std::move(f));
    return *figures.back();
  }

  void paint() {
    coords.drawbackground();
    coords.drawaxes();
    for (auto& f : figures) {
      f->calculate();
      f->draw();
    }
  }

  platform::colour at(int x, int y) { return coords.image->canvas().getpixel(x, y); }
  platform::colour curve() const { return coords.figcolours[0]; }

  // Curve pixels within one column over the rows [y0, y1].
  int incolumn(int x, int y0, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y) n += at(x, y) == curve();
    return n;
  }
};

TEST(qtpicture, AxesTicksAndCurveLandOnTheirPixels) {
  qtrig rig(400, 400, -10, 10, -10, 10);  // 20 px per unit
  rig.add(family::parabola, {0.25, 0, -5});
  rig.paint();
  // Axes through (200, 200); a tick at x = 1 spans rows 195..204.
  EXPECT_EQ(rig.at(20, 200), platform::black);
  EXPECT_EQ(rig.at(200, 350), platform::black);
  EXPECT_EQ(rig.at(220, 195), platform::black);
  EXPECT_EQ(rig.at(220, 204), platform::black);
  EXPECT_EQ(rig.at(220, 194), platform::white);
  // 0.25 x^2 - 5 at x = 4 is -1: pixel (280, 220); at x = -6 it is 4: (80, 120).
  EXPECT_EQ(rig.at(280, 220), rig.curve());
  EXPECT_EQ(rig.at(80, 120), rig.curve());
  EXPECT_EQ(rig.at(280, 230), platform::white);
}

TEST(qtpicture, OnePixelPenWithoutAntialiasing) {
  qtrig rig(300, 300, -10, 10, -10, 10);
  rig.add(family::line, {0, 2});  // y = 2: row 120
  rig.paint();
  for (int x = 10; x < 290; x += 37) {
    EXPECT_EQ(rig.at(x, 120), rig.curve()) << x;
    EXPECT_EQ(rig.at(x, 119), platform::white) << x;
    EXPECT_EQ(rig.at(x, 121), platform::white) << x;
  }
}

TEST(qtpicture, SelectedInTheActiveWindowIsDrawnActive) {
  qtrig rig(300, 300, -10, 10, -10, 10);
  tfigure& f = rig.add(family::line, {0, 2});
  f.selected = true;
  rig.paint();
  EXPECT_EQ(rig.at(50, 120), rig.coords.figcolours[1]);
  f.frozen = true;
  f.draw();
  EXPECT_EQ(rig.at(50, 120), rig.coords.figcolours[2]);
}

TEST(qtpicture, HyperbolaBranchesAreNeverJoined) {
  struct row {
    const char* name;
    std::array<double, 5> p;
  };
  const row rows[] = {
      {"1/x", {1, 0, 0}},
      {"-3/(x-2)+1", {-3, -2, 1}},
      {"0.5/(x+4)-2", {0.5, 4, -2}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    qtrig rig(500, 500, -10, 10, -10, 10);
    rig.add(family::hyperbola, r.p);
    rig.paint();
    const int pa = rig.coords.worldtopixel(-r.p[1], 0).x;
    const int pc = rig.coords.worldtopixel(0, r.p[2]).y;
    // Near the centre the asymptote's column holds no curve pixel.
    EXPECT_EQ(rig.incolumn(pa, pc - 40, pc + 40), 0);
    // Both branches are there, far from the centre.
    EXPECT_GT(rig.incolumn(pa - 100, 0, 499), 0);
    EXPECT_GT(rig.incolumn(pa + 100, 0, 499), 0);
  }
}

TEST(qtpicture, LogarithmDrawsOnlyRightOfZero) {
  qtrig rig(500, 500, -5, 5, -5, 5);
  rig.add(family::custom, {0, 0, 0, 0, 0}, "ln(x)");
  rig.paint();
  int left = 0, right = 0;
  for (int x = 0; x < 500; ++x) (x < 248 ? left : right) += rig.incolumn(x, 0, 499);
  EXPECT_EQ(left, 0);
  EXPECT_GT(right, 200);
  // ln(e) = 1 at x = e: pixel (250 + 50e, 200).
  const int px = static_cast<int>(std::lround(250 + 50 * std::exp(1.0)));
  EXPECT_EQ(rig.incolumn(px, 199, 201), 1);
}

TEST(qtpicture, RangeLabelsAreWrittenIntoTheImage) {
  qtrig rig(400, 300, -2.5, 7.9, -3, 3);
  rig.paint();
  EXPECT_EQ(rig.host.labels[rangelabel::minx].text, "-2");
  EXPECT_EQ(rig.host.labels[rangelabel::maxx].text, "7");
  // Some dark text pixels lie in the Min X label's cell.
  const auto& l = rig.host.labels[rangelabel::minx];
  int dark = 0;
  for (int y = l.top; y < l.top + 12; ++y)
    for (int x = l.left; x < l.left + 14; ++x) dark += platform::red(rig.at(x, y)) < 128;
  EXPECT_GT(dark, 3);
}

}  // namespace
