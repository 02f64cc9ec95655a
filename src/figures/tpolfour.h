// The quartic a*x^4 + b*x^3 + c*x^2 + d*x + e.
#pragma once

#include "figures/tfigure.h"

class tpolfour : public tfigure {
 public:
  double value(double x) const override;
  int derivative(std::array<double, 6>& coefficients, std::string& text) override;
  void setcounts() override;
  void initfixpoints() override;
  void moveto(int32_t px, int32_t py) override;
  void turnone(double x, double y) override;
  void setrow(tmath& matrix, int32_t row, double x, double y) override;

 protected:
  std::string familytemplate() const override {
    return "[1]*x^4+[2]*x^3+[3]*x^2+[4]*x+[5]";
  }
};
