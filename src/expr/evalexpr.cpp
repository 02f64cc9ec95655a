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
  // Small whole exponents (x^2, x^3 ...) by multiplication: much faster than
  // pow, for any base, with the same signs and the same overflow.
  if (p >= 1 && p <= 16 && p == static_cast<int>(p)) {
    const int n = static_cast<int>(p);
    double result = b;
    for (int i = 1; i < n; ++i) result *= b;
    value = result;
    return true;
  }
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

evalresult eval(const tnode* node, double x, double y);

// Leaves are about half of every tree: reading them here, without a call and
// without the jump table, is what makes the walk fast.
inline evalresult operand(const tnode* node, double x, double y) {
  const int32_t kind = node->kind;
  if (kind == nodekind::number) return {true, node->value};
  if (kind == nodekind::varx) return {true, x};
  if (nodekind::isparam(kind)) return {true, params[-kind - 6].todouble()};
  if (kind == nodekind::vary) return {true, y};
  return eval(node, x, y);
}

// The recursive worker: no floating-point status work here, the public entry
// points do it once. Returns its pair in registers.
evalresult eval(const tnode* node, double x, double y) {
  const int32_t kind = node->kind;
  if (kind == nodekind::sum || kind == nodekind::product || kind == nodekind::difference ||
      kind == nodekind::power || kind == nodekind::quotient) {
    if (!node->left || !node->right) return {};
    const evalresult l = operand(node->left, x, y);
    if (!l.ok) return {};
    const evalresult r = operand(node->right, x, y);
    if (!r.ok) return {};
    if (kind == nodekind::sum) return {true, l.value + r.value};
    if (kind == nodekind::product) return {true, l.value * r.value};
    if (kind == nodekind::difference) return {true, l.value - r.value};
    if (kind == nodekind::power) {
      double value = 0;
      const bool ok = power(l.value, r.value, value);
      return {ok, value};
    }
    if (r.value == 0) return {};
    return {true, l.value / r.value};
  }
  if (kind <= nodekind::number) {
    if (kind == nodekind::number || kind == nodekind::varx || kind == nodekind::vary ||
        nodekind::isparam(kind))
      return operand(node, x, y);
  }
  if (!node->left) return {};
  const evalresult l = operand(node->left, x, y);
  if (!l.ok) return {};
  if (kind == nodekind::negation) return {true, -l.value};
  if (!nodekind::isfunction(kind)) return l;
  double value = 0;
  const bool ok = function(kind - nodekind::function0, l.value, value);
  return {ok, value};
}

// One test of the status flags per evaluation, after it: testing is costly
// enough to matter per plotted point, clearing more so. A flag may have been
// left set by code outside the evaluator, so when one is found it is cleared
// and the evaluation run once more from clean flags; only then does a flag
// mean the evaluation itself overflowed, divided by zero or did something
// invalid.
template <typename work>
evalresult guarded(work run) {
  evalresult r = run();
  // The volatile store keeps the compiler from moving the last operation
  // past the test of the flags.
  volatile double settled = r.value;
  (void)settled;
  if (std::fetestexcept(fpfaults)) {
    std::feclearexcept(fpfaults);
    r = run();
    settled = r.value;
    if (std::fetestexcept(fpfaults)) {
      std::feclearexcept(fpfaults);
      return {};
    }
  }
  if (!r.ok || !std::isfinite(r.value)) return {};
  return r;
}

}  // namespace

evalresult evalexpr(const tnode* node, double x, double y) {
  if (!node) return {};
  return guarded([&] { return eval(node, x, y); });
}

evalresult applyfunc(int number, double v) {
  return guarded([&] {
    double value = 0;
    const bool ok = function(number, v, value);
    return evalresult{ok, value};
  });
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
