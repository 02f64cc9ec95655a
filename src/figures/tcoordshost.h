// What a coordinate system needs from the graph window that owns it. The
// window implements this; the command-line program and the tests use a
// headless version that writes the range labels as text into the image.
#pragma once

#include <array>
#include <string>

#include "platform/surface.h"

// Tool codes of the main window (the current tool decides zoom history,
// value formats and fix-point drawing).
namespace toolcode {
inline constexpr int select = 0;
inline constexpr int text = 1;
inline constexpr int zoomin = 2;
inline constexpr int zoomout = 3;
inline constexpr int fixpoint = 4;
inline constexpr int rotate = 5;
inline constexpr int move = 6;
inline constexpr int intersection = 7;
inline constexpr int freeze = 8;
inline constexpr int derivative = 9;
inline constexpr int tangent = 10;
inline constexpr int special = 11;  // zeros, extrema and the y-axis crossing
}  // namespace toolcode

// The options a coordinate system copies in readoptions. The figure colours
// are in the order passive, active, frozen active, frozen passive.
struct tcoordsoptions {
  platform::colour axiscolour = platform::black;
  platform::colour gridcolour = platform::rgb(128, 128, 128);
  std::array<platform::colour, 4> figcolours{platform::rgb(0, 0, 128), platform::rgb(255, 0, 0),
                                             platform::rgb(0, 128, 0), platform::rgb(128, 128, 128)};
  bool showgrid = false;
  bool showticks = true;
  double gridstep = 1.0;
  double tickstep = 1.0;
};

// The four range labels at the ends of the axes.
namespace rangelabel {
inline constexpr int maxy = 0;
inline constexpr int miny = 1;
inline constexpr int minx = 2;
inline constexpr int maxx = 3;
}  // namespace rangelabel

class tcoordshost {
 public:
  virtual ~tcoordshost() = default;

  virtual int clientwidth() const = 0;
  virtual int clientheight() const = 0;
  virtual platform::colour windowcolour() const = 0;
  virtual int currenttool() const = 0;
  virtual tcoordsoptions coordsoptions() const = 0;

  // Size of a range label as it shows its current text (canvas measures text
  // where the window has no label control of its own).
  virtual platform::point rangelabelsize(int which, platform::surface& canvas) = 0;
  virtual void placerangelabel(int which, int left, int top, const std::string& text,
                               platform::colour textcolour) = 0;
  // Shows the four labels and copies what they show into the image, so that
  // printing and copying the image include them.
  virtual void showrangelabels(platform::surface& image) = 0;
  // Where the arrows were drawn: horizontal centre and bottom of each.
  virtual void placearrows(platform::point xarrow, platform::point yarrow) = 0;
  // Draws the window's text labels into the image.
  virtual void drawtextlabels(platform::surface& image) = 0;
};
