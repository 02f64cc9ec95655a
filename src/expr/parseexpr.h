// Formula text to expression tree: a table-driven simple-precedence parser with
// a per-character error marker.
#pragma once

#include <string>

#include "expr/tnode.h"

// Entries of the parser's symbol and node stacks. Deeper nesting is refused
// with error code 10.
inline constexpr int stacksize = 25;

// Parses text (single-byte Windows-1252). Afterwards expression.text is text,
// expression.errmark holds one 'n' or 'f' per character and expression.errcode
// the error code (0 = none). On success the new tree replaces root and pool
// (other copies of the expression keep the old pool); on error root and pool
// stay as they were.
void parseexpr(texpression& expression, const std::string& text);

// The five parameter letters, "abcde" at start; position p (1..5) is kind -(p+5).
const std::string& paramletters();
// Replaces the letters; only the first five characters count, a shorter text
// replaces only the first letters.
void setparamletters(const std::string& five);
// Replaces letter p (1..5); other p are ignored.
void setparamletter(int p, char letter);
