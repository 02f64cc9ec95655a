// A figure of the user's own formula in x with up to five parameter letters.
// Points where the formula is undefined leave gaps in the curve.
#pragma once

#include "expr/tnode.h"
#include "figures/tfigure.h"

class tcustom : public tfigure {
 public:
  static constexpr std::size_t maxformula = 80;
  // Stored points of one calculate (one fewer than the array holds).
  static constexpr int32_t maxsamples = 16000;

  texpression expression;
  std::string formulatext;  // as typed, at most 80 characters
  bool evalfailed = false;  // some evaluation of the last calculate was undefined

  // Takes the formula just accepted (a copy shares its nodes); call before
  // reset. The text is cut to 80 characters.
  void setformula(const texpression& parsed);

  double value(double x) const override;
  int derivative(std::array<double, 6>& coefficients, std::string& text) override;
  void setcounts() override;
  void initfixpoints() override;
  void moveto(int32_t px, int32_t py) override;
  void calculate() override;
  void draw() override;
  void dragto(double x, double y) override;
  void setrow(tmath& matrix, int32_t row, double x, double y) override;
  void turnmany(double x, double y) override;
  bool usesparam(int k) const override;

  // True when the formula (from a file) does not parse: nothing is drawn.
  bool unreadable() const { return expression.errcode != 0; }

  // Loads a..e into the evaluator's parameter table.
  void loadparams() const;

 protected:
  std::string familytemplate() const override { return formulatext; }
  double markervalue(int k) const override;
  bool hasmarkervalue(int k) const override;
};
