// "Lagre &bilde som..." through the real menu item, with the scripted save
// dialog choosing the format by its filter entry.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "gui/guifixture.h"
#include "platform/qt/qtservices.h"
#include "shell/tfilecommands.h"

namespace {

class pictureexport : public guitest {};

// Centre of the rows in column x whose colour is within reach of c.
double centreof(const QImage& img, int x, QRgb c) {
  std::vector<int> rows;
  for (int y = 0; y < img.height(); ++y) {
    const QRgb p = img.pixel(x, y);
    if (std::abs(qRed(p) - qRed(c)) + std::abs(qGreen(p) - qGreen(c)) +
            std::abs(qBlue(p) - qBlue(c)) <
        120)
      rows.push_back(y);
  }
  return rows.empty() ? -1000 : (rows.front() + rows.back()) / 2.0;
}

QByteArray readall(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(pictureexport, saves_what_the_window_shows_in_every_format) {
  main->commands().item("line1")->trigger();
  QApplication::processEvents();
  tgrform& w = active();
  const platform::colour fc = w.coords.figcolours[1];
  const QRgb c = qRgb(platform::red(fc), platform::green(fc), platform::blue(fc));
  const QImage screen = dynamic_cast<platform::qtimage&>(*w.coords.image).qimage().copy();
  const int column = screen.width() * 3 / 4;
  const double onscreen = centreof(screen, column, c);
  ASSERT_GT(onscreen, 0);
  EXPECT_EQ(item("savepicture1"), "Lagre &bilde som...");

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  struct row {
    const char* name;
    int filterindex;
    int factor;  // PNG: times the window's size; 0: a vector format
    const char* starts;
  };
  const row rows[] = {
      {"a.png", 1, 1, "\x89PNG"}, {"b.png", 2, 2, "\x89PNG"}, {"c.png", 3, 4, "\x89PNG"},
      {"d.svg", 4, 0, "<?xml"},   {"e.pdf", 5, 0, "%PDF-"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const QString path = dir.filePath(r.name);
    services.fileanswers.push_back({true, path.toStdString(), r.filterindex});
    main->commands().item("savepicture1")->trigger();
    const QByteArray bytes = readall(path);
    ASSERT_TRUE(bytes.startsWith(r.starts));
    if (r.factor > 0) {
      QImage img;
      ASSERT_TRUE(img.loadFromData(bytes, "PNG"));
      EXPECT_EQ(img.size(), screen.size() * r.factor);
      // Drawn afresh at that size: the curve lies where the window has it,
      // r.factor times as far from the top.
      EXPECT_NEAR(centreof(img, column * r.factor, c), onscreen * r.factor, r.factor + 1.0);
    } else if (bytes.startsWith("<?xml")) {
      EXPECT_TRUE(bytes.contains(QColor(c).name().toLatin1())) << "the figure's colour";
      EXPECT_TRUE(bytes.contains("<polyline"));
    }
  }
  // The dialog as the user sees it: the three formats by name, PNG at three
  // sizes, with the file commands' help.
  ASSERT_FALSE(services.filerequests.empty());
  const platform::filedialog& asked = services.filerequests.back().asked;
  EXPECT_EQ(platform::qtservices::namefilters(asked.filter),
            (QStringList{"PNG-bilde (*.png)", QString::fromUtf8("PNG-bilde 2× (*.png)"),
                         QString::fromUtf8("PNG-bilde 4× (*.png)"), "SVG-tegning (*.svg)",
                         "PDF-dokument (*.pdf)"}));
  EXPECT_EQ(asked.helpcontext, tfilecommands::savedialoghelp);
  // The window itself is drawn as before.
  EXPECT_EQ(dynamic_cast<platform::qtimage&>(*w.coords.image).qimage(), screen);
}

TEST_F(pictureexport, sizes_and_formats_agree_curve_by_curve) {
  main->commands().item("line1")->trigger();
  main->commands().item("parabola2")->trigger();
  main->commands().item("sin1")->trigger();
  QApplication::processEvents();
  tgrform& w = active();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  auto save = [&](const char* name, int filterindex) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    services.fileanswers.push_back({true, path.toStdString(), filterindex});
    main->commands().item("savepicture1")->trigger();
    return readall(path);
  };
  QImage one, two;
  ASSERT_TRUE(one.loadFromData(save("one.png", 1), "PNG"));
  ASSERT_TRUE(two.loadFromData(save("two.png", 2), "PNG"));
  // The selected (last) curve: at 2x its pixels lie within a device pixel of
  // twice where the 1x picture has them (pixel centres: 2y + 1/2).
  const platform::colour fc = w.coords.figcolours[1];
  const QRgb c = qRgb(platform::red(fc), platform::green(fc), platform::blue(fc));
  int compared = 0;
  for (int x = 40; x < one.width() - 40; x += 37) {
    const double a = centreof(one, x, c);
    const double b = centreof(two, 2 * x, c);
    if (a < 0 || b < 0) continue;
    ++compared;
    EXPECT_NEAR(b, 2 * a + 0.5, 1.0) << "column " << x;
  }
  EXPECT_GT(compared, 5);

  // The SVG: one path per figure, in the figure's colour (the selected one
  // active, the others passive); axes and ticks are in the axis colour.
  w.coords.figcolours[0] = platform::rgb(0, 128, 0);  // passive: other than the axes
  const QByteArray svg = save("three.svg", 4);
  std::map<std::string, int> curves;
  for (const QByteArray& group : svg.split('<')) {
    static QByteArray stroke;
    if (group.startsWith("g ")) {
      const qsizetype at = group.indexOf("stroke=\"");
      stroke = at < 0 ? QByteArray() : group.mid(at + 8, 7);
    } else if (group.startsWith("polyline") || group.startsWith("path ")) {
      ++curves[stroke.toStdString()];
    }
  }
  auto name = [](platform::colour k) {
    return QColor(platform::red(k), platform::green(k), platform::blue(k)).name().toStdString();
  };
  EXPECT_EQ(curves[name(w.coords.figcolours[1])], 1);
  EXPECT_EQ(curves[name(w.coords.figcolours[0])], 2);
  EXPECT_EQ(curves.size(), 3u) << "figure colours and the axis colour only";
}

TEST_F(pictureexport, a_folder_that_cannot_be_written_gets_the_message) {
  services.fileanswers.push_back({true, "/nonexistent/tarnelo/bilde.png", 1});
  services.messages.clear();
  main->commands().item("savepicture1")->trigger();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(
      services.messages[0].text.rfind("Kan ikke lagre fila /nonexistent/tarnelo/bilde.png.", 0),
      0u);
}

}  // namespace
