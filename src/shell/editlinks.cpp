#include "shell/editlinks.h"

#include <QAction>
#include <QImage>
#include <QPixmap>

#include "expr/parseexpr.h"
#include "figures/tcustom.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrform.h"
#include "graph/tgrlabels.h"
#include "graph/tmemoedit.h"
#include "shell/tfunc.h"
#include "shell/tmainform.h"

// --- tcliplink

void tcliplink::enablepaste(bool on) {
  main_.commands().item("paste1")->setEnabled(on);
}

void tcliplink::enableundodelete(bool on) {
  main_.commands().item("undelete1")->setEnabled(on);
}

void tcliplink::enablecutcopy(bool on) {
  main_.enablecutcopy(on);
}

bool tcliplink::setcustomformula(const std::string& text) {
  texpression parsed;
  parseexpr(parsed, text.substr(0, tcustom::maxformula));
  if (parsed.errcode != 0) return false;
  main_.customtext = parsed.text;
  main_.customexpression = std::move(parsed);
  return true;
}

void tcliplink::setboxvalue(int k, float value) {
  if (k < 1 || k > 5 || !main_.hasfunc()) return;
  main_.func().boxes[static_cast<size_t>(k - 1)].showvalue(value);
}

void tcliplink::showboxtext(int k, float value) {
  if (k < 1 || k > 5 || !main_.hasfunc()) return;
  tfunc& func = main_.func();
  // Only the edit field shows it; the value the box holds stays as pasted.
  const uint8_t before = func.updating;
  func.updating = 1;
  func.setparamtext(k, func.boxes[static_cast<size_t>(k - 1)].valuetext(value));
  func.updating = before;
}

void tcliplink::showemptypanel() {
  if (!main_.hasfunc()) return;
  main_.func().resetfamilies();
  main_.func().refresh();
}

// --- tfontlink

tlabelmemo* tfontlink::activememo() {
  tgrform* w = main_.activewindow;
  return w ? &w->textlabels().memoedit() : nullptr;
}

void tfontlink::setpaintlock(bool on) {
  if (main_.activewindow) main_.activewindow->paintlock = on;
}

void tfontlink::fontwindowclosed() {
  main_.toolclick(toolcode::select);
}

// --- commands

void cutclick(tmainform& main) {
  tgrform* w = main.activewindow;
  if (!w) return;
  main.clipboard().cut(w->textlabels());
  w->repant();
  w->afterp();
}

void copyclick(tmainform& main) {
  tgrform* w = main.activewindow;
  if (!w) return;
  main.clipboard().copy(w->textlabels());
  w->pant();
}

void pasteclick(tmainform& main) {
  tgrform* w = main.activewindow;
  if (!w) return;
  main.clipboard().paste(w->textlabels());
  main.commands().item("paste1")->setEnabled(main.clipboard().canpaste());
}

void deleteclick(tmainform& main) {
  tgrform* w = main.activewindow;
  if (!w) return;
  main.clipboard().deleteselection(w->textlabels());
  w->repant();
  w->afterp();
}

void undeleteclick(tmainform& main) {
  tgrform* w = main.activewindow;
  if (!w) return;
  main.clipboard().undodelete(w->textlabels());
}

void copypictureclick(tmainform& main) {
  main.clearhint();
  QWidget* shown = nullptr;
  if (main.panelactive && main.hasfunc())
    shown = &main.func();
  else if (main.activewindow)
    shown = &main.activewindow->canvas();
  if (!shown) return;
  const QImage shot = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
  std::unique_ptr<platform::image> picture = main.images().makeimage(shot.width(), shot.height());
  if (!picture || picture->width() != shot.width() || picture->height() != shot.height()) return;
  platform::surface& s = picture->canvas();
  for (int y = 0; y < shot.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    for (int x = 0; x < shot.width(); ++x)
      s.setpixel(x, y, static_cast<platform::colour>(row[x] & 0xFFFFFFu));
  }
  main.services().copytoclipboard(*picture);
}

void connecteditcommands(tmainform& main) {
  const auto on = [&main](const char* name, void (*handler)(tmainform&)) {
    QObject::connect(main.commands().item(name), &QAction::triggered, &main,
                     [&main, handler] { handler(main); });
  };
  on("cut1", cutclick);
  on("copy1", copyclick);
  on("paste1", pasteclick);
  on("delete1", deleteclick);
  on("undelete1", undeleteclick);
  on("copypicture1", copypictureclick);
}
