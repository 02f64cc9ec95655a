#include "figures/tcustom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "expr/evalexpr.h"
#include "expr/parseexpr.h"
#include "figurerig.h"

namespace {

std::unique_ptr<tcustom> custom(figurerig& rig, const std::string& text, std::array<double, 5> p) {
  texpression e;
  parseexpr(e, text);
  EXPECT_EQ(e.errcode, 0) << text;
  std::unique_ptr<tfigure> f = makefigure(family::custom, rig.coords, rig.host);
  auto& c = dynamic_cast<tcustom&>(*f);
  c.setformula(e);
  c.reset();
  for (int k = 1; k <= 5; ++k) c.param[k] = p[k - 1];
  f.release();
  return std::unique_ptr<tcustom>(&c);
}

TEST(tcustom, CountsTheLettersOutsideFunctionNames) {
  struct row {
    const char* name;
    const char* formula;
    const char* letters;
    const char* templ;
    std::array<double, 5> p;
    const char* text;
  };
  const row rows[] = {
      {"a inside tan is no parameter",
       "a*x+tan(x)",
       "a",
       "[1]*x+tan(x)",
       {2, 0, 0, 0, 0},
       "(x) =2*x+tan(x)"},
      {"three in order", "a*x^2+b*x+c", "abc", "[1]*x^2+[2]*x+[3]", {1, 0, -3, 0, 0}, "(x) =x^2-3"},
      {"no parameters", "sin(x)", "", "sin(x)", {5, 5, 5, 5, 5}, "(x) =sin(x)"},
      {"letters out of order keep a..e values",
       "d*x+b",
       "bd",
       "[2]*x+[1]",
       {0, 7, 0, 3, 0},
       "(x) =3*x+7"},
      {"abs frac exp hide a b c e",
       "abs(x)+frac(x)+exp(x)",
       "",
       "abs(x)+frac(x)+exp(x)",
       {1, 1, 1, 1, 1},
       "(x) =abs(x)+frac(x)+exp(x)"},
      {"e after exp is counted", "exp(x)*e", "e", "exp(x)*[1]", {0, 0, 0, 0, 2}, "(x) =exp(x)*2"},
      {"zero argument empties the call",
       "sin(a*x)+b",
       "ab",
       "sin([1]*x)+[2]",
       {0, -3, 0, 0, 0},
       "(x) =-3"},
      {"ln of nothing is undefined",
       "ln(a*x)",
       "a",
       "ln([1]*x)",
       {0, 0, 0, 0, 0},
       "(x) =udefinert"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(100, 100);
    auto f = custom(rig, r.formula, r.p);
    EXPECT_EQ(f->paramletters, r.letters);
    EXPECT_EQ(f->paramcount, static_cast<int>(std::string(r.letters).size()));
    EXPECT_EQ(f->maxfix, f->paramcount - 1);
    EXPECT_EQ(f->template_, r.templ);
    EXPECT_EQ(f->formula(), r.text);
  }
}

TEST(tcustom, ValueIsUndefinedWhereTheFormulaIs) {
  figurerig rig(100, 100);
  auto f = custom(rig, "a*ln(x)", {2, 0, 0, 0, 0});
  EXPECT_NEAR(f->value(std::exp(1.0)), 2, 1e-9);
  EXPECT_TRUE(std::isnan(f->value(-1)));
  f->initfixpoints();
  EXPECT_EQ(f->fixx[1], 0);
  EXPECT_TRUE(std::isnan(f->fixy[1])) << "ln(0) has no value";
  EXPECT_FALSE(f->hittest(300, 500));
}

// Figure-coloured pixels in the columns [from, to).
int curvepixels(figurerig& rig, int from, int to) {
  int n = 0;
  for (int x = from; x < to; ++x)
    for (int y = 0; y < rig.canvas().height(); ++y)
      if (rig.canvas().getpixel(x, y) == rig.coords.figcolours[0]) ++n;
  return n;
}

TEST(tcustom, UndefinedStretchesLeaveGapsWithoutJoiningLines) {
  struct row {
    const char* name;
    const char* formula;
    double gapfrom, gapto;  // world x where nothing may be drawn
  };
  const row rows[] = {
      {"ln(x) only right of 0", "ln(x)", -5, -0.05},
      {"sqrt only where defined", "sqrt(x-2)", -5, 1.9},
      {"a gap in the middle, defined at the ends", "ln(x^2-1)", -0.95, 0.95},
      {"square root of a circle", "sqrt(1-x^2)", 1.1, 5},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(1000, 1000, -5, 5, -5, 5);
    auto f = custom(rig, r.formula, {0, 0, 0, 0, 0});
    rig.coords.drawbackground();
    f->calculate();
    EXPECT_TRUE(f->evalfailed);
    f->draw();
    const int from = rig.coords.worldtopixel(r.gapfrom, 0).x;
    const int to = rig.coords.worldtopixel(r.gapto, 0).x;
    EXPECT_EQ(curvepixels(rig, from, to), 0);
    EXPECT_GT(curvepixels(rig, 0, 1000), 100);
  }
}

TEST(tcustom, DefinedEverywhereIsOnePolyline) {
  figurerig rig(500, 500);
  auto f = custom(rig, "a*x^2", {0.5, 0, 0, 0, 0});
  f->calculate();
  EXPECT_FALSE(f->evalfailed);
  rig.canvas().clearentries();
  f->draw();
  EXPECT_EQ(rig.canvas().entries(recordop::polyline).size(), 1u);
  EXPECT_EQ(f->firstsamples[0].x, -10);
  EXPECT_DOUBLE_EQ(f->firstsamples[0].y, 50);
}

TEST(tcustom, AFlatWindowStillSamplesTheWholeRange) {
  // y step per pixel is tiny; the x sweep must still reach Max X in the array.
  figurerig rig(1000, 1000, -10, 10, -0.001, 0.001);
  auto f = custom(rig, "x/100000", {0, 0, 0, 0, 0});
  f->calculate();
  ASSERT_GT(f->pointcount, 0);
  EXPECT_LE(f->pointcount, tcustom::maxsamples);
  EXPECT_GE(f->points[f->pointcount - 1].x, 998);
}

TEST(tcustom, NothingDefinedDrawsNothing) {
  figurerig rig(300, 300);
  auto f = custom(rig, "ln(-1-x^2)", {0, 0, 0, 0, 0});
  f->calculate();
  EXPECT_EQ(f->pointcount, 0);
  rig.canvas().clearentries();
  f->draw();
  EXPECT_EQ(rig.canvas().entries(recordop::lineto).size(), 0u);
}

// The samples of calculate, one by one with the tree walk, as a reference.
struct sampling {
  int32_t pointcount = 0;
  bool evalfailed = false;
  std::vector<platform::point> points;
};

sampling walk(const tcustom& f) {
  const tcoords& k = *f.coords;
  sampling s;
  f.loadparams();
  for (double x = k.minx; x <= k.maxx && s.pointcount < tcustom::maxsamples; x += f.step) {
    const evalresult r = evalexpr(&f.expression.root, x, 0);
    if (!r.ok) {
      s.evalfailed = true;
      continue;
    }
    s.points.push_back(k.worldtopixel(x, r.value));
    ++s.pointcount;
  }
  return s;
}

TEST(tcustom, CalculateSamplesAsTheTreeWalkDoes) {
  struct row {
    const char* name;
    const char* formula;
    std::array<double, 5> p;
    double minx, maxx, miny, maxy;
  };
  const row rows[] = {
      {"parabola", "a*x^2+b*x+c", {1.5, -2, 0.5, 0, 0}, -10, 10, -10, 10},
      {"gaps at both sides", "ln(x^2-1)", {0, 0, 0, 0, 0}, -5, 5, -5, 5},
      {"poles", "a/(x-round(x))", {1, 0, 0, 0, 0}, -3, 3, -20, 20},
      {"overflow far out", "exp(x)^x", {0, 0, 0, 0, 0}, -40, 40, -5, 5},
      {"flat window, many samples", "x/100000+sin(x)", {0, 0, 0, 0, 0}, -10, 10, -0.001, 0.001},
      {"undefined for a parameter", "ln(a)*x", {-1, 0, 0, 0, 0}, -10, 10, -10, 10},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    figurerig rig(1000, 700, r.minx, r.maxx, r.miny, r.maxy);
    auto f = custom(rig, r.formula, r.p);
    f->calculate();
    const sampling want = walk(*f);
    EXPECT_EQ(f->evalfailed, want.evalfailed);
    ASSERT_EQ(f->pointcount, want.pointcount);
    for (int32_t i = 0; i < want.pointcount; ++i) {
      ASSERT_EQ(f->points[i].x, want.points[i].x) << i;
      ASSERT_EQ(f->points[i].y, want.points[i].y) << i;
    }
  }
}

TEST(tcustom, AStepThatCannotMoveXStillEnds) {
  for (const char* formula : {"ln(-x)", "x*0"}) {
    SCOPED_TRACE(formula);
    figurerig rig(1000, 1000);
    auto f = custom(rig, formula, {0, 0, 0, 0, 0});
    // A window narrower than the spacing of doubles near 500: x + step is x.
    rig.coords.minx = 500;
    rig.coords.maxx = 500 + 1e-12;
    rig.coords.xstep = rig.coords.ystep = 1e-17;
    f->calculate();
    const sampling want = std::string(formula) == "x*0" ? walk(*f) : sampling{0, true, {}};
    EXPECT_EQ(f->pointcount, want.pointcount);
    EXPECT_EQ(f->evalfailed, want.evalfailed);
  }
}

}  // namespace

TEST(tcustom, ValuesTakeTheDecimalCommaTheFormulaKeepsItsPoint) {
  figurerig rig(100, 100);
  rig.host.separator = ',';
  auto f = custom(rig, "b*x+0.5", {0, 2.5, 0, 0, 0});
  EXPECT_EQ(f->formula(), "(x) =2,5*x+0.5");
}
