// tarnelo-cli parse, eval and deriv: the expression engine on the command line.
// argv starts with the command name; the exit code is 0, 1 for a syntax error
// in the formula, 2 for bad arguments.
#pragma once

#include <string>

#include "expr/tnode.h"

int cmdparse(int argc, char** argv);
int cmdeval(int argc, char** argv);
int cmdderiv(int argc, char** argv);

// Usage lines of the three commands.
extern const char* const exprusage;

// A tree in prefix form: numbers in the shortest form that reads back exactly,
// x, y, p1..p5, inner nodes "(KIND CHILD ...)".
std::string treeprefix(const tnode& node);
