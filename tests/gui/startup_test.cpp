// The program's start: order of creation, the state it leaves, the companion.
#include <QAction>

#include "guifixture.h"

namespace {

using startuptest = guitest;

TEST_F(startuptest, createsthepartsinorder) {
  const std::vector<std::string> expected{"tmainform", "tform3",  "tgetxcoord", "toptions",
                                          "tfunc",     "tgrform", "tabout",     "dialogs"};
  EXPECT_EQ(main->startlog, expected);
}

TEST_F(startuptest, leavestheprograminitsfirststate) {
  EXPECT_EQ(main->tool, 0);
  EXPECT_EQ(main->toolcursor, -2);
  EXPECT_TRUE(checked("select1"));
  EXPECT_TRUE(main->commands().button("select1")->isChecked());
  EXPECT_EQ(main->busy, 0);
  EXPECT_EQ(main->modified, 0);
  EXPECT_EQ(main->firstshow, 0);
  EXPECT_EQ(main->terminating, 0);
  ASSERT_EQ(main->windowlist.size(), 1u);
  EXPECT_EQ(main->windowlist[0]->windowTitle(), "Vindu 1");
  EXPECT_EQ(main->activewindow, main->windowlist[0]);
  EXPECT_TRUE(func().figures.empty());
  EXPECT_EQ(func().family, tfunc::nofamilies);
  EXPECT_FALSE(enabled("closewindow1"));
  EXPECT_EQ(main->paneltext(1), "Select ");
  EXPECT_EQ(main->windowTitle(), "Tarnelo");
  EXPECT_EQ(func().pos(), QPoint(0, 0));
  EXPECT_FALSE(main->cutcopyon());
}

TEST_F(startuptest, loadsthetoolcursors) {
  for (int n = 5; n <= 18; ++n) EXPECT_TRUE(main->cursors().has(n)) << n;
  EXPECT_FALSE(main->cursors().has(4));
  EXPECT_EQ(main->cursors().cursor(-2).shape(), Qt::ArrowCursor);
  EXPECT_EQ(main->cursors().cursor(9).shape(), Qt::BitmapCursor);
  EXPECT_EQ(main->cursors().cursor(99).shape(), Qt::ArrowCursor);
}

TEST_F(startuptest, panelactivationisremembereduntilawindowisactivated) {
  main->mdi().setActiveSubWindow(&func());
  func().formactivate();
  EXPECT_EQ(main->panelactive, 1);
  main->activated(active());
  EXPECT_EQ(main->panelactive, 0);
}

TEST_F(startuptest, firstwindowshowsthesettingsrange) {
  tgrform& w = *main->windowlist[0];
  EXPECT_EQ(w.coords.minx, -10);
  EXPECT_EQ(w.coords.maxx, 10);
  EXPECT_EQ(w.coords.miny, -10);
  EXPECT_EQ(w.coords.maxy, 10);
  EXPECT_EQ(w.coords.pixwidth, w.clientwidth());
  EXPECT_EQ(w.coords.pixheight, w.clientheight());
  // The y axis runs down the middle in the axis colour (black).
  const platform::point o = w.coords.worldtopixel(0, 3);
  EXPECT_EQ(pixel(w, o.x, o.y), platform::black);
}

TEST_F(startuptest, startsthecompanionbesidetheprogramonce) {
  ASSERT_EQ(services.programstarts.size(), 1u);
  EXPECT_EQ(services.programstarts[0].parameters, "Tarnelo #3000 #1999");
  EXPECT_TRUE(services.programstarts[0].path.ends_with("/tarnelo-splash"));
  main->hide();
  main->show();
  EXPECT_EQ(services.programstarts.size(), 1u);
}

TEST(startup, companionthatcannotstartendstheprogram) {
  fakeservices services;
  services.startsucceeds = false;
  platform::qtimagefactory images;
  tgrform::resetwindowcounter();
  auto main = startprogram(services, images, {"/nonexistent/QV.INI", "/opt/x/splash", false, {}});
  main->show();
  ASSERT_EQ(services.programstarts.size(), 1u);
  EXPECT_EQ(services.programstarts[0].path, "/opt/x/splash");
  ASSERT_FALSE(services.messages.empty());
  EXPECT_EQ(services.messages.back().text, "Installsjonen er mangelful.");
  EXPECT_EQ(services.messages.back().caption, "Tarnelo");
  EXPECT_EQ(services.messages.back().buttons, platform::msgbuttons::ok);
  EXPECT_EQ(main->terminating, 1);
}

TEST(startup, nosplashstartsnothing) {
  fakeservices services;
  platform::qtimagefactory images;
  tgrform::resetwindowcounter();
  tstartoptions o;
  o.inipath = "/nonexistent/QV.INI";
  o.nosplash = true;
  auto main = startprogram(services, images, o);
  main->show();
  EXPECT_TRUE(services.programstarts.empty());
  EXPECT_EQ(main->terminating, 0);
}

TEST(startup, printeritemsfollowtheplatform) {
  for (const bool printer : {true, false}) {
    SCOPED_TRACE(printer);
    fakeservices services;
    services.printer = printer;
    platform::qtimagefactory images;
    tgrform::resetwindowcounter();
    auto main = startprogram(services, images, {"/nonexistent/QV.INI", "", true, {}});
    EXPECT_EQ(main->commands().item("print1")->isEnabled(), printer);
    EXPECT_EQ(main->commands().item("printersetup1")->isEnabled(), printer);
  }
}

TEST(startup, commandlineoptions) {
  const tstartoptions o = parsestartoptions({"--ini", "/a/b.ini", "--splash", "/c/s", "x"});
  EXPECT_EQ(o.inipath, "/a/b.ini");
  EXPECT_EQ(o.splashpath, "/c/s");
  EXPECT_FALSE(o.nosplash);
  EXPECT_TRUE(parsestartoptions({"--no-splash"}).nosplash);
  // An option without its value is ignored rather than read past the end.
  EXPECT_EQ(parsestartoptions({"--ini"}).inipath, "");
}

}  // namespace
