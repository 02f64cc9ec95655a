#include "shell/tundohistory.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QUndoCommand>
#include <algorithm>
#include <memory>

#include "expr/parseexpr.h"
#include "figures/tcustom.h"
#include "graph/tgralab.h"
#include "graph/tgrform.h"
#include "graph/tgrlabels.h"
#include "platform/qt/cp1252.h"
#include "settings/toptions.h"
#include "shell/tfunc.h"
#include "shell/tiorecords.h"
#include "shell/tmainform.h"

namespace {

const char* const undoitem = "A&ngre";
const char* const redoitem = "Gjør o&m";

// What a new figure of each family is called in a step's name.
constexpr std::array<const char*, family::count> newfigurenames{"ny linje",
                                                                "ny parabel",
                                                                "ny parabel",
                                                                "ny hyperbel",
                                                                "ny sinuskurve",
                                                                "ny cosinuskurve",
                                                                "nytt tredjegradspolynom",
                                                                "nytt fjerdegradspolynom",
                                                                "ny egendefinert funksjon"};

// Menu commands whose step is named after the command rather than after
// what it changed.
struct commandname {
  const char* item;
  const char* name;
};
constexpr std::array commandnames{
    commandname{"cut1", "klipping"},
    commandname{"paste1", "innliming"},
    commandname{"undelete1", "gjenoppretting av det slettede"},
    commandname{"options1", "endring av innstillinger"},
    commandname{"interpolation1", "interpolasjon"},
    commandname{"open1", "åpning av fil"},
};

// Items that change nothing of the work, and the history's own.
constexpr std::array<std::string_view, 7> unrecorded{
    "undo1", "redo1", "exit1", "about1", "saveproject1", "saveas1", "savepicture1"};

QString u(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// One step: the windows it changed as they were before and after.
class tundostep : public QUndoCommand {
 public:
  tundostep(tundohistory& history, const QString& name, std::vector<int> beforeorder,
            std::vector<tundowindow> before, int beforeactive, std::vector<int> afterorder,
            std::vector<tundowindow> after, int afteractive)
      : QUndoCommand(name),
        history_(history),
        beforeorder_(std::move(beforeorder)),
        before_(std::move(before)),
        beforeactive_(beforeactive),
        afterorder_(std::move(afterorder)),
        after_(std::move(after)),
        afteractive_(afteractive) {}

  void undo() override { history_.apply(beforeorder_, before_, beforeactive_); }
  void redo() override {
    // Pushed after the change was made: the first redo has nothing to do.
    if (done_) {
      done_ = false;
      return;
    }
    history_.apply(afterorder_, after_, afteractive_);
  }

 private:
  tundohistory& history_;
  std::vector<int> beforeorder_;
  std::vector<tundowindow> before_;
  int beforeactive_;
  std::vector<int> afterorder_;
  std::vector<tundowindow> after_;
  int afteractive_;
  bool done_ = true;
};

}  // namespace

const tundowindow* tundostate::find(int id) const {
  for (const tundowindow& w : windows)
    if (w.id == id) return &w;
  return nullptr;
}

std::vector<int> tundostate::order() const {
  std::vector<int> ids;
  for (const tundowindow& w : windows) ids.push_back(w.id);
  return ids;
}

tundohistory::tundohistory(tmainform& main) : main_(main) {
  stack_.setUndoLimit(limit);
  const tcommands& c = main_.commands();
  QAction* undo = c.item("undo1");
  QAction* redo = c.item("redo1");
  redo->setShortcuts(
      {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
  QObject::connect(undo, &QAction::triggered, &main_, [this] { this->undo(); });
  QObject::connect(redo, &QAction::triggered, &main_, [this] { this->redo(); });
  QObject::connect(&stack_, &QUndoStack::indexChanged, &main_, [this] { updateactions(); });
  QObject::connect(&stack_, &QUndoStack::cleanChanged, &main_,
                   [this](bool clean) { main_.modified = clean ? 0 : 1; });
  updateactions();
}

tundohistory::~tundohistory() {
  // The steps hold no windows; they go without touching the program.
  applying_ = true;
  stack_.clear();
}

void tundohistory::start() {
  if (!started_) {
    const tcommands& c = main_.commands();
    for (const std::string& name : c.itemnames()) {
      if (c.menu(name) || std::find(unrecorded.begin(), unrecorded.end(), name) != unrecorded.end())
        continue;
      QString given;
      for (const commandname& n : commandnames)
        if (name == n.item) given = u(n.name);
      // Connected after the command's own handler, so it runs when the command is done.
      QObject::connect(c.item(name), &QAction::triggered, &main_,
                       [this, given] { record({}, given); });
    }
  }
  started_ = true;
  reset();
}

void tundohistory::reset() {
  applying_ = true;
  stack_.clear();
  applying_ = false;
  ++resets_;
  baseline_ = snapshot();
  updateactions();
}

void tundohistory::setsaved() {
  stack_.setClean();
  main_.modified = 0;
}

void tundohistory::updateactions() {
  const tcommands& c = main_.commands();
  QAction* undo = c.item("undo1");
  QAction* redo = c.item("redo1");
  const QString undotext = stack_.canUndo() ? stack_.undoText() : QString();
  const QString redotext = stack_.canRedo() ? stack_.redoText() : QString();
  undo->setText(undotext.isEmpty() ? u(undoitem) : u(undoitem) + ' ' + undotext);
  redo->setText(redotext.isEmpty() ? u(redoitem) : u(redoitem) + ' ' + redotext);
  undo->setEnabled(stack_.canUndo());
  redo->setEnabled(stack_.canRedo());
}

// --- taking the state

int tundohistory::idof(tgrform& w) {
  int id = w.property("undoid").toInt();
  if (id == 0) {
    id = nextid_++;
    w.setProperty("undoid", id);
  }
  return id;
}

tgrform* tundohistory::windowbyid(int id) const {
  for (tgrform* w : main_.windowlist)
    if (w->property("undoid").toInt() == id) return w;
  return nullptr;
}

tundowindow tundohistory::windowstate(tgrform& w) {
  tundowindow s;
  s.id = idof(w);
  s.number = w.number;
  s.title = w.windowTitle();
  s.geometry = w.geometry();
  s.range = {w.coords.minx, w.coords.maxx, w.coords.miny, w.coords.maxy};
  s.colours = {w.coords.axiscolour, w.coords.gridcolour, w.coords.figcolours[0],
               w.coords.figcolours[1]};
  s.background = w.background;
  for (tfigure* f : w.figures()) {
    tundofigure r;
    r.kind = f->kind;
    r.param = f->param;
    if (const auto* c = dynamic_cast<const tcustom*>(f)) r.formula = c->formulatext;
    // Fix points the pupil placed are work. Without them the points follow
    // the curve and are worked out afresh whenever it is drawn selected.
    r.fixmode = placedfixpoints(*f);
    if (r.fixmode) {
      r.fixx = f->fixx;
      r.fixy = f->fixy;
      r.fixcount = f->fixcount;
      r.curfix = f->curfix;
    }
    r.frozen = f->frozen;
    s.figures.push_back(std::move(r));
  }
  // A label open in the memo counts with what it held when it was opened:
  // the typing becomes a step when the editing ends. A new label being
  // written is no label yet; with its text it becomes one step.
  tgrlabels& labels = w.textlabels();
  for (const auto& l : labels.tool().labels) {
    const bool writing = l.get() == labels.tool().curlabel && labels.memo().visible();
    if (writing && l->text.empty()) continue;
    s.labels.push_back({labelrecord(*l), l->worldx, l->worldy});
  }
  return s;
}

// In fix mode with other points than the curve starts with: a click of the
// rotate or fix-point tool alone only shows the points there already were.
bool tundohistory::placedfixpoints(tfigure& f) {
  if (!f.fixmode) return false;
  const auto x = f.fixx;
  const auto y = f.fixy;
  const int32_t count = f.fixcount;
  const int32_t current = f.curfix;
  const bool snapped = f.snapped;
  f.initfixpoints();
  bool same = f.fixcount == count;
  for (int32_t k = 1; same && k <= count && k < 6; ++k) {
    const auto i = static_cast<std::size_t>(k);
    same = f.fixx[i] == x[i] && f.fixy[i] == y[i];
  }
  f.fixx = x;
  f.fixy = y;
  f.fixcount = count;
  f.curfix = current;
  f.snapped = snapped;
  return !same;
}

tundostate tundohistory::snapshot() {
  tundostate s;
  for (tgrform* w : main_.windowlist) {
    if (w->closing()) continue;
    s.windows.push_back(windowstate(*w));
  }
  s.active = main_.activewindow ? idof(*main_.activewindow) : 0;
  return s;
}

// --- recording

void tundohistory::record(const QString& dragverb, const QString& name) {
  if (!started_ || applying_ || !main_.hasfunc()) return;
  tundostate now = snapshot();
  const bool sameorder = now.order() == baseline_.order();
  std::vector<tundowindow> before;
  std::vector<tundowindow> after;
  for (const tundowindow& w : baseline_.windows) {
    const tundowindow* n = now.find(w.id);
    if (!n || !n->samework(w)) before.push_back(w);
  }
  for (const tundowindow& w : now.windows) {
    const tundowindow* b = baseline_.find(w.id);
    if (!b || !b->samework(w)) after.push_back(w);
  }
  if (sameorder && before.empty() && after.empty()) {
    // Nothing of the work changed; the windows may have moved on the screen.
    baseline_ = std::move(now);
    return;
  }
  const QString text = name.isEmpty() ? describe(baseline_, now, dragverb) : name;
  // A window brought to the front records nothing; a change with the same
  // windows was made in the one in front now, which undoing it shows again.
  const int beforeactive = sameorder ? now.active : baseline_.active;
  auto* step = new tundostep(*this, text, baseline_.order(), std::move(before), beforeactive,
                             now.order(), std::move(after), now.active);
  baseline_ = std::move(now);
  stack_.push(step);
  main_.modified = stack_.isClean() ? 0 : 1;
}

QString tundohistory::figurename(const tundostate& state, int windowid, std::size_t index) const {
  std::size_t n = 0;
  for (const tundowindow& w : state.windows) {
    if (w.id == windowid) break;
    n += w.figures.size();
  }
  const std::string prefix = main_.options().funcname();
  return platform::tounicode(prefix.substr(0, 1)) + QString::number(n + index + 1);
}

QString tundohistory::describe(const tundostate& before, const tundostate& after,
                               const QString& dragverb) {
  for (const tundowindow& w : after.windows)
    if (!before.find(w.id)) return u("nytt grafvindu");
  for (const tundowindow& w : before.windows)
    if (!after.find(w.id)) return u("lukking av ") + w.title;
  for (const tundowindow& a : after.windows) {
    const tundowindow& b = *before.find(a.id);
    if (a.samework(b)) continue;
    if (a.figures != b.figures) {
      std::size_t i = 0;
      while (i < a.figures.size() && i < b.figures.size() && a.figures[i] == b.figures[i]) ++i;
      if (a.figures.size() > b.figures.size()) {
        if (a.figures.size() - b.figures.size() > 1) return u("nye grafer");
        const uint8_t kind = a.figures[i].kind;
        return u(kind < family::count ? newfigurenames[kind] : "ny graf");
      }
      if (a.figures.size() < b.figures.size()) {
        if (b.figures.size() - a.figures.size() > 1) return u("sletting av grafer");
        return u("sletting av ") + figurename(before, b.id, i);
      }
      const tundofigure& fa = a.figures[i];
      const tundofigure& fb = b.figures[i];
      const QString figure = figurename(after, a.id, i);
      if (fa.param != fb.param)
        return (dragverb.isEmpty() ? u("endring") : dragverb) + u(" av ") + figure;
      if (fa.frozen != fb.frozen) return (fa.frozen ? u("frysing av ") : u("tining av ")) + figure;
      if (fa.fixx != fb.fixx || fa.fixy != fb.fixy || fa.fixcount != fb.fixcount)
        return u("fikspunkt på ") + figure;
      return u("endring av ") + figure;
    }
    if (a.labels != b.labels) {
      if (a.labels.size() > b.labels.size()) return u("ny tekst");
      if (a.labels.size() < b.labels.size()) return u("sletting av tekst");
      for (std::size_t i = 0; i < a.labels.size(); ++i) {
        if (a.labels[i] == b.labels[i]) continue;
        const tlabelrecord& la = a.labels[i].record;
        const tlabelrecord& lb = b.labels[i].record;
        if (la.lines != lb.lines) return u("skriving av tekst");
        if (la.width != lb.width || la.height != lb.height)
          return u("endring av tekstens størrelse");
        if (a.labels[i].worldx != b.labels[i].worldx || a.labels[i].worldy != b.labels[i].worldy)
          return u("flytting av tekst");
        return u("endring av skrift");
      }
      return u("endring av tekst");
    }
    if (a.range != b.range) return u("zoom");
  }
  return u("endring");
}

// --- undo and redo

// A value typed into a box and not yet entered would otherwise be entered
// after the step is set back, onto work it was never part of.
void tundohistory::endtyping() {
  for (tgrform* w : main_.windowlist) w->hidememo();
  if (main_.hasfunc()) main_.func().endentries();
}

bool tundohistory::midgesture() const {
  return main_.buttondown != 0 || (main_.hasfunc() && main_.func().timerrunning());
}

void tundohistory::undo() {
  // A drag or a held box button ends first; its change is then one step.
  if (midgesture()) return;
  // A label or a box value being typed is ended, and a change not yet
  // recorded is the first to go.
  endtyping();
  record();
  if (stack_.canUndo()) stack_.undo();
}

void tundohistory::redo() {
  if (midgesture()) return;
  endtyping();
  record();
  if (stack_.canRedo()) stack_.redo();
}

void tundohistory::apply(const std::vector<int>& order, const std::vector<tundowindow>& changed,
                         int active) {
  if (applying_ || !main_.hasfunc() || order.empty()) return;
  applying_ = true;
  tfunc& func = main_.func();
  std::array<float, 5> boxes{};
  for (std::size_t k = 0; k < 5; ++k) boxes[k] = func.boxes[k].value;
  const std::string customtext = main_.customtext;
  const texpression customexpression = main_.customexpression;
  const uint8_t busy = main_.busy;
  main_.busy = 1;
  for (tgrform* w : main_.windowlist) w->hidememo();

  // Windows the state does not hold close.
  for (tgrform* w : std::vector<tgrform*>(main_.windowlist)) {
    if (std::find(order.begin(), order.end(), idof(*w)) != order.end()) continue;
    if (!w->formclose()) continue;
    w->hide();
    w->deleteLater();
  }
  std::vector<tgrform*> touched;
  for (int id : order) {
    const auto s = std::find_if(changed.begin(), changed.end(),
                                [id](const tundowindow& c) { return c.id == id; });
    tgrform* w = windowbyid(id);
    if (s == changed.end()) continue;
    if (w)
      setwork(*w, *s);
    else
      w = openwindow(*s);
    touched.push_back(w);
  }
  reorder(order);

  main_.customtext = customtext;
  main_.customexpression = customexpression;
  for (std::size_t k = 0; k < 5; ++k) func.boxes[k].showvalue(boxes[k]);
  main_.busy = busy;

  tgrform* front = windowbyid(active);
  if (!front && !touched.empty()) front = touched.front();
  if (!front && !main_.windowlist.empty()) front = main_.windowlist.front();
  for (tgrform* w : touched) {
    // Every curve of a changed window is sampled afresh at the window's size.
    setrange(*w, {w->coords.minx, w->coords.maxx, w->coords.miny, w->coords.maxy});
    for (tfigure* f : w->figures()) f->cachedrange = {};
    if (w != front) w->pant();
  }
  if (front) {
    main_.mdi().setActiveSubWindow(front);
    if (main_.activewindow != front) main_.activated(*front);
    front->pant();
    front->refreshselection();
    main_.enablecutcopy(front->firstfig != front->lastfig);
  }

  func.selectfamily(func.figures.empty() ? tfunc::nofamilies : tgraphpanel::allfamilies);
  func.refresh();
  main_.figureschanged();
  main_.updateclosewindowitem();
  baseline_ = snapshot();
  applying_ = false;
}

tgrform* tundohistory::openwindow(const tundowindow& s) {
  const int32_t counter = tgrform::windowcounter;
  main_.activewindow = nullptr;
  auto* w = new tgrform(main_);
  // The window keeps its old caption; the count of windows made stays.
  tgrform::windowcounter = counter;
  w->setProperty("undoid", s.id);
  w->number = s.number;
  w->setWindowTitle(s.title);
  w->setGeometry(s.geometry);
  w->coords.axiscolour = s.colours[0];
  w->coords.gridcolour = s.colours[1];
  w->coords.figcolours[0] = s.colours[2];
  w->coords.figcolours[1] = s.colours[3];
  w->background = s.background;
  w->show();
  setwork(*w, s);
  return w;
}

void tundohistory::setrange(tgrform& w, const std::array<double, 4>& range) {
  tcoords& c = w.coords;
  // A window opened again has its old size: its pixels are set up anew.
  if (std::array<double, 4>{c.minx, c.maxx, c.miny, c.maxy} == range &&
      c.pixwidth == w.clientwidth() && c.pixheight == w.clientheight())
    return;
  // The zoom tools would take this set-up for a zoom step of their own.
  const uint8_t tool = main_.tool;
  main_.tool = toolcode::select;
  c.setup(0, 0, w.clientwidth(), w.clientheight(), range[0], range[1], range[2], range[3]);
  main_.tool = tool;
}

void tundohistory::setwork(tgrform& w, const tundowindow& s) {
  setrange(w, s.range);
  setfigures(w, s.figures);
  setlabels(w, s.labels);
}

void tundohistory::setfigures(tgrform& w, const std::vector<tundofigure>& target) {
  const tundowindow now = windowstate(w);
  const std::vector<tundofigure>& current = now.figures;
  // Figures that stay keep their identity (and the tools' hold on them);
  // from the first one that cannot take its new values the rest is made anew.
  std::size_t keep = 0;
  while (keep < current.size() && keep < target.size() && current[keep] == target[keep]) ++keep;
  if (current.size() == target.size())
    while (keep < current.size() && current[keep].samecurve(target[keep])) {
      tfigure& f = *w.figures()[keep];
      const tundofigure& t = target[keep];
      f.param = t.param;
      f.frozen = t.frozen;
      setfixpoints(f, t);
      ++keep;
    }
  tfunc& func = main_.func();
  for (std::size_t i = current.size(); i > keep; --i) {
    tfigure* f = w.figures()[i - 1];
    std::unique_ptr<tfigure> gone = func.deletefig(*f);
  }
  for (std::size_t i = keep; i < target.size(); ++i) makefigure(w, target[i]);
}

void tundohistory::setfixpoints(tfigure& f, const tundofigure& t) {
  f.fixmode = t.fixmode;
  if (!t.fixmode) {
    f.initfixpoints();
    return;
  }
  f.fixx = t.fixx;
  f.fixy = t.fixy;
  f.fixcount = t.fixcount;
  f.curfix = t.curfix;
}

tfigure* tundohistory::makefigure(tgrform& w, const tundofigure& t) {
  tfunc& func = main_.func();
  for (std::size_t k = 0; k < 5; ++k) func.boxes[k].showvalue(static_cast<float>(t.param[k + 1]));
  if (t.kind == family::custom) {
    main_.customtext = t.formula;
    main_.customexpression = texpression{};
    parseexpr(main_.customexpression, main_.customtext);
  }
  tfigure* f = w.creategraph(t.kind);
  if (!f) return nullptr;
  if (auto* c = dynamic_cast<tcustom*>(f)) c->formulatext = t.formula;
  f->param = t.param;
  f->frozen = t.frozen;
  setfixpoints(*f, t);
  return f;
}

void tundohistory::setlabels(tgrform& w, const std::vector<tundolabel>& target) {
  tlabeltool& tool = w.textlabels().tool();
  std::vector<tundolabel> current;
  for (const auto& l : tool.labels) current.push_back({labelrecord(*l), l->worldx, l->worldy});
  if (current == target) return;
  tool.hidememo();
  tool.curlabel = nullptr;
  tool.selectedlabel = nullptr;
  tool.labeldrag = false;
  tool.labelresize = false;
  tool.labels.clear();
  for (const tundolabel& t : target) {
    auto label = std::make_unique<tgralab>();
    applylabel(*label, t.record);
    label->worldx = t.worldx;
    label->worldy = t.worldy;
    tgralab& added = *label;
    addwindowlabel(w, std::move(label));
    // Shown where its world place is at the window's size now.
    added.placefromworld();
  }
}

void tundohistory::reorder(const std::vector<int>& order) {
  std::vector<tgrform*> windows;
  for (int id : order)
    if (tgrform* w = windowbyid(id)) windows.push_back(w);
  for (tgrform* w : main_.windowlist)
    if (std::find(windows.begin(), windows.end(), w) == windows.end()) windows.push_back(w);
  if (windows == main_.windowlist) return;
  // The panel lists the figures window by window in the new order.
  tfunc& func = main_.func();
  std::vector<std::unique_ptr<tfigure>> figures;
  for (tgrform* w : windows) {
    const int32_t first = static_cast<int32_t>(figures.size());
    for (int32_t i = w->firstfig; i < w->lastfig; ++i)
      figures.push_back(std::move(func.figures[static_cast<std::size_t>(i)]));
    w->firstfig = first;
    w->lastfig = static_cast<int32_t>(figures.size());
  }
  func.figures = std::move(figures);
  main_.windowlist = std::move(windows);
}
