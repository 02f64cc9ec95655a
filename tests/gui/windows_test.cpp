// Graph windows: numbering, ranges in the panel's list, closing rules,
// placement, resizing and the two repaint orders.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTest>
#include <cmath>

#include "graph/tgrcanvas.h"
#include "graph/windowlayout.h"
#include "guifixture.h"
#include "settings/toptionsform.h"
#include "shell/dialoglinks.h"

namespace {

using windowtest = guitest;

TEST_F(windowtest, newwindowsarenumberedandunlockclosing) {
  tgrform* w2 = main->newwindowclick();
  EXPECT_EQ(w2->windowTitle(), "Vindu 2");
  EXPECT_EQ(w2->number, 2);
  EXPECT_EQ(main->activewindow, w2);
  EXPECT_TRUE(enabled("closewindow1"));
  // The frame made the window, so it has no figure of its own.
  EXPECT_EQ(w2->figcount, 0);
  EXPECT_EQ(func().family, tfunc::nofamilies);
  tgrform* w3 = main->newwindowclick();
  EXPECT_EQ(w3->windowTitle(), "Vindu 3");
  main->runcommand("closewindow1");
  ASSERT_EQ(main->windowlist.size(), 2u);
  // The window now in front is the active one.
  EXPECT_EQ(main->activewindow, w2);
  // Numbers are not reused while the project lives.
  EXPECT_EQ(main->newwindowclick()->windowTitle(), "Vindu 4");
}

// A window opened while the zoom-in tool is chosen starts with no zoom step
// behind it: zooming out widens its own window instead of going back to the
// empty rectangle it had before it was set up.
TEST_F(windowtest, awindowmadewiththezoomintoolzoomsoutfromitsownwindow) {
  main->commands().item("zoomtool1")->trigger();
  main->commands().item("newwindow1")->trigger();
  tgrform& w = active();
  ASSERT_NE(&w, main->windowlist[0]);
  EXPECT_TRUE(w.coords.zoomhistory.empty());
  main->commands().item("zoomout2")->trigger();
  QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, QPoint(40, 40));
  EXPECT_LT(w.coords.minx, -10);
  EXPECT_GT(w.coords.maxx, 10);
  EXPECT_LT(w.coords.miny, -10);
  EXPECT_GT(w.coords.maxy, 10);
}

// "Zoom ut" again and again stops at the bounds of the coordinate system, so
// the range stays one Ctrl+Z and Ctrl+Y can set the window up with again.
TEST_F(windowtest, zoomingoutagainandagainstopsattheboundsandundoes) {
  tgrform& w = active();
  for (int i = 0; i < 30; ++i) {
    main->commands().item("zoomout2")->trigger();
    for (double v : {w.coords.minx, w.coords.maxx, w.coords.miny, w.coords.maxy})
      ASSERT_LE(std::fabs(v), tcoords::maxbound) << "after zoom " << i + 1;
  }
  EXPECT_DOUBLE_EQ(w.coords.minx, -tcoords::maxbound);
  EXPECT_DOUBLE_EQ(w.coords.maxy, tcoords::maxbound);
  QTest::keyClick(main.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_LT(w.coords.maxx, tcoords::maxbound);
  QTest::keyClick(main.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(w.coords.minx, -tcoords::maxbound);
  EXPECT_DOUBLE_EQ(w.coords.maxx, tcoords::maxbound);
}

TEST_F(windowtest, aminimisedwindowdrawsafewticksandisbroughtbackatitsownsize) {
  tgrform& w = active();
  main->commands().item("options1")->trigger();
  toptionsform& o = *optionsform(*main);
  o.field("IntStep")->setText("0,001");
  o.field("GridStep")->setText("0,1");
  QTest::mouseClick(o.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
  ASSERT_NEAR(w.coords.tickstep, 0.001, 1e-9);
  w.showMinimized();
  QApplication::processEvents();
  ASSERT_LE(std::min(w.clientwidth(), w.clientheight()), 0);
  // Each zoom sets the window up again at its size of no pixels.
  main->commands().item("zoomout2")->trigger();
  const size_t pixels = static_cast<size_t>(std::abs(w.clientwidth()) + std::abs(w.clientheight()));
  EXPECT_LE(w.coords.ticks.size(), 2 * pixels + 8);
  // Brought back, it is set up at its own size again, with a tick a pixel.
  w.showNormal();
  QTest::qWait(50);
  ASSERT_GT(w.clientheight(), 0);
  EXPECT_EQ(w.coords.pixwidth, w.clientwidth());
  EXPECT_EQ(w.coords.pixheight, w.clientheight());
  EXPECT_GT(w.coords.ticks.size(), static_cast<size_t>(w.clientwidth()));
}

TEST_F(windowtest, lastwindownevercloses) {
  tgrform& w = active();
  EXPECT_FALSE(w.formclose());
  EXPECT_FALSE(w.close());
  EXPECT_EQ(main->windowlist.size(), 1u);
  main->runcommand("closewindow1");
  EXPECT_EQ(main->windowlist.size(), 1u);
  EXPECT_FALSE(w.closing());
}

TEST_F(windowtest, closingawindowtakesitsfiguresandshiftstherest) {
  tgrform& w1 = active();
  main->runcommand("line1");
  main->runcommand("sin1");
  tgrform* w2 = main->newwindowclick();
  main->runcommand("cos1");
  EXPECT_EQ(w2->firstfig, 2);
  EXPECT_EQ(w2->lastfig, 3);
  // A figure added to the first window pushes the second window's range on.
  w1.creategraph(family::hyperbola);
  EXPECT_EQ(w1.lastfig, 3);
  EXPECT_EQ(w2->firstfig, 3);
  EXPECT_EQ(w2->lastfig, 4);
  EXPECT_EQ(func().figures[3]->kind, family::cosine);

  ASSERT_TRUE(w1.formclose());
  EXPECT_TRUE(w1.closing());
  ASSERT_EQ(func().figures.size(), 1u);
  EXPECT_EQ(w2->firstfig, 0);
  EXPECT_EQ(w2->lastfig, 1);
  EXPECT_EQ(w2->figcount, 1);
  EXPECT_EQ(func().family, tfunc::allfamilies);
  EXPECT_FALSE(enabled("closewindow1"));
}

TEST_F(windowtest, deletingthelastfigurebringsbacktheemptyentry) {
  main->runcommand("line1");
  EXPECT_EQ(func().familytexts.size(), 10u);
  std::unique_ptr<tfigure> gone = func().deletefig(*func().figures[0]);
  ASSERT_NE(gone, nullptr);
  EXPECT_EQ(func().familytexts.size(), 11u);
  EXPECT_EQ(func().familytexts.back(), "Ingen funksjoner");
  EXPECT_EQ(func().family, tfunc::nofamilies);
  EXPECT_EQ(active().figcount, 0);
  // The window keeps no reference to the figure it lost.
  EXPECT_TRUE(active().selection.empty());
  EXPECT_EQ(func().deletefig(*gone), nullptr);
}

TEST_F(windowtest, awindowmadewhilenotbusygetsthepanelsfamily) {
  main->runcommand("parabola3");
  auto* w = new tgrform(*main);
  ASSERT_EQ(w->figcount, 1);
  EXPECT_EQ(func().figures.back()->kind, family::vertexparab);
  EXPECT_EQ(w->firstfig, 1);
}

TEST_F(windowtest, newprojectstartsoverwithvindu1) {
  main->newwindowclick();
  main->runcommand("line1");
  services.msganswers = {platform::msgresult::no};
  main->runcommand("newproject1");
  ASSERT_EQ(main->windowlist.size(), 1u);
  EXPECT_EQ(main->windowlist[0]->windowTitle(), "Vindu 1");
  EXPECT_TRUE(func().figures.empty());
  EXPECT_EQ(main->windowTitle(), "Tarnelo");
  EXPECT_FALSE(enabled("closewindow1"));
}

TEST_F(windowtest, newprojectcancelledkeepseverything) {
  main->runcommand("line1");
  services.msganswers = {platform::msgresult::cancel};
  main->runcommand("newproject1");
  EXPECT_EQ(func().figures.size(), 1u);
  EXPECT_EQ(main->windowlist[0]->windowTitle(), "Vindu 1");
}

TEST_F(windowtest, newwindowsarestaggeredbythecaptionheight) {
  tgrform* w2 = main->newwindowclick();
  tgrform* w3 = main->newwindowclick();
  const int c = w2->height() - w2->clientheight();
  const tframemeasures m = main->measures();
  EXPECT_EQ(w2->y(), c);
  EXPECT_EQ(w3->y(), 2 * c);
  EXPECT_EQ(w2->height() - w3->height(), c);
  EXPECT_EQ(w3->height(), m.clientheight - m.toolbarheight - m.statusheight - 2 * c - 5);
  EXPECT_EQ(w3->x(), m.panelleft + m.panelwidth + 1);
}

TEST(windowlayout, staircase) {
  tframemeasures m;
  m.clientwidth = 1000;
  m.clientheight = 700;
  m.toolbarheight = 30;
  m.statusheight = 20;
  m.panelleft = 0;
  m.panelwidth = 300;
  struct row {
    const char* name;
    int panelleft;
    int clientheight;
    int count;
    tplacement expected;
  };
  const row rows[] = {
      {"first window right of the panel", 0, 700, 1, {301, 0, 691, 645}},
      {"third window two captions down", 0, 700, 3, {301, 56, 691, 589}},
      {"panel on the right puts it left", 600, 700, 1, {1, 0, 598, 645}},
      {"frame too small gives height 1", 0, 100, 5, {301, 112, 691, 1}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    m.panelleft = r.panelleft;
    m.clientheight = r.clientheight;
    EXPECT_EQ(newwindowplacement(m, 28, r.count), r.expected);
  }
}

TEST(windowlayout, tileandcascade) {
  tframemeasures m;
  m.clientwidth = 1000;
  m.clientheight = 700;
  m.toolbarheight = 30;
  m.statusheight = 20;
  m.panelwidth = 300;
  const std::vector<tplacement> tiled = tileplacements(m, 3);
  ASSERT_EQ(tiled.size(), 3u);
  // (700 - 30 - 20) / 3 - 5 = 211
  EXPECT_EQ(tiled[2], (tplacement{301, 422, 695, 211}));
  EXPECT_EQ(tileplacements(m, 100)[1].height, 10);
  EXPECT_TRUE(tileplacements(m, 0).empty());
  const std::vector<tplacement> cascaded = cascadeplacements(m, 25, 4);
  EXPECT_EQ(cascaded[3], (tplacement{301, 75, 695, 550}));
  EXPECT_EQ(cascadeplacements(m, 25, 40)[0].height, 1);
}

TEST_F(windowtest, tilingandcascadingplacethewindows) {
  main->newwindowclick();
  main->newwindowclick();
  main->runcommand("tile1");
  const std::vector<tplacement> tiled = tileplacements(main->measures(), 3);
  for (size_t j = 0; j < 3; ++j) {
    const tgrform* w = main->windowlist[j];
    EXPECT_EQ((tplacement{w->x(), w->y(), w->width(), w->height()}), tiled[j]) << j;
  }
  main->runcommand("cascade1");
  const tgrform& first = *main->windowlist[0];
  const int c = first.height() - first.clientheight() - 3;
  const std::vector<tplacement> cascaded = cascadeplacements(main->measures(), c, 3);
  for (size_t i = 0; i < 3; ++i) {
    const tgrform* w = main->windowlist[i];
    EXPECT_EQ((tplacement{w->x(), w->y(), w->width(), w->height()}), cascaded[i]) << i;
  }
  EXPECT_EQ(func().pos(), QPoint(0, 0));
}

TEST_F(windowtest, resizekeepstheworldrectangle) {
  tgrform& w = active();
  main->runcommand("N211");
  const double minx = w.coords.minx, maxx = w.coords.maxx;
  const double miny = w.coords.miny, maxy = w.coords.maxy;
  const int oldwidth = w.coords.pixwidth;
  w.resize(w.width() - 100, w.height() - 60);
  QApplication::processEvents();
  EXPECT_EQ(w.coords.pixwidth, oldwidth - 100);
  EXPECT_EQ(w.coords.pixwidth, w.clientwidth());
  EXPECT_EQ(w.coords.pixheight, w.clientheight());
  EXPECT_EQ(w.coords.image->width(), w.clientwidth());
  EXPECT_EQ(w.coords.minx, minx);
  EXPECT_EQ(w.coords.maxx, maxx);
  EXPECT_EQ(w.coords.miny, miny);
  EXPECT_EQ(w.coords.maxy, maxy);
  // The origin stays in the middle of the smaller picture.
  const platform::point o = w.coords.worldtopixel(0, 0.5);
  EXPECT_EQ(o.x, static_cast<int>(std::nearbyint(w.clientwidth() / 2.0)));
  EXPECT_EQ(pixel(w, o.x, o.y), platform::black);
}

TEST_F(windowtest, pantdrawscurvesoveraxesrepantaxesovercurves) {
  tgrform& w = active();
  main->options().settings.passive = 12;  // blue, apart from the black axes
  w.coords.readoptions();
  func().boxes[1].value = 1;  // y = x + 1 crosses the x axis at -1
  main->runcommand("line1");
  // Unselected, the line is not drawn again on top by drawselection.
  w.clearselection();
  const platform::point p = w.coords.worldtopixel(-1, 0);
  const platform::colour blue = platform::rgb(0, 0, 255);
  // Where the curve crosses the x axis, some pixel of the axis row near x = -1
  // shows the curve after pant and none after repant.
  const auto crossing = [&] {
    for (int x = p.x - 3; x <= p.x + 3; ++x)
      if (pixel(w, x, p.y) == blue) return true;
    return false;
  };
  w.pant();
  EXPECT_TRUE(crossing());
  w.repant();
  EXPECT_FALSE(crossing());
  EXPECT_EQ(pixel(w, p.x, p.y), platform::black);
  // Away from the axes both show the curve.
  const platform::point q = w.coords.worldtopixel(4, 5);
  EXPECT_EQ(pixel(w, q.x, q.y), blue);
}

TEST_F(windowtest, deactivatedwindowshowsitscurvespassive) {
  tgrform& w1 = active();
  main->runcommand("line1");
  const platform::point p = w1.coords.worldtopixel(3, 3);
  EXPECT_EQ(pixel(w1, p.x, p.y), platform::rgb(255, 0, 0));
  main->newwindowclick();
  // Passive colour 0 is black.
  EXPECT_EQ(pixel(w1, p.x, p.y), platform::black);
}

TEST_F(windowtest, mousemovewritesthecoordinates) {
  tgrform& w = active();
  main->runcommand("line1");
  const platform::point p = w.coords.worldtopixel(2.5, -1.25);
  w.formmousemove(0, p.x, p.y);
  const worldpoint at = w.coords.pixeltoworld(p.x, p.y);
  EXPECT_EQ(main->paneltext(0),
            QString::asprintf("x:%6.2f , y:%6.2f", at.x, at.y).replace('.', ','));
  EXPECT_EQ(tgrform::coordtext(2.5, -1.25, ','), "x:  2,50 , y: -1,25");
  EXPECT_DOUBLE_EQ(w.mousex, w.coords.pixeltoworld(p.x, p.y).x);
  EXPECT_EQ(tgrform::coordtext(-12.345, 100, '.'), "x:-12.35 , y:100.00");
}

TEST_F(windowtest, clickingacurveselectsit) {
  tgrform& w = active();
  main->runcommand("line1");
  main->runcommand("parabola2");
  ASSERT_EQ(w.selection[0]->kind, family::parabola);
  // (3, 3) is on y = x, not on y = x^2.
  const platform::point p = w.coords.worldtopixel(3, 3);
  w.formmousedown(mousebutton::left, shiftstate::left, p.x, p.y);
  w.formmouseup(mousebutton::left, 0, p.x, p.y);
  ASSERT_EQ(w.selection.size(), 1u);
  EXPECT_EQ(w.selection[0]->kind, family::line);
  EXPECT_FALSE(func().figures[1]->selected);
  EXPECT_EQ(func().family, family::line);
}

}  // namespace
