#include "platform/qt/qtimage.h"

#include <cmath>

namespace platform {

qtimage::qtimage(int width, int height, int dpi, double ratio)
    : ratio_(ratio > 0 && std::isfinite(ratio) ? ratio : 1), canvas_(dpi) {
  make(width, height);
  canvas_.attach(&image_);
}

qtimage::~qtimage() {
  canvas_.detach();
}

void qtimage::make(int width, int height) {
  image_ = QImage();
  width_ = height_ = 0;
  if (width <= 0 || height <= 0) return;
  const double dw = std::ceil(width * ratio_), dh = std::ceil(height * ratio_);
  if (dw > 1 << 20 || dh > 1 << 20) return;
  image_ = QImage(static_cast<int>(dw), static_cast<int>(dh), QImage::Format_RGB32);
  if (image_.isNull()) return;
  image_.setDevicePixelRatio(ratio_);
  image_.fill(Qt::white);
  width_ = width;
  height_ = height;
}

void qtimage::setratio(double ratio) {
  if (!(ratio > 0) || !std::isfinite(ratio) || ratio == ratio_) return;
  ratio_ = ratio;
  resize(width_, height_);
}

void qtimage::resize(int width, int height) {
  canvas_.detach();
  make(width, height);
  canvas_.attach(&image_);
}

qtdeviceimage::qtdeviceimage(QPaintDevice& device, int width, int height, int dpi, double zoom)
    : width_(width), height_(height), canvas_(dpi) {
  canvas_.attach(&device, width, height, zoom);
}

qtdeviceimage::~qtdeviceimage() {
  canvas_.detach();
}

qtviewimage::qtviewimage(qtsurface& page, const rect& to, int width, int height, int dpi)
    : width_(width), height_(height), canvas_(dpi) {
  if (page.painter().isActive())
    canvas_.attach(page.painter(), QRectF(to.left, to.top, to.width(), to.height()), width,
                   height);
}

qtviewimage::~qtviewimage() {
  canvas_.detach();
}

std::unique_ptr<image> qtimagefactory::makeimage(int width, int height) {
  return std::make_unique<qtimage>(width, height);
}

}  // namespace platform
