#include "dialogs/tformulaview.h"

#include <gtest/gtest.h>

#include <QPixmap>
#include <algorithm>

namespace {

// Rows of the picture that hold any ink.
std::pair<int, int> inkrows(const QImage& picture) {
  int first = -1, last = -1;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if ((picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return {first, last};
}

TEST(tformulaview, a_centred_one_line_view_shows_the_whole_line) {
  // The formula dialog's error view is as high as the edit field it covers.
  tformulaview view(nullptr, false);
  view.resize(354, 24);
  view.setcentred(true);
  view.setformula("2\\fx\\n+1");
  const auto [first, last] = inkrows(view.render());
  ASSERT_GE(first, 0);
  EXPECT_GT(first, 0);
  EXPECT_LT(last, 23);
}

bool inked(const QImage& picture, int x, int y) {
  return (picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

TEST(tformulaview, a_fraction_point_above_a_wide_sign_is_seen) {
  // 2.5/(x+1) as the hyperbola lays it out: the 2 stands above a blank, so in
  // a proportional font the point must stand clear to the right of the 2.
  tformulaview view(nullptr, false);
  view.resize(281, 40);
  const auto picture = [&](const char* markup) {
    view.setformula(markup);
    return view.render();
  };
  const QImage two = picture("\\l x\\l2 ");
  const QImage without = picture("\\l x\\l2 \\l +");
  const QImage with = picture("\\l x\\l2 \\l.+");
  int rightoftwo = -1;
  for (int y = 0; y < two.height(); ++y)
    for (int x = 0; x < two.width(); ++x)
      if (inked(two, x, y)) rightoftwo = std::max(rightoftwo, x);
  int point = 0;
  for (int y = 0; y < with.height(); ++y)
    for (int x = 0; x < with.width(); ++x)
      if (inked(with, x, y) && !inked(without, x, y)) {
        ++point;
        EXPECT_GT(x, rightoftwo) << "point ink at " << x << "," << y;
      }
  EXPECT_GT(point, 0);
}

TEST(tformulaview, text_is_antialiased_and_the_exponent_is_legible) {
  // Shown as the user sees it: the widget paints itself.
  tformulaview view(nullptr, false);
  view.resize(120, 30);
  view.setformula("x^2+1");
  const QImage picture = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  int grey = 0, ink = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = picture.pixel(x, y) & 0xFFFFFF;
      if (p == 0xFFFFFF) continue;
      ++ink;
      if (qGray(p) > 40 && qGray(p) < 215) ++grey;
    }
  EXPECT_GT(grey, ink / 10) << "smooth glyph edges";
  // The raised 2 is nearly as tall as the 1 on the line: at half size it was
  // a smudge of a few pixels.
  const auto columns = [&](const char* markup) {
    view.setformula(markup);
    return inkrows(view.render());
  };
  const auto [etop, ebottom] = columns("^2");
  const auto [ntop, nbottom] = columns("2");
  ASSERT_GE(etop, 0);
  const int small = ebottom - etop + 1, normal = nbottom - ntop + 1;
  EXPECT_GE(small * 10, normal * 6) << small << " of " << normal << " rows";
  EXPECT_LE(small * 10, normal * 8) << small << " of " << normal << " rows";
}

}  // namespace
