#include "figures/tfigure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "figurerig.h"

namespace {

struct formularow {
  const char* name;
  int kind;
  std::array<double, 5> p;
  const char* text;  // after the prefix's first character
};

TEST(tfigure, FormulaTextFoldsZerosOnesAndSigns) {
  const formularow rows[] = {
      {"line a=1 b=0 is x", family::line, {1, 0}, "(x) =x"},
      {"line 2,-3", family::line, {2, -3}, "(x) =2*x-3"},
      {"line 0,0 is 0", family::line, {0, 0}, "(x) =0"},
      {"line -1,2", family::line, {-1, 2}, "(x) =-x+2"},
      {"line 0,4", family::line, {0, 4}, "(x) =4"},
      {"line 2.5,-0.25", family::line, {2.5, -0.25}, "(x) =2.5*x-0.25"},
      {"line 10,0.5", family::line, {10, 0.5}, "(x) =10*x+0.5"},
      {"parabola 2,0,3", family::parabola, {2, 0, 3}, "(x) =2*x^2+3"},
      {"parabola 1,1,1", family::parabola, {1, 1, 1}, "(x) =x^2+x+1"},
      {"parabola 0,0,0", family::parabola, {0, 0, 0}, "(x) =0"},
      {"parabola -1,-2,-3", family::parabola, {-1, -2, -3}, "(x) =-x^2-2*x-3"},
      {"vertex 1,2,0", family::vertexparab, {1, 2, 0}, "(x) =(x-2)^2"},
      {"vertex 3,-1,4", family::vertexparab, {3, -1, 4}, "(x) =3*(x+1)^2+4"},
      {"vertex 2,0,1", family::vertexparab, {2, 0, 1}, "(x) =2*(x)^2+1"},
      {"sine 1,1,0,0", family::sine, {1, 1, 0, 0}, "(x) =sin(x)"},
      {"sine 2,3,1,5", family::sine, {2, 3, 1, 5}, "(x) =2*sin(3*x+1)+5"},
      {"sine with b=0", family::sine, {2, 0, 0, 1}, "(x) =1"},
      {"cosine with b=0", family::cosine, {2, 0, 0, 1}, "(x) =2+1"},
      {"cubic 1,0,0,4 folds all signs", family::cubic, {1, 0, 0, 4}, "(x) =x^3+4"},
      {"cubic 1,0,-3,0", family::cubic, {1, 0, -3, 0}, "(x) =x^3-3*x"},
      {"quartic 0,0,0,0,-1", family::quartic, {0, 0, 0, 0, -1}, "(x) =-1"},
      {"quartic 1,0,0,0,0", family::quartic, {1, 0, 0, 0, 0}, "(x) =x^4"},
      {"a value near zero has no sign", family::line, {-0.001, 5}, "(x) =5"},
      {"b near zero has no sign", family::line, {2, -0.004}, "(x) =2*x"},
  };
  for (const formularow& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(100, 100);
    auto f = rig.make(r.kind, r.p);
    EXPECT_EQ(f->formula(), r.text);
  }
}

TEST(tfigure, FormulaUsesTheFormatsThePrefixAndTheDecimalComma) {
  struct row {
    const char* name;
    std::array<double, 5> p;
    const char* format;
    int tool;
    char separator;
    const char* prefix;
    const char* text;
  };
  const row rows[] = {
      {"decimal comma in 0,5", {1, 0.5}, "%.2f", toolcode::select, ',', "F(x) =", "(x) =x+0,5"},
      {"decimal comma in 1,5*x", {1.5, 1}, "%.2f", toolcode::select, ',', "F(x) =", "(x) =1,5*x+1"},
      {"decimal comma both",
       {2.5, -1.25},
       "%.2f",
       toolcode::select,
       ',',
       "F(x) =",
       "(x) =2,5*x-1,25"},
      {"comma: 1,05 keeps its factor",
       {1.05, 0.1},
       "%.2f",
       toolcode::select,
       ',',
       "F(x) =",
       "(x) =1,05*x+0,1"},
      {"three decimals", {1.2345, 0}, "%.3f", toolcode::select, '.', "F(x) =", "(x) =1.234*x"},
      {"rotate tool shows two",
       {1.2345, 0},
       "%.3f",
       toolcode::rotate,
       '.',
       "F(x) =",
       "(x) =1.23*x"},
      {"no decimals", {2.6, 0.4}, "%.0f", toolcode::select, '.', "F(x) =", "(x) =3*x"},
      {"bad format falls back", {2.5, 1}, "%s", toolcode::select, '.', "F(x) =", "(x) =2.5*x+1"},
      {"prefix y =", {2, 1}, "%.2f", toolcode::select, '.', "y =", " =2*x+1"},
      {"prefix f(x) =", {2, 1}, "%.2f", toolcode::select, '.', "f(x) =", "(x) =2*x+1"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(100, 100);
    rig.host.separator = r.separator;
    rig.host.tool = r.tool;
    rig.host.name = r.prefix;
    for (auto& f : rig.host.formats) f = r.format;
    auto f = rig.make(family::line, r.p);
    EXPECT_EQ(f->formula(), r.text);
  }
}

TEST(tfigure, ResetTakesTheBoxValuesAndClearsState) {
  figurerig rig;
  rig.host.values = {0, 1.5f, -2.25f, 3, 4, 5};
  auto f = makefigure(family::parabola, rig.coords, rig.host);
  f->frozen = true;
  f->fixcount = 3;
  f->textmode = 1;
  f->reset();
  EXPECT_EQ(f->param[1], 1.5);
  EXPECT_EQ(f->param[2], -2.25);
  EXPECT_EQ(f->param[5], 5);
  EXPECT_EQ(f->oldparam[1], 0);
  EXPECT_FALSE(f->frozen);
  EXPECT_EQ(f->fixcount, 1);
  EXPECT_EQ(f->textmode, 0);
  EXPECT_EQ(f->paramcount, 3);
  EXPECT_EQ(f->maxfix, 2);
  EXPECT_EQ(f->template_, "[1]*x^2+[2]*x+[3]");
  EXPECT_EQ(f->kind, family::parabola);
}

TEST(tfigure, FactoryKnowsNineFamiliesOnly) {
  figurerig rig;
  const int counts[] = {2, 3, 3, 3, 4, 4, 4, 5, 0};
  const int maxfix[] = {1, 2, 2, 2, 1, 1, 3, 4, -1};
  for (int k = 0; k < family::count; ++k) {
    auto f = rig.make(k);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->paramcount, counts[k]) << k;
    EXPECT_EQ(f->maxfix, maxfix[k]) << k;
  }
  EXPECT_EQ(makefigure(-1, rig.coords, rig.host), nullptr);
  EXPECT_EQ(makefigure(9, rig.coords, rig.host), nullptr);
}

TEST(tfigure, CheckLimitsRoundsAndRefuses) {
  struct row {
    const char* name;
    bool round;
    float step;
    double value;
    bool accepted;
    double after;
  };
  const row rows[] = {
      {"round 1.3 to 1.5", true, 0.5f, 1.3, true, 1.5},
      {"0.3 stays", true, 0.5f, 0.3, true, 0.3},
      {"-1.3 to -1.5", true, 0.5f, -1.3, true, -1.5},
      {"no rounding", false, 0.5f, 1.3, true, 1.3},
      {"zero step leaves it", true, 0.0f, 1.3, true, 1.3},
      {"above max refused", false, 0.5f, 100.5, false, 7},
      {"below min refused", false, 0.5f, -100.5, false, 7},
      {"max itself accepted", false, 0.5f, 100, true, 100},
      {"not a number refused", false, 0.5f, std::nan(""), false, 7},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(100, 100);
    rig.host.roundvalues = r.round;
    rig.host.steps.fill(r.step);
    auto f = rig.make(family::line, {7, 2});
    f->calculate();  // oldparam = 7, 2
    f->param[1] = r.value;
    EXPECT_EQ(f->checklimits(), r.accepted);
    if (std::isnan(r.after))
      EXPECT_TRUE(std::isnan(f->param[1]));
    else
      EXPECT_DOUBLE_EQ(f->param[1], r.after);
    EXPECT_EQ(f->param[2], 2);
  }
}

TEST(tfigure, CheckLimitsStopsAtTheFirstBrokenParameter) {
  figurerig rig;
  rig.host.maxs[3] = 1;
  auto f = rig.make(family::parabola, {1, 2, 0.5});
  f->calculate();
  f->param = {0, 3, 4, 5, 0, 0};
  EXPECT_FALSE(f->checklimits());
  EXPECT_EQ(f->param[1], 1);
  EXPECT_EQ(f->param[2], 2);
  EXPECT_EQ(f->param[3], 0.5);
}

TEST(tfigure, FormulaTextsOfTheOtherFamiliesUseTheDecimalComma) {
  struct row {
    const char* name;
    int kind;
    std::array<double, 5> p;
    int textmode;
    const char* text;
  };
  const row rows[] = {
      {"parabola", family::parabola, {0.5, 0, -2.25}, 0, "(x) =0,5*x^2-2,25"},
      {"vertex form", family::vertexparab, {1, 1.5, 0}, 0, "(x) =(x-1,5)^2"},
      {"hyperbola plain", family::hyperbola, {2.5, -0.5, 0.75}, 1, "(x) =2,5/(x-0,5)+0,75"},
      {"sine", family::sine, {1.5, 0.5, 0, 0}, 0, "(x) =1,5*sin(0,5*x)"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(100, 100);
    rig.host.separator = ',';
    auto f = rig.make(r.kind, r.p);
    f->textmode = r.textmode;
    EXPECT_EQ(f->formula(), r.text);
  }
}

TEST(tfigure, ShowParamsWritesZeroWithoutAMinus) {
  figurerig rig;
  rig.host.separator = ',';
  auto f = rig.make(family::line, {-0.0, -0.004});
  f->showparams();
  const std::vector<std::string> want{"setparamtext 1 0,00", "setparamtext 2 0,00", "changef2"};
  EXPECT_EQ(rig.host.calls, want);
}

TEST(tfigure, ShowParamsWritesTwoDecimalsAndTellsThePanel) {
  figurerig rig;
  rig.host.separator = ',';
  auto f = rig.make(family::parabola, {1.5, -0.125, 3});
  f->updating = true;
  f->showparams();
  const std::vector<std::string> want{"setparamtext 1 1,50", "setparamtext 2 -0,12",
                                      "setparamtext 3 3,00", "changef2"};
  EXPECT_EQ(rig.host.calls, want);
  EXPECT_FALSE(f->updating);
  EXPECT_FALSE(f->dragging);
}

TEST(tfigure, SelectClearsAddsAndRepaints) {
  figurerig rig;
  auto f = rig.make(family::line, {1, 0});
  f->select();
  const std::vector<std::string> want{"clearselection", "addtoselection", "resetvisi", "repant",
                                      "bringtofront"};
  EXPECT_EQ(rig.host.calls, want);
  EXPECT_TRUE(f->selected);
  ASSERT_EQ(rig.host.selection.size(), 1u);
  EXPECT_EQ(rig.host.selection[0], f.get());
}

TEST(tfigure, CalculateSamplesOnlyWhenSomethingChanged) {
  figurerig rig(200, 100);
  auto f = rig.make(family::parabola, {1, 0, 0});
  f->calculate();
  EXPECT_EQ(f->pointcount, 200);
  EXPECT_EQ(f->points[100], rig.coords.worldtopixel(0, 0));
  EXPECT_DOUBLE_EQ(f->firstsamples[1].x, rig.coords.pixeltoworld(1, 0).x);
  f->points[100] = {-1, -1};
  f->calculate();
  EXPECT_EQ(f->points[100], (platform::point{-1, -1})) << "unchanged: no sampling";
  f->param[3] = 1;
  f->calculate();
  EXPECT_EQ(f->points[100], rig.coords.worldtopixel(0, 1));
  f->points[100] = {-1, -1};
  rig.coords.setup(0, 0, 200, 100, -10, 10, -5, 5);
  f->calculate();
  EXPECT_NE(f->points[100], (platform::point{-1, -1})) << "range change resamples";
}

TEST(tfigure, AWindowWiderThanThePointArraySamplesItsFirstColumns) {
  figurerig rig(20000, 50);
  auto f = rig.make(family::parabola, {0, 1, 0});
  f->calculate();
  EXPECT_EQ(f->pointcount, maxpoints);
  EXPECT_EQ(f->points[maxpoints - 1].x, maxpoints - 1);
}

TEST(tfigure, DrawUsesTheStateColourWithAOnePixelPen) {
  struct row {
    const char* name;
    bool active, selected, frozen;
    int colour;  // index into figcolours
  };
  const row rows[] = {
      {"passive", false, false, false, 0},
      {"inactive window, selected", false, true, false, 0},
      {"active and selected", true, true, false, 1},
      {"active, selected, frozen", true, true, true, 2},
      {"active, not selected, frozen", true, false, true, 3},
      {"passive frozen", false, false, true, 3},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(200, 200);
    rig.host.active = r.active;
    auto f = rig.make(family::sine, {1, 1, 0, 0});
    f->selected = r.selected;
    f->frozen = r.frozen;
    f->calculate();
    rig.canvas().clearentries();
    const platform::pen before = rig.canvas().getpen();
    f->draw();
    const auto lines = rig.canvas().entries(recordop::polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pen.col, rig.coords.figcolours[r.colour]);
    EXPECT_EQ(lines[0].pen.width, 1);
    EXPECT_EQ(lines[0].args.size(), 2u * 200);
    EXPECT_EQ(rig.canvas().getpen(), before) << "pen restored";
    EXPECT_EQ(rig.canvas().getpixel(100, 100), rig.coords.figcolours[r.colour]);
  }
}

TEST(tfigure, HitTestFindsTheCurveWithinTheTolerances) {
  figurerig rig;  // 1000 x 1000 over -10..10: 50 px per unit
  auto f = rig.make(family::parabola, {1, 0, 0});
  struct row {
    const char* name;
    int px, py;
    bool hit;
  };
  const row rows[] = {
      {"on the vertex", 500, 500, true},
      {"0.4 units above (tolerance 0.4)", 500, 480, true},
      {"0.5 units above", 500, 475, false},
      {"x=2 on the curve", 600, 300, true},
      {"x window reaches 0.1 sideways", 605, 300, true},
      {"far away", 900, 900, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(f->hittest(r.px, r.py), r.hit);
  }
  EXPECT_DOUBLE_EQ(f->halfwindow, 0.1);
  EXPECT_DOUBLE_EQ(f->ytolerance, 0.4);
}

TEST(tfigure, SetStepIsAtLeastFiveThousandths) {
  figurerig fine(1000, 1000, -1, 1, -1, 1);
  auto f = fine.make(family::line);
  f->setstep();
  EXPECT_EQ(f->step, 0.005);
  figurerig coarse(100, 100, -10, 10, -10, 10);
  auto g = coarse.make(family::line);
  g->setstep();
  EXPECT_DOUBLE_EQ(g->step, 0.1);  // the larger side per pixel: 10 / 100
  double lo = 0, hi = 0;
  g->getrange(lo, hi);
  EXPECT_EQ(lo, -10);
  EXPECT_EQ(hi, 10);
}

}  // namespace
