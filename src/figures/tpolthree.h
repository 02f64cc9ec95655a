// The cubic a*x^3 + b*x^2 + c*x + d with its two extreme points.
#pragma once

#include "figures/tfigure.h"

class tpolthree : public tfigure {
 public:
  double ext1x = 0;
  double ext2x = 0;
  double ext1y = 0;
  double ext2y = 0;

  double value(double x) const override;
  int derivative(std::array<double, 6>& coefficients, std::string& text) override;
  void setcounts() override;
  void initfixpoints() override;
  void moveto(int32_t px, int32_t py) override;
  void turnone(double x, double y) override;
  void setrow(tmath& matrix, int32_t row, double x, double y) override;

 protected:
  std::string familytemplate() const override { return "[1]*x^3+[2]*x^2+[3]*x+[4]"; }
};
