// Random user actions on the started program, from a seed: menu commands and
// tool buttons, mouse and keys on the graph windows, typing into the panel's
// boxes, the dialogs and the labels, windows opened and closed, files saved
// and opened again. After every action the program's state is checked; the
// first broken rule stops the run with the seed, the action's number and the
// actions before it.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/qt/qtimage.h"
#include "shell/tundohistory.h"
#include "trng.h"
#include "tscriptedservices.h"

class tmainform;
class tgrform;
class tfigure;
class QWidget;
namespace testing {
class TestPartResultArray;
}

struct texerciseoptions {
  uint64_t seed = 1;
  int64_t actions = 1000;  // 0: until the time is up
  double seconds = 0;      // 0: no time limit
  double actionlimit = 5;  // seconds one action may take
  int settings = -1;       // 1 a random settings file, 0 none, -1 as the seed says
  bool verbose = false;
  int undoevery = 250;  // actions between walks through the undo history; 0 none
  int undodepth = 300;  // steps one walk goes back at most
};

class texerciser {
 public:
  explicit texerciser(const texerciseoptions& options);
  ~texerciser();

  // Runs the actions; true when every check held. Prints the failure.
  bool run();
  int64_t done() const { return done_; }
  // A digest of every action taken: the same seed gives the same digest.
  uint64_t digest() const { return digest_; }

  // The report for a failure found by the watchdog or a sanitizer.
  void printreport(const std::string& reason);
  static texerciser* current;
  std::atomic<int64_t> actionstart{0};  // steady-clock ms when the action began; 0 idle
  double actionlimit() const { return options_.actionlimit; }
  // Failures the shared fake reported through the test framework.
  const testing::TestPartResultArray* reported = nullptr;

 private:
  // --- program
  void start();
  void restart();
  tgrform* active();
  std::vector<tgrform*> windows();

  // --- actions
  void act();
  void log(const std::string& text);
  void menucommand();
  void toolbutton();
  void mouseoncanvas();
  void keyoncanvas();
  void shortcut();
  void typeintobox();
  void panelwidget();
  void typeintofocus();
  void windowaction();
  void otherwindow();
  void saveandopen();
  void damagedfile();
  void exitquestion();

  // --- modal dialogs: answered from inside their own event loop
  void pump(uint64_t generation);
  void answermodal(QWidget& modal);
  void settle();

  // --- random input
  QString plausibletext();
  QString anytext();
  std::string randomsettings();
  struct canvaspoint {
    int x, y;
    std::string where;
  };
  canvaspoint pointon(tgrform& w);
  canvaspoint pointanywhere(tgrform& w);

  // --- checks
  struct figurestate {
    std::array<double, 6> param;
  };
  void snapshot();
  void check();
  // The work after every step, kept while the history holds that step: a
  // state that changed without a step, or an undo or redo that does not
  // give it back, breaks the rule.
  void checkhistory();
  void undowalk();
  void fail(const std::string& reason);

  texerciseoptions options_;
  trng rng_;
  QTemporaryDir dir_;
  std::string folder_;
  tscriptedservices services_;
  platform::qtimagefactory images_;
  std::unique_ptr<tmainform> main_;
  std::string inipath_;
  int64_t done_ = 0;
  uint64_t digest_ = 1469598103934665603ull;
  std::mutex logmutex_;
  std::deque<std::string> last_;
  uint64_t generation_ = 0;
  int answers_ = 0;
  int restarts_ = 0;
  int saved_ = 0;

  // State before the action, for the checks after it.
  std::map<const tfigure*, figurestate> before_;
  std::array<float, 6> minbefore_{};
  std::array<float, 6> maxbefore_{};
  std::size_t figuresbefore_ = 0;
  bool expectmodified_ = false;
  bool freshvalues_ = false;  // the action may bring values from a file or the history

  struct keptstate {
    int index;
    const void* step;  // the step that led here
    tundostate state;
  };
  std::vector<keptstate> kept_;  // by step number, rising
  const void* oldeststep_ = nullptr;
  int historyresets_ = -1;
};
