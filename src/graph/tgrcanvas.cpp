#include "graph/tgrcanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include "graph/tgrform.h"
#include "platform/qt/qtimage.h"

namespace {

unsigned shiftof(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
  unsigned s = 0;
  if (m & Qt::ShiftModifier) s |= shiftstate::shift;
  if (m & Qt::ControlModifier) s |= shiftstate::ctrl;
  if (b & Qt::LeftButton) s |= shiftstate::left;
  if (b & Qt::RightButton) s |= shiftstate::right;
  return s;
}

mousebutton buttonof(Qt::MouseButton b) {
  if (b == Qt::RightButton) return mousebutton::right;
  if (b == Qt::MiddleButton) return mousebutton::middle;
  return mousebutton::left;
}

}  // namespace

tgrcanvas::tgrcanvas(tgrform& owner) : owner_(owner) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void tgrcanvas::paintEvent(QPaintEvent*) {
  const platform::image* img = owner_.coords.image.get();
  const auto* q = dynamic_cast<const platform::qtimage*>(img);
  if (!img || img->width() != width() || img->height() != height() ||
      (q && q->ratio() != devicePixelRatioF()))
    owner_.pant();
  QPainter p(this);
  if (const auto* q = dynamic_cast<const platform::qtimage*>(owner_.coords.image.get()))
    p.drawImage(0, 0, q->qimage());
  if (owner_.shape1visible) {
    // The zoom rectangle: a dashed outline, the picture seen through it.
    // Black dashes on white show on any background colour.
    const platform::rect& r = owner_.shape1;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1, Qt::SolidLine));
    p.drawRect(r.left, r.top, r.width(), r.height());
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawRect(r.left, r.top, r.width(), r.height());
  }
}

void tgrcanvas::resizeEvent(QResizeEvent*) {
  owner_.formresize();
}

void tgrcanvas::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  owner_.formmousedown(buttonof(e->button()), shiftof(e->modifiers(), e->buttons()), p.x(), p.y());
}

void tgrcanvas::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  owner_.formmousemove(shiftof(e->modifiers(), e->buttons()), p.x(), p.y());
}

void tgrcanvas::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  owner_.formmouseup(buttonof(e->button()), shiftof(e->modifiers(), e->buttons()), p.x(), p.y());
}

void tgrcanvas::mouseDoubleClickEvent(QMouseEvent*) {
  owner_.formdblclick();
}

void tgrcanvas::keyPressEvent(QKeyEvent* e) {
  if (e->isAutoRepeat()) return;
  owner_.formkeydown(e->key(), shiftof(e->modifiers(), Qt::NoButton));
}

void tgrcanvas::keyReleaseEvent(QKeyEvent* e) {
  if (e->isAutoRepeat()) return;
  owner_.formkeyup(e->key());
}

bool tgrcanvas::event(QEvent* e) {
  // A key that may become a shortcut (Ctrl+C, Shift+Delete) is seen here
  // before its action runs; the window then knows Shift or Ctrl was part of a
  // combination.
  if (e->type() == QEvent::ShortcutOverride) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta)
      owner_.formotherkey();
  }
  return QWidget::event(e);
}
