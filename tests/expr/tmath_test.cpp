#include "expr/tmath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

using rows = std::vector<std::vector<long double>>;  // each row: coefficients, then right side

tmath makesystem(const rows& m) {
  tmath t;
  t.n = static_cast<int32_t>(m.size());
  for (std::size_t r = 0; r < m.size(); ++r)
    for (std::size_t c = 0; c < m[r].size(); ++c) t.a[r + 1][c + 1] = m[r][c];
  return t;
}

struct solvecase {
  std::string name;
  rows m;
  std::vector<long double> before;  // x before solving (empty: a fresh object)
  std::vector<long double> want;
  friend void PrintTo(const solvecase& c, std::ostream* os) { *os << c.name; }
};

class tmathsolve : public testing::TestWithParam<solvecase> {};

TEST_P(tmathsolve, gives_the_expected_unknowns) {
  const solvecase& c = GetParam();
  tmath t = makesystem(c.m);
  for (std::size_t i = 0; i < c.before.size(); ++i) t.x[i + 1] = c.before[i];
  t.solve();
  for (std::size_t i = 0; i < c.want.size(); ++i) {
    EXPECT_TRUE(std::isfinite(t.x[i + 1])) << "x[" << i + 1 << "]";
    EXPECT_NEAR(static_cast<double>(t.x[i + 1]), static_cast<double>(c.want[i]), 1e-12)
        << "x[" << i + 1 << "]";
  }
}

INSTANTIATE_TEST_SUITE_P(
    cases, tmathsolve,
    testing::Values(
        solvecase{"one_unknown", {{2, 6}}, {}, {3}},
        // c, b, a of a*x^2+b*x+c through (0,1), (1,2), (2,5)
        solvecase{"parabola_through_three_points",
                  {{1, 0, 0, 1}, {1, 1, 1, 2}, {1, 2, 4, 5}},
                  {},
                  {1, 0, 1}},
        solvecase{"zero_in_first_column_takes_next_row", {{0, 1, 2}, {1, 1, 3}}, {}, {1, 2}},
        solvecase{"zero_pivots_in_first_two_rows",
                  {{0, 0, 1, 3}, {0, 1, 1, 5}, {1, 1, 1, 6}},
                  {},
                  {1, 2, 3}},
        solvecase{
            "identical_equations_leave_second_unknown_at_zero", {{1, 2, 3}, {1, 2, 3}}, {}, {3, 0}},
        solvecase{
            "singular_unknown_keeps_its_previous_value", {{1, 2, 3}, {1, 2, 3}}, {4, 7}, {-11, 7}},
        // Column 1 has no pivot and the next diagonal entry is 0 too: the pivot
        // search must run again rather than divide by that 0.
        solvecase{"two_columns_in_a_row_without_diagonal_entry",
                  {{0, 0, 1, 2}, {0, 1, 0, 1}, {0, 1, 1, 3}},
                  {},
                  {0, 1, 2}},
        solvecase{"all_zero_matrix_keeps_everything", {{0, 0, 0}, {0, 0, 0}}, {5, 6}, {5, 6}},
        solvecase{"five_unknowns_triangular",
                  {{1, 1, 1, 1, 1, 15},
                   {0, 1, 1, 1, 1, 14},
                   {0, 0, 1, 1, 1, 12},
                   {0, 0, 0, 1, 1, 9},
                   {0, 0, 0, 0, 1, 5}},
                  {},
                  {1, 2, 3, 4, 5}}),
    [](const auto& info) { return info.param.name; });

TEST(tmath, size_outside_one_to_five_changes_nothing) {
  for (int32_t n : {0, -1, 6, 1000}) {
    tmath t;
    t.n = n;
    t.x[1] = 42;
    t.solve();
    EXPECT_EQ(t.x[1], 42) << n;
  }
}

// Random well-conditioned systems, rows shuffled so that the first usable row
// rather than the diagonal one often serves as pivot.
TEST(tmath, residual_is_small_on_random_systems) {
  std::mt19937 gen(20240517);
  std::uniform_real_distribution<double> coef(-10, 10);
  for (int round = 0; round < 500; ++round) {
    const int n = 1 + round % 5;
    rows m(n, std::vector<long double>(n + 1));
    for (int r = 0; r < n; ++r) {
      long double off = 0;
      for (int c = 0; c < n; ++c) {
        m[r][c] = (gen() % 4 == 0) ? 0 : coef(gen);
        if (c != r) off += std::fabs(m[r][c]);
      }
      m[r][r] = (coef(gen) < 0 ? -1 : 1) * (off + 1 + std::fabs(coef(gen)));
      m[r][n] = coef(gen);
    }
    std::shuffle(m.begin(), m.end(), gen);
    tmath t = makesystem(m);
    t.solve();
    for (int r = 0; r < n; ++r) {
      long double lhs = 0;
      for (int c = 0; c < n; ++c) lhs += m[r][c] * t.x[c + 1];
      EXPECT_NEAR(static_cast<double>(lhs), static_cast<double>(m[r][n]), 1e-12)
          << "round " << round << " row " << r;
    }
  }
}

}  // namespace
