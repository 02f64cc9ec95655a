// The tape of a parameter box: where ticks and labels stand, what the labels
// say, the value under the pointer, and the ends at Min and Max.
#include "shell/tscobox.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/qt/qtimage.h"

namespace {

struct tapefixture : ::testing::Test {
  platform::qtimagefactory images;
  tscobox tape{images};
  platform::colour at(int x, int y) { return tape.picture().canvas().getpixel(x, y); }
  // Pixel rows of the right-hand column in the tick colour.
  std::vector<int> tickrows() {
    std::vector<int> rows;
    for (int y = 0; y < tape.height(); ++y)
      if (at(tape.width() - 1, y) == tape.tickcolour) rows.push_back(y);
    return rows;
  }
};

TEST_F(tapefixture, labeltextsfollowtheinterval) {
  struct row {
    const char* name;
    int32_t direction;
    float interval;
    int32_t r;
    const char* text;
  };
  const std::vector<row> rows = {
      {"origin", -1, 1, 0, "  0"},
      {"one interval down", -1, 1, -50, "  1"},
      {"one interval up", -1, 1, 50, "  -1"},
      {"reversed", 1, 1, 50, "  1"},
      {"half interval is a fraction", 1, 0.5f, 50, "  0,500000"},
      {"two halves are whole", 1, 0.5f, 100, "  1"},
      {"big numbers", 1, 1000, 500, "  10000"},
      {"cut to ten characters", 1, 0.25f, -50, "  -0,25000"},
      {"no interval", 1, 0, 50, "  0"},
  };
  for (const row& r : rows) {
    tape.setup(r.direction, r.interval, 100000, -100000);
    EXPECT_EQ(tape.labeltext(r.r), r.text) << r.name;
  }
}

TEST_F(tapefixture, ticksevery10rowsandlabelsevery50) {
  tape.setup(-1, 1, 100, -100);
  tape.redraw();
  EXPECT_EQ(
      at(0, 0) == tape.background || at(0, 0) == tape.tickcolour || at(0, 0) == tape.labelcolour,
      true);
  // Tick lines stand where the tape row is a multiple of 10, except under a
  // label's text.
  for (int y : tickrows()) {
    EXPECT_EQ(tape.rowat(y) % 10, 0) << y;
  }
  EXPECT_FALSE(tickrows().empty());
  // Labels: some label colour within the 16 rows below every row that is a
  // multiple of 50.
  int labels = 0;
  for (int y = 0; y < tape.height(); ++y) {
    if (tape.rowat(y) % 50 != 0 || y + 16 > tape.height()) continue;
    bool found = false;
    for (int yy = y; yy < std::min(y + 16, tape.height()) && !found; ++yy)
      for (int x = 0; x < tape.width(); ++x)
        if (at(x, yy) == tape.labelcolour) found = true;
    EXPECT_TRUE(found) << "label at pixel row " << y;
    ++labels;
  }
  EXPECT_EQ(labels, 1);
}

TEST_F(tapefixture, scrollingstopsattheendsforminandmax) {
  struct row {
    const char* name;
    int32_t direction;
    float interval, min, max;
    int32_t target;
    int32_t expected;
  };
  const std::vector<row> rows = {
      {"inside", -1, 1, -100, 100, 40, 40},
      {"past Max with the default direction", -1, 1, 2, 10, -1000, 50 - 500},
      {"past Min with the default direction", -1, 1, 2, 10, 1000, 50 - 100},
      {"reversed: past Max", 1, 1, 2, 10, 1000, 50 + 500},
      {"reversed: past Min", 1, 1, 2, 10, -1000, 50 + 100},
      {"huge limits stay in range", -1, 1e-6f, -3e38f, 3e38f, 2000000000, 1000000050},
  };
  for (const row& r : rows) {
    tape.setup(r.direction, r.interval, r.max, r.min);
    tape.tapeposition = tape.origin;
    // Start inside the range when the origin is not.
    tape.tapeposition = std::clamp(tape.origin, tape.lowend(), tape.highend());
    tape.scrollto(r.target);
    EXPECT_EQ(tape.tapeposition, r.expected) << r.name;
  }
}

TEST_F(tapefixture, onerowatatimeuntiltheend) {
  tape.setup(-1, 1, 1, -1);
  tape.tapeposition = tape.origin;
  int moved = 0;
  while (tape.scrollone(+1)) ++moved;
  EXPECT_EQ(moved, 50);
  EXPECT_FLOAT_EQ(static_cast<float>(tape.pointervalue()), -1.0f);
  while (tape.scrollone(-1)) ++moved;
  EXPECT_EQ(moved, 150);
  EXPECT_FLOAT_EQ(static_cast<float>(tape.pointervalue()), 1.0f);
}

}  // namespace
