// The function panel: typing into the parameter boxes, the held and dragged
// boxes applied to the selected figures, the columns of a user formula, the
// filter "Alle funksjoner" and the formula display.
#include <QGroupBox>
#include <QLineEdit>
#include <string>
#include <vector>

#include "expr/parseexpr.h"
#include "guifixture.h"
#include "shell/tfamilybox.h"
#include "shell/tformulaview.h"
#include "shell/tparamcolumn.h"

namespace {

using functest = guitest;

// Typing into box k as the field's change event reports it.
void type(tfunc& panel, int k, const std::string& text) {
  panel.boxes[static_cast<size_t>(k - 1)].edittext = text;
  panel.editchange(k);
}

TEST_F(functest, typedvaluesgotoeveryselectedfigure) {
  main->runcommand("line1");
  main->runcommand("line1");
  tgrform& w = active();
  // Both lines selected.
  for (const auto& f : func().figures) {
    f->selected = true;
    if (std::find(w.selection.begin(), w.selection.end(), f.get()) == w.selection.end())
      w.selection.push_back(f.get());
  }
  ASSERT_EQ(w.selection.size(), 2u);
  services.messages.clear();
  struct row {
    const char* text;
    float box;
    double param;  // of both figures afterwards
    size_t messages;
  };
  const std::vector<row> rows = {
      {"2,5", 2.5f, 2.5, 0}, {"3", 3, 3, 0},       {"2.5", 2.5f, 2.5, 0},
      {"x", 0, 2.5, 0},      {"2,5,5", 0, 2.5, 1}, {"500", 100, 100, 1},
  };
  for (const row& r : rows) {
    main->modified = 0;
    type(func(), 1, r.text);
    EXPECT_FLOAT_EQ(func().boxes[0].value, r.box) << r.text;
    for (const auto& f : func().figures) EXPECT_DOUBLE_EQ(f->param[1], r.param) << r.text;
    EXPECT_EQ(services.messages.size(), r.messages) << r.text;
    EXPECT_EQ(main->modified, 1) << r.text;
  }
  EXPECT_EQ(services.messages[0].text, "'2,5,5' er ikke et gyldig tall.");
  // A value beyond Max was clamped and written back.
  EXPECT_EQ(func().boxes[0].edittext, "100,00");
}

TEST_F(functest, nothingappliedwhilethefigurewritesitselforwithoutselection) {
  main->runcommand("line1");
  tfigure& f = *func().figures[0];
  f.dragging = true;
  type(func(), 2, "4");
  EXPECT_DOUBLE_EQ(f.param[2], 0);
  f.dragging = false;
  active().clearselection();
  type(func(), 2, "5");
  EXPECT_DOUBLE_EQ(f.param[2], 0);
  EXPECT_FLOAT_EQ(func().boxes[1].value, 5);
}

TEST_F(functest, heldanddraggedboxeschangetheselectedfigure) {
  main->runcommand("line1");
  tfigure& f = *func().figures[0];
  EXPECT_EQ(func().timerinterval(), tboxrouter::firstinterval);
  func().boxmousedown("up2", 0);
  EXPECT_TRUE(func().timerrunning());
  for (int t = 0; t < 6; ++t) func().timertick();
  EXPECT_FLOAT_EQ(func().boxes[1].value, 1.0f);
  EXPECT_DOUBLE_EQ(f.param[2], 1.0);
  func().boxmouseup();
  EXPECT_FALSE(func().timerrunning());
  EXPECT_EQ(func().timerinterval(), tboxrouter::repeatinterval);

  // Fifty pixels up the tape with Interval 1: exactly one more.
  func().boxmousedown("scale2", 50);
  func().boxmousemove("scale2", 0);
  func().boxmouseup();
  EXPECT_FLOAT_EQ(func().boxes[1].value, 2.0f);
  EXPECT_DOUBLE_EQ(f.param[2], 2.0);
  EXPECT_EQ(func().boxes[1].edittext, "2,00");
}

TEST_F(functest, auserformulawithcandashowsexactlythosecolumns) {
  parseexpr(main->customexpression, "c*x^2+a");
  ASSERT_EQ(main->customexpression.errcode, 0);
  tfigure* f = active().creategraph(family::custom);
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(f->paramletters, "ac");
  f->param[1] = 3;  // a
  f->param[2] = 7;  // c
  func().paintbox6click();
  const std::vector<uint8_t> expected = {tmanbox::normal, tmanbox::hidden, tmanbox::normal,
                                         tmanbox::hidden, tmanbox::hidden};
  for (int k = 1; k <= 5; ++k)
    EXPECT_EQ(func().boxes[static_cast<size_t>(k - 1)].state(),
              expected[static_cast<size_t>(k - 1)])
        << k;
  EXPECT_EQ(func().boxes[0].edittext, "3,00");
  EXPECT_EQ(func().boxes[2].edittext, "7,00");
  EXPECT_FALSE(func().column(2).edit().isEnabled());
  // Typing c changes the figure's c, which is its second parameter.
  type(func(), 3, "4");
  EXPECT_DOUBLE_EQ(f->param[2], 4.0);
  EXPECT_DOUBLE_EQ(f->param[1], 3.0);
}

TEST_F(functest, allfunctionsliststhewholelistandshowsthelastselected) {
  main->runcommand("line1");
  main->runcommand("sin1");
  tgrform* w2 = main->newwindowclick();
  main->runcommand("cos1");
  main->runcommand("pol31");
  func().selectfamily(tfunc::allfamilies);
  ASSERT_EQ(func().filtered.size(), 4u);
  // The selected figure of the active window is the last one.
  EXPECT_EQ(func().current, 3);
  // The display: window 2, "F", figure 3 lowered, then its formula.
  func().current = 2;
  func().refresh();
  const std::string shown = func().display().markup();
  EXPECT_EQ(shown.substr(0, 8), "2.F\\d3\\d") << shown;
  EXPECT_EQ(func().displaycolour(), platform::rgb(0, 0, 0)) << "not selected: passive";
  func().current = 3;
  func().refresh();
  EXPECT_EQ(func().displaycolour(), platform::rgb(255, 0, 0)) << "selected in the active window";
  // Browsing stops at both ends.
  func().spindown();
  EXPECT_EQ(func().current, 3);
  for (int i = 0; i < 6; ++i) func().spinup();
  EXPECT_EQ(func().current, 0);
  // Clicking the display selects its figure in its own window.
  func().paintbox6click();
  tgrform& w1 = *main->windowlist[0];
  ASSERT_EQ(w1.selection.size(), 1u);
  EXPECT_EQ(w1.selection[0], func().figures[0].get());
  EXPECT_EQ(func().family, family::line);
  EXPECT_EQ(func().boxes[0].edittext, "1,00");
  (void)w2;
}

TEST_F(functest, thefirstfigureendsandthelastbringsbacktheemptyentry) {
  EXPECT_EQ(func().selector().count(), 11);
  EXPECT_EQ(func().selector().currentIndex(), tfunc::nofamilies);
  main->runcommand("hyperbola1");
  EXPECT_EQ(func().selector().count(), 10);
  EXPECT_EQ(func().selector().currentIndex(), family::hyperbola);
  EXPECT_EQ(func().selector().entrytext(3).substr(0, 9), "HyperbelF");
  std::unique_ptr<tfigure> gone = func().deletefig(*func().figures[0]);
  EXPECT_EQ(func().selector().count(), 11);
  EXPECT_EQ(func().selector().currentIndex(), tfunc::nofamilies);
  EXPECT_EQ(func().display().markup(), "");
}

}  // namespace

TEST_F(functest, enteringagroupgivesthepointeritsordinaryshapeback) {
  for (const char* title : {"Funksjonsuttrykk", "Funksjonstype", "Konstanter"}) {
    SCOPED_TRACE(title);
    QGroupBox* group = nullptr;
    for (QGroupBox* g : func().findChildren<QGroupBox*>())
      if (g->title() == QString::fromUtf8(title)) group = g;
    ASSERT_NE(group, nullptr);
    QGuiApplication::setOverrideCursor(Qt::SizeAllCursor);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(group, &enter);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  }
}

TEST_F(functest, theclosedselectorholdsawholeentry) {
  EXPECT_GE(func().selector().height(), tfamilybox::entryheight);
}
