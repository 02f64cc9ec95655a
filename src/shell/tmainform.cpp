#include "shell/tmainform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

#include "graph/tclipbrd.h"
#include "graph/tfontwindow.h"
#include "graph/tform3.h"
#include "graph/tgetxcoord.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrform.h"
#include "graph/tgrlabels.h"
#include "graph/tmemoedit.h"
#include "platform/qt/cp1252.h"
#include "settings/toptions.h"
#include "shell/dialoglinks.h"
#include "shell/editlinks.h"
#include "shell/startup.h"
#include "shell/tablelink.h"
#include "shell/tabout.h"
#include "shell/tfunc.h"
#include "shell/tpictureexport.h"
#include "shell/tundohistory.h"

namespace {

const char* const tangenthint =
    "Tast mellomrom for å oppgi nøyaktig x-koordinat eller bruk  musa for å finne den visuelt.";
const char* const tangentline =
    "Kan ikke lage tangent til en linje-velg en annen IKKE LINEÆR funksjon.";

struct tooldef {
  int code;
  const char* item;
  const char* panel1;
  const char* panel2;
  int16_t cursor;
  bool repant;
  bool restoreselection;
};

const std::array<tooldef, 11> tooldefs{{
    {0, "select1", "Velg",
     "Velg en funksjon ved å klikke på grafen eller funksjonsuttrykket. Velg flere med "
     "CTRL-tasten nedtrykket.",
     tcursors::arrow, true, true},
    {1, "text1", "Skriv tekst", "Dra ut et rektangel for teksten.", tcursors::texttool, true, true},
    {2, "zoomtool1", "Zoomer", "Dra ut et rektangel over det området du vil zoome inn på.",
     tcursors::zoom, false, true},
    {4, "fixpoint1", "Lag fikspunkt",
     "Klikk venstre tast for å fiksere et punkt/høyreklikk for å angi koordinater",
     tcursors::fixpoint, true, false},
    {5, "rotate1", "Vri", "", tcursors::squeeze, true, false},
    {6, "move1", "Flytt", "Dra i den valgte kurven. Dobbeltklikk for å velge en annen.",
     tcursors::move, true, true},
    {7, "intersect1", "Finner skjæringspkt.", "", tcursors::intersect, true, true},
    {8, "freeze1", "Frys graf", "Venstreklikk for å fryse en graf/høyreklikk for å tine opp.",
     tcursors::freeze, true, true},
    {9, "derivative1", "Finn den deriverte",
     "Venstreklikk for å finne den deriverte funksjonen. Dobbeltklikk for å velge en annen.",
     tcursors::derivate, true, true},
    {10, "tangent1", "Finn tangent", tangenthint, tcursors::arrow, true, true},
    {11, "special1", "Spesielle punkter",
     "Klikk på en graf for å finne nullpunkter, topp- og bunnpunkter og skjæringen med y-aksen.",
     tcursors::special, true, true},
}};

const tooldef* findtool(int code) {
  for (const tooldef& t : tooldefs)
    if (t.code == code) return &t;
  return nullptr;
}

QString u(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

tmainform::tmainform(platform::services& services, platform::imagefactory& images,
                     tstartoptions startoptions)
    : services_(services), images_(images), startoptions_(std::move(startoptions)) {
  setWindowTitle(QStringLiteral("Tarnelo"));
  setProperty("helpcontext", helpcontext);
  firstshow = 1;
  modified = 0;
  tool = 0;
  panelactive = 0;
  cursors_.load();
  commands_ = std::make_unique<tcommands>(*this);
  files_ = std::make_unique<tfilecommands>(*this);
  mdi_ = new QMdiArea(this);
  mdi_->setBackground(QColor(128, 128, 128));
  setCentralWidget(mdi_);

  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusLine");
  bar->setProperty("helpcontext", 71);
  bar->setSizeGripEnabled(false);
  for (size_t i = 0; i < panels_.size(); ++i) {
    panels_[i] = new QLabel(bar);
    panels_[i]->setFrameShape(QFrame::Panel);
    panels_[i]->setFrameShadow(QFrame::Sunken);
    // 100 pixels each, or what the coordinates need in the platform's font.
    if (i < 2)
      panels_[i]->setFixedWidth(
          std::max(100, panels_[i]->fontMetrics().horizontalAdvance("x:-888,88 , y:-888,88") + 10));
    bar->addWidget(panels_[i], i == 2 ? 1 : 0);
  }
  panels_[1]->setText(QStringLiteral("Select "));

  cliplink_ = std::make_unique<tcliplink>(*this);
  clipboard_ = std::make_unique<tclipbrd>(*cliplink_);
  enablecutcopy(false);
  toolcursor = tcursors::arrow;
  const bool printer = services_.printeravailable();
  commands_->item("print1")->setEnabled(printer);
  commands_->item("printersetup1")->setEnabled(printer);

  connectcommands();
  history_ = std::make_unique<tundohistory>(*this);
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    if (auto* w = dynamic_cast<tgrform*>(sub)) {
      activated(*w);
    } else if (auto* f = dynamic_cast<tfunc*>(sub)) {
      f->formactivate();
    }
  });

  // The frame opens maximised; its measures are known before it shows, so
  // that the start-up can place the windows.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    resize(screen->availableGeometry().size());
  setWindowState(Qt::WindowMaximized);
  layout()->activate();
}

tmainform::~tmainform() {
  // Closing everything is no step of the work.
  history_.reset();
  // A table shown while the figures go would draw from them.
  if (valuetable_) valuetable_->hide();
  // The figures go before the windows and the panel they refer to.
  busy = 1;
  terminating = 1;
  while (!windowlist.empty()) {
    tgrform* w = windowlist.back();
    w->formclose();
    std::erase(windowlist, w);
  }
}

void tmainform::createpointdialogs() {
  dialogs_.push_back(std::make_unique<tform3>(services_, this));
  startlog.push_back("tform3");
  dialogs_.push_back(std::make_unique<tgetxcoord>(services_, this));
  startlog.push_back("tgetxcoord");
}

void tmainform::createoptions() {
  options_ = std::make_unique<toptions>(services_, startoptions_.inipath);
  startlog.push_back("toptions");
}

void tmainform::createpanel() {
  func_ = new tfunc(*this);
  mdi_->addSubWindow(func_);
  func_->adjustSize();
  func_->move(0, 0);
  func_->show();
  startlog.push_back("tfunc");
}

void tmainform::createabout() {
  dialogs_.push_back(std::make_unique<tabout>(this));
  startlog.push_back("tabout");
}

void tmainform::createremainingdialogs() {
  // The font window starts from the font of the first window's memo.
  const platform::font start =
      windowlist.empty() ? platform::font{} : windowlist.front()->textlabels().memoedit().font();
  fontlink_ = std::make_unique<tfontlink>(*this);
  auto fonts = std::make_unique<tfontwindow>(*fontlink_, start, this);
  fontwindow_ = fonts.get();
  dialogs_.push_back(std::move(fonts));
  installdialogs(*this);
  startlog.push_back("dialogs");
}

void tmainform::setpanel(int panel, const QString& text) {
  if (panel >= 0 && panel < 3) panels_[static_cast<size_t>(panel)]->setText(text);
}

QString tmainform::paneltext(int panel) const {
  return panel >= 0 && panel < 3 ? panels_[static_cast<size_t>(panel)]->text() : QString();
}

void tmainform::enablecutcopy(bool on) {
  cutcopyon_ = on;
  for (const char* name : {"cut1", "delete1", "copy1"}) commands_->item(name)->setEnabled(on);
}

void tmainform::updateclosewindowitem() {
  commands_->item("closewindow1")->setEnabled(windowlist.size() > 1);
}

tframemeasures tmainform::measures() const {
  tframemeasures m;
  const int menuheight = menuBar() ? menuBar()->height() : 0;
  m.clientwidth = mdi_->width();
  m.toolbarheight = std::max(0, mdi_->y() - menuheight);
  m.statusheight = statusBar()->height();
  m.clientheight = mdi_->height() + m.toolbarheight + m.statusheight;
  if (func_) {
    m.panelleft = func_->x();
    m.panelwidth = func_->width();
  }
  return m;
}

void tmainform::checktool(const std::string& item) {
  if (QAction* a = commands_->item(item)) a->setChecked(true);
  if (QAction* b = commands_->button(item); b && b->isCheckable()) b->setChecked(true);
}

void tmainform::closeaction() {
  busy = 1;
  while (!windowlist.empty()) {
    tgrform* w = windowlist.back();
    if (!w->formclose()) break;
    w->hide();
    w->deleteLater();
  }
  clipboard_->clear();
  activewindow = nullptr;
  busy = 0;
}

tgrform* tmainform::newwindowclick() {
  busy = 1;
  activewindow = nullptr;
  auto* w = new tgrform(*this);
  const tframemeasures m = measures();
  const int caption = w->height() - w->clientheight();
  const tplacement p = newwindowplacement(m, caption, static_cast<int>(windowlist.size()));
  w->setGeometry(p.left, p.top, p.width, p.height);
  w->show();
  mdi_->setActiveSubWindow(w);
  if (activewindow != w) activated(*w);
  updateclosewindowitem();
  busy = 0;
  func_->resetfamilies();
  return w;
}

void tmainform::newprojectclick() {
  if (!files_->savequestion(false)) return;
  busy = 1;
  while (!windowlist.empty()) {
    tgrform* w = windowlist.back();
    if (!w->formclose()) break;
    w->hide();
    w->deleteLater();
    updateclosewindowitem();
  }
  windowlist.clear();
  activewindow = nullptr;
  tgrform::resetwindowcounter();
  busy = 0;
  newwindowclick();
  setWindowTitle(QStringLiteral("Tarnelo"));
  history_->reset();
}

void tmainform::closewindowclick() {
  clearhint();
  if (!activewindow || windowlist.size() <= 1) return;
  tgrform* w = activewindow;
  if (w->formclose()) {
    w->hide();
    w->deleteLater();
    activatefront();
  }
}

void tmainform::tileclick() {
  if (func_) func_->move(0, 0);
  std::vector<tgrform*> normal;
  for (tgrform* w : windowlist)
    if (!w->isMinimized() && !w->isMaximized()) normal.push_back(w);
  if (normal.empty()) return;
  const std::vector<tplacement> places =
      tileplacements(measures(), static_cast<int>(normal.size()));
  for (size_t j = 0; j < normal.size(); ++j)
    normal[j]->setGeometry(places[j].left, places[j].top, places[j].width, places[j].height);
}

void tmainform::cascadeclick() {
  if (func_) func_->move(0, 0);
  if (windowlist.empty()) return;
  tgrform& first = *windowlist.front();
  const int caption = first.height() - first.clientheight() - 3;
  const std::vector<tplacement> places =
      cascadeplacements(measures(), caption, static_cast<int>(windowlist.size()));
  for (size_t i = 0; i < windowlist.size(); ++i) {
    tgrform* w = windowlist[i];
    w->setGeometry(places[i].left, places[i].top, places[i].width, places[i].height);
    w->raise();
    w->show();
  }
  activatefront();
}

void tmainform::newfigure(int fam) {
  clearhint();
  if (!activewindow) return;
  activewindow->creategraph(fam);
  if (tool == toolcode::tangent) setpanel(2, u(fam == family::line ? tangentline : tangenthint));
  activewindow->repant();
}

int tmainform::zoomfactor(const std::string& name) {
  if (name == "normal1") return 1;
  if (name.size() >= 2 && name[0] == 'N' && name[1] >= '1' && name[1] <= '9') return name[1] - '0';
  if (name.size() >= 3 && name[0] == 'M' && name[2] >= '1' && name[2] <= '9') return name[2] - '0';
  return 0;
}

void tmainform::activated(tgrform& w) {
  tgrform* before = lastactivated_;
  lastactivated_ = &w;
  w.formactivate();
  // The window that lost the focus repaints, also when the frame had set the
  // active window to none while it made a new one.
  if (before && before != &w &&
      std::find(windowlist.begin(), windowlist.end(), before) != windowlist.end())
    before->formdeactivate();
}

void tmainform::activatefront() {
  const QList<QMdiSubWindow*> order = mdi_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    auto* w = dynamic_cast<tgrform*>(*it);
    if (!w || !w->isVisible() || w->closing()) continue;
    if (std::find(windowlist.begin(), windowlist.end(), w) == windowlist.end()) continue;
    mdi_->setActiveSubWindow(w);
    // The frame's own record follows even when the area already had it active.
    if (activewindow != w || lastactivated_ != w) activated(*w);
    return;
  }
}

void tmainform::setupwindowview(tgrform& w, double minx, double maxx, double miny, double maxy) {
  w.coords.setup(0, 0, w.clientwidth(), w.clientheight(), minx, maxx, miny, maxy);
}

void tmainform::zoomclick(const std::string& name) {
  const int k = zoomfactor(name);
  if (k <= 0 || !activewindow) return;
  const double s = std::sqrt(static_cast<double>(k));
  const double f = name[0] == 'M' ? s : 1.0 / s;
  clearhint();
  const uint8_t saved = tool;
  tool = toolcode::move;
  setupwindowview(*activewindow, options_->minx() * f, options_->maxx() * f, options_->miny() * f,
                  options_->maxy() * f);
  activewindow->pant();
  tool = saved;
  activewindow->redrawtoolmarks();
}

void tmainform::normalclick() {
  if (!activewindow) return;
  const QString hint = paneltext(2);
  clearhint();
  const uint8_t saved = tool;
  tool = toolcode::select;
  activewindow->coords.zoomhistory.clear();
  activewindow->coords.readoptions();
  setupwindowview(*activewindow, options_->minx(), options_->maxx(), options_->miny(),
                  options_->maxy());
  activewindow->pant();
  tool = saved;
  setpanel(2, hint);
  // Resetting the view is not a tool: the current tool stays checked.
  if (const tooldef* t = findtool(tool)) checktool(t->item);
  activewindow->redrawtoolmarks();
}

void tmainform::zoomoutclick() {
  commands_->item("zoomout2")->setChecked(true);
  if (!activewindow) return;
  const uint8_t saved = tool;
  tool = toolcode::zoomout;
  tcoords& c = activewindow->coords;
  setupwindowview(*activewindow, c.minx, c.maxx, c.miny, c.maxy);
  activewindow->pant();
  tool = saved;
  activewindow->hidememo();
  activewindow->restoreselection();
  activewindow->afterp();
  activewindow->redrawtoolmarks();
}

tvaluetable& tmainform::valuetable() {
  if (!valuetable_) {
    tablelink_ = std::make_unique<ttablelink>(*this);
    valuetable_ = new tvaluetable(*tablelink_, this);
    valuetable_->setWindowFlag(Qt::Tool);
  }
  return *valuetable_;
}

void tmainform::figureschanged() {
  if (valuetable_ && valuetable_->isVisible()) valuetable_->refresh();
}

void tmainform::toolclick(int code) {
  const tooldef* t = findtool(code);
  if (!t) return;
  tool = static_cast<uint8_t>(code);
  toolcursor = t->cursor;
  // The marks of special points belong to the tool that found them.
  for (tgrform* w : windowlist)
    if (w->clearspecialpoints() && w != activewindow) w->repant();
  checktool(t->item);
  setpanel(1, u(t->panel1));
  QString hint = u(t->panel2);
  if (code == toolcode::tangent && activewindow && !activewindow->selection.empty() &&
      activewindow->selection[0]->kind == family::line)
    hint = u(tangentline);
  setpanel(2, hint);
  if (!activewindow) return;
  tgrform& w = *activewindow;
  w.hidememo();
  if (t->repant) w.repant();
  if (code == toolcode::intersection) w.intersect();
  if (code == toolcode::derivative) w.canvas().setCursor(Qt::ArrowCursor);
  if (t->restoreselection) w.restoreselection();
  w.afterp();
}

void tmainform::gesturedone(const std::string& verb) {
  if (history_) history_->record(platform::tounicode(verb));
}

void tmainform::changedone(const QString& name) {
  if (history_) history_->record({}, name);
}

void tmainform::aboutclick() {
  for (auto& d : dialogs_)
    if (auto* a = dynamic_cast<tabout*>(d.get())) a->exec();
}

void tmainform::runcommand(const std::string& name) {
  if (QAction* a = commands_->item(name); a && a->isEnabled()) a->trigger();
}

void tmainform::connectcommands() {
  const auto on = [this](const char* name, auto handler) {
    connect(commands_->item(name), &QAction::triggered, this, handler);
  };
  on("newwindow1", [this] { newwindowclick(); });
  on("newproject1", [this] { newprojectclick(); });
  on("open1", [this] { files_->openclick(); });
  on("saveproject1", [this] { files_->saveprojectclick(); });
  on("saveas1", [this] { files_->saveasclick(); });
  on("savepicture1", [this] { savepictureclick(*this); });
  on("closewindow1", [this] { closewindowclick(); });
  on("printersetup1", [this] { services_.printersetupdialog(); });
  on("exit1", [this] { close(); });
  on("tile1", [this] { tileclick(); });
  on("cascade1", [this] { cascadeclick(); });
  on("about1", [this] { aboutclick(); });
  on("normal1", [this] { zoomclick("normal1"); });
  on("valuetable1", [this] { valuetableclick(*this); });
  on("normal2", [this] { normalclick(); });
  on("zoomout2", [this] { zoomoutclick(); });
  const std::array<std::pair<const char*, int>, 8> families{{{"line1", 0},
                                                             {"parabola2", 1},
                                                             {"parabola3", 2},
                                                             {"hyperbola1", 3},
                                                             {"sin1", 4},
                                                             {"cos1", 5},
                                                             {"pol31", 6},
                                                             {"pol41", 7}}};
  for (const auto& [name, fam] : families) on(name, [this, fam = fam] { newfigure(fam); });
  for (const tooldef& t : tooldefs) on(t.item, [this, code = t.code] { toolclick(code); });
  for (int k = 2; k <= 9; ++k) {
    const std::string in = "N" + std::to_string(k) + "11";
    const std::string out = "M1" + std::to_string(k) + "1";
    connect(commands_->item(in), &QAction::triggered, this, [this, in] { zoomclick(in); });
    connect(commands_->item(out), &QAction::triggered, this, [this, out] { zoomclick(out); });
  }
  connect(commands_->windowmenu(), &QMenu::aboutToShow, this, [this] { rebuildwindowmenu(); });
  connecteditcommands(*this);
}

void tmainform::rebuildwindowmenu() {
  QMenu* menu = commands_->windowmenu();
  for (QAction* a : menu->actions())
    if (a->property("windowentry").toBool()) {
      menu->removeAction(a);
      a->deleteLater();
    }
  int n = 0;
  for (tgrform* w : windowlist) {
    ++n;
    QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(n).arg(w->windowTitle()));
    a->setProperty("windowentry", true);
    a->setCheckable(true);
    a->setChecked(w == activewindow);
    connect(a, &QAction::triggered, this, [this, w] {
      if (std::find(windowlist.begin(), windowlist.end(), w) != windowlist.end()) {
        mdi_->setActiveSubWindow(w);
        activated(*w);
      }
    });
  }
}

void tmainform::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!firstshow) return;
  firstshow = 0;
  if (startoptions_.nosplash) return;
  const std::string path = startoptions_.splashpath.empty()
                               ? findcompanion(QCoreApplication::applicationDirPath().toStdString(),
                                               TARNELO_COMPANION_DIR)
                               : startoptions_.splashpath;
  if (services_.startprogram(path, "Tarnelo #3000 #1999")) return;
  services_.messagebox("Installsjonen er mangelful.", "Tarnelo", platform::msgkind::error,
                       platform::msgbuttons::ok);
  terminating = 1;
  QCoreApplication::exit(1);
}

void tmainform::closeEvent(QCloseEvent* event) {
  if (terminating) {
    event->accept();
    return;
  }
  // Cancel, or a save that was cancelled or failed, keeps the program open.
  if (!files_->savequestion(true)) {
    event->ignore();
    return;
  }
  closeaction();
  event->accept();
}
