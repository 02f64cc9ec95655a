// The special-point commands of tarnelo-cli. argv here starts with the
// command name; both take the figure as "figure" does.
#include "cli/cli_points.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_figures.h"
#include "cli/cliargs.h"
#include "figures/curvepoints.h"
#include "figures/tcoords.h"
#include "figures/tfigure.h"
#include "figures/theadlesshost.h"

const char* const pointsusage =
    "  tarnelo-cli points FAMILIE A B C D E [--formula TEKST] [--range MINX MAXX MINY MAXY]\n"
    "  tarnelo-cli table FAMILIE A B C D E [--formula TEKST] FRA TIL STEG\n";

namespace {

int usageerror(const std::string& what) {
  return cli::usageerror(what, pointsusage);
}

// The figure and what follows it: options and the remaining numbers.
struct request {
  figurewish wish;
  double range[4] = {-10, 10, -10, 10};
  std::vector<double> numbers;
};

// Reads FAMILY A B C D E, --formula, --range (when allowed) and numbers.
// Returns 0, or the exit code of a usage error already reported.
int readrequest(int argc, char** argv, bool allowrange, request& r) {
  if (argc < 7) return usageerror(std::string(argv[0]) + " trenger FAMILIE og fem parametre");
  double kind = 0;
  if (!cli::parsenumber(argv[1], kind) || kind != std::trunc(kind) || kind < 0 ||
      kind >= family::count)
    return usageerror("ukjent familie (0..8)");
  r.wish.kind = static_cast<int>(kind);
  for (int k = 0; k < 5; ++k)
    if (!cli::parsenumber(argv[2 + k], r.wish.p[k]))
      return usageerror("parameteren er ikke et tall");
  bool hasformula = false;
  for (int i = 7; i < argc; ++i) {
    const std::string a = argv[i];
    double v = 0;
    if (cli::parsenumber(argv[i], v)) {
      r.numbers.push_back(v);
    } else if (a == "--formula" && i + 1 < argc) {
      r.wish.formula = argv[++i];
      hasformula = true;
    } else if (allowrange && a == "--range" && i + 4 < argc) {
      for (int k = 0; k < 4; ++k)
        if (!cli::parsenumber(argv[i + 1 + k], r.range[k]))
          return usageerror("--range tar fire tall");
      i += 4;
    } else {
      return usageerror("ukjent argument: " + a);
    }
  }
  if (r.wish.kind == family::custom && !hasformula)
    return usageerror("familie 8 trenger --formula");
  return 0;
}

// The same window as "figure": 1000 x 1000 pixels over the range.
struct headlesswindow {
  theadlesshost host;
  tcoords coords;
  explicit headlesswindow(const double range[4]) {
    host.width = 1000;
    host.height = 1000;
    coords.window = &host;
    coords.readoptions();
    coords.setup(0, 0, 1000, 1000, range[0], range[1], range[2], range[3]);
  }
};

}  // namespace

int cmdpoints(int argc, char** argv) {
  request r;
  if (const int bad = readrequest(argc, argv, true, r)) return bad;
  if (!r.numbers.empty()) return usageerror("points tar ingen tall etter parametrene");
  const double* g = r.range;
  if (!(g[0] < g[1]) || !(g[2] < g[3]) || std::fabs(g[0]) > tcoords::maxbound ||
      std::fabs(g[1]) > tcoords::maxbound || std::fabs(g[2]) > tcoords::maxbound ||
      std::fabs(g[3]) > tcoords::maxbound)
    return usageerror("--range: MINX < MAXX og MINY < MAXY, alle innenfor -700..700");
  headlesswindow w(r.range);
  std::unique_ptr<tfigure> f = build(r.wish, w.coords, w.host);
  if (!f) return 1;
  const specialpoints s = findspecialpoints([&](double x) { return f->value(x); },
                                            {g[0], g[1], g[2], g[3], w.host.width});
  for (const specialpoint& p : s.points)
    std::printf("%s %.17g %.17g\n", specialcode(p.kind), p.x + 0.0, p.y + 0.0);
  if (s.incomplete)
    std::fputs(
        "tarnelo-cli: kurven svinger raskere enn punktene kan følge; "
        "det kan finnes flere punkter\n",
        stderr);
  return 0;
}

int cmdtable(int argc, char** argv) {
  request r;
  if (const int bad = readrequest(argc, argv, false, r)) return bad;
  if (r.numbers.size() != 3) return usageerror("table trenger FRA TIL STEG");
  const double from = r.numbers[0], to = r.numbers[1], step = r.numbers[2];
  if (!(step > 0)) return usageerror("STEG må være større enn 0");
  if (to < from) return usageerror("FRA kan ikke være større enn TIL");
  if (tablerows(from, to, step) > maxtablerows)
    return usageerror("tabellen får mer enn 10000 rader");
  headlesswindow w(r.range);
  std::unique_ptr<tfigure> f = build(r.wish, w.coords, w.host);
  if (!f) return 1;
  // The rows are decimal numbers of at most 15 digits: %.15g gives them back.
  std::puts("x,y");
  for (const double x : tablexs(from, to, step)) {
    const double y = f->value(x);
    if (std::isfinite(y))
      std::printf("%.15g,%.17g\n", x + 0.0, y + 0.0);
    else
      std::printf("%.15g,undefined\n", x + 0.0);
  }
  return 0;
}
