// The drawing surface on a QImage (Format_RGB32): graph windows, copies and
// printer pages all draw through it.
//
// Pixel rules: no antialiasing (shapes, and text unless smoothtext() asks); 1-pixel solid lines,
// frames and single pixels are written straight into the image's scanlines,
// so they are exact and cheap (a QPainter stays open on the image for the
// surface's lifetime for everything else: fills, text, wide or dashed pens,
// image copies; the raster engine draws synchronously into the same memory, so
// the two never see stale pixels). XOR pens combine the colour with what is
// there, so a second identical drawing restores the picture.
// Fonts: the size is in points at the surface's resolution (96 per inch on
// the screen), so fontheight() is -round(size * dpi / 72).
// Scaled drawing: on an image with a device pixel ratio (a HiDPI window), on a
// vector device and in a part of a printer page the painter maps the caller's
// pixels onto finer device pixels; everything then goes through the painter,
// strokes centred in the caller's pixels (half a pixel in), so the picture
// lies where it lies at 1x, only sharper.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <optional>

#include "platform/surface.h"

namespace platform {

class qtsurface : public surface {
 public:
  explicit qtsurface(int dpi = 96);
  ~qtsurface() override;
  qtsurface(const qtsurface&) = delete;
  qtsurface& operator=(const qtsurface&) = delete;

  // Starts drawing on target (may be null or empty: then nothing is drawn)
  // and stops drawing on the previous one. The target must outlive the
  // attachment and must not be resized or copied into while attached
  // (detach first).
  void attach(QImage* target);
  void detach();
  QImage* target() const { return image_; }
  // Antialiased text (off by default, for pixel-exact pictures): small
  // glyphs such as exponents stay legible. Applies to later text and to every
  // target attached after the call.
  void smoothtext(bool on);

  // Starts drawing on any paint device (an SVG generator, a PDF writer) of
  // width x height units: everything goes through the painter, so lines and
  // text stay vectors. Pixels cannot be read back there (getpixel gives
  // white) and XOR pens draw as plain ones. zoom > 1 draws everything that
  // many times as big (a sharp picture of several times a window's size).
  void attach(QPaintDevice* device, int width, int height, double zoom = 1);
  // Draws through another surface's active painter (a printer page) into its
  // rectangle to, as a picture of width x height pixels stretched to fill it.
  // The painter's state is restored at detach; the other surface must stay
  // attached meanwhile and not draw until then.
  void attach(QPainter& shared, const QRectF& to, int width, int height);
  // The painter this surface draws with (active while attached).
  QPainter& painter() { return *painter_; }

  // Pens draw k times as wide as asked (k >= 1): a picture drawn k times as
  // big keeps the look of its lines. Set it together with k times the dpi.
  void setpenscale(int k) { penscale_ = k > 1 ? k : 1; }
  int pixelscale() const override { return penscale_; }

  void setpen(const pen& p) override { pen_ = p; }
  pen getpen() const override { return pen_; }
  void setbrush(const brush& b) override { brush_ = b; }
  brush getbrush() const override { return brush_; }
  void setfont(const font& f) override;
  font getfont() const override { return font_; }
  int fontheight() const override;

  void moveto(int x, int y) override { pos_ = {x, y}; }
  void lineto(int x, int y) override;
  // Draws the points as a chain of lines (each without its end pixel); the
  // current position is left as it was.
  void polyline(std::span<const point> points) override;
  void rectangle(const rect& r) override;
  void fillrect(const rect& r) override;
  void framerect(const rect& r) override;

  void textout(int x, int y, std::string_view text) override;
  void textrect(const rect& clip, int x, int y, std::string_view text) override;
  int textwidth(std::string_view text) override;
  int textheight(std::string_view text) override;

  void setpixel(int x, int y, colour c) override;
  colour getpixel(int x, int y) const override;

  void copyrect(const rect& to, const image& source, const rect& from) override;
  void draw(int x, int y, const image& source) override;
  void drawtransparent(int x, int y, const image& source, colour transparent) override;

 private:
  bool drawing() const { return bits_ != nullptr || vector_; }
  // Scanline drawing: a plain image at one device pixel per pixel.
  bool direct() const { return bits_ != nullptr && !scaled_; }
  // Where a stroke through pixel v is drawn: its centre when scaled.
  qreal at(int v) const { return scaled_ ? v + 0.5 : v; }
  void begin();  // render hints of a fresh attachment
  bool rawpen() const;  // a pen the scanline code draws itself
  int penwidth() const { return pen_.width * penscale_; }
  void line(int x0, int y0, int x1, int y1);
  void usepen();  // QPainter pen for wide or dashed lines
  void usemode(QPainter::CompositionMode m);
  QString text(std::string_view s) const;
  const QFontMetrics& metrics();
  // The source's pixels as a QImage (shared when it is a Qt image).
  static QImage sourceimage(const image& source);

  int dpi_;
  int penscale_ = 1;
  QImage* image_ = nullptr;
  QPainter own_;
  QPainter* painter_ = &own_;
  bool shared_ = false;   // painter_ belongs to another surface
  bool scaled_ = false;   // the painter maps pixels onto finer device pixels
  double ratio_ = 1;      // device pixels per pixel of an attached image
  uchar* bits_ = nullptr;
  bool vector_ = false;  // on a paint device without scanlines
  qsizetype bpl_ = 0;
  int w_ = 0;
  int h_ = 0;
  QPainter::CompositionMode mode_ = QPainter::CompositionMode_SourceOver;

  pen pen_;
  brush brush_;
  font font_;
  point pos_;
  QFont qfont_;
  bool symbol_ = false;
  bool smooth_ = false;
  std::optional<QFontMetrics> metrics_;
};

}  // namespace platform
