// "Interpolasjon": points appearing one by one, degrees hidden as points are
// added, the same-x refusal, and the fit through the points.
#include "dialogs/tpolyform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <memory>
#include <vector>

#include "figures/makefigure.h"
#include "figures/tfigure.h"
#include "support/fakefigurehost.h"
#include "support/fakeservices.h"
#include "support/recordingsurface.h"

namespace {

// A graph window of figures over -10..10 with the fake figure host's limits.
struct polyhost : tpolyhost {
  fakefigurehost window{400, 400};
  recordingimagefactory factory;
  tcoords coords;
  std::vector<std::unique_ptr<tfigure>> figures;
  std::vector<int> tools;
  int resetvisis = 0;
  int redraws = 0;
  bool nowindow = false;

  polyhost() {
    window.options.gridstep = 5;
    coords.create(window, factory);
    coords.image->resize(400, 400);
    coords.setup(0, 0, 400, 400, -10, 10, -10, 10);
  }
  tfigure* creategraph(int fam) override {
    if (nowindow) return nullptr;
    std::unique_ptr<tfigure> f = makefigure(fam, coords, window);
    f->reset();
    f->kind = static_cast<uint8_t>(fam);
    figures.push_back(std::move(f));
    return figures.back().get();
  }
  void resetvisi(tfigure&) override { ++resetvisis; }
  void settool(int code) override { tools.push_back(code); }
  void redraw() override { ++redraws; }
};

class polyform : public ::testing::Test {
 protected:
  void SetUp() override { form = std::make_unique<tpolyform>(services, host); }

  // Types a complete point k as the user would: x, leave, y, leave.
  void point(int k, const char* x, const char* y) {
    form->edit(2 * k - 1)->setText(x);
    form->fieldchanged(2 * k - 1);
    form->fieldleft(2 * k - 1);
    form->edit(2 * k)->setText(y);
    form->fieldchanged(2 * k);
    form->fieldleft(2 * k);
  }
  bool shown(QWidget* w) { return !w->isHidden(); }

  fakeservices services;
  polyhost host;
  std::unique_ptr<tpolyform> form;
};

}  // namespace

TEST_F(polyform, StartsWithOnePointAndNoDegree) {
  EXPECT_EQ(form->windowTitle(), "Interpolasjon");
  EXPECT_TRUE(shown(form->pointgroup(1)));
  for (int k = 2; k <= 5; ++k) EXPECT_FALSE(shown(form->pointgroup(k))) << k;
  EXPECT_FALSE(form->degreegroup()->isEnabled());
  EXPECT_FALSE(form->okbutton()->isEnabled());
  EXPECT_EQ(form->next(), 1);
  // Half a point shows nothing more.
  form->edit(1)->setText("1");
  form->fieldchanged(1);
  EXPECT_FALSE(shown(form->pointgroup(2)));
  EXPECT_EQ(form->next(), 1);
}

TEST_F(polyform, DegreesAreHiddenAsPointsAreAdded) {
  struct row {
    int points;
    std::array<bool, 4> offered;
  };
  const row rows[] = {
      {1, {true, true, true, true}},    {2, {true, true, true, true}},
      {3, {false, true, true, true}},   {4, {false, false, true, true}},
      {5, {false, false, false, true}},
  };
  const char* xs[] = {"-2", "-1", "0", "1", "2"};
  for (const row& r : rows) {
    SCOPED_TRACE(r.points);
    form->formshow();
    for (int k = 1; k <= r.points; ++k) point(k, xs[k - 1], "1");
    EXPECT_EQ(form->next(), r.points + 1);
    EXPECT_TRUE(form->degreegroup()->isEnabled());
    if (r.points < 5) {
      EXPECT_TRUE(shown(form->pointgroup(r.points + 1)));
    }
    for (int d = 1; d <= 4; ++d) EXPECT_EQ(shown(form->degreebutton(d)), r.offered[d - 1]) << d;
  }
}

TEST_F(polyform, SameXIsRefusedAndNothingIsStored) {
  point(1, "2", "1");
  point(2, "3", "4");
  form->edit(5)->setText("2");
  form->fieldchanged(5);
  EXPECT_FALSE(form->fieldleft(5));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, tpolyform::samex);
  EXPECT_EQ(services.messages[0].kind, platform::msgkind::warning);
  // "2,0" and "2.0" are the same x as well; a point's own x is not a clash.
  form->edit(5)->setText("2.0");
  EXPECT_FALSE(form->fieldleft(5));
  EXPECT_EQ(services.messages.size(), 2u);
  form->edit(5)->setText("5");
  EXPECT_TRUE(form->fieldleft(5));
  EXPECT_TRUE(form->fieldleft(1));
  EXPECT_EQ(services.messages.size(), 2u);
}

TEST_F(polyform, EmptyFieldBecomesZeroAndBadNumbersAreRefused) {
  form->edit(1)->setText("1");
  EXPECT_TRUE(form->fieldleft(2));
  EXPECT_EQ(form->edit(2)->text(), "0");
  // The next point, not begun, stays empty when the focus passes through it.
  form->edit(2)->setText("5");
  form->fieldchanged(2);
  EXPECT_TRUE(form->fieldleft(3));
  EXPECT_TRUE(form->fieldleft(4));
  EXPECT_EQ(form->edit(3)->text(), "");
  EXPECT_EQ(form->edit(4)->text(), "");
  form->edit(4)->setText("2");
  EXPECT_TRUE(form->fieldleft(3));
  EXPECT_EQ(form->edit(3)->text(), "0");
  form->edit(2)->setText("1,2,3");
  EXPECT_FALSE(form->fieldleft(2));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].text.find("ikke et gyldig tall"), std::string::npos);
}

TEST_F(polyform, OkIsEnabledByADegreeAfterAPoint) {
  point(1, "1", "2");
  EXPECT_FALSE(form->okbutton()->isEnabled());
  form->degreebutton(2)->setChecked(true);
  form->degreeclick(2);
  EXPECT_TRUE(form->okbutton()->isEnabled());
  // A third point rules the line out; a chosen line is dropped with it.
  form->formshow();
  point(1, "1", "2");
  point(2, "2", "3");
  form->degreebutton(1)->setChecked(true);
  form->degreeclick(1);
  ASSERT_TRUE(form->okbutton()->isEnabled());
  point(3, "3", "5");
  EXPECT_FALSE(form->degreebutton(1)->isChecked());
  EXPECT_FALSE(form->okbutton()->isEnabled());
}

TEST_F(polyform, FitsTheCurveThroughThePoints) {
  struct row {
    const char* name;
    int degree;
    std::vector<worldpoint> points;
    std::vector<int> tools;
    bool frozen;
  };
  const row rows[] = {
      {"line through one point", 1, {{2, 3}}, {toolcode::rotate}, false},
      {"line through two points",
       1,
       {{1, 1}, {3, 5}},
       {toolcode::fixpoint, toolcode::select},
       true},
      {"parabola through two points", 2, {{1, 1}, {2, 3}}, {toolcode::rotate}, false},
      {"parabola through three points",
       2,
       {{0, 1}, {1, 3}, {2, 7}},
       {toolcode::fixpoint, toolcode::select},
       true},
      {"cubic through four points",
       3,
       {{-1, -1}, {0, 0}, {1, 1}, {2, 8}},
       {toolcode::fixpoint, toolcode::select},
       true},
      {"quartic through five points",
       4,
       {{-2, 16}, {-1, 1}, {0, 0}, {1, 1}, {2, 16}},
       {toolcode::fixpoint, toolcode::select},
       true},
      // One sample point completes the system; it lies on the line of the points.
      {"cubic through three points on a line",
       3,
       {{5, 5}, {1, 1}, {2, 2}},
       {toolcode::rotate},
       false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    host.tools.clear();
    tfigure* f = tpolyform::fit(host, r.degree, r.points);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->kind, tpolyform::familyofdegree(r.degree));
    for (const worldpoint& p : r.points) EXPECT_NEAR(f->value(p.x), p.y, 1e-6) << p.x;
    EXPECT_EQ(host.tools, r.tools);
    EXPECT_EQ(f->frozen, r.frozen);
    EXPECT_TRUE(f->fixmode);
    const int n = static_cast<int>(r.points.size());
    EXPECT_EQ(f->fixcount, n == f->paramcount ? f->paramcount : n);
    for (int i = 1; i <= n; ++i) {
      EXPECT_EQ(f->fixx[i], r.points[i - 1].x);
      EXPECT_EQ(f->fixy[i], r.points[i - 1].y);
    }
  }
}

TEST_F(polyform, OkMakesTheParabolaThroughThreeTypedPoints) {
  point(1, "0", "1");
  point(2, "1", "3");
  point(3, "2", "7");
  form->degreebutton(2)->setChecked(true);
  form->degreeclick(2);
  ASSERT_TRUE(form->okbutton()->isEnabled());
  ASSERT_TRUE(form->okclick());
  ASSERT_EQ(host.figures.size(), 1u);
  tfigure& f = *host.figures[0];
  EXPECT_EQ(f.kind, family::parabola);
  EXPECT_NEAR(f.param[1], 1, 1e-9);
  EXPECT_NEAR(f.param[2], 1, 1e-9);
  EXPECT_NEAR(f.param[3], 1, 1e-9);
  EXPECT_EQ(form->result(), QDialog::Accepted);
  EXPECT_EQ(form->next(), 1);
}

TEST_F(polyform, OkWithoutAWindowOrWithATypedOverXMakesNothing) {
  point(1, "1", "1");
  point(2, "2", "2");
  form->edit(3)->setText("1");  // typed over without leaving the field
  EXPECT_FALSE(form->okclick());
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, tpolyform::samex);
  EXPECT_TRUE(host.figures.empty());

  form->edit(3)->setText("3");
  host.nowindow = true;
  EXPECT_FALSE(form->okclick());
  EXPECT_TRUE(host.figures.empty());
  EXPECT_TRUE(host.tools.empty());
}
