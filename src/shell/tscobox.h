// The tape of a parameter box: a strip of tick lines and value labels that
// scrolls under a fixed pointer. Tick lines stand 10 rows apart, labels 50
// rows apart (one Interval); one tape row is one pixel. The tape is drawn into
// its own off-screen image, which the scale box widget shows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/surface.h"

class tscobox {
 public:
  static constexpr int32_t tickspacing = 10;   // rows between two tick lines
  static constexpr int32_t labelspacing = 50;  // rows between two labels
  static constexpr int32_t labelrows = 16;     // rows a label text covers
  static constexpr size_t maxlabel = 10;       // characters of a label kept

  // The colours of the three box states.
  static constexpr platform::colour normalbackground = platform::rgb(0, 0, 255);
  static constexpr platform::colour normallabel = platform::rgb(255, 255, 0);
  static constexpr platform::colour normaltick = platform::white;

  tscobox(platform::imagefactory& images, int width = 33, int height = 100);
  tscobox(const tscobox&) = delete;
  tscobox& operator=(const tscobox&) = delete;

  // Takes the parameter's settings; a direction other than 1 is taken as -1.
  void setup(int32_t direction, float interval, float max, float min);

  int32_t pointerrow = 0;     // the row last pressed or dragged to
  int32_t origin = 50;        // tape position of the value 0: half the box's height
  int32_t tapeposition = 50;  // rows scrolled so far
  platform::colour background = normalbackground;
  platform::colour labelcolour = normallabel;
  platform::colour tickcolour = normaltick;
  float rowvalue = 0.2f;  // value of 10 tape rows: 0.2 x Interval
  float min = -100;
  float max = 100;
  int32_t direction = -1;
  char decimalseparator = ',';  // in "%f" labels

  float interval() const { return rowvalue * 5; }
  // The value the pointer shows.
  double pointervalue() const;
  // The tape position that stands for a value (origin + 10 when a row is worth nothing).
  int32_t rowfor(double value) const;
  // The tape positions of Min and Max, lowest first: the tape's ends.
  int32_t lowend() const;
  int32_t highend() const;

  // Moves the tape by one row (+1 forward, -1 back); false at an end.
  bool scrollone(int32_t by);
  // Moves the tape row by row towards a position, stopping at the ends, and
  // redraws it.
  void scrollto(int32_t position);
  // Redraws the whole tape.
  void redraw();
  // The label text of the label at tape row r.
  std::string labeltext(int32_t r) const;
  // The tape row drawn at pixel row y. Row r stands for the value
  // direction x r x Interval / 50; the pointer's row (y = height / 2 - 1)
  // therefore shows the pointer value.
  int32_t rowat(int32_t y) const { return tapeposition - 1 - y; }
  int32_t pointery() const { return height_ / 2 - 1; }

  platform::image& picture() { return *image_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  std::unique_ptr<platform::image> image_;
  int width_;
  int height_;
};
