// A graph window on its own, its frame and function panel faked: the window
// needs no main window to be driven by the pupil's mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "figures/tcoords.h"
#include "figures/tcoordshost.h"
#include "figures/tfigure.h"
#include "graph/tgrcanvas.h"
#include "platform/qt/qtimage.h"
#include "support/fakeservices.h"
#include "support/qt/fakegraphhost.h"

namespace {

TEST(graphalone, adraggedcurvecarriesthepressedpointtothepointer) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 3> p;
  };
  const row rows[] = {
      {"line", family::line, {1, 2, 0}},
      {"parabola", family::parabola, {0.5, 0, -1}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    fakeservices services;
    platform::qtimagefactory images;
    fakegraphhost host(services, images);
    tgrform& w = host.newwindow();
    QApplication::processEvents();
    w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), -10, 10, -10, 10);
    tfigure* f = w.creategraph(r.kind);
    ASSERT_NE(f, nullptr);
    for (size_t k = 0; k < r.p.size(); ++k) f->param[k + 1] = r.p[k];
    w.pant();
    host.tool = toolcode::move;
    host.modified = 0;

    const auto pixel = [&w](double x, double y) {
      const platform::point p = w.coords.worldtopixel(x, y);
      return QPoint(p.x, p.y);
    };
    const QPoint from = pixel(1, f->value(1));
    const QPoint to = from + QPoint(40, -60);
    QWidget& canvas = w.canvas();
    QTest::mousePress(&canvas, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 4; ++i) {
      const QPoint p = from + (to - from) * i / 4;
      QMouseEvent e(QEvent::MouseMove, QPointF(p), canvas.mapToGlobal(QPointF(p)), Qt::NoButton,
                    Qt::LeftButton, {});
      QApplication::sendEvent(&canvas, &e);
    }
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, to);

    // The curve passes under the pointer where it let go, the panel shows the
    // moved figure, and the project counts as changed.
    const worldpoint end = w.coords.pixeltoworld(to.x(), to.y());
    EXPECT_NEAR(f->value(end.x), end.y, 4.0 / w.coords.yscale);
    EXPECT_EQ(host.panel.shown, f);
    EXPECT_EQ(host.modified, 1);
    ASSERT_EQ(host.panel.figures.size(), 1u);
    EXPECT_EQ(host.panel.figures[0].get(), f);
  }
}

}  // namespace
