// The fix-point coordinates dialog ("Oppgi koordinater"). Made at start-up; its
// controls and reading arrive with the fix-point tool.
#pragma once

#include <QDialog>
#include <cstdint>

class tfigure;

class tform3 : public QDialog {
 public:
  static constexpr int helpcontext = 40;
  explicit tform3(QWidget* parent);

  double x = 0;
  double y = 0;
  int32_t px = 0;
  int32_t py = 0;
  tfigure* figure = nullptr;
};
