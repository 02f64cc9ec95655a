// The table of values: a window beside the graph windows with x from a start
// to an end in steps, and one column per figure (the selected figures of the
// active window, all of them when none is selected). The values are worked
// out as the table is drawn, so it follows every change of the figures; the
// cells copy as tab-separated text and the whole table saves as CSV.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <string>
#include <vector>

#include "platform/services.h"

class tfigure;
class QLineEdit;
class QTableView;
class QPushButton;

// What the table asks of the rest of the program.
class tvaluetablehost {
 public:
  virtual ~tvaluetablehost() = default;
  // The figures to show, in panel order; empty without a window.
  virtual std::vector<tfigure*> tablefigures() = 0;
  // The heading of a figure's column: its formula as plain text.
  virtual std::string tableheading(tfigure& figure) = 0;
  // The format values are shown with, as the parameter boxes show theirs.
  virtual std::string tableformat() = 0;
  virtual platform::services& services() = 0;
};

namespace valuetabletext {
inline const std::string caption = "Verditabell";
inline const std::string undefined = "udefinert";
inline const std::string steptoosmall = "Steget m\xE5 v\xE6re st\xF8rre enn 0.";
inline const std::string backwards = "Til-verdien kan ikke v\xE6re mindre enn fra-verdien.";
inline const std::string toomanyrows = "Tabellen kan ha h\xF8yst 10000 rader.";
}  // namespace valuetabletext

class tvaluemodel : public QAbstractTableModel {
 public:
  explicit tvaluemodel(tvaluetablehost& host) : host_(host) {}

  std::vector<double> xs;

  // Takes the figures, headings and format anew.
  void refresh();
  const std::vector<tfigure*>& figures() const { return figures_; }
  // The text of a cell as shown: x with the digits it needs, values in the
  // boxes' format, "udefinert" where a figure has no value.
  std::string celltext(int row, int column) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  tvaluetablehost& host_;
  std::vector<tfigure*> figures_;
  std::vector<std::string> headings_;
  std::size_t rows_ = 0;  // the rows the view knows of
  std::string format_ = "%.2f";
  char separator_ = '.';
};

class tvaluetable : public QDialog {
 public:
  static constexpr int helpcontext = 73;

  tvaluetable(tvaluetablehost& host, QWidget* parent = nullptr);

  QLineEdit& fromedit() { return *from_; }
  QLineEdit& toedit() { return *to_; }
  QLineEdit& stepedit() { return *step_; }
  QTableView& view() { return *view_; }
  tvaluemodel& model() { return model_; }

  // Starts the table over the view's x range, whole numbers in steps of 1.
  void startwith(double minx, double maxx);
  // Reads start, end and step; a text that is no number or a table that
  // cannot be made is refused with a message and the table stays as it was.
  bool apply();
  // The figures or their values changed.
  void refresh();
  // The selected cells as rows of tab-separated text, as shown.
  std::string selectedtext() const;
  // The whole table as CSV: ";" and "," in a comma locale, "," and "."
  // otherwise; values in full precision.
  std::string csv() const;
  // "Lagre som...": asks for a name and writes the CSV through a temporary file.
  bool saveas();

 protected:
  // Ctrl+C in the table copies the selected cells, not only the current one.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool readnumber(QLineEdit& edit, double& value);

  tvaluetablehost& host_;
  tvaluemodel model_;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QLineEdit* step_ = nullptr;
  QTableView* view_ = nullptr;
  QPushButton* save_ = nullptr;
};
