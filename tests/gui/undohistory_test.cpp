// Undo and redo as the pupil uses them: a change made with the real mouse,
// keys and menu commands, then Ctrl+Z and Ctrl+Y on the main window, and the
// work read back (every figure's parameters bit for bit, fix points, labels,
// the coordinate range and the windows), with the menu texts that name it.
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <bit>
#include <cmath>
#include <functional>

#include "figures/tanalysis.h"
#include "figures/trectangle.h"
#include "graph/tfontwindow.h"
#include "graph/tgranalysis.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrlabels.h"
#include "graph/tmemoedit.h"
#include "guifixture.h"
#include "settings/toptionsform.h"
#include "shell/dialoglinks.h"
#include "shell/tcommands.h"
#include "shell/tiorecords.h"
#include "shell/tundohistory.h"

namespace {

const std::string savequestion = "Prosjektet er endret siden siste lagring.\rVil du lagre det?";

// What a pupil can see of the work, with every number as its bits.
struct seenfigure {
  int kind;
  std::array<uint64_t, 6> param;
  std::array<uint64_t, 6> fixx;
  std::array<uint64_t, 6> fixy;
  int fixcount;
  bool fixmode;
  bool frozen;
  bool operator==(const seenfigure&) const = default;
};
struct seenlabel {
  std::vector<std::string> text;
  int left, top, width, height, fontsize;
  bool operator==(const seenlabel&) const = default;
};
struct seenwindow {
  QString title;
  std::array<uint64_t, 4> range;
  std::vector<seenfigure> figures;
  std::vector<seenlabel> labels;
  bool operator==(const seenwindow&) const = default;
};

template <std::size_t n>
std::array<uint64_t, n> bits(const std::array<double, n>& v) {
  std::array<uint64_t, n> b{};
  for (std::size_t i = 0; i < n; ++i) b[i] = std::bit_cast<uint64_t>(v[i]);
  return b;
}

class undotest : public guitest {
 public:
  using guitest::active;
  using guitest::func;
  using guitest::main;
  using guitest::services;

  void TearDown() override {
    if (QTestPrivate::qtestMouseButtons != Qt::NoButton)
      QTest::mouseRelease(&canvas(), Qt::LeftButton);
  }

  void restart() {
    main.reset();
    QApplication::processEvents();
    start();
    view(-10, 10, -10, 10);
  }

  void view(double x0, double x1, double y0, double y1) {
    tgrform& w = active();
    w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), x0, x1, y0, y1);
    w.pant();
  }

  // The work as the panel, the windows and their labels show it, window by
  // window in panel order.
  std::vector<seenwindow> work() {
    std::vector<seenwindow> out;
    for (tgrform* w : main->windowlist) {
      seenwindow s;
      s.title = w->windowTitle();
      s.range = bits(
          std::array<double, 4>{w->coords.minx, w->coords.maxx, w->coords.miny, w->coords.maxy});
      for (tfigure* f : w->figures()) {
        // The fix points in use; the entries after them are left-overs.
        std::array<double, 6> fx{}, fy{};
        for (int k = 1; k <= f->fixcount && k < 6; ++k) {
          fx[static_cast<std::size_t>(k)] = f->fixx[static_cast<std::size_t>(k)];
          fy[static_cast<std::size_t>(k)] = f->fixy[static_cast<std::size_t>(k)];
        }
        s.figures.push_back(
            {f->kind, bits(f->param), bits(fx), bits(fy), f->fixcount, f->fixmode, f->frozen});
      }
      for (const auto& l : w->textlabels().tool().labels)
        s.labels.push_back({l->text, l->left, l->top, l->width, l->height, l->font.size});
      out.push_back(std::move(s));
    }
    return out;
  }

  // Every curve of every window is drawn where its values put it: a few
  // sampled columns of each lie on the curve in world coordinates.
  bool drawnwheretheyare() {
    for (tgrform* w : main->windowlist)
      for (tfigure* f : w->figures()) {
        const tcoords& c = w->coords;
        if (const auto* line = dynamic_cast<const trectangle*>(f)) {
          const platform::point a = c.worldtopixel(c.minx, f->value(c.minx));
          if (line->end1.x != a.x || line->end1.y != a.y) return false;
          continue;
        }
        if (f->pointcount < 100) return false;
        for (int i : {3, f->pointcount / 2, f->pointcount - 7}) {
          const double x = c.pixeltoworld(i, 0).x;
          const double y = f->value(x);
          // Off the window a curve is drawn to its edge.
          if (!std::isfinite(y) || y < c.miny || y > c.maxy) continue;
          if (f->points[static_cast<std::size_t>(i)].y != c.worldtopixel(x, y).y) return false;
        }
      }
    return true;
  }

  void trigger(const char* item) { main->commands().item(item)->trigger(); }
  void undo() { QTest::keyClick(main.get(), Qt::Key_Z, Qt::ControlModifier); }
  void redo() { QTest::keyClick(main.get(), Qt::Key_Y, Qt::ControlModifier); }
  int steps() { return main->history().stack().count(); }

  QWidget& canvas() { return active().canvas(); }
  QPoint at(double x, double y) {
    const platform::point p = active().coords.worldtopixel(x, y);
    return {p.x, p.y};
  }
  QPoint on(const tfigure& f, double x) { return at(x, f.value(x)); }
  void press(QPoint p, Qt::KeyboardModifiers m = {}) {
    QTest::mousePress(&canvas(), Qt::LeftButton, m, p);
  }
  void release(QPoint p) { QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, p); }
  void move(QPoint p) {
    QMouseEvent e(QEvent::MouseMove, QPointF(p), canvas().mapToGlobal(QPointF(p)), Qt::NoButton,
                  QTestPrivate::qtestMouseButtons, Qt::NoModifier);
    QApplication::sendEvent(&canvas(), &e);
  }
  void drag(QPoint from, QPoint to) {
    press(from);
    for (int i = 1; i <= 4; ++i) move(from + (to - from) * i / 4);
    release(to);
  }
  void click(QPoint p) {
    press(p);
    release(p);
  }

  // A new figure of the family through its menu command, with the values typed
  // into its boxes and entered.
  tfigure& make(const char* item, std::vector<const char*> values = {}) {
    trigger(item);
    tfigure& f = *active().selection.at(0);
    for (std::size_t k = 0; k < values.size(); ++k) typevalue(static_cast<int>(k) + 1, values[k]);
    return f;
  }
  QLineEdit& edit(int k) { return *func().findChild<QLineEdit*>(QStringLiteral("edit%1").arg(k)); }
  void typevalue(int k, const char* text) {
    QLineEdit& e = edit(k);
    e.setFocus();
    e.selectAll();
    QTest::keyClicks(&e, QString::fromLatin1(text));
    QTest::keyClick(&e, Qt::Key_Return);
  }
  // A press and release of a box's arrow; held, the timer ticks in between.
  void holdbutton(const char* control, int ticks) {
    QWidget* b = func().findChild<QWidget*>(QString::fromLatin1(control));
    ASSERT_NE(b, nullptr);
    const QPoint p(4, 4);
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(p), b->mapToGlobal(QPointF(p)),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &down);
    for (int t = 0; t < ticks; ++t) func().timertick();
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(p), b->mapToGlobal(QPointF(p)),
                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(b, &up);
  }
  // A label with the text tool, typed and closed by the select tool.
  tgralab& makelabel(QRect r, const char* text) {
    trigger("text1");
    drag(r.topLeft(), r.bottomRight());
    tlabeltool& tool = active().textlabels().tool();
    tgralab& l = *tool.labels.back();
    if (!l.editing) tool.memo2enter();
    QTest::keyClicks(&active().textlabels().memoedit(), QString::fromLatin1(text));
    trigger("select1");
    return l;
  }
};

// --- one row per kind of change

TEST_F(undotest, eachchangeisonestepthatundoesandredoesexactly) {
  struct row {
    const char* name;
    std::function<void(undotest&)> prepare;
    std::function<void(undotest&)> change;
    const char* undotext;
  };
  const auto parabola = [](undotest& t) { t.make("parabola2", {"0,5", "-1", "-3"}); };
  const auto three = [](undotest& t) {
    t.make("line1", {"1", "2"});
    t.make("parabola2", {"0,5", "-1", "-3"});
    t.make("sin1", {"2", "1", "0", "1"});
  };
  const auto dragwith = [](const char* tool) {
    return [tool](undotest& t) {
      tfigure& f = *t.active().selection.at(0);
      t.trigger(tool);
      const QPoint p = t.on(f, 1.3);
      t.drag(p, p + QPoint(37, -23));
    };
  };
  const row rows[] = {
      {"new figure", [](undotest&) {}, [](undotest& t) { t.trigger("parabola2"); },
       "A&ngre ny parabel"},
      {"new polynomial", [](undotest&) {}, [](undotest& t) { t.trigger("pol31"); },
       "A&ngre nytt tredjegradspolynom"},
      {"typed value", parabola, [](undotest& t) { t.typevalue(2, "4,25"); },
       "A&ngre endring av F1"},
      {"box step", parabola, [](undotest& t) { t.holdbutton("up1", 0); }, "A&ngre endring av F1"},
      {"box held", parabola, [](undotest& t) { t.holdbutton("down3", 15); },
       "A&ngre endring av F1"},
      {"move drag", parabola, dragwith("move1"), "A&ngre flytting av F1"},
      {"rotate drag", parabola, dragwith("rotate1"), "A&ngre vridning av F1"},
      {"fix point", parabola,
       [](undotest& t) {
         tfigure& f = *t.active().selection.at(0);
         t.trigger("fixpoint1");
         t.click(t.on(f, 2));
       },
       "A&ngre fikspunkt på F1"},
      {"freeze", parabola,
       [](undotest& t) {
         tfigure& f = *t.active().selection.at(0);
         t.trigger("freeze1");
         t.click(t.on(f, 2));
       },
       "A&ngre frysing av F1"},
      {"delete the middle one", three,
       [](undotest& t) {
         tfigure& middle = *t.func().figures[1];
         t.click(t.on(middle, 4));
         ASSERT_EQ(t.active().selection.at(0), &middle);
         QTest::keyClick(&t.canvas(), Qt::Key_Delete, Qt::ShiftModifier);
       },
       "A&ngre sletting av F2"},
      {"cut", three, [](undotest& t) { t.trigger("cut1"); }, "A&ngre klipping"},
      {"paste", three,
       [](undotest& t) {
         t.trigger("copy1");
         t.trigger("paste1");
       },
       "A&ngre innliming"},
      {"zoom command", parabola, [](undotest& t) { t.trigger("N311"); }, "A&ngre zoom"},
      {"zoom tool", parabola,
       [](undotest& t) {
         t.trigger("zoomtool1");
         t.drag(t.at(-5, 5), t.at(3, -2));
       },
       "A&ngre zoom"},
      {"new label", parabola,
       [](undotest& t) {
         t.makelabel({40, 40, 160, 60}, "Toppunkt");
       },
       "A&ngre ny tekst"},
      {"new label closed with its font window", parabola,
       [](undotest& t) {
         t.trigger("text1");
         t.drag({40, 40}, {160, 60});
         tlabeltool& tool = t.active().textlabels().tool();
         if (!tool.labels.back()->editing) tool.memo2enter();
         QTest::keyClicks(&t.active().textlabels().memoedit(), QStringLiteral("Toppunkt"));
         t.main->fontwindow()->close();
       },
       "A&ngre ny tekst"},
      {"typed value left by Tab", parabola,
       [](undotest& t) {
         QLineEdit& e = t.edit(2);
         e.setFocus();
         e.selectAll();
         QTest::keyClicks(&e, QStringLiteral("4"));
         QTest::keyClick(&e, Qt::Key_Tab);
       },
       "A&ngre endring av F1"},
      {"options dialog OK", parabola,
       [](undotest& t) {
         t.trigger("options1");
         toptionsform& o = *optionsform(*t.main);
         o.field("MinX")->setText("-4");
         QTest::mouseClick(o.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
       },
       "A&ngre endring av innstillinger"},
      {"label moved",
       [](undotest& t) {
         t.makelabel({40, 40, 160, 60}, "Toppunkt");
       },
       [](undotest& t) {
         t.click({10, 10});
         t.drag({100, 70}, {130, 90});
       },
       "A&ngre flytting av tekst"},
      {"label deleted",
       [](undotest& t) {
         t.makelabel({40, 40, 160, 60}, "Toppunkt");
         t.click({100, 70});
       },
       [](undotest& t) { t.trigger("delete1"); }, "A&ngre sletting av tekst"},
      {"new window", parabola, [](undotest& t) { t.trigger("newwindow1"); },
       "A&ngre nytt grafvindu"},
      {"window closed with label and zoom",
       [](undotest& t) {
         t.make("parabola2", {"0,5", "-1", "-3"});
         t.trigger("newwindow1");
         t.make("cos1", {"3", "2", "1", "-1"});
         t.make("line1", {"-1", "4"});
         t.makelabel({30, 30, 150, 70}, "Vindu to");
         t.trigger("N211");
         t.trigger("newwindow1");
         t.make("pol41", {"0,1", "0", "-1", "0", "2"});
         // The middle window is the one that closes.
         t.main->mdi().setActiveSubWindow(t.main->windowlist[1]);
         t.main->activated(*t.main->windowlist[1]);
       },
       [](undotest& t) { t.trigger("closewindow1"); }, "A&ngre lukking av Vindu 2"},
      {"window closed by its own button",
       [](undotest& t) {
         t.make("parabola2", {"0,5", "-1", "-3"});
         t.trigger("newwindow1");
         t.make("pol31", {"0,2", "0", "-2", "1"});
       },
       [](undotest& t) { t.main->windowlist[1]->close(); }, "A&ngre lukking av Vindu 2"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    restart();
    r.prepare(*this);
    const std::vector<seenwindow> before = work();
    const int stepsbefore = steps();
    r.change(*this);
    const std::vector<seenwindow> after = work();
    ASSERT_NE(after, before);
    EXPECT_EQ(steps(), stepsbefore + 1);
    EXPECT_EQ(item("undo1"), QString::fromUtf8(r.undotext));
    EXPECT_TRUE(enabled("undo1"));
    EXPECT_FALSE(enabled("redo1"));

    undo();
    EXPECT_EQ(work(), before);
    EXPECT_TRUE(drawnwheretheyare());
    EXPECT_TRUE(enabled("redo1"));
    EXPECT_EQ(item("redo1"),
              QString::fromUtf8("Gjør o&m") +
                  QString::fromUtf8(r.undotext).mid(QStringLiteral("A&ngre").size()));
    redo();
    EXPECT_EQ(work(), after);
    EXPECT_TRUE(drawnwheretheyare());
    // Ctrl+Shift+Z does it again as well, after another undo.
    undo();
    QTest::keyClick(main.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(work(), after);
    EXPECT_EQ(main->activewindow->figures().size(),
              static_cast<std::size_t>(main->activewindow->lastfig - main->activewindow->firstfig));
  }
}

// --- figures an undo removes

TEST_F(undotest, toolsforgetafigureanundoremoves) {
  make("parabola2", {"0,5", "0", "-4"});
  tfigure& line = make("line1");
  trigger("intersect1");
  // Both curves selected: the intersection tool holds them.
  click(on(*func().figures[0], 0));
  press(on(line, -6), Qt::ControlModifier);
  release(on(line, -6));
  ASSERT_EQ(active().selection.size(), 2u);
  ASSERT_TRUE(active().analysis->tools.crossa == &line || active().analysis->tools.crossb == &line);
  undo();  // the line goes
  ASSERT_EQ(func().figures.size(), 1u);
  EXPECT_EQ(active().analysis->tools.crossa, nullptr);
  EXPECT_EQ(active().analysis->tools.crossb, nullptr);
  EXPECT_EQ(active().selection.size(), 1u);
  // A tangent dragged on the parabola, undone while the tool is still on it.
  trigger("tangent1");
  tfigure& p = *func().figures[0];
  move(on(p, 2));
  drag(on(p, 2), on(p, 3));
  ASSERT_EQ(func().figures.size(), 2u);
  undo();
  EXPECT_EQ(func().figures.size(), 1u);
  EXPECT_FALSE(active().analysis->tools.placing());
  EXPECT_EQ(active().analysis->tools.tangbase, nullptr);
  // The parabola chosen again by a double click takes a new tangent.
  press(on(p, 2));
  release(on(p, 2));
  QTest::mouseDClick(&canvas(), Qt::LeftButton, {}, on(p, 2));
  release(on(p, 2));
  move(on(p, 2));
  drag(on(p, 2), on(p, 4));
  EXPECT_EQ(func().figures.size(), 2u);
}

TEST_F(undotest, ctrlzduringadragwaitsforthedragtoend) {
  tfigure& f = make("parabola2", {"1", "0", "-2"});
  const std::array<double, 6> start = f.param;
  trigger("move1");
  const QPoint p = on(f, 1);
  press(p);
  move(p + QPoint(20, -30));
  undo();  // the drag goes on with its figure
  ASSERT_EQ(func().figures.size(), 1u);
  move(p + QPoint(40, -50));
  release(p + QPoint(40, -50));
  EXPECT_NE(bits(f.param), bits(start));
  EXPECT_EQ(item("undo1"), QStringLiteral("A&ngre flytting av F1"));
  undo();
  EXPECT_EQ(bits(f.param), bits(start));
}

TEST_F(undotest, angrewhileavalueisbeingtypedtakesthetypedvalueback) {
  tfigure& f = make("parabola2", {"1", "0", "-2"});
  const std::array<double, 6> start = f.param;
  QLineEdit& e = edit(3);
  e.setFocus();
  e.selectAll();
  QTest::keyClicks(&e, QStringLiteral("3,5"));  // typed, not yet entered
  ASSERT_DOUBLE_EQ(f.param[3], 3.5);
  trigger("undo1");
  EXPECT_EQ(bits(f.param), bits(start));
  // The field let go afterwards enters nothing more.
  canvas().setFocus();
  QApplication::processEvents();
  EXPECT_EQ(bits(f.param), bits(start));
  EXPECT_EQ(item("redo1"), QStringLiteral("Gjør o&m endring av F1"));
  trigger("redo1");
  EXPECT_DOUBLE_EQ(f.param[3], 3.5);
}

// A label stays at its place in the coordinate system, so a new window size
// shows it at other pixels. Arranging the windows is no step of the work, with
// or without labels, and Angre after it takes back exactly the last change.
TEST_F(undotest, arrangingwindowswithalabelisnostepandangrestillgoesbackone) {
  trigger("newwindow1");
  main->mdi().setActiveSubWindow(main->windowlist[0]);
  main->activated(*main->windowlist[0]);
  tfigure& f = make("parabola2", {"1", "0", "-2"});
  makelabel(QRect(30, 30, 90, 40), "topp");
  typevalue(3, "-1");
  const std::string last = item("undo1").toStdString();
  for (const char* arrange : {"tile1", "cascade1", "tile1"}) {
    SCOPED_TRACE(arrange);
    const QSize before = main->windowlist[0]->size();
    const int count = steps();
    trigger(arrange);
    QApplication::processEvents();
    ASSERT_NE(main->windowlist[0]->size(), before);  // the label's pixels moved
    EXPECT_EQ(steps(), count);
    EXPECT_EQ(item("undo1").toStdString(), last);
  }
  const int at = main->history().stack().index();
  undo();
  EXPECT_EQ(main->history().stack().index(), at - 1);
  EXPECT_DOUBLE_EQ(f.param[3], -2);
  // The next value typed is one step of its own, named for its figure.
  click(on(f, 1.5));
  ASSERT_EQ(active().selection.size(), 1u);
  typevalue(2, "3");
  EXPECT_EQ(item("undo1").toStdString(), "A&ngre endring av F1");
  EXPECT_EQ(main->history().stack().index(), at);
}

// A window brought to the front by its title bar records nothing, but a value
// typed then changes that window's figure: Angre and Gjør om show that window.
TEST_F(undotest, angreandgjoromshowthewindowwherethechangewasmade) {
  tfigure& first = make("parabola2", {"1", "0", "-2"});
  trigger("newwindow1");
  make("line1", {"2", "1"});
  tgrform& a = *main->windowlist[0];
  tgrform& b = *main->windowlist[1];
  QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(a.width() / 2, 6));
  ASSERT_EQ(&active(), &a);
  ASSERT_EQ(active().selection.size(), 1u);
  ASSERT_EQ(active().selection[0], &first);
  typevalue(3, "4");
  ASSERT_DOUBLE_EQ(first.param[3], 4);
  undo();
  EXPECT_DOUBLE_EQ(first.param[3], -2);
  EXPECT_EQ(&active(), &a);
  QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(b.width() / 2, 6));
  ASSERT_EQ(&active(), &b);
  redo();
  EXPECT_DOUBLE_EQ(first.param[3], 4);
  EXPECT_EQ(&active(), &a);
}

// Fix points the pupil placed are work: choosing the move tool and going to
// another window and back changes nothing, and Ctrl+Z and Ctrl+Y take them
// away and bring them back.
TEST_F(undotest, placedfixpointssurviveatoolandawindowchangeandundoexactly) {
  trigger("newwindow1");
  make("line1", {"1", "0"});
  main->mdi().setActiveSubWindow(main->windowlist[0]);
  main->activated(*main->windowlist[0]);
  tfigure& f = make("parabola2", {"0,5", "-1", "-3"});
  const std::vector<seenwindow> before = work();
  trigger("fixpoint1");
  click(on(f, 2));
  click(on(f, -1));
  ASSERT_TRUE(f.fixmode);
  ASSERT_EQ(f.fixcount, 2);
  const std::vector<seenwindow> placed = work();
  const int stepsplaced = steps();

  trigger("move1");
  main->mdi().setActiveSubWindow(main->windowlist[1]);
  main->activated(*main->windowlist[1]);
  main->mdi().setActiveSubWindow(main->windowlist[0]);
  main->activated(*main->windowlist[0]);
  EXPECT_EQ(steps(), stepsplaced);
  EXPECT_EQ(work(), placed);

  undo();
  EXPECT_FALSE(f.fixmode);
  EXPECT_EQ(work(), before);
  redo();
  EXPECT_EQ(work(), placed);
  EXPECT_FALSE(enabled("redo1"));
}

// Drawing a figure selected again after Ctrl+Z is no change: Ctrl+Y still
// repeats what was undone.
TEST_F(undotest, clickingafigureafterundokeepstheredo) {
  tfigure& f = make("parabola2", {"0,5", "-1", "-3"});
  for (const char* tool : {"fixpoint1", "rotate1", "move1", "select1"}) {
    SCOPED_TRACE(tool);
    typevalue(2, "2");
    const std::array<double, 6> typed = f.param;
    undo();
    trigger(tool);
    click(on(f, 1.5));
    click(on(f, 1.5));
    ASSERT_TRUE(enabled("redo1"));
    redo();
    EXPECT_EQ(bits(f.param), bits(typed));
  }
}

// --- the modified flag and the exit question

TEST_F(undotest, undoingbacktothesavedstateclearsthemodifiedflag) {
  QTemporaryDir dir;
  const std::string name = dir.filePath("arbeid.QVP").toStdString();
  make("parabola2", {"1", "0", "-2"});
  services.fileanswers = {{true, name, 1}};
  trigger("saveas1");
  ASSERT_EQ(main->modified, 0);
  trigger("line1");
  holdbutton("up1", 3);
  EXPECT_EQ(main->modified, 1);
  undo();
  EXPECT_EQ(main->modified, 1);
  undo();
  EXPECT_EQ(main->modified, 0);
  // Past the saved state is a change again; back to it is none.
  undo();
  EXPECT_EQ(main->modified, 1);
  redo();
  EXPECT_EQ(main->modified, 0);
  services.messages.clear();
  EXPECT_TRUE(main->close());
  for (const auto& m : services.messages) EXPECT_NE(m.text, savequestion);
}

TEST_F(undotest, achangeafterundoingpastthesaveasksatexit) {
  QTemporaryDir dir;
  make("parabola2", {"1", "0", "-2"});
  services.fileanswers = {{true, dir.filePath("a.QVP").toStdString(), 1}};
  trigger("saveas1");
  undo();  // the saved state is in the redo part now
  trigger("line1");
  EXPECT_FALSE(enabled("redo1"));
  EXPECT_EQ(main->modified, 1);
  services.msganswers = {platform::msgresult::cancel};
  EXPECT_FALSE(main->close());
  ASSERT_FALSE(services.messages.empty());
  EXPECT_EQ(services.messages.back().text, savequestion);
}

// --- a held button, the limit, a new project

TEST_F(undotest, aboxbuttonheldforthreesecondsisonestep) {
  tfigure& f = make("parabola2", {"1", "0", "0"});
  const int before = steps();
  const std::array<double, 6> start = f.param;
  // Three seconds of ticks, at the first interval and then the repeat one.
  holdbutton("up3", 3000 / tboxrouter::repeatinterval);
  ASSERT_GT(f.param[3], start[3] + 1);
  EXPECT_EQ(steps(), before + 1);
  undo();
  EXPECT_EQ(bits(f.param), bits(start));
  EXPECT_EQ(&f, func().figures[0].get()) << "the figure itself took its values back";
}

TEST_F(undotest, thehistorykeepsthelastthousandsteps) {
  // A small window draws the thousand steps quickly.
  active().resize(80, 80);
  view(-10, 10, -10, 10);
  trigger("line1");
  tfigure& f = *func().figures.at(0);
  const std::array<double, 6> made = f.param;
  ASSERT_EQ(steps(), 1);
  // A thousand box steps after the new line: the line is the step that goes.
  for (int i = 0; i < tundohistory::limit; ++i) holdbutton(i % 2 ? "up1" : "up2", 0);
  EXPECT_EQ(steps(), tundohistory::limit);
  for (int i = 0; i < tundohistory::limit; ++i) undo();
  EXPECT_FALSE(enabled("undo1"));
  EXPECT_EQ(item("undo1"), QStringLiteral("A&ngre"));
  ASSERT_EQ(func().figures.size(), 1u);
  EXPECT_EQ(func().figures[0].get(), &f);
  EXPECT_EQ(bits(f.param), bits(made));
}

TEST_F(undotest, anewprojectstartswithnothingtoundo) {
  make("parabola2");
  ASSERT_TRUE(enabled("undo1"));
  services.msganswers = {platform::msgresult::no};
  trigger("newproject1");
  EXPECT_FALSE(enabled("undo1"));
  EXPECT_FALSE(enabled("redo1"));
  EXPECT_EQ(item("undo1"), QStringLiteral("A&ngre"));
  EXPECT_EQ(main->modified, 0);
  undo();
  EXPECT_EQ(main->windowlist.size(), 1u);
}

// --- the commands themselves

TEST_F(undotest, thecommandsstandatthetopoftheeditmenu) {
  const QList<QAction*> items = main->commands().menu("edit1")->actions();
  ASSERT_GE(items.size(), 3);
  EXPECT_EQ(items[0], main->commands().item("undo1"));
  EXPECT_EQ(items[1], main->commands().item("redo1"));
  EXPECT_TRUE(items[2]->isSeparator());
  // The mnemonics are the menu's own.
  std::vector<QChar> keys;
  for (QAction* a : items) {
    const QString t = a->text();
    const qsizetype i = t.indexOf('&');
    if (i >= 0 && i + 1 < t.size()) keys.push_back(t.at(i + 1).toLower());
  }
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
  QAction* redo = main->commands().item("redo1");
  EXPECT_EQ(redo->shortcuts(),
            (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
  EXPECT_EQ(main->commands().item("undo1")->shortcut(), QKeySequence("Ctrl+Z"));
  EXPECT_EQ(tcommands::helpcontext(redo), 74);
  // The tool buttons follow the items.
  EXPECT_FALSE(main->commands().button("undo1")->isEnabled());
  trigger("line1");
  EXPECT_TRUE(main->commands().button("undo1")->isEnabled());
  main->commands().button("undo1")->trigger();
  EXPECT_TRUE(func().figures.empty());
  EXPECT_TRUE(main->commands().button("redo1")->isEnabled());
}

TEST_F(undotest, undeletestillbringsbackthedeletedfigure) {
  make("line1", {"2", "1"});
  tfigure& p = make("parabola2", {"1", "0", "-1"});
  const std::array<double, 6> values = p.param;
  QTest::keyClick(&canvas(), Qt::Key_Delete, Qt::ShiftModifier);
  ASSERT_EQ(func().figures.size(), 1u);
  ASSERT_TRUE(enabled("undelete1"));
  QTest::keyClick(&canvas(), Qt::Key_Insert, Qt::ShiftModifier);
  ASSERT_EQ(func().figures.size(), 2u);
  EXPECT_EQ(func().figures[1]->kind, family::parabola);
  EXPECT_EQ(func().figures[1]->param, values);
  EXPECT_FALSE(enabled("undelete1"));
  // The restoring is a step of its own.
  EXPECT_EQ(item("undo1"), QString::fromUtf8("A&ngre gjenoppretting av det slettede"));
  undo();
  EXPECT_EQ(func().figures.size(), 1u);
  undo();
  EXPECT_EQ(func().figures.size(), 2u);
}

}  // namespace
