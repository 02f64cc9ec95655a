// The client area of a graph window: shows the window's drawing image and
// hands mouse and key events to the window's handlers.
#pragma once

#include <QWidget>

class tgrform;

class tgrcanvas : public QWidget {
 public:
  explicit tgrcanvas(tgrform& owner);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  tgrform& owner_;
};
