#include "settings/toptionsform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <utility>

#include "codecs/tinicodec.h"
#include "codecs/tsettings.h"
#include "expr/parseexpr.h"
#include "figures/editnumbers.h"
#include "platform/qt/cp1252.h"
#include "settings/tinifile.h"
#include "settings/toptions.h"

namespace {

QString u(const char* utf8) {
  return QString::fromUtf8(utf8);
}

const std::array<const char*, 5> ordinals{"Første konstant", "Andre konstant", "Tredje konstant",
                                          "Fjerde konstant", "Femte konstant"};

size_t at(int p) {
  return static_cast<size_t>(p - 1);
}

}  // namespace

toptionsform::toptionsform(toptions& options, platform::services& services, toptionshost& host,
                           QWidget* parent)
    : QDialog(parent), options_(options), services_(services), host_(host) {
  setWindowTitle(QStringLiteral("Innstillinger"));
  setObjectName("toptions");
  setProperty("helpcontext", helpcontext);
  setModal(false);
  build();
  formshow();
}

toptionsform::~toptionsform() = default;

char toptionsform::separator() const {
  return services_.decimalseparator();
}

QComboBox* toptionsform::makecolourgrid(const char* name) {
  auto* c = new QComboBox(this);
  c->setObjectName(name);
  for (size_t i = 0; i < ::palette.size(); ++i) {
    QPixmap swatch(24, 12);
    swatch.fill(QColor(::palette[i].r, ::palette[i].g, ::palette[i].b));
    c->addItem(QIcon(swatch), QString::number(i));
  }
  return c;
}

void toptionsform::build() {
  auto* top = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  top->addWidget(pages_);

  const auto edit = [this](const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    return e;
  };

  // "Koordinatsystem"
  auto* coords = new QWidget(pages_);
  auto* cl = new QGridLayout(coords);
  minx_ = edit("MinX");
  maxx_ = edit("MaxX");
  miny_ = edit("MinY");
  maxy_ = edit("MaxY");
  cl->addWidget(new QLabel(QStringLiteral("Min x"), coords), 0, 0);
  cl->addWidget(minx_, 0, 1);
  cl->addWidget(new QLabel(QStringLiteral("Max x"), coords), 0, 2);
  cl->addWidget(maxx_, 0, 3);
  cl->addWidget(new QLabel(QStringLiteral("Min y"), coords), 1, 0);
  cl->addWidget(miny_, 1, 1);
  cl->addWidget(new QLabel(QStringLiteral("Max y"), coords), 1, 2);
  cl->addWidget(maxy_, 1, 3);
  // Each colour grid is named by a label that is its buddy, so the name is
  // also what a screen reader says for it.
  const auto label = [](const char* text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(u(text), parent);
    l->setBuddy(buddy);
    return l;
  };
  auto* coordcolours = new QGroupBox(u("Farger på koordinatsystemet"), coords);
  coordcolours->setObjectName("ColorGrid1Group");
  auto* ccl = new QGridLayout(coordcolours);
  colours_[1] = makecolourgrid("ColorGrid1");
  colours_[0] = makecolourgrid("ColorGrid1Background");
  ccl->addWidget(label("Akser", colours_[1], coordcolours), 0, 0);
  ccl->addWidget(colours_[1], 0, 1);
  ccl->addWidget(label("Bakgrunn", colours_[0], coordcolours), 0, 2);
  ccl->addWidget(colours_[0], 0, 3);
  cl->addWidget(coordcolours, 2, 0, 1, 4);
  grid_ = new QCheckBox(QStringLiteral("Rutenett"), coords);
  grid_->setObjectName("Grid");
  gridstep_ = edit("GridStep");
  colours_[2] = makecolourgrid("ColorGrid2");
  cl->addWidget(grid_, 3, 0);
  cl->addWidget(label("Trinn", gridstep_, coords), 3, 1);
  cl->addWidget(gridstep_, 3, 2);
  cl->addWidget(label("Farge på rutenett", colours_[2], coords), 4, 1);
  cl->addWidget(colours_[2], 4, 2);
  intgrid_ = new QCheckBox(QStringLiteral("Akseenhet"), coords);
  intgrid_->setObjectName("IntGrid");
  intstep_ = edit("IntStep");
  cl->addWidget(intgrid_, 5, 0);
  cl->addWidget(label("Trinn", intstep_, coords), 5, 1);
  cl->addWidget(intstep_, 5, 2);
  pages_->addTab(coords, QStringLiteral("Koordinatsystem"));

  // "Graf"
  auto* graphs = new QWidget(pages_);
  auto* gl = new QFormLayout(graphs);
  const std::array<const char*, 4> graphtexts{"Aktivt grafvindu", "Ikke-aktivt grafvindu",
                                              "Farge for aktiv låst graf", "Ikke-aktiv låst graf"};
  const std::array<const char*, 4> graphnames{"ColorGrid3", "ColorGrid4", "ColorGrid5",
                                              "ColorGrid6"};
  for (size_t i = 0; i < 4; ++i) {
    colours_[3 + i] = makecolourgrid(graphnames[i]);
    gl->addRow(label(graphtexts[i], colours_[3 + i], graphs), colours_[3 + i]);
  }
  pages_->addTab(graphs, QStringLiteral("Graf"));

  // "Konstanter"
  auto* consts = new QWidget(pages_);
  auto* kl = new QGridLayout(consts);
  for (int k = 1; k <= 6; ++k) {
    auto* c =
        new QCheckBox(k <= 5 ? u(ordinals[at(k)]) : QStringLiteral("Alle konstanter"), consts);
    c->setObjectName(QStringLiteral("CheckBox%1").arg(k));
    checks_[at(k)] = c;
    kl->addWidget(c, k - 1, 0);
    if (k <= 5)
      connect(c, &QCheckBox::toggled, this, [this, k](bool on) { selectparam(k, on); });
    else
      connect(c, &QCheckBox::toggled, this, [this](bool on) { selectall(on); });
  }
  minpa_ = edit("MinPa");
  maxpa_ = edit("MaxPA");
  steppa_ = edit("StepPa");
  intpa_ = edit("IntPa");
  const std::array<std::pair<const char*, QLineEdit*>, 4> paramfields{
      {{"Min", minpa_}, {"Max", maxpa_}, {"Trinn", steppa_}, {"Avstand mellom verdier", intpa_}}};
  for (size_t i = 0; i < paramfields.size(); ++i) {
    kl->addWidget(new QLabel(u(paramfields[i].first), consts), static_cast<int>(i), 1);
    kl->addWidget(paramfields[i].second, static_cast<int>(i), 2);
  }
  checks_[6] = new QCheckBox(u("Knapper på rullefelt dreier motsatt"), consts);
  checks_[6]->setObjectName("CheckBox7");
  checks_[7] = new QCheckBox(QStringLiteral("Avrund verdier"), consts);
  checks_[7]->setObjectName("DoRound");
  kl->addWidget(checks_[6], 6, 0, 1, 3);
  kl->addWidget(checks_[7], 7, 0, 1, 3);
  pages_->addTab(consts, QStringLiteral("Konstanter"));
  connect(minpa_, &QLineEdit::textChanged, this, [this] { minmaxchanged(); });
  connect(maxpa_, &QLineEdit::textChanged, this, [this] { minmaxchanged(); });
  connect(intpa_, &QLineEdit::textChanged, this, [this] { intervalchanged(); });
  connect(intpa_, &QLineEdit::editingFinished, this, [this] { intervalchanged(); });
  connect(checks_[6], &QCheckBox::clicked, this, [this] { directionclicked(); });

  // "Navn"
  auto* names = new QWidget(pages_);
  auto* nl = new QVBoxLayout(names);
  auto* group = new QGroupBox(QStringLiteral("Funksjoner skal begynne med:"), names);
  group->setObjectName("RadioGroup1");
  auto* groupl = new QVBoxLayout(group);
  for (size_t i = 0; i < funcnames_.size(); ++i) {
    funcnames_[i] = new QRadioButton(QString::fromLatin1(funcnameprefixes[i]), group);
    groupl->addWidget(funcnames_[i]);
  }
  nl->addWidget(group);
  auto* lettersrow = new QHBoxLayout();
  for (int p = 1; p <= 5; ++p) {
    auto* e = edit(QStringLiteral("Edit%1").arg(p).toLatin1().constData());
    e->setMaxLength(1);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 12);
    letters_[at(p)] = e;
    lettersrow->addWidget(e);
    connect(e, &QLineEdit::editingFinished, this, [this, p] { letterleft(p); });
  }
  lettersrow->addStretch(1);
  nl->addWidget(new QLabel(QStringLiteral("Navn på konstantene:"), names));
  nl->addLayout(lettersrow);
  nl->addStretch(1);
  pages_->addTab(names, QStringLiteral("Navn"));

  auto* buttons = new QHBoxLayout();
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName("BitBtn1");
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Avbryt"), this);
  cancel_->setObjectName("BitBtn2");
  save_ = new QPushButton(QStringLiteral("Lagre innstillinger"), this);
  save_->setObjectName("BitBtn3");
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addWidget(save_);
  top->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, [this] { okclick(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { cancelclick(); });
  connect(save_, &QPushButton::clicked, this, [this] { saveclick(); });
}

QLineEdit* toptionsform::field(const char* name) const {
  return findChild<QLineEdit*>(QString::fromLatin1(name));
}

QCheckBox* toptionsform::checkbox(int k) const {
  return k >= 1 && k <= 8 ? checks_[at(k)] : nullptr;
}

QComboBox* toptionsform::colourgrid(int k) const {
  return k >= 0 && k <= 6 ? colours_[static_cast<size_t>(k)] : nullptr;
}

QRadioButton* toptionsform::funcnamebutton(int i) const {
  return i >= 0 && i < 4 ? funcnames_[static_cast<size_t>(i)] : nullptr;
}

QLineEdit* toptionsform::letterfield(int p) const {
  return p >= 1 && p <= 5 ? letters_[at(p)] : nullptr;
}

std::string toptionsform::formatfromstep(const std::string& text) {
  const size_t mark = text.find_first_of(",.");
  if (mark == std::string::npos) return "%.0f";
  int zeros = 0;
  for (size_t i = mark + 1; i < text.size() && text[i] == '0'; ++i) ++zeros;
  // The format is kept to at most ten characters.
  return "%." + std::to_string(std::min(zeros + 1, 9)) + "f";
}

namespace {

// Only the number of decimals is taken from a format, never the format itself.
int formatdecimals(const std::string& format) {
  if (format.size() >= 4 && format.compare(0, 2, "%.") == 0 && format.back() == 'f')
    return std::clamp(std::atoi(format.c_str() + 2), 0, 9);
  return 2;
}

std::string fixed(float v, int decimals, char separator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(v));
  std::string s = buffer;
  std::replace(s.begin(), s.end(), '.', separator);
  return s;
}

}  // namespace

std::string toptionsform::formatvalue(float v, const std::string& format, char separator) {
  return fixed(v, formatdecimals(format), separator);
}

std::string toptionsform::formatstep(float v, const std::string& format, char separator) {
  // Enough decimals that the text reads back to the step within a part in
  // 10^5, or nine, the most a format holds.
  int decimals = formatdecimals(format);
  for (; decimals < 9; ++decimals) {
    const double shown = std::strtod(fixed(v, decimals, '.').c_str(), nullptr);
    if (std::fabs(shown - v) <= std::fabs(static_cast<double>(v)) * 1e-5) break;
  }
  return fixed(v, decimals, separator);
}

bool toptionsform::readnumber(QLineEdit* edit, float& out, bool report) {
  const std::string text = platform::tocp1252(edit->text());
  const std::optional<float> v = edittofloat(text, separator());
  if (v) {
    out = *v;
    return true;
  }
  if (report) {
    services_.messagebox(notanumbermessage(text), "", platform::msgkind::error,
                         platform::msgbuttons::ok);
    if (QWidget* page = edit->parentWidget(); page && pages_->indexOf(page) >= 0)
      pages_->setCurrentWidget(page);
    edit->setFocus();
  }
  return false;
}

std::string toptionsform::windowendtext(QLineEdit* edit, float value) const {
  // A text the field reads as 0 because it starts like no number would make
  // a file that is refused at the next start.
  const std::string text = platform::tocp1252(edit->text());
  std::string_view trimmed = text;
  while (!trimmed.empty() && static_cast<unsigned char>(trimmed.front()) <= ' ')
    trimmed.remove_prefix(1);
  while (!trimmed.empty() && static_cast<unsigned char>(trimmed.back()) <= ' ')
    trimmed.remove_suffix(1);
  float back = 0;
  if (codecs::parseinifloat(trimmed, back) && back == value) return text;
  return codecs::formatinifloat(value, separator());
}

void toptionsform::showEvent(QShowEvent* event) {
  // Filled at each opening, not at each activation: the fields keep what the
  // user typed while working in another window beside the dialog.
  if (!event->spontaneous()) formshow();
  QDialog::showEvent(event);
}

void toptionsform::formshow() {
  updating_ = true;
  letterschanged_ = false;
  tsettings& s = options_.settings;
  tparamconst& pc = s.params;
  oldletters_.assign(pc.names.begin(), pc.names.end());
  for (int p = 1; p <= 5; ++p) {
    const tboxsettings b = host_.boxsettings(p);
    pc.min[at(p)] = b.min;
    pc.max[at(p)] = b.max;
    pc.direction[at(p)] = b.direction;
    pc.interval[at(p)] = b.interval;
    pc.step[at(p)] = b.step;
  }
  minx_->setText(platform::tounicode(s.minx));
  maxx_->setText(platform::tounicode(s.maxx));
  miny_->setText(platform::tounicode(s.miny));
  maxy_->setText(platform::tounicode(s.maxy));
  gridstep_->setText(platform::tounicode(s.gridstep));
  intstep_->setText(platform::tounicode(s.intstep));
  grid_->setChecked(options_.showgrid);
  intgrid_->setChecked(options_.showticks);
  const std::array<int32_t, 7> indexes{s.background, s.foreground, s.grid,      s.active,
                                       s.passive,    s.frzactive,  s.frzpassive};
  for (size_t i = 0; i < colours_.size(); ++i)
    colours_[i]->setCurrentIndex(std::clamp(indexes[i], 0, 15));
  checks_[7]->setChecked(pc.alwaysround);
  funcnames_[static_cast<size_t>(std::clamp(pc.funcname, 0, 3))]->setChecked(true);

  for (int p = 1; p <= 5; ++p) checks_[at(p)]->setChecked(selected_[at(p)]);
  for (QLineEdit* e : {minpa_, maxpa_, steppa_, intpa_}) e->setEnabled(true);
  showparam(1);
  checks_[6]->setChecked(pc.direction[0] == 1);
  for (int p = 1; p <= 5; ++p)
    letters_[at(p)]->setText(QString(QChar::fromLatin1(oldletters_[at(p)])));
  updating_ = false;
}

void toptionsform::showparam(int p) {
  const tparamconst& pc = options_.settings.params;
  const std::string& f = pc.format[at(p)];
  const bool was = updating_;
  updating_ = true;
  minpa_->setText(platform::tounicode(formatvalue(pc.min[at(p)], f, separator())));
  maxpa_->setText(platform::tounicode(formatvalue(pc.max[at(p)], f, separator())));
  steppa_->setText(platform::tounicode(formatstep(pc.step[at(p)], f, separator())));
  intpa_->setText(platform::tounicode(formatvalue(pc.interval[at(p)], f, separator())));
  updating_ = was;
}

// Fields whose value is not the same for every selected parameter cannot be
// edited for all of them at once.
void toptionsform::markdifferent() {
  const tparamconst& pc = options_.settings.params;
  int first = 0;
  for (int p = 1; p <= 5 && first == 0; ++p)
    if (selected_[at(p)]) first = p;
  if (first == 0) return;
  for (int p = first + 1; p <= 5; ++p) {
    if (!selected_[at(p)]) continue;
    if (pc.min[at(p)] != pc.min[at(first)]) minpa_->setEnabled(false);
    if (pc.max[at(p)] != pc.max[at(first)]) maxpa_->setEnabled(false);
    if (pc.step[at(p)] != pc.step[at(first)]) steppa_->setEnabled(false);
    if (pc.interval[at(p)] != pc.interval[at(first)]) intpa_->setEnabled(false);
  }
}

void toptionsform::selectparam(int p, bool on) {
  if (updating_ || p < 1 || p > 5) return;
  updating_ = true;
  checks_[5]->setChecked(false);
  if (checks_[at(p)]->isChecked() != on) checks_[at(p)]->setChecked(on);
  selected_[at(p)] = on;
  for (QLineEdit* e : {minpa_, maxpa_, steppa_, intpa_}) e->setEnabled(true);
  for (int q = 1; q <= 5; ++q)
    if (selected_[at(q)]) {
      showparam(q);
      break;
    }
  markdifferent();
  updating_ = false;
}

void toptionsform::selectall(bool on) {
  if (updating_ || !on) return;
  updating_ = true;
  if (!checks_[5]->isChecked()) checks_[5]->setChecked(true);
  for (int p = 1; p <= 5; ++p) checks_[at(p)]->setChecked(true);
  for (QLineEdit* e : {minpa_, maxpa_, steppa_, intpa_}) e->setEnabled(true);
  selected_.fill(true);
  float mn = 0, mx = 0, st = 0, in = 0;
  // The fields go to every parameter only when all four are numbers.
  if (readnumber(minpa_, mn, true) && readnumber(maxpa_, mx, true) &&
      readnumber(steppa_, st, true) && readnumber(intpa_, in, true)) {
    tparamconst& pc = options_.settings.params;
    for (size_t i = 0; i < 5; ++i) {
      pc.min[i] = mn;
      pc.max[i] = mx;
      pc.step[i] = st;
      pc.interval[i] = in;
    }
  }
  updating_ = false;
}

void toptionsform::minmaxchanged() {
  if (updating_) return;
  float mn = 0, mx = 0;
  // Half-typed text such as "-" is not a number yet: nothing changes until it is.
  if (!readnumber(minpa_, mn, false) || !readnumber(maxpa_, mx, false)) return;
  tparamconst& pc = options_.settings.params;
  int last = 0;
  for (int p = 1; p <= 5; ++p)
    if (selected_[at(p)]) {
      pc.min[at(p)] = mn;
      pc.max[at(p)] = mx;
      last = p;
    }
  if (last == 0) return;
  const float r = std::fabs(mx - mn);
  const std::string& f = pc.format[at(last)];
  updating_ = true;
  steppa_->setText(platform::tounicode(formatstep(r / 200, f, separator())));
  intpa_->setText(platform::tounicode(formatvalue(r / 20, f, separator())));
  updating_ = false;
  intervalchanged();
}

void toptionsform::intervalchanged() {
  if (updating_) return;
  float v = 0;
  if (!readnumber(intpa_, v, false)) return;
  tparamconst& pc = options_.settings.params;
  for (int p = 1; p <= 5; ++p)
    if (selected_[at(p)]) pc.interval[at(p)] = v;
}

void toptionsform::directionclicked() {
  if (updating_) return;
  tparamconst& pc = options_.settings.params;
  for (int p = 1; p <= 5; ++p)
    if (selected_[at(p)]) pc.direction[at(p)] = checks_[6]->isChecked() ? 1 : -1;
}

bool toptionsform::letterleft(int p) {
  if (updating_ || p < 1 || p > 5) return false;
  const std::string text = platform::tocp1252(letters_[at(p)]->text());
  tparamconst& pc = options_.settings.params;
  bool ok = text.size() == 1 && text[0] != ' ';
  for (int q = 1; q <= 5 && ok; ++q)
    if (q != p && pc.names[at(q)] == text[0]) ok = false;
  if (!ok) {
    services_.messagebox(duplicatename, "", platform::msgkind::warning, platform::msgbuttons::ok);
    pages_->setCurrentIndex(3);
    letters_[at(p)]->setFocus();
    return false;
  }
  if (pc.names[at(p)] != text[0]) {
    pc.names[at(p)] = text[0];
    setparamletter(p, text[0]);
    letterschanged_ = true;
  }
  return true;
}

bool toptionsform::commit() {
  float x0 = 0, x1 = 0, y0 = 0, y1 = 0, g = 0, t = 0, st = 0;
  if (!readnumber(minx_, x0, true) || !readnumber(maxx_, x1, true) ||
      !readnumber(miny_, y0, true) || !readnumber(maxy_, y1, true) ||
      !readnumber(gridstep_, g, true) || !readnumber(intstep_, t, true) ||
      !readnumber(steppa_, st, true))
    return false;
  // A window end beyond the coordinate system's reach would be ignored by the
  // window and refused by the settings file at the next start.
  const std::array<std::pair<QLineEdit*, float>, 4> ends{
      {{minx_, x0}, {maxx_, x1}, {miny_, y0}, {maxy_, y1}}};
  for (const auto& [edit, v] : ends)
    if (std::fabs(v) > maxcoordinate) {
      services_.messagebox(badcoordinate, "", platform::msgkind::warning, platform::msgbuttons::ok);
      pages_->setCurrentIndex(0);
      edit->setFocus();
      return false;
    }
  // An empty or turned coordinate window cannot be drawn.
  if (!(x0 < x1) || !(y0 < y1)) {
    services_.messagebox(badrange, "", platform::msgkind::warning, platform::msgbuttons::ok);
    pages_->setCurrentIndex(0);
    (x0 < x1 ? miny_ : minx_)->setFocus();
    return false;
  }
  // A parameter box with no values between its ends, or a step that moves
  // nothing, would leave the spin buttons and the clamping without meaning.
  tparamconst& pc = options_.settings.params;
  for (int p = 1; p <= 5; ++p)
    if (selected_[at(p)] && !(pc.min[at(p)] < pc.max[at(p)])) {
      services_.messagebox(badrange, "", platform::msgkind::warning, platform::msgbuttons::ok);
      pages_->setCurrentIndex(2);
      minpa_->setFocus();
      return false;
    }
  if (!(st > 0)) {
    services_.messagebox(badstep, "", platform::msgkind::warning, platform::msgbuttons::ok);
    pages_->setCurrentIndex(2);
    steppa_->setFocus();
    return false;
  }
  tsettings& s = options_.settings;
  s.minx = windowendtext(minx_, x0);
  s.maxx = windowendtext(maxx_, x1);
  s.miny = windowendtext(miny_, y0);
  s.maxy = windowendtext(maxy_, y1);
  s.gridstep = platform::tocp1252(gridstep_->text());
  s.intstep = platform::tocp1252(intstep_->text());
  options_.showgrid = grid_->isChecked();
  options_.showticks = intgrid_->isChecked();
  s.background = colours_[0]->currentIndex();
  s.foreground = colours_[1]->currentIndex();
  s.grid = colours_[2]->currentIndex();
  s.active = colours_[3]->currentIndex();
  s.passive = colours_[4]->currentIndex();
  s.frzactive = colours_[5]->currentIndex();
  s.frzpassive = colours_[6]->currentIndex();
  pc.alwaysround = checks_[7]->isChecked();
  for (int i = 0; i < 4; ++i)
    if (funcnames_[static_cast<size_t>(i)]->isChecked()) pc.funcname = i;
  const std::string format = formatfromstep(platform::tocp1252(steppa_->text()));
  for (int p = 1; p <= 5; ++p) {
    if (!selected_[at(p)]) continue;
    pc.format[at(p)] = format;
    pc.step[at(p)] = st;
    pc.direction[at(p)] = checks_[6]->isChecked() ? 1 : -1;
  }
  return true;
}

bool toptionsform::okclick() {
  if (!commit()) return false;
  hide();
  host_.applywindow();
  if (letterschanged_) host_.letterschanged(oldletters_);
  host_.setfuncname(options_.funcname());
  const tparamconst& pc = options_.settings.params;
  for (int p = 1; p <= 5; ++p) {
    if (!selected_[at(p)]) continue;
    tboxsettings b;
    b.min = pc.min[at(p)];
    b.max = pc.max[at(p)];
    b.step = pc.step[at(p)];
    b.interval = pc.interval[at(p)];
    b.direction = pc.direction[at(p)];
    b.format = pc.format[at(p)];
    host_.setboxsettings(p, b);
  }
  host_.redrawwindow();
  letterschanged_ = false;
  return true;
}

void toptionsform::cancelclick() {
  // The record is taken again from the parameter boxes at the next showing; a
  // letter already accepted stays in force.
  hide();
}

bool toptionsform::saveclick() {
  if (!okclick()) return false;
  tinifile file(QString::fromStdString(options_.inipath()));
  const QString message = file.writing(options_.settings, separator());
  if (!message.isEmpty()) {
    services_.messagebox(platform::tocp1252(message), "", platform::msgkind::warning,
                         platform::msgbuttons::ok);
    return false;
  }
  return true;
}
