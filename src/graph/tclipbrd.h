// The program's own clipboard for figures and labels: what was last cut or
// copied, for pasting into any graph window, and what was last deleted, for
// restoring into the window it came from. It never touches the system
// clipboard. Figures are held as values (family, parameters, formula text),
// so nothing held depends on a window that may have closed since.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "figures/tfigure.h"
#include "graph/tgralab.h"
#include "graph/tlabeltool.h"

// What the clipboard needs from a graph window.
class tclipwindow {
 public:
  virtual ~tclipwindow() = default;
  virtual tlabeltool& labeltool() = 0;
  // The selected figures in selection order.
  virtual std::vector<tfigure*> selectedfigures() = 0;
  virtual bool hasfigures() const = 0;
  // Takes the figure out of the function panel's list and out of the
  // selection, and destroys it.
  virtual void deletefigure(tfigure& figure) = 0;
  virtual void clearselection() = 0;
  // The window's first figure becomes the only selected one, its values shown.
  virtual void selectfirst() = 0;
  virtual tfigure* creategraph(int family) = 0;
  virtual void repant() = 0;
  virtual void pant() = 0;
};

// What the clipboard needs from the main window and the function panel.
class tcliphost {
 public:
  virtual ~tcliphost() = default;
  // "&Lim inn" and its tool button.
  virtual void enablepaste(bool on) = 0;
  // "&Angre sletting".
  virtual void enableundodelete(bool on) = 0;
  virtual void enablecutcopy(bool on) = 0;
  // Makes text the current user formula with a newly parsed expression;
  // false when it does not parse (the parameter letters may have changed).
  virtual bool setcustomformula(const std::string& text) = 0;
  // Parameter box k (1..5) takes the value; the edit box shows it formatted.
  virtual void setboxvalue(int k, float value) = 0;
  virtual void showboxtext(int k, float value) = 0;
  // The panel's state for a window without figures ("Ingen funksjoner").
  virtual void showemptypanel() = 0;
};

// One figure as the clipboard holds it.
struct tclipfigure {
  uint8_t kind = 0;
  int32_t paramcount = 0;
  bool frozen = false;
  std::array<double, 6> param{};  // the parameters used, double precision
  std::array<bool, 6> used{};     // parameter k (the letter k) occurs
  std::string formula;            // user-defined figures, at most 80 characters
};

class tclipbrd {
 public:
  explicit tclipbrd(tcliphost& host);
  ~tclipbrd();
  tclipbrd(const tclipbrd&) = delete;
  tclipbrd& operator=(const tclipbrd&) = delete;

  std::vector<tclipfigure> clip;
  std::vector<tclipfigure> deleted;
  std::unique_ptr<tgralab> deletedlabel;
  std::unique_ptr<tgralab> cliplabel;

  // All windows closed.
  void clear();
  void cut(tclipwindow& window);
  void copy(tclipwindow& window);
  void paste(tclipwindow& window);
  void deleteselection(tclipwindow& window);  // "&Slett"
  void undodelete(tclipwindow& window);
  void activated(tclipwindow& window);
  // A window is closing: what was deleted from it can no longer go back.
  void windowclosed(tclipwindow& window);

  // The window the held deletion belongs to; nullptr once it was restored or
  // its window closed.
  const tclipwindow* deletedfrom() const { return deletedwindow_; }
  bool canpaste() const { return cliplabel != nullptr || !clip.empty(); }

 private:
  tclipfigure copyfigure(const tfigure& figure);
  void take(tclipwindow& window, std::vector<tclipfigure>& list);
  void pastefigures(tclipwindow& window, const std::vector<tclipfigure>& list);
  void clearclip();
  void cleardeleted();
  // A new label copied from source, placed in the window and drawn with its frame.
  tgralab& restorelabel(tclipwindow& window, const tgralab& source, int32_t offset);

  tcliphost& host_;
  tclipwindow* deletedwindow_ = nullptr;
};
