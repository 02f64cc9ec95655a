// An off-screen picture in a QImage (Format_RGB32) with its drawing surface.
// Windows show it with QPainter::drawImage. A QImage copy of qimage() shares
// the pixels that keep being drawn into: keep a snapshot with qimage().copy().
// With a device pixel ratio r (a HiDPI screen) the QImage holds r times as
// many pixels each way while width, height and every drawing call stay in the
// window's pixels: the painter draws them on the finer grid.
#pragma once

#include <QImage>

#include "platform/qt/qtsurface.h"
#include "platform/surface.h"

namespace platform {

class qtimage : public image {
 public:
  // A size the system cannot hold gives an empty image that ignores drawing.
  qtimage(int width, int height, int dpi = 96, double ratio = 1);
  ~qtimage() override;
  qtimage(const qtimage&) = delete;
  qtimage& operator=(const qtimage&) = delete;

  surface& canvas() override { return canvas_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  void resize(int width, int height) override;
  // Device pixels per pixel; a change makes the picture afresh (white).
  double ratio() const { return ratio_; }
  void setratio(double ratio);

  const QImage& qimage() const { return image_; }

 private:
  void make(int width, int height);

  QImage image_;
  int width_ = 0;
  int height_ = 0;
  double ratio_ = 1;
  qtsurface canvas_;
};

// A picture drawn straight onto a paint device (an SVG generator, a PDF
// writer) of a fixed size: it cannot be resized or read back. The device must
// outlive it; the drawing is finished when it is destroyed.
class qtdeviceimage : public image {
 public:
  // zoom: drawn that many times as big (the device is zoom times the size).
  qtdeviceimage(QPaintDevice& device, int width, int height, int dpi = 96, double zoom = 1);
  ~qtdeviceimage() override;
  qtdeviceimage(const qtdeviceimage&) = delete;
  qtdeviceimage& operator=(const qtdeviceimage&) = delete;

  surface& canvas() override { return canvas_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  void resize(int, int) override {}

 private:
  int width_;
  int height_;
  qtsurface canvas_;
};

// A picture of width x height pixels drawn through a page's painter into a
// rectangle of the page (a window's picture on a printer page), stretched to
// fill it. The page must stay attached and must not draw while this lives.
class qtviewimage : public image {
 public:
  qtviewimage(qtsurface& page, const rect& to, int width, int height, int dpi = 96);
  ~qtviewimage() override;
  qtviewimage(const qtviewimage&) = delete;
  qtviewimage& operator=(const qtviewimage&) = delete;

  surface& canvas() override { return canvas_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  void resize(int, int) override {}

 private:
  int width_;
  int height_;
  qtsurface canvas_;
};

class qtimagefactory : public imagefactory {
 public:
  std::unique_ptr<image> makeimage(int width, int height) override;
};

}  // namespace platform
