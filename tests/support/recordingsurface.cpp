#include "support/recordingsurface.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/rasterline.h"

using platform::colour;

namespace {

int roundhalfup(double v) {
  return static_cast<int>(std::floor(v + 0.5));
}

// Reads any image's pixels: directly from a recording image, otherwise through
// its canvas (reading does not change it).
colour sourcepixel(const platform::image& source, int x, int y) {
  if (auto* rec = dynamic_cast<const recordingimage*>(&source))
    return rec->recorder().getpixel(x, y);
  return const_cast<platform::image&>(source).canvas().getpixel(x, y);
}

// Each outline pixel of a rectangle once (so XOR frames restore exactly):
// right and bottom edges lie inside the rectangle.
template <typename put_t>
void outline(const platform::rect& r, put_t&& put) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
  for (int x = l; x <= rr; ++x) put(x, t);
  if (b != t)
    for (int x = l; x <= rr; ++x) put(x, b);
  for (int y = t + 1; y < b; ++y) {
    put(l, y);
    if (rr != l) put(rr, y);
  }
}

}  // namespace

const char* recordopname(recordop op) {
  switch (op) {
    case recordop::setpen:
      return "setpen";
    case recordop::setbrush:
      return "setbrush";
    case recordop::setfont:
      return "setfont";
    case recordop::moveto:
      return "moveto";
    case recordop::lineto:
      return "lineto";
    case recordop::polyline:
      return "polyline";
    case recordop::rectangle:
      return "rectangle";
    case recordop::fillrect:
      return "fillrect";
    case recordop::framerect:
      return "framerect";
    case recordop::textout:
      return "textout";
    case recordop::textrect:
      return "textrect";
    case recordop::setpixel:
      return "setpixel";
    case recordop::copyrect:
      return "copyrect";
    case recordop::draw:
      return "draw";
    case recordop::drawtransparent:
      return "drawtransparent";
  }
  return "?";
}

recordingsurface::recordingsurface(int width, int height) {
  resize(width, height);
}

void recordingsurface::resize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), platform::white);
}

void recordingsurface::record(recordop op, std::vector<int> args, std::string text) {
  entries_.push_back({op, std::move(args), std::move(text), pen_, brush_, font_});
}

void recordingsurface::setpen(const platform::pen& p) {
  pen_ = p;
  record(recordop::setpen, {});
}

void recordingsurface::setbrush(const platform::brush& b) {
  brush_ = b;
  record(recordop::setbrush, {});
}

void recordingsurface::setfont(const platform::font& f) {
  font_ = f;
  record(recordop::setfont, {});
}

int recordingsurface::fontheight() const {
  return -roundhalfup(font_.size * 96.0 / 72.0);
}

void recordingsurface::put(int x, int y, colour c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  colour& p =
      pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  p = pen_.mode == platform::penmode::xor_ ? ((p ^ c) & 0xFFFFFF) : (c & 0xFFFFFF);
}

void recordingsurface::line(int x0, int y0, int x1, int y1) {
  if (pen_.style == platform::penstyle::clear) return;
  platform::rasterline(x0, y0, x1, y1, width_, height_, [&](int x, int y) { put(x, y, pen_.col); });
}

void recordingsurface::fill(const platform::rect& r, colour c) {
  const int l = std::max(0, r.left), t = std::max(0, r.top);
  const int rr = std::min(width_, r.right), b = std::min(height_, r.bottom);
  for (int y = t; y < b; ++y)
    for (int x = l; x < rr; ++x)
      pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
          c & 0xFFFFFF;
}

void recordingsurface::moveto(int x, int y) {
  pos_ = {x, y};
  record(recordop::moveto, {x, y});
}

void recordingsurface::lineto(int x, int y) {
  line(pos_.x, pos_.y, x, y);
  pos_ = {x, y};
  record(recordop::lineto, {x, y});
}

void recordingsurface::polyline(std::span<const platform::point> points) {
  std::vector<int> args;
  args.reserve(points.size() * 2);
  for (const auto& p : points) {
    args.push_back(p.x);
    args.push_back(p.y);
  }
  for (size_t i = 1; i < points.size(); ++i)
    line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
  record(recordop::polyline, std::move(args));
}

void recordingsurface::rectangle(const platform::rect& r) {
  if (brush_.style == platform::brushstyle::solid) {
    if (pen_.style == platform::penstyle::clear)
      fill({r.left, r.top, r.right - 1, r.bottom - 1}, brush_.col);
    else
      fill({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, brush_.col);
  }
  if (pen_.style != platform::penstyle::clear)
    outline(r, [&](int x, int y) { put(x, y, pen_.col); });
  record(recordop::rectangle, {r.left, r.top, r.right, r.bottom});
}

void recordingsurface::fillrect(const platform::rect& r) {
  if (brush_.style == platform::brushstyle::solid) fill(r, brush_.col);
  record(recordop::fillrect, {r.left, r.top, r.right, r.bottom});
}

void recordingsurface::framerect(const platform::rect& r) {
  if (brush_.style == platform::brushstyle::solid)
    outline(r, [&](int x, int y) {
      if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
            brush_.col & 0xFFFFFF;
    });
  record(recordop::framerect, {r.left, r.top, r.right, r.bottom});
}

void recordingsurface::textout(int x, int y, std::string_view text) {
  if (brush_.style == platform::brushstyle::solid)
    fill({x, y, x + textwidth(text), y + textheight(text)}, brush_.col);
  record(recordop::textout, {x, y}, std::string(text));
}

void recordingsurface::textrect(const platform::rect& clip, int x, int y, std::string_view text) {
  if (brush_.style == platform::brushstyle::solid) fill(clip, brush_.col);
  record(recordop::textrect, {clip.left, clip.top, clip.right, clip.bottom, x, y},
         std::string(text));
}

int recordingsurface::textwidth(std::string_view text) {
  return static_cast<int>(text.size()) * roundhalfup(font_.size * 3.0 / 5.0);
}

int recordingsurface::textheight(std::string_view) {
  return roundhalfup(font_.size * 4.0 / 3.0);
}

void recordingsurface::setpixel(int x, int y, colour c) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_)
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
        c & 0xFFFFFF;
  record(recordop::setpixel, {x, y, static_cast<int>(c)});
}

colour recordingsurface::getpixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return platform::white;
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void recordingsurface::copyrect(const platform::rect& to, const platform::image& source,
                                const platform::rect& from) {
  record(recordop::copyrect,
         {to.left, to.top, to.right, to.bottom, from.left, from.top, from.right, from.bottom});
  const int64_t tw = to.width(), th = to.height(), fw = from.width(), fh = from.height();
  if (tw <= 0 || th <= 0 || fw <= 0 || fh <= 0) return;
  // Read first: the source may be this very surface.
  std::vector<colour> out;
  const int l = std::max(0, to.left), t = std::max(0, to.top);
  const int r = std::min(width_, to.right), b = std::min(height_, to.bottom);
  if (l >= r || t >= b) return;
  out.reserve(static_cast<size_t>(r - l) * static_cast<size_t>(b - t));
  // Nearest neighbour at pixel centres.
  for (int y = t; y < b; ++y) {
    const int sy = static_cast<int>(from.top + ((2 * (y - to.top) + 1) * fh) / (2 * th));
    for (int x = l; x < r; ++x) {
      const int sx = static_cast<int>(from.left + ((2 * (x - to.left) + 1) * fw) / (2 * tw));
      out.push_back(sourcepixel(source, sx, sy));
    }
  }
  size_t i = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
          out[i++];
}

void recordingsurface::blit(int x, int y, const platform::image& source, bool transparent,
                            colour key) {
  const int w = source.width(), h = source.height();
  std::vector<colour> in(static_cast<size_t>(std::max(0, w)) * static_cast<size_t>(std::max(0, h)));
  for (int sy = 0; sy < h; ++sy)
    for (int sx = 0; sx < w; ++sx)
      in[static_cast<size_t>(sy) * static_cast<size_t>(w) + static_cast<size_t>(sx)] =
          sourcepixel(source, sx, sy);
  for (int sy = 0; sy < h; ++sy) {
    const int dy = y + sy;
    if (dy < 0 || dy >= height_) continue;
    for (int sx = 0; sx < w; ++sx) {
      const int dx = x + sx;
      if (dx < 0 || dx >= width_) continue;
      const colour c =
          in[static_cast<size_t>(sy) * static_cast<size_t>(w) + static_cast<size_t>(sx)];
      if (transparent && c == (key & 0xFFFFFF)) continue;
      pixels_[static_cast<size_t>(dy) * static_cast<size_t>(width_) + static_cast<size_t>(dx)] = c;
    }
  }
}

void recordingsurface::draw(int x, int y, const platform::image& source) {
  blit(x, y, source, false, 0);
  record(recordop::draw, {x, y, source.width(), source.height()});
}

void recordingsurface::drawtransparent(int x, int y, const platform::image& source,
                                       colour transparent) {
  blit(x, y, source, true, transparent);
  record(recordop::drawtransparent,
         {x, y, static_cast<int>(transparent), source.width(), source.height()});
}

std::vector<recordentry> recordingsurface::entries(recordop op) const {
  std::vector<recordentry> out;
  for (const auto& e : entries_)
    if (e.op == op) out.push_back(e);
  return out;
}

std::vector<std::string> recordingsurface::texts() const {
  std::vector<std::string> out;
  for (const auto& e : entries_)
    if (e.op == recordop::textout || e.op == recordop::textrect) out.push_back(e.text);
  return out;
}

int recordingsurface::countpixels(colour c) const {
  return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), c & 0xFFFFFF));
}

std::unique_ptr<platform::image> recordingimagefactory::makeimage(int width, int height) {
  auto img = std::make_unique<recordingimage>(width, height);
  made_.push_back(img.get());
  return img;
}
