#include "dialogs/tsynt.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/tformulaview.h"
#include "expr/funcnames.h"
#include "expr/parseexpr.h"
#include "platform/qt/cp1252.h"

namespace {

const char* const asktext = "Oppgi egendefinert funksjon:";
const char* const errortitle = "Syntaksfeil";
const char* const oktext = "Syntaks er OK";

}  // namespace

tsynt::tsynt(QWidget* parent, std::function<void(const std::string&)> status)
    : QDialog(parent), status_(std::move(status)) {
  setWindowTitle(QStringLiteral("Egendefinert funksjon"));
  setProperty("helpcontext", helpcontext);
  setModal(true);
  setFixedSize(430, 250);

  label2_ = new QLabel(QString::fromUtf8(asktext), this);
  label2_->setObjectName("Label2");
  label2_->setGeometry(12, 10, 300, 18);
  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label1_->setGeometry(4, 32, 56, 24);
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName("Edit1");
  edit1_->setGeometry(64, 32, 354, 24);
  // Only the first 80 characters are kept: the field shows the limit while
  // the user types, rather than cutting the formula after the check.
  edit1_->setMaxLength(static_cast<int>(maxformula));
  edit1_->installEventFilter(this);
  // The error view lies exactly over the formula field.
  paintbox1_ = new tformulaview(this, false);
  paintbox1_->setObjectName("PaintBox1");
  paintbox1_->setGeometry(edit1_->geometry());
  paintbox1_->setcentred(true);
  paintbox1_->setFocusPolicy(Qt::StrongFocus);
  paintbox1_->hide();
  paintbox1_->clicked = [this] { paintbox1click(); };

  auto* group = new QGroupBox(QStringLiteral("Funksjoner"), this);
  group->setGeometry(8, 64, 414, 136);
  for (int n = 1; n <= buttoncount; ++n) {
    auto* b = new QPushButton(QString::fromStdString(buttoncaption(n)), group);
    b->setObjectName(QStringLiteral("Button%1").arg(n));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    const int row = (n - 1) / 6;
    const int col = (n - 1) % 6;
    b->setGeometry(8 + col * 67, 22 + row * 36, 62, 28);
    connect(b, &QPushButton::clicked, this, [this, n] { functionclick(n); });
    buttons_[static_cast<size_t>(n - 1)] = b;
  }

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName("BitBtn1");
  ok_->setDefault(true);
  ok_->setGeometry(236, 212, 88, 28);
  connect(ok_, &QPushButton::clicked, this, [this] { okclick(); });
  cancel_ = new QPushButton(QStringLiteral("Avbryt"), this);
  cancel_->setObjectName("BitBtn2");
  cancel_->setAutoDefault(false);
  cancel_->setGeometry(332, 212, 88, 28);
  connect(cancel_, &QPushButton::clicked, this, [this] { cancelclick(); });
}

tsynt::~tsynt() = default;

void tsynt::setexpression(std::unique_ptr<texpression> expression) {
  expression_ = std::move(expression);
}

std::unique_ptr<texpression> tsynt::takeexpression() {
  return std::move(expression_);
}

std::string tsynt::buttoncaption(int n) {
  if (n < 1 || n > buttoncount) return {};
  if (n == 18) return "Tan/Tg";
  std::string c = funcnames()[static_cast<size_t>(n)];
  c[0] = static_cast<char>(c[0] - 'a' + 'A');
  return c;
}

std::string tsynt::errortext(const std::string& text, const std::string& errmark) {
  std::string markup;
  for (size_t i = 0; i < text.size() && markup.size() < maxformula; ++i) {
    markup += i < errmark.size() && errmark[i] == 'f' ? "\\f" : "\\n";
    markup += text[i];
  }
  markup.resize(maxformula, ' ');
  return markup;
}

void tsynt::formshow(const std::string& prefix) {
  label1_->setText(platform::tounicode(prefix));
  // Each opening starts clean: nothing of the last formula or its error.
  label2_->setText(QString::fromUtf8(asktext));
  errormarkup_.clear();
  formulatext_.clear();
  edit1_->clear();
  showerror(false);
}

void tsynt::functionclick(int n) {
  if (n < 1 || n > buttoncount) return;
  if (errorshown()) showerror(false);
  const QString name = QString::fromStdString(funcnames()[static_cast<size_t>(n)]) + "()";
  edit1_->insert(name);  // replaces a selection
  edit1_->setFocus();
  edit1_->setCursorPosition(edit1_->cursorPosition() - 1);
}

void tsynt::edit1enter() {
  ok_->setEnabled(true);
}

void tsynt::okclick() {
  if (checking_ || !expression_) return;
  const std::string text = edittext();
  if (text.empty()) return;
  checking_ = true;
  formulatext_ = text.substr(0, maxformula);
  parseexpr(*expression_, formulatext_);
  if (expression_->errcode != 0) {
    label2_->setText(QString::fromUtf8(errortitle));
    errormarkup_ = errortext(expression_->text, expression_->errmark);
    // The faulty expression is of no further use; the next check starts from
    // an empty one.
    expression_ = std::make_unique<texpression>();
    showerror(true);
    ok_->setEnabled(false);
    if (status_) status_(errortitle);
    checking_ = false;
    return;
  }
  if (status_) status_(oktext);
  ok_->setEnabled(true);
  checking_ = false;
  accept();
}

void tsynt::cancelclick() {
  expression_.reset();
  QDialog::reject();
}

void tsynt::reject() {
  cancelclick();
}

void tsynt::paintbox1click() {
  showerror(false);
}

void tsynt::showerror(bool on) {
  if (on) {
    paintbox1_->setformula(errormarkup_, platform::black);
    edit1_->hide();
    paintbox1_->show();
    paintbox1_->setFocus();
  } else {
    paintbox1_->hide();
    edit1_->show();
    edit1_->setFocus();
    edit1enter();
  }
}

bool tsynt::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit1_ && event->type() == QEvent::FocusIn) edit1enter();
  return QDialog::eventFilter(watched, event);
}

std::string tsynt::edittext() const {
  return platform::tocp1252(edit1_->text());
}

void tsynt::setedittext(const std::string& text) {
  edit1_->setText(platform::tounicode(text));
}

int tsynt::caret() const {
  return edit1_->cursorPosition();
}

void tsynt::setcaret(int position) {
  edit1_->setCursorPosition(position);
}

std::string tsynt::label1text() const {
  return platform::tocp1252(label1_->text());
}

std::string tsynt::label2text() const {
  return platform::tocp1252(label2_->text());
}

bool tsynt::okenabled() const {
  return ok_->isEnabled();
}

bool tsynt::errorshown() const {
  return !paintbox1_->isHidden();
}
