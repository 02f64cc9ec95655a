// The formula text of a figure with any family and parameters: it parses again
// (but for the hyperbola's stacked display form) and means the figure's own
// function with each parameter as the text shows it. The shown numbers are
// rounded by their format, so the text is compared with the function of the
// rounded parameters; the rounding itself moves a value by at most half a unit
// of the last shown decimal, which the last check holds the text to.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "expr/evalexpr.h"
#include "expr/parseexpr.h"
#include "figures/makefigure.h"
#include "figures/tcustom.h"
#include "figures/theadlesshost.h"

namespace {

// Formulas whose letters stand where a number of either sign may replace them
// without brackets, as a typed formula would have them.
constexpr std::array<const char*, 8> customformulas{
    "a*x^2+b*x+c",     "a*sin(b*x+c)+d", "a*exp(b*x)+c",  "a*sqrt(x)+b",
    "a*abs(x-b)+c",    "a*x+b*cos(x)",   "a*x^3+e",       "a*ln(x)+b*x+c",
};

struct reader {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  uint8_t byte() { return at < size ? data[at++] : 0; }
  int32_t int32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | byte();
    int32_t r;
    std::memcpy(&r, &v, sizeof r);
    return r;
  }
};

// The value a value text stands for.
double shown(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

// How much the function at x moves, relative to a small change of every
// parameter in proportion to itself, give or take a constant factor.
double sensitivity(int kind, const std::array<double, 6>& p, double x, double want) {
  const double ax = std::fabs(x);
  const double a = std::fabs(p[1]), b = std::fabs(p[2]), c = std::fabs(p[3]), d = std::fabs(p[4]),
               e = std::fabs(p[5]);
  switch (kind) {
    case family::line:
      return a * ax + b;
    case family::parabola:
      return a * ax * ax + b * ax + c;
    case family::vertexparab:
      return a * (ax + b) * (ax + b) + c;
    case family::hyperbola: {
      const double u = std::fabs(x + p[2]);
      return a / u * (1 + b / u) + c;
    }
    case family::sine:
    case family::cosine:
      return a * (1 + b * ax + c) + d;
    case family::cubic:
      return ((a * ax + b) * ax + c) * ax + d;
    case family::quartic:
      return (((a * ax + b) * ax + c) * ax + d) * ax + e;
    default: {
      const double sum = a + b + c + d + e;
      // The typed formulas: a product of terms and an argument b*x+c at most.
      return (1 + std::fabs(want) + sum * std::pow(ax + 1, 3)) * (1 + sum * (ax + 1));
    }
  }
}

bool close(double a, double b, double size) {
  return std::fabs(a - b) <= 1e-9 * (1 + size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  reader in{data, size};
  const int kind = in.byte() % family::count;
  const uint8_t modes = in.byte();
  const int precision = modes % 7;
  const bool rotating = (modes / 7) % 2 == 1;
  const int textmode = (modes / 14) % 2;
  const int prefix = in.byte() % 4;
  std::array<double, 6> values{};
  for (int k = 1; k <= 5; ++k) {
    const int32_t whole = in.int32();
    // From 2e29 down to the ninth decimal.
    const int scale = in.byte() % 30 - 20;
    values[static_cast<size_t>(k)] = whole / std::pow(10.0, scale);
  }
  const char* customtext = customformulas[in.byte() % customformulas.size()];

  // One window and one figure of each family for the whole run, as figures
  // are reset and changed in an open window; their point arrays are large.
  static theadlesshost host;
  static tcoords coords;
  static std::array<std::unique_ptr<tfigure>, family::count> figures;
  static constexpr std::array<const char*, 4> prefixes{"F(x) =", "f(x) =", "y =", "Y ="};
  host.name = prefixes[static_cast<size_t>(prefix)];
  char format[8];
  std::snprintf(format, sizeof format, "%%.%df", precision);
  for (auto& f : host.formats) f = format;
  host.tool = rotating ? toolcode::rotate : toolcode::select;
  const int digits = rotating ? 2 : precision;

  host.separator = '.';
  std::unique_ptr<tfigure>& f = figures[static_cast<size_t>(kind)];
  if (!f) f = makefigure(kind, coords, host);
  if (!f) std::abort();
  if (kind == family::custom) {
    texpression e;
    parseexpr(e, customtext);
    if (e.errcode != 0) std::abort();
    static_cast<tcustom&>(*f).setformula(e);
  }
  f->reset();
  f->textmode = textmode;
  f->param = values;

  const std::string text = f->formula();
  const std::string head = host.name.substr(1, 5);
  if (text.compare(0, head.size(), head) != 0) std::abort();
  // The hyperbola's display form stacks numerator over denominator.
  if (kind == family::hyperbola && textmode == 0) return 0;
  const std::string body = text.substr(head.size());
  if (body != f->formulabuf) std::abort();

  // With a decimal comma the text differs only in that character.
  host.separator = ',';
  std::string comma = f->formula().substr(head.size());
  for (char& c : comma)
    if (c == ',') c = '.';
  if (comma != body) std::abort();
  host.separator = '.';

  // Each parameter as its text shows it; a text cut to its 30 characters no
  // longer shows the number, so such a figure is not compared.
  std::array<double, 6> rounded{};
  for (int k = 1; k <= 5; ++k) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", digits, values[static_cast<size_t>(k)]);
    if (std::strlen(buf) > 30) return 0;
    rounded[static_cast<size_t>(k)] = shown(buf);
    // Half a unit of the last shown decimal, and the binary rounding of it.
    const double half = 0.5 * std::pow(10.0, -digits);
    const double off = std::fabs(rounded[static_cast<size_t>(k)] - values[static_cast<size_t>(k)]);
    if (off > half * (1 + 1e-9) + std::fabs(values[static_cast<size_t>(k)]) * 1e-15) std::abort();
  }

  // A hyperbola that is only its constant shows the constant's sign, as in
  // "F(x) =+4"; a formula cannot start with "+", so that one is left out.
  std::string readable = body;
  if (kind == family::hyperbola && readable.size() > 1 && readable[0] == '+') readable.erase(0, 1);
  texpression parsed;
  parseexpr(parsed, readable);
  if (parsed.errcode != 0) __builtin_trap();

  f->param = rounded;
  static constexpr double xs[] = {-7.25, -2.0, -1.0, -0.5, 0.0, 0.3, 1.0, 2.5, 9.0, 31.0};
  for (double x : xs) {
    const double want = f->value(x);
    const evalresult got = evalexpr(&parsed.root, x, 0);
    if (kind == family::custom) {
      // The user's formula is evaluated by the same evaluator. A term whose
      // factor shows as 0 is left out of the text, so the text may be defined
      // where the formula is not, never the other way round.
      if (!std::isfinite(want)) continue;
      if (!got.ok) __builtin_trap();
    } else if (kind == family::hyperbola && x + rounded[2] == 0) {
      continue;  // the figure gives 0 at its asymptote, the text is undefined there
    } else if (!got.ok) {
      __builtin_trap();
    }
    // The text's numbers are read digit by digit, a few units in the last
    // binary place off the parameters: terms that cancel, a sine's argument
    // and the hyperbola near its asymptote carry that further. The size below
    // bounds how far, to first order, for each family.
    const double magnitude = std::fabs(want) + sensitivity(kind, rounded, x, want);
    if (!std::isfinite(magnitude) || !std::isfinite(want)) continue;
    if (!close(got.value, want, magnitude)) __builtin_trap();
  }
  return 0;
}
