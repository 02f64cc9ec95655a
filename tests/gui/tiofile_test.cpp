// Project, window and single-graph files: the naming of a project's window
// files, round trips through save and open, the checks on names and headers,
// damaged files, saves that fail and the modified flag around them.
#include "shell/tiofile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "codecs/tqvcodec.h"
#include "expr/parseexpr.h"
#include "figures/tcustom.h"
#include "graph/tgralab.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrlabels.h"
#include "graph/tmemoedit.h"
#include "graph/tlabeltool.h"
#include "guifixture.h"
#include "platform/qt/cp1252.h"
#include "shell/tfilecommands.h"
#include "shell/tiorecords.h"
#include "codecs/tprojectnames.h"

namespace {

const std::string wrongheader = "Dette er IKKE en grafikkfil til denne versjonen av programmet!";
const std::string savequestion = "Prosjektet er endret siden siste lagring.\rVil du lagre det?";

// --- naming, without windows

TEST(projectnames, planproject) {
  struct row {
    const char* name;
    const char* project;
    std::vector<std::string> paths;  // what each window's caption names
    std::vector<int> numbers;
    std::vector<std::string> written;  // per window
    std::vector<int> order;            // window per project line
  };
  const std::vector<row> rows = {
      {"twonewwindows",
       "/a/skole.QVP",
       {"", ""},
       {1, 2},
       {"/a/skole1.QVW", "/a/skole2.QVW"},
       {0, 1}},
      {"secondsavereusesthenames",
       "/a/skole.QVP",
       {"/a/skole1.QVW", "/a/skole2.QVW"},
       {1, 2},
       {"/a/skole1.QVW", "/a/skole2.QVW"},
       {0, 1}},
      {"numbersfollowthefilesnotthelist",
       "/a/skole.QVP",
       {"/a/skole2.QVW", "/a/skole1.QVW"},
       {2, 1},
       {"/a/skole2.QVW", "/a/skole1.QVW"},
       {1, 0}},
      {"foreignfilekeptwithafreenumber",
       "/a/p.QVP",
       {"/b/other.QVW", ""},
       {2, 1},
       {"/b/other.QVW", "/a/p1.QVW"},
       {1, 0}},
      {"lowercaseextension",
       "/a/skole.qvp",
       {"", ""},
       {1, 2},
       {"/a/skole1.QVW", "/a/skole2.QVW"},
       {0, 1}},
      {"numberbeyondthewindowcountisplaced",
       "/a/skole.QVP",
       {"/a/skole5.QVW", ""},
       {2, 1},
       {"/a/skole5.QVW", "/a/skole1.QVW"},
       {1, 0}},
      {"leadingzeroisnonumber", "/a/skole.QVP", {"/a/skole01.QVW"}, {1}, {"/a/skole01.QVW"}, {0}},
      {"samenumbertwicethelatertakestheslot",
       "/a/skole.QVP",
       {"/a/skole1.QVW", "/x/a/skole1.QVW"},
       {2, 1},
       {"/a/skole1.QVW", "/x/a/skole1.QVW"},
       {1, 0}},
      {"twowindowsofonefilegettwofiles",
       "/a/p.QVP",
       {"/b/x.QVW", "/b/x.QVW"},
       {1, 2},
       {"/b/x.QVW", "/a/p2.QVW"},
       {0, 1}},
      {"copyofanopenwindowgetsanewfile",
       "/a/p.QVP",
       {"/a/p1.QVW", ""},
       {1, 2},
       {"/a/p1.QVW", "/a/p2.QVW"},
       {0, 1}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const tprojectplan plan = planproject(r.project, r.paths);
    EXPECT_EQ(plan.number, r.numbers);
    EXPECT_EQ(plan.path, r.written);
    EXPECT_EQ(plan.window, r.order);
  }
}

TEST(projectnames, captionpath) {
  struct row {
    const char* caption;
    const char* path;  // nullptr: names no file
  };
  const std::vector<row> rows = {
      {"Vindu 3", nullptr},
      {"Window 3", nullptr},
      {"Window 3 [/a/b.QVW]", "/a/b.QVW"},
      {"Window 12 [/a/[x] y.QVW]", "/a/[x] y.QVW"},
      {"Window 3 [b.QVW]", nullptr},
      {"Window 3 [C:\\a\\b.QVW]", nullptr},
      {"Window 3 [/a/b.QVW", nullptr},
      {"Window 3 []", nullptr},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.caption);
    const auto p = captionpath(r.caption);
    if (r.path) {
      ASSERT_TRUE(p.has_value());
      EXPECT_EQ(*p, r.path);
      EXPECT_EQ(captionpath(filecaption(7, *p)), p);
    } else {
      EXPECT_FALSE(p.has_value());
    }
  }
}

TEST(iorecords, coloursswapredandblue) {
  EXPECT_EQ(filecolour(platform::rgb(0x12, 0x34, 0x56)), 0x563412u);
  for (platform::colour c : {0x000000u, 0xFFFFFFu, 0xFF0000u, 0x00FF00u, 0x0000FFu, 0x123456u})
    EXPECT_EQ(platformcolour(filecolour(c)), c);
}

TEST(iorecords, labelsroundtripandstaywithinbounds) {
  tgralab l;
  l.text = {"f(x) = x\xB2", "", "linje 3"};
  l.font.name = "DejaVu Serif";
  l.font.size = 14;
  l.font.col = platform::rgb(200, 10, 30);
  l.font.bold = true;
  l.font.underline = true;
  l.left = 12;
  l.top = -3;
  l.width = 120;
  l.height = 40;
  const tlabelrecord r = labelrecord(l);
  EXPECT_EQ(r.fontstyle, fontstyle::bold | fontstyle::underline);
  EXPECT_EQ(r.fontcolour, 0x1E0AC8u);
  tgralab back;
  applylabel(back, r);
  EXPECT_EQ(back.text, l.text);
  EXPECT_EQ(back.font, l.font);
  EXPECT_EQ(back.left, 12);
  EXPECT_EQ(back.top, -3);
  EXPECT_EQ(back.width, 120);
  EXPECT_EQ(back.height, 40);

  tlabelrecord wild = r;
  wild.width = 2000000000;
  wild.height = -5;
  wild.fontsize = -1;
  wild.left = -2000000000;
  applylabel(back, wild);
  EXPECT_EQ(back.width, maxextent);
  EXPECT_EQ(back.height, 0);
  EXPECT_EQ(back.font.size, 1);
  EXPECT_EQ(back.left, -maxlabelplace);
}

// --- files through the program

class iofiletest : public guitest {
 protected:
  void SetUp() override {
    guitest::SetUp();
    ASSERT_TRUE(dir.isValid());
  }

  std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
  std::string title(tgrform& w) const { return platform::tocp1252(w.windowTitle()); }

  static std::string readall(const std::string& name) {
    QFile f(QString::fromStdString(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
  }
  static void writeall(const std::string& name, const std::string& bytes) {
    QFile f(QString::fromStdString(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }

  void setboxes(const std::array<float, 5>& v) {
    for (size_t k = 0; k < 5; ++k) func().boxes[k].showvalue(v[k]);
  }
  tfigure* custom(const std::string& text) {
    main->customtext = text;
    main->customexpression = texpression{};
    parseexpr(main->customexpression, text);
    return active().creategraph(family::custom);
  }
  void answerfile(const std::string& name, int filter = 1) {
    services.fileanswers.push_back({true, name, filter});
  }
  bool saveproject(const std::string& name) {
    answerfile(name);
    return main->files().saveasclick();
  }
  void openfile(const std::string& name) {
    answerfile(name);
    main->files().openclick();
  }
  bool said(const std::string& text) const {
    for (const auto& m : services.messages)
      if (m.text.rfind(text, 0) == 0) return true;
    return false;
  }

  QTemporaryDir dir;
};

// A named pipe with a writer that sends a few bytes and closes it, so that a
// reader that opens it sees a short file instead of waiting for ever.
class fedpipe {
 public:
  explicit fedpipe(std::string name) : name_(std::move(name)) {
    made = ::mkfifo(name_.c_str(), 0600) == 0;
    if (!made) return;
    writer_ = std::thread([this] {
      const int fd = ::open(name_.c_str(), O_WRONLY);
      if (fd < 0) return;
      const char text[] = "Ingen graf";
      [[maybe_unused]] const ssize_t n = ::write(fd, text, sizeof text - 1);
      ::close(fd);
    });
  }
  ~fedpipe() {
    if (!writer_.joinable()) return;
    // A reader of our own lets a writer that nobody met finish; it stays open
    // until the writer is done, so that the write never meets a closed pipe.
    const int fd = ::open(name_.c_str(), O_RDONLY | O_NONBLOCK);
    writer_.join();
    if (fd >= 0) ::close(fd);
  }
  fedpipe(const fedpipe&) = delete;
  fedpipe& operator=(const fedpipe&) = delete;

  bool made = false;

 private:
  std::string name_;
  std::thread writer_;
};

struct figurestate {
  uint8_t kind;
  std::array<double, 6> param;
  std::string formula;
};

std::vector<figurestate> figuresof(tgrform& w) {
  std::vector<figurestate> out;
  for (tfigure* f : w.figures()) {
    figurestate s{f->kind, f->param, {}};
    if (auto* c = dynamic_cast<tcustom*>(f)) s.formula = c->formulatext;
    out.push_back(s);
  }
  return out;
}

TEST_F(iofiletest, projectroundtripreproduceseveryfield) {
  tgrform& w1 = active();
  for (int fam = 0; fam < family::custom; ++fam) {
    const float f = static_cast<float>(fam);
    setboxes({1.5f + f, -2.25f, 0.5f * f, 3, -1});
    w1.creategraph(fam);
  }
  // A value no float holds comes back as the nearest float.
  w1.figures()[0]->param[2] = 0.1;
  w1.coords.setup(0, 0, w1.clientwidth(), w1.clientheight(), -4.5, 7.25, -3, 9.5);
  w1.coords.axiscolour = platform::rgb(1, 2, 3);
  w1.coords.gridcolour = platform::rgb(40, 50, 60);
  w1.coords.figcolours[0] = platform::rgb(255, 0, 128);
  w1.coords.figcolours[1] = platform::rgb(0, 200, 0);
  w1.background = platform::rgb(250, 240, 230);
  w1.setGeometry(300, 20, 500, 350);

  for (int i = 0; i < 2; ++i) {
    auto l = std::make_unique<tgralab>();
    l->text = {"Tekst " + std::to_string(i), "\xE6\xF8\xE5 linje 2"};
    l->font.name = i == 0 ? "DejaVu Sans" : "DejaVu Serif";
    l->font.size = 9 + i;
    l->font.col = platform::rgb(10, 20 * i, 200);
    l->font.italic = i == 1;
    l->left = 20 + 50 * i;
    l->top = 30;
    l->width = 80;
    l->height = 35;
    l->owner = &w1.textlabels();
    // A label is anchored at its world point; repaints place it from there.
    l->setworld();
    w1.textlabels().tool().add(std::move(l));
  }
  const std::vector<tlabelrecord> labels1 = {labelrecord(*w1.textlabels().tool().labels[0]),
                                             labelrecord(*w1.textlabels().tool().labels[1])};

  tgrform* w2 = main->newwindowclick();
  setboxes({2, 3, 0, 0, 0});
  ASSERT_NE(custom("a*sin(x)+b"), nullptr);
  setboxes({0.5f, 1, 2, 0, 0});
  ASSERT_NE(custom("c*x^2-a"), nullptr);

  const auto before1 = figuresof(w1);
  const auto before2 = figuresof(*w2);
  const QRect geometry1 = w1.geometry();
  const std::string p = path("skole.QVP");
  ASSERT_TRUE(saveproject(p));
  EXPECT_EQ(main->modified, 0);
  EXPECT_EQ(platform::tocp1252(main->windowTitle()), p);
  EXPECT_EQ(title(w1), "Window 1 [" + path("skole1.QVW") + "]");
  EXPECT_EQ(title(*w2), "Window 2 [" + path("skole2.QVW") + "]");
  EXPECT_EQ(readall(p), path("skole1.QVW") + "\r\n" + path("skole2.QVW") + "\r\n");

  main->runcommand("newproject1");
  ASSERT_EQ(main->windowlist.size(), 1u);
  EXPECT_TRUE(func().figures.empty());

  openfile(p);
  ASSERT_EQ(main->windowlist.size(), 2u);
  EXPECT_EQ(main->modified, 0);
  EXPECT_EQ(platform::tocp1252(main->windowTitle()), p);
  tgrform& r1 = *main->windowlist[0];
  tgrform& r2 = *main->windowlist[1];
  EXPECT_EQ(title(r1), "Window 1 [" + path("skole1.QVW") + "]");
  EXPECT_EQ(title(r2), "Window 2 [" + path("skole2.QVW") + "]");
  EXPECT_EQ(r1.geometry(), geometry1);
  EXPECT_EQ(r1.coords.minx, -4.5);
  EXPECT_EQ(r1.coords.maxx, 7.25);
  EXPECT_EQ(r1.coords.miny, -3);
  EXPECT_EQ(r1.coords.maxy, 9.5);
  EXPECT_EQ(r1.coords.axiscolour, platform::rgb(1, 2, 3));
  EXPECT_EQ(r1.coords.gridcolour, platform::rgb(40, 50, 60));
  EXPECT_EQ(r1.coords.figcolours[0], platform::rgb(255, 0, 128));
  EXPECT_EQ(r1.coords.figcolours[1], platform::rgb(0, 200, 0));
  EXPECT_EQ(r1.windowcolour(), platform::rgb(250, 240, 230));

  const auto& loadedlabels = r1.textlabels().tool().labels;
  ASSERT_EQ(loadedlabels.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(labelrecord(*loadedlabels[i]), labels1[i]);
    const worldpoint at = r1.coords.pixeltoworld(labels1[i].left, labels1[i].top);
    EXPECT_EQ(loadedlabels[i]->worldx, at.x);
    EXPECT_EQ(loadedlabels[i]->worldy, at.y);
  }
  EXPECT_TRUE(r2.textlabels().tool().labels.empty());
  const auto after1 = figuresof(r1);
  const auto after2 = figuresof(r2);
  ASSERT_EQ(after1.size(), before1.size());
  ASSERT_EQ(after2.size(), before2.size());
  for (size_t i = 0; i < after1.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(after1[i].kind, before1[i].kind);
    for (size_t k = 1; k <= 5; ++k)
      EXPECT_EQ(after1[i].param[k], static_cast<double>(static_cast<float>(before1[i].param[k])));
  }
  EXPECT_EQ(after1[0].param[2], static_cast<double>(0.1f));
  for (size_t i = 0; i < after2.size(); ++i) {
    EXPECT_EQ(after2[i].kind, family::custom);
    EXPECT_EQ(after2[i].formula, before2[i].formula);
    EXPECT_EQ(after2[i].param, before2[i].param);
  }
  // The second save of the reopened project writes the same files, now with
  // the values the windows hold.
  ASSERT_TRUE(main->files().saveprojectclick());
  EXPECT_EQ(readall(p), path("skole1.QVW") + "\r\n" + path("skole2.QVW") + "\r\n");
  const tqvdecoded again = decodeqvfile(readall(path("skole1.QVW")));
  EXPECT_EQ(again.error, qverror::none);
  ASSERT_EQ(again.figures.size(), after1.size());
  EXPECT_EQ(again.figures[0].params[1], static_cast<double>(0.1f));
}

TEST_F(iofiletest, singlegraphfilesandtheirsizes) {
  struct row {
    const char* name;
    int family;
    const char* formula;
    size_t size;
  };
  const std::vector<row> rows = {
      {"line.QVS", family::line, nullptr, 136},
      {"quartic.qvs", family::quartic, nullptr, 136},
      {"custom.QVS", family::custom, "a*x^3+b", 217},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    setboxes({1.25f, -0.5f, 2, 0.75f, -3});
    tfigure* f = r.formula ? custom(r.formula) : active().creategraph(r.family);
    ASSERT_NE(f, nullptr);
    const std::array<double, 6> params = f->param;
    const std::string name = path(r.name);
    answerfile(name, 3);
    ASSERT_TRUE(main->files().saveasclick());
    EXPECT_EQ(readall(name).size(), r.size);

    const size_t count = func().figures.size();
    openfile(name);
    ASSERT_EQ(func().figures.size(), count + 1);
    tfigure* loaded = main->iofile().lastfigure();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->kind, r.family);
    EXPECT_EQ(loaded->param, params);
    EXPECT_EQ(main->windowlist.size(), 1u);
  }
}

TEST_F(iofiletest, wrongextensionwritesnothing) {
  main->runcommand("line1");
  struct row {
    const char* name;
    int filter;
    const char* ext;
  };
  const std::vector<row> rows = {
      {"a.QVW", 1, ".QVP"}, {"b.QVS", 2, ".QVW"}, {"c.QVP", 3, ".QVS"},
      {"d", 1, ".QVP"},     {"e.txt", 2, ".QVW"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    services.messages.clear();
    const std::string name = path(r.name);
    answerfile(name, r.filter);
    EXPECT_FALSE(main->files().saveasclick());
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, std::string("Filetternavnet svarer ikke til filtypen ") +
                                             r.ext + "\r- fila lagres ikke.");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(name)));
    EXPECT_EQ(title(active()), "Vindu 1");
    EXPECT_EQ(main->modified, 1);
  }
}

TEST_F(iofiletest, failedsavekeepstheoldfileandthemodifiedflag) {
  main->runcommand("line1");
  const std::string p = path("p.QVP");
  ASSERT_TRUE(saveproject(p));
  const std::string oldproject = readall(p);
  const std::string oldwindow = readall(path("p1.QVW"));
  main->runcommand("sin1");
  ASSERT_EQ(main->modified, 1);

  // The window file's name is taken by a folder the save cannot replace.
  ASSERT_TRUE(QFile::remove(QString::fromStdString(path("p1.QVW"))));
  ASSERT_TRUE(QDir(dir.path()).mkpath("p1.QVW/inside"));
  services.messages.clear();
  EXPECT_FALSE(main->files().saveprojectclick());
  EXPECT_EQ(main->modified, 1);
  EXPECT_TRUE(said("Kan ikke lagre fila " + path("p1.QVW")));
  EXPECT_EQ(readall(p), oldproject);

  // A folder that cannot be written to keeps the old files whole.
  ASSERT_TRUE(QDir(dir.path()).rmdir("p1.QVW/inside"));
  ASSERT_TRUE(QDir(dir.path()).rmdir("p1.QVW"));
  writeall(path("p1.QVW"), oldwindow);
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const bool unwritable = !QFile(dir.filePath("probe")).open(QIODevice::WriteOnly);
  if (unwritable) {
    services.messages.clear();
    EXPECT_FALSE(main->files().saveprojectclick());
    EXPECT_EQ(main->modified, 1);
    EXPECT_EQ(readall(path("p1.QVW")), oldwindow);
    EXPECT_EQ(readall(p), oldproject);
    EXPECT_TRUE(said("Kan ikke lagre fila "));
  }
  QFile::setPermissions(dir.path(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QFile::remove(dir.filePath("probe"));
  ASSERT_TRUE(main->files().saveprojectclick());
  EXPECT_EQ(main->modified, 0);
  EXPECT_NE(readall(path("p1.QVW")), oldwindow);
}

TEST_F(iofiletest, saveprojectkeepsthemodifiedflaguntilsomethingissaved) {
  struct row {
    const char* name;
    bool accepted;
    std::string file;
    bool saved;
  };
  const std::vector<row> rows = {
      {"cancelled", false, "", false},
      {"foldermissing", true, "/nonexistent-tarnelo/x/p.QVP", false},
      {"saved", true, "", true},
  };
  main->runcommand("line1");
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main->modified = 1;
    services.fileanswers.push_back({r.accepted, r.file.empty() ? path("ok.QVP") : r.file, 1});
    EXPECT_EQ(main->files().saveprojectclick(), r.saved);
    EXPECT_EQ(main->modified, r.saved ? 0 : 1);
    // A failed save leaves the captions as they were.
    EXPECT_EQ(title(active()).rfind(r.saved ? "Window 1 [" : "Vindu 1", 0), 0u);
  }
}

TEST_F(iofiletest, nothingtosave) {
  services.messages.clear();
  EXPECT_TRUE(main->files().saveprojectclick());
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "Ikke noe \xE5 lagre!");
  EXPECT_EQ(services.messages[0].buttons, platform::msgbuttons::yes);
  EXPECT_TRUE(services.filerequests.empty());
}

TEST_F(iofiletest, dialogsoffertheirfilters) {
  services.fileanswers.push_back({false, "", 1});
  main->files().openclick();
  main->files().saveasclick();
  main->runcommand("line1");
  main->files().saveasclick();
  tgrform* w2 = main->newwindowclick();
  ASSERT_EQ(main->activewindow, w2);
  main->files().saveasclick();
  ASSERT_EQ(services.filerequests.size(), 4u);
  const auto& r = services.filerequests;
  EXPECT_EQ(r[0].asked.filter, "Grafprosjekt|*.QVP|Grafvindu|*.QVW|Enkeltgraf|*.QVS");
  EXPECT_EQ(r[0].asked.defaultext, "QVP");
  EXPECT_TRUE(r[0].asked.mustexist);
  EXPECT_EQ(r[1].asked.filter, "Grafprosjekt|*.QVP|Grafvindu|*.QVW");
  EXPECT_TRUE(r[1].asked.overwriteprompt);
  EXPECT_EQ(r[2].asked.filter, "Grafprosjekt|*.QVP|Grafvindu|*.QVW|Enkelt graf|*.QVS");
  EXPECT_EQ(r[3].asked.filter, "Grafprosjekt|*.QVP|Grafvindu|*.QVW");
  // F1 in the open and save dialogs opens their own help topics.
  EXPECT_EQ(r[0].asked.helpcontext, 68);
  for (size_t i = 1; i < r.size(); ++i) EXPECT_EQ(r[i].asked.helpcontext, 9) << i;
  EXPECT_TRUE(enabled("open1"));
  EXPECT_TRUE(enabled("saveproject1"));
  EXPECT_TRUE(enabled("saveas1"));
}

TEST_F(iofiletest, wrongheaderopensnothing) {
  struct row {
    const char* name;
    std::string bytes;
  };
  std::string otherident = encodeheader(0);
  otherident[1] = 't';
  std::string version2 = encodewindowfile({});
  version2[84] = 2;
  const std::vector<row> rows = {
      {"empty.QVW", ""},
      {"text.QVW", "Dette er en tekst, ingen graf."},
      {"lowercase.QVW", otherident + std::string(88, '\0')},
      {"version2.QVW", version2},
  };
  main->newwindowclick();
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    writeall(path(r.name), r.bytes);
    services.messages.clear();
    openfile(path(r.name));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, wrongheader);
    EXPECT_EQ(services.messages[0].kind, platform::msgkind::warning);
    EXPECT_EQ(main->windowlist.size(), 2u);
    EXPECT_TRUE(func().figures.empty());
  }
}

TEST_F(iofiletest, damagedfilekeepswhatwasread) {
  setboxes({2, 1, 0, 0, 0});
  main->runcommand("line1");
  main->runcommand("parabola2");
  main->runcommand("hyperbola1");
  const std::string whole = path("whole.QVW");
  answerfile(whole, 2);
  ASSERT_TRUE(main->files().saveasclick());
  const std::string bytes = readall(whole);
  ASSERT_EQ(bytes.size(), 88u + 84u + 3 * 48u + 4u);
  struct row {
    const char* name;
    size_t length;
    size_t figures;
    bool window;
  };
  const std::vector<row> rows = {
      {"headeronly", 88, 0, true},
      {"inwindowrecord", 100, 0, true},
      {"twofigures", 88 + 84 + 2 * 48 + 10, 2, true},
      {"nolabelcount", 88 + 84 + 3 * 48, 3, true},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string name = path((std::string(r.name) + ".QVW").c_str());
    writeall(name, bytes.substr(0, r.length));
    const size_t windows = main->windowlist.size();
    const size_t before = func().figures.size();
    services.messages.clear();
    openfile(name);
    EXPECT_EQ(main->windowlist.size(), windows + 1);
    EXPECT_EQ(func().figures.size(), before + r.figures);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text.rfind("Fila er for kort", 0), 0u)
        << services.messages[0].text;
  }
}

// A formula that no longer parses opens as a figure that keeps its text but
// draws nothing, and the user is told once which formulas could not be read.
TEST_F(iofiletest, unreadableformulasopenundrawnwithonemessage) {
  struct row {
    const char* name;
    std::vector<std::string> formulas;
    const char* message;  // nullptr: none
  };
  const std::vector<row> rows = {
      {"one",
       {"a*(x+"},
       "Formelen \xAB"
       "a*(x+\xBB kan ikke leses. Grafen er lastet med teksten sin, men tegnes "
       "ikke."},
      {"two, one twice, and a good one",
       {"2x", "x^2", "a*(x+", "2x"},
       "3 grafer har formler som ikke kan leses. De er lastet med tekstene sine, men tegnes "
       "ikke:\r"
       "\xAB"
       "2x\xBB\r\xAB"
       "a*(x+\xBB"},
      {"good ones", {"x^2", "a*x+b"}, nullptr},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    twindowfile f;
    f.window.width = 300;
    f.window.height = 200;
    f.window.minx = -10;
    f.window.maxx = 10;
    f.window.miny = -10;
    f.window.maxy = 10;
    f.window.activecolour = filecolour(platform::rgb(255, 0, 0));
    for (const std::string& text : r.formulas) {
      tfigurerecord c;
      c.family = 8;
      c.formula = text;
      f.figures.push_back(c);
    }
    const std::string name = path("formler.QVW");
    writeall(name, encodewindowfile(f));
    services.messages.clear();
    openfile(name);
    if (r.message) {
      ASSERT_EQ(services.messages.size(), 1u);
      EXPECT_EQ(services.messages[0].text, r.message);
      EXPECT_EQ(services.messages[0].kind, platform::msgkind::warning);
    } else {
      EXPECT_TRUE(services.messages.empty());
    }
    tgrform& w = active();
    const std::vector<figurestate> loaded = figuresof(w);
    ASSERT_EQ(loaded.size(), r.formulas.size());
    for (size_t i = 0; i < loaded.size(); ++i) EXPECT_EQ(loaded[i].formula, r.formulas[i]);
    w.pant();
    // Nothing lies along the x axis where the old version drew an unreadable
    // formula as 0: only the good figures leave points.
    for (tfigure* fig : w.figures()) {
      auto* c = dynamic_cast<tcustom*>(fig);
      ASSERT_NE(c, nullptr);
      EXPECT_EQ(c->pointcount == 0, c->unreadable()) << c->formulatext;
      EXPECT_TRUE(std::isnan(c->value(1.0)) == c->unreadable()) << c->formulatext;
    }
    if (r.formulas.size() == 1) {
      const platform::point left = w.coords.worldtopixel(-5, 0);
      const platform::point right = w.coords.worldtopixel(5, 0);
      for (int x = left.x; x <= right.x; x += 7)
        for (int dy = -1; dy <= 1; ++dy)
          EXPECT_NE(pixel(w, x, left.y + dy), platform::rgb(255, 0, 0)) << x;
    }
    // Saved again, the file keeps every text.
    const std::string again = path("igjen.QVW");
    answerfile(again, 2);
    ASSERT_TRUE(main->files().saveasclick());
    const tqvdecoded d = decodeqvfile(readall(again));
    ASSERT_EQ(d.figures.size(), r.formulas.size());
    for (size_t i = 0; i < d.figures.size(); ++i) EXPECT_EQ(d.figures[i].formula, r.formulas[i]);
  }
}

// A project with many bad lines gives one message, and a window file open in
// many windows is asked about once.
TEST_F(iofiletest, onemessageperfilehowevermanylinesorwindows) {
  std::string project;
  for (int i = 1; i <= 12; ++i) {
    const std::string name = path(("feil" + std::to_string(i) + ".QVW").c_str());
    writeall(name, "ikke en grafikkfil");
    project += name + "\r\n";
  }
  writeall(path("mange.QVP"), project);
  services.messages.clear();
  openfile(path("mange.QVP"));
  EXPECT_EQ(main->windowlist.size(), 12u);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text,
            "12 av 12 vinduer i prosjektet " + path("mange.QVP") +
                " kan ikke leses (linje 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, \x85).\rDen f\xF8rste: " +
                wrongheader);

  main->runcommand("line1");
  const std::string window = path("felles.QVW");
  answerfile(window, 2);
  ASSERT_TRUE(main->files().saveasclick());
  writeall(path("felles.QVP"), window + "\r\n" + window + "\r\n" + window + "\r\n");
  services.msganswers = {platform::msgresult::no};
  openfile(path("felles.QVP"));
  ASSERT_EQ(main->windowlist.size(), 3u);
  services.messages.clear();
  services.msganswers = {platform::msgresult::no};
  openfile(window);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "Dette prosjektet inneholder allerede 3 vinduer kalt " +
                                           window + "\r Vil du \xE5pne en kopi?");
  EXPECT_EQ(main->windowlist.size(), 3u);
  services.msganswers = {platform::msgresult::yes};
  openfile(window);
  ASSERT_EQ(main->windowlist.size(), 4u);
  EXPECT_EQ(title(*main->windowlist[3]), "Window 4");
}

TEST_F(iofiletest, windowfilecutanywhereopenswithoutharm) {
  main->runcommand("line1");
  custom("a*x^2+b");
  auto l = std::make_unique<tgralab>();
  l->text = {"merknad", "to"};
  l->font.name = "DejaVu Sans";
  l->left = 10;
  l->top = 12;
  l->width = 60;
  l->height = 30;
  l->owner = &active().textlabels();
  l->setworld();
  active().textlabels().tool().add(std::move(l));
  const std::string whole = path("hel.QVW");
  answerfile(whole, 2);
  ASSERT_TRUE(main->files().saveasclick());
  const std::string bytes = readall(whole);
  ASSERT_GT(bytes.size(), 88u + 84u + 48u + 129u);
  const std::string cut = path("kuttet.QVW");
  for (size_t n = 0; n < bytes.size(); n += 7) {
    SCOPED_TRACE(n);
    writeall(cut, bytes.substr(0, n));
    services.msganswers = {platform::msgresult::no};
    main->runcommand("newproject1");
    ASSERT_EQ(main->windowlist.size(), 1u);
    services.messages.clear();
    openfile(cut);
    // One message: the refused header or the record that was cut.
    ASSERT_EQ(services.messages.size(), 1u);
    const bool header = n < 88;
    EXPECT_EQ(main->windowlist.size(), header ? 1u : 2u);
    if (!header) main->activewindow->pant();
  }
}

TEST_F(iofiletest, singlegraphneedsaselectedfigure) {
  main->runcommand("line1");
  active().clearselection();
  services.messages.clear();
  answerfile(path("ingen.QVS"), 3);
  EXPECT_FALSE(main->files().saveasclick());
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "Ingen graf er valgt - fila lagres ikke.");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path("ingen.QVS"))));
}

// A label zoomed far out of the window (its place thousands of pixels off)
// is opened where the file has it and saved there again, so that zooming out
// shows it where it was written.
TEST_F(iofiletest, alabelfaroutofthewindowkeepsitsplacethroughopenandsave) {
  main->commands().item("text1")->trigger();
  tgrform& w = active();
  QTest::mousePress(&w.canvas(), Qt::LeftButton, {}, QPoint(12, 15));
  QMouseEvent e(QEvent::MouseMove, QPointF(150, 60), w.canvas().mapToGlobal(QPointF(150, 60)),
                Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w.canvas(), &e);
  QTest::mouseRelease(&w.canvas(), Qt::LeftButton, {}, QPoint(150, 60));
  ASSERT_EQ(w.textlabels().tool().labels.size(), 1u);
  main->commands().item("select1")->trigger();
  const std::string name = path("langt.QVW");
  answerfile(name, 2);
  main->commands().item("saveas1")->trigger();
  // The same window zoomed in far: its label lies thousands of pixels off.
  const tqvdecoded d = decodeqvfile(readall(name));
  ASSERT_EQ(d.labels.size(), 1u);
  twindowfile far{d.window, d.figures, d.labels};
  far.labels[0].left = -60000;
  far.labels[0].top = 9000;
  writeall(name, encodewindowfile(far));

  const std::string again = path("igjen.QVW");
  for (const std::string& file : {name, again}) {
    SCOPED_TRACE(file);
    services.msganswers = {platform::msgresult::yes};
    answerfile(file);
    main->commands().item("open1")->trigger();
    const tgralab& l = *active().textlabels().tool().labels.at(0);
    EXPECT_EQ(l.left, -60000);
    EXPECT_EQ(l.top, 9000);
    if (file == name) {
      answerfile(again, 2);
      main->commands().item("saveas1")->trigger();
      EXPECT_EQ(decodeqvfile(readall(again)).labels.at(0).left, -60000);
    }
  }
}

// A label written while the window has no room for its picture still gets a
// place in the world, which the window shows once it is larger and a save
// keeps.
TEST_F(iofiletest, alabelwrittenwhilethewindowhasnoheightkeepsaplace) {
  tgrform& w = active();
  const QSize normal = w.size();
  w.resize(normal.width(), normal.height() - w.clientheight());
  ASSERT_EQ(w.clientheight(), 0);
  main->commands().item("text1")->trigger();
  QTest::mousePress(&w.canvas(), Qt::LeftButton, {}, QPoint(12, 0));
  QMouseEvent e(QEvent::MouseMove, QPointF(150, 40), w.canvas().mapToGlobal(QPointF(150, 40)),
                Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w.canvas(), &e);
  QTest::mouseRelease(&w.canvas(), Qt::LeftButton, {}, QPoint(150, 40));
  main->commands().item("select1")->trigger();
  ASSERT_EQ(w.textlabels().tool().labels.size(), 1u);
  const tgralab& l = *w.textlabels().tool().labels.at(0);
  EXPECT_TRUE(std::isfinite(l.worldx) && std::isfinite(l.worldy))
      << "label at " << l.worldx << "," << l.worldy;
  w.resize(normal);
  w.pant();
  EXPECT_GE(l.top, -32767);
  EXPECT_LE(l.top, 32767);
  const std::string name = path("lav.QVW");
  answerfile(name, 2);
  main->commands().item("saveas1")->trigger();
  EXPECT_EQ(decodeqvfile(readall(name)).labels.at(0).top, l.top);
}

TEST_F(iofiletest, openingawindowthatisopenasksforacopy) {
  main->runcommand("line1");
  const std::string name = path("w.QVW");
  answerfile(name, 2);
  ASSERT_TRUE(main->files().saveasclick());
  EXPECT_EQ(title(active()), "Window 1 [" + name + "]");
  // One window only: saving it saved everything.
  EXPECT_EQ(main->modified, 0);

  services.messages.clear();
  services.msganswers = {platform::msgresult::no};
  openfile(name);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "Dette prosjektet inneholder allerede et vindu kalt " +
                                           name + "\r Vil du \xE5pne en kopi?");
  EXPECT_EQ(services.messages[0].buttons, platform::msgbuttons::yesno);
  EXPECT_EQ(main->windowlist.size(), 1u);

  services.msganswers = {platform::msgresult::yes};
  openfile(name);
  ASSERT_EQ(main->windowlist.size(), 2u);
  EXPECT_EQ(title(*main->windowlist[1]), "Window 2");
  EXPECT_EQ(main->windowlist[1]->figcount, 1);

  // Without the question a window opened again from another name names its file.
  const std::string lower = path("kopi.qvw");
  ASSERT_TRUE(QFile::copy(QString::fromStdString(name), QString::fromStdString(lower)));
  openfile(lower);
  ASSERT_EQ(main->windowlist.size(), 3u);
  EXPECT_EQ(title(*main->windowlist[2]), "Window 3 [" + lower + "]");

  // The copy has no file: the project gives it one of its own.
  const std::string p = path("w.QVP");
  ASSERT_TRUE(saveproject(p));
  EXPECT_EQ(readall(p), path("w1.QVW") + "\r\n" + name + "\r\n" + lower + "\r\n");
}

TEST_F(iofiletest, lowercaseprojectextension) {
  main->runcommand("line1");
  main->newwindowclick();
  main->runcommand("cos1");
  const std::string p = path("klasse.qvp");
  ASSERT_TRUE(saveproject(p));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path("klasse1.QVW"))));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path("klasse2.QVW"))));
  main->modified = 1;
  services.messages.clear();
  services.msganswers = {platform::msgresult::no};
  openfile(p);
  // A changed project is asked about whatever the case of the extension.
  ASSERT_FALSE(services.messages.empty());
  EXPECT_EQ(services.messages[0].text, savequestion);
  ASSERT_EQ(main->windowlist.size(), 2u);
  EXPECT_EQ(func().figures.size(), 2u);
  EXPECT_EQ(main->modified, 0);
}

TEST_F(iofiletest, projectwithmissingwindowfiles) {
  writeall(path("m.QVP"), path("gone1.QVW") + "\r\n\r\n" + path("gone2.QVW") + "\r\n");
  services.messages.clear();
  openfile(path("m.QVP"));
  // Each line makes a window; a file that cannot be read leaves it empty.
  ASSERT_EQ(main->windowlist.size(), 2u);
  EXPECT_EQ(title(*main->windowlist[0]), "Vindu 1");
  EXPECT_EQ(title(*main->windowlist[1]), "Vindu 2");
  // One message for the project; the empty line is not counted.
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_TRUE(said("2 av 2 vinduer i prosjektet " + path("m.QVP") +
                   " kan ikke leses (linje 1, 3).\rDen f\xF8rste: Kan ikke \xE5pne fila " +
                   path("gone1.QVW")));

  // A project file that cannot be read changes nothing, not even the flag.
  main->runcommand("line1");
  services.msganswers = {platform::msgresult::no};
  openfile(path("finnesikke.QVP"));
  ASSERT_EQ(main->windowlist.size(), 2u);
  EXPECT_EQ(func().figures.size(), 1u);
  EXPECT_EQ(main->modified, 1);

  // An empty project still leaves a window to work in.
  writeall(path("empty.QVP"), "");
  services.msganswers = {platform::msgresult::no};
  openfile(path("empty.QVP"));
  ASSERT_EQ(main->windowlist.size(), 1u);
}

TEST_F(iofiletest, savequestionatnewprojectandexit) {
  main->runcommand("line1");
  // Yes with a cancelled name: nothing closes.
  services.msganswers = {platform::msgresult::yes};
  main->runcommand("newproject1");
  EXPECT_EQ(func().figures.size(), 1u);
  EXPECT_EQ(main->modified, 1);

  // Yes with a name: saved, then the new project starts.
  const std::string p = path("ny.QVP");
  services.msganswers = {platform::msgresult::yes};
  answerfile(p);
  main->runcommand("newproject1");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(p)));
  EXPECT_TRUE(func().figures.empty());
  EXPECT_EQ(main->windowTitle(), "Tarnelo");

  // With a project name known, Yes saves to it without asking for a name.
  openfile(p);
  main->runcommand("sin1");
  const size_t requests = services.filerequests.size();
  services.msganswers = {platform::msgresult::yes};
  main->runcommand("newproject1");
  EXPECT_EQ(services.filerequests.size(), requests);
  EXPECT_TRUE(func().figures.empty());
  openfile(p);
  EXPECT_EQ(func().figures.size(), 2u);

  // At exit Yes always asks for a name; a failed save keeps the program open.
  main->runcommand("cos1");
  services.msganswers = {platform::msgresult::yes};
  answerfile("/nonexistent-tarnelo/p.QVP");
  EXPECT_FALSE(main->close());
  EXPECT_EQ(func().figures.size(), 3u);
  services.msganswers = {platform::msgresult::yes};
  answerfile(path("slutt.QVP"));
  EXPECT_TRUE(main->close());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path("slutt.QVP"))));
}

TEST_F(iofiletest, changingfiguresmarkstheproject) {
  main->runcommand("line1");
  tfigure& f = *func().figures[0];
  main->modified = 0;
  // Showing the values of the selected figure again changes nothing.
  f.showparams();
  f.showparams();
  EXPECT_EQ(main->modified, 0);
  // Showing new values of the same figure (a drag) is a change.
  f.param[1] += 1;
  f.showparams();
  EXPECT_EQ(main->modified, 1);
  // So is deleting a figure; closing the project is not.
  main->runcommand("line1");
  main->modified = 0;
  std::unique_ptr<tfigure> gone = func().deletefig(*func().figures[1]);
  EXPECT_EQ(main->modified, 1);
  main->modified = 0;
  main->closeaction();
  EXPECT_EQ(main->modified, 0);
}

TEST_F(iofiletest, apipeoradirectoryisrefusedbeforeitisopened) {
  struct row {
    const char* name;
    const char* opened;     // the name given to "Åpne..."
    const char* refused;    // the name that is no plain file
    bool pipe;              // else a directory
    const char* projectof;  // the project that lists it, if any
  };
  const row rows[] = {
      {"windowfilepipe", "pipe.QVW", "pipe.QVW", true, nullptr},
      {"graphfilepipe", "pipe.QVS", "pipe.QVS", true, nullptr},
      {"projectpipe", "pipe.QVP", "pipe.QVP", true, nullptr},
      {"windowfileofaproject", "p.QVP", "vindu.QVW", true, "p.QVP"},
      {"directory", "mappe.QVW", "mappe.QVW", false, nullptr},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main.reset();
    QApplication::processEvents();
    start();
    QTemporaryDir here;
    ASSERT_TRUE(here.isValid());
    const std::string refused = here.filePath(r.refused).toStdString();
    if (r.projectof) writeall(here.filePath(r.projectof).toStdString(), refused + "\r\n");
    std::unique_ptr<fedpipe> pipe;
    if (r.pipe) {
      pipe = std::make_unique<fedpipe>(refused);
      ASSERT_TRUE(pipe->made);
    } else {
      ASSERT_TRUE(QDir().mkdir(QString::fromStdString(refused)));
    }
    services.messages.clear();
    services.fileanswers.push_back({true, here.filePath(r.opened).toStdString(), 1});
    main->commands().item("open1")->trigger();
    pipe.reset();
    EXPECT_TRUE(said("Kan ikke \xE5pne fila " + refused + ".\rDet er ikke en vanlig fil."));
    EXPECT_TRUE(func().figures.empty());
    EXPECT_EQ(main->windowlist.size(), 1u);
  }
}

}  // namespace
