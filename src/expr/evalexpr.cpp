#include "expr/evalexpr.h"

#include <cfenv>
#include <cmath>
#include <random>

#include "expr/evalops.h"

using evalops::fpfaults;

namespace {

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
      const bool ok = evalops::power(l.value, r.value, value);
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
  const bool ok = evalops::function(kind - nodekind::function0, l.value, value);
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

bool evalops::randomdraw(double v, double& value) {
  value = 0;
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

evalresult evalexpr(const tnode* node, double x, double y) {
  if (!node) return {};
  return guarded([&] { return eval(node, x, y); });
}

evalresult applyfunc(int number, double v) {
  return guarded([&] {
    double value = 0;
    const bool ok = evalops::function(number, v, value);
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

std::array<real48, 5>& paramvalues() {
  return params;
}

void setparamvalue(int p, double v) {
  if (p >= 1 && p <= 5) params[p - 1] = real48::fromdouble(v);
}

double paramvalue(int p) {
  return p >= 1 && p <= 5 ? params[p - 1].todouble() : 0.0;
}
