// tarnelo-cli: headless commands on the core of Tarnelo.
#include <cstdio>
#include <cstring>

namespace {
const char* const usage =
    "Bruk: tarnelo-cli KOMMANDO ...\n";
}

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
    std::fputs(usage, argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  std::fputs(usage, stderr);
  return 2;
}
