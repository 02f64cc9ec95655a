// The special-points tool as a pupil uses it: chosen from the menu, a click on
// a curve, the marks on the picture, the hint over a mark, the marks following
// a zoom and going with another tool.
#include <QAction>
#include <QTest>

#include "graph/tgranalysis.h"
#include "graph/tgrcanvas.h"
#include "guifixture.h"
#include "shell/tcommands.h"

namespace {

class specialtooltest : public guitest {
 protected:
  void SetUp() override {
    guitest::SetUp();
    tgrform& w = active();
    w.coords.zoomhistory.clear();
    w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), -5, 5, -5, 5);
    w.pant();
  }

  tfigure& make(int kind, std::array<double, 5> p) {
    tfigure* f = active().creategraph(kind);
    for (size_t k = 0; k < p.size(); ++k) f->param[k + 1] = p[k];
    active().pant();
    return *f;
  }
  QWidget& canvas() { return active().canvas(); }
  QPoint at(double x, double y) {
    const platform::point p = active().coords.worldtopixel(x, y);
    return {p.x, p.y};
  }
  void click(QPoint p) { QTest::mouseClick(&canvas(), Qt::LeftButton, {}, p); }
  void hover(QPoint p) { QTest::mouseMove(&canvas(), p); }
  std::string panel2() { return main->paneltext(2).toStdString(); }
  // A mark is a white square with a black frame around the point.
  bool markat(double x, double y) {
    const QPoint c = at(x, y);
    const int r = tspecialtool::markradius;
    return pixel(active(), c.x() - r, c.y() - r) == platform::black &&
           pixel(active(), c.x() + r, c.y() + r) == platform::black &&
           pixel(active(), c.x() - r + 1, c.y() - r + 1) == platform::white;
  }
};

TEST_F(specialtooltest, marksthepointsofaclickedcurveandfollowsthezoom) {
  tfigure& cubic = make(family::cubic, {1, 0, -3, 0});
  main->commands().item("special1")->trigger();
  click(at(2, cubic.value(2)));
  EXPECT_EQ(panel2(), "Nullpunkter: 3  Toppunkter: 1  Bunnpunkter: 1  Skjæring med y-aksen: 1");
  const double r3 = std::sqrt(3.0);
  for (const auto& [x, y] :
       std::vector<std::pair<double, double>>{{-r3, 0}, {-1, 2}, {0, 0}, {1, -2}, {r3, 0}}) {
    SCOPED_TRACE(x);
    EXPECT_TRUE(markat(x, y));
  }
  EXPECT_FALSE(markat(2, 2));

  hover(at(-1, 2) + QPoint(2, -1));
  EXPECT_EQ(active().hint, "Toppunkt -1,00 , 2,00");
  hover(at(r3, 0));
  EXPECT_EQ(active().hint, "Nullpunkt 1,73 , 0,00");

  // The view from the menu: the marks are found again where the points now are.
  main->commands().item("M121")->trigger();
  EXPECT_TRUE(markat(-1, 2));
  EXPECT_TRUE(markat(1, -2));
  EXPECT_EQ(panel2(), "Nullpunkter: 3  Toppunkter: 1  Bunnpunkter: 1  Skjæring med y-aksen: 1");

  // Another tool takes them away.
  main->commands().item("select1")->trigger();
  EXPECT_FALSE(markat(-1, 2));
  EXPECT_FALSE(markat(1, -2));
}

TEST_F(specialtooltest, apoleisneverapoint) {
  tfigure& hyperbola = make(family::hyperbola, {1, 0, 0});
  main->commands().item("special1")->trigger();
  click(at(2, hyperbola.value(2)));
  EXPECT_EQ(panel2(), "Nullpunkter: 0  Toppunkter: 0  Bunnpunkter: 0  Skjæring med y-aksen: 0");
  // Beside every curve: no marks, the tool's own hint.
  click(at(-4, 4));
  EXPECT_EQ(panel2(),
            "Klikk på en graf for å finne nullpunkter, topp- og bunnpunkter og "
            "skjæringen med y-aksen.");
}

TEST_F(specialtooltest, adeletedcurvetakesitsmarkswithit) {
  tfigure& parabola = make(family::parabola, {1, 0, -1});
  main->commands().item("special1")->trigger();
  click(at(2, parabola.value(2)));
  EXPECT_TRUE(markat(0, -1));
  // Still selected since it was made: "Slett" takes it.
  ASSERT_EQ(active().selection.size(), 1u);
  main->commands().item("delete1")->trigger();
  EXPECT_FALSE(markat(0, -1));
  EXPECT_EQ(active().analysis->special.figure, nullptr);
}

TEST_F(specialtooltest, crossingsareexactandmarked) {
  tgrform& w = active();
  w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), -10, 10, -10, 10);
  tfigure& parabola = make(family::parabola, {1, 0, 0});
  tfigure& line = make(family::line, {1, 2});
  main->commands().item("intersect1")->trigger();
  click(at(-3, parabola.value(-3)));
  QTest::mouseClick(&canvas(), Qt::LeftButton, Qt::ControlModifier, at(5, line.value(5)));
  EXPECT_EQ(panel2(), "Antall skjæringer: 2");
  const auto& crossings = w.analysis->tools.crossings;
  ASSERT_EQ(crossings.size(), 2u);
  EXPECT_NEAR(crossings[0].x, -1, 1e-12);
  EXPECT_NEAR(crossings[0].y, 1, 1e-12);
  EXPECT_NEAR(crossings[1].x, 2, 1e-12);
  EXPECT_NEAR(crossings[1].y, 4, 1e-12);
  EXPECT_TRUE(markat(2, 4));
  EXPECT_TRUE(markat(-1, 1));
  hover(at(2.1, 4.1));
  EXPECT_EQ(w.hint, " 2,00 , 4,00 ");
}

}  // namespace
