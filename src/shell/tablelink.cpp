#include "shell/tablelink.h"

#include "graph/tgrform.h"
#include "shell/tmainform.h"

std::vector<tfigure*> ttablelink::tablefigures() {
  tgrform* w = main_.activewindow;
  if (!w) return {};
  std::vector<tfigure*> figures = w->figures();
  if (w->selection.empty()) return figures;
  std::erase_if(figures, [](const tfigure* f) { return !f->selected; });
  return figures;
}

std::string ttablelink::tableheading(tfigure& figure) {
  const int32_t mode = figure.textmode;
  figure.textmode = 1;
  const std::string name = main_.activewindow ? main_.activewindow->funcname() : "F(x) =";
  std::string text = name.substr(0, 1) + figure.formula();
  figure.textmode = mode;
  return text;
}

std::string ttablelink::tableformat() {
  return main_.activewindow ? main_.activewindow->paramformat(1) : "%.2f";
}

platform::services& ttablelink::services() {
  return main_.services();
}

void valuetableclick(tmainform& main) {
  tvaluetable& table = main.valuetable();
  if (!table.isVisible()) {
    if (table.model().xs.empty() && main.activewindow)
      table.startwith(main.activewindow->coords.minx, main.activewindow->coords.maxx);
    else
      table.refresh();
    table.show();
  }
  table.raise();
  table.activateWindow();
}
