// The frame's commands: new figures, tools, zooming, the save question.
#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QTimer>
#include <QToolBar>
#include <cmath>

#include "guifixture.h"
#include "platform/qt/qtservices.h"
#include "platform/qt/thelpwindow.h"
#include "shell/tabout.h"
#include "shell/tcommands.h"

namespace {

using commandtest = guitest;

TEST_F(commandtest, everynewfigurecommandaddsitsfamily) {
  struct row {
    const char* item;
    int family;
    int paramcount;
  };
  const row rows[] = {{"line1", 0, 2},      {"parabola2", 1, 3}, {"parabola3", 2, 3},
                      {"hyperbola1", 3, 3}, {"sin1", 4, 4},      {"cos1", 5, 4},
                      {"pol31", 6, 4},      {"pol41", 7, 5}};
  size_t count = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(r.item);
    main->runcommand(r.item);
    ++count;
    ASSERT_EQ(func().figures.size(), count);
    const tfigure& f = *func().figures.back();
    EXPECT_EQ(f.kind, r.family);
    EXPECT_EQ(f.paramcount, r.paramcount);
    EXPECT_TRUE(f.selected);
    ASSERT_EQ(active().selection.size(), 1u);
    EXPECT_EQ(active().selection[0], &f);
    EXPECT_EQ(active().figcount, static_cast<int>(count));
    EXPECT_EQ(active().lastfig, static_cast<int>(count));
    EXPECT_EQ(func().family, r.family);
    EXPECT_EQ(main->modified, 1);
    // The new figure takes the boxes' values: a = 1, the rest 0.
    EXPECT_EQ(f.param[1], 1.0);
    EXPECT_EQ(f.param[2], 0.0);
  }
  EXPECT_EQ(func().familytexts.size(), 10u);
  EXPECT_TRUE(main->cutcopyon());
}

TEST_F(commandtest, linedrawsinthactivecolour) {
  main->runcommand("line1");
  tgrform& w = active();
  // y = x: the point (3, 3) lies on it, away from the axes.
  const platform::point p = w.coords.worldtopixel(3, 3);
  EXPECT_EQ(pixel(w, p.x, p.y), platform::rgb(255, 0, 0));
  const platform::point off = w.coords.worldtopixel(3, -3);
  EXPECT_NE(pixel(w, off.x, off.y), platform::rgb(255, 0, 0));
  EXPECT_EQ(func().displaytext().substr(0, 9), "1.F\\d1\\d(");
}

TEST_F(commandtest, toolcommandswritetheirtexts) {
  struct row {
    const char* item;
    int tool;
    int cursor;
    const char* panel1;
    const char* panel2;
  };
  const row rows[] = {
      {"text1", 1, 13, "Skriv tekst", "Dra ut et rektangel for teksten."},
      {"zoomtool1", 2, 9, "Zoomer", "Dra ut et rektangel over det området du vil zoome inn på."},
      {"fixpoint1", 4, 14, "Lag fikspunkt",
       "Klikk venstre tast for å fiksere et punkt/høyreklikk for å angi koordinater"},
      {"rotate1", 5, 18, "Vri", ""},
      {"move1", 6, 17, "Flytt", "Dra i den valgte kurven. Dobbeltklikk for å velge en annen."},
      {"intersect1", 7, 16, "Finner skjæringspkt.", "Antall skjæringer: 0"},
      {"freeze1", 8, 12, "Frys graf",
       "Venstreklikk for å fryse en graf/høyreklikk for å tine opp."},
      {"derivative1", 9, 15, "Finn den deriverte",
       "Venstreklikk for å finne den deriverte funksjonen. Dobbeltklikk for å velge en annen."},
      {"tangent1", 10, -2, "Finn tangent",
       "Tast mellomrom for å oppgi nøyaktig x-koordinat eller bruk  musa for å finne den "
       "visuelt."},
      {"special1", 11, 19, "Spesielle punkter",
       "Klikk på en graf for å finne nullpunkter, topp- og bunnpunkter og skjæringen med "
       "y-aksen."},
      {"select1", 0, -2, "Velg",
       "Velg en funksjon ved å klikke på grafen eller funksjonsuttrykket. Velg flere med "
       "CTRL-tasten nedtrykket."},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.item);
    main->commands().button(r.item)->trigger();
    EXPECT_EQ(main->tool, r.tool);
    EXPECT_EQ(main->toolcursor, r.cursor);
    EXPECT_EQ(main->paneltext(1), QString::fromUtf8(r.panel1));
    EXPECT_EQ(main->paneltext(2), QString::fromUtf8(r.panel2));
    EXPECT_TRUE(checked(r.item));
    EXPECT_TRUE(main->commands().button(r.item)->isChecked());
  }
}

TEST_F(commandtest, tangenttoolonalinesaysitcannot) {
  main->runcommand("line1");
  main->runcommand("tangent1");
  EXPECT_EQ(
      main->paneltext(2),
      QString::fromUtf8("Kan ikke lage tangent til en linje-velg en annen IKKE LINEÆR funksjon."));
  // A new non-line figure under the tangent tool gives the space-bar hint.
  main->runcommand("parabola2");
  EXPECT_TRUE(main->paneltext(2).startsWith("Tast mellomrom"));
}

TEST_F(commandtest, rotateandfixpointdisabletheboxes) {
  main->runcommand("sin1");
  main->runcommand("rotate1");
  for (int k = 0; k < 4; ++k) EXPECT_EQ(func().boxes[k].state(), tmanbox::disabled);
  EXPECT_EQ(func().boxes[4].state(), tmanbox::hidden);
  main->runcommand("select1");
  for (int k = 0; k < 4; ++k) EXPECT_EQ(func().boxes[k].state(), tmanbox::normal);
}

TEST(commandnames, zoomfactorsfromitemnames) {
  struct row {
    const char* name;
    int factor;
  };
  const row rows[] = {{"normal1", 1}, {"N211", 2},  {"N911", 9}, {"M121", 2},
                      {"M191", 9},    {"line1", 0}, {"N", 0},    {"M1", 0}};
  for (const row& r : rows) EXPECT_EQ(tmainform::zoomfactor(r.name), r.factor) << r.name;
}

TEST_F(commandtest, zoomfactoriskeptrelativetotheoptions) {
  tgrform& w = active();
  const double s3 = std::sqrt(3.0);
  for (int round = 0; round < 2; ++round) {
    main->runcommand("N311");
    EXPECT_DOUBLE_EQ(w.coords.minx, -10 / s3);
    EXPECT_DOUBLE_EQ(w.coords.maxx, 10 / s3);
    EXPECT_DOUBLE_EQ(w.coords.miny, -10 / s3);
    EXPECT_DOUBLE_EQ(w.coords.maxy, 10 / s3);
  }
  main->runcommand("M141");
  EXPECT_DOUBLE_EQ(w.coords.minx, -20);
  EXPECT_DOUBLE_EQ(w.coords.maxy, 20);
  main->runcommand("normal1");
  EXPECT_DOUBLE_EQ(w.coords.maxx, 10);
  // The zoom items run as the move tool, so the history is left alone.
  EXPECT_TRUE(w.coords.zoomhistory.empty());
  EXPECT_EQ(main->tool, 0);
}

TEST_F(commandtest, resetviewemptiesthezoomhistory) {
  tgrform& w = active();
  // A zoom-in by rectangle pushes the view before it.
  main->tool = toolcode::zoomin;
  w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), -2, 2, -2, 2);
  main->tool = toolcode::select;
  ASSERT_EQ(w.coords.zoomhistory.size(), 1u);
  main->setpanel(2, "kept");
  main->runcommand("normal2");
  EXPECT_TRUE(w.coords.zoomhistory.empty());
  EXPECT_EQ(w.coords.maxx, 10);
  EXPECT_EQ(main->paneltext(2), "kept");
  EXPECT_TRUE(checked("select1"));
  // With nothing to go back to, one step out widens by the square root of 2.
  main->runcommand("zoomout2");
  EXPECT_DOUBLE_EQ(w.coords.maxx, 10 * std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(w.coords.miny, -10 * std::sqrt(2.0));
  EXPECT_EQ(main->tool, 0);
}

TEST_F(commandtest, zoomoutstepreturnstothepreviousview) {
  tgrform& w = active();
  main->tool = toolcode::zoomin;
  w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), -2, 3, -1, 4);
  main->tool = toolcode::select;
  main->runcommand("zoomout2");
  EXPECT_EQ(w.coords.minx, -10);
  EXPECT_EQ(w.coords.maxy, 10);
  EXPECT_TRUE(checked("zoomout2"));
}

TEST_F(commandtest, commandsofotherpartsarepresentanddisabled) {
  // Disabled at start: one window, no figures to cut or copy.
  for (const char* name : {"closewindow1", "cut1", "copy1", "delete1"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(main->commands().item(name), nullptr);
    EXPECT_FALSE(enabled(name));
  }
  main->runcommand("line1");
  EXPECT_TRUE(enabled("cut1"));
}

TEST_F(commandtest, menucaptionsshortcutsandhelp) {
  struct row {
    const char* name;
    const char* caption;
    const char* shortcut;
    int help;
  };
  const row rows[] = {
      {"saveproject1", "&Lagre prosjekt", "Ctrl+S", 9},
      {"undo1", "A&ngre", "Ctrl+Z", 74},
      {"redo1", "Gjør o&m", "Ctrl+Y", 74},
      {"delete1", "&Slett", "Shift+Del", 16},
      {"undelete1", "&Angre sletting", "Shift+Ins", 17},
      {"cut1", "&Klipp", "Ctrl+X", 18},
      {"copy1", "K&opier", "Ctrl+C", 19},
      {"paste1", "&Lim inn", "Ctrl+V", 20},
      {"parabola2", "a*x²+b*x+c", "", 24},
      {"parabola3", "a*(x-b)²+c", "", 24},
      {"sin1", "a*sin(b*x+c)+d", "", 26},
      {"fixpoint1", "Lås &punkt (fikspunkt)", "", 38},
      {"intersect1", "Fin&n skjæringspunkt", "", 45},
      {"about1", "&Om Tarnelo...", "", 61},
      {"window1", "Vin&du", "", 54},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const QAction* a = main->commands().item(r.name);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), QString::fromUtf8(r.caption));
    EXPECT_EQ(a->shortcut().toString(), QString::fromUtf8(r.shortcut));
    EXPECT_EQ(tcommands::helpcontext(a), r.help);
  }
  EXPECT_EQ(main->commands().button("newwindow1")->property("hint").toString(), "Nytt vindu|");
  EXPECT_EQ(main->commands().button("derivative1")->text(), "f '");
}

QImage look(const QIcon& icon) {
  return icon.pixmap(22, 22).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST_F(commandtest, buttonsanditemsshowiconsoftheirmeaning) {
  // Every tool-bar button shows something: an icon or its text.
  for (const char* bar : {"filetools", "tooltools"}) {
    auto* tools = main->findChild<QToolBar*>(bar);
    ASSERT_NE(tools, nullptr) << bar;
    for (QAction* a : tools->actions()) {
      if (a->isSeparator()) continue;
      EXPECT_TRUE(!a->icon().isNull() || !a->text().isEmpty()) << a->objectName().toStdString();
    }
  }
  // The file buttons and their menu items show the desktop theme's icon for
  // the meaning, else the bundled one of the same name (a lifebuoy for help
  // or a bin for "Klipp" was the style's nearest stock picture).
  struct row {
    const char* item;
    const char* name;
    bool button;
  };
  const row rows[] = {
      {"newwindow1", "document-new", true},
      {"open1", "document-open", true},
      {"saveproject1", "document-save", true},
      {"saveas1", "document-save-as", true},
      {"cut1", "edit-cut", true},
      {"copy1", "edit-copy", true},
      {"paste1", "edit-paste", true},
      {"undo1", "edit-undo", true},
      {"redo1", "edit-redo", true},
      {"tile1", "window-tile", true},
      {"cascade1", "window-cascade", true},
      {"contents1", "help-contents", true},
      {"print1", "document-print", false},
      {"delete1", "edit-delete", false},
      {"exit1", "application-exit", false},
  };
  auto* tools = main->findChild<QToolBar*>("filetools");
  for (const row& r : rows) {
    SCOPED_TRACE(r.item);
    const QString name = QString::fromLatin1(r.name);
    const QIcon bundled(QStringLiteral(":/icons/actions/%1.svg").arg(name));
    ASSERT_FALSE(look(bundled).isNull());
    const QImage expect = look(QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : bundled);
    QAction* item = main->findChild<QAction*>(QString::fromLatin1(r.item));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(look(item->icon()), expect);
    if (!r.button) continue;
    QAction* button = tools->findChild<QAction*>(QString::fromLatin1(r.item) + "button");
    if (button == nullptr)
      button = main->findChild<QAction*>(QString::fromLatin1(r.item) + "button");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(tools->actions().contains(button));
    EXPECT_EQ(look(button->icon()), expect);
  }
  // The about box shows the program's own icon.
  tabout about(main.get());
  auto* picture = about.findChild<QLabel*>("programicon");
  ASSERT_NE(picture, nullptr);
  const QImage shown = picture->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(shown, QIcon(QStringLiteral(":/icons/no.tarnelo.Tarnelo.svg"))
                       .pixmap(64, 64)
                       .toImage()
                       .convertToFormat(QImage::Format_ARGB32));
}

TEST_F(commandtest, closingunchangedprojectasksnothing) {
  EXPECT_TRUE(main->close());
  EXPECT_TRUE(services.messages.empty() ||
              services.messages.back().text !=
                  "Prosjektet er endret siden siste lagring.\rVil du lagre det?");
}

TEST_F(commandtest, closingachangedprojectasksfirst) {
  const std::string question = "Prosjektet er endret siden siste lagring.\rVil du lagre det?";
  main->runcommand("line1");
  services.msganswers = {platform::msgresult::cancel};
  EXPECT_FALSE(main->close());
  ASSERT_FALSE(services.messages.empty());
  EXPECT_EQ(services.messages.back().text, question);
  EXPECT_EQ(services.messages.back().kind, platform::msgkind::warning);
  EXPECT_EQ(services.messages.back().buttons, platform::msgbuttons::yesnocancel);
  EXPECT_EQ(func().figures.size(), 1u);

  // Yes asks for a name; a cancelled dialog keeps the program open.
  services.msganswers = {platform::msgresult::yes};
  EXPECT_FALSE(main->close());
  EXPECT_EQ(func().figures.size(), 1u);

  services.msganswers = {platform::msgresult::no};
  EXPECT_TRUE(main->close());
  EXPECT_TRUE(main->windowlist.empty());
  EXPECT_TRUE(func().figures.empty());
}

TEST_F(commandtest, exitendstheprogramwhilehelpisopen) {
  platform::qtservices help;
  help.helptopic(14);
  ASSERT_TRUE(help.helpwindow().isVisible());
  bool ended = false;
  QObject listener;
  QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &listener, [&] { ended = true; });
  QTimer::singleShot(0, [&] {
    main->commands().item("exit1")->trigger();
    // A program that did not end by itself is ended here, so the test goes on.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  });
  QApplication::exec();
  EXPECT_FALSE(main->isVisible());
  EXPECT_TRUE(ended);
  EXPECT_FALSE(help.helpwindow().isVisible());
}

}  // namespace
