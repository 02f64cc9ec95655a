// The coordinate system of a graph window: the visible world rectangle, the
// mapping between world and pixels, the zoom history, and the fixed part of the
// picture (background or grid, axes, ticks, range labels, arrows).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "figures/tcoordshost.h"
#include "platform/surface.h"

struct worldpoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const worldpoint&, const worldpoint&) = default;
};

// One earlier rectangle, in the order Min X, Min Y, Max X, Max Y.
struct tzoomrecord {
  double minx = 0;
  double miny = 0;
  double maxx = 0;
  double maxy = 0;
};

class tcoords {
 public:
  // Bounds beyond this magnitude make setup ignore the call.
  static constexpr double maxbound = 700.0;

  double xscale = 0;
  double yscale = 0;
  double minx = 0;
  double maxx = 0;
  double miny = 0;
  double maxy = 0;
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  double xspan = 0;
  double yspan = 0;
  int32_t pixwidth = 0;
  int32_t pixheight = 0;
  double xstep = 0;
  double ystep = 0;
  tcoordshost* window = nullptr;
  // The window's picture; the grid is drawn straight into it, so a window
  // holds one image of its client size.
  std::unique_ptr<platform::image> image;
  platform::colour axiscolour = platform::black;
  platform::colour gridcolour = platform::black;
  bool showgrid = false;
  bool showticks = true;
  double gridstep = 1.0;
  double tickstep = 1.0;
  std::array<platform::colour, 4> figcolours{};
  std::vector<platform::point> ticks;
  int32_t xtickcount = 0;
  double originx = 0;
  double originy = 0;
  std::vector<tzoomrecord> zoomhistory;

  // Makes the lists and the drawing image and reads the options. The window
  // and the factory must outlive the coordinate system.
  void create(tcoordshost& owner, platform::imagefactory& factory);
  // A grid or tick step that is not a positive number keeps the previous one.
  void readoptions();
  // Returns false when the call was ignored (a bound beyond +-700, or a range
  // that is empty or not a number).
  bool setup(int32_t left, int32_t top, int32_t right, int32_t bottom, double minx, double maxx,
             double miny, double maxy);
  platform::point worldtopixel(double x, double y) const;
  worldpoint pixeltoworld(int32_t px, int32_t py) const;
  void drawbackground();
  void drawaxes();
  void pushzoom();
  void popzoom();
  void destroy();

  // Arrow bitmaps, drawn with their horizontal centre at the arrow's left and
  // their bottom at its top.
  static constexpr int arrowwidth = 9;
  static constexpr int arrowheight = 9;
  // Ticks reach this far to each side of the axis.
  static constexpr int ticklength = 5;

 private:
  void readgridstep();
  void drawgrid(platform::surface& s);
  void buildticks();
  void drawarrow(bool xarrow, platform::point at);

};
