// Runs the tarnelo-cli binary and checks its output and exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <ostream>
#include <string>

namespace {

struct outcome {
  std::string out;
  int rc;
};

// args is shell text; the tests quote their formulas themselves.
outcome run(const std::string& args) {
  const std::string command = std::string("'") + TARNELO_CLI + "' " + args + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {"", -1};
  std::string out;
  char buf[256];
  while (std::fgets(buf, sizeof buf, pipe)) out += buf;
  const int status = pclose(pipe);
  return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

struct clicase {
  const char* name;
  std::string args;
  std::string out;
  int rc;
};

// Test listings and failures name the case instead of dumping its bytes.
void PrintTo(const clicase& c, std::ostream* os) {
  *os << c.name;
}

class tarnelocli : public ::testing::TestWithParam<clicase> {};

TEST_P(tarnelocli, prints_and_exits_as_expected) {
  const auto& c = GetParam();
  const auto r = run(c.args);
  EXPECT_EQ(r.out, c.out);
  EXPECT_EQ(r.rc, c.rc);
}

INSTANTIATE_TEST_SUITE_P(
    commands, tarnelocli,
    ::testing::Values(
        clicase{"parse_tree", "parse 'x^2-3*x+2'",
                "errcode 0\nerrmark nnnnnnnnn\ntree (1 (2 (10 x 2) (6 3 x)) 2)\n", 0},
        clicase{"parse_numbers", "parse '0.5*-3+2e3-b'",
                "errcode 0\nerrmark nnnnnnnnnnnn\ntree (2 (1 (6 0.5 -3) 2000) p2)\n", 0},
        clicase{"parse_error", "parse 'sinus(x)'", "errcode 8\nerrmark fffffnnn\ntree -\n", 1},
        clicase{"parse_empty", "parse ''", "errcode 2\nerrmark \ntree -\n", 1},
        clicase{"parse_nordic_name", "parse 'x+æ'", "errcode 1\nerrmark nnf\ntree -\n", 1},
        clicase{"parse_unrepresentable", "parse 'x+\xE2\x88\x9A'",
                "errcode 1\nerrmark nnf\ntree -\n", 1},
        clicase{"parse_malformed_utf8", "parse 'x+\xC3'", "errcode 1\nerrmark nnf\ntree -\n", 1},
        clicase{"eval_value", "eval 'x^2-3*x+2' 4", "6\n", 0},
        clicase{"eval_parameters", "eval 'a*x^2+b*x+c' 2 3 -1 0.5", "10.5\n", 0},
        clicase{"eval_unset_parameters_are_one", "eval 'a+b+c+d+e' 0", "5\n", 0},
        clicase{"eval_parameter_rounded", "eval 'a' 0 0.1", "0.10000000000002274\n", 0},
        clicase{"eval_undefined", "eval '1/x' 0", "undefined\n", 0},
        clicase{"eval_syntax_error", "eval 'x+' 1", "", 1},
        clicase{"eval_comma_number", "eval 'x' 1,5", "", 2},
        clicase{"eval_trailing_garbage", "eval 'x' 1x", "", 2},
        clicase{"eval_infinite_number", "eval 'x' inf", "", 2},
        clicase{"eval_no_x", "eval 'x'", "", 2},
        clicase{"eval_too_many", "eval 'x' 1 1 2 3 4 5 6", "", 2},
        clicase{"deriv_syntax_error", "deriv 'x+'", "", 1},
        clicase{"deriv_missing", "deriv", "", 2}, clicase{"parse_two_formulas", "parse x y", "", 2},
        clicase{"figure_comma_values", "figure 0 2.5 -1.25 0 0 0 --comma",
                "plain F(x) =2,5*x-1,25\ndisplay F(x) =2,5*x-1,25\nfix 0 -1.25\n"
                "derivative 0 0 2.5 0 0 0 a\n",
                0},
        clicase{"figure_comma_formula_keeps_its_point",
                "figure 8 0 2.5 0 0 0 --formula 'b*x+0.5' --comma",
                "plain F(x) =2,5*x+0.5\ndisplay F(x) =2,5*x+0.5\nfix 0 0.5\n"
                "derivative 8 0 2.5 0 0 0 b\n",
                0},
        clicase{"unknown_command", "frobnicate", "", 2}, clicase{"no_command", "", "", 2}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    specialpoints, tarnelocli,
    ::testing::Values(
        clicase{"points_cubic", "points 6 1 0 -3 0 0",
                "zero -1.7320508075688772 7.6918507455342553e-16\n"
                "max -1.0000000000069851 2\nzero 0 0\nyaxis 0 0\n"
                "min 1.0000000000069851 -2\nzero 1.7320508075688772 -7.6918507455342553e-16\n",
                0},
        clicase{"points_range", "points 1 1 0 -2 0 0 --range 0 5 -1 5",
                "zero 1.4142135623730949 -4.4408920985006262e-16\n", 0},
        clicase{"points_hyperbola_pole", "points 3 1 0 0 0 0", "", 0},
        clicase{"points_formula", "points 8 0 0 0 0 0 --formula 'ln(x)'", "zero 1 0\n", 0},
        clicase{"points_needs_formula", "points 8 0 0 0 0 0", "", 2},
        clicase{"points_bad_range", "points 1 1 0 0 0 0 --range 1 0 -1 1", "", 2},
        clicase{"points_syntax_error", "points 8 0 0 0 0 0 --formula 'x+'", "", 1},
        clicase{"table_parabola", "table 1 1 0 0 0 0 -0.3 0.3 0.3",
                "x,y\n-0.3,0.089999999999999997\n0,0\n0.3,0.089999999999999997\n", 0},
        clicase{"table_undefined", "table 8 0 0 0 0 0 --formula 'ln(x)' 0 1 1",
                "x,y\n0,undefined\n1,0\n", 0},
        clicase{"table_step_zero", "table 1 1 0 0 0 0 0 1 0", "", 2},
        clicase{"table_backwards", "table 1 1 0 0 0 0 1 0 0.5", "", 2},
        clicase{"table_too_long", "table 1 1 0 0 0 0 0 1 0.00001", "", 2},
        clicase{"table_missing_step", "table 1 1 0 0 0 0 0 1", "", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(tarnelocli, deriv_prints_a_formula_that_parses_again) {
  const auto d = run("deriv 'x^3+a*x'");
  EXPECT_EQ(d.rc, 0);
  ASSERT_FALSE(d.out.empty());
  const std::string text = d.out.substr(0, d.out.size() - 1);
  const auto p = run("parse '" + text + "'");
  EXPECT_EQ(p.rc, 0) << text;
  const auto v = run("eval '" + text + "' 2 5");
  EXPECT_EQ(v.out, "17\n") << text;
}

}  // namespace
