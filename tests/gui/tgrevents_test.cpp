// The graph window as the pupil meets it: real mouse and key events on the
// window's drawing area and the real menu actions, with the outcome read off
// in world coordinates, the selection, the formula display and the boxes.
#include <QAction>
#include <QHelpEvent>
#include <QMdiArea>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <functional>
#include <optional>

#include "figures/tanalysis.h"
#include "graph/tgranalysis.h"
#include "graph/tgrcanvas.h"
#include "guifixture.h"
#include "shell/tcommands.h"

namespace {

struct figspec {
  int kind;
  std::array<double, 5> p;
};

class eventtest : public guitest {
 public:
  // The table rows' actions reach the program through these.
  using guitest::active;
  using guitest::main;
  using guitest::services;

 protected:
  void SetUp() override {
    guitest::SetUp();
    view(-10, 10, -10, 10);
  }
  void TearDown() override {
    // A test that failed half-way leaves no button held for the next.
    if (QTestPrivate::qtestMouseButtons != Qt::NoButton)
      QTest::mouseRelease(&canvas(), Qt::LeftButton);
    tgrform::lockx = tgrform::locky = tgrform::lockaxis = 0;
  }

  void restart() {
    TearDown();
    main.reset();
    QApplication::processEvents();
    start();
    view(-10, 10, -10, 10);
  }

  void view(double x0, double x1, double y0, double y1) {
    services.messages.clear();
    tgrform& w = active();
    w.coords.zoomhistory.clear();
    w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), x0, x1, y0, y1);
    w.pant();
  }

 public:
  // A figure with the values, made in the active window and selected there.
  tfigure& make(figspec s, tgrform* in = nullptr) {
    tgrform& w = in ? *in : active();
    tfigure* f = w.creategraph(s.kind);
    for (size_t k = 0; k < s.p.size(); ++k) f->param[k + 1] = s.p[k];
    w.pant();
    return *f;
  }

  void trigger(const char* item) { main->commands().item(item)->trigger(); }
  QWidget& canvas() { return active().canvas(); }
  QPoint at(double x, double y) {
    const platform::point p = active().coords.worldtopixel(x, y);
    return {p.x, p.y};
  }
  QPoint on(const tfigure& f, double x) { return at(x, f.value(x)); }
  worldpoint world(QPoint p) { return active().coords.pixeltoworld(p.x(), p.y()); }

  void press(QPoint p, Qt::KeyboardModifiers m = {}) {
    QTest::mousePress(&canvas(), Qt::LeftButton, m, p);
  }
  void release(QPoint p) { QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, p); }
  // A pointer move with the buttons QTest holds and the given keys down.
  void move(QPoint p, Qt::KeyboardModifiers m = {}) {
    QWidget& c = canvas();
    QMouseEvent e(QEvent::MouseMove, QPointF(p), c.mapToGlobal(QPointF(p)), Qt::NoButton,
                  QTestPrivate::qtestMouseButtons, m);
    QApplication::sendEvent(&c, &e);
  }
  // A drag in a few steps, as a hand makes it.
  void dragto(QPoint from, QPoint to, Qt::KeyboardModifiers m = {}) {
    for (int i = 1; i <= 4; ++i) move(from + (to - from) * i / 4, m);
  }
  // A key pressed and let go alone. (Qt reports a modifier key's own press
  // with its modifier on, as the window system's state before it flips.)
  void keydown(Qt::Key k) { QTest::keyPress(&canvas(), k); }
  void keyup(Qt::Key k) { QTest::keyRelease(&canvas(), k); }
  void tap(Qt::Key k) {
    keydown(k);
    keyup(k);
  }
  void click(QPoint p) {
    press(p);
    release(p);
  }

  // A pixel on f near world x that no other figure of the window hits.
  std::optional<QPoint> alone(tfigure& f, double from) {
    tgrform& w = active();
    for (double x = from; x <= 9; x += 0.25) {
      const QPoint p = on(f, x);
      if (!f.hittest(p.x(), p.y())) continue;
      bool only = true;
      for (tfigure* g : w.figures())
        if (g != &f && g->hittest(p.x(), p.y())) only = false;
      if (only) return p;
    }
    return std::nullopt;
  }

  // World size of one pixel up or down.
  double pixelheight() { return 1.0 / active().coords.yscale; }

  bool withinlimits(const tfigure& f) {
    for (int k = 1; k <= 5; ++k)
      if (!(f.param[k] >= active().parammin(k) && f.param[k] <= active().parammax(k))) return false;
    return true;
  }
};

// --- moving

TEST_F(eventtest, movecarriesthepressedpointtothepointer) {
  const figspec rows[] = {
      {family::line, {1, 2}},           {family::parabola, {1, 0, 0}},
      {family::vertexparab, {1, 0, 0}}, {family::hyperbola, {1, 0, 0}},
      {family::sine, {2, 1, 0, 0}},     {family::cosine, {2, 1, 0, 0}},
      {family::cubic, {1, 0, -3, 0}},   {family::quartic, {0.1, 0, -1, 0, 0}},
  };
  for (const figspec& r : rows) {
    SCOPED_TRACE(r.kind);
    restart();
    tfigure& f = make(r);
    trigger("move1");
    // Two drags one after the other: each is measured from its own press.
    QPoint p = on(f, 1);
    for (const QPoint step : {QPoint(60, -40), QPoint(-90, 30)}) {
      const std::array<double, 6> before = f.param;
      const QPoint q = p + step;
      press(p);
      ASSERT_TRUE(f.grabbed);
      dragto(p, q);
      release(q);
      const worldpoint a = world(p);
      const worldpoint b = world(q);
      const std::array<double, 6> after = f.param;
      const auto valueof = [&f](const std::array<double, 6>& values, double x) {
        const std::array<double, 6> kept = f.param;
        f.param = values;
        const double v = f.value(x);
        f.param = kept;
        return v;
      };
      // The pressed point is under the pointer, the curve around it moved
      // along with it.
      for (const double t : {0.0, 0.5, -0.5}) {
        SCOPED_TRACE(t);
        EXPECT_NEAR(valueof(after, b.x + t), valueof(before, a.x + t) + (b.y - a.y),
                    4 * pixelheight());
      }
      p = q;
    }
  }
}

TEST_F(eventtest, adoubleclickeddragstartsatthedoubleclick) {
  // The parabola is not selected: the press misses the selected line, the
  // double click picks the parabola and the drag that follows moves it.
  tfigure& f = make({family::vertexparab, {1, 0, 0}});
  make({family::line, {0, -8}});
  trigger("move1");
  const QPoint p = on(f, 1);
  const QPoint q = p + QPoint(50, -30);
  press(p);
  release(p);
  QTest::mouseDClick(&canvas(), Qt::LeftButton, {}, p);
  ASSERT_EQ(active().selection[0], &f);
  dragto(p, q);
  release(q);
  const worldpoint a = world(p);
  const worldpoint b = world(q);
  // The vertex went along with the pointer.
  EXPECT_NEAR(f.param[2], b.x - a.x, 4 * pixelheight());
  EXPECT_NEAR(f.param[3], b.y - a.y, 4 * pixelheight());
}

// --- the tangent drag and the clipboard

TEST_F(eventtest, tangentdragkeepsitsownlinewhenafigurearrives) {
  struct row {
    const char* name;
    std::function<void(eventtest&)> before;  // with the cubic selected
    const char* during;
  };
  const row rows[] = {
      {"paste", [](eventtest& t) { t.trigger("copy1"); }, "paste1"},
      {"undodelete",
       [](eventtest& t) {
         // A second cubic deleted earlier comes back in the drag.
         t.make({family::cubic, {1, 0, -3, 0}});
         t.trigger("delete1");
       },
       "undelete1"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    tfigure& f = make({family::cubic, {1, 0, -3, 0}});
    r.before(*this);
    ASSERT_EQ(active().figures().size(), 1u);
    trigger("select1");
    click(on(f, 1.5));
    ASSERT_EQ(active().selection.size(), 1u);
    trigger("tangent1");
    const QPoint p = on(f, 1.5);
    move(p);
    press(p);
    ASSERT_TRUE(active().analysis->tools.placing());
    tfigure* line = active().selection[0];
    trigger(r.during);
    ASSERT_EQ(active().figures().size(), 3u);
    tfigure* arrived = nullptr;
    for (tfigure* g : active().figures())
      if (g != &f && g != line) arrived = g;
    ASSERT_NE(arrived, nullptr);
    dragto(p, on(f, 2));
    // The boxes show the selected arrival's values, not the line's.
    ASSERT_EQ(active().selection[0], arrived);
    EXPECT_NEAR(func().boxes[0].value, 1, 1e-6);
    EXPECT_NEAR(func().boxes[2].value, -3, 1e-6);
    release(on(f, 2));
    // The arrived cubic keeps its values; the tangent touches at x = 2.
    EXPECT_NEAR(arrived->param[1], 1, 1e-6);
    EXPECT_NEAR(arrived->param[2], 0, 1e-6);
    EXPECT_NEAR(arrived->param[3], -3, 1e-6);
    EXPECT_NEAR(arrived->param[4], 0, 1e-6);
    const double x = world(on(f, 2)).x;
    EXPECT_NEAR(line->param[1], 3 * x * x - 3, 1e-6);
    EXPECT_NEAR(line->param[2], f.value(x) - line->param[1] * x, 1e-6);
  }
}

TEST_F(eventtest, tangentdragendswhenitslineiscut) {
  tfigure& f = make({family::cubic, {1, 0, -3, 0}});
  trigger("tangent1");
  const QPoint p = on(f, 1.5);
  move(p);
  press(p);
  ASSERT_TRUE(active().analysis->tools.placing());
  const std::array<double, 6> placed = active().selection[0]->param;
  // The line goes to the clipboard and comes back as a new figure.
  trigger("cut1");
  trigger("paste1");
  ASSERT_EQ(active().figures().size(), 2u);
  tfigure* pasted = active().figures()[1];
  dragto(p, on(f, 2));
  release(on(f, 2));
  EXPECT_NEAR(pasted->param[1], placed[1], 1e-5);
  EXPECT_NEAR(pasted->param[2], placed[2], 1e-5);
}

// --- the derivative question

TEST_F(eventtest, derivativeanswershowsthechosenfigure) {
  struct row {
    const char* name;
    platform::msgresult answer;
  };
  const row rows[] = {{"kept", platform::msgresult::ok}, {"refused", platform::msgresult::cancel}};
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    tfigure& parab = make({family::vertexparab, {1, 0, 0}});
    tfigure& line = make({family::line, {1, 0}});
    trigger("derivative1");
    services.msganswers = {r.answer};
    const auto p = alone(parab, 0.5);
    ASSERT_TRUE(p);
    click(*p);
    ASSERT_EQ(active().selection.size(), 1u);
    tfigure& shown = *active().selection[0];
    if (r.answer == platform::msgresult::ok) {
      // The new 2x is selected and the display shows it, not the older line.
      ASSERT_EQ(active().figures().size(), 3u);
      EXPECT_EQ(&shown, active().figures()[2]);
      EXPECT_NEAR(shown.param[1], 2, 1e-9);
    } else {
      // The line selected before the click is selected again, with its values.
      ASSERT_EQ(active().figures().size(), 2u);
      EXPECT_EQ(&shown, &line);
      EXPECT_TRUE(line.selected);
      EXPECT_FALSE(parab.selected);
      EXPECT_NE(func().boxes[0].state(), tmanbox::hidden);
      EXPECT_NEAR(func().boxes[0].value, 1, 1e-6);
      EXPECT_NEAR(func().boxes[1].value, 0, 1e-6);
    }
    ASSERT_GE(func().current, 0);
    EXPECT_EQ(func().filtered[static_cast<size_t>(func().current)], &shown);
    EXPECT_NE(func().displaytext().find(shown.formula()), std::string::npos);
  }
}

// --- which window commands act on

TEST_F(eventtest, thewindowinfrontistheactiveone) {
  struct row {
    const char* name;
    int windows;
    int activefirst;  // 0-based
    const char* command;
    int front;  // 0-based, in the window list after the command
  };
  const row rows[] = {
      {"cascade", 2, 0, "cascade1", 1},
      {"closethird", 3, 2, "closewindow1", 1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    make({family::line, {1, 0}});
    for (int i = 1; i < r.windows; ++i) {
      tgrform* w = main->newwindowclick();
      make({family::line, {1, 0}}, w);
    }
    tgrform* first = main->windowlist[static_cast<size_t>(r.activefirst)];
    main->mdi().setActiveSubWindow(first);
    ASSERT_EQ(main->activewindow, first);
    trigger(r.command);
    tgrform* front = main->windowlist[static_cast<size_t>(r.front)];
    EXPECT_EQ(main->mdi().subWindowList(QMdiArea::StackingOrder).back(), front);
    EXPECT_EQ(main->activewindow, front);
    EXPECT_EQ(main->mdi().activeSubWindow(), front);
    EXPECT_TRUE(enabled("copy1"));
    EXPECT_TRUE(enabled("cut1"));
    const size_t had = front->figures().size();
    trigger("line1");
    EXPECT_EQ(front->figures().size(), had + 1);
  }
}

// --- the window shown again after activation and drags

TEST_F(eventtest, refreshkeepstheselectionawayfromthecorner) {
  struct row {
    const char* name;
    std::function<void(eventtest&, tfigure&)> action;
  };
  const row rows[] = {
      {"activation",
       [](eventtest& t, tfigure&) {
         tgrform* one = &t.active();
         tgrform* two = t.main->newwindowclick();
         t.main->mdi().setActiveSubWindow(two);
         t.main->mdi().setActiveSubWindow(one);
         ASSERT_EQ(t.main->activewindow, one);
       }},
      {"moverelease",
       [](eventtest& t, tfigure& parab) {
         t.trigger("move1");
         const QPoint p = t.on(parab, 1.5);
         t.press(p);
         t.dragto(p, p + QPoint(10, 5));
         t.release(p + QPoint(10, 5));
       }},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    // The line runs through the window's top left corner.
    make({family::line, {-1, 0}});
    tfigure& parab = make({family::vertexparab, {1, 0, 0}});
    ASSERT_TRUE(active().figures()[0]->hittest(0, 0));
    r.action(*this, parab);
    ASSERT_EQ(active().selection.size(), 1u);
    EXPECT_EQ(active().selection[0], &parab);
    EXPECT_FALSE(active().figures()[0]->selected);
  }
}

// --- the snap to Step on release

TEST_F(eventtest, releasesnapsonlywhatwasdragged) {
  // A click of the move tool on empty space changes nothing.
  tfigure& f = make({family::vertexparab, {1, 2.37, 0}});
  for (float& s : main->options().paramconst().step) s = 0.5f;
  trigger("move1");
  click(at(-8, -9));
  EXPECT_DOUBLE_EQ(f.param[2], 2.37);
  // A click on the curve without a drag does not snap it either.
  click(on(f, 3));
  EXPECT_DOUBLE_EQ(f.param[2], 2.37);
}

TEST_F(eventtest, releasesnapneitherchangesarefuseddragnorleavesthelimits) {
  struct row {
    const char* name;
    const char* tool;
    double c;           // the vertex height, parameter 3
    tboxconfig limits;  // of parameter 3
    QPoint drag;
  };
  const row rows[] = {
      // The limits were narrowed after the curve was made: every step is
      // refused, and the snap would give 2.25, outside them still.
      {"move refused at every step", "move1", 2.37, {-1, 1, -1, 1, 0.01f}, {7, -40}},
      // Moved up a pixel or two from 0.35: Step 0.25 would give 0.25, below Min.
      {"move whose snap leaves Min", "move1", 0.35, {0.3f, 5, -1, 1, 0.01f}, {0, -2}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    tfigure& f = make({family::vertexparab, {1, 0, r.c}});
    func().boxes[2].value = 0.5f;  // within both rows' limits
    ASSERT_TRUE(func().boxes[2].applysettings(r.limits));
    for (float& s : main->options().paramconst().step) s = 0.25f;
    trigger(r.tool);
    const QPoint p = on(f, 2);
    press(p);
    ASSERT_TRUE(f.grabbed);
    dragto(p, p + r.drag);
    const double dragged = f.param[3];
    release(p + r.drag);
    EXPECT_DOUBLE_EQ(f.param[1], 1);
    EXPECT_DOUBLE_EQ(f.param[2], 0);
    EXPECT_DOUBLE_EQ(f.param[3], dragged);
    if (r.c > 1)
      EXPECT_DOUBLE_EQ(f.param[3], r.c);
    else
      EXPECT_GT(f.param[3], r.c);
  }
}

TEST_F(eventtest, rotatethroughtwofixpointsstaysonthem) {
  tfigure& f = make({family::parabola, {0.5, 0, -2}});
  trigger("fixpoint1");
  click(on(f, 2));
  ASSERT_EQ(f.fixcount, 2);
  trigger("rotate1");
  const QPoint p = on(f, -3);
  press(p);
  ASSERT_TRUE(f.grabbed);
  dragto(p, p + QPoint(7, -53));
  release(p + QPoint(7, -53));
  ASSERT_EQ(f.fixcount, 2);
  for (int i = 1; i <= 2; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(f.value(f.fixx[i]), f.fixy[i], 1e-6);
  }
  // The curve did turn.
  EXPECT_GT(std::abs(f.param[1] - 0.5), 0.05);
}

// --- Shift and Ctrl

TEST_F(eventtest, shiftandctrlactonlypressedalone) {
  struct row {
    const char* name;
    const char* tool;
    int kind;
    std::function<void(eventtest&, tfigure&)> keys;
    size_t depth;  // of the zoom history after one Ctrl zoom and the keys
    int tool_after;
  };
  // A rotate drag with Shift held (the sine's axis lock).
  const auto shiftdrag = [](eventtest& t, tfigure& f) {
    const QPoint p = t.on(f, 0.5);
    t.press(p);
    t.keydown(Qt::Key_Shift);
    t.dragto(p, p + QPoint(40, 4), Qt::ShiftModifier);
    t.keyup(Qt::Key_Shift);
    t.release(p + QPoint(40, 4));
  };
  const row rows[] = {
      {"ctrlc", "tangent1", family::sine,
       [](eventtest& t, tfigure&) { QTest::keyClick(&t.canvas(), Qt::Key_C, Qt::ControlModifier); },
       1, toolcode::tangent},
      {"barectrl", "tangent1", family::sine, [](eventtest& t, tfigure&) { t.tap(Qt::Key_Control); },
       2, toolcode::tangent},
      {"shiftdelete", "select1", family::sine,
       [](eventtest& t, tfigure&) {
         QTest::keyClick(&t.canvas(), Qt::Key_Delete, Qt::ShiftModifier);
       },
       1, toolcode::select},
      {"shiftinsert", "select1", family::sine,
       [](eventtest& t, tfigure&) {
         QTest::keyClick(&t.canvas(), Qt::Key_Insert, Qt::ShiftModifier);
       },
       1, toolcode::select},
      {"bareshift", "select1", family::sine, [](eventtest& t, tfigure&) { t.tap(Qt::Key_Shift); },
       0, toolcode::tangent},
      {"axislock", "rotate1", family::sine, shiftdrag, 1, toolcode::rotate},
      {"shiftturningacubic", "rotate1", family::cubic, shiftdrag, 1, toolcode::rotate},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    tfigure& f = make({r.kind, {r.kind == family::sine ? 2.0 : 0.5, 1, 0, 0}});
    // One zoom of the tangent tool's Ctrl, with the pointer at the middle.
    trigger("tangent1");
    move(at(0, 0));
    tap(Qt::Key_Control);
    ASSERT_EQ(active().coords.zoomhistory.size(), 1u);
    trigger(r.tool);
    move(at(0, 0));
    const size_t pointermoves = services.pointermoves.size();
    r.keys(*this, f);
    EXPECT_EQ(active().coords.zoomhistory.size(), r.depth);
    EXPECT_EQ(main->tool, r.tool_after);
    if (r.depth == 1) {
      EXPECT_EQ(services.pointermoves.size(), pointermoves);
    }
  }
}

// --- limits

TEST_F(eventtest, draggedandplacedvaluesstaywithinthelimits) {
  // The hyperbola 1/(x+5): turned towards (9, 9) its a would be 126.
  tfigure& h = make({family::hyperbola, {1, 5, 0}});
  trigger("rotate1");
  const QPoint p = on(h, 0);
  press(p);
  ASSERT_TRUE(h.grabbed);
  dragto(p, at(9, 9));
  EXPECT_TRUE(withinlimits(h));
  EXPECT_NEAR(func().boxes[0].value, h.param[1], 0.01);
  release(at(9, 9));
  EXPECT_TRUE(withinlimits(h));

  // A tangent to x^3 - 3x slid to x = 5 would cut the y axis at -250.
  restart();
  view(-10, 10, -200, 200);
  tfigure& c = make({family::cubic, {1, 0, -3, 0}});
  trigger("tangent1");
  const QPoint q = on(c, 1);
  move(q);
  press(q);
  ASSERT_TRUE(active().analysis->tools.placing());
  tfigure* line = active().selection[0];
  dragto(q, on(c, 5));
  EXPECT_TRUE(withinlimits(*line));
  EXPECT_NEAR(func().boxes[1].value, line->param[2], 0.01);
  release(on(c, 5));
  EXPECT_TRUE(withinlimits(*line));

  // Nor does the space key place one there.
  active().analysis->askx = [](double& x) {
    x = 5;
    return true;
  };
  trigger("select1");
  const auto onc = alone(c, 2.5);
  ASSERT_TRUE(onc);
  click(*onc);
  ASSERT_EQ(active().selection[0], &c);
  trigger("tangent1");
  const size_t figures = active().figures().size();
  QTest::keyClick(&canvas(), Qt::Key_Space);
  EXPECT_EQ(active().figures().size(), figures);
  for (tfigure* g : active().figures()) EXPECT_TRUE(withinlimits(*g));
}

// --- what the tools show

TEST_F(eventtest, zoomrectangleisadashedoutline) {
  make({family::line, {1, 0}});
  trigger("zoomtool1");
  const QPoint a = at(-6, 6);
  const QPoint b = at(4, -4);
  press(a);
  dragto(a, b);
  const QImage seen = canvas().grab().toImage();
  const QImage drawn = dynamic_cast<const platform::qtimage&>(*active().coords.image)
                           .qimage()
                           .convertToFormat(seen.format());
  // Inside, the picture shows through.
  const QPoint inside = at(-3, 3);
  EXPECT_EQ(seen.pixel(inside), drawn.pixel(inside));
  // The outline is broken into dashes along the top edge.
  int marked = 0;
  int open = 0;
  for (int x = a.x() + 2; x < b.x() - 2; ++x)
    (seen.pixel(x, a.y()) == drawn.pixel(x, a.y()) ? open : marked) += 1;
  EXPECT_GT(marked, 0);
  EXPECT_GT(open, 0);
  release(b);
}

TEST_F(eventtest, crossinghintstayswithinitsreach) {
  tfigure& up = make({family::line, {1, 0}});
  tfigure& down = make({family::line, {-1, 0}});
  trigger("intersect1");
  click(on(up, 4));
  press(on(down, 4), Qt::ControlModifier);
  release(on(down, 4));
  ASSERT_EQ(active().selection.size(), 2u);
  move(at(0.1, 0.05));
  ASSERT_TRUE(active().hintvisible);
  const QString hint = canvas().toolTip();
  QHelpEvent show(QEvent::ToolTip, at(0.1, 0.05), canvas().mapToGlobal(at(0.1, 0.05)));
  QApplication::sendEvent(&canvas(), &show);
  ASSERT_TRUE(QToolTip::isVisible());

  // Moves within 0.3 of the crossing leave the tip as it is.
  struct changes : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::ToolTipChange) ++count;
      return false;
    }
  } watch;
  canvas().installEventFilter(&watch);
  for (const auto& [x, y] : {std::pair{0.2, -0.1}, {-0.25, 0.2}, {0.0, 0.0}}) move(at(x, y));
  canvas().removeEventFilter(&watch);
  EXPECT_EQ(watch.count, 0);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(canvas().toolTip(), hint);
  // Out of reach it goes.
  move(at(2, 3));
  EXPECT_FALSE(active().hintvisible);
  QToolTip::hideText();
}

}  // namespace
