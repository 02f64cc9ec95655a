#include "expr/exprtext.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "expr/funcnames.h"
#include "expr/parseexpr.h"

namespace {

namespace nk = nodekind;

// How a text groups when the parser reads it, from loosest to tightest: a
// top-level + or -, a leading minus over a term ("-x*y"), a top-level * or /,
// a top-level ^, a single operand.
enum class level { sum, neg, term, power, operand };

struct shape {
  level lv = level::operand;
  bool lead = false;    // starts with a minus that is not the sign of a number
  bool numpow = false;  // starts with an unsigned number that is raised to a power
};

bool isdigit(char c) {
  return c >= '0' && c <= '9';
}
bool isop(char c) {
  return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

// The parser takes a minus for a sign at the start and after these characters.
bool signcontext(char prev) {
  return prev == 0 || prev == '(' || prev == '*' || prev == '+' || prev == ',' || prev == '-' ||
         prev == '/' || prev == '[' || prev == '^';
}

// Skips a number token as the parser reads it: digits, '.', digits, and an
// exponent "e", optional sign, digits.
std::size_t skipnumber(const std::string& t, std::size_t i) {
  while (i < t.size() && (isdigit(t[i]) || t[i] == '.')) ++i;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    while (i < t.size() && isdigit(t[i])) ++i;
  }
  return i;
}

shape shapeof(const std::string& t) {
  shape s;
  bool sumop = false, termop = false, powop = false;
  int depth = 0;
  char prev = 0;
  std::size_t i = 0;
  while (i < t.size()) {
    const char c = t[i];
    if (c == '(' || c == ')') {
      depth += c == '(' ? 1 : -1;
      prev = c;
      ++i;
      continue;
    }
    if (c == '-' && signcontext(prev)) {
      if (i + 1 < t.size() && isdigit(t[i + 1])) {
        i = skipnumber(t, i + 1);  // the sign belongs to the number
        prev = '0';
      } else {
        if (i == 0) s.lead = true;
        prev = c;
        ++i;
      }
      continue;
    }
    if (isop(c)) {
      if (depth == 0) {
        if (c == '+' || c == '-') sumop = true;
        if (c == '*' || c == '/') termop = true;
        if (c == '^') powop = true;
      }
      prev = c;
      ++i;
      continue;
    }
    if (isdigit(c) || c == '.') {
      const std::size_t end = skipnumber(t, i);
      if (i == 0 && end < t.size() && t[end] == '^') s.numpow = true;
      i = end;
      prev = '0';
      continue;
    }
    // a name: letters and digits up to the next operator or parenthesis
    while (i < t.size() && !isop(t[i]) && t[i] != '(' && t[i] != ')') ++i;
    prev = 'a';
  }
  if (sumop)
    s.lv = level::sum;
  else if (s.lead)
    s.lv = level::neg;
  else if (termop)
    s.lv = level::term;
  else if (powop)
    s.lv = level::power;
  return s;
}

std::string paren(const std::string& t) {
  return "(" + t + ")";
}

// The parenthesis rules below go by node kinds and do not see what folding made
// of a child, so a printed operand can group looser than its node: a product
// "1.00*(a+b)" prints as the bare sum, and a difference with a vanishing left
// side prints as "-r". These wrap an operand where the parser would otherwise
// reject the text or group it differently, and nowhere else.
std::string afterplus(const std::string& t) {
  return shapeof(t).lead ? paren(t) : t;
}
std::string afterminus(const std::string& t) {
  return shapeof(t).lv <= level::neg ? paren(t) : t;
}
// After a sign minus: "-2^x" would be read as (-2)^x.
std::string aftersign(const std::string& t) {
  const shape s = shapeof(t);
  return s.lv <= level::neg || s.numpow ? paren(t) : t;
}
std::string leftfactor(const std::string& t) {
  return shapeof(t).lv == level::sum ? paren(t) : t;
}
std::string afterstar(const std::string& t) {
  return shapeof(t).lv <= level::neg ? paren(t) : t;
}
std::string afterslash(const std::string& t) {
  return shapeof(t).lv <= level::term ? paren(t) : t;
}
std::string powerbase(const std::string& t) {
  return shapeof(t).lv <= level::term ? paren(t) : t;
}
std::string exponent(const std::string& t) {
  return shapeof(t).lv < level::operand ? paren(t) : t;
}

bool isnumber(const tnode* n) {
  return n != nullptr && n->kind == nk::number;
}
bool kindin(const tnode* n, std::initializer_list<int32_t> kinds) {
  if (n == nullptr) return false;
  for (int32_t k : kinds)
    if (n->kind == k) return true;
  return false;
}

// Folding gives up where the result would not be a finite number.
bool folded(double v, std::string& t) {
  if (!std::isfinite(v)) return false;
  t = fmt(v);
  return true;
}

class printer {
 public:
  std::string text(const tnode* n);

 private:
  std::string negation(const tnode* operand, const std::string& optext);
  std::string sum(const tnode& n);
  std::string difference(const tnode& n);
  std::string product(const tnode& n);
  std::string quotient(const tnode& n);
  std::string power(const tnode& n);
};

std::string printer::text(const tnode* n) {
  if (n == nullptr) return {};
  switch (n->kind) {
    case nk::number:
      return fmt(n->value);
    case nk::varx:
      return "x";
    case nk::vary:
      return "y";
    case nk::parens:
      return paren(text(n->left));
    case nk::negation:
      return negation(n->left, text(n->left));
    case nk::sum:
      return sum(*n);
    case nk::difference:
      return difference(*n);
    case nk::product:
      return product(*n);
    case nk::quotient:
      return quotient(*n);
    case nk::power:
      return power(*n);
    default:
      break;
  }
  if (nk::isparam(n->kind)) {
    const std::string& letters = paramletters();
    const auto p = static_cast<std::size_t>(nk::param1 - n->kind);
    return p < letters.size() ? std::string(1, letters[p]) : std::string();
  }
  if (nk::isfunction(n->kind)) {
    const auto f = static_cast<std::size_t>(n->kind - nk::function0);
    if (f < funcnames().size()) return funcnames()[f] + paren(text(n->left));
  }
  return {};
}

// The text of a negation whose operand prints as optext (computed once by the
// caller, which needs it again: printing it twice would double the work at
// every level of nested negations).
std::string printer::negation(const tnode* operand, const std::string& optext) {
  if (isnumber(operand)) return fmt(-operand->value);
  return "(-" + aftersign(optext) + ")";
}

std::string printer::sum(const tnode& n) {
  const std::string l = text(n.left);
  std::string opnd, r;
  const bool rneg = kindin(n.right, {nk::negation});
  if (rneg) {
    opnd = text(n.right->left);
    r = negation(n.right->left, opnd);
  } else {
    r = text(n.right);
  }
  std::string t = l + "+" + afterplus(r);
  if (l == "0.00") t = r;
  if (r == "0.00") t = l;
  double lv = 0, rv = 0;
  if (isnumber(n.left) && isnumber(n.right)) folded(n.left->value + n.right->value, t);
  if (isnum(l, &lv) && isnum(r, &rv)) folded(lv + rv, t);
  if (rneg) {
    t = l + "-" + afterminus(opnd);
    if (isnum(opnd, &rv) && isnum(l, &lv)) folded(lv - rv, t);
  }
  return t;
}

std::string printer::difference(const tnode& n) {
  const std::string l = text(n.left);
  std::string opnd, r;
  const bool rneg = kindin(n.right, {nk::negation});
  if (rneg) {
    opnd = text(n.right->left);
    r = negation(n.right->left, opnd);
  } else {
    r = text(n.right);
  }
  if (kindin(n.right, {nk::sum, nk::difference, nk::negation}) && r != "0.00" && r != "1.00")
    r = paren(r);
  std::string t = l + "-" + afterminus(r);
  if (l == "0.00") t = "-" + aftersign(r);
  if (r == "0.00") t = l;
  double lv = 0, rv = 0;
  if (isnumber(n.left) && isnumber(n.right)) folded(n.left->value - n.right->value, t);
  if (isnum(l, &lv) && isnum(r, &rv)) folded(lv - rv, t);
  if (rneg) {
    t = l + "+" + afterplus(opnd);
    if (isnum(opnd, &rv) && isnum(l, &lv)) folded(lv + rv, t);
  }
  return t;
}

std::string printer::product(const tnode& n) {
  const std::string l = text(n.left);
  const std::string r = text(n.right);
  const std::string lp = kindin(n.left, {nk::sum, nk::difference}) ? paren(l) : l;
  const std::string rp = kindin(n.right, {nk::sum, nk::difference, nk::negation}) ? paren(r) : r;
  std::string t = leftfactor(lp) + "*" + afterstar(rp);
  if (l == "1.00") t = r;
  if (r == "1.00") t = l;
  if (l == "0.00" || r == "0.00") t = "0.00";
  double lv = 0, rv = 0;
  if (isnumber(n.left) && isnumber(n.right)) folded(n.left->value * n.right->value, t);
  if (isnum(l, &lv) && isnum(r, &rv)) folded(lv * rv, t);
  return t;
}

std::string printer::quotient(const tnode& n) {
  const std::string l = text(n.left);
  const std::string r = text(n.right);
  const std::string lp = kindin(n.left, {nk::sum, nk::difference}) ? paren(l) : l;
  const std::string rp =
      kindin(n.right, {nk::sum, nk::difference, nk::negation, nk::product, nk::quotient}) ? paren(r)
                                                                                          : r;
  std::string t = leftfactor(lp) + "/" + afterslash(rp);
  // A divisor that prints as zero stays visible: the quotient is undefined
  // there, and folding it would divide by zero.
  double lv = 0, rv = 0;
  const bool zerodivisor = isnum(r, &rv) && rv == 0;
  if (isnumber(n.left) && isnumber(n.right) && n.right->value != 0)
    folded(n.left->value / n.right->value, t);
  if (!zerodivisor && isnum(l, &lv) && isnum(r, &rv)) folded(lv / rv, t);
  if (r == "1.00") t = l;
  if (l == "0.00" && !zerodivisor) t = "0.00";
  return t;
}

std::string printer::power(const tnode& n) {
  const std::string l = text(n.left);
  const std::string r = text(n.right);
  const std::string rp =
      kindin(n.right, {nk::sum, nk::difference, nk::negation, nk::product, nk::quotient}) ? paren(r)
                                                                                          : r;
  std::string t = powerbase(l) + "^" + exponent(rp);
  if (r == "1.00") t = l;
  if (r == "0.00") t = "1.00";
  if (l == "1.00") t = "1.00";
  return t;
}

}  // namespace

std::string fmt(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  char buf[48];
  if (std::fabs(v) >= 1e15) {
    std::snprintf(buf, sizeof buf, "%.2e", v);
    return buf;
  }
  // v * 100 is exact in the 64-bit mantissa of long double, so the rounding to
  // cents sees the true value and halves go away from zero.
  const long double cents = std::roundl(static_cast<long double>(v) * 100.0L);
  const auto c = static_cast<int64_t>(cents);
  const uint64_t a = c < 0 ? static_cast<uint64_t>(-c) : static_cast<uint64_t>(c);
  std::snprintf(buf, sizeof buf, "%s%llu.%02llu", c < 0 ? "-" : "",
                static_cast<unsigned long long>(a / 100), static_cast<unsigned long long>(a % 100));
  return buf;
}

bool isnum(const std::string& t, double* value) {
  std::size_t i = 0;
  double whole = 0, fraction = 0, scale = 1;
  while (i < t.size() && isdigit(t[i])) whole = whole * 10 + (t[i++] - '0');
  if (i == 0) return false;
  if (i < t.size() && t[i] == '.') {
    const std::size_t first = ++i;
    while (i < t.size() && isdigit(t[i])) {
      fraction = fraction * 10 + (t[i++] - '0');
      scale *= 10;
    }
    if (i == first) return false;
  }
  if (i != t.size()) return false;
  if (value != nullptr) *value = whole + fraction / scale;
  return true;
}

std::string exprtext(const tnode* node) {
  return printer().text(node);
}
