// "Egendefinert funksjon" from the main window: a faulty formula, then a good
// one, makes one user-defined figure; Cancel makes none and keeps nothing.
#include "shell/customentry.h"

#include <QAction>

#include "dialogs/tsynt.h"
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

}  // namespace
