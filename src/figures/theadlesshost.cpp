#include "figures/theadlesshost.h"

platform::point theadlesshost::rangelabelsize(int which, platform::surface& canvas) {
  if (which < 0 || which > 3) return {};
  const platform::font old = canvas.getfont();
  canvas.setfont(labelfont);
  const platform::point size{canvas.textwidth(labels[which].text),
                             canvas.textheight(labels[which].text)};
  canvas.setfont(old);
  return size;
}

void theadlesshost::placerangelabel(int which, int left, int top, const std::string& text,
                                    platform::colour textcolour) {
  if (which < 0 || which > 3) return;
  labels[which] = {left, top, text, textcolour};
}

void theadlesshost::showrangelabels(platform::surface& image) {
  // A label control would show its text on the window colour; write it so.
  const platform::font oldfont = image.getfont();
  const platform::brush oldbrush = image.getbrush();
  image.setbrush({background, platform::brushstyle::solid});
  for (const tlabel& l : labels) {
    platform::font f = labelfont;
    f.col = l.col;
    image.setfont(f);
    image.textout(l.left, l.top, l.text);
  }
  image.setfont(oldfont);
  image.setbrush(oldbrush);
}

void theadlesshost::placearrows(platform::point x, platform::point y) {
  xarrow = x;
  yarrow = y;
}
