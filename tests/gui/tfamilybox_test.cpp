// The family selector: which markup each entry draws, the rows it opens with,
// and the colours of a selected and a plain entry.
#include "shell/tfamilybox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(tfamilybox, entriesfromelevenondrawentryzero) {
  tfamilybox box;
  std::vector<std::string> texts;
  for (int i = 0; i < 12; ++i) texts.push_back("entry" + std::to_string(i));
  texts[0] = "LinjeF(x) =a*x+b";
  texts[5] = std::string(100, 'x');
  box.setentries(texts);
  struct row {
    int index;
    std::string text;
  };
  for (const row& r : std::vector<row>{{0, "LinjeF(x) =a*x+b"},
                                       {10, "entry10"},
                                       {11, "LinjeF(x) =a*x+b"},
                                       {5, std::string(80, 'x')},
                                       {-1, ""},
                                       {12, "LinjeF(x) =a*x+b"}})
    EXPECT_EQ(box.entrytext(r.index), r.text) << r.index;
  EXPECT_EQ(tfamilybox::rowsfor(640), 6);
  EXPECT_EQ(tfamilybox::rowsfor(1024), 10);
}

TEST(tfamilybox, aselectedentryiswhiteonthehighlight) {
  tfamilybox box;
  box.setentries({"Linje y =a*x+b"});
  const QImage plain = box.renderentry(0, 200, false);
  const QImage chosen = box.renderentry(0, 200, true);
  ASSERT_EQ(plain.height(), tfamilybox::entryheight);
  const QColor highlight = box.palette().color(QPalette::Active, QPalette::Highlight);
  EXPECT_EQ(QColor(plain.pixel(199, 1)), QColor(Qt::white));
  EXPECT_EQ(QColor(chosen.pixel(199, 1)).rgb(), highlight.rgb());
  int dark = 0, light = 0, grey = 0;
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < 200; ++x) {
      if (qGray(plain.pixel(x, y)) < 60) ++dark;
      if (qGray(plain.pixel(x, y)) > 60 && qGray(plain.pixel(x, y)) < 200) ++grey;
      if (qGray(chosen.pixel(x, y)) > 220) ++light;  // smoothed edges are not pure white
    }
  EXPECT_GT(dark, 20) << "black text on white";
  EXPECT_GT(light, 20) << "white text on the highlight";
  EXPECT_GT(grey, 10) << "smooth glyph edges";
}

}  // namespace
