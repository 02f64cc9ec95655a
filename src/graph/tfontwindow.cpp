#include "graph/tfontwindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QToolButton>
#include <algorithm>

#include "platform/qt/cp1252.h"

namespace {

QColor qcolour(platform::colour c) {
  return QColor(platform::red(c), platform::green(c), platform::blue(c));
}

// The colour list's items: drawn by the window, never as their texts.
class tcolourdelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    tfontwindow::combobox3drawitem(*painter, option.rect, index.row(),
                                   (option.state & QStyle::State_Selected) != 0);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), tfontwindow::itemheight};
  }
};

// The closed colour box shows the chosen colour the way the list does.
class tcolourcombo : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0) tfontwindow::combobox3drawitem(p, field, currentIndex(), hasFocus());
  }
};

}  // namespace

tfontwindow::tfontwindow(tfonthost& host, const platform::font& start, QWidget* parent)
    : QDialog(parent), host_(host) {
  setObjectName("fontwindow");
  setWindowTitle(QStringLiteral("Skriftvindu"));
  setProperty("helpcontext", helpcontext);
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // Showing it while a label opens must leave the focus in the memo.
  setAttribute(Qt::WA_ShowWithoutActivating);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 1, 2, 1);
  row->setSpacing(3);

  faces_ = new QComboBox(this);
  faces_->setObjectName("combobox1");
  QStringList families = QFontDatabase::families();
  std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  faces_->addItems(families);
  faces_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  faces_->setMinimumContentsLength(12);

  sizebox_ = new QComboBox(this);
  sizebox_->setObjectName("combobox2");
  for (int s : sizes) sizebox_->addItem(QString::number(s));

  colourbox_ = new tcolourcombo(this);
  colourbox_->setObjectName("combobox3");
  colourbox_->setItemDelegate(new tcolourdelegate(colourbox_));
  for (platform::colour c : colours) colourbox_->addItem(QString::number(c));
  colourbox_->setMinimumWidth(48);

  bold_ = new QToolButton(this);
  bold_->setObjectName("speedbutton1");
  bold_->setText(QStringLiteral("B"));
  bold_->setCheckable(true);
  QFont bf = bold_->font();
  bf.setBold(true);
  bold_->setFont(bf);
  italic_ = new QToolButton(this);
  italic_->setObjectName("speedbutton2");
  italic_->setText(QStringLiteral(" I "));
  italic_->setCheckable(true);
  QFont itf = italic_->font();
  itf.setItalic(true);
  italic_->setFont(itf);

  row->addWidget(new QLabel(QStringLiteral("Type"), this));
  row->addWidget(faces_, 1);
  row->addWidget(new QLabel(QString::fromUtf8("Størrelse"), this));
  row->addWidget(sizebox_);
  row->addWidget(new QLabel(QStringLiteral("Farge"), this));
  row->addWidget(colourbox_);
  row->addWidget(bold_);
  row->addWidget(italic_);

  faces_->setCurrentIndex(
      faces_->findText(platform::tounicode(start.name), Qt::MatchFixedString));
  const auto size = std::find(sizes.begin(), sizes.end(), start.size);
  if (size != sizes.end()) sizebox_->setCurrentIndex(static_cast<int>(size - sizes.begin()));
  colourbox_->setCurrentIndex(0);

  connect(faces_, &QComboBox::activated, this, [this] { combobox1change(); });
  connect(sizebox_, &QComboBox::activated, this, [this] { combobox2change(); });
  connect(colourbox_, &QComboBox::activated, this, [this] { combobox3change(); });
  connect(bold_, &QToolButton::clicked, this, [this] { speedbutton1click(); });
  connect(italic_, &QToolButton::clicked, this, [this] { speedbutton2click(); });

  setFixedSize(420, std::max(27, sizeHint().height()));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

template <typename F>
void tfontwindow::change(F&& edit) {
  tlabelmemo* memo = host_.activememo();
  if (!memo) return;
  host_.setpaintlock(true);
  platform::font f = memo->font();
  edit(f);
  memo->setfont(f);
  host_.setpaintlock(false);
}

void tfontwindow::combobox1change() {
  // With no face chosen (the font's face is not on this system) the memo
  // keeps its own.
  if (faces_->currentIndex() < 0) return;
  const std::string name = platform::tocp1252(faces_->currentText());
  change([&](platform::font& f) { f.name = name; });
}

void tfontwindow::combobox2change() {
  const int i = sizebox_->currentIndex();
  if (i < 0 || i >= static_cast<int>(sizes.size())) return;
  change([&](platform::font& f) { f.size = sizes[static_cast<size_t>(i)]; });
}

void tfontwindow::combobox3change() {
  const int i = colourbox_->currentIndex();
  if (i < 0 || i >= static_cast<int>(colours.size())) return;
  change([&](platform::font& f) { f.col = colours[static_cast<size_t>(i)]; });
}

void tfontwindow::speedbutton1click() {
  const bool down = bold_->isChecked();
  change([&](platform::font& f) { f.bold = down; });
}

void tfontwindow::speedbutton2click() {
  const bool down = italic_->isChecked();
  change([&](platform::font& f) { f.italic = down; });
}

void tfontwindow::combobox3drawitem(QPainter& painter, const QRect& rect, int index,
                                    bool selected) {
  painter.fillRect(rect, selected ? qcolour(colours[14]) : qcolour(colours[0]));
  if (index < 0 || index >= static_cast<int>(colours.size())) return;
  painter.fillRect(rect.adjusted(2, 2, -2, -2), qcolour(colours[static_cast<size_t>(index)]));
}

void tfontwindow::applyall() {
  combobox1change();
  combobox2change();
  combobox3change();
  speedbutton1click();
  speedbutton2click();
}

void tfontwindow::loadfont(const platform::font& f) {
  const QSignalBlocker b1(faces_), b2(sizebox_), b3(colourbox_), b4(bold_), b5(italic_);
  bold_->setChecked(f.bold);
  italic_->setChecked(f.italic);
  const auto colour = std::find(colours.begin(), colours.end(), f.col);
  if (colour != colours.end())
    colourbox_->setCurrentIndex(static_cast<int>(colour - colours.begin()));
  const auto size = std::find(sizes.begin(), sizes.end(), f.size);
  if (size != sizes.end()) sizebox_->setCurrentIndex(static_cast<int>(size - sizes.begin()));
  faces_->setCurrentIndex(faces_->findText(platform::tounicode(f.name), Qt::MatchFixedString));
}

void tfontwindow::closeEvent(QCloseEvent* event) {
  QDialog::closeEvent(event);
  host_.fontwindowclosed();
}
