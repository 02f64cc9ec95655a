#include "shell/dialoglinks.h"

#include "shell/customentry.h"
#include "shell/helplinks.h"
#include <QAction>
#include <QObject>
#include <algorithm>
#include <memory>

#include "expr/parseexpr.h"
#include "figures/tcustom.h"
#include "graph/tgrform.h"
#include "platform/qt/cp1252.h"
#include "platform/qt/qtimage.h"
#include "settings/toptions.h"
#include "shell/tfunc.h"
#include "shell/tmainform.h"
#include "shell/tpictureexport.h"
#include "shell/tprintout.h"

namespace {

bool isletter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Holds the links and dialogs; a child of the main window, so it goes with it.
class tdialoglinks : public QObject {
 public:
  explicit tdialoglinks(tmainform& main) : QObject(&main), optionslink(main), polylink(main) {
    setObjectName("dialoglinks");
  }
  toptionslink optionslink;
  tpolylink polylink;
  std::unique_ptr<toptionsform> options;
  std::unique_ptr<tpolyform> poly;
};

tdialoglinks* links(tmainform& main) {
  return main.findChild<tdialoglinks*>("dialoglinks", Qt::FindDirectChildrenOnly);
}

}  // namespace

tboxsettings toptionslink::boxsettings(int p) const {
  const tboxconfig c = main_.func().boxes[static_cast<size_t>(p - 1)].getsettings();
  tboxsettings s;
  s.min = c.min;
  s.max = c.max;
  s.step = c.step;
  s.interval = c.interval;
  s.direction = c.direction;
  s.format = main_.options().paramconst().format[static_cast<size_t>(p - 1)];
  return s;
}

void toptionslink::setboxsettings(int p, const tboxsettings& s) {
  tmanbox& b = main_.func().boxes[static_cast<size_t>(p - 1)];
  // A box whose value would fall outside the new range keeps its settings.
  if (b.applysettings({s.min, s.max, s.direction, s.interval, s.step})) b.setformat(s.format);
}

void toptionslink::applywindow() {
  tgrform* w = main_.activewindow;
  if (!w) return;
  toptions& o = main_.options();
  w->coords.readoptions();
  w->coords.setup(0, 0, w->clientwidth(), w->clientheight(), o.minx(), o.maxx(), o.miny(),
                  o.maxy());
}

std::string toptionslink::renameletters(const std::string& text, const std::string& old,
                                        const std::string& now) {
  std::string out = text;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool alone =
        (i == 0 || !isletter(text[i - 1])) && (i + 1 >= text.size() || !isletter(text[i + 1]));
    if (!alone) continue;
    const size_t p = old.find(text[i]);
    if (p != std::string::npos && p < now.size()) out[i] = now[p];
  }
  return out;
}

void toptionslink::letterschanged(const std::string& old) {
  const std::string now = paramletters().substr(0, 5);
  for (auto& f : main_.func().figures) {
    auto* c = dynamic_cast<tcustom*>(f.get());
    if (!c) continue;
    c->formulatext = renameletters(c->formulatext, old, now);
    c->expression.text = renameletters(c->expression.text, old, now);
    for (char& l : c->paramletters)
      if (const size_t p = old.find(l); p != std::string::npos && p < now.size()) l = now[p];
  }
  main_.customtext = renameletters(main_.customtext, old, now);
  main_.customexpression.text = renameletters(main_.customexpression.text, old, now);
  const QString a = QChar::fromLatin1(now[0]), b = QChar::fromLatin1(now[1]),
                c = QChar::fromLatin1(now[2]), d = QChar::fromLatin1(now[3]);
  const tcommands& cmd = main_.commands();
  cmd.item("parabola2")->setText(a + QString::fromUtf8("*x²+") + b + "*x+" + c);
  cmd.item("parabola3")->setText(a + "*(x-" + b + QString::fromUtf8(")²+") + c);
  cmd.item("sin1")->setText(a + "*sin(" + b + "*x+" + c + ")+" + d);
  cmd.item("cos1")->setText(a + "*cos(" + b + "*x+" + c + ")+" + d);
  main_.func().filpop();
}

void toptionslink::setfuncname(const std::string&) {
  // The prefix itself is read from the options wherever it is shown.
  main_.func().filpop();
  main_.func().refresh();
}

void toptionslink::redrawwindow() {
  if (main_.activewindow) main_.activewindow->pant();
  main_.func().refresh();
  // The dialog stays open beside the windows: its OK is a step of its own.
  main_.changedone(QString::fromUtf8("endring av innstillinger"));
}

tfigure* tpolylink::creategraph(int family) {
  return main_.activewindow ? main_.activewindow->creategraph(family) : nullptr;
}

void tpolylink::resetvisi(tfigure& figure) {
  if (main_.activewindow) main_.activewindow->resetvisi(figure);
}

void tpolylink::settool(int code) {
  main_.toolclick(code);
}

void tpolylink::redraw() {
  if (main_.activewindow) main_.activewindow->repant();
  main_.func().refresh();
}

void installdialogs(tmainform& main) {
  if (links(main)) return;
  installcustomentry(main);
  installhelpmenu(main);
  auto* l = new tdialoglinks(main);
  l->options =
      std::make_unique<toptionsform>(main.options(), main.services(), l->optionslink, &main);
  l->poly = std::make_unique<tpolyform>(main.services(), l->polylink, &main);
  const tcommands& cmd = main.commands();
  QObject::connect(cmd.item("options1"), &QAction::triggered, l, [&main, l] {
    main.clearhint();
    l->options->show();
    l->options->raise();
    l->options->activateWindow();
  });
  QObject::connect(cmd.item("interpolation1"), &QAction::triggered, l, [&main, l] {
    main.clearhint();
    l->poly->exec();
  });
  QObject::connect(cmd.item("print1"), &QAction::triggered, l,
                   [&main] { printactivewindow(main); });
  cmd.item("options1")->setEnabled(true);
  cmd.item("interpolation1")->setEnabled(true);
  cmd.item("print1")->setEnabled(main.services().printeravailable());
  cmd.item("printersetup1")->setEnabled(main.services().printeravailable());
}

toptionsform* optionsform(tmainform& main) {
  tdialoglinks* l = links(main);
  return l ? l->options.get() : nullptr;
}

tpolyform* polyform(tmainform& main) {
  tdialoglinks* l = links(main);
  return l ? l->poly.get() : nullptr;
}

bool printactivewindow(tmainform& main) {
  main.clearhint();
  tgrform* w = main.activewindow;
  if (!w || !w->coords.image) return false;
  std::vector<std::string> formulas;
  for (tfigure* f : w->figures()) formulas.push_back(f->formula());
  const int width = std::max(w->coords.pixwidth, 1);
  const int height = std::max(w->coords.pixheight, 1);
  // The picture is drawn afresh on the page at the printer's resolution; a
  // page that is no Qt surface gets a copy of the window's image.
  auto picture = [w, width, height](platform::surface& page, const platform::rect& to) {
    if (auto* q = dynamic_cast<platform::qtsurface*>(&page)) {
      pictureexport::paintonto(*w, std::make_unique<platform::qtviewimage>(*q, to, width, height));
      return;
    }
    const platform::image& own = *w->coords.image;
    page.copyrect(to, own, {0, 0, own.width(), own.height()});
  };
  return tprintout::print(main.services(), width, height, picture,
                          platform::tocp1252(w->windowTitle()), formulas,
                          main.options().funcname());
}
