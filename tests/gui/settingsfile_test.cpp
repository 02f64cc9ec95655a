// The program started on a settings file that holds a value no window or
// parameter box can use: the value is refused, the defaults stand, the user is
// told, and the damaged file is kept as QV.INI.bak before it is rewritten.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "guifixture.h"
#include "graph/tgrcanvas.h"
#include "shell/dialoglinks.h"

namespace {

class settingsfiletest : public guitest {
 protected:
  void SetUp() override {
    guitest::SetUp();
    ASSERT_TRUE(dir.isValid());
  }
  void TearDown() override { main.reset(); }

  QString ini() const { return dir.filePath("QV.INI"); }
  QString bak() const { return dir.filePath("QV.INI.bak"); }

  // A settings file of these lines (1-based numbers in the comments of the
  // rows below), each ended by CR LF.
  static std::string file(const std::vector<std::pair<int, const char*>>& replaced) {
    std::vector<std::string> lines{"[Coordinate system]",  // 1
                                   "Min x=-10",            // 2
                                   "Max x=10",             // 3
                                   "Min y=-10",            // 4
                                   "Max y=10",             // 5
                                   "[Constants]",          // 6
                                   "MinA=-100,00",         // 7
                                   "MaxA=100,00",          // 8
                                   "StepA=0,01",           // 9
                                   "MinB=-100,00",         // 10
                                   "MaxB=100,00",          // 11
                                   "[Names]",              // 12
                                   "FuncName=2"};          // 13
    for (const auto& [line, text] : replaced) lines[static_cast<size_t>(line - 1)] = text;
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
  }
  static void writeall(const QString& name, const std::string& bytes) {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  static std::string readall(const QString& name) {
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
  }
  void startwith(const std::string& bytes) {
    main.reset();
    writeall(ini(), bytes);
    services.messages.clear();
    tstartoptions o;
    o.inipath = ini().toStdString();
    start(o);
  }

  QTemporaryDir dir;
};

TEST_F(settingsfiletest, avaluethatisnorangeisrefusedandthefilekept) {
  struct row {
    const char* name;
    std::vector<std::pair<int, const char*>> lines;
    int line;           // where reading stopped
    const char* value;  // the value quoted
  };
  const std::vector<row> rows = {
      {"Min x no number", {{2, "Min x=abc"}}, 2, "abc"},
      {"Min x not a number", {{2, "Min x=NaN"}}, 2, "NaN"},
      {"Max x below Min x", {{3, "Max x=-20"}}, 3, "-20"},
      {"Min y equal to Max y", {{5, "Max y=-10"}}, 5, "-10"},
      {"Min x after Max x, above it", {{2, "Max x=5"}, {3, "Min x=8"}}, 3, "8"},
      {"Min x beyond float", {{2, "Min x=-1e40"}}, 2, "-1e40"},
      {"Max y beyond what a window takes", {{5, "Max y=700,01"}}, 5, "700,01"},
      {"Min y beyond the coordinate system", {{4, "Min y=-1e30"}}, 4, "-1e30"},
      {"Max x just beyond 700", {{3, "Max x=700,001"}}, 3, "700,001"},
      {"Max below Min of a parameter", {{10, "MinB=100"}, {11, "MaxB=-100"}}, 11, "-100"},
      {"Min equal to Max of a parameter", {{7, "MinA=100"}}, 8, "100,00"},
      {"a step of 0", {{9, "StepA=0"}}, 9, "0"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string damaged = file(r.lines);
    startwith(damaged);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "'" + std::string(r.value) +
                                             "' er ikke en gyldig verdi (QV.INI, linje " +
                                             std::to_string(r.line) +
                                             ").\rDen skadde fila er tatt vare p\xE5 som "
                                             "QV.INI.bak.");
    EXPECT_EQ(services.messages[0].kind, platform::msgkind::warning);
    // The defaults stand: the window shows -10..10 with its axes, and the
    // parameter boxes keep -100..100 in steps of 0.01.
    tgrform& w = *main->windowlist[0];
    EXPECT_EQ(w.coords.minx, -10);
    EXPECT_EQ(w.coords.maxx, 10);
    EXPECT_EQ(w.coords.miny, -10);
    EXPECT_EQ(w.coords.maxy, 10);
    const platform::point o = w.coords.worldtopixel(0, 3);
    EXPECT_EQ(pixel(w, o.x, o.y), platform::black);
    for (size_t k = 0; k < 2; ++k) {
      EXPECT_EQ(func().boxes[k].lowlimit(), -100.0f) << k;
      EXPECT_EQ(func().boxes[k].highlimit(), 100.0f) << k;
      EXPECT_EQ(func().boxes[k].configuredstep(), 0.01f) << k;
    }
    // Reading stopped at the bad line: the prefix of [Names] was not read.
    EXPECT_EQ(main->options().funcname(), "F(x) =");
    EXPECT_EQ(readall(bak()), damaged);

    // At the end the file is rewritten with the settings in use; the copy
    // keeps what the teacher wrote.
    main.reset();
    EXPECT_EQ(readall(bak()), damaged);
    fakeservices again;
    toptions reread(again, ini().toStdString());
    EXPECT_TRUE(again.messages.empty());
    EXPECT_EQ(reread.settings.minx, "-10");
    EXPECT_EQ(reread.settings.params.step[0], 0.01f);
  }
}

TEST_F(settingsfiletest, asoundfileisneithercopiednorrewritten) {
  const std::string sound = file({{9, "StepA=0,001"}});
  startwith(sound);
  EXPECT_TRUE(services.messages.empty());
  EXPECT_FALSE(QFile::exists(bak()));
  main.reset();
  EXPECT_EQ(readall(ini()), sound);
}

TEST_F(settingsfiletest, anolderbackupisreplaced) {
  writeall(bak(), "gammel");
  const std::string damaged = file({{2, "Min x=abc"}});
  startwith(damaged);
  EXPECT_EQ(readall(bak()), damaged);
}

// A step below 0.005 survives the options dialog: the Trinn field shows it
// whole, and OK hands it to the parameter box unchanged.
TEST_F(settingsfiletest, asmallstepsurvivesok) {
  startwith(file({{9, "StepA=0,001"}}));
  ASSERT_TRUE(services.messages.empty());
  EXPECT_EQ(func().boxes[0].configuredstep(), 0.001f);
  main->commands().item("options1")->trigger();
  toptionsform* f = optionsform(*main);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->field("StepPa")->text(), "0,001");
  QTest::mouseClick(f->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
  EXPECT_FALSE(f->isVisible());
  // All five are selected: each takes the step shown.
  for (size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(func().boxes[k].configuredstep(), 0.001f) << k;
    EXPECT_EQ(func().boxes[k].format(), "%.3f") << k;
  }
}

// A window typed into the options beyond what the coordinate system draws is
// refused there with a message; Avbryt leaves the default window, which a new
// graph window gets, and the fix-point tool places its point on the curve there.
TEST_F(settingsfiletest, awindowbeyondthecoordinatesystemsboundsisrefusedbytheoptions) {
  startwith(file({}));
  services.messages.clear();
  main->commands().item("options1")->trigger();
  toptionsform* f = optionsform(*main);
  ASSERT_NE(f, nullptr);
  QLineEdit* miny = f->field("MinY");
  miny->selectAll();
  QTest::keyClicks(miny, "-1000");
  QTest::mouseClick(f->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
  ASSERT_TRUE(f->isVisible());
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, toptionsform::badcoordinate);
  QTest::mouseClick(f->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
  ASSERT_FALSE(f->isVisible());
  main->commands().item("newwindow1")->trigger();
  tgrform& w = active();
  ASSERT_NE(&w, main->windowlist[0]);
  EXPECT_EQ(w.coords.minx, -10);
  EXPECT_EQ(w.coords.maxx, 10);
  EXPECT_EQ(w.coords.miny, -10);
  EXPECT_EQ(w.coords.maxy, 10);
  main->commands().item("hyperbola1")->trigger();
  ASSERT_FALSE(w.figures().empty());
  tfigure& h = *w.figures().back();
  main->commands().item("fixpoint1")->trigger();
  const platform::point on = w.coords.worldtopixel(2, h.value(2));
  QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, QPoint(on.x, on.y));
  QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, QPoint(on.x, on.y));
  for (int k = 1; k <= h.fixcount; ++k) {
    EXPECT_TRUE(std::isfinite(h.fixx[static_cast<size_t>(k)])) << k;
    EXPECT_TRUE(std::isfinite(h.fixy[static_cast<size_t>(k)])) << k;
  }
}

}  // namespace
