// The widgets of one parameter box in the function panel: the column header,
// the up button, the scale box showing the tape with its pointer mark, the
// down button and the edit field. They only report mouse and typing to the
// panel, naming the control as the box knows it ("up1", "scale1", ...), and
// show what the box holds.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "shell/tmanbox.h"

class QLabel;
class QLineEdit;
class QToolButton;

class tparamcolumn : public QWidget {
 public:
  static constexpr int columnwidth = 48;
  static constexpr int columnheight = 190;

  tparamcolumn(tmanbox& box, char letter, QWidget* parent = nullptr);

  // A mouse button went down on a button or the scale box (row: pixel row on
  // the scale box), the mouse moved with the left button held over the scale
  // box, or the button went up.
  std::function<void(const std::string& control, int row)> mousedown;
  std::function<void(const std::string& control, int row)> mousemove;
  std::function<void()> mouseup;
  // The user changed the field's text, or left the field.
  std::function<void(tmanbox&)> typed;
  std::function<void(tmanbox&)> left;

  // Shows the box: edit text, the state's enabling and text colour, the tape.
  void refresh();
  void setletter(char letter);
  QString header() const;
  QLineEdit& edit() { return *edit_; }
  QWidget& scaleview() { return *scale_; }
  tmanbox& box() { return box_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  tmanbox& box_;
  QLabel* header_ = nullptr;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
  QWidget* scale_ = nullptr;
  QWidget* pointer_ = nullptr;
  QLineEdit* edit_ = nullptr;
};
