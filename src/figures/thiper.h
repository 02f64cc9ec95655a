// The hyperbola a/(x + b) + c, drawn as two polylines, one on each side of the
// asymptote x = -b, so that the branches are never joined.
#pragma once

#include "figures/tfigure.h"

class thiper : public tfigure {
 public:
  std::array<platform::point, maxpoints> points2{};  // the right-hand branch
  int32_t pointcount2 = 0;

  double value(double x) const override;
  int derivative(std::array<double, 6>& coefficients, std::string& text) override;
  void setcounts() override;
  void initfixpoints() override;
  void moveto(int32_t px, int32_t py) override;
  void calculate() override;
  void draw() override;
  bool hittest(int32_t px, int32_t py) override;
  void dragto(double x, double y) override;
  std::string formula() override;

 protected:
  std::string familytemplate() const override { return "\\l x\\l[1]+\\l [2] +[3]"; }

 private:
  // Where the curve meets the edge value edge: x with a/(x + b) + c = edge.
  double edgex(double edge) const;
  std::string displayformula() const;
  std::string plainformula() const;
};
