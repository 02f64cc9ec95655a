#include "expr/parseexpr.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "expr/funcnames.h"
#include "expr/real48.h"

namespace {

constexpr int startmarker = 195;
constexpr int endmarker = 180;  // "´", appended to the text
constexpr int spacetoken = ' ';
constexpr int badtoken = 1;          // no symbol: always a syntax error
constexpr int dotdottoken = 175;     // ".." with no digits before it
constexpr int maxexponent = 100000;  // far past the real48 range; keeps the int small

std::string& letters() {
  static std::string current = "abcde";
  return current;
}

// Rows: the symbol on top of the stack; columns: the next input symbol.
constexpr std::string_view rowsymbols = "\xC3SUTPVREIF+-*/^()";
constexpr std::string_view colsymbols = "SUTPVREIF+-*/^()\xB4";

// '.' = no relation. Columns: S U T P V R E I F + - * / ^ ( ) end.
constexpr std::array<std::string_view, 17> relations = {
    "<<<<<<.<<.<...<..",  // start
    ".........==....>.",  // S
    ".........>>....>>",  // U
    ".........>>==..>>",  // T
    ".........>>>>..>>",  // P
    ".........>>>>=.>>",  // V
    ".........>>>>>.>>",  // R
    "...............=.",  // E
    ".........>>>>>.>>",  // I
    "..............=..",  // F
    ".=<<<<.<<.....<..",  // +
    ".=<<<<.<<.....<..",  // -
    "...=<<.<<.....<..",  // *
    "...=<<.<<.....<..",  // /
    ".....=.<<.....<..",  // ^
    "<<<<<<=<<.<...<..",  // (
    ".........>>>>>.>>",  // )
};

struct rule {
  char lhs;
  std::string_view rhs;
};

// Rule n is rules[n - 1]; the number selects the tree action.
constexpr std::array<rule, 15> rules = {{
    {'S', "S+U"},
    {'S', "S-U"},
    {'S', "-U"},
    {'S', "U"},
    {'U', "T"},
    {'T', "T*P"},
    {'T', "T/P"},
    {'T', "P"},
    {'P', "V"},
    {'V', "V^R"},
    {'V', "R"},
    {'R', "F(E)"},
    {'R', "(E)"},
    {'R', "I"},
    {'E', "S"},
}};

int indexin(std::string_view symbols, int symbol) {
  const auto at = symbols.find(static_cast<char>(symbol));
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// '.' when there is no relation or the input is no symbol.
char relation(int top, int next) {
  const int row = indexin(rowsymbols, top);
  const int col = indexin(colsymbols, next);
  if (row < 0 || col < 0) return '.';
  return relations[row][col];
}

bool isdigit(int c) { return c >= '0' && c <= '9'; }
bool isasciiletter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Names may start with the Nordic letters of DOS code page 865.
bool isnamestart(int c) {
  return isasciiletter(c) || c == 134 || c == 143 || c == 145 || c == 146 || c == 155 ||
         c == 157;
}

// Within a name: also the Windows-1252 letters Å Æ Ø å æ ø.
bool isnamechar(int c) {
  return isdigit(c) || isasciiletter(c) || c == '_' || c == 197 || c == 198 || c == 216 ||
         c == 229 || c == 230 || c == 248;
}

char tolowername(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if (u == 197 || u == 198 || u == 216) return static_cast<char>(u + 32);
  return c;
}

// 10^exponent the way the number format of the parameter table computes it: a
// real48 product, rounded after every step. Powers beyond that format's range
// (about 1e-38 .. 1e38) would overflow or vanish there; they are taken from the
// double library instead, so that numbers like 1e308 or 1e-300 still read.
// Either way the work is bounded, however long the exponent. A power too large
// even for a double returns false; one too small for it is 0.
bool powerof10(int32_t exponent, bool negative, double& power) {
  if (exponent > 38) {
    power = std::pow(10.0, negative ? -exponent : exponent);
    return std::isfinite(power);
  }
  const double step = negative ? real48::fromdouble(0.1).todouble() : 10.0;
  power = 1.0;
  for (int32_t i = 0; i < exponent; ++i) {
    const double next = power * step;
    if (next > real48max || next < real48min) {
      power = std::pow(10.0, negative ? -exponent : exponent);
      return std::isfinite(power);
    }
    power = real48::fromdouble(next).todouble();
  }
  return true;
}

class tparser {
 public:
  tparser(texpression& expression, const std::string& text, nodepool& pool)
      : ex_(expression), pool_(pool), buf_(text + static_cast<char>(endmarker)) {
    textlen_ = static_cast<int>(text.size());
  }

  // Returns the root of the new tree, or nullptr after a syntax error.
  tnode* run();

 private:
  int at(int k) const {
    if (k < 1 || k > static_cast<int>(buf_.size())) return endmarker;
    return static_cast<unsigned char>(buf_[k - 1]);
  }
  void mark(int k, int code) {
    if (k >= 1 && k <= textlen_) ex_.errmark[k - 1] = 'f';
    ex_.errcode = static_cast<uint8_t>(code);
    errcode_ = code;
    errflag_ = true;
  }
  void raise(int code) {
    errcode_ = code;
    errflag_ = true;
  }
  int readtoken();
  int readnonspace() {
    int token;
    do token = readtoken();
    while (token == spacetoken && !errflag_);
    return token;
  }
  int readminus();
  int readnumber();
  int readname();
  void shift(int token);
  void reduce();

  texpression& ex_;
  nodepool& pool_;
  std::string buf_;  // the text with the end marker
  int textlen_ = 0;
  int pos_ = 1;  // 1-based
  std::array<int, stacksize> symbols_{};
  int symcount_ = 0;
  std::array<tnode*, stacksize> nodes_{};
  int nodecount_ = 0;
  tnode* tokennode_ = nullptr;
  bool foldedsign_ = false;
  int opencount_ = 0;
  int closecount_ = 0;
  bool errflag_ = false;
  int errcode_ = 0;
};

int tparser::readtoken() {
  while (at(pos_) == ' ') ++pos_;
  const int c = at(pos_);
  int token = badtoken;
  if (c == '(' || c == ')' || c == '*' || c == '+' || c == ',' || c == '/' || c == '^') {
    ++pos_;
    token = c;
    if (c == '(') ++opencount_;
    if (c == ')' && ++closecount_ > opencount_) raise(3);
  } else if (c == '-') {
    token = readminus();
  } else if (isdigit(c) || c == '.') {
    token = readnumber();
  } else if (isnamestart(c)) {
    token = readname();
  } else if (c == endmarker) {
    token = endmarker;
  } else {
    mark(pos_, 1);
    ++pos_;
  }
  if (errflag_ && ex_.errcode == 0) mark(pos_ - 1, errcode_);
  return token;
}

// A minus right after an operator, "(" or at the start, and followed by a
// digit, becomes the sign of that number.
int tparser::readminus() {
  int prev = pos_ - 1;
  while (prev >= 1 && at(prev) == ' ') --prev;
  int next = pos_ + 1;
  while (at(next) == ' ') ++next;
  const int p = prev >= 1 ? at(prev) : 0;
  const bool sign = prev < 1 || p == '(' || p == '*' || p == '+' || p == ',' || p == '-' ||
                    p == '/' || p == '[' || p == '^';
  ++pos_;
  if (sign && isdigit(at(next))) {
    foldedsign_ = !foldedsign_;
    return spacetoken;
  }
  return '-';
}

int tparser::readnumber() {
  double integer = 0, fraction = 0, scale = 1;
  bool digits = false;
  while (isdigit(at(pos_))) {
    integer = integer * 10 + (at(pos_) - '0');
    digits = true;
    ++pos_;
  }
  bool ended = false;
  if (at(pos_) == '.') {
    if (at(pos_ + 1) == '.') {
      if (!digits) {
        pos_ += 2;
        foldedsign_ = false;
        return dotdottoken;
      }
      ended = true;
    } else {
      ++pos_;
      while (isdigit(at(pos_))) {
        // Digits this far down change nothing; stopping keeps scale finite.
        if (scale < 1e300) {
          fraction = fraction * 10 + (at(pos_) - '0');
          scale *= 10;
        }
        ++pos_;
      }
    }
  }
  int32_t exponent = 0;
  bool negative = false;
  if (!ended && (at(pos_) == 'E' || at(pos_) == 'e')) {
    ++pos_;
    if (at(pos_) == '+' || at(pos_) == '-') {
      negative = at(pos_) == '-';
      ++pos_;
    }
    while (isdigit(at(pos_))) {
      if (exponent < maxexponent) exponent = exponent * 10 + (at(pos_) - '0');
      ++pos_;
    }
  }
  double power = 1;
  const bool inrange = powerof10(exponent, negative, power);
  double value = (integer + fraction / scale) * power;
  if (foldedsign_) value = -value;
  foldedsign_ = false;
  // A number the formats cannot hold is refused like a bad character rather
  // than carried on as an infinity.
  if (!inrange || !std::isfinite(value)) {
    raise(1);
    return badtoken;
  }
  tokennode_ = pool_.make(nodekind::number, nullptr, nullptr, value);
  return 'I';
}

int tparser::readname() {
  const int start = pos_;
  const int c = at(pos_);
  if (!isnamechar(at(pos_ + 1))) {
    int kind = 0;
    if (c == 'x') {
      kind = nodekind::varx;
    } else if (c == 'y') {
      kind = nodekind::vary;
    } else {
      const auto p = letters().find(static_cast<char>(c));
      if (p != std::string::npos) kind = -(static_cast<int>(p) + 1 + 5);
    }
    if (kind != 0) {
      tokennode_ = pool_.make(kind);
      ++pos_;
      return 'I';
    }
  }
  std::string name;
  do {
    if (name.size() < 16) name += static_cast<char>(at(pos_));
    ++pos_;
  } while (isnamechar(at(pos_)));
  while (at(pos_) == ' ') ++pos_;
  if (at(pos_) == '(') {
    for (char& ch : name) ch = tolowername(ch);
    const auto& names = funcnames();
    for (int f = 1; f <= funccount; ++f) {
      if (names[f] == name) {
        tokennode_ = pool_.make(nodekind::function0 + f);
        return 'F';
      }
    }
    for (int k = start; k < pos_; ++k) mark(k, 8);
    return badtoken;
  }
  for (int k = start; k < pos_; ++k) mark(k, 7);
  return badtoken;
}

void tparser::shift(int token) {
  const bool hasnode = token == 'I' || token == 'F';
  if (symcount_ == stacksize || (hasnode && nodecount_ == stacksize)) {
    mark(pos_ - 1, 10);  // nested too deeply
    return;
  }
  symbols_[symcount_++] = token;
  if (hasnode) nodes_[nodecount_++] = tokennode_;
}

void tparser::reduce() {
  int first = symcount_ - 1;
  while (first > 1 && relation(symbols_[first - 1], symbols_[first]) == '=') --first;
  const int length = symcount_ - first;
  int number = 0;
  for (int r = 0; r < static_cast<int>(rules.size()) && number == 0; ++r) {
    const auto rhs = rules[r].rhs;
    if (static_cast<int>(rhs.size()) != length) continue;
    bool same = true;
    for (int i = 0; i < length && same; ++i)
      same = static_cast<unsigned char>(rhs[i]) == symbols_[first + i];
    if (same) number = r + 1;
  }
  const int operands = (number == 3 || number == 13) ? 1
                       : (number == 1 || number == 2 || number == 6 || number == 7 ||
                          number == 10 || number == 12)
                           ? 2
                           : 0;
  if (number == 0 || nodecount_ < operands) {
    raise(10);
    return;
  }
  tnode*& top = nodes_[nodecount_ - 1];
  switch (number) {
    case 1:
    case 2:
    case 6:
    case 7:
    case 10: {
      static constexpr std::array<int32_t, 11> kinds = {0, 1, 2, 0, 0, 0, 6, 7, 0, 0, 10};
      tnode* right = top;
      --nodecount_;
      tnode*& left = nodes_[nodecount_ - 1];
      left = pool_.make(kinds[number], left, right);
      break;
    }
    case 3:
      top = pool_.make(nodekind::negation, top);
      break;
    case 12: {
      tnode* argument = top;
      --nodecount_;
      nodes_[nodecount_ - 1]->left = argument;
      break;
    }
    case 13:
      top = pool_.make(nodekind::parens, top);
      break;
    default:
      break;
  }
  symcount_ = first;
  symbols_[symcount_++] = static_cast<unsigned char>(rules[number - 1].lhs);
}

tnode* tparser::run() {
  symbols_[symcount_++] = startmarker;
  int token = readnonspace();
  for (;;) {
    if (errflag_) {
      if (ex_.errcode == 0) mark(pos_ - 1, errcode_);
      return nullptr;
    }
    const int top = symbols_[symcount_ - 1];
    if (indexin(colsymbols, token) < 0) raise(10);
    const char rel = relation(top, token);
    if (rel == '.') {
      mark(pos_ - 1, token == endmarker ? 2 : 1);
    } else if (rel == '<' || rel == '=') {
      shift(token);
      if (ex_.errcode == 0) token = readnonspace();
    } else {
      reduce();
    }
    if (ex_.errcode != 0) break;
    if (token == endmarker && symbols_[symcount_ - 1] == 'S') break;
  }
  if (errflag_ && ex_.errcode == 0) mark(pos_ - 2, errcode_);
  if (ex_.errcode != 0) return nullptr;
  // Only a stack of exactly one S is a whole formula: 'x+(y' leaves an S
  // right above the start marker too, but with more on top.
  if (symcount_ == 2 && symbols_[1] == 'S' && nodecount_ == 1) return nodes_[0];
  mark(textlen_, 2);
  return nullptr;
}

}  // namespace

void parseexpr(texpression& expression, const std::string& text) {
  expression.text = text;
  expression.errmark.assign(text.size(), 'n');
  expression.errcode = 0;
  auto pool = std::make_shared<nodepool>();
  tparser parser(expression, text, *pool);
  if (const tnode* root = parser.run()) {
    expression.root = *root;
    expression.pool = std::move(pool);
  }
}

const std::string& paramletters() { return letters(); }

void setparamletters(const std::string& five) {
  for (std::size_t i = 0; i < five.size() && i < 5; ++i) letters()[i] = five[i];
}

void setparamletter(int p, char letter) {
  if (p >= 1 && p <= 5) letters()[p - 1] = letter;
}
