// A graph window: one child window of the frame with its coordinate system and
// the figures of its range in the function panel's list. Everything is drawn
// into the coordinate system's image first and then shown in one step. Qt
// events only call the handlers below, so that tests can call them directly.
#pragma once

#include <QMdiSubWindow>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "figures/tcoords.h"
#include "figures/tcoordshost.h"
#include "figures/tfigure.h"
#include "figures/tfigurehost.h"

class tmainform;
class tgrcanvas;

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
  explicit tgrform(tmainform& main);
  ~tgrform() override;

  // Counts the graph windows made; reset when all windows close for a new project.
  static int32_t windowcounter;
  static void resetwindowcounter() { windowcounter = 0; }

  tcoords coords;
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

  // --- operations
  tfigure* creategraph(int family);
  void pant();
  void repant() override;
  void drawselection();
  void clearselection() override;
  void resetvisi(tfigure& figure) override;
  void restoreselection();
  void afterp();
  void pointtool(unsigned shift, int x, int y);
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

  // The status-line text for a world position, e.g. "x:  1,00 , y: -2,50".
  static QString coordtext(double x, double y, char decimalseparator);

  // The widget that shows the image (the client area).
  tgrcanvas& canvas() { return *canvas_; }
  // The figures of this window in panel order.
  std::vector<tfigure*> figures() const;

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

 private:
  void setupfromoptions();

  struct labelslot {
    int left = 0;
    int top = 0;
    std::string text;
    platform::colour colour = platform::black;
  };

  tmainform& main_;
  tgrcanvas* canvas_ = nullptr;
  std::array<labelslot, 4> labels_{};
  platform::point lastmouse_{};
  bool destroying_ = false;
};
