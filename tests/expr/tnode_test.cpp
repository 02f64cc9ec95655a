#include <gtest/gtest.h>

#include "expr/tnode.h"

TEST(nodepool, nodes_stay_put_while_the_pool_grows) {
  nodepool pool;
  tnode* first = pool.make(nodekind::varx);
  for (int i = 0; i < 10000; ++i) pool.make(nodekind::number, first, nullptr, i);
  EXPECT_EQ(first->kind, nodekind::varx);
  EXPECT_EQ(pool.size(), 10001u);
}
