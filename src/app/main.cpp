// Tarnelo: the start-up sequence, then the event loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/qt/qtimage.h"
#include "platform/qt/qtservices.h"
#include "platform/qt/tbokmaal.h"
#include "shell/startup.h"

namespace {

// Qt's own dialogs in Norwegian: Bokmål when the system has it, else Nynorsk.
void installtranslation(QApplication& app, QTranslator& translator) {
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_nb", "qtbase_no", "qtbase_nn"}) {
    if (translator.load(QString::fromLatin1(name), dir)) {
      app.installTranslator(&translator);
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnelo"));
  QTranslator translator;
  installtranslation(app, translator);
  // Installed last, so asked first.
  platform::tbokmaal bokmaal;
  app.installTranslator(&bokmaal);

  std::vector<std::string> arguments;
  for (const QString& a : QCoreApplication::arguments().mid(1))
    arguments.push_back(a.toStdString());

  platform::qtservices services;
  platform::qtimagefactory images;
  std::unique_ptr<tmainform> main = startprogram(services, images, parsestartoptions(arguments));
  main->showMaximized();
  if (main->terminating) return 1;
  return app.exec();
}
