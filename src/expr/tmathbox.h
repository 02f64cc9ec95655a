// Draws one line of formula text with a little mathematical layout: raised
// small exponents after "^", lowered indexes, one-character fractions, colour
// switches and the infinity sign. The markup is plain text with backslash
// escapes:
//   ^        exponent, until (outside parentheses, after at least one
//            character) one of * + - / or the end of the text
//   \b \f \n text colour blue, red, black
//   \d c     index mode on/off, c drawn in the new mode
//   \l n d   fraction n over d
//   \m       infinity sign
// Every escape moves on by the width of its last character.
#pragma once

#include <string>
#include <string_view>

#include "platform/surface.h"

class tmathbox {
 public:
  // Only the first this many characters of a markup are drawn.
  static constexpr size_t maxlength = 80;

  // Draws markup from the top-left corner of area in colour c, in the
  // surface's current font. Afterwards the font has its size back; pen and
  // font colour are left at the last colour used.
  void draw(platform::surface& s, std::string_view markup, platform::colour c,
            const platform::rect& area);

 private:
  bool next();  // reads token; false at the end of the text
  void setsize(int size);
  void put(char ch);  // draws ch at (x, y) and moves on
  void settextcolour(platform::colour c);
  void escape(bool inexponent);
  void exponent();

  platform::surface* surface_ = nullptr;
  platform::rect area_;
  std::string text_;
  size_t position_ = 1;  // of the next character, from 1
  char token_ = 0;
  int x_ = 0;
  int y_ = 0;
  int normalsize_ = 0;
  int smallsize_ = 0;
  bool lowered_ = false;
  int letterwidth_ = 0;
  int fractionoffset_ = 0;
  int raise_ = 4;  // the exponent and index step on this surface
  bool firstfraction_ = true;
};
