// The cosine wave a*cos(b*x + c) + d.
#pragma once

#include "figures/tfigure.h"

class tcos : public tfigure {
 public:
  double value(double x) const override;
  int derivative(std::array<double, 6>& coefficients, std::string& text) override;
  void setcounts() override;
  void initfixpoints() override;
  void moveto(int32_t px, int32_t py) override;
  void turnone(double x, double y) override;

 protected:
  std::string familytemplate() const override { return "[1]*cos([2]*x+[3])+[4]"; }
};
