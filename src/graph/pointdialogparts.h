// The parts the two "Oppgi koordinater" dialogs share: the navy heading, the
// sunken panel for the fields and the OK/"Avbryt" row.
#pragma once

#include <QString>

class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

QLabel* pointheading(const QString& text, QWidget* parent);
QFrame* sunkenpanel(QWidget* parent);
// Adds the buttons below what top holds; "Avbryt" rejects the dialog. Returns
// the default button OK, whose click the dialog connects itself.
QPushButton* addokcancel(QDialog& dialog, QVBoxLayout& top);
