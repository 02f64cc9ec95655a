#include "shell/tfilecommands.h"

#include "graph/tgrform.h"
#include "platform/qt/cp1252.h"
#include "shell/tfunc.h"
#include "shell/tmainform.h"
#include "codecs/tprojectnames.h"
#include "shell/tundohistory.h"

namespace {

const char* const savequestiontext = "Prosjektet er endret siden siste lagring.\rVil du lagre det?";
const char* const openfilter = "Grafprosjekt|*.QVP|Grafvindu|*.QVW|Enkeltgraf|*.QVS";
const char* const savefilter2 = "Grafprosjekt|*.QVP|Grafvindu|*.QVW";
const char* const savefilter3 = "Grafprosjekt|*.QVP|Grafvindu|*.QVW|Enkelt graf|*.QVS";

}  // namespace

tfilecommands::tfilecommands(tmainform& main) : main_(main), iofile_(main) {}

bool tfilecommands::hasprojectname() const {
  return isabsolutepath(platform::tocp1252(main_.windowTitle()));
}

bool tfilecommands::savequestion(bool exiting) {
  if (!main_.modified) return true;
  const platform::msgresult r = main_.services().messagebox(
      savequestiontext, "Tarnelo", platform::msgkind::warning, platform::msgbuttons::yesnocancel);
  if (r == platform::msgresult::cancel) return false;
  if (r != platform::msgresult::yes) return true;
  if (!exiting && hasprojectname()) return saveprojectclick();
  return saveasclick();
}

void tfilecommands::openclick() {
  platform::filedialog d;
  d.title = "\xC5pne";
  d.filter = openfilter;
  d.defaultext = "QVP";
  d.mustexist = true;
  d.overwriteprompt = false;
  d.helpcontext = opendialoghelp;
  if (!main_.services().openfile(d)) return;
  savefilterindex = 1;
  openfile(d.filename);
}

void tfilecommands::openfile(const std::string& name) {
  if (isprojectname(name) && main_.modified) {
    const platform::msgresult r = main_.services().messagebox(
        savequestiontext, "Tarnelo", platform::msgkind::warning, platform::msgbuttons::yesnocancel);
    if (r == platform::msgresult::cancel) return;
    if (r == platform::msgresult::yes && !saveasclick()) return;
  }

  // Asked once, however many windows show the file.
  std::size_t named = 0;
  for (tgrform* w : main_.windowlist)
    if (captionpath(platform::tocp1252(w->windowTitle())) == name) ++named;
  const bool copy = named > 0;
  if (copy) {
    const std::string windows = named == 1 ? "et vindu" : std::to_string(named) + " vinduer";
    const platform::msgresult r = main_.services().messagebox(
        "Dette prosjektet inneholder allerede " + windows + " kalt " + name + "\r" +
            " Vil du \xE5pne en kopi?",
        "Tarnelo", platform::msgkind::warning, platform::msgbuttons::yesno);
    if (r != platform::msgresult::yes) return;
  }

  main_.busy = 1;
  main_.commands().item("closewindow1")->setEnabled(true);
  iofile_.open(name, copy);
  main_.updateclosewindowitem();
  if (main_.hasfunc()) {
    // The boxes hold the loaded values; the fields and the display show the
    // current figure's own.
    main_.func().paintbox6click();
    main_.func().refresh();
  }
  main_.busy = 0;
}

bool tfilecommands::saveprojectclick() {
  if (!main_.hasfunc() || main_.func().figures.empty()) {
    main_.services().messagebox("Ikke noe \xE5 lagre!", "Tarnelo", platform::msgkind::information,
                                platform::msgbuttons::yes);
    return true;
  }
  // Only a save that went through clears the flag: a cancelled dialog or a
  // failed write leaves the work marked as unsaved.
  if (hasprojectname()) {
    if (!iofile_.save(platform::tocp1252(main_.windowTitle()), qvkind::project)) return false;
    main_.history().setsaved();
    return true;
  }
  savefilterindex = 1;
  return saveasclick();
}

bool tfilecommands::saveasclick() {
  const bool figures = main_.hasfunc() && !main_.func().figures.empty();
  const bool activefigures =
      main_.activewindow && main_.activewindow->firstfig != main_.activewindow->lastfig;
  platform::filedialog d;
  d.title = "Lagre som";
  d.filter = figures && activefigures ? savefilter3 : savefilter2;
  d.defaultext = "QVP";
  d.overwriteprompt = true;
  d.mustexist = false;
  d.filterindex = savefilterindex;
  d.helpcontext = savedialoghelp;
  if (d.filterindex == 3 && !(figures && activefigures)) d.filterindex = 1;
  if (!main_.services().savefile(d)) return false;
  savefilterindex = d.filterindex;
  switch (d.filterindex) {
    case 2:
      if (!iofile_.save(d.filename, qvkind::window)) return false;
      if (main_.windowlist.size() == 1) main_.history().setsaved();
      return true;
    case 3:
      return iofile_.save(d.filename, qvkind::graph);
    default:
      if (!iofile_.save(d.filename, qvkind::project)) return false;
      main_.history().setsaved();
      return true;
  }
}
