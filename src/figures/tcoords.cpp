#include "figures/tcoords.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

// Round to nearest with ties to even (the default rounding mode).
double roundhalfeven(double v) { return std::nearbyint(v); }

// A whole world value written as a label text: Trunc toward zero.
std::string wholetext(double v) {
  const double t = std::trunc(v);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.0f", t == 0 ? 0.0 : t);
  return buf;
}

int32_t toint(double v) {
  // Positions far outside the window stay representable; NaN counts as far below.
  constexpr double lo = std::numeric_limits<int32_t>::min();
  constexpr double hi = std::numeric_limits<int32_t>::max();
  if (!(v >= lo)) return v < 0 ? std::numeric_limits<int32_t>::min() : 0;
  if (v > hi) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

bool goodstep(double s) { return std::isfinite(s) && s > 0; }

// The step of a grid or tick sweep in world units: never finer than one pixel,
// so that a tiny step cannot make a sweep run for ages; dots closer than a pixel
// would land on every pixel anyway. An axis with no pixels (a window squeezed
// to its title bar, or below it) is swept in one step over the whole span:
// without a scale to bound it, a tiny step made millions of dots and ticks.
double sweepstep(double step, double scale, double span) {
  if (!(std::isfinite(scale) && scale > 0)) return std::max(step, span);
  if (step * scale < 1.0) return 1.0 / scale;
  return step;
}

// Arrow bitmaps: '#' takes the axis colour, '.' the window colour.
constexpr const char* xarrowbits[tcoords::arrowheight] = {
    "##.......", ".###.....", "..####...", "...#####.", "....#####",
    "...#####.", "..####...", ".###.....", "##.......",
};
constexpr const char* yarrowbits[tcoords::arrowheight] = {
    "....#....", "....#....", "...###...", "...###...", "..#####..",
    "..#####..", ".#######.", ".#######.", "##.....##",
};

}  // namespace

void tcoords::create(tcoordshost& owner, platform::imagefactory& factory) {
  window = &owner;
  ticks.clear();
  zoomhistory.clear();
  image = factory.makeimage(std::max(owner.clientwidth(), 1), std::max(owner.clientheight(), 1));
  xtickcount = 0;
  readoptions();
}

void tcoords::readoptions() {
  if (window == nullptr) return;
  const tcoordsoptions o = window->coordsoptions();
  axiscolour = o.axiscolour;
  gridcolour = o.gridcolour;
  figcolours = o.figcolours;
  showgrid = o.showgrid;
  showticks = o.showticks;
  if (goodstep(o.gridstep)) gridstep = o.gridstep;
  if (goodstep(o.tickstep)) tickstep = o.tickstep;
}

bool tcoords::setup(int32_t l, int32_t t, int32_t r, int32_t b, double x0, double x1, double y0,
                    double y1) {
  if (std::fabs(x0) > maxbound || std::fabs(x1) > maxbound || std::fabs(y0) > maxbound ||
      std::fabs(y1) > maxbound)
    return false;
  // An empty or reversed range (or NaN) would divide by zero below.
  if (!(x0 < x1) || !(y0 < y1)) return false;
  const int tool = window != nullptr ? window->currenttool() : toolcode::select;
  if (tool == toolcode::zoomin) pushzoom();
  if (tool == toolcode::zoomout) {
    popzoom();
  } else {
    minx = x0;
    maxx = x1;
    miny = y0;
    maxy = y1;
  }
  left = l;
  top = t;
  right = r;
  bottom = b;
  xspan = maxx - minx;
  yspan = maxy - miny;
  const int w = window != nullptr ? window->clientwidth() : r - l;
  const int h = window != nullptr ? window->clientheight() : b - t;
  xscale = w / xspan;
  yscale = h / yspan;
  pixwidth = right - left;
  pixheight = bottom - top;

  auto axis = [](double lo, double hi, int32_t pixels, double& origin, double& stepout) {
    if (hi <= 0)
      origin = hi;
    else if (lo >= 0)
      origin = lo;
    else
      origin = 0;
    if (lo < 0 && hi > 0) {
      const double r1 = hi / pixels;
      const double r2 = lo / pixels;
      if (std::fabs(r1) < std::fabs(r2) && r2 != 0)
        stepout = std::fabs(r2);
      else if (r1 == 0)
        stepout = std::fabs(r2);
      else
        stepout = std::fabs(r1);
    } else {
      stepout = std::fabs((hi - lo) / pixels);
    }
  };
  axis(minx, maxx, pixwidth, originx, xstep);
  axis(miny, maxy, pixheight, originy, ystep);
  readgridstep();
  buildticks();
  return true;
}

platform::point tcoords::worldtopixel(double x, double y) const {
  const int h = window != nullptr ? window->clientheight() : bottom;
  const int32_t px = toint(roundhalfeven((x - minx) * xscale));
  const double t = h - (y - miny) * yscale;
  int32_t py;
  if (t > -32768.0 && t < 32767.0)
    py = static_cast<int32_t>(roundhalfeven(t));
  else
    py = t < 0 ? -32768 : 32767;  // NaN lands below the window
  return {px, py};
}

worldpoint tcoords::pixeltoworld(int32_t px, int32_t py) const {
  const int h = window != nullptr ? window->clientheight() : bottom;
  // A window with no pixels on an axis has no scale there: every pixel stands
  // at the top left of the range on it.
  return {xscale != 0 ? px / xscale + minx : minx, yscale != 0 ? (h - py) / yscale + miny : maxy};
}

void tcoords::pushzoom() { zoomhistory.push_back({minx, miny, maxx, maxy}); }

void tcoords::popzoom() {
  if (zoomhistory.empty()) {
    // Out to the bounds of the coordinate system and no further: a range
    // beyond them is one no window could be set up with again.
    const auto out = [](double v) { return std::clamp(v * std::sqrt(2.0), -maxbound, maxbound); };
    const double x0 = out(minx), x1 = out(maxx), y0 = out(miny), y1 = out(maxy);
    if (!(x0 < x1) || !(y0 < y1)) return;
    minx = x0;
    maxx = x1;
    miny = y0;
    maxy = y1;
    return;
  }
  const tzoomrecord z = zoomhistory.back();
  zoomhistory.pop_back();
  minx = z.minx;
  miny = z.miny;
  maxx = z.maxx;
  maxy = z.maxy;
}

void tcoords::readgridstep() {
  if (window == nullptr) return;
  const double g = window->coordsoptions().gridstep;
  if (goodstep(g)) gridstep = g;
}

// Dots of the grid colour at the grid steps from the origin, one pixel each
// (k x k on a surface k times as fine), over the window colour. Drawn at
// every paint: a few thousand dots cost less than keeping a second picture
// of the window's size.
void tcoords::drawgrid(platform::surface& s) {
  const int w = window != nullptr ? window->clientwidth() : right;
  const int h = window != nullptr ? window->clientheight() : bottom;
  const platform::brush old = s.getbrush();
  s.setbrush({window != nullptr ? window->windowcolour() : platform::white,
              platform::brushstyle::solid});
  s.fillrect({0, 0, w, h});
  if (gridstep * xscale < 1 && gridstep * yscale < 1) {
    // Dots closer than a pixel both ways cover the whole picture.
    s.setbrush({gridcolour, platform::brushstyle::solid});
    s.fillrect({0, 0, w, h});
    s.setbrush(old);
    return;
  }
  const int k = s.pixelscale();
  s.setbrush({gridcolour, platform::brushstyle::solid});
  auto dot = [&](double x, double y) {
    const platform::point p = worldtopixel(x, y);
    if (k == 1)
      s.setpixel(p.x, p.y, gridcolour);
    else
      s.fillrect({p.x - k / 2, p.y - k / 2, p.x - k / 2 + k, p.y - k / 2 + k});
  };
  const double gx = sweepstep(gridstep, xscale, xspan);
  const double gy = sweepstep(gridstep, yscale, yspan);
  auto column = [&](double x) {
    for (double y = originy; y >= miny; y -= gy) dot(x, y);
    for (double y = originy; y <= maxy; y += gy) dot(x, y);
  };
  for (double x = originx; x >= minx; x -= gx) column(x);
  for (double x = originx; x <= maxx; x += gx) column(x);
  s.setbrush(old);
}

void tcoords::buildticks() {
  ticks.clear();
  const double tx = sweepstep(tickstep, xscale, xspan);
  const double ty = sweepstep(tickstep, yscale, yspan);
  for (double x = originx; x >= minx; x -= tx) ticks.push_back(worldtopixel(x, originy));
  for (double x = originx; x <= maxx; x += tx) ticks.push_back(worldtopixel(x, originy));
  xtickcount = static_cast<int32_t>(ticks.size());
  for (double y = originy; y >= miny; y -= ty) ticks.push_back(worldtopixel(originx, y));
  for (double y = originy; y <= maxy; y += ty) ticks.push_back(worldtopixel(originx, y));
}

void tcoords::drawbackground() {
  if (!image) return;
  platform::surface& s = image->canvas();
  if (showgrid) {
    drawgrid(s);
    return;
  }
  const platform::brush old = s.getbrush();
  s.setbrush({window != nullptr ? window->windowcolour() : platform::white,
              platform::brushstyle::solid});
  const int w = window != nullptr ? window->clientwidth() : right;
  const int h = window != nullptr ? window->clientheight() : bottom;
  s.fillrect({0, 0, w, h});
  s.setbrush(old);
}

void tcoords::drawarrow(bool xarrow, platform::point at) {
  platform::surface& s = image->canvas();
  const platform::colour back = window != nullptr ? window->windowcolour() : platform::white;
  const char* const* bits = xarrow ? xarrowbits : yarrowbits;
  const int k = s.pixelscale();
  const int x0 = at.x - arrowwidth * k / 2;
  const int y0 = at.y - arrowheight * k;
  if (k == 1) {
    for (int row = 0; row < arrowheight; ++row)
      for (int col = 0; col < arrowwidth; ++col)
        s.setpixel(x0 + col, y0 + row, bits[row][col] == '#' ? axiscolour : back);
    return;
  }
  // Each bit a k x k block on a surface k times as fine.
  const platform::brush old = s.getbrush();
  for (int row = 0; row < arrowheight; ++row)
    for (int col = 0; col < arrowwidth; ++col) {
      s.setbrush({bits[row][col] == '#' ? axiscolour : back, platform::brushstyle::solid});
      const int x = x0 + col * k, y = y0 + row * k;
      s.fillrect({x, y, x + k, y + k});
    }
  s.setbrush(old);
}

void tcoords::drawaxes() {
  if (!image || window == nullptr) return;
  platform::surface& s = image->canvas();
  const platform::pen oldpen = s.getpen();
  platform::point o = worldtopixel(originx, originy);
  s.setpen({axiscolour, 1, platform::penstyle::solid, platform::penmode::copy});
  s.moveto(left, o.y);
  s.lineto(right, o.y);
  s.moveto(o.x, top);
  s.lineto(o.x, bottom);

  // Fixed sizes grow with the surface's scale, as pens and fonts do.
  const int k = s.pixelscale();
  if (showticks) {
    const int t = ticklength * k;
    // The topmost y tick (the list's last entry) is stroked like the others.
    for (std::size_t i = 0; i < ticks.size(); ++i) {
      const platform::point p = ticks[i];
      if (static_cast<int32_t>(i) < xtickcount) {
        s.moveto(p.x, p.y - t);
        s.lineto(p.x, p.y + t);
      } else {
        s.moveto(p.x - t, p.y);
        s.lineto(p.x + t, p.y);
      }
    }
  }

  // Range labels and arrows.
  const int gap = 7 * k;
  int yoff = gap;
  int xoff = gap;
  int oy = o.y;
  int ox = o.x;
  if (oy < 0) oy = 0;
  if (oy >= bottom) {
    oy = bottom;
    yoff = -window->rangelabelsize(rangelabel::maxy, s).y - gap;
  }
  if (ox < 0) ox = 0;
  if (ox >= right) {
    ox = right;
    xoff = -window->rangelabelsize(rangelabel::maxy, s).x - gap;
  }
  const int yarrowleft = ox;

  int v = 0;
  int lx = worldtopixel(std::trunc(minx), 0).x;
  window->placerangelabel(rangelabel::minx, lx, oy + yoff, wholetext(minx), axiscolour);

  lx = worldtopixel(std::trunc(maxx), 0).x;
  if (lx >= right) lx = right - 15 * k;
  window->placerangelabel(rangelabel::maxx, lx, oy + yoff, wholetext(maxx), axiscolour);

  const platform::point xarrow{right - arrowwidth * k / 2, oy + ticklength * k};

  const int maxyleft = ox + xoff;
  v = worldtopixel(0, std::trunc(maxy)).y;
  window->placerangelabel(rangelabel::maxy, maxyleft, v, wholetext(maxy), axiscolour);

  v = worldtopixel(0, std::trunc(miny)).y;
  if (v >= bottom) v = bottom - 15 * k;
  window->placerangelabel(rangelabel::miny, maxyleft, v, wholetext(miny), axiscolour);

  const platform::point yarrow{yarrowleft, top + arrowheight * k};
  drawarrow(true, xarrow);
  drawarrow(false, yarrow);
  window->placearrows(xarrow, yarrow);

  window->showrangelabels(s);
  window->drawtextlabels(s);
  s.setpen(oldpen);
}

void tcoords::destroy() {
  image.reset();
  ticks.clear();
  zoomhistory.clear();
}
