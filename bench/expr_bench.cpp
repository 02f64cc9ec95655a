// Evaluation and parsing speed of formulas, with muparser as a yardstick when it
// is installed. Each evaluation benchmark walks 2,000 x values, as a plotted
// curve does across a window.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "expr/evalexpr.h"
#include "expr/parseexpr.h"
#include "expr/tprogram.h"

#ifdef TARNELO_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

constexpr std::array<const char*, 4> formulas = {
    "a*x^2+b*x+c",
    "sin(x)*exp(-x/5)",
    "sqrt(abs(x))+ln(x^2+1)",
    "x^3-2*x^2+x-1",
};

constexpr int points = 2000;

std::vector<double> xs() {
  std::vector<double> v(points);
  for (int i = 0; i < points; ++i) v[i] = -10.0 + 20.0 * i / (points - 1);
  return v;
}

void tarnelo_eval(benchmark::State& state) {
  texpression e;
  parseexpr(e, formulas[state.range(0)]);
  setparamvalue(1, 1.5);
  setparamvalue(2, -2);
  setparamvalue(3, 0.5);
  const auto x = xs();
  for (auto _ : state) {
    double sum = 0;
    for (double v : x) {
      const evalresult r = evalexpr(&e.root, v, 0);
      if (r.ok) sum += r.value;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * points);
  state.SetLabel(formulas[state.range(0)]);
}
BENCHMARK(tarnelo_eval)->DenseRange(0, formulas.size() - 1);

// The compiled program, one point at a time.
void tarnelo_program(benchmark::State& state) {
  texpression e;
  parseexpr(e, formulas[state.range(0)]);
  const tprogram program(&e.root);
  setparamvalue(1, 1.5);
  setparamvalue(2, -2);
  setparamvalue(3, 0.5);
  const auto x = xs();
  for (auto _ : state) {
    double sum = 0;
    for (double v : x) {
      const evalresult r = program.evaluate(v, 0);
      if (r.ok) sum += r.value;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * points);
  state.SetLabel(formulas[state.range(0)]);
}
BENCHMARK(tarnelo_program)->DenseRange(0, formulas.size() - 1);

// The compiled program over all 2,000 points in one call, as a curve is sampled.
void tarnelo_batch(benchmark::State& state) {
  texpression e;
  parseexpr(e, formulas[state.range(0)]);
  const tprogram program(&e.root);
  setparamvalue(1, 1.5);
  setparamvalue(2, -2);
  setparamvalue(3, 0.5);
  const auto x = xs();
  std::vector<double> values(points);
  std::unique_ptr<bool[]> oks(new bool[points]);
  for (auto _ : state) {
    program.evalmany(x, 0, values, std::span<bool>(oks.get(), points));
    double sum = 0;
    for (int i = 0; i < points; ++i)
      if (oks[i]) sum += values[i];
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * points);
  state.SetLabel(formulas[state.range(0)]);
}
BENCHMARK(tarnelo_batch)->DenseRange(0, formulas.size() - 1);

void tarnelo_compile(benchmark::State& state) {
  texpression e;
  parseexpr(e, formulas[state.range(0)]);
  for (auto _ : state) {
    tprogram program(&e.root);
    benchmark::DoNotOptimize(program);
  }
  state.SetLabel(formulas[state.range(0)]);
}
BENCHMARK(tarnelo_compile)->DenseRange(0, formulas.size() - 1);

void tarnelo_parse(benchmark::State& state) {
  const std::string text = formulas[state.range(0)];
  for (auto _ : state) {
    texpression e;
    parseexpr(e, text);
    benchmark::DoNotOptimize(e.root);
  }
  state.SetLabel(formulas[state.range(0)]);
}
BENCHMARK(tarnelo_parse)->DenseRange(0, formulas.size() - 1);

#ifdef TARNELO_HAVE_MUPARSER
void muparser_eval(benchmark::State& state) {
  double xv = 0, a = 1.5, b = -2, c = 0.5;
  mu::Parser p;
  p.DefineVar("x", &xv);
  p.DefineVar("a", &a);
  p.DefineVar("b", &b);
  p.DefineVar("c", &c);
  p.SetExpr(formulas[state.range(0)]);
  p.Eval();
  const auto x = xs();
  for (auto _ : state) {
    double sum = 0;
    for (double v : x) {
      xv = v;
      sum += p.Eval();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * points);
  state.SetLabel(formulas[state.range(0)]);
}
BENCHMARK(muparser_eval)->DenseRange(0, formulas.size() - 1);

// muparser parses on the first Eval after SetExpr.
void muparser_parse(benchmark::State& state) {
  double xv = 1, a = 1.5, b = -2, c = 0.5;
  for (auto _ : state) {
    mu::Parser p;
    p.DefineVar("x", &xv);
    p.DefineVar("a", &a);
    p.DefineVar("b", &b);
    p.DefineVar("c", &c);
    p.SetExpr(formulas[state.range(0)]);
    benchmark::DoNotOptimize(p.Eval());
  }
  state.SetLabel(formulas[state.range(0)]);
}
BENCHMARK(muparser_parse)->DenseRange(0, formulas.size() - 1);
#endif

}  // namespace

BENCHMARK_MAIN();
