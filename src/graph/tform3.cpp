#include "graph/tform3.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

#include "figures/editnumbers.h"
#include "figures/tcoords.h"
#include "figures/tfigure.h"
#include "graph/pointdialogparts.h"
#include "platform/qt/cp1252.h"

tform3::tform3(platform::services& services, QWidget* parent)
    : QDialog(parent), services_(services) {
  setWindowTitle(QStringLiteral("Oppgi koordinater"));
  setObjectName("tform3");
  setProperty("helpcontext", helpcontext);
  setModal(true);

  auto* top = new QVBoxLayout(this);
  top->addWidget(pointheading(QStringLiteral("Oppgi 1. koordinatene for fikspunktet:"), this));
  auto* panel = sunkenpanel(this);
  auto* grid = new QGridLayout(panel);
  edit1_ = new QLineEdit(panel);
  edit1_->setObjectName("edit1");
  edit2_ = new QLineEdit(panel);
  edit2_->setObjectName("edit2");
  for (QLineEdit* e : {edit1_, edit2_}) e->setMaxLength(30);
  grid->addWidget(new QLabel(QStringLiteral("x ="), panel), 0, 0);
  grid->addWidget(edit1_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("y ="), panel), 1, 0);
  grid->addWidget(edit2_, 1, 1);
  top->addWidget(panel);

  ok_ = addokcancel(*this, *top);
  resize(241, 139);

  connect(edit1_, &QLineEdit::textChanged, this, [this] { edit1exit(); });
  connect(edit1_, &QLineEdit::editingFinished, this, [this] { edit1exit(); });
  connect(ok_, &QPushButton::clicked, this, [this] { bitbtn1click(); });
}

std::string tform3::formatf(double v, char decimalseparator) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  std::string s = buf;
  for (char& c : s)
    if (c == '.') c = decimalseparator;
  return s;
}

std::optional<double> tform3::read(QLineEdit* edit, bool report) {
  const std::string text = platform::tocp1252(edit->text());
  const std::optional<float> v = typedfloat(text, services_.decimalseparator());
  if (v && std::isfinite(*v)) return static_cast<double>(*v);
  if (report) {
    services_.messagebox(notanumbermessage(text), "", platform::msgkind::error,
                         platform::msgbuttons::ok);
    edit->setFocus();
    edit->selectAll();
  }
  return std::nullopt;
}

void tform3::edit1exit() {
  if (figure == nullptr) return;
  // Half-typed text ("-", "2,") follows as far as it reads; text that is no
  // number leaves the y box as it is and is reported on OK.
  const std::optional<double> v = read(edit1_, false);
  if (!v) return;
  x = *v;
  y = figure->value(x);
  // Where the curve is undefined there is no y to show.
  edit2_->setText(std::isfinite(y) ? platform::tounicode(formatf(y, services_.decimalseparator()))
                                   : QString());
}

bool tform3::bitbtn1click() {
  const std::optional<double> vx = read(edit1_, true);
  if (!vx) return false;
  const std::optional<double> vy = read(edit2_, true);
  if (!vy) return false;
  x = *vx;
  y = *vy;
  if (figure != nullptr && figure->coords != nullptr) {
    const platform::point p = figure->coords->worldtopixel(x, y);
    px = p.x;
    py = p.y;
    if (!figure->hittest(px, py)) {
      services_.messagebox(outside, "", platform::msgkind::warning, platform::msgbuttons::yes);
      return false;
    }
  }
  accept();
  return true;
}

void tform3::load(tfigure& f, double fx, double fy) {
  figure = nullptr;
  const char sep = services_.decimalseparator();
  edit1_->setText(platform::tounicode(formatf(fx, sep)));
  edit2_->setText(platform::tounicode(formatf(fy, sep)));
  figure = &f;
  x = fx;
  y = fy;
  edit1_->setFocus();
  edit1_->selectAll();
}

bool tform3::ask(tfigure& f, double& fx, double& fy) {
  load(f, fx, fy);
  const bool ok = exec() == QDialog::Accepted;
  // The figure may go before the next use; the dialog holds no link to it.
  figure = nullptr;
  if (!ok) return false;
  fx = x;
  fy = y;
  return true;
}
