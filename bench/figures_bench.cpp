// What the figures cost in a 1600 x 1000 window: sampling and drawing one
// figure of each family, one rotate step of each family (with its solver), the
// step the user feels: one drag step plus the repaint of a window with ten
// figures, and the repaint of ten formulas with poles and jumps (where the
// sampling looks between neighbouring samples for breaks).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <array>
#include <memory>
#include <vector>

#include "expr/parseexpr.h"
#include "figures/makefigure.h"
#include "figures/tcoords.h"
#include "figures/tcustom.h"
#include "figures/theadlesshost.h"
#include "platform/qt/qtimage.h"

namespace {

constexpr int width = 1600;
constexpr int height = 1000;

struct window {
  theadlesshost host;
  platform::qtimagefactory factory;
  tcoords coords;

  window() {
    host.width = width;
    host.height = height;
    host.tool = toolcode::rotate;
    for (int k = 1; k <= 5; ++k) {
      host.mins[k] = -1e6f;
      host.maxs[k] = 1e6f;
    }
    coords.create(host, factory);
    coords.image->resize(width, height);
    coords.setup(0, 0, width, height, -10, 10, -8, 8);
  }

  std::unique_ptr<tfigure> make(int kind) {
    static const std::array<std::array<double, 5>, family::count> params = {{
        {0.5, 1},
        {0.3, -1, -2},
        {-0.4, 1, 3},
        {2, 1, 1},
        {2, 1.5, 0.3, 1},
        {3, 0.7, 0, -1},
        {0.1, 0, -2, 1},
        {0.02, 0, -0.8, 0, 2},
        {0.5, 1, 0},
    }};
    std::unique_ptr<tfigure> f = makefigure(kind, coords, host);
    if (kind == family::custom) {
      texpression e;
      parseexpr(e, "a*x^2/10+b*sin(2*x)+c");
      dynamic_cast<tcustom&>(*f).setformula(e);
    }
    f->reset();
    for (int k = 1; k <= 5; ++k) f->param[k] = params[static_cast<std::size_t>(kind)][k - 1];
    f->calculate();
    f->initfixpoints();
    return f;
  }
};

const char* const names[family::count] = {"line",   "parabola", "vertexparab", "hyperbola", "sine",
                                          "cosine", "cubic",    "quartic",     "custom"};

void sampleanddraw(benchmark::State& state) {
  window w;
  auto f = w.make(static_cast<int>(state.range(0)));
  state.SetLabel(names[state.range(0)]);
  for (auto _ : state) {
    f->cachedrange = {};  // as after a resize: sample again
    f->calculate();
    f->draw();
  }
}
BENCHMARK(sampleanddraw)->DenseRange(0, family::count - 1)->Unit(benchmark::kMicrosecond);

// Fastens the figure at one point of its curve, and at a second one where the
// family allows it (so that the step goes through the solver), and starts a
// drag whose two pointer positions are taken in turn: every step changes the
// parameters and the figure samples again.
struct tdrag {
  double x[2] = {};
  double y[2] = {};
  int n = 0;

  explicit tdrag(tfigure& f) {
    f.fixx[1] = 0.5;
    f.fixy[1] = f.value(0.5);
    if (f.maxfix >= 2) {
      f.fixcount = 2;
      f.fixx[2] = 2.5;
      f.fixy[2] = f.value(2.5);
    }
    f.snapped = true;
    for (int i = 0; i < 2; ++i) {
      x[i] = 4.5 + 0.5 * i;
      y[i] = f.value(x[i]) + (i == 0 ? 0.5 : -0.5);
    }
    f.dragx = x[1];
    f.dragy = y[1];
  }
  void step(tfigure& f) {
    f.dragto(x[n], y[n]);
    n = 1 - n;
  }
};

void dragstep(benchmark::State& state) {
  window w;
  const int kind = static_cast<int>(state.range(0));
  auto f = w.make(kind);
  state.SetLabel(names[kind]);
  tdrag drag(*f);
  for (auto _ : state) drag.step(*f);
}
BENCHMARK(dragstep)->DenseRange(0, family::count - 1)->Unit(benchmark::kMicrosecond);

// One drag step of a figure, then the window's repaint: background, axes,
// ten figures (only the dragged one samples again) and its fix points.
void dragandrepaint(benchmark::State& state) {
  window w;
  std::vector<std::unique_ptr<tfigure>> figures;
  for (int i = 0; i < 10; ++i) figures.push_back(w.make(i % family::count));
  tfigure& dragged = *figures[static_cast<std::size_t>(state.range(0))];
  state.SetLabel(names[state.range(0) % family::count]);
  dragged.selected = true;
  tdrag drag(dragged);
  for (auto _ : state) {
    drag.step(dragged);
    w.coords.drawbackground();
    for (auto& f : figures) {
      f->calculate();
      f->draw();
    }
    w.coords.drawaxes();
    dragged.drawfixpoints();
  }
}
BENCHMARK(dragandrepaint)->DenseRange(0, family::count - 1)->Unit(benchmark::kMicrosecond);

// Formulas whose curves break: poles and jumps in view.
const char* const breaking[] = {"tan(x)", "int(x)", "1/(x-1)"};

std::unique_ptr<tfigure> makeformula(window& w, const char* text) {
  std::unique_ptr<tfigure> f = makefigure(family::custom, w.coords, w.host);
  texpression e;
  parseexpr(e, text);
  dynamic_cast<tcustom&>(*f).setformula(e);
  f->reset();
  return f;
}

void sampleanddrawbreaking(benchmark::State& state) {
  window w;
  auto f = makeformula(w, breaking[state.range(0)]);
  state.SetLabel(breaking[state.range(0)]);
  for (auto _ : state) {
    f->cachedrange = {};
    f->calculate();
    f->draw();
  }
}
BENCHMARK(sampleanddrawbreaking)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The repaint of a window with ten such curves after a resize or a zoom:
// background, axes, and every curve sampled again and drawn.
void repaintbreaking(benchmark::State& state) {
  window w;
  std::vector<std::unique_ptr<tfigure>> figures;
  for (int i = 0; i < 10; ++i) figures.push_back(makeformula(w, breaking[i % 3]));
  for (auto _ : state) {
    w.coords.drawbackground();
    for (auto& f : figures) {
      f->cachedrange = {};
      f->calculate();
      f->draw();
    }
    w.coords.drawaxes();
  }
}
BENCHMARK(repaintbreaking)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
