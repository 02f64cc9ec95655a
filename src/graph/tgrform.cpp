#include "graph/tgrform.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <algorithm>

#include "figures/makefigure.h"
#include "figures/tcustom.h"
#include "graph/tform3.h"
#include "graph/tgetxcoord.h"
#include "graph/tgranalysis.h"
#include "graph/tgraphhost.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrlabels.h"
#include "platform/qt/qtimage.h"
#include "settings/toptions.h"

int32_t tgrform::windowcounter = 0;

namespace {

constexpr int helpcontext = 67;

platform::font labelfont(platform::colour c) {
  platform::font f;
  f.name = "DejaVu Sans";
  f.size = 8;
  f.col = c;
  return f;
}

}  // namespace

tgrform::tgrform(tgraphhost& main) : main_(main) {
  setAttribute(Qt::WA_DeleteOnClose);
  setProperty("helpcontext", helpcontext);
  canvas_ = new tgrcanvas(*this);
  setWidget(canvas_);
  main_.mdi().addSubWindow(this);
  for (labelslot& l : labels_) l.text = " ";

  const tframemeasures m = main_.measures();
  setGeometry(m.panelleft + m.panelwidth + 1, 0, m.clientwidth - m.panelwidth - 5,
              m.clientheight - m.statusheight);

  figcount = 0;
  firstfig = lastfig = main_.hasfunc() ? static_cast<int32_t>(main_.func().figurelist().size()) : 0;

  windowcounter += 1;
  number = static_cast<int32_t>(main_.windowlist.size()) + 1;
  setWindowTitle(QStringLiteral("Vindu %1").arg(windowcounter));
  main_.windowlist.push_back(this);

  coords.create(*this, main_.images());
  setupfromoptions();
  textlabels_ = std::make_unique<tgrlabels>(*this, main_);
  analysis = std::make_unique<tgranalysis>(*this, main_);
  // The two point dialogs are made once by the frame and shared by all windows.
  analysis->askx = [this](double& x) {
    auto* d = main_.frame().findChild<tgetxcoord*>(QString(), Qt::FindDirectChildrenOnly);
    return d != nullptr && d->ask(x);
  };
  askfixcoords = [this](tfigure& f, double& x, double& y) {
    auto* d = main_.frame().findChild<tform3*>(QString(), Qt::FindDirectChildrenOnly);
    return d != nullptr && d->ask(f, x, y);
  };

  if (!main_.busy && main_.hasfunc()) {
    const int fam = main_.func().selectedfamily();
    if (fam >= 0 && fam < family::count) creategraph(fam);
  }
  paintlock = false;
  show();
}

tgrform::~tgrform() {
  destroying_ = true;
  // A window closed in the middle of a drag gives the pointer back.
  setscreencursor(0);
  textlabels_.reset();
  coords.destroy();
}

void tgrform::setupfromoptions() {
  toptions& o = main_.options();
  // The first set-up is no zoom step, whatever tool is current: a zoom-in
  // tool would keep the empty rectangle before it for the zoom-out to return to.
  const uint8_t tool = main_.tool;
  main_.tool = toolcode::select;
  // A window the coordinate system refuses (typed into the options beyond its
  // bounds) would leave the new window without a range: it gets the default one.
  if (!coords.setup(0, 0, clientwidth(), clientheight(), o.minx(), o.maxx(), o.miny(), o.maxy()))
    coords.setup(0, 0, clientwidth(), clientheight(), -10, 10, -10, 10);
  main_.tool = tool;
}

std::vector<tfigure*> tgrform::figures() const {
  std::vector<tfigure*> result;
  if (!main_.hasfunc() || closing()) return result;
  auto& list = main_.func().figurelist();
  const int32_t end = std::min<int32_t>(lastfig, static_cast<int32_t>(list.size()));
  for (int32_t i = std::max(firstfig, 0); i < end; ++i)
    result.push_back(list[static_cast<size_t>(i)].get());
  return result;
}

tfigure* tgrform::creategraph(int fam) {
  main_.modified = 1;
  std::unique_ptr<tfigure> figure = makefigure(fam, coords, *this);
  if (!figure) return nullptr;
  if (fam == family::custom) {
    auto* custom = static_cast<tcustom*>(figure.get());
    custom->setformula(main_.customexpression);
  }
  figure->reset();
  figure->selected = true;
  figure->kind = static_cast<uint8_t>(fam);
  tfigure* f = figure.get();
  clearselection();
  selection.push_back(f);
  resetvisi(*f);
  main_.func().addfig(std::move(figure), *this);
  figcount += 1;
  return f;
}

void tgrform::pant() {
  if (paintlock) return;
  if (selection.size() == 1 && selection[0]->updating) return;
  if (!coords.image) return;
  const int w = std::max(coords.pixwidth, 1);
  const int h = std::max(coords.pixheight, 1);
  // On a HiDPI screen the picture holds the screen's finer pixels; every
  // position stays in the window's own pixels.
  if (auto* q = dynamic_cast<platform::qtimage*>(coords.image.get()))
    q->setratio(canvas_->devicePixelRatioF());
  if (coords.image->height() != h || coords.image->width() != w) coords.image->resize(w, h);
  coords.drawbackground();
  coords.drawaxes();
  if (firstfig != lastfig) {
    for (tfigure* f : figures()) {
      f->calculate();
      f->draw();
    }
  }
  drawselection();
  drawspecialpoints();
  showimage();
}

void tgrform::repant() {
  if (!coords.image) return;
  const std::vector<tfigure*> figs = figures();
  for (tfigure* f : figs)
    if (f->selected) f->calculate();
  coords.drawbackground();
  for (tfigure* f : figs) f->draw();
  coords.drawaxes();
  drawselection();
  drawspecialpoints();
  showimage();
  if (main_.tool == toolcode::intersection) intersect();
}

void tgrform::redrawtoolmarks() {
  if (main_.tool == toolcode::intersection) intersect();
  if (main_.tool == toolcode::special && analysis && analysis->special.figure) {
    drawspecialpoints();
    showimage();
  }
}

bool tgrform::clearspecialpoints() {
  if (!analysis || !analysis->special.figure) return false;
  analysis->special.clear();
  return true;
}

void tgrform::drawspecialpoints() {
  // Found again at every repaint, so the marks follow zooms, drags and typed
  // values.
  if (main_.tool != toolcode::special || !analysis || !analysis->special.figure) return;
  analysis->special.update();
  analysis->special.draw();
}

void tgrform::drawselection() {
  if (selection.size() != 1) {
    for (tfigure* f : figures())
      if (f->selected) f->draw();
    return;
  }
  tfigure& f = *selection[0];
  f.draw();
  resetvisi(f);
  if (!f.fixmode) f.initfixpoints();
  if (main_.tool == toolcode::fixpoint || main_.tool == toolcode::rotate) f.drawfixpoints();
}

void tgrform::showimage() {
  canvas_->update();
  main_.figureschanged();
}

void tgrform::clearselection() {
  for (tfigure* f : selection) f->selected = false;
  selection.clear();
}

void tgrform::resetvisi(tfigure& figure) {
  visimask = 0;
  if (figure.frozen) return;
  for (int i = 1; i <= std::min(figure.paramcount, 5); ++i) {
    int k = i;
    if (figure.kind == family::custom) {
      // A user formula's i-th letter decides which of a..e it is.
      k = 0;
      if (static_cast<size_t>(i - 1) < figure.paramletters.size()) {
        const char c = figure.paramletters[static_cast<size_t>(i - 1)];
        for (int j = 1; j <= 5; ++j)
          if (main_.func().letter(j) == c) k = j;
      }
      if (k == 0) continue;
    }
    visimask |= static_cast<uint8_t>(1u << k);
    visivalues[static_cast<size_t>(k)] = figure.param[static_cast<size_t>(i)];
  }
}

void tgrform::restoreselection() {
  if (selection.empty()) return;
  tfigure& primary = *selection[0];
  resetvisi(primary);
  for (size_t s = 1; s < selection.size(); ++s) {
    tfigure& f = *selection[s];
    if (f.frozen) {
      visimask = 0;
      return;
    }
    for (int i = 1; i <= std::min(primary.paramcount, 5); ++i) {
      if (i > f.paramcount || f.param[static_cast<size_t>(i)] != visivalues[static_cast<size_t>(i)])
        visimask &= static_cast<uint8_t>(~(1u << i));
    }
  }
  int common = primary.kind;
  for (tfigure* f : selection)
    if (f->kind != primary.kind) common = tgraphpanel::allfamilies;
  main_.func().selectfamily(common);
}

void tgrform::afterp() {
  if (!selection.empty()) {
    const tfigure& f = *selection.back();
    std::array<uint8_t, 5> states{};
    for (int i = 1; i <= 5; ++i) {
      const size_t u = static_cast<size_t>(i);
      if (!hasvisi(i)) {
        states[u - 1] = tgraphpanel::barhidden;
        visivalues[u] = 100000.0;
      } else {
        states[u - 1] = (main_.tool == toolcode::fixpoint || main_.tool == toolcode::rotate)
                            ? tgraphpanel::bardisabled
                            : tgraphpanel::barnormal;
        visivalues[u] = f.param[u];
      }
    }
    main_.func().hidebars(states);
  }
  if (main_.activewindow && main_.activewindow->isVisible())
    main_.activewindow->canvas().setFocus();
}

void tgrform::intersect() {
  if (!analysis) return;
  analysis->tools.intersect();
  if (!coords.image) return;
  for (const tcrossing& c : analysis->tools.crossings)
    drawpointmark(coords.image->canvas(), coords.worldtopixel(c.x, c.y));
  canvas_->update();
}

void tgrform::hidememo() {
  if (textlabels_) textlabels_->tool().hidememo();
}

void tgrform::formactivate() {
  if (paintlock) return;
  main_.panelactive = 0;
  if (destroying_ || closing()) return;
  if (textlabels_) main_.clipboard().activated(*textlabels_);
  main_.enablecutcopy(firstfig != lastfig);
  tgrform* before = main_.activewindow;
  // This window becomes the active one before the other repaints, so that the
  // other's curves lose their active colours.
  main_.activewindow = this;
  if (before && before != this &&
      std::find(main_.windowlist.begin(), main_.windowlist.end(), before) != main_.windowlist.end())
    before->formdeactivate();
  if (!selection.empty()) main_.func().changef2(*selection[0]);
  if (firstfig == lastfig) main_.func().resetfamilies();
  downx = 0;
  downy = 0;
  refreshselection();
}

void tgrform::formdeactivate() {
  const auto& list = main_.windowlist;
  if (std::find(list.begin(), list.end(), this) == list.end()) return;
  if (main_.terminating || !main_.activewindow) return;
  repant();
}

void tgrform::formresize() {
  if (!main_.activewindow || closing()) return;
  // A new size is no zoom step, whatever tool is current.
  const uint8_t tool = main_.tool;
  main_.tool = toolcode::select;
  coords.setup(0, 0, clientwidth(), clientheight(), coords.minx, coords.maxx, coords.miny,
               coords.maxy);
  main_.tool = tool;
  pant();
}

bool tgrform::formclose() {
  auto& list = main_.windowlist;
  if (list.size() == 1 && list[0] == this && !main_.busy) return false;
  if (closing()) return true;
  if (textlabels_) {
    // An open label keeps what was typed, and nothing held goes back here.
    textlabels_->tool().hidememo();
    main_.clipboard().windowclosed(*textlabels_);
  }
  clearselection();
  curfig = nullptr;
  if (main_.hasfunc()) {
    tgraphpanel& func = main_.func();
    const int32_t n = lastfig - firstfig;
    for (int32_t i = 0;
         i < n && firstfig >= 0 && firstfig < static_cast<int32_t>(func.figurelist().size()); ++i) {
      std::unique_ptr<tfigure> gone =
          func.deletefig(*func.figurelist()[static_cast<size_t>(firstfig)]);
    }
  }
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (main_.activewindow == this) main_.activewindow = list.empty() ? nullptr : list.front();
  firstfig = lastfig = -1;
  if (!list.empty() && main_.hasfunc()) main_.func().selectfamily(tgraphpanel::allfamilies);
  main_.updateclosewindowitem();
  return true;
}

void tgrform::closeEvent(QCloseEvent* event) {
  if (!formclose()) {
    event->ignore();
    return;
  }
  event->accept();
  // Closed by its own button: the window can be brought back.
  if (!main_.busy) main_.gesturedone({});
}

void tgrform::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
}

void tgrform::changeEvent(QEvent* event) {
  QMdiSubWindow::changeEvent(event);
  // A window brought back from its title bar finds its canvas at the size it
  // had, so no resize tells it; a zoom while it was down set the range up at
  // no height at all. It is set up again at the size it shows.
  if (event->type() == QEvent::WindowStateChange && !isMinimized() &&
      (coords.pixwidth != clientwidth() || coords.pixheight != clientheight()))
    formresize();
}

QString tgrform::coordtext(double x, double y, char decimalseparator) {
  QString t = QString::asprintf("x:%6.2f , y:%6.2f", x, y);
  // Only the two numbers hold a point.
  if (decimalseparator != '.') t.replace(QLatin1Char('.'), QLatin1Char(decimalseparator));
  return t;
}

// --- tcoordshost

int tgrform::clientwidth() const {
  return contentsRect().width();
}
int tgrform::clientheight() const {
  return contentsRect().height();
}
platform::colour tgrform::windowcolour() const {
  if (background) return *background;
  return main_.options().backgroundcolour();
}
int tgrform::currenttool() const {
  return main_.tool;
}
tcoordsoptions tgrform::coordsoptions() const {
  return main_.options().coordsoptions();
}

platform::point tgrform::rangelabelsize(int which, platform::surface& canvas) {
  const labelslot& l = labels_[static_cast<size_t>(std::clamp(which, 0, 3))];
  canvas.setfont(labelfont(l.colour));
  return {canvas.textwidth(l.text), canvas.textheight(l.text)};
}

void tgrform::placerangelabel(int which, int left, int top, const std::string& text,
                              platform::colour textcolour) {
  labelslot& l = labels_[static_cast<size_t>(std::clamp(which, 0, 3))];
  l.left = left;
  l.top = top;
  l.text = text;
  l.colour = textcolour;
}

void tgrform::showrangelabels(platform::surface& image) {
  const platform::brush before = image.getbrush();
  image.setbrush({windowcolour(), platform::brushstyle::solid});
  for (const labelslot& l : labels_) {
    image.setfont(labelfont(l.colour));
    image.textout(l.left, l.top, l.text);
  }
  image.setbrush(before);
}

void tgrform::placearrows(platform::point, platform::point) {}

// The labels draw into the image the surface belongs to.
void tgrform::drawtextlabels(platform::surface&) {
  if (textlabels_) textlabels_->tool().drawlabels();
}

// --- tfigurehost

float tgrform::paramvalue(int k) const {
  return main_.func().boxvalue(std::clamp(k, 1, 5));
}
float tgrform::parammin(int k) const {
  return main_.func().boxmin(std::clamp(k, 1, 5));
}
float tgrform::parammax(int k) const {
  return main_.func().boxmax(std::clamp(k, 1, 5));
}
float tgrform::paramstep(int k) const {
  return main_.options().paramconst().step[static_cast<size_t>(std::clamp(k, 1, 5) - 1)];
}
std::string tgrform::paramformat(int k) const {
  return main_.options().paramconst().format[static_cast<size_t>(std::clamp(k, 1, 5) - 1)];
}
bool tgrform::alwaysround() const {
  return main_.options().paramconst().alwaysround;
}
std::string tgrform::funcname() const {
  return main_.options().funcname();
}
char tgrform::decimalseparator() const {
  return main_.services().decimalseparator();
}
bool tgrform::windowactive() const {
  return main_.activewindow == this;
}
bool tgrform::panelapplying() const {
  return main_.panelrepaint != 0;
}

void tgrform::setparamtext(int k, const std::string& text) {
  main_.func().setparamtext(std::clamp(k, 1, 5), text);
}

void tgrform::changef2(tfigure& figure) {
  // Selecting a figure shows its values too; only new values of the same
  // figure are a change of the project.
  if (shownfigure_ == &figure && shownparams_ != figure.param) main_.modified = 1;
  shownfigure_ = &figure;
  shownparams_ = figure.param;
  main_.func().changef2(figure);
}
platform::point tgrform::lastmouse() const {
  return lastmouse_;
}
void tgrform::setlastmouse(platform::point p) {
  lastmouse_ = p;
}
void tgrform::addtoselection(tfigure& figure) {
  selection.push_back(&figure);
}

void tgrform::bringtofront() {
  raise();
  if (isVisible()) main_.mdi().setActiveSubWindow(this);
}
