// One parameter box of the function panel: the parameter's current value (what
// new figures take), its limits, step and stepping direction, the up and down
// buttons with their accelerating repeat, the tape, and the edit field the box
// writes its value into. All numbers are 4-byte floats. The widgets are not
// here: the box knows its controls by name and reports through callbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/surface.h"
#include "shell/tscobox.h"

struct tboxconfig {
  float min = -100;
  float max = 100;
  int32_t direction = -1;
  float interval = 1;
  float step = 0.01f;
};

class tmanbox {
 public:
  // 0 normal, 1 hidden (the figure does not use the parameter), 2 disabled.
  enum : uint8_t { normal = 0, hidden = 1, disabled = 2 };
  enum : int32_t { norepeat = 0, repeatup = 1, repeatdown = 2 };
  static constexpr int32_t repeatsteps = 5;  // ticks before the step grows

  // Builds the tape; value := 0.
  void createbox(platform::imagefactory& images, int32_t index, const tboxconfig& config,
                 std::string format, char decimalseparator);

  float value = 0;
  float step = 0.01f;
  uint8_t upheld = 0;
  uint8_t downheld = 0;
  int32_t repeatcount = 0;
  int32_t lastrepeat = norepeat;
  uint8_t writing = 1;   // 0 while the box writes its edit field
  uint8_t dragflag = 0;  // 1 while it writes it from a tape drag
  std::string edittext;

  // Called after the box wrote its edit field (the field's change event).
  std::function<void(tmanbox&)> editchanged;
  // Called when the tape or the state changed, so that the widgets repaint.
  std::function<void(tmanbox&)> changed;

  int32_t index() const { return index_; }
  uint8_t state() const { return state_; }
  float lowlimit() const { return scale_ ? scale_->min : 0.0f; }
  float highlimit() const { return scale_ ? scale_->max : 0.0f; }
  float configuredstep() const { return configuredstep_; }
  tboxconfig getsettings() const;
  const std::string& format() const { return format_; }
  // A format other than "%f" or "%.Nf" is taken as "%.2f".
  void setformat(std::string format);
  tscobox& scale() { return *scale_; }
  bool hasscale() const { return scale_ != nullptr; }

  // The names of the box's controls, e.g. "up1", "scale1" for box 1.
  std::string controlname(const std::string& role) const;
  // Whether the control (compared without regard to case) is one of the box's.
  bool owns(const std::string& control) const;

  void setstate(uint8_t s);
  // The value as the edit field shows it (the parameter's display format).
  std::string valuetext(float v) const;
  // Sets the value and moves the tape to it, without writing the edit field.
  void showvalue(float v);

  bool stepup();
  bool stepdown();
  // One tick of the panel's repeat timer while a button is held.
  void tick();
  // The mouse went down on a control; row is its pixel row on the scale box.
  // Returns whether the control was the box's own.
  bool press(const std::string& control, int32_t row);
  void release();
  // The mouse moved to row with the left button held over a scale box.
  bool drag(const std::string& control, int32_t row);
  // Puts the value inside [Min, Max] (rewriting the edit field when it was
  // outside) and moves the tape to it. Limits with Min above Max (a damaged
  // setting) give Min, without a loop.
  void clamp();
  // Reading the edit text. A number has "," or "." as its decimal mark; text
  // whose integer part stops at any other character (a letter, or nothing
  // typed) is no number; text that starts like a number but is not one
  // ("2,5,5") is not a number either and is to be reported.
  enum class readresult { apply, outside, invalid, notanumber };
  // While the user types: a number becomes the value and is to be applied,
  // unless it lies outside [Min, Max] (outside: it waits for the end of the
  // entry, so "10" can be typed with Min 2). When the box writes the field
  // itself the number is taken as it is. Anything else leaves the value.
  readresult readedit();
  // The entry ended (Enter, leaving the field, an arrow): a number is clamped
  // and becomes the value; anything else leaves the value.
  readresult endedit();
  // The edit text is no number (the field shows the error colour).
  bool badtext() const { return badtext_; }
  // Shows v in the edit field and on the tape, as the panel does for a figure.
  void showtext(float v);

  // New settings from the options; ignored when they would leave the current
  // value outside [Min, Max].
  bool applysettings(const tboxconfig& config);

 private:
  bool move(float v, bool landed);
  void writeedit();
  float inlimits(float v) const;
  readresult parse(float& v) const;
  void notify();

  int32_t index_ = 1;
  uint8_t state_ = normal;
  float configuredstep_ = 0.01f;
  std::string format_ = "%.2f";
  bool badtext_ = false;
  bool reporting_ = false;  // editchanged is running
  char separator_ = ',';
  std::unique_ptr<tscobox> scale_;
};
