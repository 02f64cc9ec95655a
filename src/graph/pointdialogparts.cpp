#include "graph/pointdialogparts.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QLabel* pointheading(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, QColor(0, 0, 128));
  l->setPalette(p);
  return l;
}

QFrame* sunkenpanel(QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  return panel;
}

QPushButton* addokcancel(QDialog& dialog, QVBoxLayout& top) {
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setObjectName("bitbtn1");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Avbryt"), &dialog);
  cancel->setObjectName("bitbtn2");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  top.addLayout(buttons);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  return ok;
}
