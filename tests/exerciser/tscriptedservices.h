// The scripted services with chance behind them: every message box, file
// dialog and printer dialog is answered from the exerciser's generator, so a
// run is the same for the same seed. Answers queued in the fake's own lists
// go first (the exerciser queues them for its save-and-open check).
#pragma once

#include <string>
#include <vector>

#include "support/fakeservices.h"
#include "trng.h"

class tscriptedservices : public fakeservices {
 public:
  tscriptedservices(trng& rng, std::string folder) : rng_(rng), folder_(std::move(folder)) {}

  // Texts handed in that were not Windows-1252; the exerciser fails on them.
  std::vector<std::string> encodingfaults;
  // Files the program wrote or may read, in the order they were named.
  std::vector<std::string> knownfiles;
  // A damaged file was named: its messages may quote random bytes, so their
  // encoding is not judged until the exerciser clears this.
  bool damagedname = false;

  platform::msgresult messagebox(const std::string& text, const std::string& caption,
                                 platform::msgkind kind, platform::msgbuttons buttons) override;
  bool openfile(platform::filedialog& d) override;
  bool savefile(platform::filedialog& d) override;
  bool printersetupdialog() override;
  bool printdialog() override;
  platform::surface* begindoc(const std::string& title) override;

 private:
  bool answerfile(platform::filedialog& d, bool saving);
  void check(const char* what, const std::string& text);

  trng& rng_;
  std::string folder_;
  int newnames_ = 0;
};
