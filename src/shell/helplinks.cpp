#include "shell/helplinks.h"

#include <QAction>

#include "shell/tmainform.h"

void installhelpmenu(tmainform& main) {
  const tcommands& cmd = main.commands();
  platform::services& help = main.services();
  QAction* contents = cmd.item("contents1");
  QAction* search = cmd.item("search1");
  QAction* howto = cmd.item("howto1");
  QObject::connect(contents, &QAction::triggered, &main, [&help] { help.helpcontents(); });
  QObject::connect(search, &QAction::triggered, &main, [&help] { help.helpsearch({}); });
  QObject::connect(howto, &QAction::triggered, &main, [&help] { help.helponhelp(); });
  for (QAction* a : {contents, search, howto}) a->setEnabled(true);
}
