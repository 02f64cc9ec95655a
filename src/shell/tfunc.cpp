#include "shell/tfunc.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "graph/tgrform.h"
#include "platform/qt/cp1252.h"
#include "settings/toptions.h"
#include "shell/tmainform.h"

namespace {

const char* const nofiguretext = "Ingen funksjoner";

// The selector's entries carry the formula display's markup; until that
// display draws them, the selector shows them with the markup taken out.
QString plainentry(const std::string& text) {
  std::string s;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      ++i;
      continue;
    }
    if (text[i] == '^' && i + 1 < text.size() && text[i + 1] >= '2' && text[i + 1] <= '3') {
      s += text[i + 1] == '2' ? '\xB2' : '\xB3';
      ++i;
      continue;
    }
    s += text[i];
  }
  return platform::tounicode(s);
}

}  // namespace

tfunc::tfunc(tmainform& main) : main_(main) {
  setWindowTitle(QStringLiteral("Funksjoner"));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setProperty("helpcontext", helpcontext);
  const tparamconst& pc = main_.options().paramconst();
  for (int k = 1; k <= 5; ++k) {
    const size_t i = static_cast<size_t>(k - 1);
    boxes[i].createbox(pc.direction[i], k, pc.interval[i], pc.format[i], pc.step[i], pc.max[i],
                       pc.min[i]);
    boxes[i].value = k == 1 ? 1.0f : 0.0f;
    boxes[i].edittext = k == 1 ? "1" : "0";
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
    s[static_cast<size_t>(k - 1)] =
        k > figure.paramcount ? tmanbox::hidden : (disabled ? tmanbox::disabled : tmanbox::normal);
  return s;
}

tfigure& tfunc::addfig(std::unique_ptr<tfigure> figure, tgrform& window) {
  tfigure& f = *figure;
  const int32_t at = std::clamp<int32_t>(window.lastfig, 0, static_cast<int32_t>(figures.size()));
  figures.insert(figures.begin() + at, std::move(figure));
  if (familytexts.size() == 11) familytexts.pop_back();
  if (f.kind == family::custom)
    familytexts[family::custom] =
        "Brukerdefinert funksjon" + main_.options().funcname() + f.formulabuf;
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
  tgrform* owner = windowof(figure);
  std::unique_ptr<tfigure> taken = std::move(figures[static_cast<size_t>(i)]);
  figures.erase(figures.begin() + i);
  // The figure's own window loses it (not whichever window is active), and
  // keeps no reference to it.
  if (owner) {
    owner->figcount -= 1;
    std::erase(owner->selection, &figure);
    if (owner->curfig == &figure) owner->curfig = nullptr;
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
          "Brukerdefinert funksjon" + main_.options().funcname() + last.formulabuf;
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
        "Brukerdefinert funksjon" + main_.options().funcname() + figure.formulabuf;
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

void tfunc::buildwidgets() {
  auto* body = new QWidget;
  body->setFixedSize(314, 372);

  auto* formulagroup = new QGroupBox(QStringLiteral("Funksjonsuttrykk"), body);
  formulagroup->setGeometry(4, 2, 306, 66);
  formulagroup->setProperty("helpcontext", 59);
  display_ = new QLabel(formulagroup);
  display_->setGeometry(6, 20, 281, 40);
  display_->setFrameShape(QFrame::Box);
  display_->setAutoFillBackground(true);
  QPalette pal = display_->palette();
  pal.setColor(QPalette::Window, Qt::white);
  display_->setPalette(pal);
  display_->setTextFormat(Qt::RichText);
  auto* up = new QToolButton(formulagroup);
  up->setArrowType(Qt::UpArrow);
  up->setGeometry(288, 20, 14, 20);
  auto* down = new QToolButton(formulagroup);
  down->setArrowType(Qt::DownArrow);
  down->setGeometry(288, 40, 14, 20);
  QObject::connect(up, &QToolButton::clicked, [this] {
    if (current > 0) --current;
    refresh();
  });
  QObject::connect(down, &QToolButton::clicked, [this] {
    if (current < static_cast<int32_t>(filtered.size()) - 1) ++current;
    refresh();
  });

  auto* familygroup = new QGroupBox(QStringLiteral("Funksjonstype"), body);
  familygroup->setGeometry(4, 70, 306, 56);
  familygroup->setProperty("helpcontext", 60);
  selector_ = new QComboBox(familygroup);
  selector_->setGeometry(6, 22, 294, 26);
  QObject::connect(selector_, &QComboBox::activated, [this](int entry) { selectfamily(entry); });

  auto* constgroup = new QGroupBox(QStringLiteral("Konstanter"), body);
  constgroup->setGeometry(4, 128, 306, 240);
  for (int i = 0; i < 5; ++i) {
    const int x = 14 + i * 58;
    headers_[static_cast<size_t>(i)] =
        new QLabel(QStringLiteral("  ") + QChar::fromLatin1(letter(i + 1)), constgroup);
    headers_[static_cast<size_t>(i)]->setGeometry(x, 18, 40, 14);
    auto* bup = new QToolButton(constgroup);
    bup->setArrowType(Qt::UpArrow);
    bup->setGeometry(x, 34, 33, 22);
    auto* scale = new QFrame(constgroup);
    scale->setGeometry(x, 58, 33, 100);
    scale->setFrameShape(QFrame::Box);
    scale->setAutoFillBackground(true);
    scales_[static_cast<size_t>(i)] = scale;
    auto* bdown = new QToolButton(constgroup);
    bdown->setArrowType(Qt::DownArrow);
    bdown->setGeometry(x, 160, 33, 22);
    auto* edit = new QLineEdit(constgroup);
    edit->setGeometry(x - 6, 186, 46, 22);
    edit->setReadOnly(true);
    edits_[static_cast<size_t>(i)] = edit;
  }
  setWidget(body);
}

void tfunc::refresh() {
  if (!selector_) return;
  selector_->blockSignals(true);
  selector_->clear();
  for (const std::string& t : familytexts) selector_->addItem(plainentry(t));
  selector_->setCurrentIndex(std::min<int>(family, selector_->count() - 1));
  selector_->blockSignals(false);

  const std::string text = displaytext();
  if (text.empty()) {
    display_->clear();
  } else {
    // "N.F\dK\d(x) =..." with the figure number lowered.
    const size_t a = text.find("\\d");
    const size_t b = text.find("\\d", a + 2);
    const QString html = platform::tounicode(text.substr(0, a)).toHtmlEscaped() + "<sub>" +
                         platform::tounicode(text.substr(a + 2, b - a - 2)).toHtmlEscaped() +
                         "</sub>" + platform::tounicode(text.substr(b + 2)).toHtmlEscaped();
    const tfigure& f = *filtered[static_cast<size_t>(current)];
    const tgrform* w = windowof(f);
    platform::colour c = platform::black;
    if (w) {
      const bool active = f.selected && w == main_.activewindow;
      c = w->coords.figcolours[active ? (f.frozen ? 2 : 1) : (f.frozen ? 3 : 0)];
    }
    display_->setText(QStringLiteral("<span style=\"color:#%1\">%2</span>")
                          .arg(c, 6, 16, QLatin1Char('0'))
                          .arg(html));
  }

  for (size_t i = 0; i < 5; ++i) {
    const uint8_t s = boxes[i].state();
    edits_[i]->setText(platform::tounicode(boxes[i].edittext));
    edits_[i]->setEnabled(s == tmanbox::normal);
    QPalette p = scales_[i]->palette();
    p.setColor(QPalette::Window, s == tmanbox::normal ? QColor(0, 0, 255) : QColor(128, 128, 128));
    scales_[i]->setPalette(p);
  }
}
