#include "dialogs/tpolyform.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "figures/editnumbers.h"
#include "figures/tcoordshost.h"
#include "figures/tfigure.h"
#include "platform/qt/cp1252.h"

namespace {

const std::array<const char*, 4> degreenames{"Første", "Andre", "Tredje", "Fjerde"};

size_t at(int k) {
  return static_cast<size_t>(k - 1);
}

}  // namespace

tpolyform::tpolyform(platform::services& services, tpolyhost& host, QWidget* parent)
    : QDialog(parent), services_(services), host_(host) {
  setWindowTitle(QStringLiteral("Interpolasjon"));
  setObjectName("tpolyform");
  setProperty("helpcontext", helpcontext);
  setModal(true);
  build();
  formshow();
}

tpolyform::~tpolyform() = default;

void tpolyform::build() {
  auto* top = new QVBoxLayout(this);
  top->addWidget(
      new QLabel(QStringLiteral("Oppgi interpolasjonspunkter og polynomets grad."), this));
  auto* pointsrow = new QHBoxLayout();
  for (int k = 1; k <= 5; ++k) {
    auto* g = new QGroupBox(QStringLiteral("Punkt %1").arg(k), this);
    auto* gl = new QGridLayout(g);
    for (int j = 0; j < 2; ++j) {
      const int field = 2 * k - 1 + j;
      auto* e = new QLineEdit(g);
      e->setObjectName(QStringLiteral("Edit%1").arg(field));
      e->setMaxLength(20);
      gl->addWidget(new QLabel(j == 0 ? QStringLiteral("x =") : QStringLiteral("y ="), g), j, 0);
      gl->addWidget(e, j, 1);
      edits_[at(field)] = e;
      e->installEventFilter(this);
      connect(e, &QLineEdit::textEdited, this, [this, field] { fieldchanged(field); });
    }
    points_[at(k)] = g;
    pointsrow->addWidget(g);
  }
  top->addLayout(pointsrow);

  degrees_ = new QGroupBox(QStringLiteral("Grad"), this);
  auto* dl = new QHBoxLayout(degrees_);
  for (int d = 1; d <= 4; ++d) {
    auto* b = new QRadioButton(QString::fromUtf8(degreenames[at(d)]), degrees_);
    b->setObjectName(QStringLiteral("RadioButton%1").arg(d));
    degreebuttons_[at(d)] = b;
    dl->addWidget(b);
    connect(b, &QRadioButton::clicked, this, [this, d] { degreeclick(d); });
  }
  top->addWidget(degrees_);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  ok_ = new QPushButton(QStringLiteral("&OK"), this);
  ok_->setObjectName("OkButt");
  cancel_ = new QPushButton(QStringLiteral("Avbryt"), this);
  cancel_->setObjectName("BitBtn1");
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  top->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, [this] { okclick(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* tpolyform::edit(int field) const {
  return field >= 1 && field <= 10 ? edits_[at(field)] : nullptr;
}

QGroupBox* tpolyform::pointgroup(int point) const {
  return point >= 1 && point <= 5 ? points_[at(point)] : nullptr;
}

QRadioButton* tpolyform::degreebutton(int degree) const {
  return degree >= 1 && degree <= 4 ? degreebuttons_[at(degree)] : nullptr;
}

int tpolyform::familyofdegree(int degree) {
  switch (degree) {
    case 2:
      return family::parabola;
    case 3:
      return family::cubic;
    case 4:
      return family::quartic;
    default:
      return family::line;
  }
}

void tpolyform::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) formshow();
  QDialog::showEvent(event);
}

bool tpolyform::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut)
    for (int f = 1; f <= 10; ++f)
      if (watched == edits_[at(f)]) fieldleft(f);
  return QDialog::eventFilter(watched, event);
}

int tpolyform::checkeddegree() const {
  for (int d = 1; d <= 4; ++d)
    if (degreebuttons_[at(d)]->isChecked()) return d;
  return 0;
}

void tpolyform::uncheckdegrees() {
  for (QRadioButton* b : degreebuttons_) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
}

void tpolyform::formshow() {
  ok_->setEnabled(false);
  degrees_->setEnabled(false);
  for (QRadioButton* b : degreebuttons_) b->setVisible(true);
  uncheckdegrees();
  leaving_ = true;  // clearing the fields is not the user leaving them
  for (QLineEdit* e : edits_) e->clear();
  leaving_ = false;
  for (int k = 2; k <= 5; ++k) points_[at(k)]->setVisible(false);
  points_[0]->setVisible(true);
  x_.fill(0);
  y_.fill(0);
  created_ = nullptr;
  next_ = 1;
  edits_[0]->setFocus();
}

void tpolyform::fieldchanged(int field) {
  if (field < 1 || field > 10) return;
  const int k = (field + 1) / 2;
  if (k != next_) return;
  if (edits_[at(2 * k - 1)]->text().isEmpty() || edits_[at(2 * k)]->text().isEmpty()) return;
  if (k < 5) points_[at(k + 1)]->setVisible(true);
  degrees_->setEnabled(true);
  if (k >= 3) {
    QRadioButton* gone = degreebuttons_[at(k - 2)];
    // A degree the points rule out cannot stay chosen while hidden.
    if (gone->isChecked()) {
      uncheckdegrees();
      ok_->setEnabled(false);
    }
    gone->setVisible(false);
  }
  next_ = k + 1;
}

bool tpolyform::read(int field, float& out, bool report) {
  QLineEdit* e = edits_[at(field)];
  const std::string text = platform::tocp1252(e->text());
  const std::optional<float> v = edittofloat(text, services_.decimalseparator());
  if (v && std::isfinite(*v)) {
    out = *v;
    return true;
  }
  if (report) {
    services_.messagebox(notanumbermessage(text), "", platform::msgkind::error,
                         platform::msgbuttons::ok);
    e->setFocus();
  }
  return false;
}

bool tpolyform::fieldleft(int field) {
  if (leaving_ || field < 1 || field > 10) return true;
  QLineEdit* e = edits_[at(field)];
  const int k = (field + 1) / 2;
  // Passing through a point not begun yet (on the way to a degree button)
  // leaves it empty: a "0" there could clash with a typed x.
  QLineEdit* partner = edits_[at(field % 2 == 1 ? field + 1 : field - 1)];
  if (e->text().isEmpty() && partner->text().isEmpty()) return true;
  leaving_ = true;
  if (e->text().isEmpty()) e->setText(QStringLiteral("0"));
  float v = 0;
  bool ok = read(field, v, true);
  if (ok && field % 2 == 1) {
    // Only points with an x typed count; a later point still empty has none.
    for (int j = 1; j <= std::min(next_, 5) && ok; ++j) {
      float other = 0;
      if (j != k && !edits_[at(2 * j - 1)]->text().isEmpty() && read(2 * j - 1, other, false) &&
          other == v) {
        services_.messagebox(samex, "", platform::msgkind::warning, platform::msgbuttons::ok);
        e->setFocus();
        ok = false;
      }
    }
    if (ok) x_[static_cast<size_t>(k)] = v;
  } else if (ok) {
    y_[static_cast<size_t>(k)] = v;
  }
  if (field != 1 && checkeddegree() != 0) ok_->setEnabled(true);
  leaving_ = false;
  return ok;
}

void tpolyform::degreeclick(int /*degree*/) {
  if (!edits_[0]->text().isEmpty() && !edits_[1]->text().isEmpty()) ok_->setEnabled(true);
}

bool tpolyform::okclick() {
  const int d = checkeddegree() == 0 ? 1 : checkeddegree();
  std::vector<worldpoint> points;
  for (int i = 1; i < next_; ++i) {
    float x = 0, y = 0;
    if (!read(2 * i - 1, x, true) || !read(2 * i, y, true)) return false;
    // A point typed over after it was checked is checked again here: equal x
    // values would make the fit meaningless.
    for (const worldpoint& p : points)
      if (p.x == static_cast<double>(x)) {
        services_.messagebox(samex, "", platform::msgkind::warning, platform::msgbuttons::ok);
        edits_[at(2 * i - 1)]->setFocus();
        return false;
      }
    points.push_back({static_cast<double>(x), static_cast<double>(y)});
    x_[static_cast<size_t>(i)] = x;
    y_[static_cast<size_t>(i)] = y;
  }
  if (points.empty()) return false;
  created_ = fit(host_, d, points);
  next_ = 1;
  accept();
  return created_ != nullptr;
}

tfigure* tpolyform::fit(tpolyhost& host, int degree, const std::vector<worldpoint>& points) {
  const int n = static_cast<int>(std::min<size_t>(points.size(), 5));
  if (n < 1) return nullptr;
  tfigure* f = host.creategraph(familyofdegree(degree));
  if (f == nullptr) return nullptr;
  const double x1 = points[0].x;
  const double y1 = points[0].y;
  const double xn = points[static_cast<size_t>(n - 1)].x;
  const double yn = points[static_cast<size_t>(n - 1)].y;

  // Fastened on the points; the last one is where the curve is pulled to.
  f->fixcount = degree == 1 && n == 1 ? n : n - 1;
  f->fixmode = true;
  f->snapped = true;
  for (int i = 1; i <= n; ++i) {
    f->fixx[static_cast<size_t>(i)] = points[static_cast<size_t>(i - 1)].x;
    f->fixy[static_cast<size_t>(i)] = points[static_cast<size_t>(i - 1)].y;
  }
  for (int k = 1; k <= std::min(f->paramcount, 5); ++k) {
    f->param[static_cast<size_t>(k)] = 0;
    f->firstsamples[at(k)] = {0.01 * k * x1, 0.01 * k * y1};
  }
  if (f->paramcount >= 1 && f->paramcount <= 5) f->param[static_cast<size_t>(f->paramcount)] = y1;

  if (degree == 1 && n == 1)
    f->dragto(0, 0);
  else
    f->dragto(xn, yn);

  f->fixcount = n;
  host.resetvisi(*f);
  if (n == f->paramcount) {
    // The points decide the curve: it can only be held, not turned.
    host.settool(toolcode::fixpoint);
    f->fixcount = f->paramcount;
    f->fixx[static_cast<size_t>(n)] = xn;
    f->fixy[static_cast<size_t>(n)] = yn;
  } else {
    host.settool(toolcode::rotate);
  }
  f->fixmode = true;
  if (f->fixcount > f->maxfix) {
    f->frozen = true;
    host.settool(toolcode::select);
  }
  host.redraw();
  return f;
}
