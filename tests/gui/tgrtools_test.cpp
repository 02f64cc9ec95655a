// The graph tools driven through the window's handlers at pixels computed
// from world points: selection rules, freezing, hints and cursors, the zoom
// rectangle, fix points, the rotate and move drags with the axis lock and the
// snap to Step on release.
#include <cmath>
#include <optional>

#include "expr/parseexpr.h"
#include "guifixture.h"

namespace {

using namespace shiftstate;

class tooltest : public guitest {
 protected:
  void TearDown() override { tgrform::lockx = tgrform::locky = tgrform::lockaxis = 0; }

  void tool(const char* item) { main->runcommand(item); }

  // A fresh program for the next row of a table.
  void restart() {
    main.reset();
    QApplication::processEvents();
    start();
  }

  // A pixel on figure f (x between -8 and 8) that no other figure of the
  // window hits; none when the curves overlap everywhere tried.
  std::optional<platform::point> only(tgrform& w, tfigure& f) {
    for (double x = -8; x <= 8; x += 0.25) {
      const platform::point p = w.coords.worldtopixel(x, f.value(x));
      if (!f.hittest(p.x, p.y)) continue;
      bool alone = true;
      for (tfigure* g : w.figures())
        if (g != &f && g->hittest(p.x, p.y)) alone = false;
      if (alone) return p;
    }
    return std::nullopt;
  }

  platform::point at(tgrform& w, double x, double y) { return w.coords.worldtopixel(x, y); }

  void press(tgrform& w, platform::point p, unsigned shift = left,
             mousebutton b = mousebutton::left) {
    w.formmousedown(b, shift, p.x, p.y);
  }
  void drag(tgrform& w, platform::point p, unsigned shift = left) {
    w.formmousemove(shift, p.x, p.y);
  }
  void release(tgrform& w, platform::point p, unsigned shift = 0) {
    w.formmouseup(mousebutton::left, shift, p.x, p.y);
  }
};

TEST_F(tooltest, plainclickselectsthelasthitfigure) {
  // Two equal lines: both are hit, the later one in the list wins.
  main->runcommand("line1");
  main->runcommand("line1");
  tgrform& w = active();
  tfigure* first = func().figures[0].get();
  tfigure* second = func().figures[1].get();
  press(w, at(w, 3, first->value(3)));
  ASSERT_EQ(w.selection.size(), 1u);
  EXPECT_EQ(w.selection[0], second);
  EXPECT_FALSE(first->selected);
  EXPECT_TRUE(second->selected);
}

TEST_F(tooltest, ctrlclickrules) {
  struct row {
    const char* name;
    const char* tool;
    std::vector<int> clicks;  // figure indexes Ctrl-clicked in turn
    size_t expected;
  };
  const row rows[] = {
      {"intersectionkeepsattwo", "intersect1", {0, 1}, 2},
      {"selectaddsathird", "select1", {0, 1}, 3},
      {"onlyselectedstays", "select1", {2}, 1},
      {"selectedoneisremoved", "select1", {0, 0}, 1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    main->runcommand("line1");
    main->runcommand("sin1");
    main->runcommand("parabola2");  // selected last
    tgrform& w = active();
    tool(r.tool);
    ASSERT_EQ(w.selection.size(), 1u);
    for (int k : r.clicks) {
      tfigure& f = *func().figures[static_cast<size_t>(k)];
      const auto p = only(w, f);
      ASSERT_TRUE(p.has_value());
      press(w, *p, left | ctrl);
      release(w, *p);
    }
    EXPECT_EQ(w.selection.size(), r.expected);
    for (tfigure* f : w.figures()) {
      const bool in = std::find(w.selection.begin(), w.selection.end(), f) != w.selection.end();
      EXPECT_EQ(f->selected, in);
    }
  }
}

TEST_F(tooltest, freezeleftfreezesrightthaws) {
  main->runcommand("sin1");
  tgrform& w = active();
  tool("freeze1");
  tfigure& f = *func().figures[0];
  const auto p = only(w, f);
  ASSERT_TRUE(p.has_value());
  press(w, *p, left);
  EXPECT_TRUE(f.frozen);
  EXPECT_EQ(w.visimask, 0);
  release(w, *p);
  // A miss freezes nothing more and thaws nothing.
  press(w, at(w, 0, 9), right, mousebutton::right);
  EXPECT_TRUE(f.frozen);
  press(w, *p, right, mousebutton::right);
  EXPECT_FALSE(f.frozen);
  EXPECT_NE(w.visimask, 0);
}

TEST_F(tooltest, hoverhintshowsformulaandgoesaway) {
  main->runcommand("parabola2");
  tgrform& w = active();
  tfigure& f = *func().figures[0];
  const auto p = only(w, f);
  ASSERT_TRUE(p.has_value());
  drag(w, *p, 0);
  ASSERT_TRUE(w.hintvisible);
  const int32_t mode = f.textmode;
  f.textmode = 1;
  const std::string formula = f.formula();
  f.textmode = mode;
  EXPECT_EQ(w.hint, main->options().funcname().substr(0, 1) + formula);
  EXPECT_EQ(f.textmode, mode);
  drag(w, at(w, 7, -9), 0);
  EXPECT_FALSE(w.hintvisible);
  EXPECT_TRUE(w.hint.empty());
}

TEST_F(tooltest, cursorspertool) {
  main->runcommand("sin1");
  tgrform& w = active();
  tfigure& f = *func().figures[0];
  const auto on = only(w, f);
  ASSERT_TRUE(on.has_value());
  const platform::point off = at(w, 7, -9);

  tool("rotate1");
  // The hand shows once a press has made the curve the current figure.
  drag(w, *on, 0);
  EXPECT_EQ(w.windowcursor, tcursors::squeeze);
  press(w, off);
  release(w, off);
  drag(w, *on, 0);
  EXPECT_EQ(w.windowcursor, tcursors::handflat);
  drag(w, off, 0);
  EXPECT_EQ(w.windowcursor, tcursors::squeeze);
  press(w, *on);
  EXPECT_TRUE(f.grabbed);
  EXPECT_EQ(w.screencursor, tcursors::handgrap);
  release(w, *on);
  EXPECT_EQ(w.screencursor, 0);

  tool("zoomtool1");
  drag(w, off, 0);
  EXPECT_EQ(w.windowcursor, tcursors::zoom);
  tool("freeze1");
  drag(w, off, 0);
  EXPECT_EQ(w.windowcursor, tcursors::freeze);
  // A frozen curve offers no hand.
  tool("move1");
  f.frozen = true;
  drag(w, *on, 0);
  EXPECT_EQ(w.windowcursor, tcursors::move);
}

TEST_F(tooltest, zoomrectangle) {
  struct row {
    const char* name;
    double x1, y1, x2, y2;
    bool zooms;
  };
  const row rows[] = {
      {"bigrectangle", -2, 3, 4, -1, true},   {"draggedbackwards", 4, -1, -2, 3, true},
      {"toonarrowinx", 1, 3, 1.5, -1, false}, {"toolowiny", -2, 1, 4, 1.4, false},
      {"plainclick", 1, 1, 1, 1, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    main->runcommand("line1");
    tgrform& w = active();
    tool("zoomtool1");
    const double minx = w.coords.minx;
    const size_t depth = w.coords.zoomhistory.size();
    const platform::point a = at(w, r.x1, r.y1);
    const platform::point b = at(w, r.x2, r.y2);
    press(w, a);
    ASSERT_TRUE(w.zooming);
    drag(w, b);
    EXPECT_EQ(w.shape1.left, std::min(a.x, b.x));
    EXPECT_EQ(w.shape1.top, std::min(a.y, b.y));
    EXPECT_EQ(w.shape1.width(), std::abs(a.x - b.x));
    EXPECT_EQ(w.shape1.height(), std::abs(a.y - b.y));
    release(w, b);
    EXPECT_FALSE(w.zooming);
    EXPECT_FALSE(w.shape1visible);
    if (r.zooms) {
      EXPECT_EQ(w.coords.zoomhistory.size(), depth + 1);
      EXPECT_NEAR(w.coords.minx, -2, 0.1);
      EXPECT_NEAR(w.coords.maxx, 4, 0.1);
      EXPECT_NEAR(w.coords.miny, -1, 0.1);
      EXPECT_NEAR(w.coords.maxy, 3, 0.1);
    } else {
      EXPECT_EQ(w.coords.zoomhistory.size(), depth);
      EXPECT_EQ(w.coords.minx, minx);
    }
  }
}

TEST_F(tooltest, releasesnapsparameterstostep) {
  for (const char* t : {"rotate1", "move1"}) {
    SCOPED_TRACE(t);
    restart();
    // The vertex form: a drag onto the pressed pixel keeps b and c.
    main->runcommand("parabola3");
    tgrform& w = active();
    tool(t);
    for (float& s : main->options().paramconst().step) s = 0.5f;
    tfigure& f = *func().figures[0];
    f.param[1] = 2.37;
    f.param[2] = -2.37;
    f.param[3] = 0.3;
    f.param[4] = 1.0;  // past the parameter count: untouched
    w.pant();
    const auto p = only(w, f);
    ASSERT_TRUE(p.has_value());
    press(w, *p);
    ASSERT_TRUE(f.grabbed);
    drag(w, *p);
    release(w, *p);
    EXPECT_DOUBLE_EQ(f.param[1], 2.0);
    // Turned about its vertex, the parabola keeps the vertex there.
    const bool rotated = std::string(t) == "rotate1";
    EXPECT_DOUBLE_EQ(f.param[2], rotated ? -2.37 : -2.0);
    EXPECT_DOUBLE_EQ(f.param[3], 0.3);
    // The move tool's closing select step clears the mark again.
    EXPECT_EQ(f.fixmode, std::string(t) == "rotate1");
    EXPECT_EQ(f.dragx, 0);
    EXPECT_EQ(f.dragy, 0);
  }
}

TEST_F(tooltest, snapkeepsvaluesalreadyonthestep) {
  struct row {
    const char* name;
    float step;
    double value;
    double expected;
  };
  const row rows[] = {
      {"oneonhundredths", 0.01f, 1.0, 1.0},
      {"tenths", 0.1f, 2.3, 2.3},
      {"tenthsnegative", 0.1f, -2.3, -2.3},
      {"truncatestowardzero", 0.1f, -2.39, -2.3},
  };
  main->runcommand("parabola2");
  tgrform& w = active();
  tool("rotate1");
  tfigure& f = *func().figures[0];
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main->options().paramconst().step[2] = r.step;
    f.param[3] = r.value;
    w.pant();
    const auto p = only(w, f);
    ASSERT_TRUE(p.has_value());
    press(w, *p);
    drag(w, *p);
    release(w, *p);
    EXPECT_NEAR(f.param[3], r.expected, 1e-12);
  }
}

TEST_F(tooltest, zerostepsnapsnothing) {
  main->runcommand("parabola2");
  tgrform& w = active();
  tool("rotate1");
  for (float& s : main->options().paramconst().step) s = 0.0f;
  tfigure& f = *func().figures[0];
  f.param[1] = 2.37;
  w.pant();
  const auto p = only(w, f);
  ASSERT_TRUE(p.has_value());
  press(w, *p);
  release(w, *p);
  EXPECT_DOUBLE_EQ(f.param[1], 2.37);
  EXPECT_TRUE(std::isfinite(f.param[2]));
}

TEST_F(tooltest, shiftlocksthesineaxis) {
  struct row {
    const char* name;
    int dx, dy;  // first movement after the start
    int lx, ly;  // a later movement
    int32_t axis;
  };
  const row rows[] = {
      {"horizontal", 30, 3, 45, 40, 1},
      {"vertical", 3, 30, 40, 45, 2},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    main->runcommand("sin1");
    tgrform& w = active();
    tool("rotate1");
    tfigure& f = *func().figures[0];
    const auto p = only(w, f);
    ASSERT_TRUE(p.has_value());
    press(w, *p);
    ASSERT_TRUE(f.grabbed);
    drag(w, *p, left | shift);
    EXPECT_EQ(tgrform::lockx, p->x);
    EXPECT_EQ(tgrform::locky, p->y);
    EXPECT_EQ(tgrform::lockaxis, 0);
    drag(w, {p->x + r.dx, p->y + r.dy}, left | shift);
    EXPECT_EQ(tgrform::lockaxis, r.axis);
    const platform::point later{p->x + r.lx, p->y + r.ly};
    drag(w, later, left | shift);
    // The drag reference is the locked pointer position.
    const worldpoint locked =
        r.axis == 1 ? w.coords.pixeltoworld(later.x, p->y) : w.coords.pixeltoworld(p->x, later.y);
    EXPECT_DOUBLE_EQ(f.dragx, locked.x);
    EXPECT_DOUBLE_EQ(f.dragy, locked.y);
    // Without Shift the drag is free again.
    drag(w, later, left);
    EXPECT_EQ(tgrform::lockx, 0);
    EXPECT_EQ(tgrform::lockaxis, 0);
    const worldpoint free = w.coords.pixeltoworld(later.x, later.y);
    EXPECT_DOUBLE_EQ(f.dragx, free.x);
    EXPECT_DOUBLE_EQ(f.dragy, free.y);
    release(w, later);
  }
}

TEST_F(tooltest, shiftdoesnotlockotherfamiliesandreleaseforgetsthelock) {
  main->runcommand("parabola2");
  tgrform& w = active();
  tool("rotate1");
  tfigure& f = *func().figures[0];
  const auto p = only(w, f);
  ASSERT_TRUE(p.has_value());
  press(w, *p);
  drag(w, {p->x + 20, p->y + 2}, left | shift);
  EXPECT_EQ(tgrform::lockx, 0);
  release(w, *p);

  main->runcommand("sin1");
  tfigure& s = *func().figures[1];
  const auto q = only(w, s);
  ASSERT_TRUE(q.has_value());
  press(w, *q);
  drag(w, *q, left | shift);
  drag(w, {q->x + 30, q->y}, left | shift);
  EXPECT_EQ(tgrform::lockaxis, 1);
  release(w, {q->x + 30, q->y});
  EXPECT_EQ(tgrform::lockx, 0);
  EXPECT_EQ(tgrform::lockaxis, 0);
}

TEST_F(tooltest, frozenorungrabbedfiguresarenotdragged) {
  struct row {
    const char* name;
    bool freeze;
    bool pressoff;  // the press misses the curve
  };
  const row rows[] = {{"frozen", true, false}, {"missedpress", false, true}};
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    main->runcommand("parabola2");
    tgrform& w = active();
    tool("move1");
    tfigure& f = *func().figures[0];
    f.frozen = r.freeze;
    const auto p = only(w, f);
    ASSERT_TRUE(p.has_value());
    const std::array<double, 6> before = f.param;
    press(w, r.pressoff ? at(w, 7, -9) : *p);
    EXPECT_FALSE(f.grabbed);
    drag(w, {p->x + 40, p->y - 40});
    release(w, {p->x + 40, p->y - 40});
    EXPECT_EQ(f.param, before);
  }
}

TEST_F(tooltest, moveshiftsagrabbedcurve) {
  main->runcommand("parabola2");
  tgrform& w = active();
  tool("move1");
  tfigure& f = *func().figures[0];
  const auto p = only(w, f);
  ASSERT_TRUE(p.has_value());
  const std::array<double, 6> before = f.param;
  press(w, *p);
  ASSERT_TRUE(f.grabbed);
  drag(w, {p->x, p->y - 60});
  EXPECT_NE(f.param, before);
  EXPECT_FALSE(f.fixmode);
}

TEST_F(tooltest, unfittableformulaisleftalone) {
  parseexpr(main->customexpression, "sin(a*x)+b");
  ASSERT_EQ(main->customexpression.errcode, 0);
  tgrform& w = active();
  tfigure* f = w.creategraph(family::custom);
  ASSERT_NE(f, nullptr);
  ASSERT_FALSE(tgrform::adjustable(*f));
  w.pant();
  const auto p = only(w, *f);
  ASSERT_TRUE(p.has_value());
  const std::array<double, 6> before = f->param;
  for (const char* t : {"fixpoint1", "rotate1", "move1"}) {
    SCOPED_TRACE(t);
    tool(t);
    const int32_t fixes = f->fixcount;
    press(w, *p);
    EXPECT_FALSE(f->grabbed);
    drag(w, {p->x + 30, p->y - 30});
    release(w, {p->x + 30, p->y - 30});
    EXPECT_EQ(f->param, before);
    EXPECT_EQ(f->fixcount, fixes);
  }
}

TEST_F(tooltest, fixpointrightclickasksforcoordinates) {
  main->runcommand("parabola2");
  tgrform& w = active();
  tool("fixpoint1");
  tfigure& f = *func().figures[0];
  int asked = 0;
  double shownx = 0;
  const double fixx = f.fixx[1];
  w.askfixcoords = [&](tfigure&, double& x, double& y) {
    ++asked;
    shownx = x;
    x = 1.5;
    y = 4.0;
    return true;
  };
  // Far from the curve and its fix points: no dialog.
  press(w, at(w, 8, -9), right, mousebutton::right);
  EXPECT_EQ(asked, 0);
  const platform::point fp = at(w, f.fixx[1], f.fixy[1]);
  press(w, fp, right, mousebutton::right);
  EXPECT_EQ(asked, 1);
  EXPECT_DOUBLE_EQ(shownx, fixx);
  EXPECT_EQ(f.curfix, 1);
  EXPECT_DOUBLE_EQ(f.fixx[1], 1.5);
  EXPECT_DOUBLE_EQ(f.fixy[1], 4.0);
  EXPECT_TRUE(f.fixmode);

  // Cancel leaves the point.
  w.askfixcoords = [](tfigure&, double& x, double&) {
    x = 7;
    return false;
  };
  press(w, at(w, 1.5, 4.0), right, mousebutton::right);
  EXPECT_DOUBLE_EQ(f.fixx[1], 1.5);
}

TEST_F(tooltest, fixpointpressmarksthefigure) {
  main->runcommand("parabola2");
  tgrform& w = active();
  tool("fixpoint1");
  tfigure& f = *func().figures[0];
  const auto p = only(w, f);
  ASSERT_TRUE(p.has_value());
  press(w, *p);
  EXPECT_TRUE(f.fixmode);
  EXPECT_TRUE(f.fixdown);
  drag(w, {p->x + 5, p->y});
  EXPECT_FALSE(f.dragging);
  release(w, {p->x + 5, p->y});
  EXPECT_FALSE(f.fixdown);
}

TEST_F(tooltest, doubleclickselectsthecurveunderthepress) {
  main->runcommand("parabola2");
  main->runcommand("sin1");
  tgrform& w = active();
  tool("move1");
  tfigure& a = *func().figures[0];
  tfigure& b = *func().figures[1];
  ASSERT_EQ(w.selection[0], &b);
  const auto p = only(w, a);
  ASSERT_TRUE(p.has_value());
  press(w, *p);
  w.formdblclick();
  ASSERT_EQ(w.selection.size(), 1u);
  EXPECT_EQ(w.selection[0], &a);
  EXPECT_TRUE(a.grabbed);
  EXPECT_FALSE(b.grabbed);
  EXPECT_FALSE(b.selected);
  EXPECT_FALSE(a.fixmode);
  EXPECT_TRUE(w.zooming);
  // A second double click before the release does nothing.
  const auto q = only(w, b);
  ASSERT_TRUE(q.has_value());
  w.downx = q->x;
  w.downy = q->y;
  w.formdblclick();
  EXPECT_EQ(w.selection[0], &a);
  release(w, *p);
  EXPECT_FALSE(w.zooming);
}

TEST_F(tooltest, pressignoredwhilethefigureupdates) {
  main->runcommand("sin1");
  tgrform& w = active();
  tool("rotate1");
  tfigure& f = *func().figures[0];
  const auto p = only(w, f);
  ASSERT_TRUE(p.has_value());
  f.updating = true;
  press(w, *p);
  EXPECT_FALSE(f.grabbed);
  f.updating = false;
}

}  // namespace
