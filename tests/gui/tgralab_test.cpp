// Text labels: handle zones and cursors, reflowing on resize, the 10 x 10
// minimum, moves at the client edge, line clipping, the world anchor, and the
// text tool's frame, new label, memo and Ctrl+F.
#include "graph/tgralab.h"

#include <gtest/gtest.h>

#include "labelrig.h"

namespace {

// The recording surface's 10-point font: 6 pixels a character, 13 a line.
constexpr int charw = 6;

struct handlerow {
  const char* name;
  int x;
  int y;
  int handle;
  int cursor;
};

TEST(tgralab, HandleZonesAndCursors) {
  // Label at (100, 100), 60 x 40: right 160, bottom 140, halves 30 and 20.
  const handlerow rows[] = {
      {"top-left corner", 100, 100, 10, -8},
      {"top-left zone far edge", 105, 105, 10, -8},
      {"bottom-left", 100, 140, 6, -6},
      {"top middle", 130, 100, 8, -7},
      {"top middle hover starts 2 earlier", 128, 100, 0, -7},
      {"top middle grab reaches 135", 135, 100, 8, 8},
      {"bottom middle", 135, 135, 4, 8},
      {"top-right", 155, 100, 9, -6},
      {"bottom-right", 160, 140, 5, -8},
      {"left middle", 100, 120, 2, -9},
      {"left middle hover from 118", 100, 118, 0, -9},
      {"left middle grab to 125", 100, 125, 2, 8},
      {"right middle", 160, 125, 1, 8},
      {"right middle hover", 160, 120, 1, -9},
      {"inside", 120, 110, 0, 8},
      {"just outside left", 99, 100, 0, 0},
      {"just outside below", 120, 141, 0, 0},
  };
  labelrig rig;
  tgralab& l = rig.addlabel(100, 100, 60, 40, {"x"});
  for (const handlerow& r : rows) {
    EXPECT_EQ(l.grabhandle(r.x, r.y), r.handle) << r.name;
    EXPECT_EQ(l.handle, r.handle) << r.name;
    EXPECT_EQ(l.cursorat(r.x, r.y), r.cursor) << r.name;
  }
}

struct wraprow {
  const char* name;
  std::vector<std::string> before;
  std::vector<bool> soft;  // the breaks an earlier wrap made
  int width;
  std::vector<std::string> after;
};

TEST(tgralab, WrapMovesTrailingCharactersToTheNextLine) {
  const wraprow rows[] = {
      {"last line gets a new one", {"abcdef"}, {}, 4 * charw + 2, {"abcd", "ef"}},
      {"characters go in front of a wrapped line, in order",
       {"abcdef", "gh"},
       {true},
       4 * charw + 2,
       {"abcd", "efgh"}},
      {"cascades to further wrapped lines",
       {"abcdef", "ghij"},
       {true},
       4 * charw + 2,
       {"abcd", "efgh", "ij"}},
      {"the user's own next line stays as it is",
       {"abcdef", "gh"},
       {},
       4 * charw + 2,
       {"abcd", "ef", "gh"}},
      {"fitting text unchanged", {"abc", "de"}, {}, 4 * charw, {"abc", "de"}},
  };
  for (const wraprow& r : rows) {
    labelrig rig;
    tgralab& l = rig.addlabel(10, 10, r.width, 40, r.before);
    l.softbreak = r.soft;
    l.wrap();
    EXPECT_EQ(l.text, r.after) << r.name;
  }
}

TEST(tgralab, UnwrapPullsCharactersBackAndDropsEmptiedLines) {
  const wraprow rows[] = {
      {"pulls while narrower", {"abcd", "efgh"}, {true}, 40, {"abcdefg", "h"}},
      {"deletes a line that empties", {"ab", "c"}, {true}, 40, {"abc"}},
      {"all wrapped lines join", {"a", "b", "c"}, {true, true}, 100, {"abc"}},
      {"the user's own lines stay", {"a", "b", "", "c"}, {}, 100, {"a", "b", "", "c"}},
      {"joins only up to the user's break", {"a", "b", "c"}, {true, false}, 100, {"ab", "c"}},
      {"line as wide as the label pulls nothing",
       {"abcd", "ef"},
       {true},
       4 * charw,
       {"abcd", "ef"}},
  };
  for (const wraprow& r : rows) {
    labelrig rig;
    tgralab& l = rig.addlabel(10, 10, r.width, 40, r.before);
    l.softbreak = r.soft;
    l.unwrap();
    EXPECT_EQ(l.text, r.after) << r.name;
  }
}

TEST(tgralab, WrapEndsWhenOneCharacterIsWiderThanTheLabel) {
  labelrig rig;
  tgralab& l = rig.addlabel(10, 10, 12, 40, {"WWW"});
  l.font.size = 72;  // 43 pixels a character
  l.wrap();
  EXPECT_EQ(l.text, (std::vector<std::string>{"W", "W", "W"}));
}

struct resizerow {
  const char* name;
  int handle;
  int dx;
  int dy;
  platform::rect after;  // left, top, right, bottom
};

TEST(tgralab, ResizeKeepsTenByTenAndTheClientArea) {
  // Label (50, 50)-(80, 80) in a 400 x 300 client area.
  const resizerow rows[] = {
      {"right edge in to 10 wide", 1, -20, 0, {50, 50, 60, 80}},
      {"right edge in to 9 wide refused", 1, -21, 0, {50, 50, 80, 80}},
      {"left edge in to 10 wide", 2, 20, 0, {70, 50, 80, 80}},
      {"bottom edge in to 9 high refused", 4, 0, -21, {50, 50, 80, 80}},
      {"top-left corner both ways", 10, -5, -7, {45, 43, 80, 80}},
      {"bottom-right out", 5, 30, 20, {50, 50, 110, 100}},
      {"right edge to client width", 1, 320, 0, {50, 50, 400, 80}},
      {"right edge past client width refused", 1, 321, 0, {50, 50, 80, 80}},
      {"top edge above the client refused", 8, 0, -51, {50, 50, 80, 80}},
      {"no handle moves nothing", 0, 10, 10, {50, 50, 80, 80}},
  };
  for (const resizerow& r : rows) {
    labelrig rig;
    tgralab& l = rig.addlabel(50, 50, 30, 30, {"ab"});
    l.handle = static_cast<uint8_t>(r.handle);
    l.resize(r.dx, r.dy);
    EXPECT_EQ((platform::rect{l.left, l.top, l.left + l.width, l.top + l.height}), r.after)
        << r.name;
  }
}

TEST(tgralab, ShrinkingWrapsAndWideningUnwraps) {
  labelrig rig;
  tgralab& l = rig.addlabel(50, 50, 40, 40, {"abcdef"});
  l.handle = labelhandle::right;
  l.resize(-(40 - 4 * charw - 2), 0);
  EXPECT_EQ(l.text, (std::vector<std::string>{"abcd", "ef"}));
  l.resize(40, 0);
  EXPECT_EQ(l.text, (std::vector<std::string>{"abcdef"}));
}

TEST(tgralab, MoveStopsAtTheClientEdge) {
  labelrig rig;  // 400 x 300
  tgralab& l = rig.addlabel(370, 100, 20, 20, {"a"});
  l.move(10, 0);
  EXPECT_EQ(l.left + l.width, 400);
  l.move(1, 0);
  EXPECT_EQ(l.left + l.width, 400);
  l.move(0, -101);
  EXPECT_EQ(l.top, 100);
  l.move(-5, -100);
  EXPECT_EQ(l.left, 375);
  EXPECT_EQ(l.top, 0);
}

TEST(tgralab, OnlyLinesThatFitTheHeightAreDrawn) {
  struct row {
    const char* name;
    int height;
    std::vector<std::string> drawn;
  };
  const row rows[] = {
      {"30 high draws two 13-pixel lines", 30, {"one", "two"}},
      {"26 high draws one", 26, {"one"}},
      {"40 high draws three", 40, {"one", "two", "three"}},
  };
  for (const row& r : rows) {
    labelrig rig;
    tgralab& l = rig.addlabel(20, 20, 100, r.height, {"one", "two", "three"});
    rig.image().clearentries();
    l.drawtext();
    EXPECT_EQ(rig.image().texts(), r.drawn) << r.name;
    EXPECT_EQ(rig.screen.texts(), r.drawn) << r.name;
    EXPECT_EQ(l.text.size(), 3u) << r.name;
    rig.screen.clearentries();
  }
}

TEST(tgralab, StaysAtItsWorldPointAfterZoomAndKeepsItsSize) {
  labelrig rig;
  tgralab& l = rig.addlabel(100, 80, 50, 30, {"a"});
  const double wx = l.worldx;
  const double wy = l.worldy;
  ASSERT_TRUE(rig.coords.setup(0, 0, 400, 300, -5, 5, -5, 5));
  l.drawtext();
  const platform::point p = rig.coords.worldtopixel(wx, wy);
  EXPECT_EQ(l.left, p.x);
  EXPECT_EQ(l.top, p.y);
  EXPECT_NE(l.left, 100);
  EXPECT_EQ(l.width, 50);
  EXPECT_EQ(l.height, 30);
}

TEST(tgralab, EraseRestoresThePictureUnderTheLabel) {
  labelrig rig;
  rig.coords.image->canvas().setpixel(60, 60, platform::rgb(1, 2, 3));
  tgralab& l = rig.addlabel(50, 50, 30, 30, {"a"});
  rig.coords.image->canvas().setpixel(60, 60, platform::white);
  l.erase();
  EXPECT_EQ(rig.coords.image->canvas().getpixel(60, 60), platform::rgb(1, 2, 3));
  EXPECT_EQ(rig.screen.getpixel(60, 60), platform::rgb(1, 2, 3));
}

TEST(tframe, GrowsOnlyRightAndDownAndDrawingTwiceRestores) {
  recordingsurface s(100, 100);
  tframe f;
  f.attach(&s);
  f.start(20, 20);
  f.dragto(10, 30);
  EXPECT_EQ(f.width, 0);
  f.dragto(50, 40);
  EXPECT_EQ(f.width, 30);
  EXPECT_EQ(f.height, 20);
  f.dragto(40, 10);
  EXPECT_EQ(f.width, 30);
  const int whitebefore = s.countpixels(platform::white);
  f.draw();
  EXPECT_EQ(s.countpixels(platform::white), whitebefore - 2 * (30 + 20));
  f.draw();
  EXPECT_EQ(s.countpixels(platform::white), whitebefore);
}

TEST(tlabeltool, FrameDraggedUpOrLeftMakesNoLabel) {
  labelrig rig;
  rig.tool.texttool(100, 100);
  rig.tool.movelabelframe(90, 120);
  rig.tool.movelabelframe(120, 90);
  rig.tool.newlabel();
  EXPECT_TRUE(rig.tool.labels.empty());
  EXPECT_FALSE(rig.memo_.shown);
  EXPECT_EQ(rig.screen.countpixels(platform::white), 400 * 300);
}

TEST(tlabeltool, NewLabelIsEditedAndEndsFivePixelsSmaller) {
  labelrig rig;
  rig.tool.texttool(50, 60);
  rig.tool.movelabelframe(150, 120);
  rig.tool.newlabel();
  ASSERT_EQ(rig.tool.labels.size(), 1u);
  tgralab& l = *rig.tool.labels[0];
  EXPECT_EQ(rig.tool.curlabel, &l);
  EXPECT_TRUE(rig.memo_.shown);
  EXPECT_EQ(rig.memo_.r, (platform::rect{50, 60, 150, 120}));
  EXPECT_EQ(l.font, rig.fonts_.current);
  EXPECT_TRUE(rig.fonts_.shown);
  EXPECT_EQ(rig.screen.countpixels(platform::white), 400 * 300);  // frame removed

  rig.tool.memo2enter();
  EXPECT_TRUE(l.editing);
  rig.memo_.text = {"hei", "du"};
  rig.tool.memo2exit();
  EXPECT_FALSE(l.editing);
  EXPECT_FALSE(rig.memo_.shown);
  EXPECT_FALSE(rig.fonts_.shown);
  EXPECT_EQ(l.text, (std::vector<std::string>{"hei", "du"}));
  EXPECT_EQ(l.width, 95);
  EXPECT_EQ(l.height, 55);

  // Opened again it keeps its size.
  rig.tool.texttool(60, 70);
  EXPECT_EQ(rig.memo_.r, (platform::rect{50, 60, 150, 120}));
  rig.tool.memo2enter();
  EXPECT_EQ(rig.fonts_.loaded, rig.fonts_.current);
  rig.tool.memo2exit();
  EXPECT_EQ(l.width, 95);
}

TEST(tlabeltool, TinyFrameGivesNoNegativeSize) {
  labelrig rig;
  rig.tool.texttool(50, 60);
  rig.tool.movelabelframe(53, 62);
  rig.tool.newlabel();
  ASSERT_EQ(rig.tool.labels.size(), 1u);
  rig.tool.memo2enter();
  rig.tool.memo2exit();
  EXPECT_GE(rig.tool.labels[0]->width, 1);
  EXPECT_GE(rig.tool.labels[0]->height, 1);
}

TEST(tlabeltool, MemoExitIsIgnoredWhilePaintLocked) {
  labelrig rig;
  rig.tool.texttool(50, 60);
  rig.tool.movelabelframe(150, 120);
  rig.tool.newlabel();
  rig.tool.memo2enter();
  rig.lock = true;
  rig.tool.memo2exit();
  EXPECT_TRUE(rig.tool.labels[0]->editing);
  rig.lock = false;
  rig.memo_.text = {"typed"};
  rig.tool.hidememo();  // keeps what was typed
  EXPECT_FALSE(rig.memo_.shown);
  EXPECT_EQ(rig.tool.labels[0]->text, (std::vector<std::string>{"typed"}));
}

TEST(tlabeltool, CtrlFAppendsTheSelectedFormula) {
  labelrig rig;
  rig.tool.texttool(50, 60);
  rig.tool.movelabelframe(150, 120);
  rig.tool.newlabel();
  rig.tool.memo2enter();
  rig.memo_.text = {"Se:"};
  EXPECT_FALSE(rig.tool.memo2keydown(tlabeltool::keyf, true));  // no selection
  rig.formula = "F(x) =2x+1";
  EXPECT_FALSE(rig.tool.memo2keydown(tlabeltool::keyf, false));
  EXPECT_TRUE(rig.tool.memo2keydown(tlabeltool::keyf, true));
  EXPECT_EQ(rig.memo_.text, (std::vector<std::string>{"Se:", "F(x) =2x+1 -->"}));
}

TEST(tlabeltool, SelectToolClickSelectsThenDragsAHandle) {
  labelrig rig;
  tgralab& l = rig.addlabel(100, 100, 60, 40, {"a"});
  rig.tool.labelclick(10, 10);
  EXPECT_EQ(rig.tool.selectedlabel, nullptr);
  EXPECT_EQ(rig.cutcopy.back(), false);
  rig.tool.labelclick(120, 110);  // first press selects
  EXPECT_EQ(rig.tool.selectedlabel, &l);
  EXPECT_EQ(rig.cutcopy.back(), true);
  EXPECT_EQ(rig.tool.hovercursor(160, 140), labelcursor::northwest);
  rig.tool.labelclick(160, 140);  // second press on the bottom-right handle
  EXPECT_TRUE(rig.tool.labelresize);
  rig.tool.resizelabel(170, 150);
  EXPECT_EQ(l.width, 70);
  EXPECT_EQ(l.height, 50);
  rig.tool.labelclick(120, 110);  // press inside moves
  EXPECT_FALSE(rig.tool.labelresize);
  rig.tool.resizelabel(110, 100);
  EXPECT_EQ(l.left, 90);
  EXPECT_EQ(l.top, 90);
}

TEST(tlabeltool, DoubleClickOpensOnlyTheSelectedLabel) {
  labelrig rig;
  rig.addlabel(100, 100, 60, 40, {"a"});
  EXPECT_FALSE(rig.tool.dblclick());
  rig.tool.labelclick(120, 110);
  EXPECT_TRUE(rig.tool.dblclick());
  EXPECT_EQ(rig.texttools, 1);
  EXPECT_TRUE(rig.memo_.shown);
  EXPECT_EQ(rig.memo_.r, (platform::rect{100, 100, 165, 145}));
}

}  // namespace
