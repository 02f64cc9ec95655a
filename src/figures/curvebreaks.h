// Where a sampled curve must not be joined: a pole or a jump between two
// neighbouring samples, or the edge of a stretch where the function is
// undefined. The samples are looked between by bounded bisection with the
// curve's own values, and the curve is cut into pieces there; a piece whose
// side runs off to +-infinity is carried on to just beyond the window's edge,
// so a branch of tan x reaches the top or the bottom of the window.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "figures/tcoords.h"
#include "platform/surface.h"

namespace curvebreaks {

// Halvings of one look between two samples (about a millionth of the sample
// spacing), which bounds what a break costs; a sample lying next to the break
// takes up to deephalvings (down to the spacing of doubles).
inline constexpr int maxhalvings = 20;
inline constexpr int deephalvings = 64;
// Neighbours further apart than this many pixels in height are looked between.
inline constexpr double suspectpixels = 3.0;

// The curve's value at x; NaN where it is undefined.
using valuefn = std::function<double(double)>;

// One side of a break: where the curve was last seen (x), and whether it runs
// off the window before the break (+1 above, -1 below, 0 not).
struct tside {
  double x = 0;
  int runoff = 0;
};

// What lies between two samples.
struct tgap {
  bool broken = false;
  tside left;
  tside right;
};

// The window's height in world units, as the look between samples needs it.
struct tview {
  double miny = 0;
  double maxy = 0;
  double pixel = 0;  // world height of one pixel
  static tview of(const tcoords& coords);
  // +1 above the window, -1 below it, 0 within it.
  int beyond(double y) const { return y > maxy ? 1 : (y < miny ? -1 : 0); }
};

// Between two defined samples x0 < x1 with values y0, y1: a jump (the
// difference does not shrink as the interval does), a pole (the values grow)
// or an undefined point in between breaks the curve. Counts evaluations.
tgap examine(const valuefn& f, double x0, double y0, double x1, double y1, const tview& view,
             int64_t& evaluations);
// From a defined sample towards an undefined one: where the curve ends and
// whether it runs off the window on the way (ln x near 0 does).
tside towardsundefined(const valuefn& f, double xdefined, double ydefined, double xundefined,
                       const tview& view, int64_t& evaluations);
// Whether the curve breaks between two defined neighbouring samples, as the
// sampling decides it: what the crossing scan needs so that a pole or a jump
// is never taken for a crossing.
bool breaksbetween(const valuefn& f, double x0, double y0, double x1, double y1, const tview& view);

}  // namespace curvebreaks

// One piece of a sampled curve: the points first .. first + count - 1 of the
// figure's point array, with a point just beyond the window's edge before
// (head) or after (tail) it where that side runs off to +-infinity.
struct tpiece {
  int32_t first = 0;
  int32_t count = 0;
  bool hashead = false;
  bool hastail = false;
  platform::point head{};
  platform::point tail{};
};

// Cuts the samples of one calculate into pieces as they come, in x order.
class tpiecemaker {
 public:
  tpiecemaker(std::vector<tpiece>& pieces, const tcoords& coords, curvebreaks::valuefn value);

  // The next sample; index is where its pixel point is stored (only defined
  // samples are stored).
  void sample(double x, double y, bool defined, int32_t index);
  // After the last sample.
  void finish();
  // Evaluations spent looking between samples.
  int64_t evaluations() const { return evaluations_; }

 private:
  void startpiece(int32_t index);
  void settail(double x, int runoff);
  void sethead(double x, int runoff);
  platform::point edgepoint(double x, int runoff) const;
  // Both samples beyond the same edge: only a pole between them parts them.
  bool peakbreak(double x0, double y0, double x1, double y1);
  int sameedge(double y0, double y1) const;

  std::vector<tpiece>& pieces_;
  const tcoords& coords_;
  curvebreaks::valuefn value_;
  curvebreaks::tview view_;
  int64_t evaluations_ = 0;
  bool open_ = false;      // the last piece takes further samples
  bool hasprev_ = false;   // prev is a sample of the open piece
  bool hasprev2_ = false;  // and so is the one before it
  bool afterundefined_ = false;
  double undefinedx_ = 0;  // the last undefined sample
  double prevx_ = 0, prevy_ = 0, prev2x_ = 0, prev2y_ = 0;
  int32_t previndex_ = 0;
};
