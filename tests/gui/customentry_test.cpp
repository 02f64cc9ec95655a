// "Egendefinert funksjon" from the main window: a faulty formula, then a good
// one, makes one user-defined figure; Cancel makes none and keeps nothing.
#include "shell/customentry.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "dialogs/tformulaview.h"
#include "dialogs/tsynt.h"
#include "graph/tgrcanvas.h"
#include "guifixture.h"

namespace {

using customtest = guitest;

TEST_F(customtest, afaultythenagoodformulamakesoneuserfigure) {
  ASSERT_NE(customdialog(*main), nullptr);
  EXPECT_TRUE(enabled("custom1"));
  const size_t before = func().figures.size();
  customclick(*main, [this](tsynt& d) {
    EXPECT_EQ(d.label1text(), "F(x) =");
    d.setedittext("2x");
    d.okclick();
    EXPECT_EQ(main->paneltext(2), "Syntaksfeil");
    EXPECT_TRUE(d.errorshown());
    d.paintbox1click();
    d.setedittext("c*x^2+a");
    d.okclick();
    EXPECT_EQ(main->paneltext(2), "Syntaks er OK");
    return d.result();
  });
  ASSERT_EQ(func().figures.size(), before + 1);
  tfigure& f = *func().figures.back();
  EXPECT_EQ(f.kind, family::custom);
  EXPECT_EQ(f.paramletters, "ac");
  EXPECT_EQ(main->customtext, "c*x^2+a");
  EXPECT_EQ(main->customexpression.errcode, 0);
  EXPECT_EQ(func().family, family::custom);
  EXPECT_EQ(func().familytexts[family::custom], "Brukerdefinert funksjonF(x) =c*x^2+a");
  EXPECT_FALSE(customdialog(*main)->hasexpression());
}

// A formula undefined at 0 gets no fix point there: the first click of the
// fix-point tool on its curve places the one fix point, where the curve is.
TEST_F(customtest, aformulaundefinedatzeroisheldonlywhereitisdefined) {
  for (const char* formula : {"a*ln(x)+b", "a/x+b", "a*sqrt(x-1)+b"}) {
    SCOPED_TRACE(formula);
    customclick(*main, [&](tsynt& d) {
      d.setedittext(formula);
      d.okclick();
      return d.result();
    });
    tgrform& w = active();
    tfigure& f = *func().figures.back();
    ASSERT_EQ(f.kind, family::custom);
    main->commands().item("fixpoint1")->trigger();
    for (const double x : {2.0, 4.0}) {
      const platform::point on = w.coords.worldtopixel(x, f.value(x));
      QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, QPoint(on.x, on.y));
    }
    ASSERT_GE(f.fixcount, 1);
    for (int k = 1; k <= f.fixcount; ++k) {
      EXPECT_TRUE(std::isfinite(f.fixx[static_cast<size_t>(k)])) << k;
      EXPECT_TRUE(std::isfinite(f.fixy[static_cast<size_t>(k)])) << k;
    }
    main->commands().item("select1")->trigger();
  }
}

TEST_F(customtest, cancelmakesnofigure) {
  const size_t before = func().figures.size();
  customclick(*main, [](tsynt& d) {
    d.setedittext("x^2");
    d.cancelclick();
    return d.result();
  });
  EXPECT_EQ(func().figures.size(), before);
  EXPECT_FALSE(customdialog(*main)->hasexpression());
  EXPECT_TRUE(main->customtext.empty());
}

// After a faulty formula and then a good one, the next opening shows neither:
// Return in the empty field adds nothing.
TEST_F(customtest, eachopeningstartsclean) {
  const size_t before = func().figures.size();
  customclick(*main, [](tsynt& d) {
    d.show();
    QTest::keyClicks(&d.edit1(), "2x");
    QTest::keyClick(&d.edit1(), Qt::Key_Return);
    EXPECT_TRUE(d.errorshown());
    QTest::mouseClick(&d.paintbox1(), Qt::LeftButton);
    d.edit1().clear();
    QTest::keyClicks(&d.edit1(), "x^2");
    QTest::keyClick(&d.edit1(), Qt::Key_Return);
    return d.result();
  });
  ASSERT_EQ(func().figures.size(), before + 1);

  customclick(*main, [](tsynt& d) {
    d.show();
    EXPECT_EQ(d.label2text(), "Oppgi egendefinert funksjon:");
    EXPECT_EQ(d.edittext(), "");
    EXPECT_FALSE(d.errorshown());
    EXPECT_TRUE(d.okenabled());
    EXPECT_TRUE(d.edit1().hasFocus() || QApplication::focusWidget() == &d.edit1() ||
                d.focusWidget() == &d.edit1());
    QTest::keyClick(&d.edit1(), Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());  // an empty field is not checked
    d.cancelclick();
    return d.result();
  });
  EXPECT_EQ(func().figures.size(), before + 1);
}

}  // namespace
