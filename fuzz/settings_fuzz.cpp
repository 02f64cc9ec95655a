// A settings file applied to a graph window without a screen: whatever the
// reader accepts gives a coordinate system whose pixel and world mappings are
// finite numbers, and figures of every family that sample, draw and write
// their formula with work in proportion to the window's size.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/tinicodec.h"
#include "codecs/tsettings.h"
#include "codecs/ttextlines.h"
#include "expr/parseexpr.h"
#include "figures/editnumbers.h"
#include "figures/makefigure.h"
#include "figures/tcustom.h"
#include "figures/theadlesshost.h"

namespace {

// A surface that draws nothing and counts what it is asked to draw, so that a
// run costs little more than the program's own loops.
class countingsurface : public platform::surface {
 public:
  long calls = 0;
  void setpen(const platform::pen& p) override { pen_ = p; }
  platform::pen getpen() const override { return pen_; }
  void setbrush(const platform::brush& b) override { brush_ = b; }
  platform::brush getbrush() const override { return brush_; }
  void setfont(const platform::font& f) override { font_ = f; }
  platform::font getfont() const override { return font_; }
  int fontheight() const override { return -font_.size * 4 / 3; }
  void moveto(int, int) override { ++calls; }
  void lineto(int, int) override { ++calls; }
  void polyline(std::span<const platform::point> points) override {
    calls += static_cast<long>(points.size());
  }
  void rectangle(const platform::rect&) override { ++calls; }
  void fillrect(const platform::rect&) override { ++calls; }
  void framerect(const platform::rect&) override { ++calls; }
  void textout(int, int, std::string_view) override { ++calls; }
  void textrect(const platform::rect&, int, int, std::string_view) override { ++calls; }
  int textwidth(std::string_view t) override { return static_cast<int>(t.size()) * 6; }
  int textheight(std::string_view) override { return 13; }
  void setpixel(int, int, platform::colour) override { ++calls; }
  platform::colour getpixel(int, int) const override { return platform::white; }
  void copyrect(const platform::rect&, const platform::image&, const platform::rect&) override {
    ++calls;
  }
  void draw(int, int, const platform::image&) override { ++calls; }
  void drawtransparent(int, int, const platform::image&, platform::colour) override { ++calls; }

 private:
  platform::pen pen_;
  platform::brush brush_;
  platform::font font_;
};

class countingimage : public platform::image {
 public:
  countingimage(int width, int height) : width_(width), height_(height) {}
  platform::surface& canvas() override { return canvas_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  void resize(int width, int height) override {
    width_ = width;
    height_ = height;
  }
  countingsurface canvas_;

 private:
  int width_;
  int height_;
};

class countingfactory : public platform::imagefactory {
 public:
  std::vector<countingimage*> made;
  std::unique_ptr<platform::image> makeimage(int width, int height) override {
    auto i = std::make_unique<countingimage>(width, height);
    made.push_back(i.get());
    return i;
  }
};

platform::colour palettecolour(int index) {
  if (index < 0 || index >= static_cast<int>(palette.size())) return platform::black;
  const tpalettecolour& c = palette[static_cast<size_t>(index)];
  return platform::rgb(c.r, c.g, c.b);
}

// A field as the options give it to a window: its number, or the default
// when the text is none.
float field(const std::string& text, char sep, float fallback) {
  const std::optional<float> v = edittofloat(text, sep);
  return v ? *v : fallback;
}

bool finite(const worldpoint& p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}

void check(const tsettings& s, char sep, int width, int height, bool withfigures) {
  // One window for the whole run, as the options are applied to windows that
  // are open: its images and figures are made once.
  static theadlesshost host;
  static countingfactory images;
  static tcoords coords;
  static std::array<std::unique_ptr<tfigure>, family::count> figures;
  host.width = width;
  host.height = height;
  host.background = palettecolour(s.background);
  host.options.axiscolour = palettecolour(s.foreground);
  host.options.gridcolour = palettecolour(s.grid);
  host.options.figcolours = {palettecolour(s.passive), palettecolour(s.active),
                             palettecolour(s.frzactive), palettecolour(s.frzpassive)};
  host.options.showgrid = true;
  host.options.gridstep = field(s.gridstep, sep, 0.5f);
  host.options.tickstep = field(s.intstep, sep, 1.0f);
  host.separator = sep;
  host.roundvalues = s.params.alwaysround;
  host.name = funcnameprefixes[static_cast<size_t>(std::clamp(s.params.funcname, 0, 3))];
  for (int k = 1; k <= 5; ++k) {
    const auto p = static_cast<size_t>(k - 1);
    host.mins[static_cast<size_t>(k)] = s.params.min[p];
    host.maxs[static_cast<size_t>(k)] = s.params.max[p];
    host.steps[static_cast<size_t>(k)] = s.params.step[p];
    host.formats[static_cast<size_t>(k)] = s.params.format[p];
    host.values[static_cast<size_t>(k)] = std::clamp(1.0f, s.params.min[p], s.params.max[p]);
  }

  if (!coords.image) coords.create(host, images);
  coords.zoomhistory.clear();
  coords.readoptions();
  coords.image->resize(width, height);
  // A range the window refuses gives the default one, as a window opened on
  // such settings does; keeping the last range would pair it with the scales
  // of another size.
  if (!coords.setup(0, 0, width, height, field(s.minx, sep, -10), field(s.maxx, sep, 10),
                    field(s.miny, sep, -10), field(s.maxy, sep, 10)))
    coords.setup(0, 0, width, height, -10, 10, -10, 10);
  coords.drawbackground();
  coords.drawaxes();
  for (int px : {0, width / 2, width - 1, width})
    for (int py : {0, height / 2, height}) {
      const worldpoint w = coords.pixeltoworld(px, py);
      if (!finite(w)) __builtin_trap();
      const platform::point back = coords.worldtopixel(w.x, w.y);
      if (std::abs(back.x - px) > 1 || std::abs(back.y - py) > 1) __builtin_trap();
    }
  if (!std::isfinite(coords.xstep) || !std::isfinite(coords.ystep)) __builtin_trap();
  // One tick per pixel at most, and the ends.
  if (coords.ticks.size() > static_cast<size_t>(2 * (width + height) + 8)) __builtin_trap();

  if (!withfigures) return;
  for (int kind = 0; kind < family::count; ++kind) {
    std::unique_ptr<tfigure>& f = figures[static_cast<size_t>(kind)];
    if (!f) f = makefigure(kind, coords, host);
    if (kind == family::custom) {
      texpression e;
      parseexpr(e, "a*x^2+b*sin(c*x)");
      static_cast<tcustom&>(*f).setformula(e);
    }
    f->reset();
    f->calculate();
    f->draw();
    (void)f->formula();
    f->setstep();
    if (!std::isfinite(f->step) || !(f->step > 0)) __builtin_trap();
    (void)f->hittest(width / 2, height / 2);
  }
  // A grid dot or tick per pixel at most, a curve point per pixel column.
  for (countingimage* i : images.made) {
    if (i->canvas_.calls >
        8L * (width + 2) * (height + 2) + 20L * family::count * (width + 2) + 1000)
      __builtin_trap();
    i->canvas_.calls = 0;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The decimal separator follows the length, so that one space more or less
  // reads the same text the other way; reading it both ways every run halved
  // the runs a second for little new ground.
  const char sep = size % 2 == 0 ? '.' : ',';
  tsettings s = defaultsettings(sep);
  tinicodec c;
  c.setlines(codecs::splitlines(text));
  (void)c.reading(s);
  // Figures are sampled in the middle size only, to keep runs quick.
  check(s, sep, 97, 61, true);
  check(s, sep, 1, 1, false);
  check(s, sep, 640, 9, false);
  return 0;
}
