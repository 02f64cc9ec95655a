#include "expr/tmath.h"

// Takes the first usable row, not the largest pivot: callers' systems are small
// and well scaled, and the fits must come out the same every time.
// A column without a pivot is skipped. The search then also runs for the next
// column: eliminating with its diagonal entry unchecked would divide by zero
// when two columns in a row have a zero there.
void tmath::pivotsearch() {
  while (k < n) {
    for (int32_t i = k + 1; i <= n && a[order[k]][k] == 0; ++i) {
      const int32_t t = order[k];
      order[k] = order[i];
      order[i] = t;
    }
    if (a[order[k]][k] != 0) return;
    ++k;
  }
}

void tmath::solve() {
  // A size outside 1..5 would index past the arrays; there is nothing to solve.
  if (n < 1 || n > 5) return;
  k = 1;
  for (int32_t i = 1; i <= 5; ++i) order[i] = i;
  pivotsearch();
  while (n - k >= 1) {
    const auto& pivotrow = a[order[k]];
    for (int32_t i = k + 1; i <= n; ++i) {
      auto& row = a[order[i]];
      if (row[k] == 0) continue;
      const long double f = -row[k] / pivotrow[k];
      for (int32_t c = k; c <= n + 1; ++c) row[c] = f * pivotrow[c] + row[c];
    }
    ++k;
    pivotsearch();
  }
  for (int32_t i = n; i >= 1; --i) {
    const auto& row = a[order[i]];
    if (row[i] == 0) continue;
    long double s = 0;
    for (int32_t j = i + 1; j <= n; ++j) s += row[j] * x[j];
    x[i] = (row[n + 1] - s) / row[i];
  }
}
