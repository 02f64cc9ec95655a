// The special points of a curve inside a window: its zeros, its local maxima
// and minima and where it crosses the y-axis, each refined to full double
// precision; the crossing of two curves refined the same way; and a table of
// values. Undefined values are NaN. A pole or a jump is never a zero, an
// extremum or a crossing: every point found must be where the curve is
// continuous.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class specialkind : uint8_t { zero, maximum, minimum, yaxis };

struct specialpoint {
  specialkind kind = specialkind::zero;
  double x = 0;
  double y = 0;
  friend bool operator==(const specialpoint&, const specialpoint&) = default;
};

struct specialpoints {
  std::vector<specialpoint> points;  // in x order; at one x a zero comes first
  // The curve turned faster than the samples could follow somewhere, so more
  // points may exist there than were found.
  bool incomplete = false;
  int evaluations = 0;  // how often the curve was evaluated
};

// The window searched: the world rectangle and how many columns to sample
// (one per pixel column of the window is enough; at least 2).
struct specialwindow {
  double minx = -10;
  double maxx = 10;
  double miny = -10;
  double maxy = 10;
  int columns = 1000;
};

using curvefunction = std::function<double(double)>;

specialpoints findspecialpoints(const curvefunction& f, const specialwindow& w);

// The x in [x0, x1] where f - g changes sign, refined to full precision; none
// when the change is a pole or a jump of either curve, or either is undefined
// there.
std::optional<double> refinecrossing(const curvefunction& f, const curvefunction& g, double x0,
                                     double x1, const specialwindow& w);

// The English code of a kind as the command line prints it: zero, max, min,
// yaxis.
const char* specialcode(specialkind kind);

// A table of values from `from` to `to` in steps of `step`: x_k = from + k * step
// while x_k does not pass `to` (within a millionth of a step), at most
// maxtablerows rows. Empty when the step is not positive and finite or the
// bounds are not finite or in the wrong order.
inline constexpr int maxtablerows = 10000;
std::vector<double> tablexs(double from, double to, double step);
// How many rows that table would have, without making it (maxtablerows + 1
// when it would have more).
int64_t tablerows(double from, double to, double step);
