// The figure commands of tarnelo-cli. Both set up a coordinate system and
// figures on a headless window; plot draws them through the Qt image surface
// (offscreen platform) and writes a PNG, figure prints texts and numbers.
// argv here starts with the command name.
#include "cli/cli_figures.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/cliargs.h"
#include "codecs/tcp1252.h"
#include "expr/parseexpr.h"
#include "figures/makefigure.h"
#include "figures/tcoords.h"
#include "figures/tcustom.h"
#include "figures/theadlesshost.h"

#ifdef TARNELO_HAVE_QT
#include <QGuiApplication>
#include <QImage>

#include "cli/cli_render.h"
#include "platform/qt/qtimage.h"
#endif

const char* const figuresusage =
    "  tarnelo-cli figure FAMILIE A B C D E [--formula TEKST] [--prefix N] [--comma]\n"
    "  tarnelo-cli plot UT.png|UT.svg|UT.pdf [--size B H] [--range MINX MAXX MINY MAXY] [--grid "
    "STEG]\n"
    "                  [--ticks STEG] [--noticks] [--selected] --fig FAMILIE [A ...] ...\n"
    "      FAMILIE 0..8; for 8: --fig 8 'FORMEL' [A ...]\n";

namespace {

const char* const prefixes[4] = {"F(x) =", "f(x) =", "y =", "Y ="};

int usageerror(const std::string& what) {
  return cli::usageerror(what, figuresusage);
}

bool number(const char* s, double& v) {
  return cli::parsenumber(s, v);
}

bool integer(const char* s, int lo, int hi, int& v) {
  double d = 0;
  if (!number(s, d) || d != std::trunc(d) || d < lo || d > hi) return false;
  v = static_cast<int>(d);
  return true;
}

}  // namespace

std::unique_ptr<tfigure> build(const figurewish& wish, tcoords& coords, theadlesshost& host) {
  std::unique_ptr<tfigure> f = makefigure(wish.kind, coords, host);
  if (wish.kind == family::custom) {
    texpression e;
    parseexpr(e, cli::utf8tocp1252(wish.formula));
    if (e.errcode != 0) {
      std::fprintf(stderr,
                   "tarnelo-cli: syntaksfeil %d i formelen: %s\n                          %s\n",
                   e.errcode, codecs::cp1252toutf8(e.text).c_str(), e.errmark.c_str());
      return nullptr;
    }
    dynamic_cast<tcustom&>(*f).setformula(e);
  }
  f->reset();
  // The values are taken as given (doubles), not through 4-byte boxes.
  for (int k = 1; k <= 5; ++k) f->param[k] = wish.p[k - 1];
  return f;
}

namespace {

std::string first(const std::string& s) {
  return s.empty() ? std::string() : s.substr(0, 1);
}

}  // namespace

int cmdfigure(int argc, char** argv) {
  if (argc < 7) return usageerror("figure trenger FAMILIE og fem parametre");
  figurewish wish;
  if (!integer(argv[1], 0, family::count - 1, wish.kind))
    return usageerror("ukjent familie (0..8)");
  for (int k = 0; k < 5; ++k)
    if (!number(argv[2 + k], wish.p[k])) return usageerror("parameteren er ikke et tall");
  int prefix = 0;
  bool comma = false;
  bool hasformula = false;
  for (int i = 7; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--formula" && i + 1 < argc) {
      wish.formula = argv[++i];
      hasformula = true;
    } else if (a == "--prefix" && i + 1 < argc) {
      if (!integer(argv[++i], 0, 3, prefix)) return usageerror("--prefix tar 0..3");
    } else if (a == "--comma") {
      comma = true;
    } else {
      return usageerror("ukjent argument: " + a);
    }
  }
  if (wish.kind == family::custom && !hasformula) return usageerror("familie 8 trenger --formula");

  theadlesshost host;
  host.width = 1000;
  host.height = 1000;
  host.tool = toolcode::select;
  host.name = prefixes[prefix];
  host.separator = comma ? ',' : '.';
  tcoords coords;
  // No picture is drawn: the mapping needs no image factory.
  coords.window = &host;
  coords.readoptions();
  coords.setup(0, 0, 1000, 1000, -10, 10, -10, 10);
  std::unique_ptr<tfigure> f = build(wish, coords, host);
  if (!f) return 1;

  const std::string name = first(host.name);
  auto utf8 = [](const std::string& t) { return codecs::cp1252toutf8(t); };
  f->textmode = 1;
  std::printf("plain %s\n", utf8(name + f->formula()).c_str());
  f->textmode = 0;
  std::printf("display %s\n", utf8(name + f->formula()).c_str());
  f->initfixpoints();
  // + 0.0 turns a vertex at -0 into 0.
  std::printf("fix %.17g %.17g\n", f->fixx[1] + 0.0, f->fixy[1] + 0.0);
  std::array<double, 6> c{};
  std::string text;
  const int k = f->derivative(c, text);
  std::printf("derivative %d %.17g %.17g %.17g %.17g %.17g %s\n", k, c[1] + 0.0, c[2] + 0.0,
              c[3] + 0.0, c[4] + 0.0, c[5] + 0.0, utf8(text).c_str());
  return 0;
}

int cmdplot(int argc, char** argv) {
#ifndef TARNELO_HAVE_QT
  (void)argc;
  (void)argv;
  std::fputs("tarnelo-cli: plot er ikke med i denne utgaven (bygd uten Qt)\n", stderr);
  return 2;
#else
  if (argc < 2) return usageerror("plot trenger et filnavn for bildet");
  const std::string out = argv[1];
  int width = 800, height = 600;
  double range[4] = {-10, 10, -10, 10};
  double grid = 0, tick = 1;
  bool showticks = true, selected = false;
  std::vector<figurewish> wishes;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--size" && i + 2 < argc) {
      if (!integer(argv[i + 1], 1, 16384, width) || !integer(argv[i + 2], 1, 16384, height))
        return usageerror("--size tar bredde og høyde 1..16384");
      i += 2;
    } else if (a == "--range" && i + 4 < argc) {
      for (int k = 0; k < 4; ++k)
        if (!number(argv[i + 1 + k], range[k])) return usageerror("--range tar fire tall");
      i += 4;
    } else if (a == "--grid" && i + 1 < argc) {
      if (!number(argv[++i], grid) || grid <= 0) return usageerror("--grid tar et steg over 0");
    } else if (a == "--ticks" && i + 1 < argc) {
      if (!number(argv[++i], tick) || tick <= 0) return usageerror("--ticks tar et steg over 0");
    } else if (a == "--noticks") {
      showticks = false;
    } else if (a == "--selected") {
      selected = true;
    } else if (a == "--fig" && i + 1 < argc) {
      figurewish s;
      if (!integer(argv[++i], 0, family::count - 1, s.kind))
        return usageerror("ukjent familie (0..8)");
      if (s.kind == family::custom) {
        if (i + 1 >= argc) return usageerror("--fig 8 trenger en formel");
        s.formula = argv[++i];
      }
      // Parameters: the numbers that follow, at most five; missing ones are 0.
      for (int k = 0; k < 5 && i + 1 < argc; ++k) {
        double v = 0;
        if (!number(argv[i + 1], v)) break;
        s.p[k] = v;
        ++i;
      }
      wishes.push_back(s);
    } else {
      return usageerror("ukjent argument: " + a);
    }
  }
  if (wishes.empty()) return usageerror("plot trenger minst en --fig");
  if (!(range[0] < range[1]) || !(range[2] < range[3]) || std::fabs(range[0]) > tcoords::maxbound ||
      std::fabs(range[1]) > tcoords::maxbound || std::fabs(range[2]) > tcoords::maxbound ||
      std::fabs(range[3]) > tcoords::maxbound)
    return usageerror("--range: MINX < MAXX og MINY < MAXY, alle innenfor -700..700");

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int qargc = 1;
  static char qname[] = "tarnelo-cli";
  static char* qargv[] = {qname, nullptr};
  QGuiApplication app(qargc, qargv);

  theadlesshost host;
  host.width = width;
  host.height = height;
  host.options.showgrid = grid > 0;
  if (grid > 0) host.options.gridstep = grid;
  host.options.tickstep = tick;
  host.options.showticks = showticks;
  platform::qtimagefactory factory;
  tcoords coords;
  coords.create(host, factory);
  coords.setup(0, 0, width, height, range[0], range[1], range[2], range[3]);

  std::vector<std::unique_ptr<tfigure> > figures;
  for (const figurewish& s : wishes) {
    std::unique_ptr<tfigure> f = build(s, coords, host);
    if (!f) return 1;
    f->selected = selected;
    figures.push_back(std::move(f));
  }
  // As a window paints: background, axes, then every figure.
  return writepicture(out, coords, width, height, 1, [&] {
    coords.drawbackground();
    coords.drawaxes();
    for (auto& f : figures) {
      f->calculate();
      f->draw();
    }
  });
#endif
}
