#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <vector>

#include "platform/qt/qtimage.h"

using namespace platform;

namespace {

constexpr colour red_ = rgb(255, 0, 0);
constexpr colour green_ = rgb(0, 128, 0);
constexpr colour blue_ = rgb(0, 0, 255);

std::vector<colour> pixels(surface& s, int w, int h) {
  std::vector<colour> out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.push_back(s.getpixel(x, y));
  return out;
}

void pattern(qtimage& img) {
  auto& s = img.canvas();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) s.setpixel(x, y, rgb(x * 7, y * 11, (x ^ y) * 5));
}

}  // namespace

struct linecase {
  const char* name;
  point from, to;
  std::vector<point> on;   // drawn
  std::vector<point> off;  // left alone (the end pixel among them)
};

TEST(qtsurface, lines_leave_out_their_end_pixel) {
  const std::vector<linecase> cases = {
      {"horizontal", {0, 0}, {3, 0}, {{0, 0}, {1, 0}, {2, 0}}, {{3, 0}}},
      {"leftwards", {5, 2}, {2, 2}, {{5, 2}, {4, 2}, {3, 2}}, {{2, 2}, {6, 2}}},
      {"vertical", {4, 1}, {4, 5}, {{4, 1}, {4, 4}}, {{4, 5}, {4, 0}}},
      {"diagonal", {1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}, {{4, 4}}},
      {"steep", {0, 0}, {2, 6}, {{0, 0}, {1, 3}, {2, 5}}, {{2, 6}}},
      {"zero length", {3, 3}, {3, 3}, {}, {{3, 3}}},
  };
  for (const auto& c : cases) {
    qtimage img(10, 10);
    auto& s = img.canvas();
    s.moveto(c.from.x, c.from.y);
    s.lineto(c.to.x, c.to.y);
    for (auto p : c.on)
      EXPECT_EQ(s.getpixel(p.x, p.y), black) << c.name << " " << p.x << "," << p.y;
    for (auto p : c.off)
      EXPECT_EQ(s.getpixel(p.x, p.y), white) << c.name << " " << p.x << "," << p.y;
  }
}

TEST(qtsurface, far_off_lines_finish_and_draw_only_their_visible_part) {
  qtimage img(50, 40);
  auto& s = img.canvas();
  s.moveto(INT_MIN, 20);
  s.lineto(INT_MAX, 20);
  s.moveto(25, INT_MIN);
  s.lineto(25, INT_MAX);
  s.moveto(-2000000000, -2000000000);
  s.lineto(2000000000, 2000000000);
  EXPECT_EQ(s.getpixel(0, 20), black);
  EXPECT_EQ(s.getpixel(49, 20), black);
  EXPECT_EQ(s.getpixel(25, 0), black);
  EXPECT_EQ(s.getpixel(25, 39), black);
  EXPECT_EQ(s.getpixel(10, 10), black);
  EXPECT_EQ(s.getpixel(10, 11), white);
}

TEST(qtsurface, xor_drawing_twice_restores_the_picture) {
  qtimage img(40, 30);
  pattern(img);
  auto& s = img.canvas();
  const auto before = pixels(s, 40, 30);
  s.setpen({rgb(0x55, 0xAA, 0x0F), 1, penstyle::solid, penmode::xor_});
  s.setbrush({white, brushstyle::clear});
  const std::array<point, 4> poly = {{{1, 1}, {30, 5}, {10, 25}, {1, 1}}};
  for (int round = 0; round < 2; ++round) {
    s.rectangle({3, 4, 33, 20});
    s.rectangle({10, 10, 11, 11});  // one pixel
    s.moveto(0, 29);
    s.lineto(39, 0);
    s.polyline(poly);
    if (round == 0) {
      EXPECT_NE(pixels(s, 40, 30), before);
    }
  }
  EXPECT_EQ(pixels(s, 40, 30), before);
}

TEST(qtsurface, xor_dashed_frame_twice_restores_the_picture) {
  qtimage img(40, 30);
  pattern(img);
  auto& s = img.canvas();
  const auto before = pixels(s, 40, 30);
  s.setpen({green_, 1, penstyle::dot, penmode::xor_});
  s.setbrush({white, brushstyle::clear});
  s.rectangle({2, 2, 38, 28});
  EXPECT_NE(pixels(s, 40, 30), before);
  s.rectangle({2, 2, 38, 28});
  EXPECT_EQ(pixels(s, 40, 30), before);
}

TEST(qtsurface, polyline_draws_in_the_pen_colour_without_the_last_point) {
  qtimage img(20, 20);
  auto& s = img.canvas();
  s.setpen({red_, 1, penstyle::solid, penmode::copy});
  s.moveto(7, 7);
  const std::array<point, 3> p = {{{2, 2}, {12, 2}, {12, 12}}};
  s.polyline(p);
  EXPECT_EQ(s.getpixel(2, 2), red_);
  EXPECT_EQ(s.getpixel(12, 2), red_);  // a middle vertex is drawn (start of the next segment)
  EXPECT_EQ(s.getpixel(12, 11), red_);
  EXPECT_EQ(s.getpixel(12, 12), white);
  EXPECT_EQ(img.canvas().getpixel(1, 2), white);
  s.lineto(7, 10);  // the current position was not moved by polyline
  EXPECT_EQ(s.getpixel(7, 7), red_);
}

TEST(qtsurface, wide_pen_covers_its_width) {
  qtimage img(30, 30);
  auto& s = img.canvas();
  s.setpen({blue_, 5, penstyle::solid, penmode::copy});
  s.moveto(5, 15);
  s.lineto(25, 15);
  EXPECT_EQ(s.getpixel(15, 13), blue_);
  EXPECT_EQ(s.getpixel(15, 17), blue_);
  EXPECT_EQ(s.getpixel(15, 20), white);
}

TEST(qtsurface, rectangle_fill_frame_and_clear_pen) {
  qtimage img(20, 20);
  auto& s = img.canvas();
  s.setpen({red_, 1, penstyle::solid, penmode::copy});
  s.setbrush({blue_, brushstyle::solid});
  s.rectangle({2, 2, 8, 8});
  EXPECT_EQ(s.getpixel(2, 2), red_);
  EXPECT_EQ(s.getpixel(7, 7), red_);
  EXPECT_EQ(s.getpixel(5, 5), blue_);
  EXPECT_EQ(s.getpixel(8, 8), white);
  s.setbrush({green_, brushstyle::solid});
  s.framerect({10, 10, 15, 15});
  EXPECT_EQ(s.getpixel(10, 10), green_);
  EXPECT_EQ(s.getpixel(14, 12), green_);
  EXPECT_EQ(s.getpixel(12, 12), white);
  s.fillrect({16, 16, 18, 18});
  EXPECT_EQ(s.getpixel(17, 17), green_);
  EXPECT_EQ(s.getpixel(18, 18), white);
  s.setbrush({red_, brushstyle::clear});
  s.fillrect({0, 0, 20, 20});
  EXPECT_EQ(s.getpixel(0, 0), white);
}

TEST(qtsurface, setpixel_getpixel_exact_and_white_outside) {
  qtimage img(5, 4);
  auto& s = img.canvas();
  s.setpixel(4, 3, rgb(1, 2, 3));
  s.setpixel(5, 3, black);  // outside: ignored
  s.setpixel(-1, 0, black);
  EXPECT_EQ(s.getpixel(4, 3), rgb(1, 2, 3));
  EXPECT_EQ(s.getpixel(5, 3), white);
  EXPECT_EQ(s.getpixel(-1, 0), white);
  EXPECT_EQ(s.getpixel(0, 4), white);
  EXPECT_EQ(img.qimage().pixel(4, 3) & 0xFFFFFFu, rgb(1, 2, 3));
}

TEST(qtsurface, pixels_written_directly_and_by_the_painter_meet) {
  qtimage img(10, 10);
  auto& s = img.canvas();
  s.setbrush({blue_, brushstyle::solid});
  s.fillrect({0, 0, 10, 10});          // painter
  EXPECT_EQ(s.getpixel(3, 3), blue_);  // read straight from memory
  s.setpixel(3, 3, red_);              // straight into memory
  s.setpen({green_, 3, penstyle::solid, penmode::copy});
  s.moveto(0, 8);
  s.lineto(9, 8);  // painter again
  EXPECT_EQ(s.getpixel(3, 3), red_);
  EXPECT_EQ(s.getpixel(5, 8), green_);
  EXPECT_EQ(img.qimage().pixel(3, 3) & 0xFFFFFFu, red_);
}

TEST(qtsurface, drawtransparent_leaves_out_one_colour) {
  qtimage src(3, 1);
  src.canvas().setpixel(0, 0, red_);
  src.canvas().setpixel(1, 0, green_);
  src.canvas().setpixel(2, 0, blue_);
  qtimage dst(6, 3);
  pattern(dst);
  const colour under = dst.canvas().getpixel(3, 1);
  dst.canvas().drawtransparent(2, 1, src, green_);
  EXPECT_EQ(dst.canvas().getpixel(2, 1), red_);
  EXPECT_EQ(dst.canvas().getpixel(3, 1), under);
  EXPECT_EQ(dst.canvas().getpixel(4, 1), blue_);
  dst.canvas().draw(-1, 2, src);  // plain draw, partly outside
  EXPECT_EQ(dst.canvas().getpixel(0, 2), green_);
  EXPECT_EQ(dst.canvas().getpixel(1, 2), blue_);
}

TEST(qtsurface, copyrect_stretches_and_copies_within_itself) {
  qtimage src(2, 2);
  src.canvas().setpixel(0, 0, red_);
  src.canvas().setpixel(1, 0, green_);
  src.canvas().setpixel(0, 1, blue_);
  src.canvas().setpixel(1, 1, black);
  qtimage dst(8, 8);
  dst.canvas().copyrect({0, 0, 8, 8}, src, {0, 0, 2, 2});
  const std::array<std::pair<point, colour>, 8> expect = {{{{0, 0}, red_},
                                                           {{3, 3}, red_},
                                                           {{4, 0}, green_},
                                                           {{7, 3}, green_},
                                                           {{0, 4}, blue_},
                                                           {{3, 7}, blue_},
                                                           {{4, 4}, black},
                                                           {{7, 7}, black}}};
  for (auto [p, c] : expect) EXPECT_EQ(dst.canvas().getpixel(p.x, p.y), c) << p.x << "," << p.y;
  // Overlapping copy inside one image reads the old pixels.
  dst.canvas().copyrect({2, 0, 8, 8}, dst, {0, 0, 6, 8});
  EXPECT_EQ(dst.canvas().getpixel(5, 0), red_);
  EXPECT_EQ(dst.canvas().getpixel(6, 0), green_);
}

TEST(qtsurface, text_in_font_colour_with_clear_brush_keeps_background) {
  qtimage img(80, 40);
  auto& s = img.canvas();
  s.setbrush({blue_, brushstyle::solid});
  s.fillrect({0, 0, 80, 40});
  s.setbrush({white, brushstyle::clear});
  font f;
  f.size = 14;
  f.col = red_;
  s.setfont(f);
  s.textout(2, 2, "WM");
  const int w = s.textwidth("WM"), h = s.textheight("WM");
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  int reds = 0, blues = 0, others = 0;
  for (int y = 2; y < 2 + h; ++y)
    for (int x = 2; x < 2 + w; ++x) {
      const colour c = s.getpixel(x, y);
      reds += c == red_;
      blues += c == blue_;
      others += c != red_ && c != blue_;
    }
  EXPECT_GT(reds, 10);
  EXPECT_GT(blues, 10);
  EXPECT_EQ(others, 0);  // no antialiasing, no white cell
  // A solid brush fills the cell.
  s.setbrush({white, brushstyle::solid});
  s.textout(2, 2, "WM");
  const colour corner = s.getpixel(2 + w - 1, 2 + h - 1);
  EXPECT_TRUE(corner == white || corner == red_);
  EXPECT_EQ(s.getpixel(2 + w, 2), blue_);
}

TEST(qtsurface, font_height_and_symbol_infinity) {
  qtimage img(60, 40);
  auto& s = img.canvas();
  font f;
  f.size = 10;
  s.setfont(f);
  EXPECT_EQ(s.fontheight(), -13);
  f.size = 12;
  s.setfont(f);
  EXPECT_EQ(s.fontheight(), -16);

  // Character 165 of the formula glyph font is the infinity sign, not the yen
  // sign it is in the code page.
  auto draw165 = [](const char* name) {
    qtimage img(60, 40);
    font f;
    f.name = name;
    f.size = 12;
    img.canvas().setfont(f);
    img.canvas().textout(5, 5, "\xA5");
    return pixels(img.canvas(), 60, 40);
  };
  const auto infinity = draw165("Symbol");
  const auto yen = draw165("DejaVu Sans");
  EXPECT_GT(std::count(infinity.begin(), infinity.end(), black), 10);
  EXPECT_GT(std::count(yen.begin(), yen.end(), black), 10);
  EXPECT_NE(infinity, yen);
}

TEST(qtsurface, empty_and_resized_images) {
  qtimage none(0, 0);
  auto& s = none.canvas();
  s.moveto(0, 0);
  s.lineto(10, 10);
  s.fillrect({0, 0, 5, 5});
  s.textout(0, 0, "x");
  EXPECT_EQ(s.getpixel(0, 0), white);
  none.resize(4, 3);
  EXPECT_EQ(none.width(), 4);
  s.setpixel(3, 2, red_);
  EXPECT_EQ(s.getpixel(3, 2), red_);
  none.resize(6, 6);
  EXPECT_EQ(s.getpixel(3, 2), white);
  s.setbrush({green_, brushstyle::solid});
  s.fillrect({0, 0, 6, 6});
  EXPECT_EQ(s.getpixel(5, 5), green_);
  none.resize(-3, 5);
  EXPECT_EQ(none.width(), 0);
  EXPECT_EQ(s.getpixel(0, 0), white);
}

// A wide pen's chain of lines that runs far out of the picture draws what the
// same chain cut off just outside it draws (and costs no more).
TEST(qtsurface, wide_polyline_far_out_of_the_picture_draws_its_visible_part) {
  constexpr int far = 1000000;
  struct row {
    const char* name;
    std::vector<point> farout, near;
  };
  const std::vector<row> rows = {
      {"horizontal", {{-far, 10}, {far, 10}}, {{-40, 10}, {70, 10}}},
      {"out over the top and back",
       {{2, 2}, {2, -far}, {20, -far}, {20, 2}},
       {{2, 2}, {2, -40}, {20, -40}, {20, 2}}},
      {"up and down across",
       {{5, -far}, {5, far}, {9, far}, {9, -far}, {25, -far}},
       {{5, -40}, {5, 70}, {9, 70}, {9, -40}, {25, -40}}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    qtimage a(30, 30);
    qtimage b(30, 30);
    for (qtimage* img : {&a, &b}) {
      img->canvas().setpen({red_, 3, penstyle::solid, penmode::copy});
      img->canvas().polyline(img == &a ? r.farout : r.near);
    }
    EXPECT_EQ(pixels(a.canvas(), 30, 30), pixels(b.canvas(), 30, 30));
    EXPECT_NE(pixels(a.canvas(), 30, 30), pixels(qtimage(30, 30).canvas(), 30, 30));
  }
}
