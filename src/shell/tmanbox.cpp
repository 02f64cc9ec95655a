#include "shell/tmanbox.h"

void tmanbox::createbox(int32_t direction, int32_t index, float interval, std::string format,
                        float step_, float max, float min) {
  // A configured direction of 0 means the default.
  direction_ = direction == 1 ? 1 : -1;
  index_ = index;
  interval_ = interval;
  format_ = std::move(format);
  configuredstep_ = step_;
  step = step_;
  max_ = max;
  min_ = min;
  value = 0;
}

void tmanbox::clamp() {
  if (value > max_) value = max_;
  if (value < min_) value = min_;
}
