#include "shell/startup.h"

#include <QFileInfo>

#include "graph/tgrform.h"
#include "platform/qt/cp1252.h"
#include "settings/toptions.h"
#include "shell/tfunc.h"
#include "shell/tundohistory.h"

std::unique_ptr<tmainform> startprogram(platform::services& services,
                                        platform::imagefactory& images,
                                        const tstartoptions& options) {
  auto main = std::make_unique<tmainform>(services, images, options);
  main->startlog.push_back("tmainform");
  main->createpointdialogs();

  main->busy = 1;
  main->createoptions();
  main->createpanel();
  auto* first = new tgrform(*main);
  main->startlog.push_back("tgrform");
  main->busy = 0;

  main->tileclick();
  main->createabout();
  main->func().move(0, 0);
  toptions& o = main->options();
  first->coords.setup(0, 0, first->clientwidth(), first->clientheight(), o.minx(), o.maxx(),
                      o.miny(), o.maxy());
  first->pant();
  main->createremainingdialogs();
  main->history().start();
  return main;
}

tstartoptions parsestartoptions(const std::vector<std::string>& arguments) {
  tstartoptions o;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a == "--no-splash") {
      o.nosplash = true;
    } else if (a == "--splash" && i + 1 < arguments.size()) {
      o.splashpath = arguments[++i];
    } else if (a == "--ini" && i + 1 < arguments.size()) {
      o.inipath = arguments[++i];
    } else if (!a.empty() && a[0] != '-') {
      o.files.push_back(a);
    }
  }
  return o;
}

void openstartfiles(tmainform& main) {
  for (const std::string& given : main.startoptions().files) {
    // Captions and project files name windows by absolute paths.
    const QString path = QFileInfo(QString::fromStdString(given)).absoluteFilePath();
    const std::string name = platform::tocp1252(path);
    if (platform::tounicode(name) != path) {
      main.services().messagebox("Filnavnet inneholder tegn som ikke kan brukes:\r" + name, "",
                                 platform::msgkind::error, platform::msgbuttons::ok);
      continue;
    }
    main.files().openfile(name);
  }
}

std::string findcompanion(const std::string& programdir, const std::string& libexecdir) {
  const std::string beside = programdir + "/tarnelo-splash";
  if (QFileInfo(QString::fromStdString(beside)).isFile()) return beside;
  const std::string installed = programdir + "/" + libexecdir + "/tarnelo-splash";
  if (!libexecdir.empty() && QFileInfo(QString::fromStdString(installed)).isFile())
    return installed;
  return beside;
}
