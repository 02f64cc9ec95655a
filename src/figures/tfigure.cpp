#include "figures/tfigure.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "figures/formulafold.h"
#include "figures/numbers.h"

void tfigure::reset() {
  textmode = 0;
  fixdown = false;
  frozen = false;
  fixmode = false;
  dragging = false;
  updating = false;
  fixmoved = false;
  cachedrange = {};
  fixcount = 1;
  curfix = 1;
  template_ = familytemplate();
  setcounts();
  for (int k = 1; k <= 5; ++k) {
    param[k] = host != nullptr ? static_cast<double>(host->paramvalue(k)) : 0.0;
    oldparam[k] = 0;
  }
}

bool tfigure::unchanged() {
  const tcachedrange now{coords->minx, coords->maxx,  coords->miny,
                         coords->maxy, coords->right, coords->bottom};
  bool same = now == cachedrange;
  for (int k = 1; k <= 5 && same; ++k) same = param[k] == oldparam[k];
  if (same) return true;
  cachedrange = now;
  return false;
}

int32_t tfigure::samplecolumns() const {
  const int w = coords->window != nullptr ? coords->window->clientwidth() : coords->right;
  return std::clamp(w, 0, maxpoints);
}

void tfigure::calculate() {
  if (unchanged()) return;
  double xmin = 0, xmax = 0;
  getrange(xmin, xmax);
  setstep();
  const int32_t n = samplecolumns();
  for (int32_t i = 0; i < n; ++i) {
    const double x = coords->pixeltoworld(i, 0).x;
    const double y = value(x);
    points[i] = coords->worldtopixel(x, y);
    if (i < 5) firstsamples[i] = {x, y};
  }
  pointcount = n;
  oldparam = param;
}

platform::colour tfigure::statecolour() const {
  const bool active = host != nullptr && host->windowactive() && selected;
  if (active) return frozen ? coords->figcolours[2] : coords->figcolours[1];
  return frozen ? coords->figcolours[3] : coords->figcolours[0];
}

void tfigure::draw() {
  if (!coords->image) return;
  platform::surface& s = coords->image->canvas();
  const platform::pen old = s.getpen();
  s.setpen({statecolour(), 1, platform::penstyle::solid, platform::penmode::copy});
  s.polyline(std::span<const platform::point>(points.data(), static_cast<std::size_t>(pointcount)));
  s.setpen(old);
}

bool tfigure::hittest(int32_t px, int32_t py) {
  halfwindow = 0.005 * coords->xspan;
  searchstep = 0.1 * halfwindow;
  ytolerance = 0.02 * coords->yspan;
  const worldpoint w = coords->pixeltoworld(px, py);
  if (!(searchstep > 0)) return false;
  for (double t = w.x - halfwindow; t <= w.x + halfwindow; t += searchstep)
    if (std::fabs(w.y - value(t)) <= ytolerance) return true;
  return false;
}

void tfigure::initfixpoints() {
  fixcount = 1;
  curfix = 1;
}

void tfigure::setcounts() {
  paramcount = 0;
  maxfix = -1;
}

double tfigure::value(double) const {
  return 0;
}

void tfigure::setstep() {
  step = coords->xstep;
  if (0.005 > step) step = 0.005;
}

void tfigure::getrange(double& xmin, double& xmax) {
  xmin = coords->minx;
  xmax = coords->maxx;
}

std::string tfigure::valuetext(int k) const {
  if (!hasmarkervalue(k)) return {};
  const bool rotating = host != nullptr && host->currenttool() == toolcode::rotate;
  const std::string format = rotating || host == nullptr ? "%.2f" : host->paramformat(k);
  const char sep = host != nullptr ? host->decimalseparator() : '.';
  return formulafold::valuetext(markervalue(k), format, sep);
}

std::string tfigure::formula() {
  const char sep = host != nullptr ? host->decimalseparator() : '.';
  formulabuf = template_.substr(0, 255);
  for (int k = 1; k <= paramcount && k <= 5; ++k) {
    char marker[16];
    std::snprintf(marker, sizeof marker, "[%d]", k);
    formulafold::replaceall(formulabuf, marker, valuetext(k));
  }
  formulafold::dropzeroterms(formulabuf, sep);
  formulafold::foldsigns(formulabuf);
  formulafold::emptyfunctions(formulabuf, sep);
  formulafold::dropzeroterms(formulabuf, sep);
  formulafold::dropfactorone(formulabuf, sep);
  const std::string name = host != nullptr ? host->funcname() : std::string("F(x) =");
  return (name.size() > 1 ? name.substr(1, 5) : std::string()) + formulabuf;
}

void tfigure::showparams() {
  dragging = true;
  if (host != nullptr) {
    const char sep = host->decimalseparator();
    for (int k = 1; k <= paramcount && k <= 5; ++k) {
      host->setparamtext(k, fixedtext(param[k], "%.2f", sep));
    }
    host->changef2(*this);
  }
  updating = false;
  dragging = false;
}

bool tfigure::checklimits() {
  if (host == nullptr) return true;
  if (host->alwaysround()) {
    for (int k = 1; k <= 5; ++k) {
      const double r = host->paramstep(k);
      if (r > 0 && std::fabs(param[k]) > r) param[k] = std::nearbyint(param[k] / r) * r;
    }
  }
  for (int k = 1; k <= 5; ++k) {
    const double lo = host->parammin(k);
    const double hi = host->parammax(k);
    if (!(param[k] >= lo && param[k] <= hi)) {
      param = oldparam;
      return false;
    }
  }
  return true;
}

void tfigure::select() {
  if (host == nullptr) return;
  host->clearselection();
  selected = true;
  host->addtoselection(*this);
  host->resetvisi(*this);
  host->repant();
  host->bringtofront();
}
