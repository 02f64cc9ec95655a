// A text label of a graph window: lines of text in a font, anchored at the
// world point of its top-left corner so that it follows zooming and resizing,
// with the picture under it kept for erasing and eight handles for resizing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "figures/tcoords.h"
#include "platform/surface.h"

// What a label needs from its window.
class tlabelowner {
 public:
  virtual ~tlabelowner() = default;
  virtual tcoords& labelcoords() = 0;
  // The window's own drawing surface (what the screen shows); nullptr while
  // the window has none. Frames are drawn only there.
  virtual platform::surface* labelscreen() = 0;
  virtual int labelclientwidth() const = 0;
  virtual int labelclientheight() const = 0;
  virtual platform::imagefactory& labelimages() = 0;
  // The screen surface was drawn on outside a repaint.
  virtual void labelshown() = 0;
};

// Handle bits and the cursor numbers the label code shows.
namespace labelhandle {
inline constexpr uint8_t right = 1;
inline constexpr uint8_t left = 2;
inline constexpr uint8_t bottom = 4;
inline constexpr uint8_t top = 8;
}  // namespace labelhandle
namespace labelcursor {
inline constexpr int none = 0;
inline constexpr int move = 8;         // CRALL
inline constexpr int northwest = -8;   // top-left and bottom-right
inline constexpr int northeast = -6;   // bottom-left and top-right
inline constexpr int northsouth = -7;  // top and bottom middle
inline constexpr int westeast = -9;    // left and right middle
}  // namespace labelcursor

class tgralab {
 public:
  // The smallest size a resize step may leave.
  static constexpr int32_t minsize = 10;
  // Side of a handle square and zone.
  static constexpr int32_t handlesize = 5;
  // Zoomed far away a label stands at most this far off, so that its right
  // and bottom edges can still be counted.
  static constexpr int32_t maxplace = 1 << 30;

  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::unique_ptr<platform::image> under;
  platform::font font;
  double worldx = 0;
  double worldy = 0;
  std::vector<std::string> text;
  // softbreak[i]: line i was broken by a narrower label and goes on in line
  // i + 1; only such breaks are undone when it widens. Missing entries are the
  // user's own line breaks.
  std::vector<bool> softbreak;
  tlabelowner* owner = nullptr;
  bool editing = false;
  uint8_t handle = 0;

  tgralab() = default;
  tgralab(const tgralab&) = delete;
  tgralab& operator=(const tgralab&) = delete;

  // Text, font, place, size, world point, owner and the picture under it.
  void copyfrom(const tgralab& other);

  bool contains(int32_t x, int32_t y) const;
  // Copies the picture under the label from the window's image.
  void grab();
  // Puts the grabbed picture back on the screen and in the image.
  void erase();
  void drawtext();
  // The black outline and, when there is room, the eight handles; on the
  // screen only, so the next repaint removes it.
  void drawframe();
  // Moves by (dx, dy) when no edge goes further out of the client area than
  // it was (a label that sticks out after the window shrank can come back).
  void move(int32_t dx, int32_t dy);
  // Moves the grabbed handle's edges by (dx, dy); a step that would take an
  // edge further out of the client area or make the label smaller than
  // 10 x 10 is ignored.
  void resize(int32_t dx, int32_t dy);
  // Reflows the lines to the label's width, character by character.
  void wrap();
  void unwrap();
  // The world point of the current top-left corner.
  void setworld();
  // left and top from the world place, as the view now shows it.
  void placefromworld();

  // Sets handle from the zone that holds (x, y), 0 for none (a move).
  uint8_t grabhandle(int32_t x, int32_t y);
  // The cursor for hovering at (x, y): a resize cursor on a handle, the move
  // cursor inside, 0 outside.
  int cursorat(int32_t x, int32_t y) const;

 private:
  // The surface text is measured on, with the label's font set.
  platform::surface* measurer();
  // The screen when it is not the image itself.
  platform::surface* separatescreen();
  void setrect(int32_t l, int32_t t, int32_t r, int32_t b);
  // True when the rectangle sticks out of the client area on no side further
  // than the label does now.
  bool nofurtherout(int32_t l, int32_t t, int32_t r, int32_t b) const;
};
