// tarnelo-exerciser: the program driven by random user actions from a seed,
// with every check after every action. See texerciser.h.
//
//   tarnelo-exerciser [--seed S] [--actions N] [--seconds T] [--action-limit T]
//                     [--settings 0|1] [--verbose]
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "texerciser.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define TARNELO_SANITIZED 1
#endif

namespace {

std::atomic<bool> reported{false};

void reportonce(const char* reason) {
  if (reported.exchange(true)) return;
  if (texerciser::current) texerciser::current->printreport(reason);
}

void onsignal(int sig) {
  reportonce(sig == SIGSEGV   ? "crash (SIGSEGV)"
             : sig == SIGABRT ? "abort (SIGABRT)"
             : sig == SIGFPE  ? "crash (SIGFPE)"
                              : "crash (signal)");
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

#ifdef TARNELO_SANITIZED
void ondeath() {
  reportonce("sanitizer report (above)");
}
#endif

// Ends the run when one action takes longer than the limit: a hang.
void watch(std::atomic<bool>& stop) {
  while (!stop) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    texerciser* e = texerciser::current;
    if (!e) continue;
    const int64_t began = e->actionstart;
    if (began == 0) continue;
    const int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
    if (static_cast<double>(now - began) > e->actionlimit() * 1000) {
      reportonce(
          ("an action took longer than " + std::to_string(e->actionlimit()) + " s (hang)").c_str());
      std::_Exit(3);
    }
  }
}

void usage() {
  std::fprintf(stderr,
               "usage: tarnelo-exerciser [--seed S] [--actions N] [--seconds T]\n"
               "                         [--action-limit T] [--settings 0|1] [--verbose]\n"
               "                         [--undo-every N] [--undo-depth N]\n");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  texerciseoptions o;
  bool actionsgiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool more = i + 1 < argc;
    if (a == "--seed" && more)
      o.seed = std::strtoull(argv[++i], nullptr, 10);
    else if (a == "--actions" && more) {
      o.actions = std::strtoll(argv[++i], nullptr, 10);
      actionsgiven = true;
    } else if (a == "--seconds" && more)
      o.seconds = std::strtod(argv[++i], nullptr);
    else if (a == "--action-limit" && more)
      o.actionlimit = std::strtod(argv[++i], nullptr);
    else if (a == "--settings" && more)
      o.settings = std::atoi(argv[++i]);
    else if (a == "--undo-every" && more)
      o.undoevery = std::atoi(argv[++i]);
    else if (a == "--undo-depth" && more)
      o.undodepth = std::atoi(argv[++i]);
    else if (a == "--verbose")
      o.verbose = true;
    else {
      usage();
      return 2;
    }
  }
  // With a time given and no count, run until the time is up.
  if (o.seconds > 0 && !actionsgiven) o.actions = 0;

  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // The shared fake reports wrong text encodings as test failures; here they
  // are collected and end the run like any other broken check.
  testing::TestPartResultArray gtestfailures;
  testing::ScopedFakeTestPartResultReporter reporter(
      testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &gtestfailures);

  for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, onsignal);
#ifdef TARNELO_SANITIZED
  __sanitizer_set_death_callback(ondeath);
#endif
  std::atomic<bool> stop{false};
  std::thread watchdog(watch, std::ref(stop));

  const auto began = std::chrono::steady_clock::now();
  bool ok = false;
  int64_t done = 0;
  uint64_t digest = 0;
  {
    texerciser e(o);
    e.reported = &gtestfailures;
    ok = e.run();
    done = e.done();
    digest = e.digest();
    if (ok && gtestfailures.size() > 0) {
      e.printreport(gtestfailures.GetTestPartResult(0).message());
      ok = false;
    }
  }
  stop = true;
  watchdog.join();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::printf("exerciser seed %llu: %lld actions in %.1f s (%.1f per second), digest %016llx: %s\n",
              static_cast<unsigned long long>(o.seed), static_cast<long long>(done), seconds,
              seconds > 0 ? static_cast<double>(done) / seconds : 0.0,
              static_cast<unsigned long long>(digest), ok ? "passed" : "FAILED");
  return ok ? 0 : 1;
}
