#include "shell/tboxrouter.h"

void tboxrouter::mousedown(const std::string& control, int32_t row) {
  timeron = true;
  for (tmanbox& b : boxes) {
    // The press itself is the first step; repeating starts counting afresh.
    b.repeatcount = 0;
    b.lastrepeat = tmanbox::norepeat;
    b.press(control, row);
  }
}

void tboxrouter::mouseup() {
  timeron = false;
  timerinterval = repeatinterval;
  for (tmanbox& b : boxes) b.release();
}

void tboxrouter::mousemove(const std::string& control, int32_t row) {
  for (tmanbox& b : boxes) b.drag(control, row);
}

void tboxrouter::tick() {
  if (!timeron) return;
  for (tmanbox& b : boxes)
    if (b.upheld || b.downheld) b.tick();
}

tmanbox* tboxrouter::owner(const std::string& control) {
  for (tmanbox& b : boxes)
    if (b.owns(control)) return &b;
  return nullptr;
}
