// What the analysis tools build on a figure's derivative: the derivative
// figure, the slope of a tangent, and the pole the crossing scan steps over.
// Every family's own derivative (code, coefficients, text) is in
// derivatives.cpp with these helpers.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "expr/tnode.h"
#include "figures/tfigure.h"

// Why a derivative text cannot be used.
enum class derivstatus {
  ok,
  // Longer than a custom formula may be (80 characters): cut, it would be
  // another function, so no derivative figure is made of it.
  toolong,
  // The parser refuses the text (for example nesting deeper than its stacks);
  // errcode holds the parser's code.
  badtext,
};

// The new figure of the derivative tool.
struct tderivfigure {
  derivstatus status = derivstatus::ok;
  uint8_t errcode = 0;
  int code = 0;                    // family of the new figure
  std::array<double, 6> params{};  // its parameters 1..5
  std::string text;                // the derivative's formula text
  texpression expression;          // code 8: the parsed text, the new figure's formula
};

// The derivative figure of figure: the family and coefficients of its
// derivative, with the sine's and cosine's coefficients turned into the
// parameters of the wave the text shows; for a formula result the text is
// parsed (and refused when too long or not parsable).
tderivfigure derivativefigure(tfigure& figure);

// Everything needed to evaluate the derivative at any x during one tangent
// placement: a figure of the derivative's family (codes 0..3, 6, 7), or the
// parsed derivative text with its parameter values (codes 4, 5, 8).
struct tslopesource {
  derivstatus status = derivstatus::ok;
  uint8_t errcode = 0;
  int code = 0;
  std::array<double, 6> params{};
  std::unique_ptr<tfigure> figure;
  texpression expression;
};

struct tslope {
  bool ok = false;
  double value = 0;
};

// Prepares the slope of figure's tangents.
tslopesource slopesource(tfigure& figure);
// The slope at x0; not ok when the source was refused or the derivative is
// undefined there.
tslope slopeat(const tslopesource& source, double x0);
// Both in one, for a single tangent.
tslope tangentslope(tfigure& figure, double x0);

// The x of the figure's pole (the hyperbola's x = -b), where a jump must not be
// counted as a crossing; none for the other families.
std::optional<double> figurepole(const tfigure& figure);
