#include "platform/qt/qtsurface.h"

#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

#include "platform/qt/cp1252.h"
#include "platform/qt/qtimage.h"
#include "platform/rasterline.h"

namespace platform {

namespace {

QColor qcolour(colour c) {
  return QColor(red(c), green(c), blue(c));
}

QRect qrect(const rect& r) {
  return QRect(r.left, r.top, r.width(), r.height());
}

// Each outline pixel of a rectangle once, right and bottom edges inside it, so
// that an XOR frame drawn twice restores the picture.
template <typename put_t>
void outline(const rect& r, put_t&& put) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
  for (int x = l; x <= rr; ++x) put(x, t);
  if (b != t)
    for (int x = l; x <= rr; ++x) put(x, b);
  for (int y = t + 1; y < b; ++y) {
    put(l, y);
    if (rr != l) put(rr, y);
  }
}

constexpr QRgb opaque = 0xFF000000u;

// Far-off ends would overflow the painter's fixed point; a curve that shoots
// off the surface only needs to leave it.
int clampcoord(int v) {
  return std::clamp(v, -100000, 100000);
}

// The part of the segment a-b inside box (Liang-Barsky); false when none.
bool clipsegment(QPointF& a, QPointF& b, const QRectF& box) {
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  double t0 = 0;
  double t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                       box.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const QPointF from = a;
  if (t1 < 1) b = QPointF(from.x() + t1 * dx, from.y() + t1 * dy);
  if (t0 > 0) a = QPointF(from.x() + t0 * dx, from.y() + t0 * dy);
  return true;
}

// The runs of a chain of lines that can reach the picture: each segment cut
// to the box. A curve that leaves the picture by thousands of pixels then
// costs the painter no more than one that stays in it.
std::vector<QPolygonF> visibleruns(std::span<const platform::point> points, const QRectF& box) {
  std::vector<QPolygonF> runs;
  QPolygonF run;
  for (size_t i = 1; i < points.size(); ++i) {
    QPointF a(points[i - 1].x, points[i - 1].y);
    QPointF b(points[i].x, points[i].y);
    const bool whole = box.contains(a) && box.contains(b);
    if (!whole && !clipsegment(a, b, box)) {
      if (!run.isEmpty()) runs.push_back(std::exchange(run, {}));
      continue;
    }
    if (run.isEmpty() || run.back() != a) {
      if (!run.isEmpty()) runs.push_back(std::exchange(run, {}));
      run.append(a);
    }
    run.append(b);
  }
  if (!run.isEmpty()) runs.push_back(std::move(run));
  return runs;
}

}  // namespace

qtsurface::qtsurface(int dpi) : dpi_(dpi > 0 ? dpi : 96) {
  setfont(font_);
}

qtsurface::~qtsurface() {
  detach();
}

void qtsurface::attach(QImage* target) {
  detach();
  if (target == nullptr || target->isNull()) return;
  if (target->format() != QImage::Format_RGB32) {
    const qreal r = target->devicePixelRatio();
    *target = target->convertToFormat(QImage::Format_RGB32);
    target->setDevicePixelRatio(r);
  }
  image_ = target;
  // bits() before begin(): detaches a shared image once, here, and never later.
  bits_ = image_->bits();
  bpl_ = image_->bytesPerLine();
  ratio_ = image_->devicePixelRatio() > 0 ? image_->devicePixelRatio() : 1;
  scaled_ = ratio_ != 1;
  // In the caller's pixels; the painter scales by the ratio itself.
  w_ = static_cast<int>(std::lround(image_->width() / ratio_));
  h_ = static_cast<int>(std::lround(image_->height() / ratio_));
  if (!own_.begin(image_)) {
    image_ = nullptr;
    bits_ = nullptr;
    w_ = h_ = 0;
    scaled_ = false;
    ratio_ = 1;
    return;
  }
  begin();
}

void qtsurface::begin() {
  // Scaled pictures are smoothed like vector ones; 1:1 ones stay pixel-exact.
  painter_->setRenderHint(QPainter::Antialiasing, scaled_);
  painter_->setRenderHint(QPainter::TextAntialiasing, scaled_ || smooth_);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  mode_ = QPainter::CompositionMode_SourceOver;
  setfont(font_);  // smoothed glyphs or not
}

void qtsurface::attach(QPaintDevice* device, int width, int height, double zoom) {
  detach();
  if (device == nullptr || width <= 0 || height <= 0 || !own_.begin(device)) return;
  vector_ = true;
  scaled_ = true;
  if (zoom > 1) own_.scale(zoom, zoom);
  w_ = width;
  h_ = height;
  begin();
}

void qtsurface::attach(QPainter& shared, const QRectF& to, int width, int height) {
  detach();
  if (!shared.isActive() || width <= 0 || height <= 0 || to.width() <= 0 || to.height() <= 0)
    return;
  painter_ = &shared;
  shared_ = true;
  vector_ = true;
  scaled_ = true;
  painter_->save();
  painter_->translate(to.topLeft());
  painter_->scale(to.width() / width, to.height() / height);
  painter_->setClipRect(QRect(0, 0, width, height), Qt::IntersectClip);
  w_ = width;
  h_ = height;
  begin();
}

void qtsurface::detach() {
  if (shared_) {
    painter_->restore();
    painter_ = &own_;
    shared_ = false;
  } else if (own_.isActive()) {
    own_.end();
  }
  vector_ = false;
  scaled_ = false;
  ratio_ = 1;
  image_ = nullptr;
  bits_ = nullptr;
  bpl_ = 0;
  w_ = h_ = 0;
}

void qtsurface::setfont(const font& f) {
  font_ = f;
  const int px = std::clamp(static_cast<int>(std::lround(f.size * dpi_ / 72.0)), 1, 2000);
  symbol_ = QString::compare(tounicode(f.name), QStringLiteral("Symbol"), Qt::CaseInsensitive) == 0;
  // The symbol fonts found here keep their glyphs at private code points, so
  // the infinity sign is taken from an ordinary Unicode font.
  qfont_ = symbol_ ? QFont(QStringLiteral("DejaVu Sans")) : QFont(tounicode(f.name));
  if (symbol_) qfont_.setStyleHint(QFont::SansSerif);
  qfont_.setPixelSize(px);
  qfont_.setBold(f.bold);
  qfont_.setItalic(f.italic);
  qfont_.setUnderline(f.underline);
  qfont_.setStyleStrategy(smooth_ || scaled_ ? QFont::PreferAntialias : QFont::NoAntialias);
  metrics_.reset();
}

void qtsurface::smoothtext(bool on) {
  smooth_ = on;
  if (painter_->isActive()) painter_->setRenderHint(QPainter::TextAntialiasing, on || scaled_);
  setfont(font_);
}

int qtsurface::fontheight() const {
  return -static_cast<int>(std::lround(font_.size * dpi_ / 72.0));
}

const QFontMetrics& qtsurface::metrics() {
  if (!metrics_) metrics_.emplace(qfont_);
  return *metrics_;
}

QString qtsurface::text(std::string_view s) const {
  QString q = tounicode(s);
  // The formula glyph font's character 165 is the infinity sign.
  if (symbol_) q.replace(QChar(0x00A5), QChar(0x221E));
  return q;
}

void qtsurface::usemode(QPainter::CompositionMode m) {
  if (m != mode_) {
    painter_->setCompositionMode(m);
    mode_ = m;
  }
}

bool qtsurface::rawpen() const {
  return direct() && penwidth() <= 1 && pen_.style == penstyle::solid;
}

void qtsurface::usepen() {
  Qt::PenStyle s = Qt::SolidLine;
  switch (pen_.style) {
    case penstyle::solid:
      s = Qt::SolidLine;
      break;
    case penstyle::dash:
      s = Qt::DashLine;
      break;
    case penstyle::dot:
      s = Qt::DotLine;
      break;
    case penstyle::dashdot:
      s = Qt::DashDotLine;
      break;
    case penstyle::clear:
      s = Qt::NoPen;
      break;
  }
  const int width = penwidth();
  const bool wide = width > 1;
  // Scaled, a thin line is one pixel wide, so it grows with the scale.
  painter_->setPen(QPen(qcolour(pen_.col), wide || scaled_ ? std::max(width, 1) : 0, s,
                        wide ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin));
  painter_->setBrush(Qt::NoBrush);
  const bool x = pen_.mode == penmode::xor_;
  // An XOR stroke must hit the same pixels both times: never smoothed.
  if (scaled_) painter_->setRenderHint(QPainter::Antialiasing, !x);
  usemode(x ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_SourceOver);
}

void qtsurface::line(int x0, int y0, int x1, int y1) {
  if (!drawing() || pen_.style == penstyle::clear) return;
  if (rawpen()) {
    const QRgb c = pen_.col & 0xFFFFFF;
    if (pen_.mode == penmode::xor_)
      rasterline(x0, y0, x1, y1, w_, h_,
                 [&](int x, int y) { reinterpret_cast<QRgb*>(bits_ + y * bpl_)[x] ^= c; });
    else
      rasterline(x0, y0, x1, y1, w_, h_,
                 [&](int x, int y) { reinterpret_cast<QRgb*>(bits_ + y * bpl_)[x] = c | opaque; });
    return;
  }
  usepen();
  painter_->drawLine(QPointF(at(clampcoord(x0)), at(clampcoord(y0))),
                     QPointF(at(clampcoord(x1)), at(clampcoord(y1))));
}

void qtsurface::lineto(int x, int y) {
  line(pos_.x, pos_.y, x, y);
  pos_ = {x, y};
}

void qtsurface::polyline(std::span<const point> points) {
  if (!drawing() || pen_.style == penstyle::clear || points.size() < 2) return;
  if (rawpen()) {
    for (size_t i = 1; i < points.size(); ++i)
      line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    return;
  }
  // Wide and dashed pens in one painter call: joins look right and it is
  // many times faster than segment by segment.
  usepen();
  const int margin = penwidth() + 2;
  const QRectF box(-margin, -margin, w_ + 2.0 * margin, h_ + 2.0 * margin);
  const bool inside = w_ <= 0 || h_ <= 0 || std::all_of(points.begin(), points.end(), [&](point p) {
                        return box.contains(QPointF(p.x, p.y));
                      });
  if (!inside) {
    const qreal shift = scaled_ ? 0.5 : 0;
    for (QPolygonF& run : visibleruns(points, box)) {
      if (!scaled_)
        for (QPointF& p : run) p = QPointF(std::round(p.x()), std::round(p.y()));
      run.translate(shift, shift);
      painter_->drawPolyline(run);
    }
    return;
  }
  if (scaled_) {
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const auto& p : points) poly.append(QPointF(at(clampcoord(p.x)), at(clampcoord(p.y))));
    painter_->drawPolyline(poly);
    return;
  }
  QPolygon poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  for (const auto& p : points) poly.append(QPoint(clampcoord(p.x), clampcoord(p.y)));
  painter_->drawPolyline(poly);
}

void qtsurface::rectangle(const rect& r) {
  if (!drawing()) return;
  if (brush_.style == brushstyle::solid) {
    // The outline takes the right and bottom edge; with no pen they stay empty.
    const rect in = pen_.style == penstyle::clear
                        ? rect{r.left, r.top, r.right - 1, r.bottom - 1}
                        : rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (in.width() > 0 && in.height() > 0) {
      usemode(QPainter::CompositionMode_SourceOver);
      painter_->fillRect(qrect(in), qcolour(brush_.col));
    }
  }
  if (pen_.style == penstyle::clear) return;
  if (rawpen()) {
    const QRgb c = pen_.col & 0xFFFFFF;
    const bool x = pen_.mode == penmode::xor_;
    outline(r, [&](int px, int py) {
      if (px < 0 || py < 0 || px >= w_ || py >= h_) return;
      QRgb& p = reinterpret_cast<QRgb*>(bits_ + py * bpl_)[px];
      p = x ? (p ^ c) : (c | opaque);
    });
    return;
  }
  if (r.width() <= 0 || r.height() <= 0) return;
  usepen();
  painter_->drawRect(QRectF(at(r.left), at(r.top), r.width() - 1, r.height() - 1));
}

void qtsurface::fillrect(const rect& r) {
  if (!drawing() || brush_.style == brushstyle::clear) return;
  if (r.width() <= 0 || r.height() <= 0) return;
  usemode(QPainter::CompositionMode_SourceOver);
  painter_->fillRect(qrect(r), qcolour(brush_.col));
}

void qtsurface::framerect(const rect& r) {
  if (!drawing() || brush_.style == brushstyle::clear) return;
  if (!direct()) {
    usemode(QPainter::CompositionMode_SourceOver);
    outline(r,
            [&](int px, int py) { painter_->fillRect(QRect(px, py, 1, 1), qcolour(brush_.col)); });
    return;
  }
  const QRgb c = (brush_.col & 0xFFFFFF) | opaque;
  outline(r, [&](int px, int py) {
    if (px < 0 || py < 0 || px >= w_ || py >= h_) return;
    reinterpret_cast<QRgb*>(bits_ + py * bpl_)[px] = c;
  });
}

void qtsurface::textout(int x, int y, std::string_view s) {
  if (!drawing() || s.empty()) return;
  const QString q = text(s);
  const QFontMetrics& fm = metrics();
  usemode(QPainter::CompositionMode_SourceOver);
  if (brush_.style == brushstyle::solid)
    painter_->fillRect(QRect(x, y, fm.horizontalAdvance(q), fm.height()), qcolour(brush_.col));
  painter_->setFont(qfont_);
  painter_->setPen(qcolour(font_.col));
  painter_->drawText(x, y + fm.ascent(), q);
}

void qtsurface::textrect(const rect& clip, int x, int y, std::string_view s) {
  if (!drawing() || clip.width() <= 0 || clip.height() <= 0) return;
  usemode(QPainter::CompositionMode_SourceOver);
  if (brush_.style == brushstyle::solid) painter_->fillRect(qrect(clip), qcolour(brush_.col));
  if (s.empty()) return;
  painter_->setClipRect(qrect(clip));
  painter_->setFont(qfont_);
  painter_->setPen(qcolour(font_.col));
  painter_->drawText(x, y + metrics().ascent(), text(s));
  painter_->setClipping(false);
}

int qtsurface::textwidth(std::string_view s) {
  return metrics().horizontalAdvance(text(s));
}

int qtsurface::textheight(std::string_view) {
  return metrics().height();
}

void qtsurface::setpixel(int x, int y, colour c) {
  if (!drawing() || x < 0 || y < 0 || x >= w_ || y >= h_) return;
  if (!direct()) {
    usemode(QPainter::CompositionMode_SourceOver);
    painter_->fillRect(QRect(x, y, 1, 1), qcolour(c));
    return;
  }
  reinterpret_cast<QRgb*>(bits_ + y * bpl_)[x] = (c & 0xFFFFFF) | opaque;
}

colour qtsurface::getpixel(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= w_ || y >= h_) return white;
  if (scaled_) {
    // The device pixel at the middle of the pixel asked for.
    const int dx = std::min(static_cast<int>((x + 0.5) * ratio_), image_->width() - 1);
    const int dy = std::min(static_cast<int>((y + 0.5) * ratio_), image_->height() - 1);
    return reinterpret_cast<const QRgb*>(bits_ + dy * bpl_)[dx] & 0xFFFFFF;
  }
  return reinterpret_cast<const QRgb*>(bits_ + y * bpl_)[x] & 0xFFFFFF;
}

QImage qtsurface::sourceimage(const image& source) {
  if (auto* q = dynamic_cast<const qtimage*>(&source)) return q->qimage();
  // Another kind of image: read it pixel by pixel (reading changes nothing).
  const int w = source.width(), h = source.height();
  QImage out(std::max(0, w), std::max(0, h), QImage::Format_RGB32);
  if (out.isNull()) return out;
  auto& canvas = const_cast<image&>(source).canvas();
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) line[x] = canvas.getpixel(x, y) | opaque;
  }
  return out;
}

void qtsurface::copyrect(const rect& to, const image& source, const rect& from) {
  if (!drawing() || to.width() <= 0 || to.height() <= 0 || from.width() <= 0 || from.height() <= 0)
    return;
  QImage src = sourceimage(source);
  // Copying within one image: take the source part out first.
  QRect fr = qrect(from);
  // A source of finer pixels (a HiDPI window's picture) is read in its own.
  if (const qreal r = src.devicePixelRatio(); r != 1)
    fr = QRectF(fr.x() * r, fr.y() * r, fr.width() * r, fr.height() * r).toAlignedRect();
  if (src.constBits() == bits_) {
    src = src.copy(fr);
    fr.moveTo(0, 0);
  }
  usemode(QPainter::CompositionMode_SourceOver);
  painter_->drawImage(qrect(to), src, fr);
}

void qtsurface::draw(int x, int y, const image& source) {
  if (!drawing()) return;
  QImage src = sourceimage(source);
  if (src.isNull()) return;
  if (src.constBits() == bits_) src = src.copy();
  usemode(QPainter::CompositionMode_SourceOver);
  painter_->drawImage(x, y, src);
}

void qtsurface::drawtransparent(int x, int y, const image& source, colour transparent) {
  if (!drawing()) return;
  QImage src = sourceimage(source);
  if (src.isNull()) return;
  if (src.constBits() == bits_) src = src.copy();
  const QRgb key = transparent & 0xFFFFFF;
  if (!direct()) {
    // The key colour becomes see-through, then the picture is laid on top.
    QImage masked = src.convertToFormat(QImage::Format_ARGB32);
    for (int dy = 0; dy < masked.height(); ++dy) {
      auto* line = reinterpret_cast<QRgb*>(masked.scanLine(dy));
      for (int dx = 0; dx < masked.width(); ++dx)
        if ((line[dx] & 0xFFFFFF) == key) line[dx] = 0;
    }
    usemode(QPainter::CompositionMode_SourceOver);
    painter_->drawImage(x, y, masked);
    return;
  }
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(w_, x + src.width()), y1 = std::min(h_, y + src.height());
  for (int dy = y0; dy < y1; ++dy) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(dy - y));
    auto* out = reinterpret_cast<QRgb*>(bits_ + dy * bpl_);
    for (int dx = x0; dx < x1; ++dx) {
      const QRgb c = in[dx - x] & 0xFFFFFF;
      if (c != key) out[dx] = c | opaque;
    }
  }
}

}  // namespace platform
