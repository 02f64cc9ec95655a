// A drawing surface for tests: it records every drawing call with the pen,
// brush and font in force, and keeps real pixels so that a test without Qt can
// read what a line, a rectangle or a copied image left behind.
//
// Text metrics are fixed so that tests can compute positions:
//   character width  = round(size * 3 / 5) pixels per character (size in points)
//   text width       = number of characters * character width
//   text height      = round(size * 4 / 3)
//   fontheight()     = -round(size * 96 / 72)
// Text itself leaves no glyph pixels; its cell is filled with the brush unless
// the brush is clear, as on the screen. Lines are 1 pixel (Bresenham, end pixel
// excluded) whatever the pen width and style; the pen is in the record.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"

enum class recordop {
  setpen,
  setbrush,
  setfont,
  moveto,
  lineto,
  polyline,
  rectangle,
  fillrect,
  framerect,
  textout,
  textrect,
  setpixel,
  copyrect,
  draw,
  drawtransparent,
};

const char* recordopname(recordop op);

struct recordentry {
  recordop op;
  // moveto/lineto/textout/setpixel/draw/drawtransparent: x, y (setpixel adds
  // the colour, drawtransparent the transparent colour, draw/drawtransparent
  // the source's width and height); rectangles: left, top, right, bottom;
  // textrect: clip left, top, right, bottom, x, y; polyline: x0, y0, x1, y1, ...;
  // copyrect: to (l, t, r, b), from (l, t, r, b).
  std::vector<int> args;
  std::string text;  // textout and textrect
  platform::pen pen;
  platform::brush brush;
  platform::font font;
};

class recordingsurface : public platform::surface {
 public:
  recordingsurface(int width = 0, int height = 0);

  // --- platform::surface
  void setpen(const platform::pen& p) override;
  platform::pen getpen() const override { return pen_; }
  void setbrush(const platform::brush& b) override;
  platform::brush getbrush() const override { return brush_; }
  void setfont(const platform::font& f) override;
  platform::font getfont() const override { return font_; }
  int fontheight() const override;

  void moveto(int x, int y) override;
  void lineto(int x, int y) override;
  void polyline(std::span<const platform::point> points) override;
  void rectangle(const platform::rect& r) override;
  void fillrect(const platform::rect& r) override;
  void framerect(const platform::rect& r) override;

  void textout(int x, int y, std::string_view text) override;
  void textrect(const platform::rect& clip, int x, int y, std::string_view text) override;
  int textwidth(std::string_view text) override;
  int textheight(std::string_view text) override;

  void setpixel(int x, int y, platform::colour c) override;
  platform::colour getpixel(int x, int y) const override;

  void copyrect(const platform::rect& to, const platform::image& source,
                const platform::rect& from) override;
  void draw(int x, int y, const platform::image& source) override;
  void drawtransparent(int x, int y, const platform::image& source,
                       platform::colour transparent) override;
  int pixelscale() const override { return pixelscale_; }
  // A surface standing for a picture drawn k times as big.
  void setpixelscale(int k) { pixelscale_ = k; }

  // --- for tests
  int width() const { return width_; }
  int height() const { return height_; }
  // New size, every pixel white; the record is kept.
  void resize(int width, int height);
  platform::point position() const { return pos_; }

  const std::vector<recordentry>& entries() const { return entries_; }
  void clearentries() { entries_.clear(); }
  // The entries of one operation, in order.
  std::vector<recordentry> entries(recordop op) const;
  // The texts of textout and textrect, in drawing order.
  std::vector<std::string> texts() const;
  // How many pixels have colour c.
  int countpixels(platform::colour c) const;

 private:
  int pixelscale_ = 1;
  void record(recordop op, std::vector<int> args, std::string text = {});
  void put(int x, int y, platform::colour c);  // honours the pen mode
  void line(int x0, int y0, int x1, int y1);
  void fill(const platform::rect& r, platform::colour c);
  void blit(int x, int y, const platform::image& source, bool transparent, platform::colour key);

  int width_ = 0;
  int height_ = 0;
  std::vector<platform::colour> pixels_;
  platform::pen pen_;
  platform::brush brush_;
  platform::font font_;
  platform::point pos_;
  std::vector<recordentry> entries_;
};

// An off-screen image whose canvas is a recording surface.
class recordingimage : public platform::image {
 public:
  recordingimage(int width, int height) : canvas_(width, height) {}
  platform::surface& canvas() override { return canvas_; }
  recordingsurface& recorder() { return canvas_; }
  const recordingsurface& recorder() const { return canvas_; }
  int width() const override { return canvas_.width(); }
  int height() const override { return canvas_.height(); }
  void resize(int width, int height) override { canvas_.resize(width, height); }

 private:
  recordingsurface canvas_;
};

// Makes recording images and keeps a pointer to each so a test can look into
// them; the caller owns the images, so a pointer dangles once its image is gone.
class recordingimagefactory : public platform::imagefactory {
 public:
  std::unique_ptr<platform::image> makeimage(int width, int height) override;
  const std::vector<recordingimage*>& made() const { return made_; }

 private:
  std::vector<recordingimage*> made_;
};
