// Positions follow the recording surface's metrics: at 10 points a character
// is 6 pixels wide and the font height is -13; at 7 points 4 pixels wide.
#include "expr/tmathbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recordingsurface.h"

using platform::colour;
using platform::rgb;

namespace {

struct glyph {
  std::string text;
  int x, y, size;
  colour col;
  std::string font = "Arial";
  friend bool operator==(const glyph&, const glyph&) = default;
};

std::ostream& operator<<(std::ostream& o, const glyph& g) {
  return o << "{\"" << g.text << "\" " << g.x << "," << g.y << " size " << g.size << " colour "
           << std::hex << g.col << std::dec << " " << g.font << "}";
}

constexpr colour red_ = rgb(255, 0, 0);
constexpr colour blue_ = rgb(0, 0, 255);
constexpr colour black_ = platform::black;

recordingsurface drawn(const std::string& markup, colour c = black_,
                       platform::rect area = {0, 0, 300, 40}) {
  recordingsurface s(300, 60);
  platform::font f;
  f.size = 10;
  s.setfont(f);
  tmathbox box;
  box.draw(s, markup, c, area);
  return s;
}

std::vector<glyph> glyphs(const recordingsurface& s) {
  std::vector<glyph> out;
  for (const auto& e : s.entries(recordop::textout))
    out.push_back({e.text, e.args[0], e.args[1], e.font.size, e.font.col, e.font.name});
  return out;
}

}  // namespace

TEST(tmathbox, layout_of_markup) {
  struct row {
    const char* name;
    std::string markup;
    std::vector<glyph> expect;
  };
  const std::vector<row> rows = {
      {"exponent ends at the operator",
       "x^2+1",
       {{"x", 0, 13, 10, black_},
        {"2", 6, 9, 7, black_},
        {"+", 10, 13, 10, black_},
        {"1", 16, 13, 10, black_}}},
      {"parentheses keep the exponent raised",
       "x^(a+b)*2",
       {{"x", 0, 13, 10, black_},
        {"(", 6, 9, 7, black_},
        {"a", 10, 9, 7, black_},
        {"+", 14, 9, 7, black_},
        {"b", 18, 9, 7, black_},
        {")", 22, 9, 7, black_},
        {"*", 26, 13, 10, black_},
        {"2", 32, 13, 10, black_}}},
      {"a sign after ^ belongs to the exponent",
       "x^-2",
       {{"x", 0, 13, 10, black_}, {"-", 6, 9, 7, black_}, {"2", 10, 9, 7, black_}}},
      {"exponent runs to the end",
       "e^x*",
       {{"e", 0, 13, 10, black_}, {"x", 6, 9, 7, black_}, {"*", 10, 13, 10, black_}}},
      {"a closing parenthesis from before the exponent",
       "(x^2)+1",
       {{"(", 0, 13, 10, black_},
        {"x", 6, 13, 10, black_},
        {"2", 12, 9, 7, black_},
        {")", 16, 9, 7, black_},
        {"+", 20, 13, 10, black_},
        {"1", 26, 13, 10, black_}}},
      {"index on and off",
       "a\\d1\\d b",
       {{"a", 0, 13, 10, black_},
        {"1", 6, 17, 7, black_},
        {" ", 10, 13, 10, black_},
        {"b", 16, 13, 10, black_}}},
      {"colours with a gap as wide as the letter",
       "\\f2\\n+x",
       {{"2", 6, 13, 10, red_}, {"+", 18, 13, 10, black_}, {"x", 24, 13, 10, black_}}},
      {"blue", "\\bq", {{"q", 6, 13, 10, blue_}}},
      {"unknown escape draws nothing", "\\qx", {{"x", 6, 13, 10, black_}}},
      {"trailing backslash", "ab\\", {{"a", 0, 13, 10, black_}, {"b", 6, 13, 10, black_}}},
      {"infinity in the symbol font",
       "\\m1",
       {{"\xA5", 0, 13, 10, black_, "Symbol"}, {"1", 6, 13, 10, black_}}},
      {"colour escapes inside an exponent",
       "\\nx\\n^\\n2\\n+\\n1",
       {{"x", 6, 13, 10, black_},
        {"2", 22, 9, 7, black_},
        {"+", 30, 13, 10, black_},
        {"1", 42, 13, 10, black_}}},
      {"a sign after an escape in the exponent",
       "x^\\f-2",
       {{"x", 0, 13, 10, black_}, {"-", 10, 9, 7, red_}, {"2", 14, 9, 7, red_}}},
      {"empty", "", {}},
  };
  for (const auto& r : rows) {
    const auto s = drawn(r.markup);
    EXPECT_EQ(glyphs(s), r.expect) << r.name;
    EXPECT_EQ(s.getfont().size, 10) << r.name << ": size restored";
  }
}

TEST(tmathbox, exponents_and_indexes_are_about_seventy_percent_and_at_least_seven_points) {
  struct row {
    int normal, small;
  };
  const std::vector<row> rows = {
      {10, 7}, {12, 8}, {14, 10}, {20, 14}, {72, 50}, {8, 7},  // 70 % would be 6: too small to read
      {7, 7},  {6, 6},                                         // never bigger than the line itself
  };
  for (const auto& r : rows) {
    recordingsurface s(300, 200);
    platform::font f;
    f.size = r.normal;
    s.setfont(f);
    tmathbox box;
    box.draw(s, "x^2+a\\d1", black_, {0, 0, 300, 200});
    const auto g = glyphs(s);
    ASSERT_EQ(g.size(), 5u) << r.normal;
    EXPECT_EQ(g[0].size, r.normal);
    EXPECT_EQ(g[1].size, r.small) << "exponent at " << r.normal << " points";
    EXPECT_EQ(g[2].size, r.normal);
    EXPECT_EQ(g[4].size, r.small) << "index at " << r.normal << " points";
    EXPECT_GE(g[1].size, std::min(7, r.normal));
    if (r.normal >= 10) {
      EXPECT_NEAR(g[1].size, r.normal * 0.7, 0.5);
    }
    EXPECT_EQ(s.getfont().size, r.normal);
  }
}

TEST(tmathbox, fractions_indent_once_and_draw_a_bar) {
  const auto s = drawn("\\l12\\l34", rgb(0, 128, 0));
  // Offset round(13 * 10 / 17) = 8; the first fraction moves in half a "B".
  const colour g = rgb(0, 128, 0);
  const std::vector<glyph> expect = {
      {"1", 3, 5, 10, g}, {"2", 3, 21, 10, g}, {"3", 9, 5, 10, g}, {"4", 9, 21, 10, g}};
  EXPECT_EQ(glyphs(s), expect);
  const auto moves = s.entries(recordop::moveto);
  const auto lines = s.entries(recordop::lineto);
  ASSERT_EQ(moves.size(), 2u);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(moves[0].args, (std::vector<int>{3, 21}));
  EXPECT_EQ(lines[0].args, (std::vector<int>{9, 21}));
  EXPECT_EQ(lines[0].pen.col, g);
  EXPECT_EQ(moves[1].args, (std::vector<int>{9, 21}));
  // The bar has real pixels, end pixel excluded.
  EXPECT_EQ(s.getpixel(3, 21), g);
  EXPECT_EQ(s.getpixel(8, 21), g);
  EXPECT_EQ(s.getpixel(9, 21), g);  // start of the second bar
  EXPECT_EQ(s.getpixel(15, 21), platform::white);
}

TEST(tmathbox, fraction_in_index_mode_uses_the_normal_size) {
  const auto s = drawn("\\dx\\l12y");
  const auto g = glyphs(s);
  ASSERT_EQ(g.size(), 4u);
  EXPECT_EQ(g[0], (glyph{"x", 0, 17, 7, black_}));
  EXPECT_EQ(g[1].size, 10);
  EXPECT_EQ(g[2].size, 10);
  EXPECT_EQ(g[3].size, 7);  // still in index mode afterwards
}

TEST(tmathbox, only_eighty_characters_are_drawn) {
  const auto s = drawn(std::string(85, 'x'));
  const auto g = glyphs(s);
  ASSERT_EQ(g.size(), 80u);
  EXPECT_EQ(g.back().x, 79 * 6);
  // An escape cut in two at the limit draws nothing for its half.
  const auto t = drawn(std::string(79, 'a') + "\\fz");
  EXPECT_EQ(glyphs(t).size(), 79u);
}

TEST(tmathbox, area_and_colour_and_brush) {
  const auto s = drawn("ab", blue_, {20, 5, 200, 40});
  const auto g = glyphs(s);
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0], (glyph{"a", 20, 18, 10, blue_}));
  const auto t = s.entries(recordop::textout);
  EXPECT_EQ(t[0].brush.style, platform::brushstyle::clear);
  EXPECT_EQ(t[0].pen.col, blue_);
  EXPECT_EQ(s.countpixels(platform::white), 300 * 60);  // clear brush: nothing painted
}

TEST(tmathbox, same_box_draws_again_from_a_fresh_state) {
  recordingsurface s(100, 30);
  tmathbox box;
  box.draw(s, "\\da\\l12", red_, {0, 0, 100, 30});  // ends lowered, fraction used
  s.clearentries();
  box.draw(s, "\\l12", black_, {0, 0, 100, 30});
  const auto g = glyphs(s);
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0], (glyph{"1", 3, 5, 10, black_}));  // indented again, on the line
}
