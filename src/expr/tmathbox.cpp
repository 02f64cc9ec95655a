#include "expr/tmathbox.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int raise = 4;  // pixels an exponent goes up and an index goes down

// Exponents and indexes at about 70 % of the line's size, but not below 7
// points (smaller glyphs are unreadable on screen) unless the line itself is.
int smallsizeof(int normal) {
  return std::max(static_cast<int>(std::lround(normal * 0.7)), std::min(7, normal));
}

bool isexponentend(char c) {
  return c == '*' || c == '+' || c == '-' || c == '/';
}

}  // namespace

bool tmathbox::next() {
  if (position_ > text_.size()) {
    token_ = 0;
    return false;
  }
  token_ = text_[position_ - 1];
  ++position_;
  return true;
}

void tmathbox::setsize(int size) {
  platform::font f = surface_->getfont();
  if (f.size == size) return;
  f.size = size;
  surface_->setfont(f);
}

void tmathbox::put(char ch) {
  const std::string_view one(&ch, 1);
  surface_->textout(x_, y_, one);
  x_ += surface_->textwidth(one);
}

void tmathbox::settextcolour(platform::colour c) {
  platform::font f = surface_->getfont();
  f.col = c;
  surface_->setfont(f);
}

// After a backslash. Inside an exponent only the escapes that draw no layout
// of their own (colours, infinity) act; the others draw nothing.
void tmathbox::escape(bool inexponent) {
  if (!next()) return;  // a trailing backslash draws nothing
  const char letter = token_;
  auto advance = [&](char ch) { x_ += surface_->textwidth(std::string_view(&ch, 1)); };
  switch (letter) {
    case 'b':
      settextcolour(platform::rgb(0, 0, 255));
      break;
    case 'f':
      settextcolour(platform::rgb(255, 0, 0));
      break;
    case 'n':
      settextcolour(platform::black);
      break;
    case 'm': {
      platform::font f = surface_->getfont();
      const std::string name = f.name;
      f.name = "Symbol";
      surface_->setfont(f);
      const char infinity = static_cast<char>(165);
      surface_->textout(x_, y_, std::string_view(&infinity, 1));
      f.name = name;
      surface_->setfont(f);
      break;
    }
    case 'd':
      if (inexponent) break;
      lowered_ = !lowered_;
      y_ += lowered_ ? raise_ : -raise_;
      setsize(lowered_ ? smallsize_ : normalsize_);
      if (!next()) return;
      surface_->textout(x_, y_, std::string_view(&token_, 1));
      advance(token_);
      return;
    case 'l': {
      if (inexponent) break;
      if (firstfraction_) {
        x_ += letterwidth_ / 2;
        firstfraction_ = false;
      }
      const int size = surface_->getfont().size;
      setsize(normalsize_);
      if (!next()) {
        setsize(size);
        return;
      }
      const char numerator = token_;
      if (!next()) {
        surface_->textout(x_, y_ - fractionoffset_, std::string_view(&numerator, 1));
        setsize(size);
        return;
      }
      const char denominator = token_;
      // Each column is as wide as the wider of its two characters, both
      // centred in it, so that a numerator such as "2.5" above "x +1" keeps
      // its point clear of the 2; the bar runs under the whole column.
      const int nw = surface_->textwidth(std::string_view(&numerator, 1));
      const int dw = surface_->textwidth(std::string_view(&denominator, 1));
      const int column = std::max(nw, dw);
      surface_->textout(x_ + (column - nw) / 2, y_ - fractionoffset_,
                        std::string_view(&numerator, 1));
      surface_->textout(x_ + (column - dw) / 2, y_ + fractionoffset_,
                        std::string_view(&denominator, 1));
      surface_->moveto(x_, y_ + fractionoffset_);
      surface_->lineto(x_ + std::max(column, surface_->textwidth("0")), y_ + fractionoffset_);
      x_ += column;
      setsize(size);
      return;
    }
    default:
      break;  // an unknown escape draws nothing
  }
  advance(letter);
}

void tmathbox::exponent() {
  y_ -= raise_;
  setsize(smallsize_);
  int depth = 0;
  int count = 0;  // characters of the exponent so far (escapes not counted)
  bool ended = false;
  while (next()) {
    const char c = token_;
    if (c == '\\') {
      escape(true);
      continue;
    }
    // A ")" that closes a parenthesis opened before the "^" (as in
    // "(x^2)+1") also leaves the exponent at the next operator.
    if (depth <= 0 && count > 0 && isexponentend(c)) {
      ended = true;
      break;
    }
    if (c == '(') ++depth;
    if (c == ')') --depth;
    put(c);
    ++count;
  }
  y_ += raise_;
  setsize(normalsize_);
  if (ended) put(token_);
}

void tmathbox::draw(platform::surface& s, std::string_view markup, platform::colour c,
                    const platform::rect& area) {
  surface_ = &s;
  area_ = area;
  text_ = std::string(markup.substr(0, maxlength));
  position_ = 1;
  token_ = 0;
  x_ = area.left;
  // The font height is negative: y lies one line below the top, leaving room
  // for fraction numerators.
  y_ = area.top - s.fontheight();
  lowered_ = false;
  normalsize_ = s.getfont().size;
  smallsize_ = smallsizeof(normalsize_);
  letterwidth_ = s.textwidth("B");
  fractionoffset_ = static_cast<int>(std::lround(std::abs(s.fontheight()) * 10.0 / 17.0));
  // On a finer surface (a printer page) the step grows as the letters do.
  raise_ = raise * std::max(s.pixelscale(), 1);
  s.setbrush({platform::white, platform::brushstyle::clear});
  platform::pen p = s.getpen();
  p.col = c;
  s.setpen(p);
  settextcolour(c);
  firstfraction_ = true;

  while (next()) {
    switch (token_) {
      case '^':
        exponent();
        break;
      case '\\':
        escape(false);
        break;
      default:
        put(token_);
        break;
    }
  }
  setsize(normalsize_);
}
