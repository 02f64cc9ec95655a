// Number helpers shared by the figures and the parameter boxes: rounding to a
// step in 4-byte floats, and a value written with a fixed-point format and
// the program's decimal separator.
#pragma once

#include <string>

// value rounded to the nearest multiple of step, computed in 4-byte floats;
// an exact half step goes toward zero. A step of 0 (or not a number) leaves
// the value as it is.
float roundtostep(float value, float step);

// v written with format (one "%f"-style conversion, checked by the caller),
// "." replaced by separator. A value that prints as zero carries no minus
// sign: -0.001 with "%.2f" gives "0.00", not "-0.00".
std::string fixedtext(double v, const std::string& format, char separator);

// Drops the minus sign of a number text whose digits are all zero.
void dropnegativezero(std::string& text);
