// A graph window: one child window of the frame with its coordinate system and
// the figures of its range in the function panel's list. Everything is drawn
// into the coordinate system's image first and then shown in one step. Qt
// events only call the handlers below, so that tests can call them directly.
#pragma once

#include <QMdiSubWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "figures/tcoords.h"
#include "figures/tcoordshost.h"
#include "figures/tfigure.h"
#include "figures/tfigurehost.h"

class tgraphhost;
class tgrcanvas;
class tgrlabels;
class tgranalysis;

// Mouse buttons and shift-state members the handlers use.
namespace shiftstate {
inline constexpr unsigned shift = 1;
inline constexpr unsigned ctrl = 2;
inline constexpr unsigned left = 4;
inline constexpr unsigned right = 8;
}  // namespace shiftstate
enum class mousebutton { left, right, middle };

class tgrform : public QMdiSubWindow, public tcoordshost, public tfigurehost {
 public:
  // Creation: places itself beside the panel, takes the next "Vindu %d"
  // caption, appends itself to the window list, sets up its coordinate system
  // and, unless the frame is busy, gets a first figure of the panel's family.
  explicit tgrform(tgraphhost& main);
  ~tgrform() override;

  // Counts the graph windows made; reset when all windows close for a new project.
  static int32_t windowcounter;
  static void resetwindowcounter() { windowcounter = 0; }

  tcoords coords;
  // The intersection, derivative and tangent tools of this window.
  std::unique_ptr<tgranalysis> analysis;
  std::vector<tfigure*> selection;
  int32_t firstfig = 0;
  int32_t lastfig = 0;
  int32_t figcount = 0;
  tfigure* curfig = nullptr;
  double mousex = 0;
  double mousey = 0;
  int32_t downx = 0;
  int32_t downy = 0;
  uint8_t visimask = 0;  // bit k set: parameter k (1..5) usable
  std::array<double, 6> visivalues{};
  bool zooming = false;
  int32_t zoomdepth = 0;
  bool paintlock = false;
  // The window's number: the count of windows in the list before it, plus 1.
  int32_t number = 1;
  // The zoom-in tool's rectangle in client pixels, shown while it is dragged.
  platform::rect shape1{};
  bool shape1visible = false;
  // The hover hint: the formula of the figure under the pointer.
  std::string hint;
  bool hintvisible = false;
  // The cursor number the window shows, and the one held over every window
  // while a figure is dragged (0: none).
  int windowcursor = -2;
  int screencursor = 0;
  // The rotate tool's axis lock on sine and cosine curves, shared by all
  // windows: start pixel of the locked drag (0, 0 when none) and the axis
  // (0 free, 1 horizontal only, 2 vertical only).
  static int32_t lockx;
  static int32_t locky;
  static int32_t lockaxis;
  // The fix-point tool's coordinates dialog: gets the fix point's x and y,
  // returns true on OK with the new point in them. Unset: no dialog opens.
  std::function<bool(tfigure& figure, double& x, double& y)> askfixcoords;
  // The background a window file gave this window; unset, the options' colour.
  std::optional<platform::colour> background;

  // --- operations
  tfigure* creategraph(int family);
  void pant();
  void repant() override;
  void drawselection();
  // The marks of the special-points tool, found for the window as it is now.
  void drawspecialpoints();
  // Takes the special-points marks away; true when there were some.
  bool clearspecialpoints();
  // After a view was drawn with another tool current: the crossings or the
  // special points of the current tool again.
  void redrawtoolmarks();
  void clearselection() override;
  void resetvisi(tfigure& figure) override;
  void restoreselection();
  void afterp();
  void pointtool(unsigned shift, int x, int y);
  // Redraws the window and shows its selection again without looking for a
  // figure under the pointer.
  void refreshselection();
  void suize(unsigned shift, int x, int y);
  void fix(int x, int y);
  void zoom(int x, int y);
  // False for a user formula whose parameters cannot be fitted: the fix-point,
  // rotate and move tools leave such a figure alone.
  static bool adjustable(const tfigure& figure);
  void intersect();
  void hidememo();
  bool closing() const { return firstfig == -1 && lastfig == -1; }
  bool hasvisi(int k) const { return (visimask >> k) & 1u; }

  // --- event handlers
  void formactivate();
  void formdeactivate();
  void formresize();
  // Returns whether the window may close (the last window never does while
  // the frame is not busy).
  bool formclose();
  void formmousedown(mousebutton button, unsigned shift, int x, int y);
  void formmousemove(unsigned shift, int x, int y);
  void formmouseup(mousebutton button, unsigned shift, int x, int y);
  void formdblclick();
  void formkeydown(int key, unsigned shift);
  void formkeyup(int key);
  // A key went to a shortcut (or any other key was pressed) after Shift or Ctrl.
  void formotherkey();

  // The status-line text for a world position, e.g. "x:  1,00 , y: -2,50".
  static QString coordtext(double x, double y, char decimalseparator);

  // The widget that shows the image (the client area).
  tgrcanvas& canvas() { return *canvas_; }
  // The figures of this window in panel order.
  std::vector<tfigure*> figures() const;
  // The window's text labels with their memo, as the clipboard reaches them.
  tgrlabels& textlabels() { return *textlabels_; }

  // --- tcoordshost
  int clientwidth() const override;
  int clientheight() const override;
  platform::colour windowcolour() const override;
  int currenttool() const override;
  tcoordsoptions coordsoptions() const override;
  platform::point rangelabelsize(int which, platform::surface& canvas) override;
  void placerangelabel(int which, int left, int top, const std::string& text,
                       platform::colour textcolour) override;
  void showrangelabels(platform::surface& image) override;
  void placearrows(platform::point xarrow, platform::point yarrow) override;
  void drawtextlabels(platform::surface& image) override;

  // --- tfigurehost
  float paramvalue(int k) const override;
  float parammin(int k) const override;
  float parammax(int k) const override;
  float paramstep(int k) const override;
  std::string paramformat(int k) const override;
  bool alwaysround() const override;
  std::string funcname() const override;
  char decimalseparator() const override;
  bool windowactive() const override;
  bool panelapplying() const override;
  void setparamtext(int k, const std::string& text) override;
  void changef2(tfigure& figure) override;
  platform::point lastmouse() const override;
  void setlastmouse(platform::point p) override;
  void addtoselection(tfigure& figure) override;
  void bringtofront() override;

  // Copies the image to the screen.
  void showimage();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void setupfromoptions();
  void setwindowcursor(int number);
  void setscreencursor(int number);
  void showshape1();
  void fixcoordsdialog(int x, int y);
  void zoomrelease();
  // The release under the current tool, before it is recorded as a step.
  void mouseup(mousebutton button, unsigned shift, int x, int y);
  void dragpress(int x, int y);
  void dragrelease(int x, int y);
  // Rounds the dragged figure's values toward zero to their Step.
  void snaptostep(tfigure& figure);
  void hover(int x, int y);
  void sethint(const std::string& text);

  struct labelslot {
    int left = 0;
    int top = 0;
    std::string text;
    platform::colour colour = platform::black;
  };

  tgraphhost& main_;
  tgrcanvas* canvas_ = nullptr;
  std::unique_ptr<tgrlabels> textlabels_;
  std::array<labelslot, 4> labels_{};
  platform::point lastmouse_{};
  // A rotate or move drag step ran since the press.
  bool dragged_ = false;
  // Shift or Ctrl pressed alone and not yet let go (0: none).
  int pendingkey_ = 0;
  bool destroying_ = false;
  // The figure whose values were shown last and those values: showing the same
  // figure with other values means it was changed.
  const tfigure* shownfigure_ = nullptr;
  std::array<double, 6> shownparams_{};
};
