#include "figures/tcustom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "expr/evalexpr.h"
#include "expr/funcnames.h"
#include "expr/parseexpr.h"
#include "expr/tprogram.h"
#include "figures/formulafold.h"

namespace {
bool isletter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

void tcustom::setformula(const texpression& parsed) {
  expression = parsed;
  formulatext = parsed.text.substr(0, maxformula);
}

void tcustom::loadparams() const {
  for (int k = 1; k <= 5; ++k) setparamvalue(k, param[k]);
}

double tcustom::value(double x) const {
  if (unreadable()) return std::numeric_limits<double>::quiet_NaN();
  loadparams();
  const evalresult r = evalexpr(&expression.root, x, 0);
  // An undefined value is no number: it never hits, and a point made of it
  // lands off the window.
  return r.ok ? r.value : std::numeric_limits<double>::quiet_NaN();
}

void tcustom::setcounts() {
  std::string rest = formulatext;
  const auto& names = funcnames();
  for (int f = 1; f < static_cast<int>(names.size()); ++f)
    if (!names[f].empty()) formulafold::replaceall(rest, names[f], "");
  paramletters.clear();
  paramcount = 0;
  const std::string& letters = ::paramletters();
  for (char l : letters) {
    if (rest.find(l) != std::string::npos && paramletters.size() < 7) {
      paramletters += l;
      ++paramcount;
    }
  }
  maxfix = paramcount - 1;
  for (int k = 1; k <= paramcount; ++k) {
    const char l = paramletters[k - 1];
    char marker[16];
    std::snprintf(marker, sizeof marker, "[%d]", k);
    std::string out;
    for (std::size_t i = 0; i < template_.size(); ++i) {
      const bool alone = template_[i] == l && (i == 0 || !isletter(template_[i - 1])) &&
                         (i + 1 >= template_.size() || !isletter(template_[i + 1]));
      if (alone)
        out += marker;
      else
        out += template_[i];
    }
    template_ = out;
  }
}

void tcustom::initfixpoints() {
  tfigure::initfixpoints();
  fixx[1] = 0;
  fixy[1] = value(0);
  // A formula with parameters in non-linear places cannot be turned through
  // points, so it shows no fix point to hold it by; nor does one undefined at
  // 0 (such as ln x): a point there is no point of the curve, could not be
  // seen or taken away, and would hold every turn back.
  if (!paramcheck(&expression.root).ok || !std::isfinite(fixy[1])) fixcount = 0;
}

void tcustom::calculate() {
  if (unchanged()) return;
  const tcoords& k = *coords;
  // The finer of the two pixel steps, but never so fine that the samples
  // could not reach Max X within the point array.
  step = std::min(k.xstep, k.ystep);
  const double fill = (k.maxx - k.minx) / (maxsamples - 1);
  if (!(step >= fill)) step = fill;
  loadparams();
  pointcount = 0;
  evalfailed = false;
  // A formula that no longer parses has no points: the figure keeps its text
  // but draws nothing.
  if (unreadable()) {
    evalfailed = true;
    oldparam = param;
    return;
  }
  // The formula compiled afresh (that costs less than a few dozen samples) and
  // the samples taken a chunk at a time: the same values as one by one.
  const tprogram program(&expression.root);
  // Between samples the pieces look with the same values, one at a time.
  tpiecemaker pieces(this->pieces, k, [this, &program](double x) {
    const evalresult r =
        program.empty() ? evalexpr(&expression.root, x, 0) : program.evaluate(x, 0);
    return r.ok ? r.value : std::numeric_limits<double>::quiet_NaN();
  });
  constexpr std::size_t chunk = 512;
  std::array<double, chunk> xs, values;
  std::array<bool, chunk> oks;
  // A step too small to move x on (a window far from 0, or of no width) must
  // not keep the loop going where the formula is undefined: a proper step
  // reaches Max X within the array's length, so twice that is never cut.
  int32_t budget = 2 * maxsamples;
  double x = k.minx;
  while (x <= k.maxx && pointcount < maxsamples && budget > 0) {
    std::size_t n = 0;
    for (; n < chunk && x <= k.maxx && budget > 0; x += step, --budget) xs[n++] = x;
    if (program.empty()) {
      for (std::size_t i = 0; i < n; ++i) {
        const evalresult r = evalexpr(&expression.root, xs[i], 0);
        values[i] = r.value;
        oks[i] = r.ok;
      }
    } else {
      program.evalmany(std::span(xs.data(), n), 0, values, oks);
    }
    for (std::size_t i = 0; i < n && pointcount < maxsamples; ++i) {
      // An undefined sample ends the piece: the gap stays open.
      if (!oks[i]) {
        evalfailed = true;
        pieces.sample(xs[i], 0, false, pointcount);
        continue;
      }
      if (pointcount < 5) firstsamples[pointcount] = {xs[i], values[i]};
      pieces.sample(xs[i], values[i], true, pointcount);
      points[pointcount++] = k.worldtopixel(xs[i], values[i]);
    }
  }
  pieces.finish();
  oldparam = param;
}

void tcustom::draw() {
  if (!coords->image) return;
  platform::surface& s = coords->image->canvas();
  const platform::pen old = s.getpen();
  const platform::colour col = statecolour();
  s.setpen({col, 1, platform::penstyle::solid, platform::penmode::copy});
  drawpieces(s, col);
  s.setpen(old);
}

double tcustom::markervalue(int k) const {
  const std::size_t at = ::paramletters().find(paramletters[k - 1]);
  return at < 5 ? param[at + 1] : 0.0;
}

bool tcustom::hasmarkervalue(int k) const {
  return k >= 1 && k <= static_cast<int>(paramletters.size());
}

bool tcustom::usesparam(int k) const {
  const std::string& letters = ::paramletters();
  return k >= 1 && k <= 5 && static_cast<std::size_t>(k) <= letters.size() &&
         paramletters.find(letters[static_cast<std::size_t>(k - 1)]) != std::string::npos;
}
