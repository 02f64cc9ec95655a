// A whole graph window of 1600 x 1000 with ten figures: its full repaint at
// device pixel ratio 1 and 2, the picture saved as PNG, SVG and PDF, and the
// printout to a PDF file. Also, as a measured run, what 100 windows of
// 800 x 600 with five figures each hold in memory (--windows).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "graph/tgrform.h"
#include "platform/qt/qtimage.h"
#include "platform/qt/qtservices.h"
#include "shell/dialoglinks.h"
#include "shell/startup.h"
#include "shell/tcommands.h"
#include "shell/tmainform.h"
#include "shell/tpictureexport.h"
#include "support/fakeservices.h"

namespace {

const char* const families[] = {"line1", "parabola2", "parabola3", "hyperbola1", "sin1",
                                "cos1",  "pol31",     "pol41",     "line1",      "sin1"};

struct program {
  fakeservices services;
  platform::qtimagefactory images;
  std::unique_ptr<tmainform> main;

  program() {
    tstartoptions o;
    o.inipath = "/nonexistent/tarnelo-bench/QV.INI";
    main = startprogram(services, images, o);
    main->resize(1900, 1300);
    main->show();
    QApplication::processEvents();
  }
  tgrform& window() { return *main->activewindow; }
  // Gives the active window a client area of w x h and n figures.
  void fill(int w, int h, int n) {
    tgrform& g = window();
    const QSize frame = g.size() - g.contentsRect().size();
    g.resize(QSize(w, h) + frame);
    QApplication::processEvents();
    for (int i = 0; i < n; ++i) main->commands().item(families[i % 10])->trigger();
    QApplication::processEvents();
  }
};

// Made at the first benchmark, ended before the application ends.
std::unique_ptr<program> one;

program& shared() {
  if (!one) {
    one = std::make_unique<program>();
    one->fill(1600, 1000, 10);
  }
  return *one;
}

// Draws the whole window afresh, as a repaint after a change of view does,
// into its picture at the given device pixel ratio.
void repaint(benchmark::State& state) {
  program& p = shared();
  tgrform& w = p.window();
  auto& img = dynamic_cast<platform::qtimage&>(*w.coords.image);
  const double ratio = static_cast<double>(state.range(0));
  for (auto _ : state) {
    img.setratio(ratio);
    w.coords.drawbackground();
    w.coords.drawaxes();
    for (tfigure* f : w.figures()) {
      f->cachedrange = {};  // every figure samples again
      f->calculate();
      f->draw();
    }
    w.drawselection();
    benchmark::DoNotOptimize(img.qimage().constBits());
  }
  img.setratio(1);
  state.counters["width"] = w.clientwidth();
}
BENCHMARK(repaint)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void exportpicture(benchmark::State& state, int filterindex, const char* name) {
  program& p = shared();
  QTemporaryDir dir;
  const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
  const pictureexport::choice c = pictureexport::choiceof(filterindex);
  for (auto _ : state) {
    std::string error;
    if (!pictureexport::save(p.window(), path, c, error)) state.SkipWithError(error.c_str());
  }
  state.counters["bytes"] = static_cast<double>(QFile(QString::fromStdString(path)).size());
}
BENCHMARK_CAPTURE(exportpicture, png, 1, "b.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportpicture, png2x, 2, "b.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportpicture, svg, 4, "b.svg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportpicture, pdf, 5, "b.pdf")->Unit(benchmark::kMillisecond);

void printout(benchmark::State& state) {
  program& p = shared();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("utskrift.pdf"));
  platform::qtservices printer;
  printer.setprintfile(path);
  p.services.printvia = &printer;
  for (auto _ : state) {
    p.services.printdialoganswers = {true};
    if (!printactivewindow(*p.main)) state.SkipWithError("not printed");
  }
  p.services.printvia = nullptr;
  state.counters["bytes"] = static_cast<double>(QFile(path).size());
}
BENCHMARK(printout)->Unit(benchmark::kMillisecond);

long residentkb() {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// 100 windows of 800 x 600, five figures each: the resident size in all.
int windows() {
  program p;
  const long before = residentkb();
  p.fill(800, 600, 5);
  for (int i = 1; i < 100; ++i) {
    p.main->commands().item("newwindow1")->trigger();
    p.fill(800, 600, 5);
  }
  int count = 0;
  for (tgrform* w : p.main->windowlist)
    if (w->clientwidth() == 800 && w->clientheight() == 600 && w->figures().size() == 5) ++count;
  const long after = residentkb();
  std::printf("%zu windows (%d of 800 x 600 with 5 figures): resident %ld MB, %ld MB at start\n",
              p.main->windowlist.size(), count, after / 1024, before / 1024);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--windows") == 0) return windows();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  one.reset();
  return 0;
}
