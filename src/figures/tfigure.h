// The figure base: one plotted function y = f(x) in a graph window, with its
// parameters a..e, the sampled pixel points, the fix points and the state
// flags. The nine families derive from it (made by makefigure).
//
// Who writes what: tfigure.cpp holds sampling, drawing, hit testing, the
// formula text, the limit check and the panel write-back (with formulafold.cpp
// for the folding of the formula text). The derivatives (derivatives.cpp), the
// turning and moving of figures incl. the base dragto (turning.cpp) and the
// fix-point operations (fixpoints.cpp) live in their own files.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "figures/tcoords.h"
#include "figures/tfigurehost.h"
#include "platform/surface.h"

class tmath;

// Family codes (the figure's kind), as in menus, files and the panel.
namespace family {
inline constexpr int line = 0;         // trectangle
inline constexpr int parabola = 1;     // tellipse: a*x^2+b*x+c
inline constexpr int vertexparab = 2;  // tparab: a*(x-b)^2+c
inline constexpr int hyperbola = 3;    // thiper
inline constexpr int sine = 4;         // tsin
inline constexpr int cosine = 5;       // tcos
inline constexpr int cubic = 6;        // tpolthree
inline constexpr int quartic = 7;      // tpolfour
inline constexpr int custom = 8;       // tcustom
inline constexpr int count = 9;
}  // namespace family

// The point array holds one point per pixel column. A window wider than this
// is sampled over its first maxpoints columns only.
inline constexpr int maxpoints = 16001;

// The cached range of the last calculate.
struct tcachedrange {
  double minx = 0;
  double maxx = 0;
  double miny = 0;
  double maxy = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const tcachedrange&, const tcachedrange&) = default;
};

class tfigure {
 public:
  tfigure() = default;
  tfigure(const tfigure&) = delete;
  tfigure& operator=(const tfigure&) = delete;
  virtual ~tfigure() = default;

  // Arrays of parameters and fix points count from 1; entry 0 is unused.
  tcoords* coords = nullptr;  // the window's coordinate system, outlives the figure
  int32_t textmode = 0;       // 0 formula display, 1 plain text
  std::array<worldpoint, 5> firstsamples{};
  std::array<double, 6> param{};
  std::string paramletters;  // custom figures: letters that occur, at most 7
  std::array<double, 6> oldparam{};
  std::array<double, 6> fixx{};
  std::array<double, 6> fixy{};
  double step = 0;
  bool fixmode = false;
  bool frozen = false;
  bool snapped = false;
  int32_t maxfix = 0;
  int32_t paramcount = 0;
  double halfwindow = 0;
  double ytolerance = 0;
  double searchstep = 0;
  int32_t fixcount = 1;
  int32_t curfix = 1;
  std::array<platform::point, maxpoints> points{};
  int32_t pointcount = 0;
  double dragx = 0;
  double dragy = 0;
  bool dragging = false;
  bool updating = false;
  bool fixdown = false;
  bool fixmoved = false;
  bool selected = false;
  bool grabbed = false;  // only the window's rotate and move tools use it
  std::string formulabuf;
  tcachedrange cachedrange;
  uint8_t kind = 0;
  std::string template_;        // the formula template ("template" is a keyword)
  tfigurehost* host = nullptr;  // the rest of the program, outlives the figure

  // Virtual operations, in slot order.
  virtual void reset();
  virtual void calculate();
  virtual void draw();
  // The derivative as a family code, coefficients 1..5 and a formula text.
  virtual int derivative(std::array<double, 6>& coefficients, std::string& text);
  virtual bool hittest(int32_t px, int32_t py);
  virtual void dragto(double x, double y);
  virtual void moveto(int32_t px, int32_t py) = 0;
  virtual void initfixpoints();
  virtual void setcounts();
  // The formula text with the values filled in, after the first character of
  // the function-name prefix (e.g. "(x) =2*x^2+3").
  virtual std::string formula();
  virtual void turnone(double x, double y);
  virtual double value(double x) const;
  virtual void setstep();
  virtual void getrange(double& xmin, double& xmax);
  virtual void setrow(tmath& matrix, int32_t row, double x, double y);
  virtual void turnmany(double x, double y);

  // Whether parameter k (1..5, the letter k) occurs in the figure: the first
  // paramcount parameters of a family; the letters of a user formula.
  virtual bool usesparam(int k) const { return k >= 1 && k <= paramcount && k <= 5; }

  // Non-virtual operations.
  void showparams();
  // Rounds (Always Round) and checks the box limits; a refused change puts
  // back oldparam. True when the change is accepted.
  bool checklimits();
  bool unchanged();
  void select();

  // Fix points.
  void snaptocurve(double& x, double& y);
  void fixpoint(int32_t px, int32_t py);
  void fixdrag(int32_t px, int32_t py);
  void fixup(int32_t px, int32_t py);
  int32_t findfixpoint(int32_t& px, int32_t& py);
  void nearestfix(double x, double y, double& fx, double& fy);
  void drawfixpoints();

 protected:
  // The template of the family, set by reset.
  virtual std::string familytemplate() const { return {}; }
  // The value text of parameter k (formula step: format, trailing zeros).
  std::string valuetext(int k) const;
  // The parameter value that marker k of the template stands for.
  virtual double markervalue(int k) const { return param[k]; }
  virtual bool hasmarkervalue(int /*k*/) const { return true; }
  // Pen colour by window activity, selection and frozen state.
  platform::colour statecolour() const;
  int32_t samplecolumns() const;
};
