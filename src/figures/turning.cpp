// Turning (rotate tool) and moving (move tool) of figures: the parameters are
// solved so that the curve passes through the pointer while it stays fastened
// at its fix points, or follows the pointer with its shape kept.
#include <algorithm>
#include <cmath>
#include <limits>

#include "expr/evalexpr.h"
#include "expr/tmath.h"
#include "figures/tcos.h"
#include "figures/tcustom.h"
#include "figures/tellipse.h"
#include "figures/tfigure.h"
#include "figures/thiper.h"
#include "figures/tparab.h"
#include "figures/tpolfour.h"
#include "figures/tpolthree.h"
#include "figures/trectangle.h"
#include "figures/tsin.h"

namespace {

// The fitting always uses the full five-unknown system; rows and columns a
// family does not fill stay 0, and unknowns without a pivot come out as 0.
constexpr int32_t fitsize = 5;

tmath newfit() {
  tmath m;
  m.n = fitsize;
  return m;
}

// Parameters 1..paramcount from the solution. A solution that is not a finite
// double (a nearly singular system) leaves the parameters as they are: such a
// step changes nothing.
bool takesolution(tfigure& f, const tmath& m) {
  const int32_t n = std::min(f.paramcount, fitsize);
  for (int32_t k = 1; k <= n; ++k) {
    const long double v = m.x[k];
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<double>::max()) return false;
  }
  for (int32_t k = 1; k <= n; ++k) f.param[k] = static_cast<double>(m.x[k]);
  return true;
}

// The horizontal and vertical drag ratios about fix point 1 since the last
// step. False when a denominator or a ratio is 0: the step then changes nothing.
bool dragratios(const tfigure& f, double x, double y, double& rx, double& ry) {
  const double dx = f.dragx - f.fixx[1];
  const double dy = f.dragy - f.fixy[1];
  if (dx == 0 || dy == 0) return false;
  rx = std::fabs((x - f.fixx[1]) / dx);
  ry = std::fabs((y - f.fixy[1]) / dy);
  return rx != 0 && ry != 0 && std::isfinite(rx) && std::isfinite(ry);
}

// The sine and cosine share their turning; only the inverse function differs.
void turnwave(tfigure& f, double x, double y, double (*inverse)(double)) {
  if (f.dragx == 0 && f.dragy == 0) return;  // the first step only records the reference
  const double x1 = f.fixx[1];
  const double y1 = f.fixy[1];
  double rx = f.dragx != x1 ? (x - x1) / (f.dragx - x1) : 0;
  if (rx == 0) rx = f.step;
  rx = std::fabs(rx);
  // A figure that was never sampled has no step yet; b/0 would be no number.
  if (rx == 0 || !std::isfinite(rx)) return;
  if (f.dragy == y1) return;
  const double ry = (y - y1) / (f.dragy - y1);
  if (ry == 0) return;
  double& a = f.param[1];
  double& b = f.param[2];
  double& c = f.param[3];
  double& d = f.param[4];
  const double newd = (d - y1) * ry + y1;
  const double top = (a + d - y1) * ry + y1;
  d = newd;
  a = top - newd;
  if (a == 0) return;
  b = b / rx;
  const double s = (y1 - d) / a;
  if (std::fabs(s) <= 1) c = inverse(s) - b * x1;
}

// The pointer's world point and how far it went since the window's last
// mouse pixel.
struct tmovestep {
  double x = 0;
  double y = 0;
  double dx = 0;
  double dy = 0;
};

tmovestep movestep(const tfigure& f, int32_t px, int32_t py) {
  const worldpoint w = f.coords->pixeltoworld(px, py);
  const platform::point last = f.host != nullptr ? f.host->lastmouse() : platform::point{px, py};
  const worldpoint l = f.coords->pixeltoworld(last.x, last.y);
  return {w.x, w.y, w.x - l.x, w.y - l.y};
}

// The end of every move step: a refused change leaves the last mouse pixel
// where it was, so the next step is measured from the same place.
void finishmove(tfigure& f, int32_t px, int32_t py) {
  if (f.checklimits()) {
    f.calculate();
    f.showparams();
    if (f.host != nullptr) f.host->setlastmouse({px, py});
  }
  f.dragging = false;
}

// The polynomial and custom move: refit through the first samples, each moved
// by (dx, dy).
void refitmoved(tfigure& f, double dx, double dy) {
  tmath m = newfit();
  const int32_t n = std::min(f.paramcount, fitsize);
  for (int32_t k = 1; k <= n; ++k)
    f.setrow(m, k, f.firstsamples[k - 1].x + dx, f.firstsamples[k - 1].y + dy);
  m.solve();
  takesolution(f, m);
}

// Rows of turnmany and of the custom turning: the pointer, the fix points,
// then as many first samples as the unknowns still need.
void fillturnrows(tfigure& f, tmath& m, double x, double y) {
  f.setrow(m, 1, x, y);
  int32_t row = 2;
  for (int32_t i = 1; i <= f.fixcount && row <= fitsize; ++i, ++row)
    f.setrow(m, row, f.fixx[i], f.fixy[i]);
  for (; row <= std::min(f.paramcount, fitsize); ++row)
    f.setrow(m, row, f.firstsamples[row - 1].x, f.firstsamples[row - 1].y);
}

void polyrow(tmath& m, int32_t row, int degree, double x, double y) {
  if (row < 1 || row > fitsize) return;
  long double u = 1;
  for (int c = degree + 1; c >= 1; --c) {
    m.a[row][c] = u;
    u *= x;
  }
  for (int c = degree + 2; c <= fitsize; ++c) m.a[row][c] = 0;
  m.a[row][fitsize + 1] = y;
}

bool adjustable(const tcustom& f) {
  return paramcheck(&f.expression.root).ok;
}

}  // namespace

// ---- rotate step ----

void tfigure::dragto(double x, double y) {
  if (fixcount == paramcount) return;  // fully held
  updating = true;
  dragging = true;
  if (fixcount == 1)
    turnone(x, y);
  else
    turnmany(x, y);
  updating = false;
  dragging = false;
  if (!checklimits()) return;
  dragx = x;
  dragy = y;
  updating = true;
  calculate();
  updating = false;
  showparams();
}

void tfigure::turnone(double, double) {}

void tfigure::turnmany(double x, double y) {
  tmath m = newfit();
  fillturnrows(*this, m, x, y);
  m.solve();
  takesolution(*this, m);
  dragx = x;
  dragy = y;
}

void tfigure::setrow(tmath&, int32_t, double, double) {}

void trectangle::turnone(double x, double y) {
  const double x1 = fixx[1];
  const double y1 = fixy[1];
  if (x == x1) return;
  param[1] = (y - y1) / (x - x1);
  param[2] = y1 - param[1] * x1;
}

void tellipse::turnone(double x, double y) {
  double rx = 0, ry = 0;
  if (!dragratios(*this, x, y, rx, ry)) return;
  const double x1 = fixx[1];
  const double y1 = fixy[1];
  double& a = param[1];
  double& b = param[2];
  double& c = param[3];
  if (a != 0) vertexx = -b / (2 * a);
  vertexx = (vertexx - x1) * rx + x1;
  const double den = (x1 * x1 - x * x) - 2 * vertexx * (x1 - x);
  if (den == 0) return;
  a = (y1 - y) / den;
  b = -2 * a * vertexx;
  c = y1 - (a * x1 * x1 + b * x1);
}

void tellipse::setrow(tmath& m, int32_t row, double x, double y) {
  polyrow(m, row, 2, x, y);
}

void tparab::turnone(double x, double y) {
  const double u = x - param[2];
  if (u * u == 0) return;
  param[1] = (y - param[3]) / (u * u);
}

void tparab::setrow(tmath& m, int32_t row, double x, double y) {
  polyrow(m, row, 2, x, y);
}

void tparab::turnmany(double x, double y) {
  tfigure::turnmany(x, y);
  // The fit gives A*x^2 + B*x + C; the vertex form follows from it.
  const double a = param[1];
  if (a != 0) {
    const double b = param[2] / (-2 * a);
    param[2] = b;
    param[3] = param[3] - a * b * b;
  }
}

void tpolthree::turnone(double x, double y) {
  double rx = 0, ry = 0;
  if (!dragratios(*this, x, y, rx, ry)) return;
  for (int i = 0; i < 2; ++i) {
    firstsamples[i].x *= rx;
    firstsamples[i].y *= ry;
  }
  tmath m = newfit();
  setrow(m, 1, x, y);
  setrow(m, 2, firstsamples[0].x, firstsamples[0].y);
  setrow(m, 3, fixx[1], fixy[1]);
  setrow(m, 4, firstsamples[1].x, firstsamples[1].y);
  m.solve();
  takesolution(*this, m);
}

void tpolthree::setrow(tmath& m, int32_t row, double x, double y) {
  polyrow(m, row, 3, x, y);
}

void tpolfour::turnone(double x, double y) {
  double rx = 0, ry = 0;
  if (!dragratios(*this, x, y, rx, ry)) return;
  tmath m = newfit();
  setrow(m, 1, x, y);
  setrow(m, 2, fixx[1], fixy[1]);
  for (int i = 0; i < 3; ++i) setrow(m, 3 + i, firstsamples[i].x * rx, firstsamples[i].y * ry);
  m.solve();
  takesolution(*this, m);
}

void tpolfour::setrow(tmath& m, int32_t row, double x, double y) {
  polyrow(m, row, 4, x, y);
}

void tsin::turnone(double x, double y) {
  turnwave(*this, x, y, [](double s) { return std::asin(s); });
}

void tcos::turnone(double x, double y) {
  turnwave(*this, x, y, [](double s) { return std::acos(s); });
}

void thiper::dragto(double x, double y) {
  updating = true;
  dragging = true;
  double a = param[1];
  double b = param[2];
  double c = param[3];
  // A pointer on a fix point's vertical (or on the line through both fix
  // points) would divide by zero: such a step changes nothing.
  bool ok = true;
  if (snapped && fixcount >= 1) {
    const double x1 = fixx[1], y1 = fixy[1];
    if (curfix == 2 && fixcount >= 2) {
      const double x2 = fixx[2], y2 = fixy[2];
      const double den = (x - x2) * (y1 - y) - (x - x1) * (y2 - y);
      if (den != 0)
        b = -((x - x2) * (x1 * y1 - x * y) - (x - x1) * (x2 * y2 - x * y)) / den;
      else
        ok = false;
    }
    if (ok && x != x1)
      c = ((y - y1) * b - (x1 * y1 - x * y)) / (x - x1);
    else
      ok = false;
  }
  if (ok) {
    a = (y - c) * (x + b);
    if (std::isfinite(a) && std::isfinite(b) && std::isfinite(c)) {
      param[1] = a;
      param[2] = b;
      param[3] = c;
    }
  }
  updating = false;
  dragging = false;
  // Values that break the limits are undone, as for the other families.
  if (!checklimits()) return;
  updating = true;
  calculate();
  dragx = x;
  dragy = y;
  updating = false;
  showparams();
}

void tcustom::turnmany(double, double) {}

void tcustom::setrow(tmath& m, int32_t row, double x, double y) {
  if (row < 1 || row > fitsize) return;
  const int32_t n = std::min(paramcount, fitsize);
  // Linear in its parameters: coefficient k is the formula with parameter k
  // at 1 and the others at 0. An undefined value gives no information.
  for (int32_t k = 1; k <= n; ++k) {
    for (int32_t p = 1; p <= 5; ++p) setparamvalue(p, p == k ? 1.0 : 0.0);
    const evalresult r = evalexpr(&expression.root, x, 0);
    m.a[row][k] = r.ok ? r.value : 0;
  }
  m.a[row][fitsize + 1] = y;
}

void tcustom::dragto(double x, double y) {
  if (fixcount > paramcount || !adjustable(*this)) return;
  updating = true;
  dragging = true;
  const double x1 = fixx[1];
  const double y1 = fixy[1];
  double rx = dragx != x1 ? (x - x1) / (dragx - x1) : 0;
  if (rx == 0) rx = step;
  rx = std::fabs(rx);
  double ry = dragy != y1 ? std::fabs((y - y1) / (dragy - y1)) : 0;
  if (ry == 0 || !std::isfinite(rx) || !std::isfinite(ry)) {
    // The step changes nothing, but the pointer becomes the reference, as for
    // the other families: with the reference at the fix point's height (as it
    // starts when the fix point lies on y = 0) the drag could never begin.
    dragx = x;
    dragy = y;
    updating = false;
    dragging = false;
    return;
  }
  if (fixcount > 1) rx = ry = 1;
  for (int32_t i = 0; i < std::min(paramcount, fitsize); ++i) {
    firstsamples[i].x *= rx;
    firstsamples[i].y *= ry;
  }
  tmath m = newfit();
  fillturnrows(*this, m, x, y);
  m.solve();
  takesolution(*this, m);
  loadparams();
  dragx = x;
  dragy = y;
  updating = false;
  dragging = false;
  if (checklimits()) {
    calculate();
    showparams();
  }
}

// ---- move step ----

void trectangle::moveto(int32_t px, int32_t py) {
  const tmovestep s = movestep(*this, px, py);
  param[2] = s.y - param[1] * s.x;
  finishmove(*this, px, py);
}

void tellipse::moveto(int32_t px, int32_t py) {
  const tmovestep s = movestep(*this, px, py);
  double& a = param[1];
  double& b = param[2];
  if (a != 0) vertexx = -b / (2 * a);
  vertexx += s.dx;
  if (a != 0) b = -2 * a * vertexx;
  param[3] = s.y - (a * s.x * s.x + b * s.x);
  finishmove(*this, px, py);
}

void tparab::moveto(int32_t px, int32_t py) {
  const tmovestep s = movestep(*this, px, py);
  param[2] += s.dx;
  param[3] += s.dy;
  finishmove(*this, px, py);
}

void thiper::moveto(int32_t px, int32_t py) {
  const tmovestep s = movestep(*this, px, py);
  param[2] -= s.dx;
  param[3] += s.dy;
  finishmove(*this, px, py);
}

void tsin::moveto(int32_t px, int32_t py) {
  const tmovestep s = movestep(*this, px, py);
  param[3] -= s.dx * param[2];
  param[4] += s.dy;
  finishmove(*this, px, py);
}

void tcos::moveto(int32_t px, int32_t py) {
  const tmovestep s = movestep(*this, px, py);
  param[3] -= s.dx * param[2];
  param[4] += s.dy;
  finishmove(*this, px, py);
}

void tpolthree::moveto(int32_t px, int32_t py) {
  const tmovestep s = movestep(*this, px, py);
  refitmoved(*this, s.dx, s.dy);
  finishmove(*this, px, py);
}

void tpolfour::moveto(int32_t px, int32_t py) {
  const tmovestep s = movestep(*this, px, py);
  refitmoved(*this, s.dx, s.dy);
  finishmove(*this, px, py);
}

void tcustom::moveto(int32_t px, int32_t py) {
  const tmovestep s = movestep(*this, px, py);
  if (adjustable(*this)) {
    refitmoved(*this, s.dx, s.dy);
    loadparams();
  }
  finishmove(*this, px, py);
}
