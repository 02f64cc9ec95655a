// Formulas from anywhere: parse, evaluate, differentiate and print, and parse the
// printed derivative again. Any bytes must give an error code or a tree.
#include <cstddef>
#include <cstdint>
#include <string>

#include "expr/derivexpr.h"
#include "expr/evalexpr.h"
#include "expr/exprtext.h"
#include "expr/parseexpr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The formula entry field holds at most 80 characters.
  const std::string text(reinterpret_cast<const char*>(data), size < 80 ? size : 80);
  texpression e;
  parseexpr(e, text);
  if (e.errmark.size() != text.size() || e.text != text) __builtin_trap();
  if (e.errcode != 0) return 0;
  if (e.errmark.find('f') != std::string::npos) __builtin_trap();

  for (double x : {-3.5, -1.0, 0.0, 0.5, 2.0, 1e10}) {
    const evalresult r = evalexpr(&e.root, x, 0);
    if (!r.ok && r.value != 0) __builtin_trap();
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
