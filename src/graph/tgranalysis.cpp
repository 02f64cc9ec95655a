#include "graph/tgranalysis.h"

#include "graph/tgraphhost.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrform.h"
#include "platform/qt/cp1252.h"

tgranalysis::tgranalysis(tgrform& window, tgraphhost& main)
    : tools(*this), window_(window), main_(main) {}

tcoords& tgranalysis::coordsystem() {
  return window_.coords;
}
int tgranalysis::clientwidth() const {
  return window_.clientwidth();
}
int tgranalysis::clientheight() const {
  return window_.clientheight();
}

platform::point tgranalysis::clientorigin() const {
  const QPoint o = window_.canvas().mapToGlobal(QPoint(0, 0));
  return {o.x(), o.y()};
}

std::vector<tfigure*> tgranalysis::windowfigures() const {
  return window_.figures();
}
std::vector<tfigure*>& tgranalysis::currentselection() {
  return window_.selection;
}
void tgranalysis::setcurfig(tfigure* figure) {
  window_.curfig = figure;
}
tfigure* tgranalysis::creategraph(int family) {
  return window_.creategraph(family);
}

void tgranalysis::deletefigure(tfigure& figure) {
  // The derivative curve was only offered: it goes without a trace, also
  // from the window's picture.
  main_.func().deletefig(figure);
  main_.func().refresh();
  window_.pant();
}

void tgranalysis::clearselection() {
  window_.clearselection();
}
void tgranalysis::resetvisi(tfigure& figure) {
  window_.resetvisi(figure);
}
void tgranalysis::restoreselection() {
  window_.restoreselection();
}
void tgranalysis::repant() {
  window_.repant();
}
void tgranalysis::pant() {
  window_.pant();
}
void tgranalysis::afterp() {
  window_.afterp();
}
void tgranalysis::unlockpaint() {
  window_.paintlock = false;
}
void tgranalysis::setbusy(bool busy) {
  main_.busy = busy ? 1 : 0;
}
worldpoint tgranalysis::mouseworld() const {
  return {window_.mousex, window_.mousey};
}
platform::point tgranalysis::downpoint() const {
  return {window_.downx, window_.downy};
}

void tgranalysis::setdownpoint(platform::point p) {
  window_.downx = p.x;
  window_.downy = p.y;
}

int32_t tgranalysis::zoomdepth() const {
  return window_.zoomdepth;
}
int tgranalysis::tool() const {
  return main_.tool;
}
bool tgranalysis::buttondown() const {
  return main_.buttondown != 0;
}
void tgranalysis::settoolcursor(int cursor) {
  main_.toolcursor = static_cast<int16_t>(cursor);
}
std::string tgranalysis::statustext() const {
  return platform::tocp1252(main_.paneltext(2));
}
void tgranalysis::setstatus(const std::string& text) {
  main_.setpanel(2, platform::tounicode(text));
}
std::string tgranalysis::funcname() const {
  return window_.funcname();
}

void tgranalysis::setcustomformula(const std::string& text, texpression&& expression) {
  main_.customtext = text;
  main_.customexpression = std::move(expression);
}

void tgranalysis::zoomout() {
  main_.zoomoutclick();
}
void tgranalysis::tangentclick() {
  main_.toolclick(toolcode::tangent);
}
bool tgranalysis::getxcoord(double& x) {
  return askx && askx(x);
}
platform::services& tgranalysis::services() {
  return main_.services();
}
