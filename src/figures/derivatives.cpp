// The derivative of every family as a family code, five coefficients and a
// formula text, and what the derivative and tangent tools make of it.
#include "figures/derivatives.h"

#include "expr/derivexpr.h"
#include "expr/evalexpr.h"
#include "expr/exprtext.h"
#include "expr/parseexpr.h"
#include "figures/makefigure.h"
#include "figures/tcos.h"
#include "figures/tcustom.h"
#include "figures/tellipse.h"
#include "figures/thiper.h"
#include "figures/tparab.h"
#include "figures/tpolfour.h"
#include "figures/tpolthree.h"
#include "figures/trectangle.h"
#include "figures/tsin.h"

namespace {

bool isletter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The fixed texts below name the parameters a..e; the user may have given the
// parameters other letters, and the texts are parsed with those.
std::string withletters(std::string text) {
  const std::string& letters = paramletters();
  std::string out = text;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c < 'a' || c > 'e') continue;
    const bool alone =
        (i == 0 || !isletter(text[i - 1])) && (i + 1 >= text.size() || !isletter(text[i + 1]));
    const auto p = static_cast<std::size_t>(c - 'a');
    if (alone && p < letters.size()) out[i] = letters[p];
  }
  return out;
}

int result(std::array<double, 6>& coefficients, std::string& text,
           std::initializer_list<double> values, const char* formula, int code) {
  coefficients.fill(0);
  int k = 1;
  for (double v : values) coefficients[k++] = v;
  text = withletters(formula);
  return code;
}

// Codes whose coefficients are the parameters of a figure of that family.
bool figurecode(int code) {
  return code == family::line || code == family::parabola || code == family::vertexparab ||
         code == family::hyperbola || code == family::cubic || code == family::quartic;
}

// A formula text as a custom figure gets it: parsed whole; refused when the
// parser refuses it.
derivstatus parsetext(const std::string& text, texpression& expression, uint8_t& errcode) {
  parseexpr(expression, text);
  errcode = expression.errcode;
  return errcode == 0 ? derivstatus::ok : derivstatus::badtext;
}

}  // namespace

int tfigure::derivative(std::array<double, 6>& coefficients, std::string& text) {
  coefficients.fill(0);
  text.clear();
  return kind;
}

int trectangle::derivative(std::array<double, 6>& c, std::string& text) {
  return result(c, text, {0, param[1]}, "a", family::line);
}

int tellipse::derivative(std::array<double, 6>& c, std::string& text) {
  return result(c, text, {2 * param[1], param[2]}, "2*a*x+b", family::line);
}

int tparab::derivative(std::array<double, 6>& c, std::string& text) {
  return result(c, text, {2 * param[1], -2 * param[1] * param[2]}, "2*a*(x-b)", family::line);
}

int tpolthree::derivative(std::array<double, 6>& c, std::string& text) {
  return result(c, text, {3 * param[1], 2 * param[2], param[3]}, "3*a*x\xB2+2*b*x+c",
                family::parabola);
}

int tpolfour::derivative(std::array<double, 6>& c, std::string& text) {
  return result(c, text, {4 * param[1], 3 * param[2], 2 * param[3], param[4]},
                "4*a*x\xB3+3*b*x\xB2+2*c*x+d", family::cubic);
}

int thiper::derivative(std::array<double, 6>& c, std::string& text) {
  return result(c, text, {param[1], param[2]}, "-a/((x+b)*(x+b))", family::custom);
}

int tsin::derivative(std::array<double, 6>& c, std::string& text) {
  return result(c, text, {param[1], param[2], param[3], param[4]}, "a*cos(b*x+c)*b",
                family::cosine);
}

int tcos::derivative(std::array<double, 6>& c, std::string& text) {
  return result(c, text, {param[1], param[2], param[3], param[4]}, "(-1)*a*sin(b*x+c)*b",
                family::sine);
}

int tcustom::derivative(std::array<double, 6>& c, std::string& text) {
  // The text names the parameters by letter, and parameter k always belongs
  // to letter k; so each letter the formula uses carries its own value, also
  // when an earlier letter is unused ("b*x^2" gives "2.00*b*x" with b's value).
  c.fill(0);
  const std::string& letters = ::paramletters();
  for (int k = 1; k <= 5 && k <= static_cast<int>(letters.size()); ++k)
    if (paramletters.find(letters[k - 1]) != std::string::npos) c[k] = param[k];
  nodepool pool;
  text = exprtext(derivexpr(&expression.root, pool));
  return family::custom;
}

tderivfigure derivativefigure(tfigure& figure) {
  tderivfigure d;
  std::array<double, 6> c{};
  d.code = figure.derivative(c, d.text);
  d.params = c;
  if (d.code == family::cosine) {
    // The derivative of a*sin(b*x+c)+d drawn as the cosine wave (a*b)*cos(b*x+c).
    d.params = {0, c[1] * c[2], c[2], c[3], 0, 0};
  } else if (d.code == family::sine) {
    d.params = {0, -c[1] * c[2], c[2], c[3], 0, 0};
  } else if (d.code == family::custom) {
    if (d.text.size() > tcustom::maxformula) {
      d.status = derivstatus::toolong;
      return d;
    }
    d.status = parsetext(d.text, d.expression, d.errcode);
  }
  return d;
}

tslopesource slopesource(tfigure& figure) {
  tslopesource s;
  std::string text;
  s.code = figure.derivative(s.params, text);
  if (figurecode(s.code)) {
    if (figure.coords == nullptr || figure.host == nullptr) {
      s.status = derivstatus::badtext;
      return s;
    }
    s.figure = makefigure(s.code, *figure.coords, *figure.host);
    if (!s.figure) {
      s.status = derivstatus::badtext;
      return s;
    }
    s.figure->param = s.params;
    return s;
  }
  s.status = parsetext(text, s.expression, s.errcode);
  return s;
}

tslope slopeat(const tslopesource& source, double x0) {
  if (source.status != derivstatus::ok) return {};
  if (source.figure) {
    const double v = source.figure->value(x0);
    return {v == v, v};
  }
  for (int k = 1; k <= 5; ++k) setparamvalue(k, source.params[k]);
  const evalresult r = evalexpr(&source.expression.root, x0, 0);
  return {r.ok, r.ok ? r.value : 0};
}

tslope tangentslope(tfigure& figure, double x0) {
  return slopeat(slopesource(figure), x0);
}

std::optional<double> figurepole(const tfigure& figure) {
  if (dynamic_cast<const thiper*>(&figure) != nullptr) return -figure.param[2];
  return std::nullopt;
}
