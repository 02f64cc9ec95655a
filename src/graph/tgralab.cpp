#include "graph/tgralab.h"

#include <algorithm>
#include <array>

namespace {

struct zone {
  int32_t x;
  int32_t y;
};

// Inclusive test of a handle zone whose origin is (x, y).
bool inzone(int32_t px, int32_t py, int32_t x, int32_t y) {
  return px >= x && px <= x + tgralab::handlesize && py >= y && py <= y + tgralab::handlesize;
}

}  // namespace

void tgralab::copyfrom(const tgralab& other) {
  text = other.text;
  softbreak = other.softbreak;
  font = other.font;
  left = other.left;
  top = other.top;
  width = other.width;
  height = other.height;
  worldx = other.worldx;
  worldy = other.worldy;
  owner = other.owner;
  under.reset();
  if (other.under && owner) {
    under = owner->labelimages().makeimage(other.under->width(), other.under->height());
    if (under) under->canvas().draw(0, 0, *other.under);
  }
}

bool tgralab::contains(int32_t x, int32_t y) const {
  return x >= left && x <= left + width && y >= top && y <= top + height;
}

void tgralab::grab() {
  if (!owner || width <= 0 || height <= 0) return;
  const tcoords& c = owner->labelcoords();
  if (!c.image) return;
  if (!under)
    under = owner->labelimages().makeimage(width, height);
  else
    under->resize(width, height);
  if (!under) return;
  under->canvas().copyrect({0, 0, width, height}, *c.image,
                           {left, top, left + width, top + height});
}

void tgralab::erase() {
  if (!owner || !under) return;
  const platform::rect to{left, top, left + under->width(), top + under->height()};
  const platform::rect from{0, 0, under->width(), under->height()};
  tcoords& c = owner->labelcoords();
  if (c.image) c.image->canvas().copyrect(to, *under, from);
  if (platform::surface* screen = separatescreen()) screen->copyrect(to, *under, from);
  owner->labelshown();
}

platform::surface* tgralab::measurer() {
  if (!owner) return nullptr;
  tcoords& c = owner->labelcoords();
  if (!c.image) return owner->labelscreen();
  c.image->canvas().setfont(font);
  return &c.image->canvas();
}

platform::surface* tgralab::separatescreen() {
  if (!owner) return nullptr;
  platform::surface* screen = owner->labelscreen();
  // A window that shows its image directly has no second surface to draw on.
  const tcoords& c = owner->labelcoords();
  if (screen && c.image && screen == &c.image->canvas()) return nullptr;
  return screen;
}

void tgralab::placefromworld() {
  if (!owner) return;
  const platform::point p = owner->labelcoords().worldtopixel(worldx, worldy);
  left = std::clamp(p.x, -maxplace, maxplace);
  top = std::clamp(p.y, -maxplace, maxplace);
}

void tgralab::setworld() {
  if (!owner) return;
  const worldpoint w = owner->labelcoords().pixeltoworld(left, top);
  worldx = w.x;
  worldy = w.y;
}

void tgralab::drawtext() {
  if (text.empty() || !owner) return;
  tcoords& c = owner->labelcoords();
  std::array<platform::surface*, 2> targets{separatescreen(),
                                            c.image ? &c.image->canvas() : nullptr};
  struct saved {
    platform::font font;
    platform::brush brush;
  };
  std::array<saved, 2> before{};
  for (size_t s = 0; s < targets.size(); ++s) {
    if (!targets[s]) continue;
    before[s] = {targets[s]->getfont(), targets[s]->getbrush()};
    targets[s]->setfont(font);
    targets[s]->setbrush({platform::white, platform::brushstyle::clear});
  }
  placefromworld();
  platform::surface* m = targets[1] ? targets[1] : targets[0];
  if (m) {
    int32_t y = 0;
    int32_t h = m->textheight(text[0]);
    for (size_t i = 0; i < text.size() && y + h < height; ++i) {
      h = m->textheight(text[i]);
      const platform::rect clip{left, top + y, left + width, top + y + h};
      for (platform::surface* t : targets)
        if (t) t->textrect(clip, left, top + y, text[i]);
      y += h;
    }
  }
  for (size_t s = 0; s < targets.size(); ++s) {
    if (!targets[s]) continue;
    targets[s]->setfont(before[s].font);
    targets[s]->setbrush(before[s].brush);
  }
  owner->labelshown();
}

void tgralab::drawframe() {
  if (!owner) return;
  platform::surface* s = owner->labelscreen();
  if (!s) return;
  const platform::pen pen = s->getpen();
  const platform::brush brush = s->getbrush();
  s->setbrush({platform::white, platform::brushstyle::clear});
  s->setpen({platform::black, 1, platform::penstyle::solid, platform::penmode::copy});
  const int32_t right = left + width;
  const int32_t bottom = top + height;
  s->rectangle({left, top, right, bottom});
  if (width >= minsize && height >= minsize) {
    s->setbrush({platform::black, platform::brushstyle::solid});
    const int32_t w2 = width / 2;
    const int32_t h2 = height / 2;
    const std::array<zone, 8> origins{{{left, top},
                                       {left, bottom - handlesize},
                                       {left + w2, top},
                                       {left + w2, bottom - handlesize},
                                       {right - handlesize, top},
                                       {right - handlesize, bottom - handlesize},
                                       {left, top + h2},
                                       {right - handlesize, top + h2}}};
    for (const zone& z : origins) s->rectangle({z.x, z.y, z.x + handlesize, z.y + handlesize});
  }
  s->setpen(pen);
  s->setbrush(brush);
  owner->labelshown();
}

bool tgralab::nofurtherout(int32_t l, int32_t t, int32_t r, int32_t b) const {
  const int32_t cw = owner->labelclientwidth();
  const int32_t ch = owner->labelclientheight();
  const auto out = [](int64_t by) { return std::max<int64_t>(by, 0); };
  return out(-int64_t{l}) <= out(-int64_t{left}) && out(-int64_t{t}) <= out(-int64_t{top}) &&
         out(int64_t{r} - cw) <= out(int64_t{left} + width - cw) &&
         out(int64_t{b} - ch) <= out(int64_t{top} + height - ch);
}

void tgralab::move(int32_t dx, int32_t dy) {
  if (!owner) return;
  if (!nofurtherout(left + dx, top + dy, left + dx + width, top + dy + height)) return;
  erase();
  left += dx;
  top += dy;
  grab();
  setworld();
  drawtext();
  drawframe();
}

void tgralab::setrect(int32_t l, int32_t t, int32_t r, int32_t b) {
  left = l;
  top = t;
  width = r - l;
  height = b - t;
}

void tgralab::resize(int32_t dx, int32_t dy) {
  if (!owner) return;
  int32_t l = left;
  int32_t t = top;
  int32_t r = left + width;
  int32_t b = top + height;
  if (handle & labelhandle::right) r += dx;
  if (handle & labelhandle::left) l += dx;
  if (handle & labelhandle::bottom) b += dy;
  if (handle & labelhandle::top) t += dy;
  // A label already below the smallest size may still grow.
  if ((r - l < minsize && r - l < width) || (b - t < minsize && b - t < height) ||
      !nofurtherout(l, t, r, b))
    return;
  const int32_t oldwidth = width;
  erase();
  setrect(l, t, r, b);
  grab();
  setworld();
  if (width < oldwidth)
    wrap();
  else
    unwrap();
  drawtext();
  drawframe();
}

void tgralab::wrap() {
  platform::surface* m = measurer();
  if (!m) return;
  softbreak.resize(text.size(), false);
  for (size_t i = 0; i < text.size(); ++i) {
    // A line keeps its last character even when that alone is too wide, or
    // the reflow would hand it on to a new line for ever.
    while (text[i].size() > 1 && m->textwidth(text[i]) > width) {
      const char c = text[i].back();
      text[i].pop_back();
      if (i + 1 < text.size() && softbreak[i]) {
        text[i + 1].insert(text[i + 1].begin(), c);
      } else {
        // The user's own next line stays as it was: the character starts a
        // line of its own, which takes over the break that followed line i.
        const auto at = static_cast<std::ptrdiff_t>(i) + 1;
        text.insert(text.begin() + at, std::string(1, c));
        softbreak.insert(softbreak.begin() + at, softbreak[i]);
        softbreak[i] = true;
      }
    }
  }
}

void tgralab::unwrap() {
  platform::surface* m = measurer();
  if (!m) return;
  softbreak.resize(text.size(), false);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    while (i + 1 < text.size() && softbreak[i] && m->textwidth(text[i]) < width) {
      std::string& next = text[i + 1];
      if (!next.empty()) {
        text[i].push_back(next.front());
        next.erase(next.begin());
      }
      if (next.empty()) {
        const auto at = static_cast<std::ptrdiff_t>(i) + 1;
        softbreak[i] = softbreak[i + 1];
        text.erase(text.begin() + at);
        softbreak.erase(softbreak.begin() + at);
      }
    }
  }
}

uint8_t tgralab::grabhandle(int32_t x, int32_t y) {
  const int32_t right = left + width;
  const int32_t bottom = top + height;
  const int32_t w2 = width / 2;
  const int32_t h2 = height / 2;
  const int32_t hs = handlesize;
  struct entry {
    zone at;
    uint8_t code;
  };
  const std::array<entry, 8> table{{{{left, top}, 10},
                                    {{left, bottom - hs}, 6},
                                    {{left + w2, top}, 8},
                                    {{left + w2, bottom - hs}, 4},
                                    {{right - hs, top}, 9},
                                    {{right - hs, bottom - hs}, 5},
                                    {{left, top + h2}, 2},
                                    {{right - hs, top + h2}, 1}}};
  handle = 0;
  for (const entry& e : table) {
    if (inzone(x, y, e.at.x, e.at.y)) {
      handle = e.code;
      break;
    }
  }
  return handle;
}

int tgralab::cursorat(int32_t x, int32_t y) const {
  const int32_t right = left + width;
  const int32_t bottom = top + height;
  const int32_t w2 = width / 2;
  const int32_t h2 = height / 2;
  const int32_t hs = handlesize;
  // The middle zones sit 2 pixels earlier than the grab zones, centring them
  // on the handle squares.
  struct entry {
    zone at;
    int cursor;
  };
  const std::array<entry, 8> table{{{{left, top}, labelcursor::northwest},
                                    {{right - hs, bottom - hs}, labelcursor::northwest},
                                    {{left, bottom - hs}, labelcursor::northeast},
                                    {{right - hs, top}, labelcursor::northeast},
                                    {{left, top + h2 - 2}, labelcursor::westeast},
                                    {{right - hs, top + h2 - 2}, labelcursor::westeast},
                                    {{left + w2 - 2, top}, labelcursor::northsouth},
                                    {{left + w2 - 2, bottom - hs}, labelcursor::northsouth}}};
  for (const entry& e : table)
    if (inzone(x, y, e.at.x, e.at.y)) return e.cursor;
  return contains(x, y) ? labelcursor::move : labelcursor::none;
}
