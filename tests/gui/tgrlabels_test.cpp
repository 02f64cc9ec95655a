// Text labels and the figure clipboard in the running program: labels made,
// opened, moved and resized through the graph window's mouse handlers at
// pixel positions, drawn into the window's image at their world point, and
// the "&Rediger" commands with their enabled states.
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QToolButton>

#include "graph/tclipbrd.h"
#include "graph/tfontwindow.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrlabels.h"
#include "graph/tmemoedit.h"
#include "guifixture.h"
#include "shell/editlinks.h"

namespace {

using namespace shiftstate;

class labeltest : public guitest {
 protected:
  tlabeltool& labels(tgrform& w) { return w.textlabels().tool(); }
  tmemoedit& memo(tgrform& w) { return w.textlabels().memoedit(); }

  void press(tgrform& w, int x, int y) { w.formmousedown(mousebutton::left, left, x, y); }
  void drag(tgrform& w, int x, int y) { w.formmousemove(left, x, y); }
  void release(tgrform& w, int x, int y) { w.formmouseup(mousebutton::left, 0, x, y); }
  void click(tgrform& w, int x, int y) {
    press(w, x, y);
    release(w, x, y);
  }

  // Drags out a label with the text tool, types the text into the memo and
  // closes it by choosing the select tool; the label made.
  tgralab* makelabel(tgrform& w, platform::rect r, const QString& text) {
    main->runcommand("text1");
    const size_t before = labels(w).labels.size();
    press(w, r.left, r.top);
    drag(w, r.right, r.bottom);
    release(w, r.right, r.bottom);
    if (labels(w).labels.size() != before + 1) return nullptr;
    tgralab* made = labels(w).labels.back().get();
    // The memo entered without a platform focus event on the offscreen screen.
    if (!made->editing) labels(w).memo2enter();
    memo(w).insertPlainText(text);
    main->runcommand("select1");
    return made;
  }

  // Pixels of the colour in the image's rectangle.
  int count(tgrform& w, platform::rect r, platform::colour c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (pixel(w, x, y) == c) ++n;
    return n;
  }
  static platform::rect rectof(const tgralab& l) {
    return {l.left, l.top, l.left + l.width, l.top + l.height};
  }
};

TEST_F(labeltest, thetexttoolmakesalabelthatisstoredanddrawn) {
  tgrform& w = active();
  const platform::rect r{20, 20, 180, 80};
  const int before = count(w, r, platform::black);
  tgralab* l = makelabel(w, r, QString::fromUtf8("Hei på deg"));
  ASSERT_NE(l, nullptr);
  // The memo was laid on the frame; the label ends 5 pixels smaller than it.
  EXPECT_EQ(l->left, 20);
  EXPECT_EQ(l->top, 20);
  EXPECT_EQ(l->width, 155);
  EXPECT_EQ(l->height, 55);
  ASSERT_EQ(l->text.size(), 1u);
  EXPECT_EQ(l->text[0], "Hei p\xE5 deg");
  EXPECT_FALSE(l->editing);
  EXPECT_FALSE(memo(w).visible());
  EXPECT_FALSE(main->fontwindow()->visible());
  EXPECT_EQ(l->owner, &w.textlabels());
  // The font window gave it its first size and black.
  EXPECT_EQ(l->font.size, 8);
  EXPECT_EQ(l->font.col, platform::black);
  EXPECT_GT(count(w, r, platform::black), before + 10);
}

TEST_F(labeltest, aframewithoutwidthorheightmakesnolabel) {
  struct row {
    const char* name;
    int x1;
    int y1;
  };
  const row rows[] = {
      {"upandleft", 20, 20},
      {"flat", 200, 60},
      {"thin", 60, 150},
      {"none", 60, 60},
  };
  tgrform& w = active();
  main->runcommand("text1");
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    press(w, 60, 60);
    drag(w, r.x1, r.y1);
    release(w, r.x1, r.y1);
    EXPECT_TRUE(labels(w).labels.empty());
    EXPECT_FALSE(memo(w).visible());
  }
}

TEST_F(labeltest, alabelstaysatitsworldpointwhenthewindowzooms) {
  tgrform& w = active();
  tgralab* l = makelabel(w, {30, 30, 150, 70}, "x");
  ASSERT_NE(l, nullptr);
  const double wx = l->worldx;
  const double wy = l->worldy;
  main->runcommand("N211");
  const platform::point p = w.coords.worldtopixel(wx, wy);
  EXPECT_NE(p.x, 30);
  EXPECT_EQ(l->left, p.x);
  EXPECT_EQ(l->top, p.y);
  EXPECT_EQ(l->width, 115);
  EXPECT_EQ(l->worldx, wx);
}

TEST_F(labeltest, aselecttoolclickselectsalabelandenablescutandcopy) {
  struct row {
    const char* name;
    int x;
    int y;
    bool selected;
  };
  const row rows[] = {
      {"inside", 100, 50, true},
      {"corner", 40, 40, true},
      {"outside", 300, 200, false},
      {"justoutside", 196, 50, false},
  };
  tgrform& w = active();
  tgralab* l = makelabel(w, {40, 40, 200, 100}, "abc");
  ASSERT_NE(l, nullptr);
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    click(w, r.x, r.y);
    EXPECT_EQ(labels(w).selectedlabel, r.selected ? l : nullptr);
    // The window has no figures: only a label makes cut and copy usable.
    EXPECT_EQ(enabled("cut1"), r.selected);
    EXPECT_EQ(enabled("copy1"), r.selected);
    EXPECT_EQ(enabled("delete1"), r.selected);
  }
}

TEST_F(labeltest, hoveringtheselectedlabelshowsthehandlecursors) {
  struct row {
    const char* name;
    int x;
    int y;
    int cursor;
  };
  // The label: left 40, top 40, width 155, height 55 (right 195, bottom 95).
  const row rows[] = {
      {"topleft", 41, 41, tcursors::sizenwse},
      {"bottomright", 194, 94, tcursors::sizenwse},
      {"bottomleft", 41, 94, tcursors::sizenesw},
      {"topright", 194, 41, tcursors::sizenesw},
      {"leftmiddle", 41, 66, tcursors::sizewe},
      {"rightmiddle", 194, 66, tcursors::sizewe},
      {"topmiddle", 116, 41, tcursors::sizens},
      {"bottommiddle", 116, 94, tcursors::sizens},
      {"inside", 100, 70, tcursors::crall},
      {"outside", 300, 200, tcursors::arrow},
  };
  tgrform& w = active();
  tgralab* l = makelabel(w, {40, 40, 200, 100}, "abc");
  ASSERT_NE(l, nullptr);
  click(w, 100, 70);
  ASSERT_EQ(labels(w).selectedlabel, l);
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    w.formmousemove(0, r.x, r.y);
    EXPECT_EQ(w.windowcursor, r.cursor);
  }
}

TEST_F(labeltest, dragginglabelsmovesandresizesthemwithintheclientarea) {
  struct row {
    const char* name;
    int grabx;  // relative to the label's left and top
    int graby;
    int dx;
    int dy;
    platform::rect expected;  // left, top, width, height
  };
  const row rows[] = {
      {"move", 50, 20, 10, 5, {50, 45, 155, 55}},
      {"moveup", 50, 20, 0, -30, {40, 10, 155, 55}},
      {"movepasttheleftedge", 50, 20, -41, 0, {40, 40, 155, 55}},
      {"bottomright", 153, 53, 20, 10, {40, 40, 175, 65}},
      {"topleft", 1, 1, 10, 10, {50, 50, 145, 45}},
      {"leftmiddle", 1, 27, -15, 99, {25, 40, 170, 55}},
      {"toosmall", 153, 53, -150, 0, {40, 40, 155, 55}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main.reset();
    QApplication::processEvents();
    start();
    tgrform& w = active();
    tgralab* l = makelabel(w, {40, 40, 200, 100}, "abcdef");
    ASSERT_NE(l, nullptr);
    const int x = l->left + r.grabx;
    const int y = l->top + r.graby;
    click(w, x, y);
    press(w, x, y);
    drag(w, x + r.dx, y + r.dy);
    release(w, x + r.dx, y + r.dy);
    EXPECT_EQ(platform::rect({l->left, l->top, l->width, l->height}), r.expected);
    const worldpoint at = w.coords.pixeltoworld(l->left, l->top);
    EXPECT_EQ(l->worldx, at.x);
    EXPECT_EQ(l->worldy, at.y);
  }
}

TEST_F(labeltest, alabeldraggedagainsttherightedgestopsthere) {
  tgrform& w = active();
  tgralab* l = makelabel(w, {40, 40, 200, 100}, "abc");
  ASSERT_NE(l, nullptr);
  click(w, 100, 60);
  press(w, 100, 60);
  int x = 100;
  // Small steps until well past the edge: the last step that fits lands the
  // label on it only when the steps divide evenly, so step by one pixel.
  while (x < w.clientwidth() + 50) drag(w, ++x, 60);
  release(w, x, 60);
  EXPECT_EQ(l->left + l->width, w.clientwidth());
}

TEST_F(labeltest, adoubleclickopenstheselectedlabelwiththetexttool) {
  tgrform& w = active();
  tgralab* l = makelabel(w, {40, 40, 200, 100}, "first");
  ASSERT_NE(l, nullptr);
  click(w, 100, 60);
  press(w, 100, 60);
  release(w, 100, 60);
  w.formdblclick();
  EXPECT_EQ(main->tool, toolcode::text);
  EXPECT_TRUE(checked("text1"));
  EXPECT_TRUE(main->commands().button("text1")->isChecked());
  EXPECT_TRUE(memo(w).visible());
  EXPECT_EQ(memo(w).lines(), std::vector<std::string>{"first"});
  // The release of the double click makes no second label.
  release(w, 100, 60);
  EXPECT_EQ(labels(w).labels.size(), 1u);
  // A reopened label keeps its size.
  main->runcommand("select1");
  EXPECT_EQ(l->width, 155);
  EXPECT_EQ(l->height, 55);
}

TEST_F(labeltest, ctrlfputstheselectedformulaintothememo) {
  tgrform& w = active();
  main->runcommand("line1");
  tfigure& f = *func().figures[0];
  main->runcommand("text1");
  press(w, 20, 20);
  drag(w, 200, 80);
  release(w, 200, 80);
  ASSERT_EQ(labels(w).labels.size(), 1u);
  if (!labels(w).curlabel->editing) labels(w).memo2enter();
  const auto ctrlf = [&] {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_F, Qt::ControlModifier);
    QApplication::sendEvent(&memo(w), &e);
  };
  ctrlf();
  f.textmode = 1;
  const std::string formula = f.formula();
  f.textmode = 0;
  const std::vector<std::string> lines = memo(w).lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], main->options().funcname().substr(0, 1) + formula + " -->");
  // Without a selected figure the key is ignored and types nothing.
  w.clearselection();
  ctrlf();
  EXPECT_EQ(memo(w).lines(), lines);
}

TEST_F(labeltest, thefontwindowchangestheopenlabel) {
  tgrform& w = active();
  tfontwindow& fonts = *main->fontwindow();
  main->runcommand("text1");
  press(w, 20, 20);
  drag(w, 200, 120);
  release(w, 200, 120);
  ASSERT_EQ(labels(w).labels.size(), 1u);
  tgralab& l = *labels(w).labels[0];
  if (!l.editing) labels(w).memo2enter();
  EXPECT_TRUE(fonts.visible());
  fonts.combobox2().setCurrentIndex(fonts.combobox2().findText("24"));
  fonts.combobox2change();
  fonts.combobox3().setCurrentIndex(1);
  fonts.combobox3change();
  fonts.speedbutton2().setChecked(true);
  fonts.speedbutton2click();
  EXPECT_EQ(memo(w).font().size, 24);
  EXPECT_FALSE(w.paintlock);
  memo(w).insertPlainText("Stor");
  main->runcommand("select1");
  EXPECT_EQ(l.font.size, 24);
  EXPECT_EQ(l.font.col, platform::rgb(255, 0, 0));
  EXPECT_TRUE(l.font.italic);
  EXPECT_FALSE(l.font.bold);
  EXPECT_FALSE(fonts.visible());
  EXPECT_GT(count(w, {20, 20, 195, 115}, platform::rgb(255, 0, 0)), 10);
  // The next label takes what the window holds.
  main->runcommand("text1");
  press(w, 20, 150);
  drag(w, 200, 200);
  release(w, 200, 200);
  ASSERT_EQ(labels(w).labels.size(), 2u);
  EXPECT_EQ(labels(w).labels[1]->font.size, 24);
  EXPECT_TRUE(labels(w).labels[1]->font.italic);
}

TEST_F(labeltest, thelabelstaysopenwhilethefocusisinanotherwindow) {
  struct row {
    const char* name;
    bool fontwindow;  // the focus goes to the font window's face list
    bool open;
  };
  const row rows[] = {
      {"fontwindow", true, true},
      {"graphwindow", false, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main.reset();
    QApplication::processEvents();
    start();
    tgrform& w = active();
    main->runcommand("text1");
    press(w, 20, 20);
    drag(w, 200, 120);
    release(w, 200, 120);
    ASSERT_EQ(labels(w).labels.size(), 1u);
    if (!labels(w).curlabel->editing) labels(w).memo2enter();
    QWidget* to = r.fontwindow ? static_cast<QWidget*>(&main->fontwindow()->combobox1())
                               : static_cast<QWidget*>(&w.canvas());
    QApplication::setActiveWindow(to->window());
    to->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), to);
    // The memo hears of it as a plain focus change inside the program.
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(&memo(w), &out);
    EXPECT_EQ(memo(w).visible(), r.open);
    EXPECT_EQ(labels(w).labels[0]->editing, r.open);
  }
}

TEST_F(labeltest, alabelkeepsthelinesthememoshowed) {
  struct row {
    const char* name;
    QString typed;
    std::vector<std::string> lines;
  };
  // A memo 70 pixels wide wraps at the blanks; a typed line break stays one.
  const row rows[] = {
      {"short", "ab", {"ab"}},
      {"twolines", "ab\ncd", {"ab", "cd"}},
      {"wrapped", "aaaaaa bbbbbb cccccc", {"aaaaaa", "bbbbbb", "cccccc"}},
      {"emptyline", "ab\n\ncd", {"ab", "", "cd"}},
      {"nothing", "", {}},
  };
  tgrform& w = active();
  main->runcommand("text1");
  press(w, 20, 20);
  drag(w, 90, 200);
  release(w, 90, 200);
  ASSERT_EQ(labels(w).labels.size(), 1u);
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    memo(w).setPlainText(r.typed);
    QApplication::processEvents();
    EXPECT_EQ(memo(w).lines(), r.lines);
  }
}

TEST_F(labeltest, closingthefontwindowchoosestheselecttool) {
  main->runcommand("text1");
  main->fontwindow()->close();
  EXPECT_EQ(main->tool, toolcode::select);
  EXPECT_TRUE(checked("select1"));
}

// --- the figure clipboard through the menu

class cliptest : public labeltest {
 protected:
  tgrform& second() {
    tgrform* w = main->newwindowclick();
    return *w;
  }
  void activate(tgrform& w) {
    main->mdi().setActiveSubWindow(&w);
    main->activated(w);
  }
};

TEST_F(cliptest, startswithpasteandundodeletedisabled) {
  EXPECT_FALSE(enabled("paste1"));
  EXPECT_FALSE(main->commands().button("paste1")->isEnabled());
  EXPECT_FALSE(enabled("undelete1"));
  EXPECT_TRUE(enabled("copypicture1"));
}

TEST_F(cliptest, cutandpasteintoanotherwindowkeepsfamilyandsingleprecision) {
  tgrform& w1 = active();
  main->runcommand("parabola2");
  tfigure& f = *func().figures[0];
  f.param[1] = 0.1;
  f.param[2] = -2.37;
  main->runcommand("cut1");
  EXPECT_EQ(w1.figcount, 0);
  EXPECT_TRUE(func().figures.empty());
  // The panel shows its empty state.
  EXPECT_EQ(func().family, tfunc::nofamilies);
  EXPECT_EQ(func().familytexts.back(), "Ingen funksjoner");
  EXPECT_TRUE(enabled("paste1"));
  EXPECT_TRUE(main->commands().button("paste1")->isEnabled());
  EXPECT_FALSE(enabled("cut1"));

  tgrform& w2 = second();
  main->runcommand("paste1");
  ASSERT_EQ(w2.figcount, 1);
  const tfigure& g = *w2.figures()[0];
  EXPECT_EQ(g.kind, family::parabola);
  EXPECT_EQ(g.param[1], static_cast<double>(0.1f));
  EXPECT_EQ(g.param[2], static_cast<double>(-2.37f));
  EXPECT_EQ(w1.figcount, 0);
  EXPECT_TRUE(enabled("paste1"));
  // Paste again: a second set.
  main->runcommand("paste1");
  EXPECT_EQ(w2.figcount, 2);
  EXPECT_NE(w2.figures()[0], w2.figures()[1]);
  EXPECT_EQ(w2.figures()[1]->param[1], static_cast<double>(0.1f));
}

TEST_F(cliptest, copyleavesthefiguresandpastesacopyofthewholeselection) {
  tgrform& w = active();
  main->runcommand("line1");
  main->runcommand("sin1");
  tfigure* a = func().figures[0].get();
  tfigure* b = func().figures[1].get();
  w.clearselection();
  w.selection = {b, a};
  a->selected = b->selected = true;
  main->runcommand("copy1");
  EXPECT_EQ(w.figcount, 2);
  main->runcommand("paste1");
  ASSERT_EQ(w.figcount, 4);
  // Pasted in selection order.
  EXPECT_EQ(w.figures()[2]->kind, family::sine);
  EXPECT_EQ(w.figures()[3]->kind, family::line);
}

TEST_F(cliptest, undodeletegoesbackonceandonlyintoitsownwindow) {
  tgrform& w1 = active();
  main->runcommand("line1");
  main->runcommand("cos1");
  tfigure* cosine = func().figures[1].get();
  cosine->param[3] = 0.5;
  main->runcommand("delete1");
  EXPECT_EQ(w1.figcount, 1);
  EXPECT_TRUE(enabled("undelete1"));
  // The first figure is selected after the deletion.
  ASSERT_EQ(w1.selection.size(), 1u);
  EXPECT_EQ(w1.selection[0]->kind, family::line);

  tgrform& w2 = second();
  EXPECT_FALSE(enabled("undelete1"));
  undeleteclick(*main);
  EXPECT_EQ(w2.figcount, 0);

  activate(w1);
  EXPECT_TRUE(enabled("undelete1"));
  main->runcommand("undelete1");
  ASSERT_EQ(w1.figcount, 2);
  EXPECT_EQ(w1.figures()[1]->kind, family::cosine);
  EXPECT_EQ(w1.figures()[1]->param[3], 0.5);
  EXPECT_FALSE(enabled("undelete1"));
  undeleteclick(*main);
  EXPECT_EQ(w1.figcount, 2);
}

TEST_F(cliptest, labelscutcopiedpastedanddeleted) {
  tgrform& w1 = active();
  tgralab* l = makelabel(w1, {40, 40, 200, 100}, "etikett");
  ASSERT_NE(l, nullptr);
  click(w1, 100, 60);
  main->runcommand("copy1");
  EXPECT_EQ(labels(w1).labels.size(), 1u);
  tgrform& w2 = second();
  main->runcommand("paste1");
  main->runcommand("paste1");
  ASSERT_EQ(labels(w2).labels.size(), 2u);
  for (const auto& p : labels(w2).labels) {
    // Both pastes lie 5 pixels on from the copied label, not from each other.
    EXPECT_EQ(p->left, 45);
    EXPECT_EQ(p->top, 45);
    EXPECT_EQ(p->text, std::vector<std::string>{"etikett"});
    EXPECT_EQ(p->owner, &w2.textlabels());
  }
  EXPECT_EQ(labels(w2).selectedlabel, labels(w2).labels[1].get());
  EXPECT_TRUE(enabled("cut1"));

  // Delete one in the second window; the first window cannot take it back.
  main->runcommand("delete1");
  EXPECT_EQ(labels(w2).labels.size(), 1u);
  EXPECT_TRUE(enabled("undelete1"));
  activate(w1);
  EXPECT_FALSE(enabled("undelete1"));
  activate(w2);
  EXPECT_TRUE(enabled("undelete1"));
  main->runcommand("undelete1");
  EXPECT_EQ(labels(w2).labels.size(), 2u);
  EXPECT_FALSE(enabled("undelete1"));

  // Cut from the first window: gone there, pasted where it was copied.
  activate(w1);
  click(w1, 100, 60);
  main->runcommand("cut1");
  EXPECT_TRUE(labels(w1).labels.empty());
  EXPECT_EQ(labels(w1).selectedlabel, nullptr);
  main->runcommand("paste1");
  ASSERT_EQ(labels(w1).labels.size(), 1u);
  EXPECT_EQ(labels(w1).labels[0]->left, 45);
}

TEST_F(cliptest, closingthewindowofadeletiondropstheundo) {
  tgrform& w1 = active();
  tgrform& w2 = second();
  tgralab* l = makelabel(w2, {40, 40, 200, 100}, "borte");
  ASSERT_NE(l, nullptr);
  click(w2, 100, 60);
  main->runcommand("delete1");
  main->runcommand("closewindow1");
  ASSERT_EQ(main->windowlist.size(), 1u);
  EXPECT_EQ(main->clipboard().deletedfrom(), nullptr);
  activate(w1);
  undeleteclick(*main);
  EXPECT_TRUE(labels(w1).labels.empty());
}

TEST_F(cliptest, closingallwindowsemptiestheclipboard) {
  main->runcommand("line1");
  main->runcommand("copy1");
  main->runcommand("delete1");
  EXPECT_TRUE(enabled("paste1"));
  EXPECT_TRUE(enabled("undelete1"));
  main->closeaction();
  EXPECT_FALSE(enabled("paste1"));
  EXPECT_FALSE(enabled("undelete1"));
  EXPECT_TRUE(main->clipboard().clip.empty());
  EXPECT_TRUE(main->clipboard().deleted.empty());
}

TEST_F(cliptest, copyaspictureputsthewindoworthepanelontheclipboard) {
  tgrform& w = active();
  main->runcommand("line1");
  main->setpanel(2, "hint");
  main->runcommand("copypicture1");
  ASSERT_EQ(services.clipboardputs, 1);
  EXPECT_EQ(main->paneltext(2), "");
  ASSERT_EQ(services.clipboardwidth, w.clientwidth());
  ASSERT_EQ(services.clipboardheight, w.clientheight());
  // y = x in the active colour, as the window shows it.
  const platform::point p = w.coords.worldtopixel(3, 3);
  EXPECT_EQ(services.clipboardpixels[static_cast<size_t>(p.y * services.clipboardwidth + p.x)],
            pixel(w, p.x, p.y));
  EXPECT_EQ(pixel(w, p.x, p.y), platform::rgb(255, 0, 0));

  main->mdi().setActiveSubWindow(&func());
  func().formactivate();
  ASSERT_EQ(main->panelactive, 1);
  main->runcommand("copypicture1");
  EXPECT_EQ(services.clipboardputs, 2);
  EXPECT_EQ(services.clipboardwidth, func().width());
  EXPECT_EQ(services.clipboardheight, func().height());
}

}  // namespace
