// Formulas from anywhere: parse, evaluate (walked and compiled, which must
// agree), differentiate and print, and parse the printed derivative again. Any
// bytes must give an error code or a tree.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include "expr/derivexpr.h"
#include "expr/evalexpr.h"
#include "expr/exprtext.h"
#include "expr/parseexpr.h"
#include "expr/tprogram.h"

namespace {

bool containsrandom(const tnode* n) {
  if (!n) return false;
  return n->kind == nodekind::function0 + 12 || containsrandom(n->left) || containsrandom(n->right);
}

bool samebits(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The formula entry field holds at most 80 characters.
  const std::string text(reinterpret_cast<const char*>(data), size < 80 ? size : 80);
  texpression e;
  parseexpr(e, text);
  if (e.errmark.size() != text.size() || e.text != text) __builtin_trap();
  if (e.errcode != 0) return 0;
  if (e.errmark.find('f') != std::string::npos) __builtin_trap();

  static constexpr double xs[] = {-3.5, -1.0, -0.0, 0.0, 0.5, 1.0, 2.0, 3.0, 1e10, -1e300, 700.5};
  for (double x : xs) {
    const evalresult r = evalexpr(&e.root, x, 0);
    if (!r.ok && r.value != 0) __builtin_trap();
  }
  // The compiled program gives what the tree walk gives, to the bit, point by
  // point and over all points at once. Random numbers differ by nature.
  if (!containsrandom(&e.root)) {
    const tprogram program(&e.root);
    double values[std::size(xs)];
    bool oks[std::size(xs)];
    program.evalmany(xs, 0, values, oks);
    for (std::size_t i = 0; i < std::size(xs); ++i) {
      const evalresult want = evalexpr(&e.root, xs[i], 0);
      const evalresult one = program.evaluate(xs[i], 0);
      if (one.ok != want.ok || !samebits(one.value, want.value)) __builtin_trap();
      if (oks[i] != want.ok || !samebits(values[i], want.value)) __builtin_trap();
    }
  }
  (void)paramcheck(&e.root);

  const std::string derivative = exprtext(derivexpr(&e.root, *e.pool));
  if (derivative.size() <= 4000) {
    texpression d;
    parseexpr(d, derivative);
    if (d.errcode == 0) (void)evalexpr(&d.root, 1.5, 0);
  }
  return 0;
}
