#include "figures/tellipse.h"

double tellipse::value(double x) const { return (param[1] * x + param[2]) * x + param[3]; }

void tellipse::setcounts() {
  paramcount = 3;
  maxfix = 2;
}

void tellipse::initfixpoints() {
  tfigure::initfixpoints();
  const double a = param[1], b = param[2], c = param[3];
  if (a != 0) {
    fixx[1] = -b / (2 * a);
    fixy[1] = (4 * a * c - b * b) / (4 * a);
  } else {
    fixx[1] = 0;
    fixy[1] = c;
  }
  snapped = true;
}
