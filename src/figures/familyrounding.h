// Rounding to a multiple of a unit as the families use it (the quotient is
// taken in 4-byte float precision, ties to even).
#pragma once

#include <cmath>

inline double roundtounit(double v, double unit) {
  const float q = static_cast<float>(v / unit);
  return static_cast<double>(std::nearbyint(q)) * unit;
}
