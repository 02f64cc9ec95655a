#include "figures/tanalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "figurerig.h"
#include "support/fakeservices.h"

namespace {

// A graph window for the analysis tools: the figure rig's coordinate system,
// an owned figure list and a log of the window calls.
class fakeanalysishost : public tanalysishost {
 public:
  figurerig rig{600, 400, -10, 10, -10, 10};
  fakeservices svc;
  std::vector<std::unique_ptr<tfigure>> owned;
  std::vector<tfigure*> sel;
  tfigure* cur = nullptr;
  std::string status;
  std::vector<std::string> calls;
  worldpoint mouse;
  platform::point down;
  int32_t depth = 0;
  int currenttool = toolcode::tangent;
  bool button = false;
  int toolcursor = -2;
  std::deque<double> xanswers;  // typed x values; empty: cancelled
  std::string customtext;

  tfigure& add(int kind, std::array<double, 5> p) {
    owned.push_back(rig.make(kind, p));
    owned.back()->calculate();
    return *owned.back();
  }
  void select(std::initializer_list<tfigure*> figs) {
    for (tfigure* f : sel) f->selected = false;
    sel.assign(figs);
    for (tfigure* f : sel) f->selected = true;
  }
  platform::point pixel(double x, double y) { return rig.coords.worldtopixel(x, y); }

  tcoords& coordsystem() override { return rig.coords; }
  int clientwidth() const override { return rig.host.width; }
  int clientheight() const override { return rig.host.height; }
  platform::point clientorigin() const override { return {100, 50}; }
  std::vector<tfigure*> windowfigures() const override {
    std::vector<tfigure*> v;
    for (const auto& f : owned) v.push_back(f.get());
    return v;
  }
  std::vector<tfigure*>& currentselection() override { return sel; }
  void setcurfig(tfigure* f) override { cur = f; }
  tfigure* creategraph(int kind) override {
    calls.push_back("creategraph " + std::to_string(kind));
    if (kind == family::custom) return nullptr;  // not needed here
    tfigure& f = add(kind, {});
    clearselection();
    sel.push_back(&f);
    f.selected = true;
    return &f;
  }
  void deletefigure(tfigure& f) override {
    calls.push_back("deletefigure");
    std::erase(sel, &f);
    std::erase_if(owned, [&](const auto& p) { return p.get() == &f; });
  }
  void clearselection() override {
    for (tfigure* f : sel) f->selected = false;
    sel.clear();
  }
  void resetvisi(tfigure&) override {}
  void restoreselection() override {}
  void repant() override {
    for (tfigure* f : sel) f->calculate();
  }
  void pant() override { calls.push_back("pant"); }
  void afterp() override {}
  void unlockpaint() override {}
  void setbusy(bool) override {}
  worldpoint mouseworld() const override { return mouse; }
  platform::point downpoint() const override { return down; }
  void setdownpoint(platform::point p) override { down = p; }
  int32_t zoomdepth() const override { return depth; }
  int tool() const override { return currenttool; }
  bool buttondown() const override { return button; }
  void settoolcursor(int c) override { toolcursor = c; }
  std::string statustext() const override { return status; }
  void setstatus(const std::string& t) override { status = t; }
  std::string funcname() const override { return "F(x) ="; }
  void setcustomformula(const std::string& t, texpression&&) override { customtext = t; }
  // As the main window's command: the previous view from the history.
  void zoomout() override {
    calls.push_back("zoomout");
    rig.coords.popzoom();
    tcoords& c = rig.coords;
    c.setup(c.left, c.top, c.right, c.bottom, c.minx, c.maxx, c.miny, c.maxy);
  }
  void tangentclick() override {
    calls.push_back("tangentclick");
    currenttool = toolcode::tangent;
  }
  bool getxcoord(double& x) override {
    if (xanswers.empty()) return false;
    x = xanswers.front();
    xanswers.pop_front();
    return true;
  }
  platform::services& services() override { return svc; }
};

struct crossrow {
  const char* name;
  int kinda;
  std::array<double, 5> a;
  int kindb;
  std::array<double, 5> b;
  std::size_t count;
};

}  // namespace

TEST(tanalysis, crossestable) {
  struct row {
    const char* name;
    double a0, a1, b0, b1;
    bool expected;
  };
  const row rows[] = {
      {"a above b throughout", 5, 6, 1, 2, false},
      {"b above a throughout", 1, 2, 5, 6, false},
      {"opposite slopes meeting", 0, 2, 2, 0, true},
      {"parallel rising, a overtakes", 0, 3, 1, 2, true},
      {"equal at start", 1, 2, 1, 3, true},
      {"equal at end", 0, 2, 1, 2, true},
      {"same slope, apart but overlapping", 0, 2, 1, 3, false},
  };
  for (const row& r : rows) EXPECT_EQ(crosses(r.a0, r.a1, r.b0, r.b1), r.expected) << r.name;
}

TEST(tanalysis, crossingcounts) {
  const crossrow rows[] = {
      {"two lines", family::line, {1, 0}, family::line, {-1, 2}, 1},
      {"parallel lines", family::line, {1, 0}, family::line, {1, 2}, 0},
      {"parabola and line", family::parabola, {1, 0, -4}, family::line, {0, 0}, 2},
      // y = x^2 touches y = 0 over several columns around x = 0: one crossing.
      {"touching parabola", family::parabola, {1, 0, 0}, family::line, {0, 0}, 1},
      // 1/x and y = 0 never meet; the jump at the pole is no crossing.
      {"hyperbola pole skipped", family::hyperbola, {1, 0, 0}, family::line, {0, 0}, 0},
      {"hyperbola second", family::line, {0, 0}, family::hyperbola, {1, 0, 0}, 0},
      // Shifted pole x = -2.5 (between columns), crossing the line y = x twice.
      {"hyperbola and line", family::hyperbola, {1, 2.5, 0}, family::line, {1, 0}, 2},
  };
  for (const crossrow& r : rows) {
    fakeanalysishost h;
    tanalysis t(h);
    tfigure& a = h.add(r.kinda, r.a);
    tfigure& b = h.add(r.kindb, r.b);
    h.select({&a, &b});
    t.intersect();
    EXPECT_EQ(t.crossings.size(), r.count) << r.name;
    EXPECT_EQ(h.status, analysistext::crossingcount(static_cast<int>(r.count))) << r.name;
  }
}

TEST(tanalysis, crossingsliewheretheymeet) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    double x, y, within;
  };
  const std::vector<row> rows = {
      // Touching, with no change of sides: one crossing within a column of 0.
      {"x^2 touches y = 0", family::parabola, {1, 0, 0}, 0, 0, 20.0 / 600},
      // Crossing: the exact point, not the pixel column.
      {"x^2 - 2 crosses y = 0", family::parabola, {1, 0, -2}, -std::sqrt(2.0), 0, 1e-12},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    fakeanalysishost h;
    tanalysis t(h);
    tfigure& a = h.add(r.kind, r.p);
    tfigure& b = h.add(family::line, {0, 0});
    h.select({&a, &b});
    t.intersect();
    ASSERT_GE(t.crossings.size(), 1u);
    EXPECT_NEAR(t.crossings[0].x, r.x, r.within);
    EXPECT_NEAR(t.crossings[0].y, r.y, 1e-12);
  }
}

TEST(tanalysis, intersectneedstwoselected) {
  fakeanalysishost h;
  tanalysis t(h);
  tfigure& a = h.add(family::line, {1, 0});
  tfigure& b = h.add(family::line, {-1, 0});
  h.select({&a, &b});
  t.intersect();
  ASSERT_EQ(t.crossings.size(), 1u);
  h.select({&a});
  t.intersect();
  EXPECT_TRUE(t.crossings.empty());
  EXPECT_EQ(h.status, "Antall skj\xE6ringer: 0");
}

TEST(tanalysis, crossinghintwithinthreetenths) {
  fakeanalysishost h;
  tanalysis t(h);
  t.crossings = {{1.0, 2.0}, {5.0, 5.0}};
  struct row {
    const char* name;
    double x, y;
    bool shown;
  };
  const row rows[] = {
      {"on it", 1.0, 2.0, true},
      {"corner inside", 1.29, 1.71, true},
      {"x too far", 1.31, 2.0, false},
      {"y too far", 1.0, 2.31, false},
  };
  for (const row& r : rows)
    EXPECT_EQ(t.crossinghinttext(r.x, r.y, ",", ',').has_value(), r.shown) << r.name;
  EXPECT_EQ(*t.crossinghinttext(5, 5, ",", ','), " 5,00 , 5,00 ");
  EXPECT_EQ(*t.crossinghinttext(1, 2, ";", '.'), " 1.00 ; 2.00 ");
}

TEST(tanalysis, tangenttoparabolaslides) {
  fakeanalysishost h;
  tanalysis t(h);
  tfigure& f = h.add(family::parabola, {1, 0, 0});
  h.select({&f});
  const platform::point p1 = h.pixel(1, 1);
  t.presstangent(p1.x, p1.y);
  ASSERT_TRUE(t.placing());
  ASSERT_EQ(h.sel.size(), 1u);
  tfigure* line = h.sel[0];
  EXPECT_EQ(line->kind, family::line);
  // The pixel grid puts the press within one column of x = 1.
  const double x1 = h.rig.coords.pixeltoworld(p1.x, p1.y).x;
  EXPECT_NEAR(line->param[1], 2 * x1, 1e-12);
  EXPECT_NEAR(line->param[1], 2, 0.05);
  EXPECT_NEAR(line->param[2], -1, 0.05);

  const platform::point p2 = h.pixel(2, 4);
  t.movetang(p2.x, p2.y);
  EXPECT_EQ(h.toolcursor, tanalysis::cursortangmove);
  const double x2 = h.rig.coords.pixeltoworld(p2.x, p2.y).x;
  EXPECT_NEAR(line->param[1], 2 * x2, 1e-12);
  EXPECT_NEAR(line->param[2], -x2 * x2, 1e-12);
  EXPECT_NEAR(line->param[1], 4, 0.05);
  EXPECT_NEAR(line->param[2], -4, 0.1);

  t.releasetangent();
  EXPECT_FALSE(t.placing());
}

TEST(tanalysis, tangentatexactxbyspace) {
  fakeanalysishost h;
  tanalysis t(h);
  tfigure& f = h.add(family::parabola, {1, 0, 0});
  h.select({&f});
  h.xanswers = {1.5};
  t.keydown(32, false, false);
  ASSERT_EQ(h.sel.size(), 1u);
  ASSERT_NE(h.sel[0], &f);
  // At the typed x exactly, not at its pixel column.
  EXPECT_NEAR(h.sel[0]->param[1], 3, 1e-12);
  EXPECT_NEAR(h.sel[0]->param[2], -2.25, 1e-12);
  EXPECT_EQ(h.status, analysistext::linerefused);
  EXPECT_FALSE(t.placing());
}

TEST(tanalysis, spacerefusals) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    std::deque<double> typed;
    std::string message;  // empty: no box
  };
  const row rows[] = {
      {"line", family::line, {2, 1}, {1.0}, analysistext::spaceonline},
      {"x outside", family::parabola, {1, 0, 0}, {11.0}, analysistext::spaceoutside},
      {"y outside", family::parabola, {1, 0, 0}, {4.0}, analysistext::spaceoutside},
      {"cancelled", family::parabola, {1, 0, 0}, {}, ""},
  };
  for (const row& r : rows) {
    fakeanalysishost h;
    tanalysis t(h);
    tfigure& f = h.add(r.kind, r.p);
    h.select({&f});
    h.xanswers = r.typed;
    t.keydown(32, false, false);
    EXPECT_EQ(h.owned.size(), 1u) << r.name;
    if (r.message.empty()) {
      EXPECT_TRUE(h.svc.messages.empty()) << r.name;
    } else {
      ASSERT_EQ(h.svc.messages.size(), 1u) << r.name;
      EXPECT_EQ(h.svc.messages[0].text, r.message) << r.name;
    }
  }
}

TEST(tanalysis, linerefusesatangent) {
  fakeanalysishost h;
  tanalysis t(h);
  tfigure& f = h.add(family::line, {2, 1});
  h.select({&f});
  t.keydown(32, false, false);
  EXPECT_EQ(h.status, "Kan ikke lage tangent til en linje-velg en annen IKKE LINE\xC6R funksjon.");
  const platform::point p = h.pixel(1, 3);
  EXPECT_FALSE(t.findtangent(p.x, p.y));
  EXPECT_EQ(h.owned.size(), 1u);
}

TEST(tanalysis, tangentrefusedoffcurveandatpole) {
  fakeanalysishost h;
  tanalysis t(h);
  tfigure& f = h.add(family::parabola, {1, 0, 0});
  h.select({&f});
  const platform::point off = h.pixel(0, 5);
  EXPECT_FALSE(t.findtangent(off.x, off.y));
  // The flat hyperbola 0/x is hit at x = 0, where its derivative text divides
  // by zero: no tangent line rather than one with an undefined slope.
  tfigure& g = h.add(family::hyperbola, {0, 0, 0});
  h.select({&g});
  const platform::point pole = h.pixel(0, 0);
  ASSERT_TRUE(g.hittest(pole.x, pole.y));
  EXPECT_FALSE(t.findtangent(pole.x, pole.y));
  EXPECT_EQ(h.owned.size(), 2u);
  EXPECT_FALSE(t.placing());
}

TEST(tanalysis, ctrltwicethenshiftonce) {
  fakeanalysishost h;
  tanalysis t(h);
  tfigure& f = h.add(family::parabola, {1, 0, 0});
  h.select({&f});
  h.mouse = {2, 3};
  ASSERT_TRUE(t.ctrlzoom());
  tcoords& c = h.rig.coords;
  const tzoomrecord first{c.minx, c.miny, c.maxx, c.maxy};
  EXPECT_NEAR((c.minx + c.maxx) / 2, 2, 1e-9);
  EXPECT_NEAR((c.miny + c.maxy) / 2, 3, 1e-9);
  EXPECT_NEAR(c.maxx - c.minx, 2 * (600 / 3) / (600 / 20.0), 1e-9);
  EXPECT_EQ(h.down.x, 300);
  EXPECT_EQ(h.down.y, 200);
  ASSERT_EQ(h.svc.pointermoves.size(), 1u);
  EXPECT_EQ(h.svc.pointermoves[0].x, 400);
  EXPECT_EQ(h.svc.pointermoves[0].y, 250);

  h.mouse = {2.5, 3.5};
  h.down = {10, 10};
  t.keydown(0, false, true);
  EXPECT_EQ(c.zoomhistory.size(), 2u);
  h.status = "kept";
  t.keydown(0, true, false);
  EXPECT_EQ(c.zoomhistory.size(), 1u);
  EXPECT_DOUBLE_EQ(c.minx, first.minx);
  EXPECT_DOUBLE_EQ(c.maxx, first.maxx);
  EXPECT_DOUBLE_EQ(c.miny, first.miny);
  EXPECT_DOUBLE_EQ(c.maxy, first.maxy);
  EXPECT_EQ(h.status, "kept");
  EXPECT_EQ(h.currenttool, toolcode::tangent);
  // The pointer follows the point that was under the press in the zoomed view.
  EXPECT_EQ(h.svc.pointermoves.back().x, 100 + h.down.x);
  EXPECT_EQ(h.svc.pointermoves.back().y, 50 + h.down.y);
  // Nothing left to undo.
  EXPECT_TRUE(t.shiftundo());
  EXPECT_FALSE(t.shiftundo());
}

TEST(tanalysis, ctrlzoomrefusedwhentoonarrow) {
  fakeanalysishost h;
  tanalysis t(h);
  h.add(family::parabola, {1, 0, 0});
  h.rig.coords.setup(0, 0, 600, 400, 0, 1.2, 0, 1.2);
  EXPECT_FALSE(t.ctrlzoom());
  EXPECT_TRUE(h.rig.coords.zoomhistory.empty());
  // Another tool: Ctrl does nothing.
  fakeanalysishost g;
  tanalysis u(g);
  g.add(family::parabola, {1, 0, 0});
  g.currenttool = toolcode::select;
  u.keydown(0, false, true);
  EXPECT_TRUE(g.rig.coords.zoomhistory.empty());
}

TEST(tanalysis, releaseundoesthedragszooms) {
  fakeanalysishost h;
  tanalysis t(h);
  tfigure& f = h.add(family::parabola, {1, 0, 0});
  h.select({&f});
  h.depth = 0;
  const platform::point p = h.pixel(1, 1);
  t.presstangent(p.x, p.y);
  h.mouse = {1, 1};
  t.ctrlzoom();
  h.mouse = {1, 1};
  t.ctrlzoom();
  t.releasetangent();
  tcoords& c = h.rig.coords;
  EXPECT_TRUE(c.zoomhistory.empty());
  EXPECT_DOUBLE_EQ(c.minx, -10);
  EXPECT_DOUBLE_EQ(c.maxx, 10);
  EXPECT_EQ(h.calls.back(), "tangentclick");
}

TEST(tanalysis, derivativecurveandcancel) {
  struct row {
    const char* name;
    platform::msgresult answer;
    std::size_t figures;
  };
  const row rows[] = {
      {"ok keeps", platform::msgresult::ok, 2},
      {"cancel deletes", platform::msgresult::cancel, 1},
  };
  for (const row& r : rows) {
    fakeanalysishost h;
    tanalysis t(h);
    tfigure& f = h.add(family::vertexparab, {1, 2, 0});
    h.svc.msganswers = {r.answer};
    const platform::point p = h.pixel(2, 0);
    t.findderiv(p.x, p.y);
    ASSERT_EQ(h.svc.messages.size(), 1u) << r.name;
    EXPECT_EQ(h.svc.messages[0].text, "F(x) =2*a*(x-b)") << r.name;
    EXPECT_EQ(h.svc.messages[0].buttons, platform::msgbuttons::okcancel) << r.name;
    EXPECT_EQ(h.owned.size(), r.figures) << r.name;
    if (r.figures == 2) {
      tfigure& d = *h.owned[1];
      EXPECT_EQ(d.kind, family::line) << r.name;
      EXPECT_DOUBLE_EQ(d.param[1], 2) << r.name;
      EXPECT_DOUBLE_EQ(d.param[2], -4) << r.name;
      ASSERT_EQ(h.sel.size(), 1u);
      EXPECT_EQ(h.sel[0], &d) << r.name;
    } else {
      // Nothing was selected before the click: the clicked curve stays so.
      ASSERT_EQ(h.sel.size(), 1u) << r.name;
      EXPECT_EQ(h.sel[0], &f) << r.name;
    }
    EXPECT_EQ(h.owned[0].get(), &f);
  }
}

TEST(tanalysis, derivativeofsineisthecosinewave) {
  fakeanalysishost h;
  tanalysis t(h);
  h.add(family::sine, {2, 3, 1, 5});
  const double x = 0.5;
  const platform::point p = h.pixel(x, 2 * std::sin(3 * x + 1) + 5);
  t.findderiv(p.x, p.y);
  ASSERT_EQ(h.owned.size(), 2u);
  const tfigure& d = *h.owned[1];
  EXPECT_EQ(d.kind, family::cosine);
  EXPECT_NEAR(d.value(0.2), 6 * std::cos(3 * 0.2 + 1), 1e-12);
}
