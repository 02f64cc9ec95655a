// "Interpolasjon": up to five points and a degree 1..4; on OK a line,
// parabola or polynomial of that degree is made in the active graph window and
// fitted through the points by the figure's own fix-point machinery. The
// points appear one by one as they are completed, and the degrees that the
// points already rule out are hidden.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <vector>

#include "figures/tcoords.h"
#include "platform/services.h"

class tfigure;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The rest of the program as the dialog sees it.
class tpolyhost {
 public:
  virtual ~tpolyhost() = default;
  // A new figure of the family in the active graph window, joined to the
  // function panel; nullptr when there is no graph window.
  virtual tfigure* creategraph(int family) = 0;
  virtual void resetvisi(tfigure& figure) = 0;
  // Switches the main window's tool (select, fix point, rotate).
  virtual void settool(int code) = 0;
  virtual void redraw() = 0;
};

class tpolyform : public QDialog {
 public:
  static constexpr int helpcontext = 33;
  static constexpr const char* samex = "Kan ikke ha to punkter med samme x.";

  tpolyform(platform::services& services, tpolyhost& host, QWidget* parent = nullptr);
  ~tpolyform() override;

  // --- handlers (the widgets call them; tests call them directly)
  void formshow();
  // Field 1..10 (odd: x, even: y; point = (field + 1) / 2) edited.
  void fieldchanged(int field);
  // Field left; false when its text was refused and it keeps the focus.
  bool fieldleft(int field);
  void degreeclick(int degree);
  // Creates and fits the figure; false when nothing was made.
  bool okclick();

  // The family of a degree: 1 line, 2 parabola, 3 and 4 the polynomials.
  static int familyofdegree(int degree);
  // Makes the figure of the degree through the points (at least one) in the
  // host's window and leaves the tool that suits it.
  static tfigure* fit(tpolyhost& host, int degree, const std::vector<worldpoint>& points);

  // --- state, for the tests
  int next() const { return next_; }
  QLineEdit* edit(int field) const;
  QGroupBox* pointgroup(int point) const;
  QGroupBox* degreegroup() const { return degrees_; }
  QRadioButton* degreebutton(int degree) const;
  QPushButton* okbutton() const { return ok_; }
  tfigure* created() const { return created_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build();
  int checkeddegree() const;
  void uncheckdegrees();
  bool read(int field, float& out, bool report);

  platform::services& services_;
  tpolyhost& host_;
  int next_ = 1;
  bool leaving_ = false;
  std::array<double, 6> x_{};
  std::array<double, 6> y_{};
  std::array<QGroupBox*, 5> points_{};
  std::array<QLineEdit*, 10> edits_{};
  QGroupBox* degrees_ = nullptr;
  std::array<QRadioButton*, 4> degreebuttons_{};
  QPushButton* cancel_ = nullptr;
  QPushButton* ok_ = nullptr;
  tfigure* created_ = nullptr;
};
