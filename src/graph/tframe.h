// The rubber band of the text tool: a rectangle drawn with an XOR pen on the
// window's drawing surface, so that drawing it a second time removes it.
#pragma once

#include <cstdint>

#include "platform/surface.h"

class tframe {
 public:
  platform::surface* canvas = nullptr;  // the window's drawing surface, not owned
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;

  void attach(platform::surface* surface) { canvas = surface; }
  void start(int32_t x, int32_t y);
  // The frame grows only to the right and downwards from its start.
  void dragto(int32_t x, int32_t y);
  void draw();
};
