// A graph window for the figure tests: the plain values of theadlesshost, and
// a log of every window and panel call a figure makes, in order.
#pragma once

#include <string>
#include <vector>

#include "figures/theadlesshost.h"

class fakefigurehost : public theadlesshost {
 public:
  // Entries such as "clearselection", "addtoselection", "resetvisi", "repant",
  // "bringtofront", "changef2", "setparamtext 2 1.50".
  std::vector<std::string> calls;
  std::vector<const tfigure*> selection;

  fakefigurehost(int w = 1000, int h = 1000);

  void setparamtext(int k, const std::string& text) override;
  void changef2(tfigure& figure) override;
  void clearselection() override;
  void addtoselection(tfigure& figure) override;
  void resetvisi(tfigure& figure) override;
  void repant() override;
  void bringtofront() override;
};
