#include "shell/tabout.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TARNELO_VERSION
#define TARNELO_VERSION "0.1.0"
#endif

tabout::tabout(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Om"));
  auto* layout = new QVBoxLayout(this);
  auto* picture = new QLabel(this);
  picture->setObjectName("programicon");
  picture->setPixmap(QIcon(QStringLiteral(":/icons/no.tarnelo.Tarnelo.svg")).pixmap(64, 64));
  picture->setAlignment(Qt::AlignCenter);
  layout->addWidget(picture);
  auto* name = new QLabel(QStringLiteral("<b>Tarnelo</b>"), this);
  name->setAlignment(Qt::AlignCenter);
  layout->addWidget(name);
  auto* version =
      new QLabel(QStringLiteral("Versjon %1").arg(QStringLiteral(TARNELO_VERSION)), this);
  version->setAlignment(Qt::AlignCenter);
  layout->addWidget(version);
  auto* close = new QPushButton(QStringLiteral("OK"), this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(close);
}
