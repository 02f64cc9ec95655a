// The intersection, derivative and tangent tools in a real graph window,
// driven through the window's handlers at pixels computed from world points:
// crossing counts and hints, the derivative question, tangent placing and
// sliding, the keys of the tangent tool and the pointer moves they cause.
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <cmath>
#include <numbers>
#include <optional>

#include "dialogs/tsynt.h"
#include "figures/tanalysis.h"
#include "graph/tgranalysis.h"
#include "graph/tgrcanvas.h"
#include "guifixture.h"
#include "platform/qt/cp1252.h"
#include "shell/customentry.h"

namespace {

using namespace shiftstate;

struct figspec {
  int kind;
  std::array<double, 5> p;
};

class analysistest : public guitest {
 protected:
  void SetUp() override {
    guitest::SetUp();
    view(-10, 10, -10, 10);
  }

  void restart() {
    main.reset();
    QApplication::processEvents();
    start();
    view(-10, 10, -10, 10);
  }

  // Also forgets what the start-up asked (the missing settings file).
  void view(double x0, double x1, double y0, double y1) {
    services.messages.clear();
    tgrform& w = active();
    w.coords.zoomhistory.clear();
    w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), x0, x1, y0, y1);
  }

  // A figure of the family with the parameters, made in the active window
  // (and selected there, as the menu makes it).
  tfigure& make(figspec s) {
    tgrform& w = active();
    tfigure* f = w.creategraph(s.kind);
    for (size_t k = 0; k < s.p.size(); ++k) f->param[k + 1] = s.p[k];
    w.pant();
    return *f;
  }

  void tool(const char* item) { main->runcommand(item); }
  platform::point at(double x, double y) { return active().coords.worldtopixel(x, y); }
  double worldx(platform::point p) { return active().coords.pixeltoworld(p.x, p.y).x; }

  // A pixel on f near world x that no other figure hits.
  std::optional<platform::point> alone(tfigure& f, double from) {
    tgrform& w = active();
    for (double x = from; x <= 9; x += 0.25) {
      const platform::point p = at(x, f.value(x));
      if (!f.hittest(p.x, p.y)) continue;
      bool only = true;
      for (tfigure* g : w.figures())
        if (g != &f && g->hittest(p.x, p.y)) only = false;
      if (only) return p;
    }
    return std::nullopt;
  }

  void hover(platform::point p) { active().formmousemove(0, p.x, p.y); }
  void press(platform::point p, unsigned shift = left) {
    active().formmousedown(mousebutton::left, shift, p.x, p.y);
  }
  void drag(platform::point p) { active().formmousemove(left, p.x, p.y); }
  void release(platform::point p) { active().formmouseup(mousebutton::left, 0, p.x, p.y); }
  // Pressed and let go.
  void key(int k, unsigned shift = 0) {
    active().formkeydown(k, shift);
    active().formkeyup(k);
  }

  std::string status() { return platform::tocp1252(main->paneltext(2)); }
  tanalysis& tools() { return active().analysis->tools; }
  size_t figurecount() { return active().figures().size(); }

  struct viewrect {
    double minx, maxx, miny, maxy;
  };
  viewrect current() {
    const tcoords& c = active().coords;
    return {c.minx, c.maxx, c.miny, c.maxy};
  }
};

TEST_F(analysistest, crossingcounts) {
  struct row {
    const char* name;
    figspec a;
    figspec b;
    int count;
  };
  const row rows[] = {
      {"parabolaandline", {family::parabola, {1, 0, 0}}, {family::line, {0, 2}}, 2},
      // Equal curves touch in every column: one run, one crossing.
      {"coincidentcurves", {family::parabola, {1, 0, 0}}, {family::vertexparab, {1, 0, 0}}, 1},
      // 1/x meets y = x at -1 and 1; its jump at x = 0 is not a third.
      {"hyperbolapoleskipped", {family::hyperbola, {1, 0, 0}}, {family::line, {1, 0}}, 2},
      {"hyperbolaaboveaxis", {family::hyperbola, {1, 0, 0}}, {family::line, {0, 0}}, 0},
      {"sinewithoutpole", {family::sine, {1, 1, 0, 0}}, {family::line, {0, 0}}, 7},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    tfigure& a = make(r.a);
    tfigure& b = make(r.b);
    tool("intersect1");
    const auto pa = alone(a, -9);
    const auto pb = alone(b, -9);
    if (pa && pb) {
      press(*pa);
      release(*pa);
      press(*pb, left | ctrl);
      release(*pb);
    } else {
      // Curves that overlap everywhere cannot be told apart by a click.
      tgrform& w = active();
      w.clearselection();
      w.selection = {&a, &b};
      w.intersect();
    }
    ASSERT_EQ(active().selection.size(), 2u);
    EXPECT_EQ(static_cast<int>(tools().crossings.size()), r.count);
    EXPECT_EQ(status(), "Antall skj\xE6ringer: " + std::to_string(r.count));
  }
}

// tan x typed as a formula: no line joins its branches at the poles, and
// with the x-axis line it crosses at its seven zeros in view, not at the
// six poles as well.
TEST_F(analysistest, tanbreaksatitspolesandcrossesonlyatitszeros) {
  customclick(*main, [](tsynt& d) {
    // Typed key by key into the formula field.
    for (const QChar c : QString("tan(x)")) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(&d.edit1(), &press);
    }
    EXPECT_EQ(d.edittext(), "tan(x)");
    d.okclick();
    return d.result();
  });
  tgrform& w = active();
  ASSERT_EQ(w.figures().size(), 1u);
  tfigure& tan = *w.figures()[0];
  ASSERT_EQ(tan.kind, family::custom);
  w.pant();
  const int h = w.clientheight();
  const int axisrow = at(0, 0).y;
  auto curvepixels = [&](int px, int from, int to) {
    int n = 0;
    for (int y = std::max(from, 0); y < std::min(to, h); ++y) {
      if (std::abs(y - axisrow) <= 1) continue;  // the x-axis crosses there
      for (const platform::colour c : w.coords.figcolours)
        if (pixel(w, px, y) == c) {
          ++n;
          break;
        }
    }
    return n;
  };
  for (const double pole : {-2.5, -1.5, -0.5, 0.5, 1.5, 2.5}) {
    SCOPED_TRACE(pole);
    const int px = at(pole * std::numbers::pi, 0).x;
    EXPECT_EQ(curvepixels(px, h / 4, 3 * h / 4), 0) << "a line across the pole";
    // The branch on the left runs off the top, the one on the right comes up
    // from the bottom: both reach the window's edge.
    int top = 0, bottom = 0;
    for (int c = px - 10; c <= px + 10; ++c) {
      top += curvepixels(c, 0, 2);
      bottom += curvepixels(c, h - 2, h);
    }
    EXPECT_GT(top, 0);
    EXPECT_GT(bottom, 0);
  }

  tfigure& axis = make({family::line, {0, 0}});
  tool("intersect1");
  const auto pa = alone(tan, -9);
  const auto pb = alone(axis, -9);
  ASSERT_TRUE(pa && pb);
  press(*pa);
  release(*pa);
  press(*pb, left | ctrl);
  release(*pb);
  ASSERT_EQ(active().selection.size(), 2u);
  EXPECT_EQ(status(), "Antall skj\xE6ringer: 7");
  EXPECT_EQ(tools().crossings.size(), 7u);
}

TEST_F(analysistest, oneselectedcurvecountsnothing) {
  tfigure& a = make({family::parabola, {1, 0, 0}});
  make({family::line, {0, 2}});
  tool("intersect1");
  const auto p = alone(a, -9);
  ASSERT_TRUE(p);
  press(*p);
  release(*p);
  EXPECT_TRUE(tools().crossings.empty());
  EXPECT_EQ(status(), "Antall skj\xE6ringer: 0");
}

TEST_F(analysistest, crossinghintnearacrossing) {
  tfigure& a = make({family::parabola, {1, 0, 0}});
  tfigure& b = make({family::line, {0, 2}});
  tool("intersect1");
  press(*alone(a, -9));
  press(*alone(b, -9), left | ctrl);
  ASSERT_EQ(tools().crossings.size(), 2u);
  const tcrossing c = tools().crossings[1];
  EXPECT_NEAR(c.x, std::sqrt(2.0), 0.05);
  tgrform& w = active();
  struct row {
    const char* name;
    double dx, dy;
    bool shown;
  };
  const row rows[] = {
      {"on it", 0, 0, true},
      {"a little off", 0.2, -0.2, true},
      {"too far right", 0.5, 0, false},
      {"too far up", 0, 0.5, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    hover(at(c.x + r.dx, c.y + r.dy));
    EXPECT_EQ(w.hintvisible, r.shown);
    if (r.shown) {
      EXPECT_EQ(w.hint, crossinghint(c, ",", ','));
    }
  }
  // Two decimals, the decimal comma, the separator between.
  EXPECT_EQ(crossinghint({1.41421, 2.0}, ",", ','), " 1,41 , 2,00 ");
}

TEST_F(analysistest, tangentplacedandslid) {
  tfigure& f = make({family::parabola, {1, 0, 0}});
  tool("tangent1");
  const platform::point p1 = at(1, 1);
  // Without the pointer over the selected curve first, a press sets nothing.
  EXPECT_EQ(main->toolcursor, tcursors::arrow);
  press(p1);
  release(p1);
  EXPECT_EQ(figurecount(), 1u);

  hover(p1);
  EXPECT_EQ(main->toolcursor, tcursors::tangset);
  press(p1);
  ASSERT_EQ(figurecount(), 2u);
  ASSERT_EQ(active().selection.size(), 1u);
  tfigure& t = *active().selection[0];
  EXPECT_EQ(t.kind, family::line);
  EXPECT_EQ(active().screencursor, tcursors::tangmove);
  EXPECT_EQ(status(), analysistext::tangentdrag);
  const double x1 = worldx(p1);
  EXPECT_NEAR(t.param[1], 2 * x1, 1e-9);
  EXPECT_NEAR(t.param[2], -x1 * x1, 1e-9);
  EXPECT_NEAR(t.param[1], 2, 0.05);
  EXPECT_NEAR(t.param[2], -1, 0.05);

  const platform::point p2 = at(2, 4);
  drag(p2);
  EXPECT_EQ(main->toolcursor, tcursors::tangmove);
  const double x2 = worldx(p2);
  EXPECT_NEAR(t.param[1], 2 * x2, 1e-9);
  EXPECT_NEAR(t.param[2], -x2 * x2, 1e-9);
  EXPECT_NEAR(t.param[1], 4, 0.05);
  EXPECT_NEAR(t.param[2], -4, 0.1);
  // Off the curve the tangent stays where it was.
  drag(at(2, -6));
  EXPECT_NEAR(t.param[1], 2 * x2, 1e-9);

  release(p2);
  EXPECT_FALSE(tools().placing());
  EXPECT_EQ(main->toolcursor, tcursors::arrow);
  EXPECT_EQ(active().screencursor, 0);
  // The tangent line is now the selected figure, and a line has no tangent.
  EXPECT_EQ(status(), analysistext::linerefused);
  EXPECT_EQ(f.kind, family::parabola);
  EXPECT_EQ(figurecount(), 2u);
}

TEST_F(analysistest, tangentcursoronlyoverselectedcurves) {
  struct row {
    const char* name;
    figspec fig;
    bool selected;
    int cursor;
  };
  const row rows[] = {
      {"selectedparabola", {family::parabola, {1, 0, 0}}, true, tcursors::tangset},
      {"unselectedparabola", {family::parabola, {1, 0, 0}}, false, tcursors::arrow},
      {"selectedline", {family::line, {2, 1}}, true, tcursors::arrow},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    tfigure& f = make(r.fig);
    tool("tangent1");
    if (!r.selected) active().clearselection();
    hover(at(1, f.value(1)));
    EXPECT_EQ(main->toolcursor, r.cursor);
    EXPECT_EQ(active().windowcursor, r.cursor);
    hover(at(1, f.value(1) + 5));
    EXPECT_EQ(main->toolcursor, tcursors::arrow);
  }
}

TEST_F(analysistest, spacekey) {
  struct row {
    const char* name;
    figspec fig;
    std::optional<double> typed;  // none: the dialog is cancelled
    bool buttondown;
    size_t figures;
    std::string message;  // empty: no box
  };
  const row rows[] = {
      {"onaline", {family::line, {2, 1}}, 1.0, false, 1, analysistext::spaceonline},
      {"atx", {family::parabola, {1, 0, 0}}, 1.5, false, 2, ""},
      {"outsideview", {family::parabola, {1, 0, 0}}, 4.0, false, 1, analysistext::spaceoutside},
      {"cancelled", {family::parabola, {1, 0, 0}}, std::nullopt, false, 1, ""},
      {"whilebuttondown", {family::parabola, {1, 0, 0}}, 1.5, true, 1, ""},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    make(r.fig);
    tool("tangent1");
    int asked = 0;
    active().analysis->askx = [&](double& x) {
      ++asked;
      if (!r.typed) return false;
      x = *r.typed;
      return true;
    };
    main->buttondown = r.buttondown ? 1 : 0;
    key(Qt::Key_Space);
    EXPECT_EQ(figurecount(), r.figures);
    if (r.message.empty()) {
      EXPECT_TRUE(services.messages.empty());
    } else {
      ASSERT_EQ(services.messages.size(), 1u);
      EXPECT_EQ(services.messages[0].text, r.message);
    }
    if (r.fig.kind == family::line || r.buttondown) {
      EXPECT_EQ(asked, 0);
    }
    if (r.figures == 2) {
      tfigure& t = *active().selection[0];
      EXPECT_NEAR(t.param[1], 3, 1e-9);
      EXPECT_NEAR(t.param[2], -2.25, 1e-9);
      EXPECT_FALSE(tools().placing());
    }
  }
}

TEST_F(analysistest, ctrltwicethenshiftonceduringadrag) {
  tfigure& f = make({family::parabola, {1, 0, 0}});
  tool("tangent1");
  tgrform& w = active();
  const viewrect start = current();
  const platform::point p1 = at(1, 1);
  hover(p1);
  press(p1);
  ASSERT_TRUE(tools().placing());
  const double mx = w.mousex;
  const double my = w.mousey;

  key(Qt::Key_Control, ctrl);
  ASSERT_EQ(w.coords.zoomhistory.size(), 1u);
  const viewrect first = current();
  EXPECT_NEAR((first.minx + first.maxx) / 2, mx, 1e-9);
  EXPECT_NEAR((first.miny + first.maxy) / 2, my, 1e-9);
  EXPECT_NEAR(first.maxx - first.minx, 2 * (w.clientwidth() / 3) / (w.clientwidth() / 20.0), 1e-9);
  // The pointer goes to the client centre on the screen.
  const QPoint origin = w.canvas().mapToGlobal(QPoint(0, 0));
  ASSERT_FALSE(services.pointermoves.empty());
  EXPECT_EQ(services.pointermoves.back().x,
            static_cast<int>(std::lround(origin.x() + w.clientwidth() * 0.5)));
  EXPECT_EQ(services.pointermoves.back().y,
            static_cast<int>(std::lround(origin.y() + w.clientheight() * 0.5)));
  EXPECT_EQ(w.downx, w.clientwidth() / 2);
  EXPECT_EQ(w.downy, w.clientheight() / 2);

  // Slide on in the zoomed view, then zoom again around the new place.
  drag(at(1.3, f.value(1.3)));
  key(Qt::Key_Control, ctrl);
  ASSERT_EQ(w.coords.zoomhistory.size(), 2u);
  key(Qt::Key_Shift, shift);
  ASSERT_EQ(w.coords.zoomhistory.size(), 1u);
  const viewrect back = current();
  EXPECT_DOUBLE_EQ(back.minx, first.minx);
  EXPECT_DOUBLE_EQ(back.maxx, first.maxx);
  EXPECT_DOUBLE_EQ(back.miny, first.miny);
  EXPECT_DOUBLE_EQ(back.maxy, first.maxy);
  EXPECT_EQ(main->tool, toolcode::tangent);
  EXPECT_EQ(status(), analysistext::tangentdrag);

  // The release ends the placement and gives back the view before the drag.
  release(at(1.3, f.value(1.3)));
  EXPECT_TRUE(w.coords.zoomhistory.empty());
  const viewrect end = current();
  EXPECT_DOUBLE_EQ(end.minx, start.minx);
  EXPECT_DOUBLE_EQ(end.maxx, start.maxx);
  EXPECT_DOUBLE_EQ(end.miny, start.miny);
  EXPECT_DOUBLE_EQ(end.maxy, start.maxy);
  EXPECT_EQ(main->tool, toolcode::tangent);
  EXPECT_FALSE(tools().placing());
}

TEST_F(analysistest, releasekeepszoomsmadebeforethedrag) {
  make({family::parabola, {1, 0, 0}});
  tool("tangent1");
  tgrform& w = active();
  // A Ctrl zoom with no button down stays after a later placement.
  w.formmousemove(0, at(1, 1).x, at(1, 1).y);
  key(Qt::Key_Control, ctrl);
  ASSERT_EQ(w.coords.zoomhistory.size(), 1u);
  const viewrect zoomed = current();
  const platform::point p = at(1, 1);
  hover(p);
  press(p);
  ASSERT_TRUE(tools().placing());
  release(p);
  EXPECT_EQ(w.coords.zoomhistory.size(), 1u);
  EXPECT_DOUBLE_EQ(current().minx, zoomed.minx);
  // Shift takes it back.
  key(Qt::Key_Shift, shift);
  EXPECT_TRUE(w.coords.zoomhistory.empty());
  EXPECT_DOUBLE_EQ(current().minx, -10);
}

TEST_F(analysistest, keysneedfigures) {
  tgrform& w = active();
  for (tfigure* f : w.figures()) func().deletefig(*f);
  ASSERT_TRUE(w.figures().empty());
  tool("tangent1");
  int asked = 0;
  w.analysis->askx = [&](double&) { return ++asked, false; };
  key(Qt::Key_Control, ctrl);
  key(Qt::Key_Space);
  EXPECT_TRUE(w.coords.zoomhistory.empty());
  EXPECT_EQ(asked, 0);
}

TEST_F(analysistest, derivativequestion) {
  struct row {
    const char* name;
    figspec fig;
    platform::msgresult answer;
    size_t figures;
    int kind;  // of the derivative, when kept
    std::string text;
  };
  const row rows[] = {
      {"parabolakept",
       {family::parabola, {1, 0, 0}},
       platform::msgresult::ok,
       2,
       family::line,
       "2*a*x+b"},
      {"parabolacancelled",
       {family::parabola, {1, 0, 0}},
       platform::msgresult::cancel,
       1,
       0,
       "2*a*x+b"},
      {"hyperbolabecomesaformula",
       {family::hyperbola, {1, 0, 0}},
       platform::msgresult::ok,
       2,
       family::custom,
       "-a/((x+b)*(x+b))"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    tfigure& f = make(r.fig);
    tool("derivative1");
    services.msganswers = {r.answer};
    const auto p = alone(f, 0.5);
    ASSERT_TRUE(p);
    // Where the derivative 2x of the parabola runs, away from the parabola.
    const platform::point onderiv = at(-3, -6);
    const auto around = [&] {
      std::vector<platform::colour> v;
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
          v.push_back(pixel(active(), onderiv.x + dx, onderiv.y + dy));
      return v;
    };
    const std::vector<platform::colour> before = around();
    press(*p);
    release(*p);
    if (r.fig.kind == family::parabola) {
      // A kept curve is drawn; a refused one leaves no trace in the picture.
      EXPECT_EQ(around() != before, r.figures == 2);
    }
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, main->options().funcname() + r.text);
    EXPECT_EQ(services.messages[0].buttons, platform::msgbuttons::okcancel);
    EXPECT_EQ(figurecount(), r.figures);
    EXPECT_EQ(main->buttondown, 0);
    // The offered curve was selected; once it is refused the clicked one is
    // (it was selected before the click).
    ASSERT_EQ(active().selection.size(), 1u);
    if (r.figures == 1) {
      EXPECT_EQ(active().selection[0], &f);
    }
    if (r.figures == 2) {
      tfigure& d = *active().selection[0];
      EXPECT_NE(&d, &f);
      EXPECT_EQ(d.kind, r.kind);
      if (r.kind == family::line) {
        for (double x : {-2.0, 0.5, 3.0}) EXPECT_NEAR(d.value(x), 2 * f.param[1] * x, 1e-9);
      }
    }
    if (r.kind == family::custom) {
      EXPECT_EQ(main->customtext, r.text);
      EXPECT_NEAR(active().selection[0]->value(2), -0.25, 1e-9);
    }
  }
}

}  // namespace
