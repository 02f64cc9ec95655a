// The parameter box: stepping with the shortened last step, the held button's
// acceleration, tape dragging, limits, settings and the edit field it writes.
#include "shell/tmanbox.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/qt/qtimage.h"

namespace {

struct boxfixture : ::testing::Test {
  platform::qtimagefactory images;
  tmanbox box;
  std::vector<std::string> written;  // edit texts, in order
  std::vector<int> writingflags;     // the writing flag at each write
  std::vector<int> dragflags;

  void make(tboxconfig c, float start) {
    box.createbox(images, 1, c, "%.2f", ',');
    box.editchanged = [this](tmanbox& b) {
      written.push_back(b.edittext);
      writingflags.push_back(b.writing);
      dragflags.push_back(b.dragflag);
    };
    box.showvalue(start);
  }
  void press(const char* control, int row = 0) {
    // What the panel does on every mouse-down.
    box.repeatcount = 0;
    box.lastrepeat = tmanbox::norepeat;
    box.press(control, row);
  }
};

TEST_F(boxfixture, heldupbuttonacceleratesandstopsatmax) {
  tboxconfig c;
  c.step = 0.01f;
  make(c, 1.0f);
  press("up1");
  EXPECT_FLOAT_EQ(box.value, 1.01f);
  // tick number -> value after it; a grown step also rounds to itself
  const std::vector<std::pair<int, float>> expected = {{1, 1.02f},   {5, 1.06f},  {6, 2.0f},
                                                       {10, 6.0f},   {11, 20.0f}, {15, 60.0f},
                                                       {16, 100.0f}, {30, 100.0f}};
  size_t next = 0;
  for (int t = 1; t <= 30; ++t) {
    box.tick();
    EXPECT_LE(box.value, 100.0f) << "tick " << t;
    if (next < expected.size() && expected[next].first == t) {
      EXPECT_NEAR(box.value, expected[next].second, 1e-4f) << "tick " << t;
      ++next;
    }
  }
  EXPECT_EQ(written.back(), "100,00");
  box.release();
  EXPECT_FLOAT_EQ(box.step, 0.01f);
  EXPECT_EQ(box.upheld, 0);
}

TEST_F(boxfixture, stepsstopatthelimitsineitherdirection) {
  struct row {
    const char* name;
    int32_t direction;
    float min, max, step, start;
    const char* control;
    int clicks;
    float expected;
  };
  const std::vector<row> rows = {
      {"up lands on Max", -1, -100, 100, 0.3f, 99.8f, "up1", 1, 100},
      {"up at Max changes nothing", -1, -100, 100, 0.3f, 100, "up1", 3, 100},
      {"down stops at Min 2", -1, 2, 10, 1, 5, "down1", 10, 2},
      {"up stops at Max 10", -1, 2, 10, 1, 5, "UP1", 10, 10},
      {"reversed: up goes down to Min", 1, 2, 10, 1, 5, "up1", 10, 2},
      {"reversed: down goes up to Max", 1, 2, 10, 1, 5, "Down1", 10, 10},
      {"across zero to a positive Max", -1, -100, 0.3f, 1, -0.5f, "up1", 1, 0.3f},
      {"rounded to the step", -1, -100, 100, 0.5f, 0.26f, "up1", 1, 1.0f},
  };
  for (const row& r : rows) {
    tboxconfig c{r.min, r.max, r.direction, 1, r.step};
    make(c, r.start);
    for (int i = 0; i < r.clicks; ++i) {
      press(r.control);
      box.release();
    }
    EXPECT_FLOAT_EQ(box.value, r.expected) << r.name;
    EXPECT_GE(box.value, r.min) << r.name;
    EXPECT_LE(box.value, r.max) << r.name;
  }
}

TEST_F(boxfixture, theboxwritesitseditfieldwiththewritingflagdown) {
  make({}, 1.0f);
  press("up1");
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0], "1,01");
  EXPECT_EQ(writingflags[0], 0);
  EXPECT_EQ(dragflags[0], 0);
  EXPECT_EQ(box.writing, 1);
}

TEST_F(boxfixture, dragging50pixelswithinterval1changesthevaluebyexactly1) {
  struct row {
    const char* name;
    int32_t direction;
    float start;
    int from, to;
    float expected;
  };
  const std::vector<row> rows = {
      {"down with the default direction", -1, 1, 50, 100, 0},
      {"up with the default direction", -1, 1, 50, 0, 2},
      {"reversed", 1, 1, 20, 70, 2},
      {"to the end and back", -1, 99.5f, 50, 0, 100},
  };
  for (const row& r : rows) {
    tboxconfig c;
    c.direction = r.direction;
    make(c, r.start);
    written.clear();
    dragflags.clear();
    press("scale1", r.from);
    box.drag("scale1", r.to);
    EXPECT_FLOAT_EQ(box.value, r.expected) << r.name;
    ASSERT_FALSE(dragflags.empty()) << r.name;
    EXPECT_EQ(dragflags.back(), 1) << r.name;
    EXPECT_EQ(box.dragflag, 0) << r.name;
  }
  // At Max the tape stays while the mouse goes on; coming back moves it at once.
  make({}, 99.5f);
  press("scale1", 50);
  box.drag("scale1", 0);
  EXPECT_FLOAT_EQ(box.value, 100);
  box.drag("scale1", -30);
  EXPECT_FLOAT_EQ(box.value, 100);
  box.drag("scale1", -25);
  EXPECT_FLOAT_EQ(box.value, 99.9f);
  // Another box's scale, or a disabled box, does not drag.
  EXPECT_FALSE(box.drag("scale2", 10));
  box.setstate(tmanbox::disabled);
  EXPECT_FALSE(box.drag("scale1", 10));
}

// Limits that fall between two rows of the tape: dragging it to either end
// and back never gives a value outside them.
TEST_F(boxfixture, thetapeneverdragsthevalueoutofthelimits) {
  struct row {
    const char* name;
    tboxconfig config;
    float start;
  };
  const std::vector<row> rows = {
      {"Min 5 on a tape of twenties", {5, 100, -1, 100, 0.01f}, 50},
      {"Max -5, reversed", {-100, -5, 1, 100, 0.01f}, -50},
      {"quarters on a tape of twos", {0.25f, 7.75f, -1, 10, 0.01f}, 3},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    make(r.config, r.start);
    ASSERT_FLOAT_EQ(box.value, r.start);
    press("scale1", 0);
    for (int to : {-300, 300, 0, 100000, -100000, 17}) {
      box.drag("scale1", to);
      EXPECT_GE(box.value, r.config.min) << "dragged to row " << to;
      EXPECT_LE(box.value, r.config.max) << "dragged to row " << to;
    }
  }
}

TEST_F(boxfixture, settingsthatexcludethevalueareignored) {
  make({}, -5);
  EXPECT_FALSE(box.applysettings({0, 10, -1, 1, 0.5f}));
  EXPECT_FLOAT_EQ(box.lowlimit(), -100);
  EXPECT_FLOAT_EQ(box.highlimit(), 100);
  EXPECT_FLOAT_EQ(box.configuredstep(), 0.01f);
  EXPECT_FALSE(box.applysettings({10, 0, -1, 1, 0.5f})) << "Min above Max";
  EXPECT_TRUE(box.applysettings({-10, 10, 1, 2, 0.5f}));
  const tboxconfig s = box.getsettings();
  EXPECT_FLOAT_EQ(s.min, -10);
  EXPECT_FLOAT_EQ(s.max, 10);
  EXPECT_EQ(s.direction, 1);
  EXPECT_FLOAT_EQ(s.interval, 2);
  EXPECT_FLOAT_EQ(s.step, 0.5f);
  EXPECT_FLOAT_EQ(box.value, -5);
}

TEST_F(boxfixture, clamprewritestheeditfieldonlywhenoutside) {
  make({-1, 1, -1, 1, 0.1f}, 0.5f);
  box.clamp();
  EXPECT_TRUE(written.empty());
  box.value = 7;
  box.clamp();
  EXPECT_FLOAT_EQ(box.value, 1);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0], "1,00");
  EXPECT_EQ(box.scale().tapeposition, box.scale().origin - 50);
}

TEST_F(boxfixture, controlsarematchedbynamewithoutregardtocase) {
  make({}, 0);
  EXPECT_TRUE(box.owns("EDIT1"));
  EXPECT_TRUE(box.owns("Scale1"));
  EXPECT_FALSE(box.owns("scale2"));
  EXPECT_FALSE(box.owns("up"));
  EXPECT_FALSE(box.press("down2", 0));
}

TEST_F(boxfixture, onlyplainnumberformatsreachprintf) {
  struct row {
    const char* format;
    const char* text;
  };
  for (const row& r : std::vector<row>{{"%.3f", "1,500"},
                                       {"%f", "1,500000"},
                                       {"%.0f", "2"},
                                       {"%s%s%n", "1,50"},
                                       {"%.2d", "1,50"},
                                       {"", "1,50"}}) {
    box.createbox(images, 1, {}, r.format, ',');
    EXPECT_EQ(box.valuetext(1.5f), r.text) << r.format;
  }
}

TEST_F(boxfixture, statessetthetapecolours) {
  make({}, 0);
  box.setstate(tmanbox::hidden);
  EXPECT_EQ(box.scale().background, platform::rgb(128, 128, 128));
  EXPECT_EQ(box.scale().labelcolour, platform::rgb(128, 128, 128));
  EXPECT_EQ(box.scale().tickcolour, platform::rgb(192, 192, 192));
  EXPECT_EQ(box.scale().picture().canvas().getpixel(5, 5), platform::rgb(128, 128, 128));
  box.setstate(tmanbox::disabled);
  EXPECT_EQ(box.scale().labelcolour, platform::rgb(192, 192, 192));
  box.setstate(tmanbox::normal);
  EXPECT_EQ(box.scale().background, platform::rgb(0, 0, 255));
  EXPECT_EQ(box.scale().labelcolour, platform::rgb(255, 255, 0));
}

TEST_F(boxfixture, typedtextreadsasanumberwitheitherdecimalmark) {
  using rr = tmanbox::readresult;
  // While typing, then at the end of the entry; the box held 9 before.
  struct row {
    const char* text;
    rr typing;
    float typed;
    rr ended;
    float value;
  };
  const std::vector<row> rows = {
      {"2,5", rr::apply, 2.5f, rr::apply, 2.5f}, {"2.5", rr::apply, 2.5f, rr::apply, 2.5f},
      {"-3", rr::apply, -3, rr::apply, -3},      {" 7", rr::apply, 7, rr::apply, 7},
      {",5", rr::apply, 0.5f, rr::apply, 0.5f},  {"abc", rr::invalid, 9, rr::invalid, 9},
      {"2abc", rr::invalid, 9, rr::invalid, 9},  {"", rr::invalid, 9, rr::invalid, 9},
      {"-", rr::invalid, 9, rr::invalid, 9},     {"2,5,5", rr::notanumber, 9, rr::notanumber, 9},
      {"1e3", rr::invalid, 9, rr::invalid, 9},   {"500", rr::outside, 9, rr::apply, 100},
      {"-1e9", rr::invalid, 9, rr::invalid, 9},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.text);
    make({}, 9);
    box.edittext = r.text;
    EXPECT_EQ(box.readedit(), r.typing);
    EXPECT_FLOAT_EQ(box.value, r.typed);
    EXPECT_EQ(box.badtext(), r.typing == rr::invalid || r.typing == rr::notanumber);
    EXPECT_EQ(box.endedit(), r.ended);
    EXPECT_FLOAT_EQ(box.value, r.value);
  }
}

TEST_F(boxfixture, achangehandlerthatreadsthefieldbackneverloops) {
  // Min above Max, and a handler that reads and clamps what the box wrote.
  int calls = 0;
  make({100, -100, -1, 1, 0.01f}, 5);
  box.editchanged = [&calls](tmanbox& b) {
    ++calls;
    b.endedit();
  };
  box.edittext = "5";
  EXPECT_EQ(box.endedit(), tmanbox::readresult::apply);
  EXPECT_EQ(calls, 1);
  EXPECT_FLOAT_EQ(box.value, 100);
  // The buttons stay put at limits that hold no value.
  box.stepup();
  box.stepdown();
  EXPECT_FLOAT_EQ(box.value, 100);
}

}  // namespace
