#include "expr/real48.h"

#include <bit>
#include <cmath>

// Works on the IEEE bits: a double has 52 fraction bits, a real48 39, so the
// 13 lowest bits are rounded away (ties to even) and the exponent rebiased.
real48 real48::fromdouble(double v) {
  real48 r;
  if (std::isnan(v) || v == 0.0) return r;
  const bool negative = std::signbit(v);
  double a = std::fabs(v);
  if (a > real48max) a = real48max;  // infinities included
  if (a < real48min / 2) return r;   // rounds to nothing: too small anyway

  uint64_t bits = std::bit_cast<uint64_t>(a);
  int exponent = static_cast<int>(bits >> 52);  // biased by 1023
  uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  if (exponent == 0) return r;  // subnormal double: far below real48min

  // Round the 52-bit fraction to 39 bits, ties to even.
  const uint64_t dropped = mantissa & 0x1fff;
  mantissa >>= 13;
  if (dropped > 0x1000 || (dropped == 0x1000 && (mantissa & 1))) {
    ++mantissa;
    if (mantissa >> 39) {  // carried into the hidden bit
      mantissa = 0;
      ++exponent;
    }
  }
  int e = exponent - 1023 + 129;
  if (e < 1) return r;  // below 2^-128 even after rounding
  if (e > 255) {        // rounded past the largest value: saturate
    e = 255;
    mantissa = (uint64_t{1} << 39) - 1;
  }
  r.bytes[0] = static_cast<uint8_t>(e);
  for (int i = 1; i <= 5; ++i) {
    r.bytes[i] = static_cast<uint8_t>(mantissa & 0xff);
    mantissa >>= 8;
  }
  if (negative) r.bytes[5] |= 0x80;
  return r;
}
