// Fix points: the points of a figure's curve through which it is held while it
// is turned. Placed, dragged and removed with the fix-point tool; drawn as
// small markers in a colour that tells their state.
#include <cmath>
#include <cstdlib>

#include "figures/tfigure.h"
#include "figures/thiper.h"

namespace {

// A fix point is in reach of a click this many pixels across and down.
constexpr int32_t reachx = 20;
constexpr int32_t reachy = 21;

// The curve searches look at most this many columns (a window of +-10 steps).
constexpr int maxsearch = 21;

// Beyond this many pixels from the picture's corner a marker is surely off it.
constexpr int64_t offpicture = 1 << 24;

constexpr platform::colour unsetcolour = platform::rgb(255, 255, 0);
constexpr platform::colour unsnappedcolour = platform::rgb(0, 0, 255);
constexpr platform::colour snappedcolour = platform::rgb(255, 0, 0);
constexpr platform::colour currentcolour = platform::rgb(128, 128, 0);

// The marker: a pin whose tip stands on the fix point. '#' takes the fix
// point's colour, '.' the window colour, as the axis arrows do.
constexpr int markerwidth = 7;
constexpr int markerheight = 9;
constexpr const char* markerbits[markerheight] = {
    "..###..",  //
    ".#####.",  //
    "#######",  //
    "#######",  //
    ".#####.",  //
    "..###..",  //
    "...#...",  //
    "...#...",  //
    "...#...",  //
};

// The hyperbola's default fix point is its centre, off the curve; its fix
// points behave differently where that matters.
bool ishyperbola(const tfigure& f) {
  return dynamic_cast<const thiper*>(&f) != nullptr;
}

bool validfix(int32_t i) {
  return i >= 1 && i <= 5;
}

}  // namespace

void tfigure::snaptocurve(double& x, double& y) {
  const tcoords& k = *coords;
  halfwindow = 0.005 * k.xspan;
  searchstep = 0.1 * halfwindow;
  ytolerance = 0.02 * k.yspan;
  snapped = false;
  bool tried = false;
  double lastt = x;
  double lastv = y;
  // Counted as well as bounded by the window, so that a zero or odd step can
  // never keep the search going.
  double t = x - halfwindow;
  for (int n = 0; n < maxsearch && t <= x + halfwindow; ++n, t += searchstep) {
    const double v = value(t);
    tried = true;
    lastt = t;
    lastv = v;
    if (std::fabs(y - v) <= ytolerance) {
      snapped = true;
      break;
    }
  }
  if (tried) {
    x = lastt;
    y = lastv;
  }
}

void tfigure::fixpoint(int32_t px, int32_t py) {
  fixmoved = false;
  fixdown = true;
  if (!fixmode) {
    initfixpoints();
    return;
  }
  const bool hyper = ishyperbola(*this);
  double x = coords->pixeltoworld(px, py).x;
  double y = value(x);
  int32_t qx = px, qy = py;
  const int32_t i = findfixpoint(qx, qy);
  const bool newpoint = i == 0;
  if (newpoint) {
    const double ux = x, uy = y;
    snaptocurve(x, y);
    if (hyper && !snapped) {
      x = ux;
      y = uy;
    }
  }
  fixmode = true;
  if (!snapped) {
    fixdown = false;
    if (hyper) {
      if (fixcount == 1) {
        curfix = 1;
        fixx[1] = x;
        fixy[1] = y;
      }
    } else {
      snapped = true;
    }
    return;
  }
  if (hyper && fixcount == 1) {
    // Its default point, the centre, is no point of the curve: it goes unless
    // it snaps to the curve.
    snaptocurve(fixx[1], fixy[1]);
    if (!snapped) fixcount = 0;
  }
  snapped = true;
  if (newpoint) {
    if (fixcount < maxfix && validfix(fixcount + 1)) {
      ++fixcount;
      curfix = fixcount;
      fixmoved = true;
      fixdown = true;
      fixx[curfix] = x;
      fixy[curfix] = y;
    }
  } else {
    curfix = i;
  }
}

void tfigure::fixdrag(int32_t px, int32_t py) {
  if (!fixdown) return;
  if (!fixmode) {
    initfixpoints();
    return;
  }
  const worldpoint w = coords->pixeltoworld(px, py);
  double x = w.x, y = w.y;
  fixmoved = true;
  snaptocurve(x, y);
  fixmode = true;
  if (snapped) {
    if (validfix(curfix)) {
      fixx[curfix] = x;
      fixy[curfix] = y;
    }
  } else {
    snapped = true;
  }
}

void tfigure::fixup(int32_t px, int32_t py) {
  if (!fixdown) return;
  fixdown = false;
  if (fixmoved) {
    fixmoved = false;
    return;
  }
  // A click on a fix point without dragging removes it; the only one is put
  // back to the default.
  const int32_t i = findfixpoint(px, py);
  if (i > 0) {
    if (fixcount != 1) {
      for (int32_t j = i; j < fixcount && j < 5; ++j) {
        fixx[j] = fixx[j + 1];
        fixy[j] = fixy[j + 1];
      }
      --fixcount;
      snapped = true;
      curfix = fixcount;
    } else {
      fixmode = false;
      initfixpoints();
    }
  }
  if (host != nullptr) host->repant();
}

int32_t tfigure::findfixpoint(int32_t& px, int32_t& py) {
  // Every fix point in use is looked at, not only those up to the current
  // one: a point after it must stay reachable for a click.
  for (int32_t i = 1; i <= fixcount && i <= 5; ++i) {
    const platform::point p = coords->worldtopixel(fixx[i], fixy[i]);
    if (std::abs(static_cast<int64_t>(px) - p.x) < reachx &&
        std::abs(static_cast<int64_t>(py) - p.y) < reachy) {
      px = p.x;
      py = p.y;
      return i;
    }
  }
  return 0;
}

void tfigure::nearestfix(double x, double y, double& fx, double& fy) {
  double bestdx = 1000, bestdy = 1000;
  int32_t best = 1;
  for (int32_t i = 1; i <= fixcount && i <= 5; ++i) {
    const double dx = std::fabs(x - fixx[i]);
    const double dy = std::fabs(y - fixy[i]);
    if (dx <= bestdx && dy <= bestdy) {
      bestdx = dx;
      bestdy = dy;
      best = i;
    }
  }
  curfix = best;
  fx = fixx[best];
  fy = fixy[best];
}

void tfigure::drawfixpoints() {
  if (host == nullptr || coords == nullptr || !coords->image) return;
  if (!host->windowactive() || frozen || host->panelapplying() || fixcount < 1) return;
  platform::surface& s = coords->image->canvas();
  const platform::colour back =
      coords->window != nullptr ? coords->window->windowcolour() : platform::white;
  for (int32_t i = 1; i <= fixcount && i <= 5; ++i) {
    platform::colour col = unsetcolour;
    if (fixmode) col = !snapped ? unsnappedcolour : (i == curfix ? currentcolour : snappedcolour);
    const platform::point p = coords->worldtopixel(fixx[i], fixy[i]);
    // A fix point zoomed far off the picture has no marker on it (and the
    // marker's pixel sums would overflow at the ends of the pixel range).
    if (std::abs(static_cast<int64_t>(p.x)) > offpicture ||
        std::abs(static_cast<int64_t>(p.y)) > offpicture)
      continue;
    // On a surface k times as fine each bit is a k x k block.
    const int k = s.pixelscale();
    const int x0 = p.x - markerwidth * k / 2;
    const int y0 = p.y - markerheight * k;
    for (int row = 0; row < markerheight; ++row)
      for (int col2 = 0; col2 < markerwidth; ++col2) {
        const platform::colour c = markerbits[row][col2] == '#' ? col : back;
        if (k == 1) {
          s.setpixel(x0 + col2, y0 + row, c);
          continue;
        }
        const platform::brush old = s.getbrush();
        s.setbrush({c, platform::brushstyle::solid});
        const int x = x0 + col2 * k, y = y0 + row * k;
        s.fillrect({x, y, x + k, y + k});
        s.setbrush(old);
      }
  }
}
