// The text labels of one graph window and the label steps of the text and
// select tools: dragging out a new label, opening it in the window's memo,
// selecting, moving and resizing it by its handles.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graph/tframe.h"
#include "graph/tgralab.h"

// The window's edit box for label text (memo2), shown over the drawing.
class tlabelmemo {
 public:
  virtual ~tlabelmemo() = default;
  virtual platform::rect bounds() const = 0;
  virtual void setbounds(const platform::rect& r) = 0;
  virtual std::vector<std::string> lines() const = 0;
  virtual void setlines(const std::vector<std::string>& lines) = 0;
  virtual platform::font font() const = 0;
  virtual void setfont(const platform::font& f) = 0;
  virtual bool visible() const = 0;
  virtual void setvisible(bool on) = 0;
  virtual void setfocus() = 0;
};

// The label font window as the label steps use it.
class tlabelfonts {
 public:
  virtual ~tlabelfonts() = default;
  // Applies face, size, colour, bold and italic of its controls to the memo's font.
  virtual void applyall() = 0;
  virtual void loadfont(const platform::font& f) = 0;
  virtual bool visible() const = 0;
  virtual void setvisible(bool on) = 0;
};

// What the label steps need from their window and the main window.
class tlabelhost : public tlabelowner {
 public:
  virtual tlabelmemo& memo() = 0;
  virtual tlabelfonts& fontwindow() = 0;
  virtual bool paintlocked() const = 0;
  virtual void setpaintlock(bool on) = 0;
  // The window's downx/downy.
  virtual platform::point down() const = 0;
  virtual void setdown(platform::point p) = 0;
  virtual bool hasfigures() const = 0;
  virtual void pant() = 0;
  virtual void enablecutcopy(bool on) = 0;
  // The select tool becomes current, the window shows the arrow and pending
  // events are processed.
  virtual void selecttool() = 0;
  // The text tool becomes current as if its tool button were pressed.
  virtual void texttool() = 0;
  virtual void clearhint() = 0;
  virtual void focuswindow() = 0;
  // The function name's first character and the primary selected figure's
  // formula as plain text; empty with no selection.
  virtual std::string primaryformula() = 0;
  // The typing into a label is over: its text is now the label's.
  virtual void editingended() {}
};

class tlabeltool {
 public:
  // Key code of F, which with Ctrl inserts the selected formula.
  static constexpr int keyf = 70;

  explicit tlabeltool(tlabelhost& host);

  std::vector<std::unique_ptr<tgralab>> labels;  // creation order
  tgralab* curlabel = nullptr;                   // the label under work
  tgralab* selectedlabel = nullptr;              // the label whose frame is shown
  bool labeldrag = false;
  bool labelresize = false;
  tframe frame;

  tlabelhost& host() { return host_; }

  // Text tool: press, drag, release.
  void texttool(int32_t x, int32_t y);
  void movelabelframe(int32_t x, int32_t y);
  void newlabel();
  // Select tool: press and drag.
  void labelclick(int32_t x, int32_t y);
  void resizelabel(int32_t x, int32_t y);
  // Hover cursor of the selected label at (x, y); 0 when none applies.
  int hovercursor(int32_t x, int32_t y) const;
  // Double click: opens the selected label when it is the one under work.
  // True when it did.
  bool dblclick();

  // Ends an open edit, storing what the memo holds into the label.
  void endediting();
  void hidememo();
  void memo2enter();
  void memo2exit();
  // True when the key was used (Ctrl+F while a label is open).
  bool memo2keydown(int key, bool ctrl);

  // Every label grabs its background and draws itself (end of drawaxes).
  void drawlabels();

  // The clipboard's access: a label appended, the selected one taken out.
  tgralab& add(std::unique_ptr<tgralab> label);
  std::unique_ptr<tgralab> takeselected();

 private:
  void open(tgralab& label);
  void beginedit(tgralab& label);
  void endedit(tgralab& label);

  tlabelhost& host_;
};
