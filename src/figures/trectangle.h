// The straight line a*x + b, drawn from its two ends.
#pragma once

#include "figures/tfigure.h"

class trectangle : public tfigure {
 public:
  platform::point end1;
  platform::point end2;

  double value(double x) const override;
  int derivative(std::array<double, 6>& coefficients, std::string& text) override;
  void setcounts() override;
  void initfixpoints() override;
  void moveto(int32_t px, int32_t py) override;
  void turnone(double x, double y) override;
  void calculate() override;
  void draw() override;

 protected:
  std::string familytemplate() const override { return "[1]*x+[2]"; }
};
