// The arithmetic of one evaluation step: built-in functions, powers and the
// floating-point faults that make a value undefined. Shared by the tree walk
// (evalexpr) and the compiled program (tprogram), so that both do the very same
// operations on the same numbers and agree to the last bit.
#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace evalops {

inline constexpr int fpfaults = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;

// Rounds to the nearest whole number, halves to even, as a 32-bit integer.
// Out of range (or NaN) is the invalid operation the conversion would raise.
inline bool roundtoint(double v, int32_t& n) {
  const double r = std::nearbyint(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return false;
  n = static_cast<int32_t>(r);
  return true;
}

// "random": a draw from the evaluator's generator.
bool randomdraw(double v, double& value);

// Built-in function number 1..19 applied to v. False: undefined, value 0.
inline bool function(int number, double v, double& value) {
  value = 0;
  switch (number) {
    case 1:
      value = std::fabs(v);
      return true;
    case 2:
      value = std::atan(v);
      return true;
    case 3:
      value = std::cos(v);
      return true;
    case 4:
      if (!(v < 700)) return false;
      value = std::exp(v);
      return true;
    case 5:
      value = v - std::trunc(v);
      return true;
    case 6: {
      int32_t n = 0;
      if (!roundtoint(v, n) || n != std::fabs(v) || !(v < 34)) return false;
      double product = 1;
      for (int32_t i = 2; i <= n; ++i) product *= i;
      value = product;
      return true;
    }
    case 7:
      value = std::trunc(v);
      return true;
    case 8:
      if (v == 1) {
        value = std::numbers::pi / 2;
      } else if (v == -1) {
        value = -std::numbers::pi / 2;
      } else {
        if (!(v <= 1 && v >= -1)) return false;
        value = std::atan(v / std::sqrt(1 - v * v));
      }
      return true;
    case 9:
      if (v == 0) {
        value = std::numbers::pi / 2;
      } else {
        if (!(v <= 1 && v >= -1)) return false;
        value = std::acos(v);
      }
      return true;
    case 10:
      if (!(v > 0)) return false;
      value = std::log(v);
      return true;
    case 11:
      // log10 rather than ln v / ln 10, so that log(1000) is exactly 3.
      if (!(v > 0)) return false;
      value = std::log10(v);
      return true;
    case 12:
      return randomdraw(v, value);
    case 13: {
      int32_t n = 0;
      if (!roundtoint(v, n)) return false;
      value = n;
      return true;
    }
    case 14:
      value = v < 0 ? -1 : v > 0 ? 1 : 0;
      return true;
    case 15:
      value = std::sin(v);
      return true;
    case 16:
      value = v * v;
      return true;
    case 17:
      if (!(v >= 0)) return false;
      value = std::sqrt(v);
      return true;
    case 18:
    case 19: {
      const double c = std::cos(v);
      if (c == 0) return false;
      value = std::sin(v) / c;
      return true;
    }
    default:
      return false;
  }
}

// Exponents taken by repeated multiplication: much faster than pow, for any
// base, with the same signs and the same overflow.
inline bool smallwhole(double p) {
  return p >= 1 && p <= 16 && p == static_cast<int>(p);
}

inline double powi(double b, int n) {
  double result = b;
  for (int i = 1; i < n; ++i) result *= b;
  return result;
}

// b^p. pow rather than exp(p * ln b): the same value where both are exact
// enough, but 2^3 is exactly 8.
inline bool power(double b, double p, double& value) {
  if (smallwhole(p)) {
    value = powi(b, static_cast<int>(p));
    return true;
  }
  value = 0;
  if (b > 0) {
    value = std::pow(b, p);
    return true;
  }
  if (b == 0 && p > 0) return true;
  int32_t n = 0;
  if (!roundtoint(p, n)) return false;
  if (n == p && b < 0) {
    value = std::pow(-b, p);
    if (n % 2 != 0) value = -value;
    return true;
  }
  return false;
}

}  // namespace evalops
