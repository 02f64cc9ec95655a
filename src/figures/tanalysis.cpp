#include "figures/tanalysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "expr/evalexpr.h"
#include "figures/curvepoints.h"

namespace {

int sign(double v) {
  return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

}  // namespace

std::string analysistext::crossingcount(int count) {
  return "Antall skj\xE6ringer: " + std::to_string(count);
}

bool crosses(double a0, double a1, double b0, double b1) {
  if (std::min(a0, a1) > std::max(b0, b1)) return false;
  if (std::min(b0, b1) > std::max(a0, a1)) return false;
  if (sign(a0 - a1) != sign(b0 - b1)) return true;
  if (a0 == b0 || a1 == b1) return true;
  return sign(a0 - b0) != sign(a1 - b1);
}

std::vector<tcrossing> findcrossings(const tfigure& a, const tfigure& b, const tcoords& coords,
                                     int width) {
  std::optional<double> pole = figurepole(b);
  if (!pole) pole = figurepole(a);
  const curvebreaks::tview view = curvebreaks::tview::of(coords);
  const curvebreaks::valuefn fa = [&a](double x) { return a.value(x); };
  const curvebreaks::valuefn fb = [&b](double x) { return b.value(x); };
  const specialwindow window{coords.minx, coords.maxx, coords.miny, coords.maxy, width};
  std::vector<tcrossing> found;
  bool run = true;
  bool refined = false;  // the crossing of this run is exact
  double x0 = coords.pixeltoworld(0, 0).x;
  double a0 = a.value(x0);
  double b0 = b.value(x0);
  for (int p = 1; p <= width; ++p) {
    const double x1 = coords.pixeltoworld(p, 0).x;
    const double a1 = a.value(x1);
    const double b1 = b.value(x1);
    // An undefined value (a gap in either curve) is no crossing.
    const bool defined =
        std::isfinite(a0) && std::isfinite(a1) && std::isfinite(b0) && std::isfinite(b1);
    if (defined && crosses(a0, a1, b0, b1)) {
      const bool atpole = pole && x0 <= *pole && *pole <= x1;
      // A curve that breaks between the columns (a pole or a jump) passes the
      // other one there without meeting it.
      if (!atpole && (curvebreaks::breaksbetween(fa, x0, a0, x1, a1, view) ||
                      curvebreaks::breaksbetween(fb, x0, b0, x1, b1, view))) {
        run = true;
      } else if (!atpole) {
        if (run) {
          found.push_back({x0, (a1 + b1) * 0.5});
          run = false;
          refined = false;
        }
        // The curves change places somewhere in the run's columns: there,
        // to the last bit of a double.
        if (!refined) {
          if (const std::optional<double> x = refinecrossing(fa, fb, x0, x1, window)) {
            found.back() = {*x, a.value(*x)};
            refined = true;
          }
        }
      }
    } else {
      run = true;
    }
    x0 = x1;
    a0 = a1;
    b0 = b1;
  }
  return found;
}

std::optional<tcrossing> nearcrossing(const std::vector<tcrossing>& crossings, double x, double y) {
  for (const tcrossing& c : crossings)
    if (std::fabs(c.x - x) <= 0.3 && std::fabs(c.y - y) <= 0.3) return c;
  return std::nullopt;
}

std::string crossinghint(const tcrossing& c, const std::string& separator, char decimalseparator) {
  const auto number = [decimalseparator](double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, " %.2f ", v);
    std::string s = buf;
    for (char& ch : s)
      if (ch == '.') ch = decimalseparator;
    return s;
  };
  return number(c.x) + separator + number(c.y);
}

// --- intersection

void tanalysis::intersect() {
  host_.setstatus(analysistext::crossingcount(0));
  // Records of an earlier pair would give hints for curves no longer selected.
  crossings.clear();
  const std::vector<tfigure*>& sel = host_.currentselection();
  if (sel.size() != 2) return;
  crossa = sel[0];
  crossb = sel[1];
  crossings = findcrossings(*crossa, *crossb, host_.coordsystem(), host_.clientwidth());
  host_.setstatus(analysistext::crossingcount(static_cast<int>(crossings.size())));
}

std::optional<std::string> tanalysis::crossinghinttext(double x, double y,
                                                       const std::string& separator,
                                                       char decimalseparator) const {
  const std::optional<tcrossing> c = nearcrossing(crossings, x, y);
  if (!c) return std::nullopt;
  return crossinghint(*c, separator, decimalseparator);
}

// --- derivative

void tanalysis::findderiv(int32_t px, int32_t py) {
  for (tfigure* f : host_.windowfigures()) {
    if (!f->hittest(px, py)) continue;
    // What was selected before comes back if the offered curve is refused.
    const std::vector<tfigure*> before = host_.currentselection();
    host_.setcurfig(f);
    host_.clearselection();
    host_.currentselection().push_back(f);
    host_.resetvisi(*f);

    tderivfigure d = derivativefigure(*f);
    if (d.status != derivstatus::ok) {
      // A cut or unreadable text would draw some other function.
      host_.services().messagebox(d.status == derivstatus::toolong ? analysistext::derivtoolong
                                                                   : analysistext::derivbadtext,
                                  "", platform::msgkind::error, platform::msgbuttons::ok);
      return;
    }
    if (d.code == family::custom) {
      for (int k = 1; k <= 5; ++k) setparamvalue(k, d.params[k]);
      host_.setcustomformula(d.text, std::move(d.expression));
    }
    tfigure* made = host_.creategraph(d.code);
    if (made == nullptr) return;
    for (int k = 1; k <= 5; ++k) made->param[k] = d.params[k];
    // The redraw below recalculates only the selected curve, and the offered
    // curve is to be seen behind the question.
    made->calculate();
    made->selected = true;
    host_.unlockpaint();
    host_.afterp();
    made->showparams();

    // Selected before its values are shown, so that the formula display
    // shows this curve and not another of its family.
    host_.clearselection();
    host_.currentselection().push_back(f);
    f->selected = true;
    f->showparams();
    host_.resetvisi(*f);
    host_.afterp();
    host_.repant();

    const platform::msgresult answer =
        host_.services().messagebox(host_.funcname() + d.text, "", platform::msgkind::information,
                                    platform::msgbuttons::okcancel);
    host_.clearselection();
    if (answer == platform::msgresult::cancel) {
      host_.deletefigure(*made);
      restoreselection(before.empty() ? std::vector<tfigure*>{f} : before);
      return;
    }
    host_.currentselection().push_back(made);
    made->selected = true;
    made->showparams();
    host_.resetvisi(*made);
    host_.afterp();
    host_.repant();
    return;
  }
}

void tanalysis::restoreselection(const std::vector<tfigure*>& figures) {
  const std::vector<tfigure*> shown = host_.windowfigures();
  std::vector<tfigure*>& sel = host_.currentselection();
  for (tfigure* f : figures)
    if (std::find(shown.begin(), shown.end(), f) != shown.end()) sel.push_back(f);
  if (sel.empty()) return;
  for (tfigure* f : sel) f->selected = true;
  host_.setcurfig(sel[0]);
  sel[0]->showparams();
  host_.restoreselection();
  host_.afterp();
  host_.repant();
}

// --- tangent

void tanalysis::dispose() {
  tangsource_.reset();
  tangline_ = nullptr;
}

void tanalysis::forget(const tfigure& figure) {
  if (tangline_ == &figure) tangline_ = nullptr;
  if (tangbase == &figure) {
    dispose();
    tangbase = nullptr;
  }
  if (crossa == &figure || crossb == &figure) {
    crossings.clear();
    crossa = crossb = nullptr;
  }
}

bool tanalysis::shown(const tfigure* f) const {
  const std::vector<tfigure*> figs = host_.windowfigures();
  return f != nullptr && std::find(figs.begin(), figs.end(), f) != figs.end();
}

// The tangent line's slope and intercept within the limits of the boxes.
bool tanalysis::withinlimits(const tfigure& f, double a, double b) {
  if (f.host == nullptr) return true;
  const double v[2] = {a, b};
  for (int k = 1; k <= 2; ++k)
    if (!(v[k - 1] >= f.host->parammin(k) && v[k - 1] <= f.host->parammax(k))) return false;
  return true;
}

void tanalysis::notepress() {
  pressdepth_ = host_.coordsystem().zoomhistory.size();
}

void tanalysis::presstangent(int32_t px, int32_t py) {
  notepress();
  host_.setstatus(analysistext::tangentdrag);
  findtangent(px, py);
}

bool tanalysis::findtangent(int32_t px, int32_t py, std::optional<double> exactx) {
  dispose();
  std::vector<tfigure*>& sel = host_.currentselection();
  if (sel.size() != 1) return false;
  tfigure* f = sel[0];
  host_.setcurfig(f);
  if (!f->hittest(px, py)) return false;
  // A line is its own tangent; the tool leaves it alone.
  if (isline(*f)) {
    host_.setstatus(analysistext::linerefused);
    return false;
  }
  const double x0 = exactx ? *exactx : host_.coordsystem().pixeltoworld(px, py).x;
  const double y0 = f->value(x0);
  auto source = std::make_unique<tslopesource>(slopesource(*f));
  const tslope slope = slopeat(*source, x0);
  // At a pole or in a gap there is no tangent to draw.
  if (!slope.ok || !std::isfinite(slope.value) || !std::isfinite(y0)) return false;
  // A tangent whose values break the limits is not made, as any other change
  // that breaks them is undone.
  if (!withinlimits(*f, slope.value, y0 - slope.value * x0)) return false;
  tangsource_ = std::move(source);

  host_.setbusy(true);
  tangbase = f;
  tfigure* t = host_.creategraph(family::line);
  if (t == nullptr) {
    host_.setbusy(false);
    tangbase = nullptr;
    dispose();
    return false;
  }
  t->param[1] = slope.value;
  t->param[2] = y0 - slope.value * x0;
  t->calculate();
  tangline_ = t;
  host_.setbusy(false);
  host_.unlockpaint();
  host_.resetvisi(*t);
  t->showparams();
  host_.repant();
  host_.afterp();
  return true;
}

void tanalysis::movetang(int32_t px, int32_t py) {
  if (tangbase == nullptr || !tangsource_) return;
  // The drag moves its own tangent line, whatever became selected meanwhile
  // (a pasted figure); a line or base curve deleted meanwhile ends it.
  if (!shown(tangline_) || !shown(tangbase)) return;
  tfigure* t = tangline_;
  if (!tangbase->hittest(px, py)) return;
  host_.settoolcursor(cursortangmove);
  const double x0 = host_.coordsystem().pixeltoworld(px, py).x;
  const double y0 = tangbase->value(x0);
  const tslope slope = slopeat(*tangsource_, x0);
  if (!slope.ok || !std::isfinite(slope.value) || !std::isfinite(y0)) return;
  t->param[1] = slope.value;
  t->param[2] = y0 - slope.value * x0;
  // Values that break the limits are undone: the line stays where it was.
  if (!t->checklimits()) return;
  t->calculate();
  // The boxes and the formula display follow the line only while it is the
  // selected figure; they show the primary figure's own values otherwise.
  const std::vector<tfigure*>& sel = host_.currentselection();
  if (!sel.empty() && sel[0] == t) t->showparams();
  host_.repant();
}

void tanalysis::uptang() {
  dispose();
  if (tangbase != nullptr) {
    std::vector<tfigure*>& sel = host_.currentselection();
    if (!sel.empty()) sel[0]->showparams();
    host_.repant();
    host_.afterp();
  }
  tangbase = nullptr;
}

void tanalysis::releasetangent() {
  uptang();
  tcoords& c = host_.coordsystem();
  // Zooms made before the press (with the zoom tool, or Ctrl with no button
  // down) are the user's view and stay; Shift still undoes them.
  const std::size_t depth =
      pressdepth_ ? *pressdepth_ : static_cast<std::size_t>(std::max(0, host_.zoomdepth()));
  pressdepth_.reset();
  if (c.zoomhistory.size() <= depth) return;
  // Drop the Ctrl zooms of this drag but the first, whose record the zoom-out
  // command then restores: the view before the drag.
  while (c.zoomhistory.size() > depth + 1) c.popzoom();
  host_.zoomout();
  host_.tangentclick();
}

// --- keys

void tanalysis::movepointerto(double px, double py) {
  const platform::point o = host_.clientorigin();
  host_.services().movepointer(static_cast<int>(std::lround(o.x + px)),
                               static_cast<int>(std::lround(o.y + py)));
}

bool tanalysis::ctrlzoom() {
  tcoords& c = host_.coordsystem();
  const int w = host_.clientwidth();
  const int h = host_.clientheight();
  if (c.xscale <= 0 || c.yscale <= 0) return false;
  const double halfw = (w / 3) / c.xscale;
  const double halfh = (h / 3) / c.yscale;
  if (2 * halfw < 1.0 || 2 * halfh < 1.0) return false;
  const worldpoint m = host_.mouseworld();
  const tzoomrecord old{c.minx, c.miny, c.maxx, c.maxy};
  // Only a view that setup accepts goes on the history.
  if (!c.setup(c.left, c.top, c.right, c.bottom, m.x - halfw, m.x + halfw, m.y - halfh,
               m.y + halfh))
    return false;
  c.zoomhistory.push_back(old);
  host_.setdownpoint({w / 2, h / 2});
  movepointerto(w * 0.5, h * 0.5);
  host_.pant();
  return true;
}

bool tanalysis::shiftundo() {
  tcoords& c = host_.coordsystem();
  if (static_cast<int64_t>(c.zoomhistory.size()) <= host_.zoomdepth()) return false;
  const std::string kept = host_.statustext();
  const platform::point down = host_.downpoint();
  const worldpoint w = c.pixeltoworld(down.x, down.y);
  host_.zoomout();
  host_.tangentclick();
  host_.setstatus(kept);
  const platform::point p = c.worldtopixel(w.x, w.y);
  host_.setdownpoint(p);
  movepointerto(p.x, p.y);
  return true;
}

void tanalysis::spacekey() {
  std::vector<tfigure*>& sel = host_.currentselection();
  if (sel.empty()) return;
  tfigure* f = sel[0];
  if (isline(*f)) {
    host_.services().messagebox(analysistext::spaceonline, "", platform::msgkind::error,
                                platform::msgbuttons::ok);
    host_.setstatus(analysistext::linerefused);
    return;
  }
  double x = 0;
  if (!host_.getxcoord(x)) return;
  const double y = f->value(x);
  const tcoords& c = host_.coordsystem();
  // Also refuses a point where the curve is undefined (y not a number).
  if (!(x >= c.minx && x <= c.maxx && y >= c.miny && y <= c.maxy)) {
    host_.services().messagebox(analysistext::spaceoutside, "", platform::msgkind::warning,
                                platform::msgbuttons::ok);
    return;
  }
  const platform::point p = c.worldtopixel(x, y);
  // The typed x itself, not the pixel column it falls in.
  // The new tangent line is now the selected figure, so the status says what
  // the tool says of a selected line, as after a dragged placement.
  if (findtangent(p.x, p.y, x))
    host_.setstatus(analysistext::linerefused);
  else
    host_.services().messagebox(analysistext::spacenotangent, "", platform::msgkind::warning,
                                platform::msgbuttons::ok);
  // The placement ends here: no drag follows a typed x.
  dispose();
  tangbase = nullptr;
}

void tanalysis::keydown(int key, bool shift, bool ctrl) {
  if (host_.windowfigures().empty()) return;
  if (shift) {
    shiftundo();
    return;
  }
  if (ctrl) {
    if (host_.tool() == toolcode::tangent) ctrlzoom();
    return;
  }
  if (key == 32 && host_.tool() == toolcode::tangent && !host_.buttondown() &&
      host_.currentselection().size() == 1)
    spacekey();
}
