// The table of values joined to the main window: the active window's
// selected figures (or all of them), their headings and the boxes' format.
#pragma once

#include "graph/tvaluetable.h"

class tmainform;

class ttablelink : public tvaluetablehost {
 public:
  explicit ttablelink(tmainform& main) : main_(main) {}
  std::vector<tfigure*> tablefigures() override;
  std::string tableheading(tfigure& figure) override;
  std::string tableformat() override;
  platform::services& services() override;

 private:
  tmainform& main_;
};

// "&Verditabell": shows the table, started over the active window's x range
// the first time.
void valuetableclick(tmainform& main);
