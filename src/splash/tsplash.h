// The splash window and the reading of its arguments.
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

struct tsplashargs {
  QString name = QStringLiteral("Tarnelo");
  int milliseconds = 3000;
  int year = 1999;

  // "#"-prefixed numbers are the showing time and the year; the first plain
  // argument is the name. Times are kept between 0.5 and 30 seconds so that a
  // bad argument neither flashes the window nor leaves it standing.
  static tsplashargs parse(const QStringList& arguments);
};

class tsplash : public QWidget {
 public:
  explicit tsplash(const tsplashargs& args);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void finish();

  tsplashargs args_;
  QTimer timer_;
};
