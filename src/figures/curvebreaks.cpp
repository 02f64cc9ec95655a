#include "figures/curvebreaks.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace curvebreaks {

tview tview::of(const tcoords& coords) {
  tview v;
  v.miny = coords.miny;
  v.maxy = coords.maxy;
  v.pixel = coords.yscale > 0 ? 1.0 / coords.yscale : 0.0;
  return v;
}

tside towardsundefined(const valuefn& f, double xdefined, double ydefined, double xundefined,
                       const tview& view, int64_t& evaluations) {
  double d = xdefined, u = xundefined, fd = ydefined;
  for (int n = 0; n < maxhalvings; ++n) {
    const double m = 0.5 * (d + u);
    if (m == d || m == u) break;
    const double fm = f(m);
    ++evaluations;
    if (std::isfinite(fm)) {
      d = m;
      fd = fm;
    } else {
      u = m;
    }
  }
  return {d, view.beyond(fd)};
}

tgap examine(const valuefn& f, double x0, double y0, double x1, double y1, const tview& view,
             int64_t& evaluations) {
  double l = x0, r = x1, fl = y0, fr = y1;
  const double start = std::fabs(y1 - y0);
  // A continuous curve's difference halves with the interval (near enough);
  // one that shrinks slower than by 1/sqrt(2) a halving is a jump or a pole.
  // Next to a pole that is not between the samples the difference keeps up
  // until the interval is smaller than the distance to the pole, and halves
  // from then on: two halvings in a row show the curve is continuous there.
  double limit = start;
  double last = start;
  int halving = 0;
  int steady = 0;
  tgap g;
  for (int n = 0; n < deephalvings; ++n) {
    // A bracket still at one of the samples after the usual halvings means
    // the sample itself lies next to the break (samples a hair off an integer
    // do). Within the window that is a jump at the sample; beyond it the
    // sample may be on the steep side of a pole outside the interval, which
    // takes a closer look.
    const bool nearpole = (r == x1 && view.beyond(y1) != 0) || (l == x0 && view.beyond(y0) != 0);
    if (n >= maxhalvings && !nearpole) break;
    // A difference that stays the same halving after halving is a jump.
    if (steady >= 8 && !nearpole) break;
    const double m = 0.5 * (l + r);
    if (!(l < m && m < r)) break;
    const double fm = f(m);
    ++evaluations;
    if (!std::isfinite(fm)) {
      g.broken = true;
      g.left = towardsundefined(f, l, fl, m, view, evaluations);
      g.right = towardsundefined(f, r, fr, m, view, evaluations);
      return g;
    }
    if (std::fabs(fm - fl) >= std::fabs(fr - fm)) {
      r = m;
      fr = fm;
    } else {
      l = m;
      fl = fm;
    }
    const double d = std::fabs(fr - fl);
    limit *= 0.70710678118654752;
    halving = d <= 0.55 * last ? halving + 1 : 0;
    steady = std::fabs(d - last) <= 0.001 * last ? steady + 1 : 0;
    last = d;
    if (d <= limit || d <= view.pixel || halving >= 2) return g;
    // Growing where it should shrink: a pole, no need to look closer.
    if (d > 4 * start) break;
  }
  g.broken = true;
  g.left = {l, view.beyond(fl)};
  g.right = {r, view.beyond(fr)};
  return g;
}

bool breaksbetween(const valuefn& f, double x0, double y0, double x1, double y1,
                   const tview& view) {
  if (!std::isfinite(y0) || !std::isfinite(y1)) return true;
  // Beyond one edge only a pole counts; a jump there is out of sight.
  const int b0 = view.beyond(y0);
  const bool beyond = b0 != 0 && b0 == view.beyond(y1);
  if (!beyond && !(std::fabs(y1 - y0) > suspectpixels * view.pixel)) return false;
  int64_t evaluations = 0;
  return examine(f, x0, y0, x1, y1, view, evaluations).broken;
}

}  // namespace curvebreaks

using namespace curvebreaks;

tpiecemaker::tpiecemaker(std::vector<tpiece>& pieces, const tcoords& coords, valuefn value)
    : pieces_(pieces), coords_(coords), value_(std::move(value)), view_(tview::of(coords)) {
  pieces_.clear();
}

platform::point tpiecemaker::edgepoint(double x, int runoff) const {
  return coords_.worldtopixel(x, runoff > 0 ? view_.maxy + view_.pixel : view_.miny - view_.pixel);
}

void tpiecemaker::startpiece(int32_t index) {
  tpiece p;
  p.first = index;
  pieces_.push_back(p);
  open_ = true;
}

void tpiecemaker::settail(double x, int runoff) {
  if (runoff == 0 || pieces_.empty()) return;
  pieces_.back().hastail = true;
  pieces_.back().tail = edgepoint(x, runoff);
}

void tpiecemaker::sethead(double x, int runoff) {
  if (runoff == 0 || pieces_.empty()) return;
  pieces_.back().hashead = true;
  pieces_.back().head = edgepoint(x, runoff);
}

int tpiecemaker::sameedge(double y0, double y1) const {
  const int b = view_.beyond(y0);
  return b != 0 && b == view_.beyond(y1) ? b : 0;
}

bool tpiecemaker::peakbreak(double x0, double y0, double x1, double y1) {
  return examine(value_, x0, y0, x1, y1, view_, evaluations_).broken;
}

void tpiecemaker::sample(double x, double y, bool defined, int32_t index) {
  if (!defined) {
    // The piece ends here, carried on to the edge if it runs off first.
    if (open_ && hasprev_) {
      const tside s = towardsundefined(value_, prevx_, prevy_, x, view_, evaluations_);
      settail(s.x, s.runoff);
    }
    open_ = hasprev_ = hasprev2_ = false;
    afterundefined_ = true;
    undefinedx_ = x;
    return;
  }
  bool started = false;
  if (!open_) {
    startpiece(index);
    started = true;
    if (afterundefined_) {
      const tside s = towardsundefined(value_, x, y, undefinedx_, view_, evaluations_);
      sethead(s.x, s.runoff);
    }
  } else if (const int side = sameedge(prevy_, y); side != 0) {
    // Beyond one edge a line between the samples is out of sight, but a pole
    // between them still parts the curve. It lies next to a sample the curve
    // climbed steeply to and does not climb on from.
    const bool climbed = !hasprev2_ || side * (prevy_ - prev2y_) > suspectpixels * view_.pixel;
    if (climbed && side * (y - prevy_) <= 0) {
      if (hasprev2_ && sameedge(prev2y_, prevy_) == side &&
          peakbreak(prev2x_, prev2y_, prevx_, prevy_)) {
        // The previous sample begins a new piece.
        --pieces_.back().count;
        settail(prev2x_, side);
        startpiece(previndex_);
        pieces_.back().count = 1;
        sethead(prevx_, side);
      }
      if (peakbreak(prevx_, prevy_, x, y)) {
        settail(prevx_, side);
        startpiece(index);
        started = true;
        sethead(x, side);
      }
    }
  } else if (std::fabs(y - prevy_) > suspectpixels * view_.pixel) {
    const tgap g = examine(value_, prevx_, prevy_, x, y, view_, evaluations_);
    if (g.broken) {
      settail(g.left.x, g.left.runoff);
      startpiece(index);
      started = true;
      sethead(g.right.x, g.right.runoff);
    }
  }
  ++pieces_.back().count;
  hasprev2_ = hasprev_ && !started;
  prev2x_ = prevx_;
  prev2y_ = prevy_;
  prevx_ = x;
  prevy_ = y;
  previndex_ = index;
  hasprev_ = true;
  afterundefined_ = false;
}

void tpiecemaker::finish() {
  // A pole between the last two samples, beyond one edge, with the last one
  // the peak: no later sample turns back to show it.
  if (!open_ || !hasprev2_) return;
  const int side = sameedge(prev2y_, prevy_);
  if (side != 0 && side * (prevy_ - prev2y_) > suspectpixels * view_.pixel &&
      peakbreak(prev2x_, prev2y_, prevx_, prevy_)) {
    --pieces_.back().count;
    settail(prev2x_, side);
    startpiece(previndex_);
    pieces_.back().count = 1;
    sethead(prevx_, side);
  }
  open_ = false;
}
