// The companion splash: a small frameless window with the program's name and
// version, started by the main program when it first shows. It closes itself
// after a while or on a click.
//
// Arguments, as the main program passes them: NAME #MILLISECONDS #YEAR, for
// example "Tarnelo #3000 #1999". A missing or unreadable argument falls back to
// the defaults.
#include <QApplication>

#include "tsplash.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const tsplashargs args = tsplashargs::parse(QCoreApplication::arguments().mid(1));
  tsplash splash(args);
  splash.show();
  return app.exec();
}
