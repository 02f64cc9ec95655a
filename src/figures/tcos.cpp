#include "figures/tcos.h"

#include <cmath>

double tcos::value(double x) const { return param[1] * std::cos(param[2] * x + param[3]) + param[4]; }

void tcos::setcounts() {
  paramcount = 4;
  maxfix = 1;
}

void tcos::initfixpoints() {
  tfigure::initfixpoints();
  fixx[1] = 0;
  fixy[1] = param[1] * std::cos(param[3]) + param[4];
  snapped = true;
}
