#include <gtest/gtest.h>

#include "shell/tformulaview.h"

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

}  // namespace
