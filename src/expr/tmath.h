// Small linear solver used for fitting: Gaussian elimination with row exchanges
// in extended precision, for up to five unknowns.
#pragma once

#include <array>
#include <cstdint>

// Arrays count from 1; index 0 is unused. The caller sets n, writes the
// augmented matrix a[r][1..n+1] for r = 1..n, calls solve() and reads x[1..n].
class tmath {
 public:
  std::array<int32_t, 6> order{};  // order[i]: the matrix row that serves as equation i
  int32_t k = 0;                   // pivot column during elimination
  std::array<long double, 6> x{};  // the solution
  std::array<std::array<long double, 7>, 6> a{};
  int32_t n = 0;  // unknowns and equations, 1..5

  // A singular system does not fail: a column without a pivot is skipped and an
  // unknown whose diagonal entry stays 0 keeps its previous value in x.
  void solve();

 private:
  void pivotsearch();
};
