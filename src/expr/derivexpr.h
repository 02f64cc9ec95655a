// Symbolic derivative of an expression tree with respect to x.
#pragma once

#include "expr/tnode.h"

// Builds the derivative of the tree below node. New nodes come from pool; they
// may point at nodes of the input tree, and one new node may be used twice, so
// the result is read-only and lives as long as both pool and the input tree.
// The tree is not simplified: exprtext folds the zeros and ones away.
// The variable y is taken as a constant (its derivative is 0). A null node has
// the derivative 0.
const tnode* derivexpr(const tnode* node, nodepool& pool);
