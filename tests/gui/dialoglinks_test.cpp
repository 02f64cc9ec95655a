// The options dialog, the polynomial dialog and printing, joined to a started
// program: the commands open them and their results reach the windows.
#include "shell/dialoglinks.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "expr/parseexpr.h"
#include "guifixture.h"
#include "shell/tparamcolumn.h"

namespace {

class dialoglinks : public guitest {
 protected:
  void SetUp() override {
    guitest::SetUp();
    installdialogs(*main);
  }
  void TearDown() override {
    main.reset();
    setparamletters("abcde");
  }
  void point(tpolyform& f, int k, const char* x, const char* y) {
    f.edit(2 * k - 1)->setText(x);
    f.fieldchanged(2 * k - 1);
    f.fieldleft(2 * k - 1);
    f.edit(2 * k)->setText(y);
    f.fieldchanged(2 * k);
    f.fieldleft(2 * k);
  }
};

}  // namespace

TEST_F(dialoglinks, TheCommandsAreEnabledAndInstalledOnce) {
  EXPECT_TRUE(enabled("options1"));
  EXPECT_TRUE(enabled("interpolation1"));
  EXPECT_TRUE(enabled("print1"));
  EXPECT_TRUE(enabled("printersetup1"));
  toptionsform* o = optionsform(*main);
  installdialogs(*main);
  EXPECT_EQ(optionsform(*main), o);
  main->runcommand("options1");
  EXPECT_TRUE(o->isVisible());
}

TEST_F(dialoglinks, HelpMenuAsksTheHelpSystem) {
  using kind = fakeservices::helpkind;
  struct row {
    const char* item;
    kind expected;
  };
  for (const row& r : {row{"contents1", kind::contents}, row{"search1", kind::search},
                       row{"howto1", kind::howtouse}}) {
    SCOPED_TRACE(r.item);
    services.helprequests.clear();
    EXPECT_TRUE(enabled(r.item));
    main->runcommand(r.item);
    ASSERT_EQ(services.helprequests.size(), 1u);
    EXPECT_EQ(services.helprequests[0].kind, r.expected);
    EXPECT_EQ(services.helprequests[0].key, "");
  }
}

TEST_F(dialoglinks, RenamedLetterReachesTheMenuCaptions) {
  toptionsform& o = *optionsform(*main);
  main->runcommand("options1");
  o.letterfield(1)->setText("k");
  ASSERT_TRUE(o.letterleft(1));
  ASSERT_TRUE(o.okclick());
  EXPECT_EQ(item("parabola2"), QString::fromUtf8("k*x²+b*x+c"));
  EXPECT_EQ(item("sin1"), "k*sin(b*x+c)+d");
  EXPECT_EQ(func().letter(1), 'k');
  EXPECT_EQ(func().column(1).header(), "  k");
  EXPECT_EQ(func().column(2).header(), "  b");
}

TEST_F(dialoglinks, OkSetsTheWindowRangeAndTheBoxLimits) {
  toptionsform& o = *optionsform(*main);
  main->runcommand("options1");
  o.field("MinX")->setText("-5");
  o.field("MaxX")->setText("5");
  o.field("MinPa")->setText("0");
  o.field("MaxPA")->setText("10");
  ASSERT_TRUE(o.okclick());
  EXPECT_DOUBLE_EQ(active().coords.minx, -5);
  EXPECT_DOUBLE_EQ(active().coords.maxx, 5);
  for (int p = 1; p <= 5; ++p) {
    EXPECT_EQ(func().boxes[p - 1].lowlimit(), 0.0f) << p;
    EXPECT_EQ(func().boxes[p - 1].highlimit(), 10.0f) << p;
  }
  EXPECT_EQ(func().boxes[0].value, 1.0f);  // kept
}

TEST_F(dialoglinks, ABoxWhoseValueFallsOutsideKeepsItsLimits) {
  func().boxes[1].value = -5;
  toptionsform& o = *optionsform(*main);
  o.formshow();
  o.field("MinPa")->setText("0");
  o.field("MaxPA")->setText("10");
  ASSERT_TRUE(o.okclick());
  EXPECT_EQ(func().boxes[1].lowlimit(), -100.0f);
  EXPECT_EQ(func().boxes[0].lowlimit(), 0.0f);
}

TEST_F(dialoglinks, InterpolationMakesTheParabolaInTheActiveWindow) {
  tpolyform& p = *polyform(*main);
  p.formshow();
  const size_t before = active().figures().size();
  point(p, 1, "0", "1");
  point(p, 2, "1", "3");
  point(p, 3, "2", "7");
  p.degreebutton(2)->setChecked(true);
  p.degreeclick(2);
  ASSERT_TRUE(p.okclick());
  const std::vector<tfigure*> figs = active().figures();
  ASSERT_EQ(figs.size(), before + 1);
  const tfigure& f = *figs.back();
  EXPECT_EQ(f.kind, family::parabola);
  EXPECT_NEAR(f.param[1], 1, 1e-9);
  EXPECT_NEAR(f.param[2], 1, 1e-9);
  EXPECT_NEAR(f.param[3], 1, 1e-9);
  EXPECT_TRUE(f.frozen);  // three points hold a parabola completely
  EXPECT_EQ(main->tool, toolcode::select);
  EXPECT_EQ(main->modified, 1);
}

TEST_F(dialoglinks, PrintingPutsOneBandPerFigureOnThePage) {
  main->runcommand("line1");
  main->runcommand("parabola2");
  const size_t n = active().figures().size();
  ASSERT_GE(n, 2u);
  services.printdialoganswers = {true};
  main->runcommand("print1");
  ASSERT_EQ(services.pages.size(), 1u);
  ASSERT_EQ(services.documents.size(), 1u);
  EXPECT_EQ(services.documents[0], "Vindu 1");
  int copies = 0;
  for (const recordentry& e : services.pages[0])
    if (e.op == recordop::copyrect) ++copies;
  EXPECT_EQ(copies, 1);
  // Each band starts with its number.
  for (size_t i = 1; i <= n; ++i) {
    bool found = false;
    const std::string number = std::to_string(i);
    for (size_t k = 0; k + 1 < services.pages[0].size(); ++k) {
      const recordentry& e = services.pages[0][k];
      if (e.op == recordop::textout && e.text == number && services.pages[0][k + 1].text == ".")
        found = true;
    }
    EXPECT_TRUE(found) << i;
  }
}

TEST(dialoglinksrename, LettersThatStandAloneAreRenamed) {
  const struct {
    const char* text;
    const char* old;
    const char* now;
    const char* expected;
  } rows[] = {
      {"a*x^2+b", "abcde", "kbcde", "k*x^2+b"},
      {"a*tan(x)+c", "abcde", "pqrst", "p*tan(x)+r"},  // "a" in "tan" is not a parameter
      {"b*a", "abcde", "bacde", "a*b"},                // swapped at once, not one after another
      {"", "abcde", "kbcde", ""},
  };
  for (const auto& r : rows)
    EXPECT_EQ(toptionslink::renameletters(r.text, r.old, r.now), r.expected) << r.text;
}
