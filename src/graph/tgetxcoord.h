// The tangent's x dialog ("Oppgi koordinater"), opened by the space key with
// the tangent tool. Made once at start-up and reused; the box keeps its text
// between uses. The caller checks that the point is inside the view.
#pragma once

#include <QDialog>

#include "platform/services.h"

class QLineEdit;
class QPushButton;

class tgetxcoord : public QDialog {
  Q_OBJECT

 public:
  static constexpr int helpcontext = 43;

  tgetxcoord(platform::services& services, QWidget* parent);

  double x = 0;

  // Shown: the box gets the focus.
  void formshow();
  // OK: true when the text was a number and the dialog closed.
  bool bitbtn1click();
  // Modal; true on OK with the typed x.
  bool ask(double& typed);

  QLineEdit* edit1() const { return edit1_; }
  QPushButton* okbutton() const { return ok_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  platform::services& services_;
  QLineEdit* edit1_ = nullptr;
  QPushButton* ok_ = nullptr;
};
