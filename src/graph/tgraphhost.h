// What a graph window needs of the frame it lives in and of the function
// panel beside it. The frame implements tgraphhost and the panel tgraphpanel,
// so the graph windows build and test without the main window.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "expr/tnode.h"
#include "figures/tfigure.h"
#include "graph/tcursors.h"
#include "graph/windowlayout.h"

namespace platform {
class services;
class imagefactory;
}  // namespace platform

class QMdiArea;
class QWidget;
class tclipbrd;
class tfontwindow;
class tgrform;
class toptions;

// The function panel's figure operations: it owns the figures of all windows.
class tgraphpanel {
 public:
  static constexpr int allfamilies = 9;  // the selector's "all families" entry
  // A parameter bar's state for hidebars.
  static constexpr uint8_t barnormal = 0;
  static constexpr uint8_t barhidden = 1;
  static constexpr uint8_t bardisabled = 2;

  virtual ~tgraphpanel() = default;

  // Every figure, window by window; a window holds a run of them.
  virtual const std::vector<std::unique_ptr<tfigure>>& figurelist() const = 0;
  // The family the selector shows.
  virtual int selectedfamily() const = 0;
  // Parameter box k (1 to 5): its value and its scale's limits.
  virtual float boxvalue(int k) const = 0;
  virtual float boxmin(int k) const = 0;
  virtual float boxmax(int k) const = 0;
  virtual char letter(int k) const = 0;

  virtual tfigure& addfig(std::unique_ptr<tfigure> figure, tgrform& window) = 0;
  virtual std::unique_ptr<tfigure> deletefig(tfigure& figure) = 0;
  virtual void changef2(tfigure& figure) = 0;
  virtual void hidebars(const std::array<uint8_t, 5>& states) = 0;
  virtual void resetfamilies() = 0;
  virtual void selectfamily(int entry) = 0;
  virtual void setparamtext(int k, const std::string& text) = 0;
  virtual void refresh() = 0;
};

// The frame as the graph windows see it: the program-wide state it owns and
// the operations a window calls on it.
class tgraphhost {
 public:
  virtual ~tgraphhost() = default;

  // --- program-wide state
  std::vector<tgrform*> windowlist;  // creation order; the windows belong to the frame
  tgrform* activewindow = nullptr;
  uint8_t tool = 0;
  int16_t toolcursor = tcursors::arrow;
  uint8_t busy = 0;
  uint8_t modified = 0;
  uint8_t terminating = 0;
  uint8_t panelactive = 0;
  uint8_t panelrepaint = 0;
  uint8_t buttondown = 0;
  std::string customtext;  // the last user-defined formula, at most 80 characters
  texpression customexpression;

  // The frame's widget: parent of the shared point dialogs.
  virtual QWidget& frame() = 0;
  virtual platform::services& services() = 0;
  virtual platform::imagefactory& images() = 0;
  virtual const tcursors& cursors() const = 0;
  virtual QMdiArea& mdi() = 0;
  virtual toptions& options() = 0;
  virtual tgraphpanel& func() = 0;
  virtual bool hasfunc() const = 0;
  virtual tclipbrd& clipboard() = 0;
  // The label font window; nullptr until the start-up has made it.
  virtual tfontwindow* fontwindow() = 0;
  // The figures changed: an open table of values shows them anew.
  virtual void figureschanged() = 0;

  // --- status line: panel 0 coordinates, panel 1 tool, panel 2 hint
  virtual void setpanel(int panel, const QString& text) = 0;
  virtual QString paneltext(int panel) const = 0;
  void clearhint() { setpanel(2, QString()); }

  virtual void enablecutcopy(bool on) = 0;
  virtual void updateclosewindowitem() = 0;
  virtual tframemeasures measures() const = 0;
  virtual void zoomoutclick() = 0;  // one zoom-out step
  virtual void toolclick(int toolcode) = 0;
  // A gesture of the user ended (a press and release, a key, a dialog): what
  // it changed becomes one step of the undo history. verb names a drag
  // ("flytting", "vridning"); empty, the change names itself.
  virtual void gesturedone(const std::string& verb) { (void)verb; }
};
