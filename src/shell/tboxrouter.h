// The five parameter boxes of the function panel with the mouse and timer
// routing between them: a press on any button or scale box starts the repeat
// timer and lets every box check whether the control is its own; a release
// stops it and restores every box's step; each tick steps the boxes whose
// button is held. The Qt timer only calls tick.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "shell/tmanbox.h"

class tboxrouter {
 public:
  static constexpr int32_t firstinterval = 1000;  // ms before the first repeat
  static constexpr int32_t repeatinterval = 200;  // after the first release

  std::array<tmanbox, 5> boxes;
  bool timeron = false;
  int32_t timerinterval = firstinterval;

  void mousedown(const std::string& control, int32_t row);
  void mouseup();
  // The mouse moved with the left button held over a scale box.
  void mousemove(const std::string& control, int32_t row);
  void tick();
  // The box that owns a control, or nullptr.
  tmanbox* owner(const std::string& control);
};
