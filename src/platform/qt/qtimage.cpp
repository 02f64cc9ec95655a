#include "platform/qt/qtimage.h"

namespace platform {

qtimage::qtimage(int width, int height, int dpi) : canvas_(dpi) {
  make(width, height);
  canvas_.attach(&image_);
}

qtimage::~qtimage() {
  canvas_.detach();
}

void qtimage::make(int width, int height) {
  image_ = width > 0 && height > 0 ? QImage(width, height, QImage::Format_RGB32) : QImage();
  if (!image_.isNull()) image_.fill(Qt::white);
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

std::unique_ptr<image> qtimagefactory::makeimage(int width, int height) {
  return std::make_unique<qtimage>(width, height);
}

}  // namespace platform
