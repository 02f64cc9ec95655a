// Tarnelo: the start-up sequence, then the event loop.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstring>

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
  // Answered before Qt looks for a display, so it works from any terminal.
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("Tarnelo %s\n", TARNELO_VERSION);
      return 0;
    }
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(tarnelo);
  QApplication::setApplicationName(QStringLiteral("Tarnelo"));
  QApplication::setApplicationVersion(QStringLiteral(TARNELO_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("no.tarnelo.Tarnelo"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/no.tarnelo.Tarnelo.svg")));

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
  openstartfiles(*main);
  return app.exec();
}
