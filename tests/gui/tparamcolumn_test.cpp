// The parameter columns and the routing between the five boxes: real mouse
// events on the offscreen widgets reach the right box, the repeat timer is
// driven by calling tick, and the widgets show the box's state.
#include "shell/tparamcolumn.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <memory>
#include <vector>

#include "platform/qt/qtimage.h"
#include "shell/tboxrouter.h"

namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)),
                type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
void press(QWidget* w, QPoint at = {5, 5}) {
  mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton);
}
void release(QWidget* w, QPoint at = {5, 5}) {
  mouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

struct columnfixture : ::testing::Test {
  void SetUp() override {
    for (int k = 1; k <= 5; ++k) {
      tmanbox& b = router.boxes[static_cast<size_t>(k - 1)];
      b.createbox(images, k, {}, "%.2f", ',');
      b.showvalue(k == 1 ? 1.0f : 0.0f);
      b.edittext = k == 1 ? "1" : "0";
      b.editchanged = [this](tmanbox& box) { edits.push_back(box.index()); };
      auto col = std::make_unique<tparamcolumn>(b, "abcde"[k - 1], &parent);
      col->move(4 + (k - 1) * tparamcolumn::columnwidth, 4);
      col->mousedown = [this](const std::string& c, int row) { router.mousedown(c, row); };
      col->mousemove = [this](const std::string& c, int row) { router.mousemove(c, row); };
      col->mouseup = [this] { router.mouseup(); };
      col->typed = [this](tmanbox& box) { typed.push_back(box.edittext); };
      columns.push_back(std::move(col));
    }
    parent.resize(260, 200);
    parent.show();
  }
  QWidget* control(int k, const char* role) {
    return parent.findChild<QWidget*>(QString("%1%2").arg(role).arg(k));
  }

  platform::qtimagefactory images;
  tboxrouter router;
  QWidget parent;
  std::vector<std::unique_ptr<tparamcolumn>> columns;
  std::vector<int> edits;
  std::vector<std::string> typed;
};

TEST_F(columnfixture, apressontheupbuttonstepsonlyitsbox) {
  QWidget* up = control(2, "up");
  ASSERT_NE(up, nullptr);
  press(up);
  EXPECT_TRUE(router.timeron);
  EXPECT_FLOAT_EQ(router.boxes[1].value, 0.01f);
  EXPECT_FLOAT_EQ(router.boxes[0].value, 1.0f);
  // Five ticks of the small step, then the step grows to 1.
  for (int t = 0; t < 6; ++t) router.tick();
  EXPECT_FLOAT_EQ(router.boxes[1].value, 1.0f);
  release(up);
  EXPECT_FALSE(router.timeron);
  EXPECT_EQ(router.timerinterval, tboxrouter::repeatinterval);
  EXPECT_FLOAT_EQ(router.boxes[1].step, 0.01f);
  router.tick();
  EXPECT_FLOAT_EQ(router.boxes[1].value, 1.0f) << "no repeat after the release";
  EXPECT_EQ(edits, std::vector<int>(7, 2));
  columns[1]->refresh();
  EXPECT_EQ(columns[1]->edit().text(), "1,00");
}

TEST_F(columnfixture, draggingthescaleboxmovesthetape) {
  QWidget* scale = control(3, "scale");
  ASSERT_NE(scale, nullptr);
  press(scale, {10, 50});
  mouse(scale, QEvent::MouseMove, {10, 0}, Qt::LeftButton);
  EXPECT_FLOAT_EQ(router.boxes[2].value, 1.0f);
  EXPECT_FLOAT_EQ(router.boxes[1].value, 0.0f);
  release(scale, {10, 0});
}

TEST_F(columnfixture, typingreachesthepanelandstatesshow) {
  QLineEdit& e = columns[0]->edit();
  e.selectAll();
  for (const char* k : {"2", ",", "5"}) {
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(k));
    QApplication::sendEvent(&e, &key);
  }
  ASSERT_FALSE(typed.empty());
  EXPECT_EQ(typed.back(), "2,5");
  EXPECT_EQ(columns[0]->header(), "  a");
  router.boxes[4].setstate(tmanbox::hidden);
  columns[4]->refresh();
  EXPECT_FALSE(columns[4]->edit().isEnabled());
  EXPECT_FALSE(control(5, "up")->isEnabled());
  EXPECT_EQ(router.owner("EDIT5"), &router.boxes[4]);
  EXPECT_EQ(router.owner("edit6"), nullptr);
}

}  // namespace
