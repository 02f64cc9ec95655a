// F1 anywhere in the program opens the help topic of what the user is at:
// the highlighted menu item (or the open menu), else the nearest widget with a
// help-context number, starting from a tool bar or status line under the
// pointer or from the widget with the keyboard focus. Widgets and menu actions
// carry their number in the dynamic property "helpcontext".
#pragma once

#include <QObject>

class QWidget;

namespace platform {

class services;

class thelpkey : public QObject {
  Q_OBJECT

 public:
  // Installs itself on the application; removed again when destroyed.
  explicit thelpkey(services& help, QObject* parent = nullptr);
  ~thelpkey() override;

  // The help-context number for an F1 press now; 0 when nothing has one.
  static int currentcontext();
  // The number of w or of its nearest ancestor that has one; 0 when none has.
  static int contextof(const QWidget* w);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  services& help_;
};

}  // namespace platform
