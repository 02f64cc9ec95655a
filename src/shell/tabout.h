// The about box ("Om"): the program's name, its version, a picture and a close button.
#pragma once

#include <QDialog>

class tabout : public QDialog {
 public:
  explicit tabout(QWidget* parent);
};
