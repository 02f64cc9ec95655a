// The function panel: typing into the parameter boxes, the held and dragged
// boxes applied to the selected figures, the columns of a user formula, the
// filter "Alle funksjoner" and the formula display.
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dialogs/tformulaview.h"
#include "dialogs/tsynt.h"
#include "expr/parseexpr.h"
#include "guifixture.h"
#include "shell/customentry.h"
#include "shell/tfamilybox.h"
#include "shell/tparamcolumn.h"

namespace {

using functest = guitest;

// How a typed entry ends.
enum class ending { none, enter, focusout, upkey, upbutton };

// Types text into box k's field as a user does: select everything, type
// (an empty text erases), then end the entry.
void type(tfunc& panel, int k, const std::string& text, ending end = ending::enter) {
  QLineEdit& e = panel.column(k).edit();
  QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);
  if (text.empty())
    QTest::keyClick(&e, Qt::Key_Backspace);
  else
    QTest::keyClicks(&e, QString::fromStdString(text));
  switch (end) {
    case ending::none:
      break;
    case ending::enter:
      QTest::keyClick(&e, Qt::Key_Return);
      break;
    case ending::focusout: {
      QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
      QApplication::sendEvent(&e, &out);
      break;
    }
    case ending::upkey:
      QTest::keyClick(&e, Qt::Key_Up);
      break;
    case ending::upbutton: {
      QWidget* up = panel.findChild<QWidget*>(QString("up%1").arg(k));
      QTest::mousePress(up, Qt::LeftButton);
      QTest::mouseRelease(up, Qt::LeftButton);
      break;
    }
  }
}

QString field(tfunc& panel, int k) {
  return panel.column(k).edit().text();
}
bool errorshown(tfunc& panel, int k) {
  return panel.column(k).edit().palette().color(QPalette::Active, QPalette::Base) ==
         tparamcolumn::errorcolour();
}

// Makes a user-defined figure through "Egendefinert funksjon".
void addformula(tmainform& main, const std::string& text) {
  customclick(main, [&](tsynt& d) {
    d.setedittext(text);
    d.okclick();
    return d.result();
  });
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
    ending end;
    float box;
    double param;  // of both figures afterwards
    size_t messages;
    const char* shown;
    bool error;
  };
  const std::vector<row> rows = {
      {"2,5", ending::enter, 2.5f, 2.5, 0, "2,5", false},
      {"3", ending::enter, 3, 3, 0, "3", false},
      {"2.5", ending::enter, 2.5f, 2.5, 0, "2.5", false},
      // A letter or an emptied field is no number: nothing changes.
      {"x", ending::enter, 2.5f, 2.5, 0, "x", true},
      {"", ending::focusout, 2.5f, 2.5, 0, "", true},
      {"-", ending::none, 2.5f, 2.5, 0, "-", true},
      // Reported once, at the end of the entry, also when the field then
      // loses the focus.
      {"2,5,", ending::enter, 2.5f, 2.5, 1, "2,5,", true},
      {"2,5,5", ending::focusout, 2.5f, 2.5, 2, "2,5,5", true},
      {"4", ending::none, 4, 4, 2, "4", false},
      {"500", ending::enter, 100, 100, 2, "100,00", false},
      {"-500", ending::focusout, -100, -100, 2, "-100,00", false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.text);
    main->modified = 0;
    type(func(), 1, r.text, r.end);
    if (r.end == ending::enter) {
      QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
      QApplication::sendEvent(&func().column(1).edit(), &out);
    }
    EXPECT_FLOAT_EQ(func().boxes[0].value, r.box);
    for (const auto& f : func().figures) EXPECT_DOUBLE_EQ(f->param[1], r.param);
    EXPECT_EQ(services.messages.size(), r.messages);
    EXPECT_EQ(field(func(), 1).toStdString(), r.shown);
    EXPECT_EQ(errorshown(func(), 1), r.error);
    EXPECT_EQ(main->modified, 1);
  }
  EXPECT_EQ(services.messages[0].text, "'2,5,' er ikke et gyldig tall.");
  // The display writes the value with the decimal comma, as the box does.
  type(func(), 1, "2,5");
  type(func(), 2, "-1,25");
  EXPECT_NE(func().display().markup().find("(x) =2,5*x-1,25"), std::string::npos)
      << func().display().markup();
}

TEST_F(functest, avalueisclampedwhentheentryendsnotperkeystroke) {
  main->runcommand("line1");
  tfigure& f = *func().figures[0];
  type(func(), 1, "5");
  ASSERT_TRUE(func().boxes[0].applysettings({2, 10, -1, 1, 0.01f}));
  struct row {
    const char* text;
    ending end;
    float box;
    const char* shown;
  };
  const std::vector<row> rows = {
      {"10", ending::enter, 10, "10"},        {"1", ending::enter, 2, "2,00"},
      {"50", ending::focusout, 10, "10,00"},  {"-7", ending::upkey, 2, "2,00"},
      {"7", ending::upbutton, 7.01f, "7,01"}, {"12", ending::upbutton, 10, "10,00"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.text);
    type(func(), 1, r.text, ending::none);
    // While typing, the text stands as typed.
    EXPECT_EQ(field(func(), 1).toStdString(), r.text);
    type(func(), 1, r.text, r.end);
    func().boxmouseup();
    EXPECT_FLOAT_EQ(func().boxes[0].value, r.box);
    EXPECT_FLOAT_EQ(static_cast<float>(f.param[1]), r.box);
    EXPECT_EQ(field(func(), 1).toStdString(), r.shown);
  }
}

TEST_F(functest, minaboveamaxneverloopsthebox) {
  main->runcommand("line1");
  // Limits a damaged setting could give.
  func().boxes[1].createbox(images, 2, {100, -100, -1, 1, 0.01f}, "%.2f", ',');
  type(func(), 2, "5");
  EXPECT_EQ(field(func(), 2), "100,00");
  EXPECT_FLOAT_EQ(func().boxes[1].value, 100);
  QTest::mousePress(func().findChild<QWidget*>("up2"), Qt::LeftButton);
  QTest::mouseRelease(func().findChild<QWidget*>("up2"), Qt::LeftButton);
  func().boxmouseup();
  EXPECT_TRUE(std::isfinite(func().boxes[1].value));
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
  f->param[3] = 7;  // c: parameters are kept by letter
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
  // Typing c changes the figure's c.
  type(func(), 3, "4");
  EXPECT_DOUBLE_EQ(f->param[3], 4.0);
  EXPECT_DOUBLE_EQ(f->param[1], 3.0);
}

TEST_F(functest, everycolumnofauserformulareadsandwritesitsownletter) {
  struct row {
    const char* formula;
    std::vector<int> used;  // columns, a = 1
    const char* text;       // after typing k + 1 into each used column k
  };
  const std::vector<row> rows = {
      {"b*x", {2}, "(x) =3*x"},
      {"c*x^2+a", {1, 3}, "(x) =4*x^2+2"},
      {"e*x", {5}, "(x) =6*x"},
      {"a*x^2+c*x+e", {1, 3, 5}, "(x) =2*x^2+4*x+6"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.formula);
    addformula(*main, r.formula);
    tfigure& f = *func().figures.back();
    ASSERT_EQ(f.kind, family::custom);
    QTest::mouseClick(&func().display(), Qt::LeftButton);
    for (int k = 1; k <= 5; ++k) {
      const bool used = std::find(r.used.begin(), r.used.end(), k) != r.used.end();
      EXPECT_EQ(func().column(k).edit().isEnabled(), used) << k;
    }
    for (int k : r.used) type(func(), k, std::to_string(k + 1));
    EXPECT_EQ(f.formula(), r.text);
    for (int k : r.used) EXPECT_DOUBLE_EQ(f.param[static_cast<size_t>(k)], k + 1) << k;
    // Shown anew, each column holds its own letter's value.
    QTest::mouseClick(&func().display(), Qt::LeftButton);
    for (int k : r.used) EXPECT_EQ(field(func(), k), QString("%1,00").arg(k + 1)) << k;

    // A copy pasted is the same curve.
    main->runcommand("copy1");
    main->runcommand("paste1");
    tfigure& pasted = *func().figures.back();
    ASSERT_NE(&pasted, &f);
    EXPECT_EQ(pasted.formula(), r.text);
  }
}

TEST_F(functest, anewuserformulashowsthepanelanew) {
  main->runcommand("line1");
  type(func(), 1, "x");
  ASSERT_TRUE(errorshown(func(), 1));
  addformula(*main, "a*x+b");
  EXPECT_EQ(field(func(), 1), "1,00");
  EXPECT_EQ(field(func(), 2), "0,00");
  EXPECT_FALSE(errorshown(func(), 1));
}

TEST_F(functest, anopenedfileshowsitsvaluesinthepanel) {
  QTemporaryDir dir;
  main->runcommand("line1");
  type(func(), 1, "2");
  type(func(), 2, "-0,5");
  const std::string name = dir.path().toStdString() + "/line.QVW";
  services.fileanswers.push_back({true, name, 2});
  ASSERT_TRUE(main->files().saveasclick());
  main->runcommand("newwindow1");
  type(func(), 1, "7");
  type(func(), 2, "x");
  services.fileanswers.push_back({true, name, 1});
  main->runcommand("open1");
  ASSERT_EQ(func().figures.size(), 2u);
  EXPECT_EQ(field(func(), 1), "2,00");
  EXPECT_EQ(field(func(), 2), "-0,50");
  EXPECT_FALSE(errorshown(func(), 2));
}

TEST_F(functest, theeditfieldshowsathreedigitnegativevaluewhole) {
  main->runcommand("line1");
  type(func(), 2, "-500");
  QLineEdit& e = func().column(2).edit();
  ASSERT_EQ(e.text(), "-100,00");
  // The text, the frame and the field's own margins fit; the start is shown.
  const int frame = e.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &e);
  EXPECT_LE(e.fontMetrics().horizontalAdvance(e.text()) + 2 * frame + 4, e.width());
  EXPECT_EQ(e.cursorPosition(), 0);
}

TEST_F(functest, atapedraggedbacktozeroshowszerowithoutaminus) {
  main->runcommand("line1");
  QWidget* scale = func().findChild<QWidget*>("scale2");
  ASSERT_NE(scale, nullptr);
  auto send = [scale](QEvent::Type type, int y, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(10, y), scale->mapToGlobal(QPointF(10, y)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(scale, &e);
  };
  send(QEvent::MouseButtonPress, 50, Qt::LeftButton);
  send(QEvent::MouseMove, 60, Qt::LeftButton);
  EXPECT_EQ(field(func(), 2), "-0,20");
  send(QEvent::MouseMove, 50, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, 50, Qt::NoButton);
  EXPECT_EQ(field(func(), 2), "0,00");
  EXPECT_EQ(func().figures[0]->param[2], 0.0);
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
