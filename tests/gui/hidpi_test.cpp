// The graph window at the screen's device pixel ratio: this file runs in the
// GUI tests at ratio 1 and again in its own program with QT_SCALE_FACTOR=2.
// The picture then holds the screen's finer pixels, while clicks, drags and
// zooms land at the same world places as at ratio 1.
#include <QTest>
#include <cmath>
#include <functional>

#include "graph/tgrcanvas.h"
#include "gui/guifixture.h"

namespace {

class ratiotest : public guitest {
 protected:
  void SetUp() override {
    guitest::SetUp();
    tgrform& w = active();
    w.coords.zoomhistory.clear();
    w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), -10, 10, -10, 10);
    w.pant();
  }
  void TearDown() override {
    if (QTestPrivate::qtestMouseButtons != Qt::NoButton)
      QTest::mouseRelease(&canvas(), Qt::LeftButton);
  }

 public:
  using guitest::active;
  using guitest::main;
  using guitest::pixel;
  QWidget& canvas() { return active().canvas(); }
  QPoint at(double x, double y) {
    const platform::point p = active().coords.worldtopixel(x, y);
    return {p.x, p.y};
  }
  worldpoint world(QPoint p) { return active().coords.pixeltoworld(p.x(), p.y()); }
  double onepixel() { return 1.0 / active().coords.yscale; }
  tfigure& make(int kind, std::array<double, 5> p) {
    tfigure* f = active().creategraph(kind);
    for (size_t k = 0; k < p.size(); ++k) f->param[k + 1] = p[k];
    active().pant();
    return *f;
  }
  void drag(QPoint from, QPoint to) {
    QTest::mousePress(&canvas(), Qt::LeftButton, {}, from);
    for (int i = 1; i <= 4; ++i) {
      const QPoint p = from + (to - from) * i / 4;
      QMouseEvent e(QEvent::MouseMove, QPointF(p), canvas().mapToGlobal(QPointF(p)),
                    Qt::NoButton, QTestPrivate::qtestMouseButtons, {});
      QApplication::sendEvent(&canvas(), &e);
    }
    QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, to);
  }
};

// The ratio this run expects: QT_SCALE_FACTOR when the program was started with it.
double expectedratio() {
  const QByteArray f = qgetenv("QT_SCALE_FACTOR");
  return f.isEmpty() ? 1.0 : f.toDouble();
}

TEST_F(ratiotest, the_picture_holds_the_screens_pixels) {
  tgrform& w = active();
  const double r = canvas().devicePixelRatioF();
  EXPECT_DOUBLE_EQ(r, expectedratio());
  const QImage& img = dynamic_cast<platform::qtimage&>(*w.coords.image).qimage();
  EXPECT_EQ(img.width(), static_cast<int>(std::ceil(w.clientwidth() * r)));
  EXPECT_EQ(img.height(), static_cast<int>(std::ceil(w.clientheight() * r)));
  // The picture's own size and the world mapping stay in the window's pixels.
  EXPECT_EQ(w.coords.image->width(), w.clientwidth());
  EXPECT_EQ(w.coords.pixwidth, canvas().width());
  const QPoint o = at(0, 0);
  EXPECT_EQ(o, QPoint(canvas().width() / 2, canvas().height() / 2));
}

TEST_F(ratiotest, tools_land_at_the_same_world_places_at_any_ratio) {
  struct row {
    const char* name;
    std::function<void(ratiotest&)> check;
  };
  const row rows[] = {
      {"a click on the curve selects it and it is drawn under the pointer",
       [](ratiotest& t) {
         tfigure& line = t.make(family::line, {0.5, 1});
         tfigure& flat = t.make(family::line, {0, -6});
         t.main->commands().item("select1")->trigger();
         ASSERT_EQ(t.active().selection.front(), &flat);
         const QPoint p = t.at(4, line.value(4));
         QTest::mouseClick(&t.canvas(), Qt::LeftButton, {}, p);
         ASSERT_EQ(t.active().selection.size(), 1u);
         EXPECT_EQ(t.active().selection.front(), &line);
         // The selected curve's colour is in the picture at that pixel or
         // its neighbour (a smoothed line may cover the middle of either).
         const platform::colour c = t.active().coords.figcolours[1];
         int hits = 0;
         for (int dy = -1; dy <= 1; ++dy)
           for (int dx = -1; dx <= 1; ++dx)
             if (t.pixel(t.active(), p.x() + dx, p.y() + dy) == c) ++hits;
         EXPECT_GE(hits, 1);
         // Far from it the picture is the background.
         EXPECT_EQ(t.pixel(t.active(), p.x(), p.y() - 20), t.active().windowcolour());
       }},
      {"a drag with the move tool carries the curve along",
       [](ratiotest& t) {
         tfigure& f = t.make(family::vertexparab, {1, 0, 0});
         t.main->commands().item("move1")->trigger();
         const QPoint p = t.at(1, f.value(1));
         const QPoint q = p + QPoint(60, -40);
         t.drag(p, q);
         const worldpoint a = t.world(p), b = t.world(q);
         EXPECT_NEAR(f.param[2], b.x - a.x, 4 * t.onepixel());
         EXPECT_NEAR(f.param[3], b.y - a.y, 4 * t.onepixel());
       }},
      {"a zoom rectangle becomes the view",
       [](ratiotest& t) {
         t.make(family::line, {1, 0});
         t.main->commands().item("zoomtool1")->trigger();
         const QPoint p = t.at(-5, 5), q = t.at(5, -5);
         const worldpoint a = t.world(p), b = t.world(q);
         const double before = t.onepixel();
         t.drag(p, q);
         const tcoords& c = t.active().coords;
         EXPECT_NEAR(c.minx, a.x, 2 * before);
         EXPECT_NEAR(c.maxx, b.x, 2 * before);
         EXPECT_NEAR(c.miny, b.y, 2 * before);
         EXPECT_NEAR(c.maxy, a.y, 2 * before);
       }},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main.reset();
    QApplication::processEvents();
    SetUp();
    r.check(*this);
  }
}

}  // namespace
