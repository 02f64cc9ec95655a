// What finding the special points of a curve costs in a 1600-pixel-wide
// window: zeros, extrema and the y-axis crossing of one figure of each family,
// and of a fast-turning formula that takes the bounded search to its end.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "expr/parseexpr.h"
#include "figures/makefigure.h"
#include "figures/curvepoints.h"
#include "figures/tcoords.h"
#include "figures/tcustom.h"
#include "figures/theadlesshost.h"

namespace {

constexpr int width = 1600;
constexpr int height = 1000;

struct window {
  theadlesshost host;
  tcoords coords;

  window() {
    host.width = width;
    host.height = height;
    coords.window = &host;
    coords.readoptions();
    coords.setup(0, 0, width, height, -10, 10, -8, 8);
  }

  std::unique_ptr<tfigure> make(int kind, const char* formula) {
    static const std::array<std::array<double, 5>, family::count> params = {{
        {0.5, 1},
        {0.3, -1, -2},
        {-0.4, 1, 3},
        {2, 1, 1},
        {2, 1.5, 0.3, 1},
        {3, 0.7, 0, -1},
        {0.1, 0, -2, 1},
        {0.02, 0, -0.8, 0, 2},
        {1, 1, 1, 1, 1},
    }};
    std::unique_ptr<tfigure> f = makefigure(kind, coords, host);
    if (kind == family::custom) {
      texpression e;
      parseexpr(e, formula);
      dynamic_cast<tcustom&>(*f).setformula(e);
    }
    f->reset();
    for (int k = 1; k <= 5; ++k) f->param[k] = params[kind][k - 1];
    return f;
  }
};

void specialpointsof(benchmark::State& state, int kind, const char* formula) {
  window w;
  std::unique_ptr<tfigure> f = w.make(kind, formula);
  const specialwindow sw{-10, 10, -8, 8, width};
  size_t found = 0;
  for (auto _ : state) {
    const specialpoints s = findspecialpoints([&](double x) { return f->value(x); }, sw);
    found = s.points.size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["points"] = static_cast<double>(found);
}

BENCHMARK_CAPTURE(specialpointsof, line, family::line, "");
BENCHMARK_CAPTURE(specialpointsof, parabola, family::parabola, "");
BENCHMARK_CAPTURE(specialpointsof, vertexparab, family::vertexparab, "");
BENCHMARK_CAPTURE(specialpointsof, hyperbola, family::hyperbola, "");
BENCHMARK_CAPTURE(specialpointsof, sine, family::sine, "");
BENCHMARK_CAPTURE(specialpointsof, cosine, family::cosine, "");
BENCHMARK_CAPTURE(specialpointsof, cubic, family::cubic, "");
BENCHMARK_CAPTURE(specialpointsof, quartic, family::quartic, "");
BENCHMARK_CAPTURE(specialpointsof, custom_poly, family::custom, "a*x^3-b*x+c*sin(d*x)");
BENCHMARK_CAPTURE(specialpointsof, custom_tan, family::custom, "tan(x)");
BENCHMARK_CAPTURE(specialpointsof, custom_sin1x, family::custom, "sin(1/x)");

}  // namespace

BENCHMARK_MAIN();
