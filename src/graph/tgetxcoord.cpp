#include "graph/tgetxcoord.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "figures/editnumbers.h"
#include "graph/pointdialogparts.h"
#include "platform/qt/cp1252.h"

tgetxcoord::tgetxcoord(platform::services& services, QWidget* parent)
    : QDialog(parent), services_(services) {
  setWindowTitle(QStringLiteral("Oppgi koordinater"));
  setObjectName("tgetxcoord");
  setProperty("helpcontext", helpcontext);
  setModal(true);
  // A plain dialog frame: a title, no system buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  auto* top = new QVBoxLayout(this);
  top->addWidget(pointheading(QStringLiteral("Oppgi 1. koordinat til tangenten:"), this));
  auto* panel = sunkenpanel(this);
  auto* row = new QHBoxLayout(panel);
  row->addWidget(new QLabel(QStringLiteral("x ="), panel));
  edit1_ = new QLineEdit(panel);
  edit1_->setObjectName("edit1");
  edit1_->setMaxLength(30);
  row->addWidget(edit1_, 1);
  top->addWidget(panel);

  ok_ = addokcancel(*this, *top);
  resize(270, 104);

  connect(ok_, &QPushButton::clicked, this, [this] { bitbtn1click(); });
}

void tgetxcoord::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) formshow();
}

void tgetxcoord::formshow() {
  edit1_->setFocus();
  edit1_->selectAll();
}

bool tgetxcoord::bitbtn1click() {
  const std::string text = platform::tocp1252(edit1_->text());
  const std::optional<float> v = typedfloat(text, services_.decimalseparator());
  if (!v || !std::isfinite(*v)) {
    services_.messagebox(notanumbermessage(text), "", platform::msgkind::error,
                         platform::msgbuttons::ok);
    edit1_->setFocus();
    edit1_->selectAll();
    return false;
  }
  x = static_cast<double>(*v);
  accept();
  return true;
}

bool tgetxcoord::ask(double& typed) {
  if (exec() != QDialog::Accepted) return false;
  typed = x;
  return true;
}
