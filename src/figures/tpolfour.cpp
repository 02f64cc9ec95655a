#include "figures/tpolfour.h"

double tpolfour::value(double x) const {
  return (((param[1] * x + param[2]) * x + param[3]) * x + param[4]) * x + param[5];
}

void tpolfour::setcounts() {
  paramcount = 5;
  maxfix = 4;
}

void tpolfour::initfixpoints() {
  tfigure::initfixpoints();
  fixx[1] = 0;
  fixy[1] = param[5];
  snapped = true;
}
