// Expression trees: nodes, the pool that owns them, and a parsed formula.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

// Node kind codes. Parameters p = 1..5 are kind -(p + 5); built-in function
// number f = 1..19 is kind 100 + f.
namespace nodekind {
inline constexpr int32_t number = 0;
inline constexpr int32_t varx = -1;
inline constexpr int32_t vary = -2;
inline constexpr int32_t param1 = -6;
inline constexpr int32_t param5 = -10;
inline constexpr int32_t sum = 1;
inline constexpr int32_t difference = 2;
inline constexpr int32_t negation = 3;
inline constexpr int32_t product = 6;
inline constexpr int32_t quotient = 7;
inline constexpr int32_t power = 10;
inline constexpr int32_t parens = 12;
inline constexpr int32_t function0 = 100;  // function f has kind function0 + f

inline constexpr bool isparam(int32_t k) { return k <= param1 && k >= param5; }
inline constexpr bool isfunction(int32_t k) { return k > function0 && k < 200; }
}  // namespace nodekind

struct tnode {
  int32_t kind = 0;
  const tnode* left = nullptr;
  const tnode* right = nullptr;
  double value = 0.0;
};

// Owns the nodes of one or more trees. Trees made by derivexpr share nodes with
// their input and with themselves, so nodes are never released one by one: a
// pool releases all of its nodes at once when it is cleared or destroyed.
class nodepool {
 public:
  tnode* make(int32_t kind, const tnode* left = nullptr, const tnode* right = nullptr,
              double value = 0.0);
  tnode* copy(const tnode& n) { return make(n.kind, n.left, n.right, n.value); }
  void clear() { nodes_.clear(); }
  std::size_t size() const { return nodes_.size(); }

 private:
  std::deque<tnode> nodes_;  // a deque never moves its elements
};

// One parsed formula. `root` is a copy of the tree's root node; the nodes below
// it belong to `pool`, which copies of the expression share (the nodes are
// never changed after parsing).
struct texpression {
  tnode root;
  std::string text;     // the formula as last given to parseexpr
  std::string errmark;  // one 'n' (in order) or 'f' (faulty) per character of text
  uint8_t errcode = 0;  // 0 = no error
  std::shared_ptr<nodepool> pool;
};

// Releases the tree below expression.root and empties the root node.
void freeexpr(texpression& expression);
