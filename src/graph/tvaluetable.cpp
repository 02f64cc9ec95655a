#include "graph/tvaluetable.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "figures/editnumbers.h"
#include "figures/numbers.h"
#include "figures/curvepoints.h"
#include "figures/tfigure.h"
#include "platform/qt/cp1252.h"

namespace {

// x as the decimal number it is, with the program's separator.
std::string xtext(double x, char separator) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", x + 0.0);
  std::string s = buf;
  for (char& c : s)
    if (c == '.') c = separator;
  return s;
}

// A CSV field: quoted when it holds the separator, a quote or a line break.
std::string csvfield(const std::string& text, char separator) {
  if (text.find_first_of(std::string("\"\r\n") + separator) == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace

// --- the model

void tvaluemodel::refresh() {
  std::vector<tfigure*> figures = host_.tablefigures();
  std::vector<std::string> headings;
  for (tfigure* f : figures) headings.push_back(host_.tableheading(*f));
  const bool samecolumns = figures == figures_ && rows_ == xs.size();
  // The same columns and rows only change their values: the view keeps its
  // selection and scroll position, even while a curve is dragged.
  if (!samecolumns) beginResetModel();
  figures_ = std::move(figures);
  headings_ = std::move(headings);
  format_ = host_.tableformat();
  separator_ = host_.services().decimalseparator();
  rows_ = xs.size();
  if (!samecolumns) {
    endResetModel();
    return;
  }
  if (rows_ > 0)
    emit dataChanged(index(0, 0), index(static_cast<int>(rows_) - 1, columnCount() - 1));
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

std::string tvaluemodel::celltext(int row, int column) const {
  if (row < 0 || static_cast<size_t>(row) >= xs.size()) return {};
  const double x = xs[static_cast<size_t>(row)];
  if (column == 0) return xtext(x, separator_);
  if (column < 1 || static_cast<size_t>(column) > figures_.size()) return {};
  const double y = figures_[static_cast<size_t>(column - 1)]->value(x);
  if (!std::isfinite(y)) return valuetabletext::undefined;
  return fixedtext(y, format_, separator_);
}

int tvaluemodel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(xs.size());
}

int tvaluemodel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 1 + static_cast<int>(figures_.size());
}

QVariant tvaluemodel::data(const QModelIndex& index, int role) const {
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  return platform::tounicode(celltext(index.row(), index.column()));
}

QVariant tvaluemodel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section == 0) return QStringLiteral("x");
  if (section < 1 || static_cast<size_t>(section) > headings_.size()) return {};
  return platform::tounicode(headings_[static_cast<size_t>(section - 1)]);
}

// --- the window

tvaluetable::tvaluetable(tvaluetablehost& host, QWidget* parent)
    : QDialog(parent), host_(host), model_(host) {
  setWindowTitle(platform::tounicode(valuetabletext::caption));
  setModal(false);
  setProperty("helpcontext", helpcontext);
  auto* grid = new QGridLayout(this);
  const char* labels[3] = {"&Fra:", "&Til:", "&Steg:"};
  QLineEdit** edits[3] = {&from_, &to_, &step_};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QString::fromUtf8(labels[i]), this);
    *edits[i] = new QLineEdit(this);
    (*edits[i])->setMaxLength(24);
    label->setBuddy(*edits[i]);
    grid->addWidget(label, 0, 2 * i);
    grid->addWidget(*edits[i], 0, 2 * i + 1);
    connect(*edits[i], &QLineEdit::returnPressed, this, [this] { apply(); });
  }
  view_ = new QTableView(this);
  view_->setModel(&model_);
  view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->installEventFilter(this);
  grid->addWidget(view_, 1, 0, 1, 6);
  save_ = new QPushButton(QString::fromUtf8("Lagre &som..."), this);
  save_->setAutoDefault(false);
  auto* close = new QPushButton(QStringLiteral("Lukk"), this);
  close->setAutoDefault(false);
  grid->addWidget(save_, 2, 4);
  grid->addWidget(close, 2, 5);
  connect(save_, &QPushButton::clicked, this, [this] { saveas(); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  resize(480, 420);
}

void tvaluetable::startwith(double minx, double maxx) {
  const double from = std::ceil(minx);
  const double to = std::floor(maxx);
  const char sep = host_.services().decimalseparator();
  from_->setText(platform::tounicode(xtext(from, sep)));
  to_->setText(platform::tounicode(xtext(std::max(from, to), sep)));
  step_->setText(QStringLiteral("1"));
  apply();
}

bool tvaluetable::readnumber(QLineEdit& edit, double& value) {
  const std::string text = platform::tocp1252(edit.text());
  const char sep = host_.services().decimalseparator();
  // The same texts the point dialogs take, read in double precision so that
  // 0.1 is the decimal 0.1 and not the float nearest to it.
  if (!typedfloat(text, sep)) {
    host_.services().messagebox(notanumbermessage(text), "", platform::msgkind::error,
                                platform::msgbuttons::ok);
    edit.setFocus();
    edit.selectAll();
    return false;
  }
  std::string c = text;
  for (char& ch : c)
    if (ch == ',' || ch == sep) ch = '.';
  value = std::strtod(c.c_str(), nullptr);
  return true;
}

bool tvaluetable::apply() {
  double from = 0, to = 0, step = 0;
  if (!readnumber(*from_, from) || !readnumber(*to_, to) || !readnumber(*step_, step)) return false;
  const std::string* refusal = nullptr;
  if (!(step > 0))
    refusal = &valuetabletext::steptoosmall;
  else if (to < from)
    refusal = &valuetabletext::backwards;
  else if (tablerows(from, to, step) > maxtablerows)
    refusal = &valuetabletext::toomanyrows;
  if (refusal) {
    host_.services().messagebox(*refusal, "", platform::msgkind::error, platform::msgbuttons::ok);
    return false;
  }
  model_.xs = tablexs(from, to, step);
  model_.refresh();
  return true;
}

void tvaluetable::refresh() {
  model_.refresh();
}

std::string tvaluetable::selectedtext() const {
  // Rows and columns of the selection in order; cells not selected stay empty.
  std::map<int, std::map<int, std::string>> cells;
  int first = INT32_MAX, last = -1;
  for (const QModelIndex& i : view_->selectionModel()->selectedIndexes()) {
    cells[i.row()][i.column()] = model_.celltext(i.row(), i.column());
    first = std::min(first, i.column());
    last = std::max(last, i.column());
  }
  std::string out;
  for (const auto& [row, columns] : cells) {
    (void)row;
    for (int c = first; c <= last; ++c) {
      if (c > first) out += '\t';
      const auto it = columns.find(c);
      if (it != columns.end()) out += it->second;
    }
    out += '\n';
  }
  return out;
}

std::string tvaluetable::csv() const {
  const bool comma = host_.services().decimalseparator() == ',';
  const char sep = comma ? ';' : ',';
  const char dec = comma ? ',' : '.';
  std::string out = "x";
  for (tfigure* f : model_.figures()) out += sep + csvfield(host_.tableheading(*f), sep);
  out += "\r\n";
  for (const double x : model_.xs) {
    out += xtext(x, dec);
    for (tfigure* f : model_.figures()) {
      out += sep;
      const double y = f->value(x);
      if (!std::isfinite(y)) {
        out += valuetabletext::undefined;
        continue;
      }
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.17g", y + 0.0);
      for (char* p = buf; *p; ++p)
        if (*p == '.') *p = dec;
      out += buf;
    }
    out += "\r\n";
  }
  return out;
}

bool tvaluetable::saveas() {
  platform::filedialog d;
  d.title = "Lagre verditabell";
  d.filter = "Tabell (CSV)|*.csv";
  d.defaultext = "csv";
  d.overwriteprompt = true;
  d.helpcontext = helpcontext;
  if (!host_.services().savefile(d)) return false;
  QSaveFile file(platform::tounicode(d.filename));
  const QByteArray text = platform::tounicode(csv()).toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    host_.services().messagebox(
        "Kan ikke lagre fila " + d.filename + ".\r" + platform::tocp1252(file.errorString()), "",
        platform::msgkind::error, platform::msgbuttons::ok);
    return false;
  }
  return true;
}

bool tvaluetable::eventFilter(QObject* watched, QEvent* event) {
  const auto copy = [](const QKeyEvent& k) {
    return k.matches(QKeySequence::Copy) ||
           (k.key() == Qt::Key_C && (k.modifiers() & Qt::ControlModifier));
  };
  if (watched != view_) return QDialog::eventFilter(watched, event);
  // The frame's "K&opier" shares Ctrl+C with this window: claim the key first.
  if (event->type() == QEvent::ShortcutOverride && copy(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  if (event->type() == QEvent::KeyPress && copy(*static_cast<QKeyEvent*>(event))) {
    host_.services().copytexttoclipboard(selectedtext());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
