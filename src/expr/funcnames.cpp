#include "expr/funcnames.h"

const std::array<std::string, 20>& funcnames() {
  static const std::array<std::string, 20> names = {
      "",       "abs",  "arctan", "cos",    "exp",   "frac", "fak",
      "int",    "invsin", "invcos", "ln",   "log",   "random", "round",
      "sign",   "sin",  "sqr",    "sqrt",   "tan",   "tg"};
  return names;
}
