#include "expr/tprogram.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>

#include "expr/evalops.h"

// Lanes (l) hold a value per point, scalars (k) one value for every point of a
// call: y, the parameters, the constants and whatever is made of them alone.
// Lane 0 is x; scalar 0 is y and scalars 1..5 the parameters.
enum class tprogram::op : uint8_t {
  // d is a lane
  add_ll,
  add_lk,
  sub_ll,
  sub_lk,
  sub_kl,
  mul_ll,
  mul_lk,
  div_ll,
  div_lk,
  div_kl,
  pow_ll,
  pow_lk,
  pow_kl,
  powi_l,
  neg_l,
  func_l,
  bcast,
  // d is a scalar
  add_kk,
  sub_kk,
  mul_kk,
  div_kk,
  pow_kk,
  powi_k,
  neg_k,
  func_k,
};

namespace {

using op = tprogram::op;
using evalops::fpfaults;

constexpr int32_t firstconstant = 6;  // scalars 0..5 are y and the parameters
constexpr std::size_t block = 128;    // points per block in evalmany

// A small buffer on the stack, on the heap when the program is large.
template <std::size_t N>
class scratch {
 public:
  explicit scratch(std::size_t n) : heap_(n > N ? std::make_unique<double[]>(n) : nullptr) {}
  double* data() { return heap_ ? heap_.get() : local_.data(); }

 private:
  std::array<double, N> local_;
  std::unique_ptr<double[]> heap_;
};

// One two-operand step, exactly as the tree walk does it.
inline bool binary(int32_t kind, double a, double b, double& v) {
  switch (kind) {
    case nodekind::sum:
      v = a + b;
      return true;
    case nodekind::difference:
      v = a - b;
      return true;
    case nodekind::product:
      v = a * b;
      return true;
    case nodekind::quotient:
      v = 0;
      if (b == 0) return false;
      v = a / b;
      return true;
    default:
      return evalops::power(a, b, v);
  }
}

// The parameters the program reads, as doubles, read once per call.
std::array<double, 5> currentparams(unsigned used) {
  std::array<double, 5> p{};
  const auto& table = paramvalues();
  for (int k = 0; k < 5; ++k)
    if (used & (1u << k)) p[k] = table[k].todouble();
  return p;
}

bool settledfault(double v) {
  // The volatile store keeps the compiler from moving the last operation
  // past the test of the flags.
  volatile double settled = v;
  (void)settled;
  return std::fetestexcept(fpfaults) != 0;
}

}  // namespace

// Turns a tree into the two lists. A subtree made of constants alone is
// worked out here, with the same operations the program would do at run time:
// its value is then the same, and when it is undefined (or faults) it would be
// so at every x, so the program never gives a value at all.
class tprogram::builder {
 public:
  explicit builder(tprogram& p) : p_(p) {}

  std::size_t count = 0;
  bool toolarge = false;

  std::optional<slot> build(const tnode* n) {
    if (++count > maxsize) {
      toolarge = true;
      return std::nullopt;
    }
    const int32_t kind = n->kind;
    if (kind == nodekind::number) return constant(n->value);
    if (kind == nodekind::varx) return slot{false, 0};
    if (kind == nodekind::vary) return slot{true, 0};
    if (nodekind::isparam(kind)) {
      p_.paramsused_ |= 1u << (-kind - 6);
      return slot{true, -kind - 5};
    }
    if (!n->left) return std::nullopt;
    switch (kind) {
      case nodekind::sum:
      case nodekind::difference:
      case nodekind::product:
      case nodekind::quotient:
      case nodekind::power: {
        if (!n->right) return std::nullopt;
        const auto l = build(n->left);
        if (!l) return std::nullopt;
        const auto r = build(n->right);
        if (!r) return std::nullopt;
        return twooperands(kind, *l, *r);
      }
      default: {
        const auto l = build(n->left);
        if (!l) return std::nullopt;
        if (kind == nodekind::negation) return oneoperand(op::neg_k, 0, *l);
        if (nodekind::isfunction(kind))
          return oneoperand(op::func_k, kind - nodekind::function0, *l);
        return l;  // parentheses and unknown kinds: the value of the operand
      }
    }
  }

 private:
  tprogram& p_;
  std::vector<bool> isconstant_;  // per scalar: known while compiling
  int32_t lanetop_ = 1;

  slot constant(double v) {
    const slot s{true, scalar()};
    p_.constants_[s.index] = v;
    isconstant_[s.index] = true;
    return s;
  }
  int32_t scalar() {
    if (p_.constants_.empty()) {
      p_.constants_.resize(firstconstant);
      isconstant_.resize(firstconstant);
    }
    p_.constants_.push_back(0);
    isconstant_.push_back(false);
    return static_cast<int32_t>(p_.constants_.size()) - 1;
  }
  bool known(slot s) const {
    return s.uniform && s.index < static_cast<int32_t>(isconstant_.size()) && isconstant_[s.index];
  }
  double value(slot s) const { return p_.constants_[s.index]; }

  // Lane temporaries are used once, in the order they were made.
  void release(slot s) {
    if (!s.uniform && s.index > 0) --lanetop_;
  }
  slot newlane() {
    const slot s{false, lanetop_++};
    p_.lanecount_ = std::max(p_.lanecount_, lanetop_);
    return s;
  }
  slot tolane(slot s) {
    if (!s.uniform) return s;
    const slot d = newlane();
    p_.body_.push_back({op::bcast, d.index, s.index, 0});
    return d;
  }

  // Works out one step on constants, with the caller's flags kept aside.
  template <typename step>
  std::optional<slot> fold(step run) {
    std::fexcept_t saved;
    std::fegetexceptflag(&saved, fpfaults);
    std::feclearexcept(fpfaults);
    double v = 0;
    const bool ok = run(v);
    const bool fault = settledfault(v);
    std::fesetexceptflag(&saved, fpfaults);
    if (!ok || fault) return std::nullopt;
    return constant(v);
  }

  std::optional<slot> twooperands(int32_t kind, slot l, slot r) {
    if (known(l) && known(r)) {
      const double a = value(l), b = value(r);
      return fold([&](double& v) { return binary(kind, a, b, v); });
    }
    // Small whole constant exponents: the multiplications alone.
    if (kind == nodekind::power && known(r) && std::isfinite(value(r)) &&
        evalops::smallwhole(value(r))) {
      const int32_t n = static_cast<int32_t>(value(r));
      if (l.uniform) return emitscalar(op::powi_k, l.index, n);
      release(l);
      const slot d = newlane();
      p_.body_.push_back({op::powi_l, d.index, l.index, n});
      return d;
    }
    if (l.uniform && r.uniform) {
      static constexpr std::array kk{op::add_kk, op::sub_kk, op::mul_kk, op::div_kk, op::pow_kk};
      return emitscalar(kk[family(kind)], l.index, r.index);
    }
    const bool commutes = kind == nodekind::sum || kind == nodekind::product;
    if (l.uniform && commutes) std::swap(l, r);
    static constexpr std::array ll{op::add_ll, op::sub_ll, op::mul_ll, op::div_ll, op::pow_ll};
    static constexpr std::array lk{op::add_lk, op::sub_lk, op::mul_lk, op::div_lk, op::pow_lk};
    static constexpr std::array kl{op::add_ll, op::sub_kl, op::mul_ll, op::div_kl, op::pow_kl};
    const int f = family(kind);
    const op code = l.uniform ? kl[f] : r.uniform ? lk[f] : ll[f];
    release(r);
    release(l);
    const slot d = newlane();
    p_.body_.push_back({code, d.index, l.index, r.index});
    return d;
  }

  std::optional<slot> oneoperand(op scalarcode, int32_t number, slot l) {
    const bool random = scalarcode == op::func_k && number == 12;
    if (known(l) && !random) {
      const double a = value(l);
      if (scalarcode == op::neg_k) return fold([&](double& v) { return v = -a, true; });
      return fold([&](double& v) { return evalops::function(number, a, v); });
    }
    // A random number is drawn anew at every point, whatever its argument.
    if (random) l = tolane(l);
    if (l.uniform) return emitscalar(scalarcode, l.index, number);
    release(l);
    const slot d = newlane();
    p_.body_.push_back(
        {scalarcode == op::neg_k ? op::neg_l : op::func_l, d.index, l.index, number});
    return d;
  }

  slot emitscalar(op code, int32_t a, int32_t b) {
    const slot d{true, scalar()};
    p_.prelude_.push_back({code, d.index, a, b});
    return d;
  }

  static int family(int32_t kind) {
    switch (kind) {
      case nodekind::sum:
        return 0;
      case nodekind::difference:
        return 1;
      case nodekind::product:
        return 2;
      case nodekind::quotient:
        return 3;
      default:
        return 4;
    }
  }
};

bool tprogram::compile(const tnode* root) {
  *this = tprogram();
  if (!root) {
    never_ = true;
    empty_ = false;
    return true;
  }
  builder b(*this);
  const auto result = b.build(root);
  if (b.toolarge) {
    *this = tprogram();
    return false;
  }
  empty_ = false;
  if (!result) {
    never_ = true;
    constants_.clear();
    prelude_.clear();
    body_.clear();
    lanecount_ = 0;
    return true;
  }
  result_ = *result;
  if (constants_.empty()) constants_.resize(firstconstant);
  scalarcount_ = static_cast<int32_t>(constants_.size());
  lanecount_ = std::max(lanecount_, 1);
  return true;
}

// One call's scalars: the prelude over y, the parameters and the constants.
// Kept out of line, as runblock.
[[gnu::noinline]] bool tprogram::runprelude(double y, const double* params, double* s) const {
  s[0] = y;
  std::copy(params, params + 5, s + 1);
  std::copy(constants_.begin() + firstconstant, constants_.end(), s + firstconstant);
  for (const instruction& in : prelude_) {
    const double a = s[in.a];
    double v = 0;
    bool ok = true;
    switch (in.code) {
      case op::add_kk:
        v = a + s[in.b];
        break;
      case op::sub_kk:
        v = a - s[in.b];
        break;
      case op::mul_kk:
        v = a * s[in.b];
        break;
      case op::div_kk:
        ok = binary(nodekind::quotient, a, s[in.b], v);
        break;
      case op::pow_kk:
        ok = evalops::power(a, s[in.b], v);
        break;
      case op::powi_k:
        v = evalops::powi(a, in.b);
        break;
      case op::neg_k:
        v = -a;
        break;
      default:
        ok = evalops::function(in.b, a, v);
        break;
    }
    if (!ok) return false;
    s[in.d] = v;
  }
  return true;
}

evalresult tprogram::runscalar(double x, double y, const double* params) const {
  scratch<64> scalars(static_cast<std::size_t>(scalarcount_));
  scratch<32> lanes(static_cast<std::size_t>(lanecount_));
  double* s = scalars.data();
  double* l = lanes.data();
  if (!runprelude(y, params, s)) return {};
  l[0] = x;
  for (const instruction& in : body_) {
    double v = 0;
    bool ok = true;
    switch (in.code) {
      case op::add_ll:
        v = l[in.a] + l[in.b];
        break;
      case op::add_lk:
        v = l[in.a] + s[in.b];
        break;
      case op::sub_ll:
        v = l[in.a] - l[in.b];
        break;
      case op::sub_lk:
        v = l[in.a] - s[in.b];
        break;
      case op::sub_kl:
        v = s[in.a] - l[in.b];
        break;
      case op::mul_ll:
        v = l[in.a] * l[in.b];
        break;
      case op::mul_lk:
        v = l[in.a] * s[in.b];
        break;
      case op::div_ll:
        ok = binary(nodekind::quotient, l[in.a], l[in.b], v);
        break;
      case op::div_lk:
        ok = binary(nodekind::quotient, l[in.a], s[in.b], v);
        break;
      case op::div_kl:
        ok = binary(nodekind::quotient, s[in.a], l[in.b], v);
        break;
      case op::pow_ll:
        ok = evalops::power(l[in.a], l[in.b], v);
        break;
      case op::pow_lk:
        ok = evalops::power(l[in.a], s[in.b], v);
        break;
      case op::pow_kl:
        ok = evalops::power(s[in.a], l[in.b], v);
        break;
      case op::powi_l:
        v = evalops::powi(l[in.a], in.b);
        break;
      case op::neg_l:
        v = -l[in.a];
        break;
      case op::bcast:
        v = s[in.a];
        break;
      default:
        ok = evalops::function(in.b, l[in.a], v);
        break;
    }
    if (!ok) return {};
    l[in.d] = v;
  }
  return {true, result_.uniform ? s[result_.index] : l[result_.index]};
}

evalresult tprogram::evaluate(double x, double y) const {
  if (empty_ || never_) return {};
  const auto params = currentparams(paramsused_);
  // As the tree walk: flags left by other code are cleared and the point
  // worked out once more; only a flag raised then is the point's own.
  evalresult r = runscalar(x, y, params.data());
  if (settledfault(r.value)) {
    std::feclearexcept(fpfaults);
    r = runscalar(x, y, params.data());
    if (settledfault(r.value)) {
      std::feclearexcept(fpfaults);
      return {};
    }
  }
  if (!r.ok || !std::isfinite(r.value)) return {};
  return r;
}

namespace {

// Every lane of a block. A destination may be one of the sources, but only
// lane for lane, so the lanes do not depend on each other.
#if defined(__clang__)
#define LANES_INDEPENDENT _Pragma("clang loop vectorize(assume_safety)")
#elif defined(__GNUC__)
#define LANES_INDEPENDENT _Pragma("GCC ivdep")
#else
#define LANES_INDEPENDENT
#endif
#define FOR_LANES(i) LANES_INDEPENDENT for (std::size_t i = 0; i < block; ++i)

// One function over a block; the number is fixed here so that the switch in
// evalops::function folds away and the loop is the function's alone.
template <int number>
void mapfunction(const double* a, double* d, bool* ok) {
  FOR_LANES(i) {
    double v = 0;
    const bool good = evalops::function(number, a[i], v);
    ok[i] = ok[i] & good;
    d[i] = v;
  }
}

using mapper = void (*)(const double*, double*, bool*);

template <std::size_t... numbers>
constexpr std::array<mapper, sizeof...(numbers)> mappers(std::index_sequence<numbers...>) {
  return {&mapfunction<static_cast<int>(numbers)>...};
}

// Indexed by function number; 0 and 20 are no function and never ok.
constexpr std::array<mapper, 21> functionmappers = mappers(std::make_index_sequence<21>());

// A quotient lane by lane: where the divisor is 0 the point is undefined and
// nothing is divided, so no flag is raised for it.
inline double quotient(double a, double b, bool& ok) {
  const bool zero = b == 0;
  ok = ok & !zero;
  const double q = a / (zero ? 1.0 : b);
  return zero ? 0.0 : q;
}

inline double powerlane(double a, double b, bool& ok) {
  double v = 0;
  const bool good = evalops::power(a, b, v);
  ok = ok & good;
  return v;
}

}  // namespace

// Kept out of line: the flags are tested after it has returned, so no
// operation of the block can be moved past that test.
// Every lane is worked out, also past the last point (there the last point is
// repeated), so that the loops have a fixed length and become vector code.
[[gnu::noinline]] void tprogram::runblock(const double* xs, std::size_t n, const double* s,
                                          double* lanes, bool* ok) const {
  const auto lane = [&](int32_t i) { return lanes + static_cast<std::size_t>(i) * block; };
  std::copy(xs, xs + n, lanes);
  std::fill(lanes + n, lanes + block, n > 0 ? xs[n - 1] : 0.0);
  std::fill(ok, ok + block, true);
  for (const instruction& in : body_) {
    // a and b may name scalars (or a number): point at lanes only where they are.
    double* d = lane(in.d);
    const double* a = in.a < lanecount_ ? lane(in.a) : nullptr;
    const double* b = in.b < lanecount_ ? lane(in.b) : nullptr;
    switch (in.code) {
      case op::add_ll:
        FOR_LANES(i) d[i] = a[i] + b[i];
        break;
      case op::add_lk: {
        const double k = s[in.b];
        FOR_LANES(i) d[i] = a[i] + k;
        break;
      }
      case op::sub_ll:
        FOR_LANES(i) d[i] = a[i] - b[i];
        break;
      case op::sub_lk: {
        const double k = s[in.b];
        FOR_LANES(i) d[i] = a[i] - k;
        break;
      }
      case op::sub_kl: {
        const double k = s[in.a];
        FOR_LANES(i) d[i] = k - b[i];
        break;
      }
      case op::mul_ll:
        FOR_LANES(i) d[i] = a[i] * b[i];
        break;
      case op::mul_lk: {
        const double k = s[in.b];
        FOR_LANES(i) d[i] = a[i] * k;
        break;
      }
      case op::div_ll:
        FOR_LANES(i) d[i] = quotient(a[i], b[i], ok[i]);
        break;
      case op::div_lk: {
        const double k = s[in.b];
        FOR_LANES(i) d[i] = quotient(a[i], k, ok[i]);
        break;
      }
      case op::div_kl: {
        const double k = s[in.a];
        FOR_LANES(i) d[i] = quotient(k, b[i], ok[i]);
        break;
      }
      case op::pow_ll:
        FOR_LANES(i) d[i] = powerlane(a[i], b[i], ok[i]);
        break;
      case op::pow_lk: {
        const double k = s[in.b];
        FOR_LANES(i) d[i] = powerlane(a[i], k, ok[i]);
        break;
      }
      case op::pow_kl: {
        const double k = s[in.a];
        FOR_LANES(i) d[i] = powerlane(k, b[i], ok[i]);
        break;
      }
      case op::powi_l:
        if (in.b == 2) {
          FOR_LANES(i) d[i] = a[i] * a[i];
        } else if (in.b == 3) {
          FOR_LANES(i) d[i] = a[i] * a[i] * a[i];
        } else {
          FOR_LANES(i) d[i] = evalops::powi(a[i], in.b);
        }
        break;
      case op::neg_l:
        FOR_LANES(i) d[i] = -a[i];
        break;
      case op::bcast:
        std::fill(d, d + block, s[in.a]);
        break;
      default:
        functionmappers[in.b >= 1 && in.b <= 19 ? in.b : 0](a, d, ok);
        break;
    }
  }
}

void tprogram::evalmany(std::span<const double> xs, double y, std::span<double> values,
                        std::span<bool> oks) const {
  const std::size_t count = std::min({xs.size(), values.size(), oks.size()});
  const auto undefined = [&](std::size_t from, std::size_t to) {
    std::fill(values.begin() + from, values.begin() + to, 0.0);
    std::fill(oks.begin() + from, oks.begin() + to, false);
  };
  if (empty_ || never_) return undefined(0, count);
  const auto params = currentparams(paramsused_);
  scratch<64> scalars(static_cast<std::size_t>(scalarcount_));
  double* s = scalars.data();
  // Flags left by other code would spoil the tests below.
  std::feclearexcept(fpfaults);
  const bool preludeok = runprelude(y, params.data(), s);
  if (settledfault(s[0]) || !preludeok) {
    // The same at every point: undefined everywhere.
    std::feclearexcept(fpfaults);
    return undefined(0, count);
  }
  if (result_.uniform) {
    const double v = s[result_.index];
    const bool ok = std::isfinite(v);
    std::fill(values.begin(), values.begin() + count, ok ? v : 0.0);
    std::fill(oks.begin(), oks.begin() + count, ok);
    return;
  }
  scratch<16 * block> lanes(static_cast<std::size_t>(lanecount_) * block);
  double* l = lanes.data();
  const double* out = l + static_cast<std::size_t>(result_.index) * block;
  std::array<bool, block> okl;
  for (std::size_t from = 0; from < count; from += block) {
    const std::size_t n = std::min(block, count - from);
    runblock(xs.data() + from, n, s, l, okl.data());
    if (std::fetestexcept(fpfaults)) {
      // Some point of the block faulted (or only a point that was undefined
      // anyway): this block point by point, each with its own test.
      std::feclearexcept(fpfaults);
      for (std::size_t i = from; i < from + n; ++i) {
        const evalresult r = evaluate(xs[i], y);
        values[i] = r.value;
        oks[i] = r.ok;
      }
      continue;
    }
    for (std::size_t i = 0; i < n; ++i) {
      const double v = out[i];
      const bool ok = okl[i] & std::isfinite(v);
      values[from + i] = ok ? v : 0.0;
      oks[from + i] = ok;
    }
  }
}
