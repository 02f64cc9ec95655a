// The two point dialogs: the fix point's coordinates with the y box following
// the curve and the refusal of a point off it, and the tangent's x; numbers
// with a decimal comma or point, and text that is no number.
#include "graph/tform3.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "expr/parseexpr.h"
#include "graph/tgetxcoord.h"
#include "graph/tgranalysis.h"
#include "graph/tgrcanvas.h"
#include "guifixture.h"
#include "platform/qt/cp1252.h"

namespace {

class pointdialogtest : public guitest {
 protected:
  void SetUp() override {
    guitest::SetUp();
    services.messages.clear();  // the start-up's, about the missing settings file
    tgrform& w = active();
    w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), -10, 10, -10, 10);
  }

  // A test before may have ended the program, and an application that was
  // told to quit runs no modal loop until its own loop has run once more.
  static void clearquit() {
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
  }

  tform3& fixdialog() { return *main->findChild<tform3*>(); }
  tgetxcoord& xdialog() { return *main->findChild<tgetxcoord*>(); }

  // A curve of the family; a user formula is sqrt(x).
  tfigure& curve(int kind, std::array<double, 5> p) {
    tgrform& w = active();
    if (kind == family::custom) parseexpr(main->customexpression, "sqrt(x)");
    tfigure* f = w.creategraph(kind);
    for (size_t k = 0; k < p.size(); ++k) f->param[k + 1] = p[k];
    w.pant();
    return *f;
  }

  static std::string text(const QLineEdit* e) { return platform::tocp1252(e->text()); }
  static void type(QLineEdit* e, const char* t) { e->setText(platform::tounicode(t)); }
};

TEST_F(pointdialogtest, yboxfollowsthecurve) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    char separator;
    const char* x;
    const char* y;  // the y box after typing x
  };
  const row rows[] = {
      {"comma", family::parabola, {1, 0, 0}, ',', "2", "4,00"},
      {"pointtypedwithcomma", family::parabola, {1, 0, 0}, ',', "2.5", "6,25"},
      {"commatypedwithpoint", family::parabola, {1, 0, 0}, '.', "-1,5", "2.25"},
      {"negative", family::line, {2, 1}, ',', "-3", "-5,00"},
      // Half-typed text reads as far as it goes.
      {"halftyped", family::parabola, {1, 0, 0}, ',', "3,", "9,00"},
      // A sign alone is no number yet: the box waits.
      {"justaminus", family::parabola, {1, 0, 0}, ',', "-", "7,00"},
      {"aword", family::parabola, {1, 0, 0}, ',', "abc", "7,00"},
      // Where the curve has no value the box is emptied, not filled with "nan".
      {"undefined", family::custom, {}, ',', "-4", ""},
      // Text that is no number leaves the box as it was.
      {"twocommas", family::parabola, {1, 0, 0}, ',', "2,5,5", "7,00"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    services.separator = r.separator;
    tfigure& f = curve(r.kind, r.p);
    tform3& d = fixdialog();
    d.load(f, 1, 7);
    EXPECT_EQ(d.figure, &f);
    EXPECT_EQ(text(d.edit2()), r.separator == ',' ? "7,00" : "7.00");
    type(d.edit1(), r.x);
    EXPECT_EQ(text(d.edit2()), r.y);
    EXPECT_TRUE(services.messages.empty());
  }
}

TEST_F(pointdialogtest, fillingdoesnotfollowthecurve) {
  tfigure& f = curve(family::parabola, {1, 0, 0});
  tform3& d = fixdialog();
  // A fix point's own y is shown as it is, even where it is not x squared.
  d.load(f, 3, 1.5);
  EXPECT_EQ(text(d.edit1()), "3,00");
  EXPECT_EQ(text(d.edit2()), "1,50");
}

TEST_F(pointdialogtest, okclick) {
  struct row {
    const char* name;
    const char* x;
    const char* y;
    bool accepted;
    std::string message;  // empty: none
    platform::msgbuttons buttons;
  };
  const row rows[] = {
      {"onthecurve", "2", "4", true, "", platform::msgbuttons::ok},
      {"pointnotation", "1.5", "2.25", true, "", platform::msgbuttons::ok},
      {"offthecurve", "2", "7", false, tform3::outside, platform::msgbuttons::yes},
      {"belowthecurve", "-3", "0", false, tform3::outside, platform::msgbuttons::yes},
      {"xnotanumber", "2,5,5", "4", false, "'2,5,5' er ikke et gyldig tall.",
       platform::msgbuttons::ok},
      {"ynotanumber", "2", "4x", false, "'4x' er ikke et gyldig tall.", platform::msgbuttons::ok},
      {"hugey", "2", "1e300", false, "'1e300' er ikke et gyldig tall.", platform::msgbuttons::ok},
      {"xaword", "abc", "0", false, "'abc' er ikke et gyldig tall.", platform::msgbuttons::ok},
      {"yempty", "0", "", false, "'' er ikke et gyldig tall.", platform::msgbuttons::ok},
  };
  tfigure& f = curve(family::parabola, {1, 0, 0});
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    services.messages.clear();
    tform3& d = fixdialog();
    d.load(f, 0, 0);
    d.setResult(QDialog::Rejected);
    type(d.edit1(), r.x);
    type(d.edit2(), r.y);
    EXPECT_EQ(d.bitbtn1click(), r.accepted);
    EXPECT_EQ(d.result() == QDialog::Accepted, r.accepted);
    if (r.message.empty()) {
      EXPECT_TRUE(services.messages.empty());
      EXPECT_NEAR(d.x, std::stod(std::string(r.x)), 1e-6);
      EXPECT_NEAR(d.y, std::stod(std::string(r.y)), 1e-6);
    } else {
      ASSERT_EQ(services.messages.size(), 1u);
      EXPECT_EQ(services.messages[0].text, r.message);
      EXPECT_EQ(services.messages[0].buttons, r.buttons);
    }
  }
}

TEST_F(pointdialogtest, rightclickopensthedialog) {
  tfigure& f = curve(family::parabola, {1, 0, 0});
  tgrform& w = active();
  main->runcommand("fixpoint1");
  ASSERT_TRUE(w.askfixcoords);
  const platform::point fp = w.coords.worldtopixel(f.fixx[1], f.fixy[1]);
  bool seen = false;
  clearquit();
  // Answer the modal dialog from inside its own event loop.
  QTimer::singleShot(0, [&] {
    tform3& d = fixdialog();
    seen = d.isVisible() && d.figure == &f;
    type(d.edit1(), "3");
    if (!d.bitbtn1click()) d.reject();
  });
  w.formmousedown(mousebutton::right, shiftstate::right, fp.x, fp.y);
  EXPECT_TRUE(seen);
  EXPECT_EQ(main->buttondown, 0);
  EXPECT_DOUBLE_EQ(f.fixx[1], 3);
  EXPECT_DOUBLE_EQ(f.fixy[1], 9);
  EXPECT_EQ(fixdialog().figure, nullptr);
}

TEST_F(pointdialogtest, tangentx) {
  struct row {
    const char* name;
    char separator;
    const char* typed;
    bool accepted;
    double x;
  };
  const row rows[] = {
      {"comma", ',', "1,5", true, 1.5},
      {"point", ',', "1.5", true, 1.5},
      {"pointsetting", '.', "-2,25", true, -2.25},
      {"aword", ',', "abc", false, 0},
      {"empty", ',', "", false, 0},
      {"blanks", ',', "  ", false, 0},
      {"twocommas", ',', "1,5,5", false, 0},
      {"trailingletters", ',', "2x", false, 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    services.separator = r.separator;
    services.messages.clear();
    tgetxcoord& d = xdialog();
    d.setResult(QDialog::Rejected);
    d.edit1()->setText(QString::fromLatin1(r.typed));
    EXPECT_EQ(d.bitbtn1click(), r.accepted);
    if (r.accepted) {
      EXPECT_DOUBLE_EQ(d.x, r.x);
      EXPECT_TRUE(services.messages.empty());
    } else {
      ASSERT_EQ(services.messages.size(), 1u);
      EXPECT_EQ(services.messages[0].text,
                "'" + std::string(r.typed) + "' er ikke et gyldig tall.");
      EXPECT_NE(d.result(), QDialog::Accepted);
    }
  }
}

TEST_F(pointdialogtest, spaceopensthexdialog) {
  curve(family::parabola, {1, 0, 0});
  tgrform& w = active();
  main->runcommand("tangent1");
  clearquit();
  QTimer::singleShot(0, [&] {
    tgetxcoord& d = xdialog();
    d.edit1()->setText(QStringLiteral("1,5"));
    if (!d.bitbtn1click()) d.reject();
  });
  w.formkeydown(Qt::Key_Space, 0);
  ASSERT_EQ(w.figures().size(), 2u);
  tfigure& t = *w.selection[0];
  EXPECT_EQ(t.kind, family::line);
  EXPECT_NEAR(t.param[1], 3, 1e-9);
  EXPECT_NEAR(t.param[2], -2.25, 1e-9);
  // The text stays for the next time.
  EXPECT_EQ(xdialog().edit1()->text(), QStringLiteral("1,5"));
}

// The dialogs as the user meets them: opened by a right click or the space
// key on the window, a word typed into the box and OK clicked.
TEST_F(pointdialogtest, awordtypedintoapointdialogisrefusedandthedialogstaysopen) {
  struct row {
    const char* name;
    bool fixpoint;  // else the tangent's x
    const char* typed;
  };
  const row rows[] = {
      {"fixpointword", true, "abc"},
      {"fixpointempty", true, ""},
      {"tangentword", false, "zz"},
      {"tangentempty", false, ""},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    main.reset();
    QApplication::processEvents();
    start();
    services.messages.clear();
    tgrform& w = active();
    w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), -10, 10, -10, 10);
    tfigure& f = curve(family::parabola, {1, 0, 0});
    main->commands().item(r.fixpoint ? "fixpoint1" : "tangent1")->trigger();
    const platform::point at = w.coords.worldtopixel(f.fixx[1], f.fixy[1]);
    const double fixx = f.fixx[1];
    bool stayed = false;
    clearquit();
    QTimer::singleShot(0, [&] {
      QDialog& d = r.fixpoint ? static_cast<QDialog&>(fixdialog()) : xdialog();
      QLineEdit* box = r.fixpoint ? fixdialog().edit1() : xdialog().edit1();
      QPushButton* ok = r.fixpoint ? fixdialog().okbutton() : xdialog().okbutton();
      box->selectAll();
      QTest::keyClick(box, Qt::Key_Delete);
      QTest::keyClicks(box, QString::fromLatin1(r.typed));
      QTest::mouseClick(ok, Qt::LeftButton);
      stayed = d.isVisible();
      d.reject();
    });
    if (r.fixpoint)
      QTest::mouseClick(&w.canvas(), Qt::RightButton, Qt::NoModifier, QPoint(at.x, at.y));
    else
      QTest::keyClick(&w.canvas(), Qt::Key_Space);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "'" + std::string(r.typed) + "' er ikke et gyldig tall.");
    // Nothing was placed at x = 0.
    EXPECT_EQ(f.fixx[1], fixx);
    EXPECT_EQ(w.figures().size(), 1u);
  }
}

TEST_F(pointdialogtest, spaceatahyperbolaspolesayswhy) {
  curve(family::hyperbola, {1, 0, 0});
  tgrform& w = active();
  main->commands().item("tangent1")->trigger();
  clearquit();
  QTimer::singleShot(0, [&] {
    tgetxcoord& d = xdialog();
    d.edit1()->setText(QStringLiteral("0"));
    QTest::mouseClick(d.okbutton(), Qt::LeftButton);
    if (d.isVisible()) d.reject();
  });
  QTest::keyClick(&w.canvas(), Qt::Key_Space);
  EXPECT_EQ(w.figures().size(), 1u);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, analysistext::spacenotangent);
  EXPECT_EQ(services.messages[0].kind, platform::msgkind::warning);
}

TEST_F(pointdialogtest, thefixpointtoolleavesaformulaitcannotturnalone) {
  struct row {
    const char* formula;
    bool adjustable;
  };
  const row rows[] = {
      {"sin(a*x)+b", false},
      {"a*sin(x)+b", true},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.formula);
    main.reset();
    QApplication::processEvents();
    start();
    tgrform& w = active();
    w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), -10, 10, -10, 10);
    main->customtext = r.formula;
    main->customexpression = texpression{};
    parseexpr(main->customexpression, r.formula);
    tfigure& f = *w.creategraph(family::custom);
    f.param[1] = 1;
    f.param[2] = 1;
    main->commands().item("fixpoint1")->trigger();
    // The marker of the default fix point stands on the curve at x = 0.
    const platform::point at = w.coords.worldtopixel(0, f.value(0));
    const auto markers = [&] {
      int n = 0;
      for (int y = at.y - 12; y <= at.y; ++y)
        for (int x = at.x - 5; x <= at.x + 5; ++x)
          if (pixel(w, x, y) == platform::rgb(255, 255, 0)) ++n;
      return n;
    };
    EXPECT_EQ(markers() > 0, r.adjustable);
    int asked = 0;
    w.askfixcoords = [&](tfigure&, double&, double&) {
      ++asked;
      return false;
    };
    QTest::mouseClick(&w.canvas(), Qt::RightButton, Qt::NoModifier, QPoint(at.x, at.y));
    EXPECT_EQ(asked, r.adjustable ? 1 : 0);
    // A left click elsewhere on the curve places no fix point either.
    const platform::point on = w.coords.worldtopixel(2, f.value(2));
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(on.x, on.y));
    EXPECT_EQ(f.fixmode, r.adjustable);
  }
}

}  // namespace
