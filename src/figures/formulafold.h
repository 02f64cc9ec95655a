// The folding steps that turn a formula template with values filled in into
// readable text: zero terms and factors 1 dropped, sign pairs folded, empty
// function calls replaced. The values are written with the locale's separator
// sep; a "." (the user's own formula text keeps it) counts as a decimal point
// as well.
#pragma once

#include <string>

namespace formulafold {

// Whether c belongs to a number: a digit, "." or sep.
bool numeric(char c, char sep);
// Replaces every occurrence of from by to, scanning left to right.
void replaceall(std::string& s, const std::string& from, const std::string& to);
// Drops zero products and zero terms.
void dropzeroterms(std::string& s, char sep);
// Folds "++", "(+", "--" and "+-" until none is left.
void foldsigns(std::string& s);
// Replaces functions whose argument became empty.
void emptyfunctions(std::string& s, char sep);
// Drops factors 1, then trailing operators and a leading "+"; "" becomes "0".
void dropfactorone(std::string& s, char sep);
// A value written with a printf format: only "%[flags][width][.precision]f"
// with text around it is taken, anything else falls back to "%.2f". Trailing
// zeros after the decimal point and then the point go, the text is cut to 30
// characters, a value that shows as zero loses its minus sign, and the decimal
// point becomes sep.
std::string valuetext(double v, const std::string& format, char sep);

}  // namespace formulafold
