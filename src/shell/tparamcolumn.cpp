#include "shell/tparamcolumn.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "platform/qt/cp1252.h"
#include "platform/qt/qtimage.h"

namespace {

constexpr int scaleleft = 8;
constexpr int scaletop = 41;
constexpr int scalewidth = 33;
constexpr int scaleheight = 100;

// Shows the box's tape picture.
class tapeview : public QWidget {
 public:
  tapeview(tmanbox& box, QWidget* parent) : QWidget(parent), box_(box) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (!box_.hasscale()) return;
    if (auto* img = dynamic_cast<platform::qtimage*>(&box_.scale().picture()))
      p.drawImage(0, 0, img->qimage());
  }

 private:
  tmanbox& box_;
};

}  // namespace

tparamcolumn::tparamcolumn(tmanbox& box, char letter, QWidget* parent)
    : QWidget(parent), box_(box) {
  setFixedSize(columnwidth, columnheight);
  header_ = new QLabel(this);
  header_->setGeometry(scaleleft, 0, 40, 14);
  setletter(letter);

  // The scale box is the reference: the up button sits 25 pixels above it,
  // the down button right below it, the edit field 25 pixels lower.
  scale_ = new tapeview(box, this);
  scale_->setObjectName(QString::fromStdString(box.controlname("scale")));
  scale_->setGeometry(scaleleft, scaletop, scalewidth, scaleheight);
  scale_->installEventFilter(this);
  up_ = new QToolButton(this);
  up_->setObjectName(QString::fromStdString(box.controlname("up")));
  up_->setArrowType(Qt::UpArrow);
  up_->setGeometry(scaleleft, scaletop - 25, scalewidth, 25);
  up_->installEventFilter(this);
  down_ = new QToolButton(this);
  down_->setObjectName(QString::fromStdString(box.controlname("down")));
  down_->setArrowType(Qt::DownArrow);
  down_->setGeometry(scaleleft, scaletop + scaleheight, scalewidth, 25);
  down_->installEventFilter(this);
  pointer_ = new QWidget(this);
  pointer_->setAutoFillBackground(true);
  QPalette pp = pointer_->palette();
  pp.setColor(QPalette::Window, Qt::black);
  pointer_->setPalette(pp);
  pointer_->setGeometry(scaleleft - 6, scaletop + box.scale().pointery(), 6, 1);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QString::fromStdString(box.controlname("edit")));
  edit_->setGeometry(0, scaletop + scaleheight + 25, columnwidth, 22);
  edit_->setFocusPolicy(Qt::ClickFocus);
  edit_->installEventFilter(this);
  connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    pending_ = true;
    box_.edittext = platform::tocp1252(text);
    if (typed) typed(box_);
  });
  refresh();
}

void tparamcolumn::setletter(char letter) {
  header_->setText(QStringLiteral("  ") + QChar::fromLatin1(letter));
}

QString tparamcolumn::header() const {
  return header_->text();
}

void tparamcolumn::endentry() {
  if (!pending_) return;
  // Cleared first: a message box about the entry takes the focus, and that
  // focus-out is no second end.
  pending_ = false;
  if (ended) ended(box_);
}

void tparamcolumn::refresh() {
  const QString text = platform::tounicode(box_.edittext);
  if (edit_->text() != text) {
    const bool blocked = edit_->blockSignals(true);
    edit_->setText(text);
    // A value written by the program shows from its start (its sign), and
    // replaces whatever entry was under way.
    edit_->setCursorPosition(0);
    edit_->blockSignals(blocked);
    pending_ = false;
  }
  const uint8_t s = box_.state();
  edit_->setEnabled(s == tmanbox::normal);
  QPalette p = edit_->palette();
  const QColor textcolour = s == tmanbox::normal ? QColor(Qt::black)
                            : s == tmanbox::hidden
                                ? QColor(Qt::white)
                                : palette().color(QPalette::Disabled, QPalette::WindowText);
  p.setColor(QPalette::Disabled, QPalette::Text, textcolour);
  p.setColor(QPalette::Active, QPalette::Text, textcolour);
  p.setColor(QPalette::Inactive, QPalette::Text, textcolour);
  const QColor base = box_.badtext() && s == tmanbox::normal
                          ? errorcolour()
                          : palette().color(QPalette::Active, QPalette::Base);
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
    p.setColor(g, QPalette::Base, base);
  edit_->setPalette(p);
  up_->setEnabled(s == tmanbox::normal);
  down_->setEnabled(s == tmanbox::normal);
  scale_->update();
}

bool tparamcolumn::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_) {
    // Leaving a field the user did not type into changes nothing: the figure
    // keeps its exact values rather than the shown, rounded ones.
    if (event->type() == QEvent::FocusOut) {
      endentry();
    } else if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      // Tab leaves the field for good even where no other field takes the focus.
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up ||
          key == Qt::Key_Down || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        endentry();
    }
    return QWidget::eventFilter(watched, event);
  }
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w) return QWidget::eventFilter(watched, event);
  const std::string name = w->objectName().toStdString();
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* m = static_cast<QMouseEvent*>(event);
      if (m->button() == Qt::LeftButton && mousedown)
        mousedown(name, static_cast<int>(m->position().y()));
      break;
    }
    case QEvent::MouseMove: {
      auto* m = static_cast<QMouseEvent*>(event);
      if (w == scale_ && (m->buttons() & Qt::LeftButton) && mousemove)
        mousemove(name, static_cast<int>(m->position().y()));
      break;
    }
    case QEvent::MouseButtonRelease:
      if (mouseup) mouseup();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}
