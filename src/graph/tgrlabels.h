// A graph window's text labels joined to the window and the main window: the
// label steps reach the window's image, memo, paint lock and press point, the
// font window and the tool commands through it, and the figure clipboard
// reaches the window's selection, labels and figures.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "graph/tclipbrd.h"
#include "graph/tlabeltool.h"

class tgrform;
class tgraphhost;
class tmemoedit;

class tgrlabels : public tlabelhost, public tclipwindow {
 public:
  tgrlabels(tgrform& window, tgraphhost& main);
  ~tgrlabels() override;
  tgrlabels(const tgrlabels&) = delete;
  tgrlabels& operator=(const tgrlabels&) = delete;

  tlabeltool& tool() { return *tool_; }
  tmemoedit& memoedit() { return *memo_; }

  // --- tlabelowner
  tcoords& labelcoords() override;
  platform::surface* labelscreen() override;
  int labelclientwidth() const override;
  int labelclientheight() const override;
  platform::imagefactory& labelimages() override;
  void labelshown() override;

  // --- tlabelhost
  tlabelmemo& memo() override;
  tlabelfonts& fontwindow() override;
  bool paintlocked() const override;
  void setpaintlock(bool on) override;
  platform::point down() const override;
  void setdown(platform::point p) override;
  bool hasfigures() const override;
  void pant() override;
  void enablecutcopy(bool on) override;
  void editingended() override;
  void selecttool() override;
  void texttool() override;
  void clearhint() override;
  void focuswindow() override;
  std::string primaryformula() override;

  // --- tclipwindow
  tlabeltool& labeltool() override { return *tool_; }
  std::vector<tfigure*> selectedfigures() override;
  void deletefigure(tfigure& figure) override;
  void clearselection() override;
  void selectfirst() override;
  tfigure* creategraph(int family) override;
  void repant() override;

 private:
  tgrform& window_;
  tgraphhost& main_;
  std::unique_ptr<tmemoedit> memo_;
  std::unique_ptr<tlabeltool> tool_;
};
