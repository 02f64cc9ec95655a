#include "figures/tparab.h"

double tparab::value(double x) const {
  const double u = x - param[2];
  return param[1] * u * u + param[3];
}

void tparab::setcounts() {
  paramcount = 3;
  maxfix = 2;
}

void tparab::initfixpoints() {
  tfigure::initfixpoints();
  fixx[1] = param[2];
  fixy[1] = param[3];
}
