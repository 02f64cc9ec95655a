// The parabola a*x^2 + b*x + c.
#pragma once

#include "figures/tfigure.h"

class tellipse : public tfigure {
 public:
  double vertexx = 0;  // abscissa of the vertex as last used by the mouse steps

  double value(double x) const override;
  int derivative(std::array<double, 6>& coefficients, std::string& text) override;
  void setcounts() override;
  void initfixpoints() override;
  void moveto(int32_t px, int32_t py) override;
  void turnone(double x, double y) override;
  void setrow(tmath& matrix, int32_t row, double x, double y) override;

 protected:
  std::string familytemplate() const override { return "[1]*x^2+[2]*x+[3]"; }
};
