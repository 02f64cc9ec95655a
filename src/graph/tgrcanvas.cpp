#include "graph/tgrcanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

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
  if (!img || img->width() != width() || img->height() != height()) owner_.pant();
  QPainter p(this);
  if (const auto* q = dynamic_cast<const platform::qtimage*>(owner_.coords.image.get()))
    p.drawImage(0, 0, q->qimage());
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
  owner_.formkeydown(e->key(), shiftof(e->modifiers(), Qt::NoButton));
}
