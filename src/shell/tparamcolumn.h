// The widgets of one parameter box in the function panel: the column header,
// the up button, the scale box showing the tape with its pointer mark, the
// down button and the edit field. They only report mouse and typing to the
// panel, naming the control as the box knows it ("up1", "scale1", ...), and
// show what the box holds.
#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <string>

#include "shell/tmanbox.h"

class QLabel;
class QLineEdit;
class QToolButton;

class tparamcolumn : public QWidget {
 public:
  // Wide enough for the edit field to show "-100,00" whole.
  static constexpr int columnwidth = 56;
  static constexpr int columnheight = 190;

  tparamcolumn(tmanbox& box, char letter, QWidget* parent = nullptr);

  // A mouse button went down on a button or the scale box (row: pixel row on
  // the scale box), the mouse moved with the left button held over the scale
  // box, or the button went up.
  std::function<void(const std::string& control, int row)> mousedown;
  std::function<void(const std::string& control, int row)> mousemove;
  std::function<void()> mouseup;
  // The user changed the field's text; the typed entry ended (Enter, an
  // up or down arrow key, or the field lost the focus), once per entry.
  std::function<void(tmanbox&)> typed;
  std::function<void(tmanbox&)> ended;

  // Shows the box: edit text, the state's enabling and text colour (the
  // error colour while the text is no number), the tape.
  void refresh();
  // Ends a typed entry that has not ended yet.
  void endentry();
  // Typed into, and the entry not yet ended.
  bool entering() const { return pending_; }
  // The field's background while its text is no number.
  static QColor errorcolour() { return QColor(255, 192, 192); }
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
  bool pending_ = false;  // typed into since the last end of an entry
};
