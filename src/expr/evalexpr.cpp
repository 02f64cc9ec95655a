#include "expr/evalexpr.h"

#include <cfenv>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr int fpfaults = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;

std::array<real48, 5> makeparams() {
  std::array<real48, 5> values;
  values.fill(real48::fromdouble(1.0));
  return values;
}

std::array<real48, 5> params = makeparams();

// "random" draws from a Mersenne twister seeded once from the system's entropy
// source, so a plotted random curve differs from run to run.
std::mt19937& generator() {
  static std::mt19937 engine{std::random_device{}()};
  return engine;
}

// Rounds to the nearest whole number, halves to even, as a 32-bit integer.
// Out of range (or NaN) is the invalid operation the conversion would raise.
bool roundtoint(double v, int32_t& n) {
  const double r = std::nearbyint(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return false;
  n = static_cast<int32_t>(r);
  return true;
}

bool function(int number, double v, double& value) {
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
    case 12: {
      if (std::isnan(v)) return false;
      if (v <= 0) {
        value = std::uniform_real_distribution<double>(0.0, 1.0)(generator());
        return true;
      }
      int32_t n = 0;
      if (!roundtoint(v, n)) return false;
      if (n > 1) value = std::uniform_int_distribution<int32_t>(0, n - 1)(generator());
      return true;
    }
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

// b^p. pow rather than exp(p * ln b): the same value where both are exact
// enough, but 2^3 is exactly 8.
bool power(double b, double p, double& value) {
  if (b > 0) {
    value = std::pow(b, p);
    return true;
  }
  if (b == 0 && p > 0) {
    value = 0;
    return true;
  }
  int32_t n = 0;
  if (!roundtoint(p, n)) return false;
  if (n == p && b < 0) {
    value = std::pow(-b, p);
    if (n % 2 != 0) value = -value;
    return true;
  }
  return false;
}

// The recursive worker: no floating-point status work here, the public entry
// points test it once.
bool eval(const tnode* node, double x, double y, double& value) {
  double left = 0, right = 0;
  switch (node->kind) {
    case nodekind::number:
      value = node->value;
      return true;
    case nodekind::varx:
      value = x;
      return true;
    case nodekind::vary:
      value = y;
      return true;
    case nodekind::sum:
    case nodekind::difference:
    case nodekind::product:
    case nodekind::quotient:
    case nodekind::power:
      if (!node->left || !node->right) return false;
      if (!eval(node->left, x, y, left) || !eval(node->right, x, y, right)) return false;
      switch (node->kind) {
        case nodekind::sum:
          value = left + right;
          return true;
        case nodekind::difference:
          value = left - right;
          return true;
        case nodekind::product:
          value = left * right;
          return true;
        case nodekind::quotient:
          if (right == 0) {
            value = 0;
            return false;
          }
          value = left / right;
          return true;
        default:
          return power(left, right, value);
      }
    case nodekind::negation:
      if (!node->left || !eval(node->left, x, y, left)) return false;
      value = -left;
      return true;
    default:
      if (nodekind::isparam(node->kind)) {
        value = params[-node->kind - 6].todouble();
        return true;
      }
      if (!node->left || !eval(node->left, x, y, left)) return false;
      if (nodekind::isfunction(node->kind)) return function(node->kind - nodekind::function0, left, value);
      value = left;
      return true;
  }
}

// Clears the fault flags only when one is set: testing is much cheaper than
// clearing, and after a defined evaluation none is set.
void clearfaults() {
  if (std::fetestexcept(fpfaults)) std::feclearexcept(fpfaults);
}

bool faulted(double value) {
  // The volatile store keeps the compiler from moving the last operation
  // past the test of the status flags.
  volatile double settled = value;
  (void)settled;
  return std::fetestexcept(fpfaults) != 0;
}

}  // namespace

evalresult evalexpr(const tnode* node, double x, double y) {
  if (!node) return {};
  clearfaults();
  double value = 0;
  const bool ok = eval(node, x, y, value);
  if (!ok || faulted(value) || !std::isfinite(value)) return {false, 0};
  return {true, value};
}

evalresult applyfunc(int number, double v) {
  clearfaults();
  double value = 0;
  const bool ok = function(number, v, value);
  if (!ok || faulted(value) || !std::isfinite(value)) return {false, 0};
  return {true, value};
}

paramcheckresult paramcheck(const tnode* node) {
  if (!node) return {};
  const int32_t kind = node->kind;
  if (nodekind::isparam(kind)) return {true, true};
  switch (kind) {
    case nodekind::number:
    case nodekind::varx:
    case nodekind::vary:
      return {true, false};
    case nodekind::sum:
    case nodekind::difference: {
      const auto l = paramcheck(node->left);
      if (!l.ok) return {false, l.hasparam};
      const auto r = paramcheck(node->right);
      return {r.ok, l.hasparam || r.hasparam};
    }
    case nodekind::product:
    case nodekind::quotient:
    case nodekind::power: {
      const auto l = paramcheck(node->left);
      const auto r = paramcheck(node->right);
      return {l.ok && r.ok && !(l.hasparam && r.hasparam), l.hasparam || r.hasparam};
    }
    default: {
      const auto l = paramcheck(node->left);
      if (kind > nodekind::function0 && kind < 200) return {l.ok && !l.hasparam, l.hasparam};
      return l;
    }
  }
}

std::array<real48, 5>& paramvalues() { return params; }

void setparamvalue(int p, double v) {
  if (p >= 1 && p <= 5) params[p - 1] = real48::fromdouble(v);
}

double paramvalue(int p) { return p >= 1 && p <= 5 ? params[p - 1].todouble() : 0.0; }
