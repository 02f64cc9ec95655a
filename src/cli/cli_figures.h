// tarnelo-cli plot and figure: figures drawn and described without a window.
#pragma once

#include <array>
#include <memory>
#include <string>

class tcoords;
class tfigure;
class theadlesshost;

// tarnelo-cli plot OUT.png [options] --fig FAMILY ... (needs the Qt build).
int cmdplot(int argc, char** argv);
// tarnelo-cli figure FAMILY A B C D E [--formula TEXT] [--prefix N] [--comma].
int cmdfigure(int argc, char** argv);

// Usage lines of both, for the program's usage text.
extern const char* const figuresusage;

// One figure's family, parameters and (family 8) formula.
struct figurewish {
  int kind = 0;
  std::array<double, 5> p{};
  std::string formula;
};

// Makes and resets a figure; for family 8 the formula is parsed first.
// Returns nullptr after printing the parser's complaint.
std::unique_ptr<tfigure> build(const figurewish& wish, tcoords& coords, theadlesshost& host);
