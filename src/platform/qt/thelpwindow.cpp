#include "platform/qt/thelpwindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/qt/thelptopics.h"

namespace platform {

namespace {

constexpr int filerole = Qt::UserRole;

}  // namespace

thelpwindow::thelpwindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("Hjelp for Tarnelo"));
  setObjectName(QStringLiteral("helpwindow"));
  resize(820, 600);
  // The program ends with its main window: help open beside it must neither
  // keep the program running nor stay behind on the screen.
  setAttribute(Qt::WA_QuitOnClose, false);
  connect(qApp, &QGuiApplication::lastWindowClosed, this, &QWidget::close);

  contents_ = new QPushButton(QStringLiteral("Innhold"), this);
  back_ = new QPushButton(QStringLiteral("Tilbake"), this);
  forward_ = new QPushButton(QStringLiteral("Frem"), this);
  howto_ = new QPushButton(QStringLiteral("Hvordan bruke hjelp"), this);
  back_->setEnabled(false);
  forward_->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents_);
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addWidget(howto_);
  buttons->addStretch(1);

  auto* side = new QWidget(this);
  auto* sidelayout = new QVBoxLayout(side);
  sidelayout->setContentsMargins(0, 0, 0, 0);
  auto* searchlabel = new QLabel(QStringLiteral("&Søk etter ord:"), side);
  search_ = new QLineEdit(side);
  search_->setClearButtonEnabled(true);
  searchlabel->setBuddy(search_);
  list_ = new QListWidget(side);
  sidelayout->addWidget(searchlabel);
  sidelayout->addWidget(search_);
  sidelayout->addWidget(new QLabel(QStringLiteral("Emner:"), side));
  sidelayout->addWidget(list_, 1);

  browser_ = new QTextBrowser(this);
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);

  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(side);
  split->addWidget(browser_);
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  split->setSizes({240, 580});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(split, 1);

  connect(contents_, &QPushButton::clicked, this, [this] { open(thelptopics::contentsurl()); });
  connect(howto_, &QPushButton::clicked, this, [this] { open(thelptopics::howtouseurl()); });
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  connect(search_, &QLineEdit::textChanged, this, &thelpwindow::filllist);
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    if (list_->count() > 0) listactivated(list_->item(0));
  });
  connect(list_, &QListWidget::itemActivated, this, &thelpwindow::listactivated);
  connect(list_, &QListWidget::itemClicked, this, &thelpwindow::listactivated);

  filllist({});
  open(thelptopics::contentsurl());
}

thelpwindow::~thelpwindow() = default;

void thelpwindow::showtopic(int context) {
  open(thelptopics::url(context));
  bringup();
}

void thelpwindow::showcontents() {
  open(thelptopics::contentsurl());
  bringup();
}

void thelpwindow::showsearch(const QString& key) {
  search_->setText(key);
  filllist(key);  // also when the text was already there
  bringup();
  search_->setFocus();
  search_->selectAll();
}

void thelpwindow::showhowtouse() {
  open(thelptopics::howtouseurl());
  bringup();
}

QUrl thelpwindow::currentpage() const {
  return browser_->source();
}

QStringList thelpwindow::listedtitles() const {
  QStringList out;
  for (int i = 0; i < list_->count(); ++i) out.append(list_->item(i)->text());
  return out;
}

void thelpwindow::open(const QUrl& page) {
  if (browser_->source() != page) browser_->setSource(page);
}

void thelpwindow::bringup() {
  // A window opened while a modal dialog runs gets no input unless it is
  // modal itself; the modality can only change while the window is hidden.
  QWidget* modal = QApplication::activeModalWidget();
  const bool needmodal = modal != nullptr && modal != this;
  const Qt::WindowModality want = needmodal ? Qt::ApplicationModal : Qt::NonModal;
  if (windowModality() != want) {
    if (isVisible()) hide();
    setWindowModality(want);
  }
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void thelpwindow::filllist(const QString& words) {
  list_->clear();
  if (words.trimmed().isEmpty()) {
    for (const auto& p : thelptopics::pages().subspan(1)) {
      additem(QString::fromUtf8(p.title), QString::fromLatin1(p.file));
    }
    return;
  }
  const auto found = thelptopics::search(words);
  if (found.empty()) {
    additem(QStringLiteral("Fant ingen emner med disse ordene."), {});
    list_->item(0)->setFlags(Qt::NoItemFlags);
    return;
  }
  for (const thelppage* p : found) {
    additem(QString::fromUtf8(p->title), QString::fromLatin1(p->file));
  }
}

void thelpwindow::additem(const QString& title, const QString& file) {
  list_->addItem(title);
  list_->item(list_->count() - 1)->setData(filerole, file);
}

void thelpwindow::listactivated(QListWidgetItem* item) {
  if (!item) return;
  const thelppage* p = thelptopics::findfile(item->data(filerole).toString());
  if (p) open(thelptopics::url(*p));
}

}  // namespace platform
