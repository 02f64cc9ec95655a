#include "texerciser.h"

#include <gtest/gtest-spi.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "graph/tgralab.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrform.h"
#include "graph/tgrlabels.h"
#include "graph/tlabeltool.h"
#include "shell/startup.h"
#include "shell/tcommands.h"
#include "shell/tfunc.h"
#include "shell/tmainform.h"
#include "shell/tparamcolumn.h"

texerciser* texerciser::current = nullptr;

namespace {

constexpr std::size_t remembered = 30;

int64_t nowms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string show(const QString& s) {
  return s.toStdString();
}

// Types the text key by key; letters beyond ASCII come as the key a
// Norwegian keyboard has for them, with their text.
void typetext(QWidget* w, const QString& text) {
  QPointer<QWidget> guard(w);
  for (const QChar ch : text) {
    if (!guard) return;
    if (ch.unicode() < 0x80)
      QTest::keyClick(w, static_cast<char>(ch.unicode()));
    else
      QTest::sendKeyEvent(QTest::Click, w, static_cast<Qt::Key>(ch.toUpper().unicode()),
                          QString(ch), Qt::NoModifier);
  }
}

std::string num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  return buf;
}

const std::vector<std::string> newfigureitems{"line1", "parabola2", "parabola3", "hyperbola1",
                                              "sin1",  "cos1",      "pol31",     "pol41"};

// Commands that may bring figures whose values come from a file, the
// clipboard or the history rather than from a tool and its limits.
const std::set<std::string> freshvaluecommands{"open1", "newproject1", "undo1",
                                               "redo1", "undelete1",   "paste1"};

const char* const savequestiontext = "Prosjektet er endret siden siste lagring.\rVil du lagre det?";

}  // namespace

texerciser::texerciser(const texerciseoptions& options)
    : options_(options),
      rng_(options.seed),
      folder_(dir_.path().toStdString()),
      services_(rng_, folder_) {
  current = this;
  inipath_ = folder_ + "/QV.INI";
  const bool settings = options_.settings < 0 ? rng_.chance(60) : options_.settings == 1;
  if (settings) {
    const std::string text = randomsettings();
    QFile f(QString::fromStdString(inipath_));
    if (f.open(QIODevice::WriteOnly)) f.write(text.data(), static_cast<qint64>(text.size()));
    log("settings file:\n" + text);
  } else {
    log("no settings file");
  }
  services_.separator = rng_.chance(80) ? ',' : '.';
  start();
}

texerciser::~texerciser() {
  main_.reset();
  current = nullptr;
}

// --- program

void texerciser::start() {
  tgrform::resetwindowcounter();
  tstartoptions o;
  o.inipath = inipath_;
  o.nosplash = true;
  main_ = startprogram(services_, images_, o);
  main_->show();
  settle();
}

void texerciser::restart() {
  ++restarts_;
  log("the program ended; started again");
  main_.reset();
  settle();
  start();
  kept_.clear();
  historyresets_ = -1;
  freshvalues_ = true;
}

tgrform* texerciser::active() {
  return main_->activewindow;
}

std::vector<tgrform*> texerciser::windows() {
  return main_->windowlist;
}

// --- the run

bool texerciser::run() {
  const int64_t began = nowms();
  {
    check();
    checkhistory();
    while (options_.actions == 0 || done_ < options_.actions) {
      if (options_.seconds > 0 && static_cast<double>(nowms() - began) > options_.seconds * 1000)
        break;
      snapshot();
      ++done_;
      actionstart = nowms();
      act();
      settle();
      actionstart = 0;
      // The program ended (Avslutt): the checks go on with it started afresh.
      if (!main_->isVisible()) restart();
      check();
      checkhistory();
      if (options_.undoevery > 0 && done_ % options_.undoevery == 0) undowalk();
      // The fake's records grow with every call; only the newest matter.
      if (services_.pointermoves.size() > 1000) services_.pointermoves.clear();
      if (services_.busycursor.size() > 1000) services_.busycursor.clear();
      if (services_.helprequests.size() > 1000) services_.helprequests.clear();
      if (services_.programstarts.size() > 1000) services_.programstarts.clear();
    }
  }
  return true;
}

void texerciser::log(const std::string& said) {
  // The temporary folder's name differs from run to run; the log does not.
  std::string text = said;
  if (!folder_.empty())
    for (std::size_t at = text.find(folder_); at != std::string::npos; at = text.find(folder_, at))
      text.replace(at, folder_.size(), "<dir>");
  for (unsigned char c : text) digest_ = (digest_ ^ c) * 1099511628211ull;
  std::string line = "#" + std::to_string(done_) + " " + text;
  if (options_.verbose) std::fprintf(stderr, "%s\n", line.c_str());
  std::lock_guard<std::mutex> lock(logmutex_);
  last_.push_back(std::move(line));
  while (last_.size() > remembered) last_.pop_front();
}

void texerciser::printreport(const std::string& reason) {
  std::lock_guard<std::mutex> lock(logmutex_);
  std::fprintf(stderr, "\nexerciser FAILED: %s\n  seed %llu, action %lld\n", reason.c_str(),
               static_cast<unsigned long long>(options_.seed), static_cast<long long>(done_));
  std::fprintf(stderr, "  repeat with: tarnelo-exerciser --seed %llu --actions %lld\n",
               static_cast<unsigned long long>(options_.seed), static_cast<long long>(done_));
  std::fprintf(stderr, "  the last %zu actions:\n", last_.size());
  for (const std::string& l : last_) std::fprintf(stderr, "    %s\n", l.c_str());
  std::fflush(stderr);
}

void texerciser::fail(const std::string& reason) {
  // Also called from inside a dialog's event loop: the run ends here.
  actionstart = 0;
  printreport(reason);
  std::_Exit(1);
}

// --- actions

void texerciser::act() {
  // The pump answers every modal dialog the action opens, from inside the
  // dialog's own event loop, until the action is over.
  answers_ = 0;
  services_.damagedname = false;
  const uint64_t generation = ++generation_;
  QTimer::singleShot(0, [this, generation] { pump(generation); });
  const int r = rng_.below(1000);
  if (r < 170)
    menucommand();
  else if (r < 260)
    toolbutton();
  else if (r < 520)
    mouseoncanvas();
  else if (r < 590)
    keyoncanvas();
  else if (r < 630)
    shortcut();
  else if (r < 740)
    typeintobox();
  else if (r < 800)
    panelwidget();
  else if (r < 850)
    typeintofocus();
  else if (r < 900)
    windowaction();
  else if (r < 950)
    otherwindow();
  else if (r < 975)
    saveandopen();
  else if (r < 990)
    damagedfile();
  else
    exitquestion();
  ++generation_;
}

void texerciser::menucommand() {
  const auto& names = main_->commands().itemnames();
  std::vector<std::string> usable;
  for (const std::string& n : names) {
    QAction* a = main_->commands().item(n);
    if (a && a->isEnabled() && !a->menu()) usable.push_back(n);
  }
  if (usable.empty()) return;
  const std::string name = rng_.pick(usable);
  log("menu " + name);
  if (freshvaluecommands.count(name)) freshvalues_ = true;
  tgrform* w = active();
  const std::size_t before = w ? w->figures().size() : 0;
  const bool modified = main_->modified != 0;
  services_.messages.clear();
  main_->commands().item(name)->trigger();
  settle();
  if (std::find(newfigureitems.begin(), newfigureitems.end(), name) != newfigureitems.end() && w &&
      active() == w && w->figures().size() > before && !main_->modified)
    fail("a new figure did not set the modified flag");
  if (name == "exit1" && modified) {
    const bool asked = std::any_of(services_.messages.begin(), services_.messages.end(),
                                   [](const auto& m) { return m.text == savequestiontext; });
    if (!asked) fail("the program was changed but the exit did not ask to save");
  }
}

void texerciser::toolbutton() {
  const auto& names = main_->commands().buttonnames();
  if (names.empty()) return;
  const std::string name = rng_.pick(names);
  QAction* a = main_->commands().button(name);
  log("button " + name);
  if (freshvaluecommands.count(name)) freshvalues_ = true;
  if (a && a->isEnabled()) a->trigger();
}

texerciser::canvaspoint texerciser::pointon(tgrform& w) {
  // A press lands on the window's client area: a hand cannot press outside
  // it (only a drag leaves it).
  canvaspoint p = pointanywhere(w);
  const QWidget& c = w.canvas();
  p.x = std::clamp(p.x, 0, std::max(0, c.width() - 1));
  p.y = std::clamp(p.y, 0, std::max(0, c.height() - 1));
  return p;
}

texerciser::canvaspoint texerciser::pointanywhere(tgrform& w) {
  QWidget& c = w.canvas();
  const int r = rng_.below(100);
  const auto figs = w.figures();
  if (r < 50 && !figs.empty()) {
    tfigure& f = *figs[static_cast<std::size_t>(rng_.below(static_cast<int>(figs.size())))];
    if (f.pointcount > 0) {
      const platform::point p = f.points[static_cast<std::size_t>(rng_.below(f.pointcount))];
      // Curve points may sit at the ends of the pixel range: nudged in 64 bits.
      const auto near = [&](int32_t v) {
        const int64_t n = static_cast<int64_t>(v) + rng_.between(-2, 2);
        return static_cast<int>(std::clamp<int64_t>(n, -100000, 100000));
      };
      const int x = near(p.x);
      return {x, near(p.y), "on a curve"};
    }
  }
  if (r < 60 && !figs.empty()) {
    tfigure& f = *figs[static_cast<std::size_t>(rng_.below(static_cast<int>(figs.size())))];
    const int k = rng_.between(1, 5);
    if (std::isfinite(f.fixx[static_cast<std::size_t>(k)]) &&
        std::isfinite(f.fixy[static_cast<std::size_t>(k)])) {
      const platform::point p = w.coords.worldtopixel(f.fixx[static_cast<std::size_t>(k)],
                                                      f.fixy[static_cast<std::size_t>(k)]);
      // Far off the picture the pixel can be the end of the int range.
      if (std::abs(static_cast<int64_t>(p.x)) < 100000 &&
          std::abs(static_cast<int64_t>(p.y)) < 100000)
        return {p.x, p.y, "on a fix point"};
    }
  }
  if (r < 65) {
    auto& labels = w.textlabels().tool().labels;
    if (!labels.empty()) {
      tgralab& l = *labels[static_cast<std::size_t>(rng_.below(static_cast<int>(labels.size())))];
      return {l.left + rng_.between(-3, l.width + 3), l.top + rng_.between(-3, l.height + 3),
              "on a label"};
    }
  }
  if (r < 70)
    return {rng_.between(-20, c.width() + 20), rng_.between(-20, c.height() + 20), "near the edge"};
  return {rng_.below(std::max(1, c.width())), rng_.below(std::max(1, c.height())), "anywhere"};
}

void texerciser::mouseoncanvas() {
  auto ws = windows();
  if (ws.empty()) return;
  tgrform* w = rng_.chance(85) && active()
                   ? active()
                   : ws[static_cast<std::size_t>(rng_.below(static_cast<int>(ws.size())))];
  const int b = rng_.below(100);
  const Qt::MouseButton button = b < 75   ? Qt::LeftButton
                                 : b < 95 ? Qt::RightButton
                                          : Qt::MiddleButton;
  Qt::KeyboardModifiers mods;
  const int m = rng_.below(100);
  if (m >= 60 && m < 80)
    mods = Qt::ShiftModifier;
  else if (m >= 80 && m < 95)
    mods = Qt::ControlModifier;
  else if (m >= 95)
    mods = Qt::ShiftModifier | Qt::ControlModifier;
  const canvaspoint p = pointon(*w);
  const int kind = rng_.below(100);
  QWidget* c = &w->canvas();
  const std::string what = std::string(button == Qt::LeftButton    ? "left"
                                       : button == Qt::RightButton ? "right"
                                                                   : "middle") +
                           (mods & Qt::ShiftModifier ? "+shift" : "") +
                           (mods & Qt::ControlModifier ? "+ctrl" : "") + " at " +
                           std::to_string(p.x) + "," + std::to_string(p.y) + " (" + p.where +
                           ") in " + show(w->windowTitle());
  QPointer<QWidget> guard(c);
  if (kind < 40) {
    log("click " + what);
    QTest::mouseClick(c, button, mods, QPoint(p.x, p.y));
  } else if (kind < 55) {
    // As a hand does it: press, release, the second press that is the
    // double click, and its release.
    log("double click " + what);
    QTest::mouseClick(c, button, mods, QPoint(p.x, p.y));
    if (guard) QTest::mouseDClick(c, button, mods, QPoint(p.x, p.y));
    if (guard) QTest::mouseRelease(c, button, mods, QPoint(p.x, p.y));
  } else if (kind < 90) {
    const int steps = rng_.between(1, 8);
    const int dx = rng_.between(-200, 200);
    const int dy = rng_.between(-200, 200);
    log("drag " + what + " by " + std::to_string(dx) + "," + std::to_string(dy) + " in " +
        std::to_string(steps) + " steps");
    QTest::mousePress(c, button, mods, QPoint(p.x, p.y));
    for (int i = 1; i <= steps && guard; ++i) {
      const QPoint at(p.x + dx * i / steps, p.y + dy * i / steps);
      QMouseEvent e(QEvent::MouseMove, QPointF(at), c->mapToGlobal(QPointF(at)), Qt::NoButton,
                    QTestPrivate::qtestMouseButtons, mods);
      QApplication::sendEvent(c, &e);
      if (rng_.chance(10)) settle();
    }
    if (guard) QTest::mouseRelease(c, button, mods, QPoint(p.x + dx, p.y + dy));
  } else {
    log("hover " + what);
    QTest::mouseMove(c, QPoint(p.x, p.y));
  }
  // A button still held by a window that went away is let go.
  QTestPrivate::qtestMouseButtons = Qt::NoButton;
}

void texerciser::keyoncanvas() {
  tgrform* w = active();
  if (!w) return;
  static const std::vector<std::pair<Qt::Key, const char*>> keys{
      {Qt::Key_Space, "space"},  {Qt::Key_Delete, "delete"}, {Qt::Key_Shift, "shift"},
      {Qt::Key_Control, "ctrl"}, {Qt::Key_Escape, "escape"}, {Qt::Key_Return, "return"},
      {Qt::Key_Left, "left"},    {Qt::Key_Right, "right"},   {Qt::Key_Up, "up"},
      {Qt::Key_Down, "down"},    {Qt::Key_Insert, "insert"}, {Qt::Key_Backspace, "backspace"},
      {Qt::Key_F, "F"},          {Qt::Key_A, "A"},           {Qt::Key_1, "1"},
      {Qt::Key_Tab, "tab"},      {Qt::Key_F1, "F1"},         {Qt::Key_Home, "home"}};
  const auto& [key, name] = rng_.pick(keys);
  Qt::KeyboardModifiers mods;
  const int m = rng_.below(100);
  if (m >= 70 && m < 85)
    mods = Qt::ShiftModifier;
  else if (m >= 85)
    mods = Qt::ControlModifier;
  log(std::string("key ") + name + (mods & Qt::ShiftModifier ? "+shift" : "") +
      (mods & Qt::ControlModifier ? "+ctrl" : "") + " on " + show(w->windowTitle()));
  QPointer<QWidget> c(&w->canvas());
  if (rng_.chance(30)) {
    // Held over a mouse step, as a hand does with Shift and Ctrl.
    QTest::keyPress(c, key, mods);
    if (c) {
      const canvaspoint p = pointon(*w);
      log("  held over a click at " + std::to_string(p.x) + "," + std::to_string(p.y) + " (" +
          p.where + ")");
      QTest::mouseClick(c, Qt::LeftButton, mods, QPoint(p.x, p.y));
    }
    if (c) QTest::keyRelease(c, key, mods);
  } else {
    QTest::keyClick(c, key, mods);
  }
}

void texerciser::shortcut() {
  static const std::vector<std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*>> keys{
      {Qt::Key_S, Qt::ControlModifier, "ctrl+S"},
      {Qt::Key_C, Qt::ControlModifier, "ctrl+C"},
      {Qt::Key_X, Qt::ControlModifier, "ctrl+X"},
      {Qt::Key_V, Qt::ControlModifier, "ctrl+V"},
      {Qt::Key_Delete, Qt::ShiftModifier, "shift+del"},
      {Qt::Key_Insert, Qt::ShiftModifier, "shift+ins"},
      {Qt::Key_Z, Qt::ControlModifier, "ctrl+Z"},
      {Qt::Key_Y, Qt::ControlModifier, "ctrl+Y"},
      {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "ctrl+shift+Z"}};
  const auto& [key, mods, name] = rng_.pick(keys);
  QWidget* target = QApplication::focusWidget();
  if (!target || target->window() != main_.get())
    target = active() ? static_cast<QWidget*>(&active()->canvas()) : main_.get();
  log(std::string("shortcut ") + name);
  if (key != Qt::Key_S && key != Qt::Key_C && key != Qt::Key_X) freshvalues_ = true;
  QTest::keyClick(target, key, mods);
}

void texerciser::typeintobox() {
  const int k = rng_.between(1, 5);
  QLineEdit& e = main_->func().column(k).edit();
  if (!e.isEnabled() || !e.isVisible()) {
    log("box " + std::to_string(k) + " is not open for typing");
    return;
  }
  const QString text = rng_.chance(85) ? plausibletext() : anytext();
  const int ending = rng_.below(100);
  const char* how = ending < 45   ? "return"
                    : ending < 60 ? "tab"
                    : ending < 75 ? "up"
                    : ending < 85 ? "down"
                                  : "a click on the window";
  log("type '" + show(text) + "' into box " + std::to_string(k) + ", then " + how);
  const QString was = e.text();
  QPointer<QLineEdit> guard(&e);
  QTest::mouseClick(&e, Qt::LeftButton);
  if (guard) QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);
  if (guard) typetext(&e, text);
  const bool changed = guard && e.text() != was;
  if (!guard) return;
  if (ending < 45)
    QTest::keyClick(&e, Qt::Key_Return);
  else if (ending < 60)
    QTest::keyClick(&e, Qt::Key_Tab);
  else if (ending < 75)
    QTest::keyClick(&e, Qt::Key_Up);
  else if (ending < 85)
    QTest::keyClick(&e, Qt::Key_Down);
  else if (tgrform* w = active())
    QTest::mouseClick(&w->canvas(), Qt::LeftButton, {}, QPoint(2, 2));
  if (changed && !main_->modified) fail("a value typed into a box did not set the modified flag");
}

namespace {

// The visible, enabled widgets under top that a user could reach with the
// mouse, without menus (they open popups of their own).
std::vector<QWidget*> reachable(QWidget& top) {
  std::vector<QWidget*> out;
  for (QWidget* c : top.findChildren<QWidget*>()) {
    if (!c->isVisible() || !c->isEnabled()) continue;
    if (qobject_cast<QMenuBar*>(c) || qobject_cast<QMenu*>(c)) continue;
    if (c->width() <= 0 || c->height() <= 0) continue;
    out.push_back(c);
  }
  // The children's order is that of their creation: the same for the same actions.
  return out;
}

std::string describe(QWidget& w) {
  std::string s = w.metaObject()->className();
  if (!w.objectName().isEmpty()) s += " " + w.objectName().toStdString();
  if (auto* b = qobject_cast<QAbstractButton*>(&w)) s += " '" + b->text().toStdString() + "'";
  return s;
}

}  // namespace

void texerciser::panelwidget() {
  tfunc& panel = main_->func();
  auto ws = reachable(panel);
  if (ws.empty()) return;
  QWidget* w = rng_.pick(ws);
  const QPoint p(rng_.below(w->width()), rng_.below(w->height()));
  const int kind = rng_.below(100);
  QPointer<QWidget> guard(w);
  if (kind < 50) {
    log("click panel " + describe(*w) + " at " + std::to_string(p.x()) + "," +
        std::to_string(p.y()));
    QTest::mouseClick(w, Qt::LeftButton, {}, p);
  } else if (kind < 70) {
    // A button held for a few ticks of the panel's repeat timer.
    const int ticks = rng_.below(12);
    log("hold panel " + describe(*w) + " for " + std::to_string(ticks) + " ticks");
    QTest::mousePress(w, Qt::LeftButton, {}, p);
    for (int i = 0; i < ticks && panel.timerrunning(); ++i) panel.timertick();
    if (guard) QTest::mouseRelease(w, Qt::LeftButton, {}, p);
  } else if (kind < 85) {
    const int dy = rng_.between(-150, 150);
    log("drag panel " + describe(*w) + " by " + std::to_string(dy));
    QTest::mousePress(w, Qt::LeftButton, {}, p);
    for (int i = 1; i <= 4 && guard; ++i) {
      const QPoint at(p.x(), p.y() + dy * i / 4);
      QMouseEvent e(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton,
                    Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(w, &e);
    }
    if (guard) QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(p.x(), p.y() + dy));
  } else {
    static const std::vector<std::pair<Qt::Key, const char*>> keys{
        {Qt::Key_Up, "up"},       {Qt::Key_Down, "down"},          {Qt::Key_Return, "return"},
        {Qt::Key_Space, "space"}, {Qt::Key_PageDown, "page down"}, {Qt::Key_End, "end"}};
    const auto& [key, name] = rng_.pick(keys);
    log(std::string("key ") + name + " on panel " + describe(*w));
    QTest::keyClick(w, key);
  }
  QTestPrivate::qtestMouseButtons = Qt::NoButton;
}

void texerciser::typeintofocus() {
  QWidget* f = QApplication::focusWidget();
  if (!f) {
    log("type: nothing has the focus");
    return;
  }
  const QString text = rng_.chance(50) ? plausibletext() : anytext();
  log("type '" + show(text) + "' into the focus " + describe(*f));
  QPointer<QWidget> guard(f);
  typetext(f, text);
  if (guard && rng_.chance(40)) {
    log("  and return");
    QTest::keyClick(f, Qt::Key_Return);
  }
}

void texerciser::windowaction() {
  auto ws = windows();
  if (ws.empty()) return;
  tgrform* w = ws[static_cast<std::size_t>(rng_.below(static_cast<int>(ws.size())))];
  const std::string name = show(w->windowTitle());
  const int r = rng_.below(100);
  if (r < 35) {
    log("activate " + name);
    main_->mdi().setActiveSubWindow(w);
  } else if (r < 60) {
    static const std::vector<std::pair<int, int>> sizes{
        {1, 1}, {30, 20}, {120, 90}, {300, 200}, {640, 480}, {1200, 900}, {2000, 60}};
    const auto [x, y] = rng_.pick(sizes);
    log("resize " + name + " to " + std::to_string(x) + "x" + std::to_string(y));
    w->resize(x, y);
  } else if (r < 70) {
    log("maximise " + name);
    w->showMaximized();
  } else if (r < 78) {
    log("minimise " + name);
    w->showMinimized();
  } else if (r < 85) {
    log("restore " + name);
    w->showNormal();
  } else {
    log("close " + name + " by its title bar");
    w->close();
  }
}

void texerciser::otherwindow() {
  // The frame's own windows (dialogs, the table of values) in the order they
  // were made, then any other top-level window by its names: the application's
  // list of them has no fixed order.
  std::vector<QWidget*> tops;
  for (QWidget* t : main_->findChildren<QWidget*>())
    if (t->isWindow() && t->isVisible() && !qobject_cast<QMenu*>(t)) tops.push_back(t);
  std::vector<std::pair<std::string, QWidget*>> others;
  for (QWidget* t : QApplication::topLevelWidgets())
    if (t->isVisible() && t != main_.get() && !qobject_cast<QMenu*>(t) &&
        std::find(tops.begin(), tops.end(), t) == tops.end())
      others.emplace_back(describe(*t) + " " + t->windowTitle().toStdString(), t);
  std::stable_sort(others.begin(), others.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& o : others) tops.push_back(o.second);
  if (tops.empty()) {
    log("no other window is open");
    return;
  }
  QWidget* top = rng_.pick(tops);
  if (rng_.chance(15)) {
    log("close the window " + describe(*top));
    top->close();
    return;
  }
  auto ws = reachable(*top);
  if (ws.empty()) return;
  QWidget* w = rng_.pick(ws);
  QPointer<QWidget> guard(w);
  const int kind = rng_.below(100);
  if (kind < 45) {
    const QPoint p(rng_.below(w->width()), rng_.below(w->height()));
    log("click " + describe(*w) + " in " + describe(*top));
    QTest::mouseClick(w, Qt::LeftButton, {}, p);
  } else if (kind < 80) {
    const QString text = plausibletext();
    log("type '" + show(text) + "' into " + describe(*w) + " in " + describe(*top));
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
    typetext(w, text);
  } else {
    static const std::vector<std::pair<Qt::Key, const char*>> keys{
        {Qt::Key_Return, "return"}, {Qt::Key_Escape, "escape"}, {Qt::Key_Tab, "tab"},
        {Qt::Key_Space, "space"},   {Qt::Key_Down, "down"},     {Qt::Key_Delete, "delete"}};
    const auto& [key, name] = rng_.pick(keys);
    log(std::string("key ") + name + " on " + describe(*w) + " in " + describe(*top));
    QTest::keyClick(w, key);
  }
}

void texerciser::saveandopen() {
  freshvalues_ = true;
  tgrform* w = active();
  QAction* saveas = main_->commands().item("saveas1");
  QAction* open = main_->commands().item("open1");
  if (!w || !saveas->isEnabled() || !open->isEnabled()) return;
  struct figurecopy {
    int kind;
    std::array<float, 6> param;
  };
  std::vector<figurecopy> figs;
  for (tfigure* f : w->figures()) {
    figurecopy c{f->kind, {}};
    for (std::size_t k = 1; k <= 5; ++k) c.param[k] = static_cast<float>(f->param[k]);
    figs.push_back(c);
  }
  struct labelcopy {
    std::vector<std::string> text;
    int left, top;
  };
  std::vector<labelcopy> labels;
  // A label open for typing stands where its memo is; saving puts it there
  // first, so take the places as the file will have them.
  w->textlabels().tool().endediting();
  for (const auto& l : w->textlabels().tool().labels) labels.push_back({l->text, l->left, l->top});
  const std::array<double, 4> range{w->coords.minx, w->coords.maxx, w->coords.miny, w->coords.maxy};

  const std::string name = folder_ + "/saved" + std::to_string(++saved_) + ".QVW";
  log("save " + show(w->windowTitle()) + " as saved" + std::to_string(saved_) +
      ".QVW and open it again");
  services_.fileanswers = {{true, name, 2}};
  services_.msganswers.clear();
  saveas->trigger();
  settle();
  services_.fileanswers.clear();
  if (!QFileInfo::exists(QString::fromStdString(name))) fail("the window file was not written");
  services_.knownfiles.push_back(name);
  services_.fileanswers = {{true, name, 1}};
  // The window's file is open already: open a copy.
  services_.msganswers = {platform::msgresult::yes};
  open->trigger();
  settle();
  services_.fileanswers.clear();
  services_.msganswers.clear();
  tgrform* again = active();
  if (!again || again == w) fail("opening the saved window made no new window");
  const auto loaded = again->figures();
  if (loaded.size() != figs.size())
    fail("the window opened again has " + std::to_string(loaded.size()) + " figures, saved " +
         std::to_string(figs.size()));
  for (std::size_t i = 0; i < figs.size(); ++i) {
    if (loaded[i]->kind != figs[i].kind)
      fail("figure " + std::to_string(i + 1) + " came back as another family");
    for (std::size_t k = 1; k <= 5; ++k)
      if (static_cast<float>(loaded[i]->param[k]) != figs[i].param[k] &&
          !(std::isnan(figs[i].param[k]) && std::isnan(loaded[i]->param[k])))
        fail("figure " + std::to_string(i + 1) + " parameter " + std::to_string(k) + " saved as " +
             num(figs[i].param[k]) + " came back as " + num(loaded[i]->param[k]));
  }
  const auto& back = again->textlabels().tool().labels;
  if (back.size() != labels.size()) fail("the labels did not all come back");
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (back[i]->text != labels[i].text)
      fail("label " + std::to_string(i + 1) + " came back with another text");
    if (back[i]->left != labels[i].left || back[i]->top != labels[i].top)
      fail("label " + std::to_string(i + 1) + " came back at " + std::to_string(back[i]->left) +
           "," + std::to_string(back[i]->top) + ", saved at " + std::to_string(labels[i].left) +
           "," + std::to_string(labels[i].top) + "; client " +
           std::to_string(again->clientwidth()) + "x" + std::to_string(again->clientheight()) +
           ", saved from " + std::to_string(w->clientwidth()) + "x" +
           std::to_string(w->clientheight()));
  }
  const std::array<double, 4> got{again->coords.minx, again->coords.maxx, again->coords.miny,
                                  again->coords.maxy};
  for (std::size_t i = 0; i < 4; ++i)
    if (got[i] != range[i])
      fail("the range came back as " + num(got[0]) + ".." + num(got[1]) + " x " + num(got[2]) +
           ".." + num(got[3]) + ", saved " + num(range[0]) + ".." + num(range[1]) + " x " +
           num(range[2]) + ".." + num(range[3]));
}

void texerciser::damagedfile() {
  freshvalues_ = true;
  std::vector<std::string> saved;
  for (const std::string& f : services_.knownfiles)
    if (QFileInfo::exists(QString::fromStdString(f))) saved.push_back(f);
  QByteArray bytes;
  std::string how;
  if (!saved.empty() && rng_.chance(80)) {
    const std::string from = rng_.pick(saved);
    QFile f(QString::fromStdString(from));
    if (f.open(QIODevice::ReadOnly)) bytes = f.readAll();
    how = "from " + QFileInfo(QString::fromStdString(from)).fileName().toStdString();
    if (!bytes.isEmpty() && rng_.chance(50)) {
      const int cut = rng_.below(static_cast<int>(bytes.size()));
      bytes.truncate(cut);
      how += ", cut at " + std::to_string(cut);
    } else {
      const int flips = rng_.between(1, 8);
      for (int i = 0; i < flips && !bytes.isEmpty(); ++i) {
        const int at = rng_.below(static_cast<int>(bytes.size()));
        bytes[at] = static_cast<char>(rng_.below(256));
      }
      how += ", " + std::to_string(flips) + " bytes changed";
    }
  } else {
    const int n = rng_.below(400);
    for (int i = 0; i < n; ++i) bytes.append(static_cast<char>(rng_.below(256)));
    how = std::to_string(n) + " random bytes";
  }
  static const std::vector<std::string> extensions{".QVW", ".QVS", ".QVP"};
  const std::string name = folder_ + "/damaged" + std::to_string(++saved_) + rng_.pick(extensions);
  QFile out(QString::fromStdString(name));
  if (out.open(QIODevice::WriteOnly)) out.write(bytes);
  out.close();
  services_.knownfiles.push_back(name);
  services_.damagedname = true;
  log("open a damaged file " + QFileInfo(QString::fromStdString(name)).fileName().toStdString() +
      " (" + how + ")");
  QAction* open = main_->commands().item("open1");
  if (!open->isEnabled()) return;
  services_.fileanswers = {{true, name, 1}};
  open->trigger();
  services_.fileanswers.clear();
}

void texerciser::exitquestion() {
  const bool modified = main_->modified != 0;
  log(std::string("exit, answering Avbryt") + (modified ? " (changed)" : ""));
  services_.messages.clear();
  services_.msganswers = {platform::msgresult::cancel};
  main_->commands().item("exit1")->trigger();
  settle();
  services_.msganswers.clear();
  const bool asked = std::any_of(services_.messages.begin(), services_.messages.end(),
                                 [](const auto& m) { return m.text == savequestiontext; });
  if (modified && !asked) fail("the program was changed but the exit did not ask to save");
  if (modified && !main_->isVisible()) fail("Avbryt to the exit question ended the program");
}

// --- modal dialogs

void texerciser::pump(uint64_t generation) {
  if (generation != generation_) return;
  // Keep looking while the action runs, also inside dialogs opened by dialogs.
  QTimer::singleShot(0, [this, generation] { pump(generation); });
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  ++answers_;
  if (answers_ > 60) fail("a modal dialog does not close: " + describe(*modal));
  if (answers_ > 30) {
    log("  close the dialog " + describe(*modal));
    if (auto* d = qobject_cast<QDialog*>(modal))
      d->reject();
    else
      modal->close();
    return;
  }
  answermodal(*modal);
}

void texerciser::answermodal(QWidget& modal) {
  QPointer<QWidget> guard(&modal);
  std::vector<QLineEdit*> edits;
  std::vector<QAbstractButton*> buttons;
  for (QWidget* w : reachable(modal)) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) edits.push_back(e);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) buttons.push_back(b);
  }
  const int r = rng_.below(100);
  if (r < 55 && !edits.empty()) {
    const int n = rng_.between(1, static_cast<int>(edits.size()));
    for (int i = 0; i < n && guard; ++i) {
      QLineEdit* e = rng_.pick(edits);
      const QString text = rng_.chance(80) ? plausibletext() : anytext();
      log("  type '" + show(text) + "' into the dialog " + describe(modal));
      e->setFocus();
      e->selectAll();
      QTest::keyClick(e, Qt::Key_Delete);
      typetext(e, text);
    }
    if (!guard) return;
    if (!buttons.empty() && rng_.chance(80)) {
      QAbstractButton* b = rng_.pick(buttons);
      log("  click " + describe(*b));
      QTest::mouseClick(b, Qt::LeftButton);
    }
  } else if (r < 80 && !buttons.empty()) {
    QAbstractButton* b = rng_.pick(buttons);
    log("  click " + describe(*b) + " in the dialog " + describe(modal));
    QTest::mouseClick(b, Qt::LeftButton);
  } else if (r < 90) {
    log("  escape in the dialog " + describe(modal));
    QTest::keyClick(&modal, Qt::Key_Escape);
  } else {
    log("  return in the dialog " + describe(modal));
    QWidget* f = QApplication::focusWidget();
    QTest::keyClick(f && modal.isAncestorOf(f) ? f : &modal, Qt::Key_Return);
  }
}

void texerciser::settle() {
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  while (QWidget* p = QApplication::activePopupWidget()) {
    log("  close the popup " + describe(*p));
    p->close();
    QApplication::processEvents();
  }
  // A dialog left open (shown without its own loop) is closed as Escape would.
  for (int i = 0; i < 5; ++i) {
    QWidget* m = QApplication::activeModalWidget();
    if (!m) break;
    log("  close the dialog left open " + describe(*m));
    if (auto* d = qobject_cast<QDialog*>(m))
      d->reject();
    else
      m->close();
    QApplication::processEvents();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// --- random input

QString texerciser::plausibletext() {
  static const std::vector<const char*> numbers{
      "0",       "1",    "-1",    "2,5",   "-0,75", "1.5",
      "100",     "-100", "1e3",   "1e-7",  "0,001", "99999",
      "3,14159", "1e38", "-1e39", "",      " ",     "abc",
      "1,5,5",   "2x",   "--1",   "+3",    "0x10",  "nan",
      "inf",     "1e",   ",",     ".",     "-",     "12345678901234567890",
      "0,005",   "-0",   "7",     "-3,25", "50",    "1E5",
      "  4  ",   "4,",   ",5",    "1e400"};
  static const std::vector<const char*> formulas{
      "x",
      "a*x+b",
      "a*x^2+b*x+c",
      "sin(x)",
      "a*sin(b*x+c)+d",
      "1/x",
      "a/(x+b)+c",
      "sqrt(x)",
      "ln(x)",
      "log(x)",
      "exp(x)",
      "abs(x)",
      "x^x",
      "x^0.5",
      "tan(x)",
      "(x",
      "x)",
      "x++",
      "a*b*c*d*e*x",
      "e^x",
      "pi*x",
      "x/0",
      "0/0",
      "1e308*x*x",
      "((((((((x))))))))",
      "x^2^3",
      "sin(cos(tan(x)))",
      "a*x^3+b*x^2+c*x+d",
      "2x",
      "x*-1",
      "-x^2",
      "sqrt(-1)",
      "ln(0)",
      "x^(1/3)",
      "arctan(x)",
      "int(x)",
      "a*(x-b)^2+c",
      "x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x"};
  static const std::vector<const char*> words{
      "Hei", "Topp",           "f(x) = x\xb2", "Nullpunkt", "\xe6\xf8\xe5 \xc6\xd8\xc5",
      "A",   "toppunkt (2, 3)"};
  const int r = rng_.below(100);
  if (r < 55) return QString::fromLatin1(rng_.pick(numbers));
  if (r < 85) return QString::fromLatin1(rng_.pick(formulas));
  return QString::fromLatin1(rng_.pick(words));
}

QString texerciser::anytext() {
  QString s;
  const int n = rng_.below(rng_.chance(10) ? 120 : 20);
  for (int i = 0; i < n; ++i) {
    int c = rng_.chance(85) ? rng_.between(0x20, 0x7e) : rng_.between(0xa0, 0xff);
    // A letter such as Ã followed by one of ¡..¿ reads as UTF-8; the fake
    // would take the program's quoting of it for a wrong encoding.
    if (!s.isEmpty() && s.back().unicode() >= 0xc2 && c < 0xc0 && c >= 0xa0) c = 'x';
    s += QChar(c);
  }
  return s;
}

std::string texerciser::randomsettings() {
  auto decimal = [&](double v) {
    std::string s = num(static_cast<float>(v));
    if (rng_.chance(70)) std::replace(s.begin(), s.end(), '.', ',');
    return s;
  };
  std::string out;
  auto line = [&](const std::string& l) {
    if (rng_.chance(92)) out += l + "\r\n";
  };
  static const std::vector<std::pair<double, double>> ranges{{-10, 10},     {0, 0.001}, {-1e6, 1e6},
                                                             {-1e30, 1e30}, {5, 6},     {-100, -99},
                                                             {-1, 1},       {0, 1e-30}, {3, 3}};
  line("[Coordinate system]");
  auto [x0, x1] = rng_.pick(ranges);
  auto [y0, y1] = rng_.pick(ranges);
  line("Min x=" + decimal(x0));
  line("Max x=" + decimal(x1));
  line("Min y=" + decimal(y0));
  line("Max y=" + decimal(y1));
  line("foreground color=" + std::to_string(rng_.below(16)));
  line("background color=" + std::to_string(rng_.below(16)));
  line("grid color=" + std::to_string(rng_.below(16)));
  static const std::vector<double> steps{0.5, 1, 0.001, 1e-6, 1000, 0.1, 1e20};
  line("interval step=" + decimal(rng_.pick(steps)));
  line("grid step=" + decimal(rng_.pick(steps)));
  line("[Colors]");
  for (const char* k : {"Active", "Passive", "FrzActive", "FrzPassive"})
    line(std::string(k) + "=" + std::to_string(rng_.below(16)));
  line("[Constants]");
  static const std::vector<std::pair<double, double>> limits{
      {-100, 100},   {-100, 100}, {-1, 1}, {0, 0.001}, {-1e6, 1e6},
      {-3e38, 3e38}, {5, 5},      {2, 7},  {-7, -2},   {0, 100}};
  static const std::vector<double> psteps{0.01, 0.01, 1, 0.5, 1e-6, 0.001, 100, 1e-30, 0.005};
  for (const char* p : {"A", "B", "C", "D", "E"}) {
    const auto [lo, hi] = rng_.pick(limits);
    line(std::string("Min") + p + "=" + decimal(lo));
    line(std::string("Max") + p + "=" + decimal(hi));
    line(std::string("Step") + p + "=" + decimal(rng_.pick(psteps)));
    line(std::string("Interval") + p + "=" + decimal(rng_.pick(psteps) * 10));
    line(std::string("Direction") + p + "=" + (rng_.chance(50) ? "1" : "-1"));
  }
  line(std::string("Always Round=") + (rng_.chance(30) ? "1" : "0"));
  line("[Names]");
  line("FuncName=" + std::to_string(rng_.below(4)));
  std::string letters = "abcde";
  if (rng_.chance(50)) {
    static const std::string pool = "abcdefghkmnpqrstuvwzABCDEFKMPQ";
    for (char& c : letters) {
      char n = pool[static_cast<std::size_t>(rng_.below(static_cast<int>(pool.size())))];
      if (rng_.chance(3)) n = 'x';
      c = n;
    }
  }
  for (int i = 0; i < 5; ++i)
    line(std::string("Name") + "ABCDE"[i] + "=" + letters[static_cast<std::size_t>(i)]);
  return out;
}

// --- checks

void texerciser::snapshot() {
  freshvalues_ = false;
  before_.clear();
  for (const auto& f : main_->func().figures) before_[f.get()] = {f->param};
  for (int k = 1; k <= 5; ++k) {
    minbefore_[static_cast<std::size_t>(k)] = main_->func().boxmin(k);
    maxbefore_[static_cast<std::size_t>(k)] = main_->func().boxmax(k);
  }
}

void texerciser::check() {
  tmainform& m = *main_;
  if (!services_.encodingfaults.empty()) fail(services_.encodingfaults.front());
  if (reported && reported->size() > 0) fail(reported->GetTestPartResult(0).message());
  const auto& list = m.windowlist;
  if (list.empty()) fail("no graph window is left");
  const auto& figs = m.func().figures;
  std::set<const tfigure*> all;
  for (const auto& f : figs) all.insert(f.get());
  std::size_t at = 0;
  for (tgrform* w : list) {
    const std::string name = show(w->windowTitle());
    if (w->firstfig < 0 || static_cast<std::size_t>(w->firstfig) != at)
      fail(name + " starts its figures at " + std::to_string(w->firstfig) +
           ", the window before ends at " + std::to_string(at));
    if (w->lastfig < w->firstfig || static_cast<std::size_t>(w->lastfig) > figs.size())
      fail(name + " holds figures " + std::to_string(w->firstfig) + ".." +
           std::to_string(w->lastfig) + " of " + std::to_string(figs.size()));
    for (auto i = static_cast<std::size_t>(w->firstfig); i < static_cast<std::size_t>(w->lastfig);
         ++i) {
      const tfigure& f = *figs[i];
      if (f.host != static_cast<tfigurehost*>(w) || f.coords != &w->coords)
        fail("figure " + std::to_string(i + 1) + " in the range of " + name +
             " belongs to another window");
    }
    for (const tfigure* s : w->selection) {
      const auto b = figs.begin() + w->firstfig;
      const auto e = figs.begin() + w->lastfig;
      if (std::find_if(b, e, [&](const auto& f) { return f.get() == s; }) == e)
        fail("the selection of " + name + " holds a figure of another window or none");
    }
    at = static_cast<std::size_t>(w->lastfig);
  }
  if (at != figs.size())
    fail("the panel lists " + std::to_string(figs.size()) + " figures, the windows hold " +
         std::to_string(at));
  for (QMdiSubWindow* s : m.mdi().subWindowList()) {
    auto* g = dynamic_cast<tgrform*>(s);
    if (g && !g->closing() && std::find(list.begin(), list.end(), g) == list.end())
      fail("the graph window " + show(g->windowTitle()) + " is open but not in the window list");
  }
  if (m.activewindow && std::find(list.begin(), list.end(), m.activewindow) == list.end())
    fail("the active window is not in the window list");
  for (const tfigure* f : m.func().filtered)
    if (!all.count(f)) fail("the panel's family list shows a figure that is gone");

  for (std::size_t i = 0; i < figs.size(); ++i) {
    const tfigure& f = *figs[i];
    for (std::size_t k = 1; k <= 5; ++k) {
      if (!std::isfinite(f.param[k]))
        fail("figure " + std::to_string(i + 1) + " parameter " + std::to_string(k) + " is " +
             num(f.param[k]));
      // The fix points in use; the entries after them are left-overs.
      if (static_cast<int>(k) <= f.fixcount &&
          (!std::isfinite(f.fixx[k]) || !std::isfinite(f.fixy[k])))
        fail("figure " + std::to_string(i + 1) + " (family " + std::to_string(f.kind) + ", " +
             num(f.param[1]) + " " + num(f.param[2]) + " " + num(f.param[3]) + " " +
             num(f.param[4]) + " " + num(f.param[5]) + ") fix point " + std::to_string(k) + " is " +
             num(f.fixx[k]) + "," + num(f.fixy[k]) + " in the range " + num(f.coords->minx) + ".." +
             num(f.coords->maxx) + " x " + num(f.coords->miny) + ".." + num(f.coords->maxy));
    }
    // A figure from a file or the history may hold values outside today's
    // limits; and a new figure may stand where a gone one stood in memory.
    const auto was = before_.find(&f);
    if (freshvalues_ || was == before_.end()) continue;
    for (int k = 1; k <= 5; ++k) {
      const auto ks = static_cast<std::size_t>(k);
      const float lo = m.func().boxmin(k);
      const float hi = m.func().boxmax(k);
      if (lo != minbefore_[ks] || hi != maxbefore_[ks]) continue;  // the limits themselves changed
      if (f.param[ks] != was->second.param[ks] && !(f.param[ks] >= lo && f.param[ks] <= hi))
        fail("figure " + std::to_string(i + 1) + " (family " + std::to_string(f.kind) + ", " +
             std::to_string(f.fixcount) + " fix points) parameter " + std::to_string(k) +
             " changed from " + num(was->second.param[ks]) + " to " + num(f.param[ks]) +
             ", outside " + num(lo) + ".." + num(hi));
    }
  }
}

// --- the undo history

namespace {

std::string figuretext(const tundofigure& f) {
  std::string t = "family " + std::to_string(f.kind) + " (";
  for (std::size_t k = 1; k <= 5; ++k) t += (k > 1 ? " " : "") + num(f.param[k]);
  t += ")";
  if (!f.formula.empty()) t += " " + f.formula;
  if (f.fixmode) {
    t += ", fix points";
    for (int k = 1; k <= f.fixcount && k < 6; ++k) {
      const auto i = static_cast<std::size_t>(k);
      t += " " + num(f.fixx[i]) + "," + num(f.fixy[i]);
    }
  }
  if (f.frozen) t += ", frozen";
  return t;
}

std::string labeltext(const tundolabel& l) {
  const tlabelrecord& r = l.record;
  std::string t = std::to_string(r.lines.size()) + " lines";
  if (!r.lines.empty()) t += " '" + r.lines.front() + "'";
  return t + ", " + r.fontname + " " + std::to_string(r.fontsize) + " style " +
         std::to_string(r.fontstyle) + " colour " + std::to_string(r.fontcolour) + ", " +
         std::to_string(r.width) + "x" + std::to_string(r.height) + " at " + num(l.worldx) + "," +
         num(l.worldy);
}

// The first difference in the work of two states, or nothing. Where a label
// stands in window pixels follows from its world place and the range.
std::string workdifference(const tundostate& was, const tundostate& now) {
  if (was.order() != now.order()) {
    std::string t = "the windows are ";
    for (int id : now.order()) t += std::to_string(id) + " ";
    t += "instead of ";
    for (int id : was.order()) t += std::to_string(id) + " ";
    return t;
  }
  for (const tundowindow& a : was.windows) {
    const tundowindow& b = *now.find(a.id);
    const std::string name = "window " + std::to_string(a.id) + " (" + show(b.title) + ")";
    if (a.range != b.range)
      return name + " shows " + num(b.range[0]) + ".." + num(b.range[1]) + " x " + num(b.range[2]) +
             ".." + num(b.range[3]) + " instead of " + num(a.range[0]) + ".." + num(a.range[1]) +
             " x " + num(a.range[2]) + ".." + num(a.range[3]);
    if (a.figures.size() != b.figures.size())
      return name + " holds " + std::to_string(b.figures.size()) + " figures instead of " +
             std::to_string(a.figures.size());
    for (std::size_t i = 0; i < a.figures.size(); ++i)
      if (!(a.figures[i] == b.figures[i]))
        return name + " figure " + std::to_string(i + 1) + " is " + figuretext(b.figures[i]) +
               (a.figures[i].fixmode != b.figures[i].fixmode ? " (fix mode differs)" : "") +
               " instead of " + figuretext(a.figures[i]);
    if (a.labels.size() != b.labels.size())
      return name + " holds " + std::to_string(b.labels.size()) + " labels instead of " +
             std::to_string(a.labels.size());
    for (std::size_t i = 0; i < a.labels.size(); ++i) {
      if (!(a.labels[i] == b.labels[i]))
        return name + " label " + std::to_string(i + 1) + " is " + labeltext(b.labels[i]) +
               " instead of " + labeltext(a.labels[i]);
    }
  }
  return {};
}

}  // namespace

void texerciser::checkhistory() {
  tundohistory& h = main_->history();
  const QUndoStack& s = h.stack();
  const void* oldest = s.count() > 0 ? static_cast<const void*>(s.command(0)) : nullptr;
  if (h.resets() != historyresets_) {
    historyresets_ = h.resets();
    kept_.clear();
  } else if (s.count() == tundohistory::limit && oldest != oldeststep_) {
    // The oldest steps were dropped and the step numbers moved down.
    kept_.clear();
  }
  oldeststep_ = oldest;
  // A value typed into a box counts once it is entered.
  for (int k = 1; k <= 5; ++k)
    if (main_->func().column(k).entering()) return;
  const int index = s.index();
  const void* step = index > 0 ? static_cast<const void*>(s.command(index - 1)) : nullptr;
  if (options_.verbose)
    std::fprintf(stderr, "    history at step %d of %d: %s\n", index, s.count(),
                 index > 0 ? show(s.text(index - 1)).c_str() : "");
  if (index < s.count()) {
    // Steps were undone: the work is what it was after this step.
    for (const keptstate& k : kept_)
      if (k.index == index && k.step == step) {
        const std::string d = workdifference(k.state, h.snapshot());
        if (!d.empty()) fail("after undo or redo to step " + std::to_string(index) + ", " + d);
      }
    return;
  }
  tundostate now = h.snapshot();
  // The newest step replaces any kept after it (redo steps thrown away).
  while (!kept_.empty() &&
         (kept_.back().index > index || (kept_.back().index == index && kept_.back().step != step)))
    kept_.pop_back();
  if (!kept_.empty() && kept_.back().index == index) {
    const std::string d = workdifference(kept_.back().state, now);
    if (!d.empty()) fail("the work changed without a step in the undo history: " + d);
    kept_.back().state = std::move(now);
    return;
  }
  kept_.push_back({index, step, std::move(now)});
}

void texerciser::undowalk() {
  tundohistory& h = main_->history();
  QUndoStack& s = h.stack();
  QAction* undo = main_->commands().item("undo1");
  QAction* redo = main_->commands().item("redo1");
  if (!undo || !redo || main_->buttondown != 0) return;
  const tundostate start = h.snapshot();
  log("walk back through the undo history from step " + std::to_string(s.index()));
  int top = s.index();
  bool comparestart = true;
  int steps = 0;
  while (undo->isEnabled() && steps < options_.undodepth) {
    const int at = s.index();
    const int count = s.count();
    undo->trigger();
    settle();
    // A change not yet a step (a label being typed) becomes one first.
    const int pushed = s.count() - count;
    if (steps == 0) {
      top += pushed;
      // That step holds what the start state did not.
      if (pushed != 0) comparestart = false;
    }
    if (s.index() != at + pushed - 1)
      fail("Angre at step " + std::to_string(at) + " of " + std::to_string(count) +
           " did not go back one: now at step " + std::to_string(s.index()) + " of " +
           std::to_string(s.count()));
    ++steps;
    checkhistory();
  }
  log("  and forward again after " + std::to_string(steps) + " steps");
  while (s.index() < top) {
    const int at = s.index();
    if (!redo->isEnabled()) fail("Gjør om is not enabled at step " + std::to_string(at));
    redo->trigger();
    settle();
    if (s.index() != at + 1) fail("Gjør om at step " + std::to_string(at) + " did not go on one");
    checkhistory();
  }
  const std::string d = comparestart ? workdifference(start, h.snapshot()) : std::string();
  if (!d.empty()) fail("undoing " + std::to_string(steps) + " steps and redoing them: " + d);
}
