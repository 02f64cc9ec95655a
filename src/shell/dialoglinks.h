// The options dialog, the polynomial dialog and the printout joined to the main
// window: the two dialogs talk to the program through small host interfaces,
// and these are their implementations on the main window, with the commands
// that open them.
#pragma once

#include <string>

#include "dialogs/tpolyform.h"
#include "settings/toptionsform.h"

class tmainform;
class tcustom;

class toptionslink : public toptionshost {
 public:
  explicit toptionslink(tmainform& main) : main_(main) {}
  tboxsettings boxsettings(int p) const override;
  void setboxsettings(int p, const tboxsettings& s) override;
  void applywindow() override;
  void letterschanged(const std::string& old) override;
  void setfuncname(const std::string& prefix) override;
  void redrawwindow() override;

  // A user formula's text with every parameter letter that stands alone
  // renamed from `old` to `now` (position by position).
  static std::string renameletters(const std::string& text, const std::string& old,
                                   const std::string& now);

 private:
  tmainform& main_;
};

class tpolylink : public tpolyhost {
 public:
  explicit tpolylink(tmainform& main) : main_(main) {}
  tfigure* creategraph(int family) override;
  void resetvisi(tfigure& figure) override;
  void settool(int code) override;
  void redraw() override;

 private:
  tmainform& main_;
};

// Makes the dialogs (once) and connects "&Innstillinger", "Inter&polasjon" and
// "S&kriv ut..." to them; the dialogs and links live as long as the main window.
void installdialogs(tmainform& main);
toptionsform* optionsform(tmainform& main);
tpolyform* polyform(tmainform& main);
// "S&kriv ut...": the active window on one page after the print dialog.
bool printactivewindow(tmainform& main);
