#include "graph/tframe.h"

void tframe::start(int32_t x, int32_t y) {
  left = x;
  top = y;
  width = 0;
  height = 0;
}

void tframe::dragto(int32_t x, int32_t y) {
  if (x < left || y < top) return;
  width = x - left;
  height = y - top;
}

void tframe::draw() {
  if (!canvas) return;
  const platform::pen before = canvas->getpen();
  canvas->setpen({platform::white, 1, platform::penstyle::solid, platform::penmode::xor_});
  // lineto leaves out its end pixel, so every pixel of the closed outline is
  // touched exactly once and a second draw restores the picture.
  canvas->moveto(left, top);
  canvas->lineto(left + width, top);
  canvas->lineto(left + width, top + height);
  canvas->lineto(left, top + height);
  canvas->lineto(left, top);
  canvas->setpen(before);
}
