// The table of values as a pupil uses it: opened from the menu, start, end and
// step typed into its fields, values that follow a typed parameter, refused
// input, copied cells and a saved CSV that reads back to the same numbers.
#include <QAction>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <sstream>

#include "expr/parseexpr.h"
#include "graph/tvaluetable.h"
#include "guifixture.h"
#include "shell/tcommands.h"
#include "shell/tparamcolumn.h"

namespace {

class valuetabletest : public guitest {
 protected:
  tvaluetable& table() { return main->valuetable(); }
  void typeinto(QLineEdit& e, const char* text) {
    QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&e, Qt::Key_Backspace);
    QTest::keyClicks(&e, QString::fromUtf8(text));
    QTest::keyClick(&e, Qt::Key_Return);
  }
  void range(const char* from, const char* to, const char* step) {
    typeinto(table().fromedit(), from);
    typeinto(table().toedit(), to);
    typeinto(table().stepedit(), step);
  }
  std::string cell(int row, int column) { return table().model().celltext(row, column); }
  std::string heading(int column) {
    return table()
        .model()
        .headerData(column, Qt::Horizontal, Qt::DisplayRole)
        .toString()
        .toStdString();
  }
  tfigure* custom(const std::string& text) {
    main->customtext = text;
    main->customexpression = texpression{};
    parseexpr(main->customexpression, text);
    return active().creategraph(family::custom);
  }
};

TEST_F(valuetabletest, showstheselectedfigureandfollowsatypedvalue) {
  for (size_t k = 0; k < 5; ++k) func().boxes[k].showvalue(k == 0 ? 1.0f : 0.0f);
  main->runcommand("parabola2");  // x^2, selected
  main->commands().item("valuetable1")->trigger();
  ASSERT_TRUE(table().isVisible());
  // It starts over the window's whole numbers.
  EXPECT_EQ(table().fromedit().text(), "-10");
  EXPECT_EQ(table().toedit().text(), "10");
  EXPECT_EQ(table().model().rowCount(), 21);

  range("-1", "1", "0,5");
  ASSERT_EQ(table().model().rowCount(), 5);
  ASSERT_EQ(table().model().columnCount(), 2);
  EXPECT_EQ(heading(0), "x");
  EXPECT_NE(heading(1).find("x^2"), std::string::npos) << heading(1);
  EXPECT_EQ(cell(1, 0), "-0,5");
  EXPECT_EQ(cell(1, 1), "0,25");
  EXPECT_EQ(cell(2, 0), "0");

  // a = 2 typed into the first box: the table shows the new values.
  QLineEdit& a = func().column(1).edit();
  QTest::keyClick(&a, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&a, "2");
  QTest::keyClick(&a, Qt::Key_Return);
  EXPECT_EQ(cell(1, 1), "0,50");
  EXPECT_EQ(cell(4, 1), "2,00");
}

TEST_F(valuetabletest, allfiguresofthewindowwhennoneisselectedandundefinedvalues) {
  main->runcommand("line1");
  custom("ln(x)");
  active().clearselection();
  main->commands().item("valuetable1")->trigger();
  range("-1", "1", "1");
  ASSERT_EQ(table().model().columnCount(), 3);
  EXPECT_EQ(cell(0, 2), "udefinert");
  EXPECT_EQ(cell(1, 2), "udefinert");
  EXPECT_EQ(cell(2, 2), "0,00");
}

TEST_F(valuetabletest, inputthatmakesnotableisrefusedandthetablestays) {
  main->runcommand("line1");
  main->commands().item("valuetable1")->trigger();
  range("0", "2", "1");
  ASSERT_EQ(table().model().rowCount(), 3);
  struct row {
    const char* from;
    const char* to;
    const char* step;
    std::string message;
  };
  const std::vector<row> rows = {
      {"0", "2", "abc", "'abc' er ikke et gyldig tall."},
      {"0", "2", "", "'' er ikke et gyldig tall."},
      {"0", "2", "0", valuetabletext::steptoosmall},
      {"0", "2", "-1", valuetabletext::steptoosmall},
      {"2", "0", "1", valuetabletext::backwards},
      {"0", "1", "0,00001", valuetabletext::toomanyrows},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.message);
    table().fromedit().setText(QString::fromUtf8(r.from));
    table().toedit().setText(QString::fromUtf8(r.to));
    services.messages.clear();
    typeinto(table().stepedit(), r.step);
    ASSERT_FALSE(services.messages.empty());
    EXPECT_EQ(services.messages.back().text, r.message);
    EXPECT_EQ(table().model().rowCount(), 3);
  }
}

TEST_F(valuetabletest, ctrlccopiestheselectedcellsastabs) {
  main->runcommand("line1");  // x + 1 with the start-up boxes
  tfigure& line = *func().figures.back();
  main->commands().item("valuetable1")->trigger();
  range("0", "2", "1");
  QTableView& view = table().view();
  view.selectionModel()->select(
      QItemSelection(table().model().index(0, 0), table().model().index(1, 1)),
      QItemSelectionModel::Select);
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  char expected[64];
  std::snprintf(expected, sizeof expected, "0\t%.2f\n1\t%.2f\n", line.value(0), line.value(1));
  std::string want = expected;
  for (char& c : want)
    if (c == '.') c = ',';
  EXPECT_EQ(services.clipboardtext, want);
}

TEST_F(valuetabletest, savedcsvreadsbacktothesamenumbersinbothlocales) {
  for (const char separator : {',', '.'}) {
    SCOPED_TRACE(separator);
    services.separator = separator;
    main->runcommand("sin1");
    tfigure& sine = *func().figures.back();
    main->commands().item("valuetable1")->trigger();
    table().fromedit().setText(separator == ',' ? "-1,5" : "-1.5");
    table().toedit().setText("3");
    typeinto(table().stepedit(), separator == ',' ? "0,75" : "0.75");
    QTemporaryDir dir;
    const std::string name = dir.filePath("tabell.csv").toStdString();
    services.fileanswers.push_back({true, name, 1});
    for (QPushButton* b : table().findChildren<QPushButton*>())
      if (b->text().startsWith("Lagre")) b->click();
    QFile f(QString::fromStdString(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    std::istringstream in(f.readAll().toStdString());
    std::string line;
    std::getline(in, line);
    const char field = separator == ',' ? ';' : ',';
    EXPECT_EQ(line.substr(0, 2), std::string("x") + field);
    int rows = 0;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const size_t at = line.find(field);
      ASSERT_NE(at, std::string::npos) << line;
      std::string xs = line.substr(0, at), ys = line.substr(at + 1);
      for (std::string* s : {&xs, &ys})
        for (char& c : *s)
          if (c == ',') c = '.';
      const double x = std::stod(xs), y = std::stod(ys);
      EXPECT_EQ(x, -1.5 + 0.75 * rows);
      EXPECT_EQ(y, sine.value(x));
      ++rows;
    }
    EXPECT_EQ(rows, 7);
    table().close();
  }
}

}  // namespace
