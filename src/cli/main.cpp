// tarnelo-cli: headless commands on the core of Tarnelo. Each command group
// lives in its own file; this table is the one place that names them.
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli_dump.h"
#include "cli/cli_expr.h"
#include "cli/cli_figures.h"
#include "cli/cli_points.h"
#include "cli/cli_render.h"
#include "cli/cliargs.h"

namespace {

struct command {
  const char* name;
  int (*run)(int argc, char** argv);  // argv[0] is the command name
};

constexpr std::array<command, 9> commands = {{
    {"parse", cmdparse},
    {"eval", cmdeval},
    {"deriv", cmdderiv},
    {"dump", clidump},
    {"figure", cmdfigure},
    {"plot", cmdplot},
    {"points", cmdpoints},
    {"render", cmdrender},
    {"table", cmdtable},
}};

std::string usage() {
  return std::string(exprusage) + "  tarnelo-cli dump FIL\n" + figuresusage + renderusage +
         pointsusage;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string text = usage();
  if (argc < 2) return cli::usageerror("mangler kommando", text.c_str());
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::printf("Bruk:\n%s", text.c_str());
    return 0;
  }
  for (const command& c : commands) {
    if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 1, argv + 1);
  }
  return cli::usageerror(std::string("ukjent kommando: ") + argv[1], text.c_str());
}
