#include "shell/tcommands.h"

#include <QApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMenuBar>
#include <array>
#include <string_view>

namespace {

enum class rowkind { menu, item, separator, end };

enum : unsigned {
  radio = 1,     // one of the tool items: exactly one of them is checked
  checked = 2,   // checked at start
  disabled = 4,  // disabled at start
};

struct row {
  rowkind kind;
  const char* name;
  const char* caption;
  int help;
  const char* shortcut;
  const char* hint;  // English hints of the item; kept, never shown
  unsigned flags;
};

// The menu bar, top to bottom. Sub-menus open with a menu row and close with end.
constexpr std::array rows{
    row{rowkind::menu, "file1", "&Fil", 5, "", "", 0},
    row{rowkind::menu, "new1", "&Nytt", 0, "", "Create a new window", 0},
    row{rowkind::item, "newwindow1", "Nytt grafvindu", 6, "", "", 0},
    row{rowkind::item, "newproject1", "Prosjekt", 7, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},
    row{rowkind::item, "open1", "&Åpne...", 68, "", "Open an existing file", 0},
    row{rowkind::item, "saveproject1", "&Lagre prosjekt", 9, "Ctrl+S", "Save current file", 0},
    row{rowkind::item, "saveas1", "Lagre &som...", 10, "", "Save current file under a new name", 0},
    row{rowkind::item, "savepicture1", "Lagre &bilde som...", 10, "", "", 0},
    row{rowkind::item, "closewindow1", "Lukk grafvindu", 11, "", "", disabled},
    row{rowkind::separator, "", "", 0, "", "", 0},
    row{rowkind::item, "print1", "S&kriv ut...", 12, "", "Print current graph window(s)", disabled},
    row{rowkind::item, "printersetup1", "Skriver&oppsett", 13, "", "Change printer setup",
        disabled},
    row{rowkind::separator, "", "", 0, "", "", 0},
    row{rowkind::item, "exit1", "&Avslutt", 14, "", "Exit this application", 0},
    row{rowkind::end, "", "", 0, "", "", 0},

    row{rowkind::menu, "edit1", "&Rediger", 15, "", "", 0},
    row{rowkind::item, "undo1", "A&ngre", 74, "Ctrl+Z", "", disabled},
    row{rowkind::item, "redo1", "Gjør o&m", 74, "Ctrl+Y", "", disabled},
    row{rowkind::separator, "", "", 0, "", "", 0},
    row{rowkind::item, "delete1", "&Slett", 16, "Shift+Del", "", 0},
    row{rowkind::item, "undelete1", "&Angre sletting", 17, "Shift+Ins", "", 0},
    row{rowkind::separator, "", "", 0, "", "", 0},
    row{rowkind::item, "cut1", "&Klipp", 18, "Ctrl+X", "Delete selected item", 0},
    row{rowkind::item, "copy1", "K&opier", 19, "Ctrl+C", "Copy selected item to clipboard", 0},
    row{rowkind::item, "paste1", "&Lim inn", 20, "Ctrl+V", "Paste contents of clipboard", 0},
    row{rowkind::separator, "", "", 0, "", "", 0},
    row{rowkind::item, "copypicture1", "Kopier som &grafikk til klippebordet", 21, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},

    row{rowkind::menu, "newgraph1", "&Ny graf", 22, "", "", 0},
    row{rowkind::item, "line1", "Linje", 23, "", "", 0},
    row{rowkind::menu, "parabola1", "Parabel", 24, "", "", 0},
    row{rowkind::item, "parabola2", "a*x²+b*x+c", 24, "", "", 0},
    row{rowkind::item, "parabola3", "a*(x-b) ² + c", 24, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},
    row{rowkind::item, "hyperbola1", "Hyperbel", 25, "", "", 0},
    row{rowkind::menu, "trig1", "Trigonometrisk", 26, "", "", 0},
    row{rowkind::item, "sin1", "a*sin(b*x+c)+d", 26, "", "", 0},
    row{rowkind::item, "cos1", "a*cos(b*x+c)+d", 26, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},
    row{rowkind::menu, "polynom1", "Polynom", 27, "", "", 0},
    row{rowkind::item, "pol31", "3. grad", 27, "", "", 0},
    row{rowkind::item, "pol41", "4. grad", 27, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},
    row{rowkind::separator, "", "", 0, "", "", 0},
    row{rowkind::item, "custom1", "Egendefinert funksjon", 28, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},

    row{rowkind::menu, "view1", "&Vis", 29, "", "", 0},
    row{rowkind::item, "normal1", "Normal (1:1)", 30, "", "", 0},
    row{rowkind::menu, "zoomin1", "Zoom inn", 31, "", "", 0},
    row{rowkind::item, "N211", "(2:1)", 31, "", "", 0},
    row{rowkind::item, "N311", "(3:1)", 31, "", "", 0},
    row{rowkind::item, "N411", "(4:1)", 31, "", "", 0},
    row{rowkind::item, "N511", "(5:1)", 31, "", "", 0},
    row{rowkind::item, "N611", "(6:1)", 31, "", "", 0},
    row{rowkind::item, "N711", "(7:1)", 31, "", "", 0},
    row{rowkind::item, "N811", "(8:1)", 31, "", "", 0},
    row{rowkind::item, "N911", "(9:1)", 31, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},
    row{rowkind::menu, "zoomout1", "Zoom ut", 32, "", "", 0},
    row{rowkind::item, "M121", "(1:2)", 32, "", "", 0},
    row{rowkind::item, "M131", "(1:3)", 32, "", "", 0},
    row{rowkind::item, "M141", "(1:4)", 32, "", "", 0},
    row{rowkind::item, "M151", "(1:5)", 32, "", "", 0},
    row{rowkind::item, "M161", "(1:6)", 32, "", "", 0},
    row{rowkind::item, "M171", "(1:7)", 32, "", "", 0},
    row{rowkind::item, "M181", "(1:8)", 32, "", "", 0},
    row{rowkind::item, "M191", "(1:9)", 32, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},
    row{rowkind::separator, "", "", 0, "", "", 0},
    row{rowkind::item, "interpolation1", "Inter&polasjon", 33, "", "", 0},
    row{rowkind::item, "valuetable1", "&Verditabell", 73, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},

    row{rowkind::menu, "tools1", "V&erktøy", 34, "", "", 0},
    row{rowkind::item, "select1", "&Velg", 35, "", "", radio | checked},
    row{rowkind::item, "zoomtool1", "Zoom &inn", 36, "", "", radio},
    row{rowkind::item, "normal2", "Normal (1:1)", 30, "", "", radio},
    row{rowkind::item, "zoomout2", "Zoom &ut", 37, "", "", radio},
    row{rowkind::item, "fixpoint1", "Lås &punkt (fikspunkt)", 38, "", "", radio},
    row{rowkind::item, "rotate1", "V&ri", 41, "", "", radio},
    row{rowkind::item, "move1", "F&lytt", 42, "", "", radio},
    row{rowkind::item, "tangent1", "&Tangent", 43, "", "", radio},
    row{rowkind::item, "derivative1", "&Derivere", 44, "", "", radio},
    row{rowkind::item, "intersect1", "Fin&n skjæringspunkt", 45, "", "", radio},
    row{rowkind::item, "special1", "Finn &spesielle punkter", 72, "", "", radio},
    row{rowkind::item, "freeze1", "Frys/tin opp graf", 46, "", "", radio},
    row{rowkind::item, "text1", "Te&kst", 47, "", "", radio},
    row{rowkind::separator, "", "", 0, "", "", 0},
    row{rowkind::item, "options1", "&Innstillinger", 49, "", "", 0},
    row{rowkind::end, "", "", 0, "", "", 0},

    row{rowkind::menu, "window1", "Vin&du", 54, "", "", 0},
    row{rowkind::item, "tile1", "&Side om side", 55, "", "Tile all windows", 0},
    row{rowkind::item, "cascade1", "&Overlappe", 56, "", "Cascade all windows", 0},
    row{rowkind::end, "", "", 0, "", "", 0},

    row{rowkind::menu, "help1", "&Hjelp", 57, "", "", 0},
    row{rowkind::item, "contents1", "&Innhold", 58, "", "Display the help contents screen", 0},
    row{rowkind::item, "search1", "&Søke etter hjelp om...", 59, "", "Search help file for a topic",
        0},
    row{rowkind::item, "howto1", "&Hvordan bruke hjelp", 60, "", "Help on using the help system",
        0},
    row{rowkind::separator, "", "", 0, "", "", 0},
    row{rowkind::item, "about1", "&Om Tarnelo...", 61, "", "Show program information", 0},
    row{rowkind::end, "", "", 0, "", "", 0},
};

struct buttonrow {
  const char* command;  // the item whose handler the button runs
  const char* hint;
  const char* icon;  // cursor image used as glyph, or "" for a text button
  const char* text;
  bool radio;
};

// Left group: each hint is a short hint with an empty long hint ("text|").
constexpr std::array filebuttons{
    buttonrow{"newwindow1", "Nytt vindu|", "", "", false},
    buttonrow{"open1", "Åpne|", "", "", false},
    buttonrow{"saveproject1", "Lagre|", "", "", false},
    buttonrow{"saveas1", "Lagre som|", "", "", false},
    buttonrow{"cut1", "Klipp|", "", "", false},
    buttonrow{"copy1", "Kopier|", "", "", false},
    buttonrow{"paste1", "Lim inn|", "", "", false},
    buttonrow{"undo1", "Angre|", "", "", false},
    buttonrow{"redo1", "Gjør om|", "", "", false},
    buttonrow{"tile1", "Side om side|", "", "", false},
    buttonrow{"cascade1", "Overlappe|", "", "", false},
    buttonrow{"contents1", "Hjelp|", "", "", false},
};

// Items drawn with an icon, by the icon's standard theme name. A desktop
// theme's icon comes first so the program looks like its neighbours; the
// bundled one of the same name stands in where the theme has none.
struct iconrow {
  const char* command;
  const char* name;
};
constexpr std::array itemicons{
    iconrow{"newwindow1", "document-new"},
    iconrow{"open1", "document-open"},
    iconrow{"saveproject1", "document-save"},
    iconrow{"saveas1", "document-save-as"},
    iconrow{"print1", "document-print"},
    iconrow{"exit1", "application-exit"},
    iconrow{"delete1", "edit-delete"},
    iconrow{"cut1", "edit-cut"},
    iconrow{"copy1", "edit-copy"},
    iconrow{"paste1", "edit-paste"},
    iconrow{"undo1", "edit-undo"},
    iconrow{"redo1", "edit-redo"},
    iconrow{"tile1", "window-tile"},
    iconrow{"cascade1", "window-cascade"},
    iconrow{"contents1", "help-contents"},
};

QIcon themedicon(const char* name) {
  const QString n = QString::fromLatin1(name);
  return QIcon::fromTheme(n, QIcon(QStringLiteral(":/icons/actions/%1.svg").arg(n)));
}

constexpr std::array toolbuttons{
    buttonrow{"select1", "Velg", ":/cursors/handpnt.xpm", "", true},
    buttonrow{"zoomtool1", "Zoom inn", ":/cursors/zoom.xpm", "", true},
    buttonrow{"normal2", "Vis normal (1:1)", "", "1:1", false},
    buttonrow{"zoomout2", "Zoom ut", "", "1:2", false},
    buttonrow{"fixpoint1", "Fikspunkt", ":/cursors/fixpoint.xpm", "", true},
    buttonrow{"rotate1", "Vri", ":/cursors/squeeze.xpm", "", true},
    buttonrow{"move1", "Flytt", ":/cursors/move.xpm", "", true},
    buttonrow{"tangent1", "Tangent", ":/cursors/tangset.xpm", "", true},
    buttonrow{"derivative1", "Derivere", "", "f '", true},
    buttonrow{"intersect1", "Skjæringspunkt", ":/cursors/intersect.xpm", "", true},
    buttonrow{"special1", "Spesielle punkter", ":/cursors/pointstool.xpm", "", true},
    buttonrow{"freeze1", "Frys/tin opp", ":/cursors/freeze.xpm", "", true},
    buttonrow{"text1", "Skriv tekst", ":/cursors/texttool.xpm", "", true},
};

// Commands whose behaviour arrives with the formula-entry part of the program.
constexpr std::array<std::string_view, 1> later{"custom1"};

QString qs(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

// Outside any namespace: the macro declares the resource's init function.
static void init_resources() {
  Q_INIT_RESOURCE(tarnelo);
}

bool tcommands::notyetavailable(const std::string& name) {
  for (std::string_view n : later)
    if (n == name) return true;
  return false;
}

int tcommands::helpcontext(const QAction* a) {
  return a ? a->property("helpcontext").toInt() : 0;
}

tcommands::tcommands(QMainWindow& frame) {
  init_resources();
  buildmenus(frame);
  buildbuttons(frame);
}

void tcommands::buildmenus(QMainWindow& frame) {
  QMenuBar* bar = frame.menuBar();
  toolitems_ = new QActionGroup(&frame);
  toolitems_->setExclusive(true);
  std::vector<QMenu*> stack;
  for (const row& r : rows) {
    switch (r.kind) {
      case rowkind::menu: {
        QMenu* m =
            stack.empty() ? bar->addMenu(qs(r.caption)) : stack.back()->addMenu(qs(r.caption));
        m->setObjectName(r.name);
        QAction* a = m->menuAction();
        a->setObjectName(r.name);
        a->setProperty("helpcontext", r.help);
        a->setProperty("hint", qs(r.hint));
        menus_[r.name] = m;
        items_[r.name] = a;
        itemorder_.push_back(r.name);
        stack.push_back(m);
        break;
      }
      case rowkind::end:
        stack.pop_back();
        break;
      case rowkind::separator:
        stack.back()->addSeparator();
        break;
      case rowkind::item: {
        QAction* a = stack.back()->addAction(qs(r.caption));
        a->setObjectName(r.name);
        a->setProperty("helpcontext", r.help);
        a->setProperty("hint", qs(r.hint));
        if (*r.shortcut) a->setShortcut(QKeySequence(qs(r.shortcut)));
        if (r.flags & radio) {
          a->setCheckable(true);
          toolitems_->addAction(a);
        }
        if (r.flags & checked) a->setChecked(true);
        if ((r.flags & disabled) || notyetavailable(r.name)) a->setEnabled(false);
        items_[r.name] = a;
        itemorder_.push_back(r.name);
        break;
      }
    }
  }
  for (const iconrow& r : itemicons) items_.at(r.command)->setIcon(themedicon(r.name));
}

void tcommands::buildbuttons(QMainWindow& frame) {
  filetools_ = frame.addToolBar(QStringLiteral("Filer"));
  filetools_->setObjectName("filetools");
  filetools_->setMovable(false);
  filetools_->setProperty("helpcontext", 55);
  for (const buttonrow& b : filebuttons) {
    QAction* a = items_.at(b.command);
    const QString hint = qs(b.hint);
    // The button shares the item's action, so both are enabled together; the
    // tool tip shows the short hint in front of "|".
    QAction* shown = filetools_->addAction(a->icon(), hint.section('|', 0, 0));
    shown->setObjectName(QString::fromUtf8(b.command) + "button");
    shown->setProperty("hint", hint);
    shown->setProperty("helpcontext", 55);
    shown->setEnabled(a->isEnabled());
    QObject::connect(shown, &QAction::triggered, a, &QAction::trigger);
    QObject::connect(a, &QAction::enabledChanged, shown, &QAction::setEnabled);
    buttons_[b.command] = shown;
    buttonorder_.push_back(b.command);
  }

  tooltools_ = frame.addToolBar(QStringLiteral("Verktøy"));
  tooltools_->setObjectName("tooltools");
  tooltools_->setMovable(false);
  tooltools_->setProperty("helpcontext", 55);
  toolbuttons_ = new QActionGroup(&frame);
  toolbuttons_->setExclusive(true);
  for (const buttonrow& b : toolbuttons) {
    QAction* shown =
        *b.icon ? tooltools_->addAction(QIcon(QPixmap(qs(b.icon)).scaled(24, 24)), qs(b.hint))
                : tooltools_->addAction(qs(b.text));
    shown->setObjectName(QString::fromUtf8(b.command) + "button");
    shown->setToolTip(qs(b.hint));
    shown->setProperty("hint", qs(b.hint));
    shown->setProperty("helpcontext", 55);
    if (b.radio) {
      shown->setCheckable(true);
      toolbuttons_->addAction(shown);
    }
    QAction* a = items_.at(b.command);
    QObject::connect(shown, &QAction::triggered, a, &QAction::trigger);
    buttons_[b.command] = shown;
    buttonorder_.push_back(b.command);
  }
  buttons_.at("select1")->setChecked(true);
}

QAction* tcommands::item(const std::string& name) const {
  const auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

QMenu* tcommands::menu(const std::string& name) const {
  const auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second;
}

QAction* tcommands::button(const std::string& name) const {
  const auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}
