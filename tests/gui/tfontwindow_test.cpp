// The label font window: what its controls do to the active memo's font,
// how a font is loaded into them, and how the colour items are drawn.
#include "graph/tfontwindow.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QToolButton>

#include "labelrig.h"

namespace {

class fakefonthost : public tfonthost {
 public:
  fakememo memo;
  bool hasmemo = true;
  std::vector<bool> locks;
  int closes = 0;

  tlabelmemo* activememo() override { return hasmemo ? &memo : nullptr; }
  void setpaintlock(bool on) override { locks.push_back(on); }
  void fontwindowclosed() override { ++closes; }
};

platform::font startfont() {
  return {"DejaVu Sans", 12, platform::black, false, false, false};
}

int sizeindex(int size) {
  const auto& s = tfontwindow::sizes;
  return static_cast<int>(std::find(s.begin(), s.end(), size) - s.begin());
}

TEST(tfontwindow, startsfromthegivenfontandblack) {
  fakefonthost host;
  tfontwindow w(host, startfont());
  EXPECT_EQ(w.windowTitle(), "Skriftvindu");
  EXPECT_EQ(w.combobox1().currentText(), "DejaVu Sans");
  EXPECT_EQ(w.combobox2().currentText(), "12");
  EXPECT_EQ(w.combobox2().count(), 16);
  EXPECT_EQ(w.combobox3().currentIndex(), 0);
  EXPECT_EQ(w.combobox3().count(), 15);
  EXPECT_FALSE(w.speedbutton1().isChecked());
  EXPECT_FALSE(w.speedbutton2().isChecked());
  // The faces are sorted without regard to case.
  for (int i = 1; i < w.combobox1().count(); ++i)
    EXPECT_LE(QString::compare(w.combobox1().itemText(i - 1), w.combobox1().itemText(i),
                               Qt::CaseInsensitive),
              0);
}

TEST(tfontwindow, applyallgivesthememothecontrolsfontunderthepaintlock) {
  fakefonthost host;
  tfontwindow w(host, startfont());
  host.memo.f = {"Nowhere", 30, platform::rgb(1, 2, 3), true, true, true};
  w.combobox2().setCurrentIndex(sizeindex(18));
  w.combobox3().setCurrentIndex(7);
  w.speedbutton1().setChecked(true);
  w.applyall();
  const platform::font f = host.memo.f;
  EXPECT_EQ(f.name, "DejaVu Sans");
  EXPECT_EQ(f.size, 18);
  EXPECT_EQ(f.col, platform::rgb(0, 0, 128));
  EXPECT_TRUE(f.bold);
  EXPECT_FALSE(f.italic);
  // Underline is none of the window's business.
  EXPECT_TRUE(f.underline);
  ASSERT_FALSE(host.locks.empty());
  EXPECT_EQ(host.locks.back(), false);
  for (size_t i = 0; i < host.locks.size(); ++i) EXPECT_EQ(host.locks[i], i % 2 == 0);
}

TEST(tfontwindow, boldanditalictoggleapart) {
  struct row {
    const char* name;
    bool bold;
    bool italic;
  };
  const row rows[] = {
      {"bothdown", true, true},
      {"boldreleased", false, true},
      {"italicreleased", false, false},
      {"boldagain", true, false},
  };
  fakefonthost host;
  tfontwindow w(host, startfont());
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    if (w.speedbutton1().isChecked() != r.bold) {
      w.speedbutton1().setChecked(r.bold);
      w.speedbutton1click();
    }
    if (w.speedbutton2().isChecked() != r.italic) {
      w.speedbutton2().setChecked(r.italic);
      w.speedbutton2click();
    }
    EXPECT_EQ(host.memo.f.bold, r.bold);
    EXPECT_EQ(host.memo.f.italic, r.italic);
  }
}

TEST(tfontwindow, withoutanactivewindownothingchanges) {
  fakefonthost host;
  host.hasmemo = false;
  tfontwindow w(host, startfont());
  w.applyall();
  EXPECT_TRUE(host.locks.empty());
}

TEST(tfontwindow, loadfontsetsthecontrolsandkeepswhatthetablelacks) {
  struct row {
    const char* name;
    platform::font font;
    QString face;  // empty: no face selected
    QString size;
    int colour;
  };
  const row rows[] = {
      {"listed", {"DejaVu Serif", 24, platform::rgb(0, 128, 0), true, false, false},
       "DejaVu Serif", "24", 2},
      {"sizenotintable", {"DejaVu Sans", 13, platform::rgb(255, 0, 0), false, true, false},
       "DejaVu Sans", "24", 1},
      {"colournotintable", {"DejaVu Sans", 8, platform::rgb(1, 2, 3), true, true, false},
       "DejaVu Sans", "8", 1},
      {"facenotlisted", {"No Such Face", 72, platform::white, false, false, false}, "", "72", 4},
      {"facecase", {"dejavu sans", 9, platform::black, false, false, false}, "DejaVu Sans", "9",
       0},
  };
  fakefonthost host;
  tfontwindow w(host, startfont());
  host.memo.f = startfont();
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    w.loadfont(r.font);
    EXPECT_EQ(w.combobox1().currentIndex() < 0 ? QString() : w.combobox1().currentText(), r.face);
    EXPECT_EQ(w.combobox2().currentText(), r.size);
    EXPECT_EQ(w.combobox3().currentIndex(), r.colour);
    EXPECT_EQ(w.speedbutton1().isChecked(), r.font.bold);
    EXPECT_EQ(w.speedbutton2().isChecked(), r.font.italic);
  }
  // Loading acts on no memo.
  EXPECT_EQ(host.memo.f, startfont());
  EXPECT_TRUE(host.locks.empty());
  // With no face selected the memo keeps its own face.
  w.loadfont(rows[3].font);
  w.applyall();
  EXPECT_EQ(host.memo.f.name, "DejaVu Sans");
  EXPECT_EQ(host.memo.f.size, 72);
}

TEST(tfontwindow, colouritemsaredrawnonaquawhenselectedandonblackotherwise) {
  struct row {
    const char* name;
    int index;
    bool selected;
    QColor edge;
    QColor inside;
  };
  const row rows[] = {
      {"redselected", 1, true, QColor(0, 255, 255), QColor(255, 0, 0)},
      {"rednot", 1, false, QColor(0, 0, 0), QColor(255, 0, 0)},
      {"whitenot", 4, false, QColor(0, 0, 0), QColor(255, 255, 255)},
      {"aquaselected", 14, true, QColor(0, 255, 255), QColor(0, 255, 255)},
      {"silver", 11, false, QColor(0, 0, 0), QColor(192, 192, 192)},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    QImage img(40, tfontwindow::itemheight, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    {
      QPainter p(&img);
      tfontwindow::combobox3drawitem(p, img.rect(), r.index, r.selected);
    }
    EXPECT_EQ(img.pixelColor(0, 0), r.edge);
    EXPECT_EQ(img.pixelColor(1, 6), r.edge);
    EXPECT_EQ(img.pixelColor(39, 12), r.edge);
    EXPECT_EQ(img.pixelColor(2, 2), r.inside);
    EXPECT_EQ(img.pixelColor(37, 10), r.inside);
    EXPECT_EQ(img.pixelColor(20, 6), r.inside);
  }
}

TEST(tfontwindow, closingittellsthehost) {
  fakefonthost host;
  tfontwindow w(host, startfont());
  w.show();
  w.close();
  EXPECT_EQ(host.closes, 1);
  EXPECT_FALSE(w.visible());
}

}  // namespace
