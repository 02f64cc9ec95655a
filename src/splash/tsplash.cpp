#include "tsplash.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#ifndef TARNELO_VERSION
#define TARNELO_VERSION "0.1.0"
#endif

tsplashargs tsplashargs::parse(const QStringList& arguments) {
  tsplashargs result;
  bool havename = false;
  int numbers = 0;
  for (const QString& a : arguments) {
    if (a.startsWith(QLatin1Char('#'))) {
      bool ok = false;
      const int v = a.mid(1).toInt(&ok);
      if (numbers == 0 && ok) result.milliseconds = std::clamp(v, 500, 30000);
      if (numbers == 1 && ok) result.year = v;
      ++numbers;
    } else if (!havename && !a.isEmpty()) {
      result.name = a.left(40);
      havename = true;
    }
  }
  return result;
}

tsplash::tsplash(const tsplashargs& args) : args_(args) {
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFixedSize(360, 200);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect g = screen->availableGeometry();
    move(g.center() - rect().center());
  }
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &tsplash::finish);
  timer_.start(args_.milliseconds);
}

void tsplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient g(0, 0, 0, height());
  g.setColorAt(0, QColor(0, 0, 128));
  g.setColorAt(1, QColor(0, 128, 128));
  p.fillRect(rect(), g);
  p.setPen(QColor(255, 255, 0));
  p.drawRect(rect().adjusted(0, 0, -1, -1));

  // A small parabola as the program's mark.
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(255, 0, 0), 2));
  QPointF last;
  for (int i = 0; i <= 60; ++i) {
    const double x = -1.5 + i * 0.05;
    const QPointF pt(30 + (x + 1.5) * 24, 150 - x * x * 36);
    if (i > 0) p.drawLine(last, pt);
    last = pt;
  }

  QFont f = font();
  f.setPointSize(28);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(130, 40, 220, 60), Qt::AlignLeft | Qt::AlignVCenter, args_.name);
  f.setPointSize(10);
  f.setBold(false);
  p.setFont(f);
  p.drawText(QRect(130, 100, 220, 24), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Versjon %1").arg(QStringLiteral(TARNELO_VERSION)));
  p.drawText(QRect(130, 124, 220, 24), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Funksjonsgrafer for skolen"));
  p.drawText(QRect(130, 160, 220, 24), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("%1").arg(args_.year));
}

void tsplash::mousePressEvent(QMouseEvent*) {
  finish();
}

// A splash window does not count as a last window closing, so the program
// ends itself.
void tsplash::finish() {
  close();
  QCoreApplication::quit();
}
