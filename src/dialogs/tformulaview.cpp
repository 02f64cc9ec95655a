#include "dialogs/tformulaview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "expr/tmathbox.h"
#include "platform/qt/qtsurface.h"

namespace {

constexpr int margin = 3;  // between the frame and the formula

}  // namespace

tformulaview::tformulaview(QWidget* parent, bool framed) : QWidget(parent), framed_(framed) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void tformulaview::setformula(std::string markup, platform::colour c) {
  if (markup == markup_ && c == colour_) return;
  markup_ = std::move(markup);
  colour_ = c;
  update();
}

QImage tformulaview::render() const {
  const int w = std::max(width(), 1);
  const int h = std::max(height(), 1);
  QImage picture(w, h, QImage::Format_RGB32);
  platform::qtsurface s;
  s.smoothtext(true);  // small exponents and indexes stay legible
  s.attach(&picture);
  s.setbrush({platform::white, platform::brushstyle::solid});
  s.setpen({platform::white});
  s.fillrect({0, 0, w, h});
  if (framed_) {
    s.setbrush({platform::rgb(128, 128, 128), platform::brushstyle::solid});
    s.framerect({0, 0, w, h});
  }
  if (!markup_.empty()) {
    platform::font f;
    f.name = "DejaVu Sans";
    f.size = 10;
    f.col = colour_;
    s.setfont(f);
    tmathbox box;
    int top = margin;
    // tmathbox puts the line one font height below the top it is given.
    if (centred_) top = (h - s.textheight("B")) / 2 + s.fontheight();
    box.draw(s, markup_, colour_, {margin, top, w - margin, h - margin});
  }
  s.detach();
  return picture;
}

void tformulaview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, render());
}

void tformulaview::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && clicked) clicked();
  QWidget::mousePressEvent(event);
}

void tformulaview::keyPressEvent(QKeyEvent* event) {
  if (clicked) {
    clicked();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}
