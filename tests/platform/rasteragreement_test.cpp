// The recording surface used by the Qt-free tests must put the same pixels as
// the real surface, or those tests would check a different picture.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "platform/qt/qtimage.h"
#include "support/recordingsurface.h"

using namespace platform;

namespace {

struct shape {
  const char* name;
  std::function<void(surface&)> draw;
};

void line(surface& s, int x0, int y0, int x1, int y1) {
  s.moveto(x0, y0);
  s.lineto(x1, y1);
}

}  // namespace

TEST(rasteragreement, recording_and_qt_surfaces_give_the_same_pixels) {
  const pen red1{rgb(255, 0, 0), 1, penstyle::solid, penmode::copy};
  const pen xor1{rgb(0, 255, 255), 1, penstyle::solid, penmode::xor_};
  const std::vector<shape> shapes = {
      {"shallow tie", [](surface& s) { line(s, 0, 0, 4, 2); }},
      {"shallow tie backwards", [](surface& s) { line(s, 4, 2, 0, 0); }},
      {"steep", [](surface& s) { line(s, 3, 1, 7, 30); }},
      {"steep upwards", [](surface& s) { line(s, 30, 30, 25, 2); }},
      {"every octant",
       [](surface& s) {
         const std::array<point, 8> ends = {
             {{31, 20}, {28, 29}, {20, 31}, {11, 29}, {1, 18}, {5, 7}, {17, 1}, {29, 9}}};
         for (auto e : ends) line(s, 16, 16, e.x, e.y);
       }},
      {"clipped at every edge",
       [](surface& s) {
         line(s, -10, 5, 40, 12);
         line(s, 7, -20, 15, 50);
         line(s, -100, -90, 100, 130);
       }},
      {"polyline",
       [&](surface& s) {
         s.setpen(red1);
         const std::array<point, 6> p = {{{1, 30}, {5, 3}, {9, 28}, {14, 2}, {20, 20}, {31, 31}}};
         s.polyline(p);
       }},
      {"rectangle with pen and brush",
       [&](surface& s) {
         s.setpen(red1);
         s.setbrush({rgb(0, 0, 255), brushstyle::solid});
         s.rectangle({3, 4, 20, 15});
       }},
      {"rectangle without pen",
       [](surface& s) {
         s.setpen({black, 1, penstyle::clear, penmode::copy});
         s.setbrush({rgb(0, 128, 0), brushstyle::solid});
         s.rectangle({3, 4, 20, 15});
       }},
      {"thin and clipped rectangles",
       [&](surface& s) {
         s.setpen(red1);
         s.setbrush({white, brushstyle::clear});
         s.rectangle({5, 5, 6, 25});
         s.rectangle({8, 5, 30, 6});
         s.rectangle({-5, -5, 10, 10});
         s.rectangle({25, 25, 40, 40});
         s.rectangle({12, 12, 12, 20});  // empty
       }},
      {"framerect and fillrect",
       [](surface& s) {
         s.setbrush({rgb(128, 0, 128), brushstyle::solid});
         s.framerect({2, 2, 30, 30});
         s.fillrect({10, -3, 14, 40});
         s.fillrect({20, 20, 18, 25});  // empty
       }},
      {"xor crossing lines and frame",
       [&](surface& s) {
         s.setbrush({white, brushstyle::solid});
         s.fillrect({0, 0, 16, 32});
         s.setpen(xor1);
         line(s, 0, 16, 32, 16);
         line(s, 16, 0, 16, 32);
         s.setbrush({white, brushstyle::clear});
         s.rectangle({4, 4, 28, 28});
       }},
      {"setpixel",
       [](surface& s) {
         s.setpixel(0, 0, rgb(1, 2, 3));
         s.setpixel(31, 31, rgb(4, 5, 6));
         s.setpixel(32, 0, black);
       }},
  };
  for (const auto& sh : shapes) {
    recordingsurface rec(32, 32);
    qtimage img(32, 32);
    sh.draw(rec);
    sh.draw(img.canvas());
    int differ = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (rec.getpixel(x, y) != img.canvas().getpixel(x, y)) {
          if (++differ <= 5)
            ADD_FAILURE() << sh.name << ": pixel " << x << "," << y << " recording " << std::hex
                          << rec.getpixel(x, y) << " qt " << img.canvas().getpixel(x, y);
        }
    EXPECT_EQ(differ, 0) << sh.name;
  }
}

TEST(rasteragreement, images_cross_between_the_two_kinds) {
  recordingimage rec(4, 4);
  rec.canvas().setpixel(1, 1, rgb(255, 0, 0));
  qtimage img(6, 6);
  img.canvas().draw(1, 1, rec);
  EXPECT_EQ(img.canvas().getpixel(2, 2), rgb(255, 0, 0));
  EXPECT_EQ(img.canvas().getpixel(1, 1), white);
  recordingsurface back(6, 6);
  back.drawtransparent(0, 0, img, white);
  EXPECT_EQ(back.getpixel(2, 2), rgb(255, 0, 0));
  EXPECT_EQ(back.countpixels(white), 35);
}
