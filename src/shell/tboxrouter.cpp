#include "shell/tboxrouter.h"

void tboxrouter::mousedown(const std::string& control, int32_t row) {
  timeron = true;
  for (tparambox& b : boxes) {
    // The press itself is the first step; repeating starts counting afresh.
    b.repeatcount = 0;
    b.lastrepeat = tparambox::norepeat;
    b.press(control, row);
  }
}

void tboxrouter::mouseup() {
  timeron = false;
  timerinterval = repeatinterval;
  for (tparambox& b : boxes) b.release();
}

void tboxrouter::mousemove(const std::string& control, int32_t row) {
  for (tparambox& b : boxes) b.drag(control, row);
}

void tboxrouter::tick() {
  if (!timeron) return;
  for (tparambox& b : boxes)
    if (b.upheld || b.downheld) b.tick();
}

tparambox* tboxrouter::owner(const std::string& control) {
  for (tparambox& b : boxes)
    if (b.owns(control)) return &b;
  return nullptr;
}
