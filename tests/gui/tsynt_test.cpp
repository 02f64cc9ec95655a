// The formula dialog: the function buttons, the check with its status texts,
// the error view with the faulty characters in red, and who holds the
// expression on every way out.
#include "dialogs/tsynt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/tformulaview.h"

namespace {

class tsynttest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog =
        std::make_unique<tsynt>(nullptr, [this](const std::string& s) { status.push_back(s); });
    dialog->setexpression(std::make_unique<texpression>());
    dialog->formshow("F(x) =");
  }

  std::unique_ptr<tsynt> dialog;
  std::vector<std::string> status;
};

TEST_F(tsynttest, agoodformulaclosesthedialogwithitsexpression) {
  dialog->setedittext("2*x^2");
  dialog->okclick();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  ASSERT_EQ(status.size(), 1u);
  EXPECT_EQ(status.back(), "Syntaks er OK");
  EXPECT_EQ(dialog->formulatext(), "2*x^2");
  std::unique_ptr<texpression> e = dialog->takeexpression();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->errcode, 0);
  EXPECT_EQ(e->text, "2*x^2");
  EXPECT_FALSE(dialog->hasexpression());
  EXPECT_EQ(dialog->label1text(), "F(x) =");
}

TEST_F(tsynttest, afaultyformulastaysopenandshowsitsfaultycharactersinred) {
  dialog->setedittext("2x");
  dialog->okclick();
  EXPECT_NE(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->label2text(), "Syntaksfeil");
  ASSERT_EQ(status.size(), 1u);
  EXPECT_EQ(status.back(), "Syntaksfeil");
  EXPECT_TRUE(dialog->errorshown());
  EXPECT_FALSE(dialog->okenabled());
  const std::string& m = dialog->errormarkup();
  ASSERT_EQ(m.size(), tsynt::maxformula);
  EXPECT_EQ(m.substr(0, 6), "\\n2\\fx");
  EXPECT_EQ(m.find_first_not_of(' ', 6), std::string::npos);
  // A fresh expression waits for the next check.
  EXPECT_TRUE(dialog->hasexpression());

  // The picture: red pixels only where the x stands, none under the 2.
  tformulaview& view = dialog->paintbox1();
  view.resize(354, 24);
  const QImage img = view.render();
  int redleft = img.width(), redright = -1, black = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y);
      if (qRed(p) > 150 && qGreen(p) < 100 && qBlue(p) < 100) {
        redleft = std::min(redleft, x);
        redright = std::max(redright, x);
      } else if (qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80) {
        ++black;
      }
    }
  ASSERT_GE(redright, 0) << "no red x drawn";
  EXPECT_GT(black, 0) << "the 2 is drawn in black";
  int blackright = -1;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y);
      if (qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80) blackright = std::max(blackright, x);
    }
  EXPECT_LT(blackright, redleft) << "the red x stands after the black 2";

  // A click on the error view returns to editing with OK usable again.
  dialog->paintbox1click();
  EXPECT_FALSE(dialog->errorshown());
  EXPECT_TRUE(dialog->okenabled());
  EXPECT_EQ(dialog->edittext(), "2x");
  dialog->setedittext("2*x");
  dialog->okclick();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  std::unique_ptr<texpression> e = dialog->takeexpression();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->errcode, 0);
}

TEST_F(tsynttest, repeatedfailedchecksandcancelleavenothingbehind) {
  for (const char* bad : {"2x", "sin(", "x++", "((x)", "2x"}) {
    dialog->paintbox1click();
    dialog->setedittext(bad);
    dialog->okclick();
    EXPECT_TRUE(dialog->errorshown()) << bad;
    ASSERT_TRUE(dialog->hasexpression()) << bad;
  }
  dialog->cancelclick();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_FALSE(dialog->hasexpression());
  // Without an expression a check does nothing.
  dialog->paintbox1click();
  dialog->setedittext("x");
  dialog->okclick();
  EXPECT_EQ(status.size(), 5u);
}

TEST_F(tsynttest, anemptyfieldleavesthedialogopenandsilent) {
  dialog->setedittext("");
  dialog->okclick();
  EXPECT_NE(dialog->result(), QDialog::Accepted);
  EXPECT_TRUE(status.empty());
  EXPECT_FALSE(dialog->errorshown());
  EXPECT_EQ(dialog->label2text(), "Oppgi egendefinert funksjon:");
}

// The field takes 80 characters and no more, so what is checked is what the
// user sees.
TEST_F(tsynttest, thefieldtakesatmost80characters) {
  std::string longer = "x";
  while (longer.size() < 80) longer += "+x";
  longer += "+1";  // characters 82 and 83: typed, but not taken
  ASSERT_EQ(longer.size(), 83u);
  dialog->show();
  QTest::keyClicks(&dialog->edit1(), QString::fromStdString(longer));
  EXPECT_EQ(dialog->edittext(), longer.substr(0, 80));
  QTest::keyClick(&dialog->edit1(), Qt::Key_Return);
  ASSERT_TRUE(dialog->errorshown()) << "the 80 characters end in an operator";
  EXPECT_EQ(dialog->formulatext(), longer.substr(0, 80));
  // 80 characters of markup hold the first 26 formula characters and a half.
  const std::string& m = dialog->errormarkup();
  EXPECT_EQ(m.size(), 80u);
  EXPECT_EQ(m.substr(0, 6), "\\nx\\n+");

  QTest::mouseClick(&dialog->paintbox1(), Qt::LeftButton);
  QTest::keyClick(&dialog->edit1(), Qt::Key_End);
  QTest::keyClick(&dialog->edit1(), Qt::Key_Backspace);
  QTest::keyClick(&dialog->edit1(), Qt::Key_Backspace);
  QTest::keyClicks(&dialog->edit1(), "123");
  EXPECT_EQ(dialog->edittext(), longer.substr(0, 78) + "12");
  QTest::keyClick(&dialog->edit1(), Qt::Key_Return);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->formulatext(), longer.substr(0, 78) + "12");
}

TEST_F(tsynttest, functionbuttonsinsertthenamewiththecaretbetweentheparentheses) {
  struct row {
    const char* name;
    const char* before;
    int caret;
    int selectfrom;  // -1: no selection
    int selectlength;
    int button;
    const char* after;
    int caretafter;
  };
  const std::vector<row> rows = {
      {"sin after 2*", "2*", 2, -1, 0, 15, "2*sin()", 6},
      {"into the middle", "2*+1", 2, -1, 0, 1, "2*abs()+1", 6},
      {"replacing a selection", "2*xx+1", 2, 2, 2, 17, "2*sqrt()+1", 7},
      {"tan for the last button", "", 0, -1, 0, 18, "tan()", 4},
      {"arctan", "x+", 2, -1, 0, 2, "x+arctan()", 9},
  };
  for (const row& r : rows) {
    dialog->setedittext(r.before);
    dialog->setcaret(r.caret);
    if (r.selectfrom >= 0) dialog->edit1().setSelection(r.selectfrom, r.selectlength);
    dialog->functionclick(r.button);
    EXPECT_EQ(dialog->edittext(), r.after) << r.name;
    EXPECT_EQ(dialog->caret(), r.caretafter) << r.name;
  }
}

TEST(tsyntbuttons, captionsandinsertednamesfollowthefunctiontable) {
  const std::vector<std::string> captions = {"Abs",   "Arctan", "Cos",    "Exp", "Frac", "Fak",
                                             "Int",   "Invsin", "Invcos", "Ln",  "Log",  "Random",
                                             "Round", "Sign",   "Sin",    "Sqr", "Sqrt", "Tan/Tg"};
  for (int n = 1; n <= tsynt::buttoncount; ++n)
    EXPECT_EQ(tsynt::buttoncaption(n), captions[static_cast<size_t>(n - 1)]) << n;
  EXPECT_EQ(tsynt::buttoncaption(0), "");
  EXPECT_EQ(tsynt::buttoncaption(19), "");
}

}  // namespace
