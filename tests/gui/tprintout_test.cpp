// The one-page printout of a graph window: picture scaled to the page, the
// caption in its corner and one formula band per figure below it.
#include "shell/tprintout.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>
#include <string>
#include <vector>

#include "platform/qt/qtimage.h"
#include "platform/qt/qtservices.h"
#include "gui/guifixture.h"
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

namespace {

// What a poppler tool prints for the file; a missing tool fails the test
// with the reason (scripts/deps installs poppler-utils).
QString poppler(const char* tool, const QStringList& args) {
  QProcess p;
  p.start(QString::fromLatin1(tool), args);
  if (!p.waitForStarted()) {
    ADD_FAILURE() << tool << " is missing: scripts/deps installs poppler-utils";
    return {};
  }
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The page descriptions of a PDF, their compressed streams unpacked.
QByteArray pagecontents(const QByteArray& pdf) {
  QByteArray out;
  qsizetype at = 0;
  while ((at = pdf.indexOf("stream", at)) >= 0) {
    if (at >= 3 && pdf.mid(at - 3, 3) == "end") {
      at += 6;
      continue;
    }
    qsizetype begin = at + 6;
    if (pdf[begin] == '\r') ++begin;
    if (pdf[begin] == '\n') ++begin;
    const qsizetype end = pdf.indexOf("endstream", begin);
    if (end < 0) break;
    const QByteArray dict = pdf.mid(pdf.lastIndexOf("<<", at), at - pdf.lastIndexOf("<<", at));
    QByteArray data = pdf.mid(begin, end - begin);
    if (dict.contains("/FlateDecode")) {
      // qUncompress wants the size first; it grows its buffer as needed.
      QByteArray sized(4, '\0');
      const quint32 hint = static_cast<quint32>(data.size()) * 8 + 1024;
      for (int i = 0; i < 4; ++i) sized[i] = static_cast<char>((hint >> (24 - 8 * i)) & 0xFF);
      data = qUncompress(sized + data);
    }
    out += data;
    out += '\n';
    at = end + 9;
  }
  return out;
}

}  // namespace

class printing : public guitest {};

TEST_F(printing, the_print_command_draws_the_window_afresh_into_a_vector_pdf) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("utskrift.pdf"));
  platform::qtservices printer;
  printer.setprintfile(path);
  services.printvia = &printer;
  services.printdialoganswers = {true};
  main->commands().item("line1")->trigger();
  main->commands().item("parabola2")->trigger();
  ASSERT_EQ(active().figures().size(), 2u);
  ASSERT_TRUE(enabled("print1"));
  main->commands().item("print1")->trigger();
  EXPECT_EQ(services.documents, std::vector<std::string>{"Vindu 1"});

  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray pdf = f.readAll();
  ASSERT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_EQ(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 1);

  // The texts are text: the caption, both formula bands and the range labels.
  const QString text = poppler("pdftotext", {path, QStringLiteral("-")});
  EXPECT_TRUE(text.contains(QStringLiteral("Vindu 1"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("1. F(x)"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("2. F(x)"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("-10"))) << text.toStdString();

  // The curves are paths (a line segment per pixel column or so where they
  // are in the picture), not a picture of the window.
  const QByteArray page = pagecontents(pdf);
  EXPECT_GT(page.count(" l\n"), 150);
  EXPECT_EQ(pdf.count("/Subtype /Image"), 0);
}
