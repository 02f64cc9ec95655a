#include "shell/tfunc.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "dialogs/tformulaview.h"
#include "figures/editnumbers.h"
#include "figures/tcustom.h"
#include "graph/tgranalysis.h"
#include "graph/tgrform.h"
#include "platform/qt/cp1252.h"
#include "settings/toptions.h"
#include "shell/tfamilybox.h"
#include "shell/tmainform.h"
#include "shell/tparamcolumn.h"

// The graph windows name the bar states through tgraphpanel.
static_assert(tgraphpanel::barnormal == tmanbox::normal &&
              tgraphpanel::barhidden == tmanbox::hidden &&
              tgraphpanel::bardisabled == tmanbox::disabled);

namespace {

const char* const nofiguretext = "Ingen funksjoner";

// A user-defined figure's formula as typed, for the selector's entry 8.
std::string usertext(const tfigure& f) {
  const auto* c = dynamic_cast<const tcustom*>(&f);
  return c ? c->formulatext : f.formulabuf;
}
const char* const tangenthint =
    "Tast mellomrom for \xE5 oppgi n\xF8yaktig x-koordinat eller bruk  musa for \xE5 finne den "
    "visuelt.";
const char* const tangentline =
    "Kan ikke lage tangent til en linje-velg en annen IKKE LINE\xC6R funksjon.";

}  // namespace

tfunc::tfunc(tmainform& main) : main_(main) {
  setWindowTitle(QStringLiteral("Funksjoner"));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setProperty("helpcontext", helpcontext);
  const tparamconst& pc = main_.options().paramconst();
  for (int k = 1; k <= 5; ++k) {
    const size_t i = static_cast<size_t>(k - 1);
    tmanbox& b = boxes[i];
    b.createbox(main_.images(), k,
                {pc.min[i], pc.max[i], pc.direction[i], pc.interval[i], pc.step[i]}, pc.format[i],
                main_.services().decimalseparator());
    b.showvalue(k == 1 ? 1.0f : 0.0f);
    b.edittext = k == 1 ? "1" : "0";
    b.editchanged = [this](tmanbox& box) { editchange(box.index()); };
    b.changed = [this](tmanbox& box) {
      if (columns_[static_cast<size_t>(box.index() - 1)])
        columns_[static_cast<size_t>(box.index() - 1)]->refresh();
    };
  }
  filpop();
  buildwidgets();
  rewritemenucaptions();
  refresh();
}

tfunc::~tfunc() = default;

char tfunc::letter(int k) const {
  const auto& names = main_.options().paramconst().names;
  return k >= 1 && k <= 5 ? names[static_cast<size_t>(k - 1)] : '?';
}

void tfunc::filpop() {
  const std::string p = main_.options().funcname();
  const std::string l1(1, letter(1)), l2(1, letter(2)), l3(1, letter(3)), l4(1, letter(4)),
      l5(1, letter(5));
  familytexts = {
      "Linje" + p + l1 + "*x+" + l2,
      "Parabel" + p + l1 + "*x^2+" + l2 + "*x+" + l3,
      "Parabel" + p + l1 + "*(x-" + l2 + ")^2+" + l3,
      "Hyperbel" + p + "\\l x\\l" + l1 + "+\\l " + l2 + " +" + l3,
      "Trigonometrisk" + p + l1 + "*sin(" + l2 + "*x+" + l3 + ") +" + l4,
      "Trigonometrisk" + p + l1 + "*cos(" + l2 + "*x+" + l3 + ") +" + l4,
      "3. grads polynom" + p + l1 + "*x^3+" + l2 + "*x^2+" + l3 + "*x+" + l4,
      "4. grads polynom" + p + l1 + "*x^4+" + l2 + "*x^3+" + l3 + "*x^2+" + l4 + "*x+" + l5,
      "Brukerdefinert funksjon",
      "Alle funksjoner",
      nofiguretext,
  };
  family = nofamilies;
  // The headers name the letters as they are now.
  for (int k = 1; k <= 5; ++k)
    if (columns_[static_cast<size_t>(k - 1)])
      columns_[static_cast<size_t>(k - 1)]->setletter(letter(k));
}

void tfunc::rewritemenucaptions() {
  const QString a = QChar::fromLatin1(letter(1)), b = QChar::fromLatin1(letter(2)),
                c = QChar::fromLatin1(letter(3)), d = QChar::fromLatin1(letter(4));
  const tcommands& cmd = main_.commands();
  cmd.item("parabola2")->setText(a + QString::fromUtf8("*x²+") + b + "*x+" + c);
  cmd.item("parabola3")->setText(a + "*(x-" + b + QString::fromUtf8(")²+") + c);
  cmd.item("sin1")->setText(a + "*sin(" + b + "*x+" + c + ")+" + d);
  cmd.item("cos1")->setText(a + "*cos(" + b + "*x+" + c + ")+" + d);
}

int32_t tfunc::indexof(const tfigure& figure) const {
  for (size_t i = 0; i < figures.size(); ++i)
    if (figures[i].get() == &figure) return static_cast<int32_t>(i);
  return -1;
}

tgrform* tfunc::windowof(const tfigure& figure) const {
  const int32_t i = indexof(figure);
  if (i < 0) return nullptr;
  for (tgrform* w : main_.windowlist)
    if (i >= w->firstfig && i < w->lastfig) return w;
  return nullptr;
}

std::array<uint8_t, 5> tfunc::statesfor(const tfigure& figure) const {
  std::array<uint8_t, 5> s{};
  const bool disabled = main_.tool == toolcode::fixpoint || main_.tool == toolcode::rotate;
  for (int k = 1; k <= 5; ++k)
    s[static_cast<size_t>(k - 1)] = !figure.usesparam(k) ? tmanbox::hidden
                                    : disabled           ? tmanbox::disabled
                                                         : tmanbox::normal;
  return s;
}

tfigure& tfunc::addfig(std::unique_ptr<tfigure> figure, tgrform& window) {
  tfigure& f = *figure;
  const int32_t at = std::clamp<int32_t>(window.lastfig, 0, static_cast<int32_t>(figures.size()));
  figures.insert(figures.begin() + at, std::move(figure));
  if (familytexts.size() == 11) familytexts.pop_back();
  if (f.kind == family::custom)
    familytexts[family::custom] =
        "Brukerdefinert funksjon" + main_.options().funcname() + usertext(f);
  family = f.kind;
  hidebars(statesfor(f));
  window.lastfig += 1;
  main_.enablecutcopy(!figures.empty());
  bool after = false;
  for (tgrform* w : main_.windowlist) {
    if (after) {
      w->firstfig += 1;
      w->lastfig += 1;
    }
    if (w == &window) after = true;
  }
  listbox2change();
  return f;
}

std::unique_ptr<tfigure> tfunc::deletefig(tfigure& figure) {
  const int32_t i = indexof(figure);
  if (i < 0) return nullptr;
  // Deleting a figure changes the project; closing everything does not.
  if (!main_.busy) main_.modified = 1;
  tgrform* owner = windowof(figure);
  std::unique_ptr<tfigure> taken = std::move(figures[static_cast<size_t>(i)]);
  figures.erase(figures.begin() + i);
  // The figure's own window loses it (not whichever window is active), and
  // keeps no reference to it.
  if (owner) {
    owner->figcount -= 1;
    std::erase(owner->selection, &figure);
    if (owner->curfig == &figure) owner->curfig = nullptr;
    if (owner->analysis) {
      owner->analysis->tools.forget(figure);
      owner->analysis->special.forget(figure);
    }
    main_.figureschanged();
  }
  if (figures.empty()) {
    if (familytexts.size() < 11) familytexts.push_back(nofiguretext);
    selectfamily(nofamilies);
  }
  if (owner) {
    owner->lastfig -= 1;
    main_.enablecutcopy(owner->lastfig > owner->firstfig);
    bool after = false;
    for (tgrform* w : main_.windowlist) {
      if (after) {
        w->firstfig -= 1;
        w->lastfig -= 1;
      }
      if (w == owner) after = true;
    }
  }
  if (!figures.empty()) {
    tfigure& last = *figures.back();
    if (last.kind == family::custom)
      familytexts[family::custom] =
          "Brukerdefinert funksjon" + main_.options().funcname() + usertext(last);
    family = allfamilies;
    filtered.clear();
    for (auto& f : figures) filtered.push_back(f.get());
    current = static_cast<int32_t>(filtered.size()) - 1;
  }
  refresh();
  return taken;
}

void tfunc::changef2(tfigure& figure) {
  if (figure.updating) return;
  if (figure.kind == family::custom)
    familytexts[family::custom] =
        "Brukerdefinert funksjon" + main_.options().funcname() + usertext(figure);
  selectfamily(figure.kind);
}

void tfunc::selectfamily(int entry) {
  family = entry;
  listbox2change();
}

void tfunc::hidebars(const std::array<uint8_t, 5>& states) {
  for (size_t i = 0; i < 5; ++i)
    if (boxes[i].state() != states[i]) boxes[i].setstate(states[i]);
  refresh();
}

void tfunc::listbox2change() {
  filtered.clear();
  current = -1;
  for (auto& f : figures) {
    const bool taken =
        family == allfamilies || (family >= 0 && family < family::count && f->kind == family);
    if (!taken) continue;
    filtered.push_back(f.get());
    if (f->selected && windowof(*f) == main_.activewindow && main_.activewindow)
      current = static_cast<int32_t>(filtered.size()) - 1;
  }
  if (current == -1 && !filtered.empty()) current = 0;
  refresh();
}

void tfunc::resetfamilies() {
  // One "Ingen funksjoner" entry is kept, however often it is asked for.
  if (familytexts.size() < 11) familytexts.push_back(nofiguretext);
  selectfamily(nofamilies);
}

void tfunc::formactivate() {
  main_.panelactive = 1;
}

std::string tfunc::displaytext() const {
  if (figures.empty() || current < 0 || current >= static_cast<int32_t>(filtered.size())) return {};
  tfigure& f = *filtered[static_cast<size_t>(current)];
  const tgrform* w = windowof(f);
  const std::string prefix = main_.options().funcname();
  return std::to_string(w ? w->number : 0) + "." + prefix.substr(0, 1) + "\\d" +
         std::to_string(indexof(f) + 1) + "\\d" + f.formula();
}

void tfunc::spinup() {
  if (current > 0) --current;
  refresh();
}

void tfunc::spindown() {
  const int32_t n = static_cast<int32_t>(filtered.size());
  if (current < n - 1)
    ++current;
  else
    current = n - 1;
  refresh();
}

void tfunc::showparam(int k, double value) {
  boxes[static_cast<size_t>(k - 1)].showtext(static_cast<float>(value));
}

void tfunc::paintbox6click() {
  if (filtered.empty() || current < 0 || current >= static_cast<int32_t>(filtered.size())) return;
  tfigure& f = *filtered[static_cast<size_t>(current)];
  const std::array<uint8_t, 5> states = statesfor(f);
  updating = 1;
  // Box k is parameter k, also for a user formula: its parameters are kept
  // by letter, and only the columns of the letters it uses are shown.
  for (int k = 1; k <= 5; ++k)
    if (f.usesparam(k)) showparam(k, f.param[static_cast<size_t>(k)]);
  updating = 0;
  if (main_.tool == toolcode::tangent)
    main_.setpanel(2, platform::tounicode(f.kind == family::line ? tangentline : tangenthint));
  hidebars(states);
  if (tgrform* w = windowof(f)) {
    w->clearselection();
    w->selection.push_back(&f);
    f.selected = true;
    w->repant();
    w->bringtofront();
  }
  family = f.kind;
  listbox2change();
}

void tfunc::editchange(int k) {
  if (k < 1 || k > 5) return;
  main_.modified = 1;
  if (updating) return;
  tmanbox& b = boxes[static_cast<size_t>(k - 1)];
  if (b.dragflag != 0 || b.readedit() == tmanbox::readresult::apply) chkfig(b);
  refresh();
}

void tfunc::editexit(int k) {
  if (k < 1 || k > 5 || updating) return;
  tmanbox& b = boxes[static_cast<size_t>(k - 1)];
  const std::string text = b.edittext;
  switch (b.endedit()) {
    case tmanbox::readresult::apply:
      chkfig(b);
      break;
    case tmanbox::readresult::notanumber:
      main_.services().messagebox(notanumbermessage(text), "", platform::msgkind::error,
                                  platform::msgbuttons::ok);
      break;
    default:
      break;
  }
  refresh();
  // A typed value counts once it is entered, not letter by letter.
  main_.gesturedone({});
}

void tfunc::setparamtext(int k, const std::string& text) {
  if (k < 1 || k > 5) return;
  tmanbox& b = boxes[static_cast<size_t>(k - 1)];
  b.edittext = text;
  // The box follows the figure (within its limits); a figure that writes its
  // own values is not changed back, and showing values is no change of the
  // project.
  if (!updating) b.endedit();
  if (columns_[static_cast<size_t>(k - 1)]) columns_[static_cast<size_t>(k - 1)]->refresh();
}

void tfunc::chkfig(tmanbox& box) {
  tgrform* w = main_.activewindow;
  if (!w || w->selection.empty() || w->selection[0]->dragging) return;
  const int k = box.index();
  for (tfigure* f : w->selection) {
    if (!f->usesparam(k)) continue;
    f->param[static_cast<size_t>(k)] = static_cast<double>(box.value);
    f->fixmode = false;
  }
  main_.panelrepaint = 1;
  w->repant();
  main_.panelrepaint = 0;
}

void tfunc::endentries() {
  for (tparamcolumn* c : columns_)
    if (c) c->endentry();
}

void tfunc::boxmousedown(const std::string& control, int row) {
  // An arrow or the tape ends a typed entry first, so the step starts from
  // the clamped value.
  endentries();
  router.mousedown(control, row);
  timer_->setInterval(router.timerinterval);
  timer_->start();
}

void tfunc::boxmousemove(const std::string& control, int row) {
  router.mousemove(control, row);
  refresh();
}

void tfunc::boxmouseup() {
  router.mouseup();
  timer_->stop();
  timer_->setInterval(router.timerinterval);
  // However long the button was held or the tape dragged, it is one step.
  main_.gesturedone({});
}

void tfunc::timertick() {
  router.tick();
}

bool tfunc::timerrunning() const {
  return router.timeron;
}

int tfunc::timerinterval() const {
  return router.timerinterval;
}

platform::colour tfunc::displaycolour() const {
  if (figures.empty() || current < 0 || current >= static_cast<int32_t>(filtered.size()))
    return platform::black;
  const tfigure& f = *filtered[static_cast<size_t>(current)];
  const tgrform* w = windowof(f);
  if (!w) return platform::black;
  const bool active = f.selected && w == main_.activewindow;
  return w->coords.figcolours[active ? (f.frozen ? 2 : 1) : (f.frozen ? 3 : 0)];
}

bool tcursorreset::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Enter)
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  return false;
}

void tfunc::buildwidgets() {
  auto* body = new QWidget;
  body->setFixedSize(314, 350);

  auto* formulagroup = new QGroupBox(QStringLiteral("Funksjonsuttrykk"), body);
  formulagroup->setGeometry(4, 2, 306, 66);
  formulagroup->setProperty("helpcontext", 59);
  display_ = new tformulaview(formulagroup);
  display_->setObjectName("PaintBox6");
  display_->setGeometry(6, 20, 281, 40);
  display_->clicked = [this] { paintbox6click(); };
  auto* up = new QToolButton(formulagroup);
  up->setArrowType(Qt::UpArrow);
  up->setGeometry(288, 20, 14, 20);
  auto* down = new QToolButton(formulagroup);
  down->setArrowType(Qt::DownArrow);
  down->setGeometry(288, 40, 14, 20);
  QObject::connect(up, &QToolButton::clicked, [this] { spinup(); });
  QObject::connect(down, &QToolButton::clicked, [this] { spindown(); });

  auto* familygroup = new QGroupBox(QStringLiteral("Funksjonstype"), body);
  familygroup->setGeometry(4, 70, 306, 66);
  familygroup->setProperty("helpcontext", 60);
  selector_ = new tfamilybox(familygroup);
  selector_->setObjectName("ListBox2");
  // Tall enough to show a whole 33-pixel entry, fractions included, when closed.
  selector_->setGeometry(6, 20, 294, tfamilybox::entryheight + 8);
  QObject::connect(selector_, &QComboBox::activated, [this](int entry) {
    dropdown = 0;
    selectfamily(entry);
  });

  auto* constgroup = new QGroupBox(QStringLiteral("Konstanter"), body);
  constgroup->setGeometry(4, 138, 306, 208);
  for (int k = 1; k <= 5; ++k) {
    auto* col = new tparamcolumn(boxes[static_cast<size_t>(k - 1)], letter(k), constgroup);
    col->move(10 + (k - 1) * 58, 16);
    col->mousedown = [this](const std::string& c, int row) { boxmousedown(c, row); };
    col->mousemove = [this](const std::string& c, int row) { boxmousemove(c, row); };
    col->mouseup = [this] { boxmouseup(); };
    col->typed = [this](tmanbox& b) { editchange(b.index()); };
    col->ended = [this](tmanbox& b) { editexit(b.index()); };
    columns_[static_cast<size_t>(k - 1)] = col;
  }
  // Entering a group gives the pointer back its ordinary shape, should a drag
  // elsewhere have left a shape held over the whole screen.
  auto* reset = new tcursorreset(body);
  for (QWidget* group : {formulagroup, familygroup, constgroup}) group->installEventFilter(reset);
  timer_ = new QTimer(body);
  timer_->setInterval(router.timerinterval);
  QObject::connect(timer_, &QTimer::timeout, [this] { timertick(); });
  setWidget(body);
}

void tfunc::refresh() {
  if (!selector_) return;
  selector_->setentries(familytexts);
  selector_->setCurrentIndex(std::min<int>(family, selector_->count() - 1));
  selector_->update();
  display_->setformula(displaytext(), displaycolour());
  for (tparamcolumn* c : columns_)
    if (c) c->refresh();
}
