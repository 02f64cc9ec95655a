// The parabola in vertex form a*(x - b)^2 + c.
#pragma once

#include "figures/tfigure.h"

class tparab : public tfigure {
 public:
  double value(double x) const override;
  int derivative(std::array<double, 6>& coefficients, std::string& text) override;
  void setcounts() override;
  void initfixpoints() override;
  void moveto(int32_t px, int32_t py) override;
  void turnone(double x, double y) override;
  void setrow(tmath& matrix, int32_t row, double x, double y) override;
  void turnmany(double x, double y) override;

 protected:
  std::string familytemplate() const override { return "[1]*(x-[2])^2+[3]"; }
};
