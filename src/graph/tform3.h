// The fix-point coordinates dialog ("Oppgi koordinater"), opened by a right
// click with the fix-point tool. The y box follows the curve while x is typed;
// OK refuses a point that the curve does not pass through. Made once at
// start-up and reused; the boxes keep their texts between uses.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/services.h"

class tfigure;
class QLineEdit;
class QPushButton;

class tform3 : public QDialog {
  Q_OBJECT

 public:
  static constexpr int helpcontext = 40;
  static constexpr const char* outside = "Punktet ligger utenfor dette koordinatsystemet.";

  tform3(platform::services& services, QWidget* parent);

  double x = 0;
  double y = 0;
  int32_t px = 0;
  int32_t py = 0;
  tfigure* figure = nullptr;  // the curve whose fix point is edited

  // x typed or left: the y box shows the curve's value there.
  void edit1exit();
  // OK: true when the point was taken and the dialog closed.
  bool bitbtn1click();
  // Fills the boxes with the point for the figure (without following the
  // curve while filling), then sets the figure.
  void load(tfigure& f, double fx, double fy);
  // load, then modal; true on OK with the new point in fx, fy.
  bool ask(tfigure& f, double& fx, double& fy);

  QLineEdit* edit1() const { return edit1_; }
  QLineEdit* edit2() const { return edit2_; }
  QPushButton* okbutton() const { return ok_; }

  // Format "%f": two decimals with the given decimal separator.
  static std::string formatf(double v, char decimalseparator);

 private:
  std::optional<double> read(QLineEdit* edit, bool report);

  platform::services& services_;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QPushButton* ok_ = nullptr;
};
