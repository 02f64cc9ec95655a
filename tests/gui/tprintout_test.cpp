// The one-page printout of a graph window: picture scaled to the page, the
// caption in its corner and one formula band per figure below it.
#include "shell/tprintout.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>
#include <string>
#include <vector>

#include "platform/qt/qtimage.h"
#include "platform/qt/qtservices.h"
#include "support/fakeservices.h"
#include "support/recordingsurface.h"

namespace {

// The characters tmathbox drew inside a band, in drawing order.
std::string textin(const std::vector<recordentry>& entries, const platform::rect& r) {
  std::string s;
  for (const recordentry& e : entries)
    if (e.op == recordop::textout && e.args[1] >= r.top && e.args[1] < r.bottom &&
        e.args[0] >= r.left)
      s += e.text;
  return s;
}

}  // namespace

TEST(tprintout, LayoutScalesThePictureToTheRoomLeftByTheBands) {
  struct row {
    const char* name;
    int pagew, pageh, dpi, lh, imgw, imgh, figures;
    int picw, pich;  // expected picture share
  };
  const row rows[] = {
      // 1100 - 9 * 13 = 983 left; a tall image fills that height.
      {"tall image, three figures", 800, 1100, 100, 13, 300, 400, 3, 737, 983},
      // A wide image is limited by the page width.
      {"wide image, three figures", 800, 1100, 100, 13, 400, 300, 3, 800, 600},
      {"no figures: the page width limits", 800, 1100, 100, 13, 300, 400, 0, 800, 1067},
      // Forty bands would leave no room; the picture keeps half the page.
      {"forty figures", 800, 1100, 100, 13, 300, 400, 40, 413, 550},
      {"empty image: no picture", 800, 1100, 100, 13, 0, 0, 2, 0, 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const tprintout::layout l =
        tprintout::plan(r.pagew, r.pageh, r.dpi, r.lh, r.imgw, r.imgh, r.figures);
    EXPECT_EQ(l.picturewidth, r.picw);
    EXPECT_EQ(l.pictureheight, r.pich);
    ASSERT_EQ(l.bands.size(), static_cast<size_t>(r.figures));
    EXPECT_EQ(l.margin, 2);  // half a millimetre at 100 dpi
    if (r.picw > 0)
      EXPECT_EQ(l.picture, (platform::rect{2, 2, r.picw - 2, r.pich - 2}));
    else
      EXPECT_EQ(l.picture.width(), 0);
  }
}

TEST(tprintout, ThreeFiguresReserveNineLinesInIndentedBands) {
  const tprintout::layout l = tprintout::plan(800, 1100, 100, 13, 300, 400, 3);
  ASSERT_EQ(l.bands.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    // 20 mm at 100 dpi is 80 pixels, plus the margin.
    EXPECT_EQ(l.bands[i].left, 82);
    EXPECT_EQ(l.bands[i].top, 983 + 39 * i);
    EXPECT_EQ(l.bands[i].height(), 39);
    EXPECT_EQ(l.bands[i].right, 737 - 4);
    EXPECT_EQ(l.bandpage[i], 0);
  }
  EXPECT_EQ(l.bands[2].bottom, 1100);
}

TEST(tprintout, BandsThatDoNotFitGoOnTheNextPage) {
  const tprintout::layout l = tprintout::plan(800, 1100, 100, 13, 300, 400, 40);
  ASSERT_EQ(l.bands.size(), 40u);
  EXPECT_EQ(l.bandpage.front(), 0);
  EXPECT_EQ(l.bandpage.back(), 1);
  for (size_t i = 0; i < l.bands.size(); ++i) EXPECT_LE(l.bands[i].bottom, 1100) << i;
}

TEST(tprintout, BandTextNumbersTheFormulaAfterThePrefixLetter) {
  EXPECT_EQ(tprintout::bandtext(1, "F(x) =", "(x) =2*x+1"), "1. F(x) =2*x+1");
  EXPECT_EQ(tprintout::bandtext(12, "y =", " =x^2"), "12. y =x^2");
  EXPECT_EQ(tprintout::bandtext(2, "", "(x) =x"), "2. (x) =x");
}

TEST(tprintout, PrintingDrawsPictureCaptionAndOneBandPerFigure) {
  fakeservices s;
  s.printdialoganswers = {true};
  recordingimage picture(300, 400);
  picture.canvas().setbrush({platform::rgb(255, 0, 0), platform::brushstyle::solid});
  picture.canvas().fillrect({0, 0, 300, 400});
  const std::vector<std::string> formulas{"(x) =2*x+1", "(x) =x^2", "(x) =3"};
  ASSERT_TRUE(tprintout::print(s, picture, "Vindu 1", formulas, "F(x) ="));

  ASSERT_EQ(s.documents, std::vector<std::string>{"Vindu 1"});
  ASSERT_EQ(s.pages.size(), 1u);
  EXPECT_EQ(s.busycursor, (std::vector<bool>{true, false}));
  const std::vector<recordentry>& page = s.pages[0];
  int copied = 0;
  for (const recordentry& e : page)
    if (e.op == recordop::copyrect) {
      ++copied;
      EXPECT_EQ(e.args, (std::vector<int>{2, 2, 735, 981, 0, 0, 300, 400}));
    }
  EXPECT_EQ(copied, 1);
  // The picture's pixels arrived on the page, stretched.
  EXPECT_EQ(s.page().getpixel(700, 900), platform::rgb(255, 0, 0));
  EXPECT_EQ(s.page().getpixel(760, 900), platform::white);

  bool caption = false;
  for (const recordentry& e : page)
    if (e.op == recordop::textout && e.text == "Vindu 1") {
      caption = true;
      EXPECT_EQ(e.args[0], 2);
      EXPECT_EQ(e.args[1], 2);
    }
  EXPECT_TRUE(caption);

  const tprintout::layout l = tprintout::plan(800, 1100, 100, 13, 300, 400, 3);
  EXPECT_EQ(textin(page, l.bands[0]).substr(0, 13), "1. F(x) =2*x+");
  EXPECT_EQ(textin(page, l.bands[1]).substr(0, 10), "2. F(x) =x");
  EXPECT_EQ(textin(page, l.bands[2]), "3. F(x) =3");
}

TEST(tprintout, CancelledDialogOrFailedPrinterPrintsNothing) {
  recordingimage picture(10, 10);
  {
    fakeservices s;  // the dialog is cancelled
    EXPECT_FALSE(tprintout::print(s, picture, "Vindu 1", {}, "F(x) ="));
    EXPECT_EQ(s.printdialogs, 1);
    EXPECT_TRUE(s.documents.empty());
    EXPECT_TRUE(s.messages.empty());
  }
  {
    fakeservices s;
    s.printdialoganswers = {true};
    s.printer = false;  // no page can be made
    EXPECT_FALSE(tprintout::print(s, picture, "Vindu 1", {"(x) =1"}, "F(x) ="));
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_EQ(s.messages[0].text, tprintout::failedmessage);
    EXPECT_EQ(s.busycursor, (std::vector<bool>{true, false}));
  }
}

TEST(tprintout, PrintsAWindowIntoOnePdfPage) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("utskrift.pdf"));
  platform::qtservices s;
  s.setprintfile(path);
  s.keeplastpage(true);
  platform::qtimage picture(300, 400);
  picture.canvas().setbrush({platform::rgb(0, 0, 255), platform::brushstyle::solid});
  picture.canvas().fillrect({0, 0, 300, 400});
  const std::vector<std::string> formulas{"(x) =2*x+1", "(x) =x^2-3", "(x) =5"};

  platform::surface* page = s.begindoc("Vindu 1");
  ASSERT_NE(page, nullptr);
  const int width = s.pagewidth();
  const int height = s.pageheight();
  tprintout::drawpage(s, *page, picture, "Vindu 1", formulas, "F(x) =");
  s.enddoc();

  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray pdf = f.readAll();
  EXPECT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_EQ(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 1);

  // The page as it went to the printer.
  const QImage last = s.lastpage();
  ASSERT_EQ(last.width(), width);
  ASSERT_EQ(last.height(), height);
  const int lh = static_cast<int>(std::lround(10 * s.pixelsperinch() / 72.0));
  const tprintout::layout l = tprintout::plan(width, height, s.pixelsperinch(), lh, 300, 400, 3);
  const QPoint middle((l.picture.left + l.picture.right) / 2,
                      (l.picture.top + l.picture.bottom) / 2);
  EXPECT_EQ(last.pixelColor(middle), QColor(0, 0, 255));
  for (size_t i = 0; i < l.bands.size(); ++i) {
    const platform::rect& b = l.bands[i];
    int ink = 0;
    for (int y = b.top; y < b.bottom; ++y)
      for (int x = b.left; x < b.right; ++x)
        if (qGray(last.pixel(x, y)) < 128) ++ink;
    EXPECT_GT(ink, 20) << "band " << i + 1;
  }
  // Nothing is drawn left of the bands' indent below the picture.
  int stray = 0;
  for (int y = l.pictureheight + 1; y < height; ++y)
    for (int x = 0; x < l.bands[0].left - 1; ++x)
      if (qGray(last.pixel(x, y)) < 128) ++stray;
  EXPECT_EQ(stray, 0);
}
