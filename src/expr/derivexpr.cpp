#include "expr/derivexpr.h"

#include <unordered_map>

namespace {

namespace nk = nodekind;

constexpr int32_t fnabs = nk::function0 + 1;
constexpr int32_t fnarctan = nk::function0 + 2;
constexpr int32_t fncos = nk::function0 + 3;
constexpr int32_t fnexp = nk::function0 + 4;
constexpr int32_t fnfrac = nk::function0 + 5;
constexpr int32_t fnfak = nk::function0 + 6;
constexpr int32_t fnint = nk::function0 + 7;
constexpr int32_t fninvsin = nk::function0 + 8;
constexpr int32_t fninvcos = nk::function0 + 9;
constexpr int32_t fnln = nk::function0 + 10;
constexpr int32_t fnlog = nk::function0 + 11;
constexpr int32_t fnrandom = nk::function0 + 12;
constexpr int32_t fnround = nk::function0 + 13;
constexpr int32_t fnsign = nk::function0 + 14;
constexpr int32_t fnsin = nk::function0 + 15;
constexpr int32_t fnsqr = nk::function0 + 16;
constexpr int32_t fnsqrt = nk::function0 + 17;
constexpr int32_t fntan = nk::function0 + 18;
constexpr int32_t fntg = nk::function0 + 19;

constexpr double ln10 = 2.302585092994045684;

// The shortcuts look at node kinds only: x, y and every operator or function
// node count as varying, numbers and parameters as constant.
bool varies(const tnode* n) {
  return n != nullptr && n->kind >= -5 && n->kind != nk::number;
}
bool isx(const tnode* n) {
  return n != nullptr && n->kind == nk::varx;
}

class deriver {
 public:
  explicit deriver(nodepool& pool) : pool_(pool) {}

  // Each input node is derived once: a tree from the parser never meets a node
  // twice, but a tree that already shares nodes (a derivative) would otherwise
  // cost time exponential in its depth.
  const tnode* d(const tnode* n) {
    if (n == nullptr) return num(0);
    if (auto it = done_.find(n); it != done_.end()) return it->second;
    const tnode* r = rule(*n);
    done_.emplace(n, r);
    return r;
  }

 private:
  const tnode* num(double v) { return pool_.make(nk::number, nullptr, nullptr, v); }
  const tnode* copy(const tnode* n) { return n ? pool_.copy(*n) : num(0); }
  const tnode* mk(int32_t kind, const tnode* l, const tnode* r = nullptr) {
    return pool_.make(kind, l, r);
  }
  // A function node of u made from the input function node: its child stays u.
  const tnode* samearg(const tnode& f, int32_t kind) { return mk(kind, f.left); }

  const tnode* rule(const tnode& n);
  const tnode* sumrule(const tnode& n);
  const tnode* productrule(const tnode& n);
  const tnode* powerrule(const tnode& n);
  const tnode* functionrule(const tnode& n);

  nodepool& pool_;
  std::unordered_map<const tnode*, const tnode*> done_;
};

const tnode* deriver::rule(const tnode& n) {
  switch (n.kind) {
    case nk::number:
    case nk::vary:  // y is held fixed while x varies
      return num(0);
    case nk::varx:
      return num(1);
    case nk::sum:
    case nk::difference:
      return sumrule(n);
    case nk::negation:
      return mk(nk::negation, d(n.left));
    case nk::product:
      return productrule(n);
    case nk::quotient: {
      const tnode* u = n.left;
      const tnode* v = n.right;
      const tnode* numerator =
          mk(nk::difference, mk(nk::product, d(u), v), mk(nk::product, copy(u), d(v)));
      return mk(nk::quotient, numerator, mk(nk::product, copy(v), copy(v)));
    }
    case nk::power:
      return powerrule(n);
    default:
      if (nk::isparam(n.kind)) return num(0);
      if (nk::isfunction(n.kind)) return functionrule(n);
      return d(n.left);  // parentheses and unknown kinds: derive the operand
  }
}

const tnode* deriver::sumrule(const tnode& n) {
  const bool lv = varies(n.left);
  const bool rv = varies(n.right);
  if (lv && rv) return mk(n.kind, d(n.left), d(n.right));
  if (lv) return d(n.left);
  const tnode* r = d(n.right);
  return n.kind == nk::sum ? r : mk(nk::negation, r);
}

const tnode* deriver::productrule(const tnode& n) {
  const tnode* l = n.left;
  const tnode* r = n.right;
  if (!varies(l)) return mk(nk::product, copy(l), d(r));
  if (!varies(r)) return mk(nk::product, copy(r), d(l));
  if (isx(l)) return mk(nk::sum, copy(r), mk(nk::product, l, d(r)));
  if (isx(r)) return mk(nk::sum, mk(nk::product, d(l), r), copy(l));
  return mk(nk::sum, mk(nk::product, d(l), copy(r)), mk(nk::product, copy(l), d(r)));
}

const tnode* deriver::powerrule(const tnode& n) {
  const tnode* u = n.left;
  const tnode* v = n.right;
  if (v != nullptr && v->kind == nk::number) {
    const tnode* factor = mk(nk::power, copy(u), num(v->value - 1));
    return mk(nk::product, mk(nk::product, num(v->value), factor), d(u));
  }
  if (v != nullptr && nk::isparam(v->kind)) {
    const tnode* p = mk(v->kind, nullptr);
    const tnode* factor = mk(nk::power, copy(u), mk(nk::difference, p, num(1)));
    return mk(nk::product, mk(nk::product, p, factor), d(u));
  }
  const tnode* lnpart = mk(nk::product, d(v), mk(fnln, copy(u)));
  const tnode* basepart = mk(nk::quotient, mk(nk::product, copy(v), d(u)), copy(u));
  return mk(nk::product, pool_.copy(n), mk(nk::sum, lnpart, basepart));
}

const tnode* deriver::functionrule(const tnode& n) {
  const tnode* u = n.left;
  switch (n.kind) {
    case fnabs:
      return mk(nk::product, samearg(n, fnsign), d(u));
    case fnarctan:
      return mk(nk::quotient, d(u), mk(nk::sum, num(1), mk(nk::product, copy(u), copy(u))));
    case fncos:
      if (isx(u)) return mk(nk::negation, samearg(n, fnsin));
      return mk(nk::negation, mk(nk::product, samearg(n, fnsin), d(u)));
    case fnexp:
      return mk(nk::product, pool_.copy(n), d(u));
    case fnfrac:
      return d(u);
    case fnfak:
    case fnint:
    case fnrandom:
    case fnround:
    case fnsign:
      return num(0);
    case fninvsin:
      return mk(nk::quotient, d(u), mk(fncos, mk(fninvsin, copy(u))));
    case fninvcos:
      return mk(nk::negation, mk(nk::quotient, d(u), mk(fnsin, mk(fninvcos, copy(u)))));
    case fnln:
      return mk(nk::quotient, d(u), copy(u));
    case fnlog:
      return mk(nk::quotient, mk(nk::quotient, d(u), copy(u)), num(ln10));
    case fnsin:
      if (isx(u)) return samearg(n, fncos);
      return mk(nk::product, samearg(n, fncos), d(u));
    case fnsqr:
      return mk(nk::product, num(2), mk(nk::product, copy(u), d(u)));
    case fnsqrt:
      return mk(nk::quotient, d(u), mk(nk::product, num(2), pool_.copy(n)));
    case fntan:
    case fntg: {
      const tnode* c = mk(fncos, copy(u));
      return mk(nk::quotient, d(u), mk(nk::product, c, c));
    }
    default:
      return d(u);
  }
}

}  // namespace

const tnode* derivexpr(const tnode* node, nodepool& pool) {
  deriver dv(pool);
  return dv.d(node);
}
