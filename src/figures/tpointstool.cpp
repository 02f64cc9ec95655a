#include "figures/tpointstool.h"

#include <algorithm>
#include <cstdlib>

#include "figures/numbers.h"

std::string specialtext::name(specialkind kind) {
  switch (kind) {
    case specialkind::zero:
      return "Nullpunkt";
    case specialkind::maximum:
      return "Toppunkt";
    case specialkind::minimum:
      return "Bunnpunkt";
    case specialkind::yaxis:
      return "Skj\xE6ring med y-aksen";
  }
  return {};
}

std::string specialtext::count(const specialpoints& s) {
  int n[4] = {0, 0, 0, 0};
  for (const specialpoint& p : s.points) ++n[static_cast<int>(p.kind)];
  std::string text = "Nullpunkter: " + std::to_string(n[0]) +
                     "  Toppunkter: " + std::to_string(n[1]) +
                     "  Bunnpunkter: " + std::to_string(n[2]) +
                     "  Skj\xE6ring med y-aksen: " + std::to_string(n[3]);
  if (s.incomplete) text += morepoints;
  return text;
}

void tspecialtool::press(int32_t px, int32_t py) {
  figure = nullptr;
  for (tfigure* f : host_.windowfigures()) {
    if (f->hittest(px, py)) {
      figure = f;
      break;
    }
  }
  update();
}

void tspecialtool::update() {
  found = {};
  if (!figure) {
    host_.setstatus(specialtext::hint);
    return;
  }
  const tcoords& c = host_.coordsystem();
  const specialwindow w{c.minx, c.maxx, c.miny, c.maxy, std::max(host_.clientwidth(), 2)};
  const tfigure& f = *figure;
  found = findspecialpoints([&f](double x) { return f.value(x); }, w);
  host_.setstatus(specialtext::count(found));
}

void drawpointmark(platform::surface& s, platform::point at) {
  const int r = tspecialtool::markradius * s.pixelscale();
  const platform::pen before = s.getpen();
  const platform::brush brushbefore = s.getbrush();
  platform::pen p = before;
  p.col = platform::black;
  p.width = 1;
  p.style = platform::penstyle::solid;
  p.mode = platform::penmode::copy;
  s.setpen(p);
  s.setbrush({platform::white, platform::brushstyle::solid});
  s.rectangle({at.x - r, at.y - r, at.x + r + 1, at.y + r + 1});
  s.setpen(before);
  s.setbrush(brushbefore);
}

void tspecialtool::draw() {
  tcoords& c = host_.coordsystem();
  if (!figure || !c.image) return;
  for (const specialpoint& q : found.points)
    drawpointmark(c.image->canvas(), c.worldtopixel(q.x, q.y));
}

void tspecialtool::clear() {
  figure = nullptr;
  found = {};
}

void tspecialtool::forget(const tfigure& f) {
  if (figure == &f) clear();
}

std::optional<std::string> tspecialtool::hinttext(int32_t px, int32_t py,
                                                  const std::string& separator,
                                                  char decimalseparator) const {
  if (!figure) return std::nullopt;
  const tcoords& c = host_.coordsystem();
  for (const specialpoint& q : found.points) {
    const platform::point at = c.worldtopixel(q.x, q.y);
    if (std::abs(at.x - px) > reach || std::abs(at.y - py) > reach) continue;
    // As the crossing hint, without its trailing blank; a zero's y is 0.
    const double y = q.kind == specialkind::zero ? 0.0 : q.y;
    return specialtext::name(q.kind) + " " + fixedtext(q.x, "%.2f", decimalseparator) + " " +
           separator + " " + fixedtext(y, "%.2f", decimalseparator);
  }
  return std::nullopt;
}
