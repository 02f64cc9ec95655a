#include "figures/tsin.h"

#include <cmath>

double tsin::value(double x) const { return param[1] * std::sin(param[2] * x + param[3]) + param[4]; }

void tsin::setcounts() {
  paramcount = 4;
  maxfix = 1;
}

void tsin::initfixpoints() {
  tfigure::initfixpoints();
  fixx[1] = 0;
  fixy[1] = param[1] * std::sin(param[3]) + param[4];
  snapped = true;
}
