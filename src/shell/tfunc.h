// The function panel: the one list of all figures of all graph windows (each
// window owns a contiguous range of it), the formula display with its spin
// button, the family selector and the five parameter boxes whose values new
// figures take and whose typing, stepping and dragging change the selected
// figures of the active window.
#pragma once

#include <QMdiSubWindow>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "figures/tfigure.h"
#include "graph/tgraphhost.h"
#include "shell/tboxrouter.h"
#include "shell/tmanbox.h"

class tmainform;
class tgrform;
class QTimer;
class tfamilybox;
class tformulaview;
class tparamcolumn;

// Resets the screen cursor when the pointer enters the widget it watches.
class tcursorreset : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

class tfunc : public QMdiSubWindow, public tgraphpanel {
 public:
  static constexpr int helpcontext = 63;
  // Entries of the family selector beyond the nine families.
  static constexpr int nofamilies = 10;

  explicit tfunc(tmainform& main);
  ~tfunc() override;

  // Every figure of every window, grouped by window in window-list order.
  // The list holds the figures; a window takes them back when it closes.
  std::vector<std::unique_ptr<tfigure>> figures;
  std::vector<tfigure*> filtered;
  int32_t current = -1;
  std::vector<std::string> familytexts;  // 11 entries while "Ingen funksjoner" is there
  int32_t family = nofamilies;           // the selector's entry
  tboxrouter router;
  std::array<tmanbox, 5>& boxes = router.boxes;
  uint8_t updating = 0;  // the panel itself writes the edit fields
  uint8_t dropdown = 0;

  // Puts the figure at the end of its window's range and shifts the ranges of
  // the windows after it.
  tfigure& addfig(std::unique_ptr<tfigure> figure, tgrform& window) override;
  // Takes the figure out of the list (nullptr when it is not there) and
  // shifts the ranges; the caller keeps or destroys it.
  std::unique_ptr<tfigure> deletefig(tfigure& figure) override;
  // The window whose range holds the figure.
  tgrform* windowof(const tfigure& figure) const;
  int32_t indexof(const tfigure& figure) const;

  void filpop();
  void changef2(tfigure& figure) override;
  void selectfig(tfigure& figure) { changef2(figure); }
  void hidebars(const std::array<uint8_t, 5>& states) override;
  void listbox2change();
  void resetfamilies() override;
  void formactivate();
  // Sets the selector's entry and recomputes the filtered list.
  void selectfamily(int entry) override;
  // The states of columns 1..5 for a figure: the parameters it does not use
  // hidden, disabled under the fix-point and rotate tools, else normal.
  std::array<uint8_t, 5> statesfor(const tfigure& figure) const;
  // The parameter letter of box k (1..5).
  char letter(int k) const override;

  // The formula display: show and select the current figure, browse.
  void paintbox6click();
  void spinup();
  void spindown();

  // The edit field of box k (1..5): a change (typed by the user or written by
  // a box or a figure), and the end of a typed entry (Enter, leaving the
  // field, an arrow), where the value is clamped and text that is not a
  // number is reported.
  void editchange(int k);
  void editexit(int k);
  // Writes the edit field of box k as a figure showing its parameters does.
  void setparamtext(int k, const std::string& text) override;
  void chkfig(tmanbox& box);

  // Ends a value being typed into any box, as leaving its field does.
  void endentries();
  // Mouse and timer routing to the boxes.
  void boxmousedown(const std::string& control, int row);
  void boxmousemove(const std::string& control, int row);
  void boxmouseup();
  void timertick();
  bool timerrunning() const;
  int timerinterval() const;

  // Redraws the formula display, the selector and the boxes.
  void refresh() override;
  const std::vector<std::unique_ptr<tfigure>>& figurelist() const override { return figures; }
  int selectedfamily() const override { return family; }
  float boxvalue(int k) const override { return boxes[static_cast<size_t>(k - 1)].value; }
  float boxmin(int k) const override { return boxes[static_cast<size_t>(k - 1)].lowlimit(); }
  float boxmax(int k) const override { return boxes[static_cast<size_t>(k - 1)].highlimit(); }
  // The formula display's text as drawn ("%d.%s\d%d\d%s"), empty when none.
  std::string displaytext() const;
  platform::colour displaycolour() const;
  tformulaview& display() { return *display_; }
  tfamilybox& selector() { return *selector_; }
  tparamcolumn& column(int k) { return *columns_[static_cast<size_t>(k - 1)]; }

 private:
  void buildwidgets();
  void rewritemenucaptions();
  void showparam(int k, double value);

  tmainform& main_;
  tformulaview* display_ = nullptr;
  tfamilybox* selector_ = nullptr;
  std::array<tparamcolumn*, 5> columns_{};
  QTimer* timer_ = nullptr;
};
