#include "figures/tpolthree.h"

#include <cmath>
#include <limits>

#include "figures/numbers.h"

double tpolthree::value(double x) const {
  return ((param[1] * x + param[2]) * x + param[3]) * x + param[4];
}

void tpolthree::setcounts() {
  paramcount = 4;
  maxfix = 3;
}

void tpolthree::initfixpoints() {
  tfigure::initfixpoints();
  const double a = param[1], b = param[2], c = param[3];
  const double d = 4 * b * b - 12 * a * c;
  ext1x = 0;
  ext2x = 0;
  if (a != 0 && d >= 0) {
    const double x1 = (-2 * b + std::sqrt(d)) / (6 * a);
    const double x2 = (-2 * b - std::sqrt(d)) / (6 * a);
    // Extremes no 4-byte float holds (a tiny a with a huge b) count as none.
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::fabs(x1) <= largest && std::fabs(x2) <= largest) {
      ext1x = x1;
      ext2x = x2;
    }
  }
  // Rounded as the parameter boxes round, in 4-byte floats.
  ext1x = roundtostep(static_cast<float>(ext1x), 0.000001f);
  ext2x = roundtostep(static_cast<float>(ext2x), 0.000001f);
  ext1y = value(ext1x);
  ext2y = value(ext2x);
  // The inflection point when the extremes exist, (0, d) otherwise.
  fixx[1] = (ext1x + ext2x) / 2;
  fixy[1] = (ext1y + ext2y) / 2;
  snapped = true;
}
