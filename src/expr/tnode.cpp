#include "expr/tnode.h"

tnode* nodepool::make(int32_t kind, const tnode* left, const tnode* right, double value) {
  nodes_.push_back(tnode{kind, left, right, value});
  return &nodes_.back();
}

void freeexpr(texpression& expression) {
  expression.root = tnode{};
  expression.pool.reset();
}
