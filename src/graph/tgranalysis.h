// The analysis tools joined to a graph window: what the crossing scan, the
// derivative and the tangent tools ask of the window and the main window.
#pragma once

#include <functional>

#include "figures/tanalysis.h"
#include "figures/tpointstool.h"

class tgrform;
class tgraphhost;

class tgranalysis : public tanalysishost {
 public:
  tgranalysis(tgrform& window, tgraphhost& main);

  tanalysis tools;
  tspecialtool special{*this};
  // The tangent's x dialog: true on OK with the typed x. Unset: cancelled.
  std::function<bool(double& x)> askx;

  tcoords& coordsystem() override;
  int clientwidth() const override;
  int clientheight() const override;
  platform::point clientorigin() const override;
  std::vector<tfigure*> windowfigures() const override;
  std::vector<tfigure*>& currentselection() override;
  void setcurfig(tfigure* figure) override;
  tfigure* creategraph(int family) override;
  void deletefigure(tfigure& figure) override;
  void clearselection() override;
  void resetvisi(tfigure& figure) override;
  void restoreselection() override;
  void repant() override;
  void pant() override;
  void afterp() override;
  void unlockpaint() override;
  void setbusy(bool busy) override;
  worldpoint mouseworld() const override;
  platform::point downpoint() const override;
  void setdownpoint(platform::point p) override;
  int32_t zoomdepth() const override;
  int tool() const override;
  bool buttondown() const override;
  void settoolcursor(int cursor) override;
  std::string statustext() const override;
  void setstatus(const std::string& text) override;
  std::string funcname() const override;
  void setcustomformula(const std::string& text, texpression&& expression) override;
  void zoomout() override;
  void tangentclick() override;
  bool getxcoord(double& x) override;
  platform::services& services() override;

 private:
  tgrform& window_;
  tgraphhost& main_;
};
