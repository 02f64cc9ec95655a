#include "figures/curvepoints.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// The scales a window gives: what counts as zero, as a jump, and the step of
// the difference quotient.
struct scales {
  double width;
  double height;
  double zerotol;  // a value this small is zero
  double jumptol;  // a change this big over a hair's breadth is a jump or a pole
  double hair;     // the hair's breadth
  double diffstep;
  double noise;  // sample differences below this are rounding, not a direction
};

scales scalesof(const specialwindow& w) {
  scales s{};
  s.width = w.maxx - w.minx;
  s.height = w.maxy - w.miny;
  s.zerotol = 1e-9 * s.height;
  s.jumptol = 1e-2 * s.height;
  s.hair = 1e-9 * s.width;
  s.diffstep = 1e-7 * s.width;
  s.noise = 1e-12 * s.height;
  return s;
}

int signof(double v) {
  return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

// The curve with its evaluations counted.
class counted {
 public:
  counted(const curvefunction& f, int& count) : f_(f), count_(count) {}
  double operator()(double x) const {
    ++count_;
    return f_(x);
  }

 private:
  const curvefunction& f_;
  int& count_;
};

// Defined at x and on each defined side within a hair's breadth no further
// than a jump away: neither a pole nor a jump.
bool continuousat(const counted& f, double x, const scales& s) {
  const double y = f(x);
  if (!std::isfinite(y)) return false;
  int sides = 0;
  for (const double side : {-1.0, 1.0}) {
    const double v = f(x + side * s.hair);
    if (std::isnan(v)) continue;
    if (!std::isfinite(v) || std::fabs(v - y) > s.jumptol) return false;
    ++sides;
  }
  return sides > 0;
}

// Bisection on the sign of g between lo and hi, where g(lo) and g(hi) have
// opposite signs, down to neighbouring doubles. None when g is undefined on
// the way.
template <class G>
std::optional<double> bisectsign(const G& g, double lo, double hi, double glo, double ghi) {
  for (int it = 0; it < 1100; ++it) {
    const double mid = lo + (hi - lo) / 2;
    if (!(mid > lo && mid < hi)) break;
    const double gm = g(mid);
    if (std::isnan(gm)) return std::nullopt;
    if (gm == 0) return mid;
    if (signof(gm) == signof(glo)) {
      lo = mid;
      glo = gm;
    } else {
      hi = mid;
      ghi = gm;
    }
  }
  return std::fabs(glo) <= std::fabs(ghi) ? lo : hi;
}

// Where the curve's domain ends between a defined and an undefined sample.
double domainedge(const counted& f, double defined, double undefined) {
  for (int it = 0; it < 200; ++it) {
    const double mid = defined + (undefined - defined) / 2;
    if (mid == defined || mid == undefined) break;
    if (std::isnan(f(mid)))
      undefined = mid;
    else
      defined = mid;
  }
  return defined;
}

class finder {
 public:
  finder(const curvefunction& f, const specialwindow& w, specialpoints& out)
      : f_(f, out.evaluations), w_(w), s_(scalesof(w)), out_(out) {}

  void run() {
    sample();
    zeros();
    extrema();
    yaxis();
    finish();
  }

 private:
  void sample() {
    n_ = std::max(2, w_.columns);
    xs_.resize(static_cast<size_t>(n_) + 1);
    ys_.resize(xs_.size());
    for (int i = 0; i <= n_; ++i) {
      // Each x from its index, so no error piles up along the row.
      xs_[i] = i == n_ ? w_.maxx : w_.minx + s_.width * i / n_;
      ys_[i] = f_(xs_[i]);
      if (std::isinf(ys_[i])) ys_[i] = std::numeric_limits<double>::quiet_NaN();
    }
  }

  void addzero(double x) {
    if (!continuousat(f_, x, s_)) return;
    const double y = f_(x);
    if (std::fabs(y) > s_.jumptol) return;
    const double near = 0.5 * s_.width / n_;
    for (const specialpoint& p : out_.points)
      if (p.kind == specialkind::zero && std::fabs(p.x - x) <= near) return;
    out_.points.push_back({specialkind::zero, x, y});
  }

  void zeros() {
    for (int i = 0; i <= n_; ++i) {
      const double a = ys_[i];
      // A sample on a zero counts when it stands alone: a run of zeros is a
      // piece of the x-axis, not a point.
      if (a == 0 && (i == 0 || ys_[i - 1] != 0) && (i == n_ || ys_[i + 1] != 0)) addzero(xs_[i]);
      if (i == n_) break;
      const double b = ys_[i + 1];
      if (std::isnan(a) != std::isnan(b)) {
        const double edge =
            std::isnan(a) ? domainedge(f_, xs_[i + 1], xs_[i]) : domainedge(f_, xs_[i], xs_[i + 1]);
        if (std::fabs(f_(edge)) <= s_.zerotol) addzero(edge);
        continue;
      }
      if (std::isnan(a) || signof(a) * signof(b) >= 0) continue;
      if (const auto r = bisectsign(f_, xs_[i], xs_[i + 1], a, b)) addzero(*r);
    }
  }

  double slope(double x) const {
    const double h = s_.diffstep;
    return (f_(x + h) - f_(x - h)) / (2 * h);
  }

  // The extremum in [lo, hi], where the samples rose and then fell (dir 1) or
  // fell and then rose (dir -1). best: the best sample in it, rise: the
  // largest sample difference around it.
  void addextremum(double lo, double hi, int dir, double best, double rise) {
    const auto d = [&](double x) { return slope(x); };
    double r = lo + (hi - lo) / 2;
    const double dlo = d(lo);
    const double dhi = d(hi);
    if (signof(dlo) == dir && signof(dhi) == -dir) {
      if (const auto found = bisectsign(d, lo, hi, dlo, dhi)) r = *found;
    } else {
      // The difference quotient lost the sign at an edge: golden section on
      // the curve itself.
      r = golden(lo, hi, dir);
    }
    if (!continuousat(f_, r, s_)) return;
    const double y = f_(r);
    // Near a pole the refined value runs away from the samples; at a true
    // extremum it stays within a fraction of the neighbouring differences.
    if (dir * (y - best) > 4 * rise + s_.zerotol) return;
    if (dir * (y - best) < -s_.zerotol - 1e-9 * std::fabs(best)) return;
    out_.points.push_back({dir > 0 ? specialkind::maximum : specialkind::minimum, r, y});
    // A curve that touches the x-axis has a zero there too.
    if (std::fabs(y) <= s_.zerotol) addzero(r);
  }

  double golden(double lo, double hi, int dir) const {
    const double g = (std::sqrt(5.0) - 1) / 2;
    double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
    double fa = dir * f_(a), fb = dir * f_(b);
    for (int it = 0; it < 120 && b > a; ++it) {
      if (fa >= fb) {
        hi = b;
        b = a;
        fb = fa;
        a = hi - g * (hi - lo);
        fa = dir * f_(a);
      } else {
        lo = a;
        a = b;
        fa = fb;
        b = lo + g * (hi - lo);
        fb = dir * f_(b);
      }
    }
    return (lo + hi) / 2;
  }

  void extrema() {
    int last = -1;  // index of the last difference with a direction
    int lastdir = 0;
    int lastturn = -10;  // index of the last change of direction
    int rapid = 0;       // changes of direction in a row, each close to the last
    for (int i = 0; i < n_; ++i) {
      const double a = ys_[i], b = ys_[i + 1];
      if (std::isnan(a) || std::isnan(b)) {
        last = -1;
        lastdir = 0;
        continue;
      }
      const double diff = b - a;
      if (std::fabs(diff) <= s_.noise + 1e-14 * std::max(std::fabs(a), std::fabs(b))) continue;
      const int dir = signof(diff);
      if (lastdir != 0 && dir != lastdir) {
        // A pole or a jump turns twice in a row; a curve that turns again and
        // again from one sample to the next is faster than the samples.
        rapid = i - lastturn <= 2 ? rapid + 1 : 0;
        if (rapid >= 3) out_.incomplete = true;
        lastturn = i;
        // The turn lies between the start of the last rising (or falling)
        // step and the end of this one.
        const double rise = std::max(std::fabs(ys_[last + 1] - ys_[last]), std::fabs(diff));
        const double best = lastdir > 0 ? std::max(ys_[last + 1], a) : std::min(ys_[last + 1], a);
        addextremum(xs_[last], xs_[i + 1], lastdir, best, rise);
      }
      last = i;
      lastdir = dir;
    }
  }

  void yaxis() {
    if (!(w_.minx <= 0 && 0 <= w_.maxx)) return;
    if (!continuousat(f_, 0, s_)) return;
    out_.points.push_back({specialkind::yaxis, 0, f_(0)});
  }

  void finish() {
    auto& p = out_.points;
    p.erase(std::remove_if(p.begin(), p.end(),
                           [&](const specialpoint& q) {
                             return q.x < w_.minx || q.x > w_.maxx || q.y < w_.miny ||
                                    q.y > w_.maxy;
                           }),
            p.end());
    std::stable_sort(p.begin(), p.end(), [](const specialpoint& a, const specialpoint& b) {
      return a.x < b.x || (a.x == b.x && a.kind < b.kind);
    });
  }

  counted f_;
  specialwindow w_;
  scales s_;
  specialpoints& out_;
  int n_ = 0;
  std::vector<double> xs_, ys_;
};

}  // namespace

specialpoints findspecialpoints(const curvefunction& f, const specialwindow& w) {
  specialpoints out;
  if (!(w.minx < w.maxx) || !(w.miny < w.maxy) || !std::isfinite(w.maxx - w.minx) ||
      !std::isfinite(w.maxy - w.miny))
    return out;
  finder(f, w, out).run();
  return out;
}

std::optional<double> refinecrossing(const curvefunction& f, const curvefunction& g, double x0,
                                     double x1, const specialwindow& w) {
  int count = 0;
  const counted cf(f, count), cg(g, count);
  const auto h = [&](double x) { return cf(x) - cg(x); };
  const double h0 = h(x0), h1 = h(x1);
  if (std::isnan(h0) || std::isnan(h1)) return std::nullopt;
  std::optional<double> r;
  if (h0 == 0)
    r = x0;
  else if (h1 == 0)
    r = x1;
  else if (signof(h0) * signof(h1) < 0)
    r = bisectsign(h, x0, x1, h0, h1);
  if (!r) return std::nullopt;
  const scales s = scalesof(w);
  if (!continuousat(cf, *r, s) || !continuousat(cg, *r, s)) return std::nullopt;
  if (std::fabs(h(*r)) > s.jumptol) return std::nullopt;
  return r;
}

const char* specialcode(specialkind kind) {
  switch (kind) {
    case specialkind::zero:
      return "zero";
    case specialkind::maximum:
      return "max";
    case specialkind::minimum:
      return "min";
    case specialkind::yaxis:
      return "yaxis";
  }
  return "?";
}

int64_t tablerows(double from, double to, double step) {
  if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step) || !(step > 0) ||
      to < from)
    return 0;
  const double n = std::floor((to - from) / step + 1e-6) + 1;
  if (!(n <= maxtablerows)) return maxtablerows + 1;
  return static_cast<int64_t>(n);
}

std::vector<double> tablexs(double from, double to, double step) {
  const int64_t n = tablerows(from, to, step);
  std::vector<double> xs;
  if (n > maxtablerows) return xs;
  xs.reserve(static_cast<size_t>(n));
  for (int64_t k = 0; k < n; ++k) {
    const double x = from + static_cast<double>(k) * step;
    // -0.3 + 0.1 is -0.19999999999999998: a table row is the decimal number the
    // pupil counted to, so take the double nearest its first 15 digits, and
    // zero within rounding as 0.
    if (std::fabs(x) < 1e-9 * step) {
      xs.push_back(0.0);
      continue;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", x);
    xs.push_back(std::strtod(text, nullptr));
  }
  return xs;
}
