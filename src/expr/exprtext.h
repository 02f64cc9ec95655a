// Expression tree back to formula text, with the two-decimal folding that
// simplifies printed derivatives.
#pragma once

#include <string>

#include "expr/tnode.h"

// A number with two decimals and '.' as decimal mark, whatever the locale:
// 1 -> "1.00", -2 -> "-2.00". Halves round away from zero (0.125 -> "0.13"), and
// nothing that rounds to zero gets a minus sign. Magnitudes of 1e15 and above
// print in exponent form ("1.00e+20"), which the parser reads too, instead of
// hundreds of digits; infinities and NaN print "inf", "-inf" and "nan", which
// the parser rejects.
std::string fmt(double v);

// True when t is digits, optionally followed by '.' and at least one digit, and
// nothing else (no sign). value receives the number.
bool isnum(const std::string& t, double* value = nullptr);

// The formula text of the tree below node, which parseexpr reads back as the
// same function (up to the two-decimal rounding). Operands printing "0.00" or
// "1.00" are dropped where they do not matter and operations on plain numbers
// are computed; a division by a divisor that prints as zero is left as it is.
std::string exprtext(const tnode* node);
