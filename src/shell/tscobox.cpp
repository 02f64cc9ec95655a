#include "shell/tscobox.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Tape rows are kept well inside int32, whatever Min, Max and Interval are.
constexpr double rowlimit = 1.0e9;

int32_t mod(int32_t a, int32_t m) {
  const int32_t r = a % m;
  return r < 0 ? r + m : r;
}

platform::font labelfont(platform::colour c) {
  platform::font f;
  f.name = "DejaVu Sans";
  f.size = 7;
  f.col = c;
  return f;
}

}  // namespace

tscobox::tscobox(platform::imagefactory& images, int width, int height)
    : image_(images.makeimage(width, height)), width_(width), height_(height) {
  origin = height / 2;
  tapeposition = origin;
  pointerrow = origin;
}

void tscobox::setup(int32_t dir, float interval, float maxvalue, float minvalue) {
  direction = dir == 1 ? 1 : -1;
  rowvalue = 0.2f * interval;
  max = maxvalue;
  min = minvalue;
}

double tscobox::pointervalue() const {
  return static_cast<double>(direction) * (tapeposition - origin) * 0.1 *
         static_cast<double>(rowvalue);
}

int32_t tscobox::rowfor(double value) const {
  if (rowvalue == 0.0f || !std::isfinite(rowvalue)) return origin + 10;
  double rows = 10.0 * direction * value / static_cast<double>(rowvalue);
  // A value one float rounding away from a whole row stands on that row (1
  // over 0.2 x Interval is 4.9999999 in floats); anything further is cut.
  const double whole = std::round(rows);
  rows = std::fabs(rows - whole) < 1e-4 ? whole : std::trunc(rows);
  if (!std::isfinite(rows)) return rows > 0 ? origin + static_cast<int32_t>(rowlimit) : origin;
  return origin + static_cast<int32_t>(std::clamp(rows, -rowlimit, rowlimit));
}

int32_t tscobox::lowend() const {
  return std::min(rowfor(min), rowfor(max));
}

int32_t tscobox::highend() const {
  return std::max(rowfor(min), rowfor(max));
}

bool tscobox::scrollone(int32_t by) {
  if (by > 0 && tapeposition + 1 > highend()) return false;
  if (by < 0 && tapeposition - 1 < lowend()) return false;
  if (by == 0) return false;
  tapeposition += by > 0 ? 1 : -1;
  return true;
}

void tscobox::scrollto(int32_t position) {
  // Row by row up to the end the tape can reach; the picture only changes
  // once, so the rows are passed in one move.
  if (position > tapeposition)
    tapeposition = std::max(tapeposition, std::min(position, highend()));
  else if (position < tapeposition)
    tapeposition = std::min(tapeposition, std::max(position, lowend()));
  redraw();
}

std::string tscobox::labeltext(int32_t r) const {
  double x = static_cast<double>(direction) * r * 0.1 * static_cast<double>(rowvalue);
  const double iv = interval();
  if (iv != 0.0 && std::isfinite(iv)) x = std::round(x / iv) * iv;
  char buf[64];
  double whole = 0;
  const double frac = std::modf(x, &whole);
  if (std::fabs(frac) <= 0.0009 || !std::isfinite(x)) {
    std::snprintf(buf, sizeof buf, "  %.0f", std::round(x) + 0.0);
  } else {
    std::snprintf(buf, sizeof buf, "  %f", x);
    for (char* p = buf; *p; ++p)
      if (*p == '.') *p = decimalseparator;
  }
  return std::string(buf).substr(0, maxlabel);
}

void tscobox::redraw() {
  if (!image_) return;
  platform::surface& s = image_->canvas();
  s.setbrush({background, platform::brushstyle::solid});
  s.setpen({background});
  s.fillrect({0, 0, width_, height_});
  for (int32_t y = 0; y < height_; ++y) {
    const int32_t m = mod(rowat(y), labelspacing);
    // Rows under a label's text get no tick line.
    if (m == 0 || m > labelspacing - labelrows) continue;
    const bool tick = mod(rowat(y), tickspacing) == 0;
    s.setpen({tick ? tickcolour : background});
    s.moveto(0, y);
    s.lineto(width_, y);
  }
  s.setbrush({background, platform::brushstyle::clear});
  s.setfont(labelfont(labelcolour));
  for (int32_t y = 1 - labelrows; y < height_; ++y) {
    const int32_t r = rowat(y);
    if (mod(r, labelspacing) != 0) continue;
    s.textrect({0, std::max(y, 0), width_, std::min(y + labelrows, height_)}, 0, y, labeltext(r));
  }
}
