// Files named on the command line, and where the program finds its companion
// in the build tree and in an installed tree.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "guifixture.h"
#include "platform/qt/cp1252.h"

namespace {

TEST(startfiles, commandlinenamesfilesbesidetheoptions) {
  const tstartoptions o = parsestartoptions(
      {"a.QVP", "--ini", "/x/QV.INI", "--splash", "/s", "rel/b.qvw", "--unknown", "/abs/c.QVS"});
  EXPECT_EQ(o.inipath, "/x/QV.INI");
  EXPECT_EQ(o.splashpath, "/s");
  EXPECT_EQ(o.files, (std::vector<std::string>{"a.QVP", "rel/b.qvw", "/abs/c.QVS"}));
  EXPECT_TRUE(parsestartoptions({"--no-splash"}).files.empty());
}

TEST(startfiles, companionbesidetheprogramorinlibexec) {
  struct row {
    const char* name;
    bool beside;
    bool installed;
    const char* expected;  // relative to the tree
  };
  const std::vector<row> rows = {
      {"build tree", true, false, "bin/tarnelo-splash"},
      {"installed tree", false, true, "bin/../libexec/tarnelo/tarnelo-splash"},
      {"both: the one beside wins", true, true, "bin/tarnelo-splash"},
      {"neither: beside, so starting it fails", false, false, "bin/tarnelo-splash"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    ASSERT_TRUE(QDir(root).mkpath("bin"));
    ASSERT_TRUE(QDir(root).mkpath("libexec/tarnelo"));
    auto touch = [&](const QString& p) {
      QFile f(root + "/" + p);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    if (r.beside) touch("bin/tarnelo-splash");
    if (r.installed) touch("libexec/tarnelo/tarnelo-splash");
    // A folder of that name is not the program.
    if (!r.beside && !r.installed) {
      ASSERT_TRUE(QDir(root).mkpath("libexec/tarnelo/tarnelo-splash"));
    }
    const std::string bin = (root + "/bin").toStdString();
    EXPECT_EQ(findcompanion(bin, "../libexec/tarnelo"), root.toStdString() + "/" + r.expected);
  }
}

class startfilestest : public guitest {
 protected:
  std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
  std::string title(tgrform& w) const { return platform::tocp1252(w.windowTitle()); }
  bool said(const std::string& text) const {
    for (const auto& m : services.messages)
      if (m.text.rfind(text, 0) == 0) return true;
    return false;
  }

  QTemporaryDir dir;
};

TEST_F(startfilestest, opensprojectwindowandbrokenfilesgivenatstart) {
  ASSERT_TRUE(dir.isValid());
  // A project of two windows and a single graph, made by the program itself.
  main->runcommand("line1");
  main->newwindowclick();
  main->runcommand("parabola2");
  main->runcommand("hyperbola1");
  services.fileanswers.push_back({true, path("klasse.QVP"), 1});
  ASSERT_TRUE(main->files().saveasclick());
  services.fileanswers.push_back({true, path("enkel.QVS"), 3});
  ASSERT_TRUE(main->files().saveasclick());
  {
    QFile damaged(dir.filePath("skadet.QVW"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("Dette er ingen graf.");
  }

  // Relative names are taken from the working directory.
  const QString cwd = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  tstartoptions o;
  o.files = {"klasse.QVP", path("klasse2.QVW"), "enkel.QVS", "skadet.QVW", "borte.QVW"};
  services.messages.clear();
  start(o);
  openstartfiles(*main);
  QDir::setCurrent(cwd);

  // The project replaced the first empty window; its second window was opened
  // again as a copy, since its file is open already.
  ASSERT_EQ(main->windowlist.size(), 3u);
  EXPECT_EQ(title(*main->windowlist[0]), "Window 1 [" + path("klasse1.QVW") + "]");
  EXPECT_EQ(title(*main->windowlist[1]), "Window 2 [" + path("klasse2.QVW") + "]");
  EXPECT_EQ(main->windowlist[0]->figures().size(), 1u);
  EXPECT_EQ(main->windowlist[1]->figures().size(), 2u);
  EXPECT_EQ(main->windowlist[2]->figures().size(), 3u);  // the copy, plus the single graph
  EXPECT_EQ(main->windowlist[2]->figures().back()->kind, family::hyperbola);
  EXPECT_TRUE(said("Dette prosjektet inneholder allerede et vindu kalt " + path("klasse2.QVW")));
  EXPECT_TRUE(said("Dette er IKKE en grafikkfil til denne versjonen av programmet!"));
  EXPECT_TRUE(said("Kan ikke \xE5pne fila " + path("borte.QVW")));
}

}  // namespace
