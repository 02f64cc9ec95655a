// The "Egendefinert funksjon" dialog: the user types a formula in x, may
// insert built-in function names with the buttons, and OK checks the syntax.
// A faulty formula stays in the dialog with its faulty characters in red; a
// good one closes the dialog, and the caller takes the parsed expression.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "expr/tnode.h"

class QLabel;
class QLineEdit;
class QPushButton;
class tformulaview;

class tsynt : public QDialog {
 public:
  static constexpr int helpcontext = 28;
  static constexpr size_t maxformula = 80;
  static constexpr int buttoncount = 18;

  // status writes the main window's status line (its hint panel).
  explicit tsynt(QWidget* parent, std::function<void(const std::string&)> status = {});
  ~tsynt() override;

  // Hands in the expression that a check fills; the dialog owns it until the
  // caller takes it back after OK.
  void setexpression(std::unique_ptr<texpression> expression);
  std::unique_ptr<texpression> takeexpression();
  bool hasexpression() const { return expression_ != nullptr; }
  // The accepted formula text (at most 80 characters).
  const std::string& formulatext() const { return formulatext_; }

  // --- handlers (the widgets only call these)
  // Before showing: Label1 takes the function-name prefix.
  void formshow(const std::string& prefix);
  // Function button n (1..18) inserts its name and "()" at the caret.
  void functionclick(int n);
  void edit1enter();
  // Checks the formula; closes the dialog with OK when it is good.
  void okclick();
  void cancelclick();
  void paintbox1click();

  // --- what the handlers show
  std::string edittext() const;
  void setedittext(const std::string& text);
  int caret() const;
  void setcaret(int position);
  std::string label1text() const;
  std::string label2text() const;
  bool okenabled() const;
  bool errorshown() const;  // PaintBox1 shown instead of Edit1
  // The markup the error view draws (80 characters; empty without error).
  const std::string& errormarkup() const { return errormarkup_; }
  tformulaview& paintbox1() { return *paintbox1_; }
  QLineEdit& edit1() { return *edit1_; }
  QPushButton& button(int n) { return *buttons_[static_cast<size_t>(n - 1)]; }

  // The caption of function button n (1..18).
  static std::string buttoncaption(int n);
  // The error view's markup for a formula and its error marker: "\f" before
  // every faulty character, "\n" before every other, cut or padded with
  // blanks to 80 characters.
  static std::string errortext(const std::string& text, const std::string& errmark);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void showerror(bool on);

  std::function<void(const std::string&)> status_;
  std::unique_ptr<texpression> expression_;
  std::string formulatext_;
  std::string errormarkup_;
  bool checking_ = false;  // re-entry guard of the check

  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  tformulaview* paintbox1_ = nullptr;
  std::array<QPushButton*, buttoncount> buttons_{};
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
