#include "shell/customentry.h"

#include <QAction>
#include <memory>

#include "dialogs/tsynt.h"
#include "figures/tfigure.h"
#include "graph/tgrform.h"
#include "platform/qt/cp1252.h"
#include "settings/toptions.h"
#include "shell/tcommands.h"
#include "shell/tfunc.h"
#include "shell/tmainform.h"

namespace {

const char* const tangenthint =
    "Tast mellomrom for \xE5 oppgi n\xF8yaktig x-koordinat eller bruk  musa for \xE5 finne den "
    "visuelt.";

}  // namespace

void installcustomentry(tmainform& main) {
  if (customdialog(main)) return;
  auto* dialog =
      new tsynt(&main, [&main](const std::string& s) { main.setpanel(2, platform::tounicode(s)); });
  dialog->setObjectName("synt");
  QAction* item = main.commands().item("custom1");
  item->setEnabled(true);
  QObject::connect(item, &QAction::triggered, &main, [&main] { customclick(main); });
}

tsynt* customdialog(tmainform& main) {
  return main.findChild<tsynt*>("synt", Qt::FindDirectChildrenOnly);
}

void customclick(tmainform& main) {
  customclick(main, [](tsynt& d) { return d.exec(); });
}

void customclick(tmainform& main, const std::function<int(tsynt&)>& run) {
  main.clearhint();
  tsynt* dialog = customdialog(main);
  if (!dialog) return;
  dialog->setexpression(std::make_unique<texpression>());
  dialog->formshow(main.options().funcname());
  const int result = run(*dialog);
  // On Cancel the dialog has released the expression already; whatever it
  // still holds is dropped here, so nothing outlives the command by mistake.
  std::unique_ptr<texpression> parsed = dialog->takeexpression();
  if (result != QDialog::Accepted || !parsed || parsed->errcode != 0) return;
  main.customexpression = *parsed;  // shares the parsed nodes
  main.customtext = dialog->formulatext().substr(0, tsynt::maxformula);
  tgrform* w = main.activewindow;
  if (!w) return;
  w->creategraph(family::custom);
  if (main.tool == toolcode::tangent) main.setpanel(2, platform::tounicode(tangenthint));
  w->repant();
  // The panel shows the new figure's own values in the boxes.
  main.func().paintbox6click();
  main.func().refresh();
}
