// What a graph window costs per mouse move: clear the picture, draw the
// curves, and the pixel reads of the tools.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <vector>

#include "platform/qt/qtimage.h"

using namespace platform;

namespace {

std::vector<point> curve(int width, int height, double phase) {
  std::vector<point> p;
  p.reserve(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x)
    p.push_back({x, static_cast<int>(height / 2 + height * 0.4 * std::sin(x * 0.01 + phase))});
  return p;
}

void fillandcurve(benchmark::State& state) {
  qtimage img(1600, 1000);
  auto& s = img.canvas();
  const auto p = curve(1600, 1000, 0);
  s.setbrush({white, brushstyle::solid});
  s.setpen({rgb(255, 0, 0), 1, penstyle::solid, penmode::copy});
  for (auto _ : state) {
    s.fillrect({0, 0, 1600, 1000});
    s.polyline(p);
    benchmark::DoNotOptimize(s.getpixel(800, 500));
  }
}
BENCHMARK(fillandcurve)->Unit(benchmark::kMicrosecond);

void tencurves(benchmark::State& state) {
  qtimage img(1600, 1000);
  auto& s = img.canvas();
  std::vector<std::vector<point>> curves;
  for (int i = 0; i < 10; ++i) curves.push_back(curve(1600, 1000, i * 0.7));
  s.setbrush({white, brushstyle::solid});
  for (auto _ : state) {
    s.fillrect({0, 0, 1600, 1000});
    for (int i = 0; i < 10; ++i) {
      s.setpen({rgb(25 * i, 0, 255 - 25 * i), 1, penstyle::solid, penmode::copy});
      s.polyline(curves[static_cast<size_t>(i)]);
    }
  }
}
BENCHMARK(tencurves)->Unit(benchmark::kMicrosecond);

void widecurve(benchmark::State& state) {
  qtimage img(1600, 1000);
  auto& s = img.canvas();
  const auto p = curve(1600, 1000, 0);
  s.setpen({rgb(0, 0, 255), 3, penstyle::solid, penmode::copy});
  for (auto _ : state) s.polyline(p);
}
BENCHMARK(widecurve)->Unit(benchmark::kMicrosecond);

void pixelscan(benchmark::State& state) {
  qtimage img(1600, 1000);
  auto& s = img.canvas();
  for (auto _ : state) {
    colour sum = 0;
    for (int y = 0; y < 1000; y += 10)
      for (int x = 0; x < 1600; ++x) sum += s.getpixel(x, y);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 160000);
}
BENCHMARK(pixelscan)->Unit(benchmark::kMicrosecond);

void xorframe(benchmark::State& state) {
  qtimage img(1600, 1000);
  auto& s = img.canvas();
  s.setpen({rgb(0, 255, 0), 1, penstyle::dot, penmode::xor_});
  s.setbrush({white, brushstyle::clear});
  for (auto _ : state) s.rectangle({100, 100, 1400, 900});
}
BENCHMARK(xorframe)->Unit(benchmark::kMicrosecond);

void textline(benchmark::State& state) {
  qtimage img(400, 100);
  auto& s = img.canvas();
  s.setbrush({white, brushstyle::clear});
  for (auto _ : state) s.textout(2, 2, "F(x) = 2*x^2-sin(3*x)+a");
}
BENCHMARK(textline)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
