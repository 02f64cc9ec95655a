// The drawing surface every picture goes through: a window's off-screen image,
// a printer page, or a recording surface in the tests. Coordinates are integer
// pixels, origin top left, y downwards. Text is single-byte Windows-1252.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// 24-bit RGB as 0x00RRGGBB.
using colour = uint32_t;

inline constexpr colour rgb(int r, int g, int b) {
  return (static_cast<colour>(r & 255) << 16) | (static_cast<colour>(g & 255) << 8) |
         static_cast<colour>(b & 255);
}
inline constexpr int red(colour c) { return static_cast<int>((c >> 16) & 255); }
inline constexpr int green(colour c) { return static_cast<int>((c >> 8) & 255); }
inline constexpr int blue(colour c) { return static_cast<int>(c & 255); }

inline constexpr colour black = 0x000000;
inline constexpr colour white = 0xFFFFFF;

struct point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const point&, const point&) = default;
};

struct rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  friend bool operator==(const rect&, const rect&) = default;
};

enum class penstyle { solid, dash, dot, dashdot, clear };
// copy draws the pen colour; xor combines it with what is there, so drawing the
// same shape twice restores the picture (rubber-band frames).
enum class penmode { copy, xor_ };
enum class brushstyle { solid, clear };

struct pen {
  colour col = black;
  int width = 1;
  penstyle style = penstyle::solid;
  penmode mode = penmode::copy;
  friend bool operator==(const pen&, const pen&) = default;
};

struct brush {
  colour col = white;
  brushstyle style = brushstyle::solid;
  friend bool operator==(const brush&, const brush&) = default;
};

// The font named "Symbol" is the formula glyph font: its character 165 is the
// infinity sign.
struct font {
  std::string name = "Arial";
  int size = 10;  // points
  colour col = black;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend bool operator==(const font&, const font&) = default;
};

class image;

class surface {
 public:
  virtual ~surface() = default;

  virtual void setpen(const pen& p) = 0;
  virtual pen getpen() const = 0;
  virtual void setbrush(const brush& b) = 0;
  virtual brush getbrush() const = 0;
  virtual void setfont(const font& f) = 0;
  virtual font getfont() const = 0;
  // The platform's font height: negative, minus the character height in pixels
  // of the current font size (a font given in points).
  virtual int fontheight() const = 0;

  virtual void moveto(int x, int y) = 0;
  // A line from the current position; the end pixel is not drawn. The end
  // becomes the current position.
  virtual void lineto(int x, int y) = 0;
  virtual void polyline(std::span<const point> points) = 0;
  // Outline with the pen, inside with the brush.
  virtual void rectangle(const rect& r) = 0;
  virtual void fillrect(const rect& r) = 0;
  virtual void framerect(const rect& r) = 0;

  // Text with its cell's top-left corner at (x, y); the background of the cell
  // is filled with the brush unless the brush is clear.
  virtual void textout(int x, int y, std::string_view text) = 0;
  virtual void textrect(const rect& clip, int x, int y, std::string_view text) = 0;
  virtual int textwidth(std::string_view text) = 0;
  virtual int textheight(std::string_view text) = 0;

  virtual void setpixel(int x, int y, colour c) = 0;
  // Pixels outside the surface read as white.
  virtual colour getpixel(int x, int y) const = 0;

  // Copies source's rectangle from into this surface's rectangle to, stretching
  // when their sizes differ.
  virtual void copyrect(const rect& to, const image& source, const rect& from) = 0;
  virtual void draw(int x, int y, const image& source) = 0;
  // Draws source with every pixel of colour transparent left out.
  virtual void drawtransparent(int x, int y, const image& source, colour transparent) = 0;

  // How many of this surface's pixels stand for one pixel of a picture as the
  // screen shows it (a picture drawn k times as big): marks of a fixed size,
  // such as ticks, arrows and markers, are drawn that many times as big, as
  // pens and fonts are.
  virtual int pixelscale() const { return 1; }
};

// An off-screen picture with its own drawing surface.
class image {
 public:
  virtual ~image() = default;
  virtual surface& canvas() = 0;
  virtual int width() const = 0;
  virtual int height() const = 0;
  // New contents after a resize are white.
  virtual void resize(int width, int height) = 0;
};

// Makes off-screen images: the Qt implementation in the program, a memory or
// recording implementation in the tests.
class imagefactory {
 public:
  virtual ~imagefactory() = default;
  virtual std::unique_ptr<image> makeimage(int width, int height) = 0;
};

}  // namespace platform
