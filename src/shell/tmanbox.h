// One parameter box of the function panel: the parameter's current value (what
// new figures take), its limits, step and direction. The buttons, the tape and
// the typing are added on top of this.
#pragma once

#include <cstdint>
#include <string>

class tmanbox {
 public:
  // 0 normal, 1 hidden (the figure does not use the parameter), 2 disabled.
  enum : uint8_t { normal = 0, hidden = 1, disabled = 2 };

  void createbox(int32_t direction, int32_t index, float interval, std::string format, float step,
                 float max, float min);

  float value = 0;
  float step = 0.01f;

  int32_t index() const { return index_; }
  float lowlimit() const { return min_; }
  float highlimit() const { return max_; }
  float configuredstep() const { return configuredstep_; }
  float interval() const { return interval_; }
  int32_t direction() const { return direction_; }
  const std::string& format() const { return format_; }
  uint8_t state() const { return state_; }
  void setstate(uint8_t s) { state_ = s; }

  // The edit field's text (written by the box and by showparams).
  std::string edittext;

  // Puts the value inside [Min, Max].
  void clamp();

 private:
  int32_t index_ = 1;
  int32_t direction_ = -1;
  float interval_ = 1;
  float configuredstep_ = 0.01f;
  float min_ = -100;
  float max_ = 100;
  std::string format_ = "%.2f";
  uint8_t state_ = normal;
};
