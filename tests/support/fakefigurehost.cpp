#include "fakefigurehost.h"

fakefigurehost::fakefigurehost(int w, int h) {
  width = w;
  height = h;
}

void fakefigurehost::setparamtext(int k, const std::string& text) {
  theadlesshost::setparamtext(k, text);
  calls.push_back("setparamtext " + std::to_string(k) + " " + text);
}

void fakefigurehost::changef2(tfigure&) { calls.push_back("changef2"); }

void fakefigurehost::clearselection() {
  selection.clear();
  calls.push_back("clearselection");
}

void fakefigurehost::addtoselection(tfigure& figure) {
  selection.push_back(&figure);
  calls.push_back("addtoselection");
}

void fakefigurehost::resetvisi(tfigure&) { calls.push_back("resetvisi"); }
void fakefigurehost::repant() { calls.push_back("repant"); }
void fakefigurehost::bringtofront() { calls.push_back("bringtofront"); }
