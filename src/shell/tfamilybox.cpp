#include "shell/tfamilybox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "expr/tmathbox.h"
#include "platform/qt/cp1252.h"
#include "platform/qt/qtsurface.h"

namespace {

platform::colour fromqt(const QColor& c) {
  return platform::rgb(c.red(), c.green(), c.blue());
}

// Draws the entries of the list through the family box.
class entrydelegate : public QStyledItemDelegate {
 public:
  explicit entrydelegate(tfamilybox& box) : QStyledItemDelegate(&box), box_(box) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    p->drawImage(option.rect.topLeft(),
                 box_.renderentry(index.row(), option.rect.width(), selected));
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), tfamilybox::entryheight};
  }

 private:
  tfamilybox& box_;
};

}  // namespace

tfamilybox::tfamilybox(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new entrydelegate(*this));
  setMaxVisibleItems(10);
}

void tfamilybox::setentries(const std::vector<std::string>& texts) {
  const int at = currentIndex();
  texts_ = texts;
  const bool blocked = blockSignals(true);
  clear();
  for (const std::string& t : texts_) addItem(platform::tounicode(t));
  setCurrentIndex(std::min(at, count() - 1));
  blockSignals(blocked);
}

std::string tfamilybox::entrytext(int i) const {
  if (i < 0 || texts_.empty()) return {};
  const size_t k = i >= 11 ? 0 : static_cast<size_t>(i);
  if (k >= texts_.size()) return {};
  return texts_[k].substr(0, maxentry);
}

QImage tfamilybox::renderentry(int i, int width, bool selected) const {
  const int w = std::max(width, 1);
  QImage picture(w, entryheight, QImage::Format_RGB32);
  platform::qtsurface s;
  s.smoothtext(true);  // small exponents stay legible
  s.attach(&picture);
  const QColor highlight = palette().color(QPalette::Active, QPalette::Highlight);
  const platform::colour back = selected ? fromqt(highlight) : platform::white;
  const platform::colour fore = selected ? platform::white : platform::black;
  s.setbrush({back, platform::brushstyle::solid});
  s.setpen({back});
  s.fillrect({0, 0, w, entryheight});
  platform::font f;
  f.name = "DejaVu Sans";
  f.size = 9;
  f.col = fore;
  s.setfont(f);
  tmathbox box;
  box.draw(s, entrytext(i), fore, {2, 3, w - 2, entryheight});
  s.detach();
  return picture;
}

void tfamilybox::showPopup() {
  droppeddown = true;
  const QScreen* screen = this->screen();
  setMaxVisibleItems(rowsfor(screen ? screen->geometry().width() : 0));
  QComboBox::showPopup();
}

void tfamilybox::paintEvent(QPaintEvent*) {
  // The frame and arrow of the platform, the selected entry drawn as in the list.
  QStylePainter p(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  p.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  if (currentIndex() >= 0)
    p.drawImage(field.topLeft(), renderentry(currentIndex(), field.width(), false),
                QRect(0, (entryheight - field.height()) / 2, field.width(), field.height()));
}
