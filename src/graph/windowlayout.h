// Where the main window puts its graph windows: the staircase of a new window,
// tiling and cascading. Pure arithmetic on the frame's measures, so that the
// rules can be checked without a screen.
#pragma once

#include <vector>

struct tplacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const tplacement&, const tplacement&) = default;
};

// The frame's measures. Client height includes the tool bar and the status
// line; window positions are relative to the area below the tool bar.
struct tframemeasures {
  int clientleft = 0;
  int clienttop = 0;
  int clientwidth = 0;
  int clientheight = 0;
  int toolbarheight = 0;
  int statusheight = 0;
  int panelleft = 0;
  int panelwidth = 0;
};

// A new graph window beside the function panel, on the wider side, stepped
// down by one caption height for each window already open. windowcount counts
// the new window too.
tplacement newwindowplacement(const tframemeasures& m, int captionheight, int windowcount);

// Windows in the normal state stacked full-width below each other.
std::vector<tplacement> tileplacements(const tframemeasures& m, int count);

// All windows stepped by the caption height (outer minus client height minus 3).
std::vector<tplacement> cascadeplacements(const tframemeasures& m, int captionheight, int count);
