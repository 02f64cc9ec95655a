// Numeric value of an expression tree, the parameter table it reads and the
// check whether a tree's parameters can be fitted by a linear system.
#pragma once

#include <array>

#include "expr/real48.h"
#include "expr/tnode.h"

struct evalresult {
  bool ok = false;  // false: the value is undefined and must not be used
  double value = 0;
};

// Value of the tree at x (and y) with the current parameter values. Any
// overflow, division by zero or invalid operation gives ok = false.
evalresult evalexpr(const tnode* node, double x, double y);

// Built-in function number 1..19 applied to v; value 0 when not ok.
evalresult applyfunc(int number, double v);

struct paramcheckresult {
  bool ok = true;         // false: a parameter stands where fitting is impossible
  bool hasparam = false;  // the subtree contains a parameter
};
paramcheckresult paramcheck(const tnode* node);

// The values of parameters 1..5 (index 0 = parameter 1), all 1.0 at start.
// Shared: whoever evaluates a tree fills it first.
std::array<real48, 5>& paramvalues();
// Writes parameter p (1..5), rounded to the 40 bits of the table.
void setparamvalue(int p, double v);
// Reads parameter p (1..5); 0 for other p.
double paramvalue(int p);
