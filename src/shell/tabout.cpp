#include "shell/tabout.h"

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
  picture->setPixmap(QPixmap(QStringLiteral(":/cursors/zoom.xpm")).scaled(48, 48));
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
