#include "figures/trectangle.h"

double trectangle::value(double x) const { return param[1] * x + param[2]; }

void trectangle::setcounts() {
  paramcount = 2;
  maxfix = 1;
}

void trectangle::initfixpoints() {
  tfigure::initfixpoints();
  fixx[1] = 0;
  fixy[1] = param[2];
}

void trectangle::calculate() {
  if (unchanged()) return;
  end1 = coords->worldtopixel(coords->minx, param[1] * coords->minx + param[2]);
  end2 = coords->worldtopixel(coords->maxx, param[1] * coords->maxx + param[2]);
  oldparam = param;
}

void trectangle::draw() {
  if (!coords->image) return;
  platform::surface& s = coords->image->canvas();
  const platform::pen old = s.getpen();
  s.setpen({statecolour(), 1, platform::penstyle::solid, platform::penmode::copy});
  s.moveto(end1.x, end1.y);
  s.lineto(end2.x, end2.y);
  s.setpen(old);
}
