// The main window's commands: menu bar, the two tool-button groups, with every
// caption, short-cut, check mark, enabled state, hint and help-context number.
// The main window connects the commands to its handlers by name.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QString>
#include <QToolBar>
#include <map>
#include <string>
#include <vector>

class tcommands {
 public:
  explicit tcommands(QMainWindow& frame);

  // A menu item (or sub-menu's own action) by its name, e.g. "line1", "N211";
  // nullptr when there is none.
  QAction* item(const std::string& name) const;
  QMenu* menu(const std::string& name) const;
  // A tool button's action by the name of the command it runs ("select1" ...).
  QAction* button(const std::string& name) const;

  QToolBar* filetools() const { return filetools_; }
  QToolBar* tooltools() const { return tooltools_; }
  QMenu* windowmenu() const { return menu("window1"); }

  // Names of every item and every button, in table order.
  const std::vector<std::string>& itemnames() const { return itemorder_; }
  const std::vector<std::string>& buttonnames() const { return buttonorder_; }

  // Items whose behaviour is not in the program yet: present and kept disabled.
  static bool notyetavailable(const std::string& name);

  // Help-context number of an item, a button or the frame parts.
  static int helpcontext(const QAction* a);

 private:
  void buildmenus(QMainWindow& frame);
  void buildbuttons(QMainWindow& frame);

  std::map<std::string, QAction*> items_;
  std::map<std::string, QMenu*> menus_;
  std::map<std::string, QAction*> buttons_;
  std::vector<std::string> itemorder_;
  std::vector<std::string> buttonorder_;
  QActionGroup* toolitems_ = nullptr;
  QActionGroup* toolbuttons_ = nullptr;
  QToolBar* filetools_ = nullptr;
  QToolBar* tooltools_ = nullptr;
};
