// The tangent x-coordinate dialog ("Oppgi koordinater"). Made at start-up; its
// controls and reading arrive with the tangent tool.
#pragma once

#include <QDialog>

class tgetxcoord : public QDialog {
 public:
  static constexpr int helpcontext = 43;
  explicit tgetxcoord(QWidget* parent);

  double x = 0;
};
