// The names of the built-in functions, shared by the parser, the text output
// and the function buttons of the formula dialog.
#pragma once

#include <array>
#include <string>

inline constexpr int funccount = 19;

// Index f (1..19) holds the lower-case name of function f; index 0 is empty.
const std::array<std::string, 20>& funcnames();
