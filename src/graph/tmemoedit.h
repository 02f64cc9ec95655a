// The graph window's label memo (memo2): a multi-line edit box laid over the
// drawing while a text label is edited. It reports entering, leaving and keys
// to the label steps, which decide what they mean.
#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <vector>

#include "graph/tlabeltool.h"

class tmemoedit : public QPlainTextEdit, public tlabelmemo {
 public:
  explicit tmemoedit(QWidget* parent);

  // The memo got the focus, or lost it inside its window (switching to
  // another top-level window, such as the font window, keeps it).
  std::function<void()> entered;
  std::function<void()> exited;
  // A key; true when it was used and the memo must not handle it.
  std::function<bool(int key, bool ctrl)> keydown;
  // Text the label cannot hold was typed (and left out) or pasted (and
  // replaced); the message says which.
  std::function<void(const QString& message)> refused;

  // Labels are stored as single-byte text: what the memo will not take.
  static QString typedrefusal(const QString& typed);
  static QString pastedreplacement();

  // The QFont that draws a label font as the drawing surface draws it.
  static QFont qfontof(const platform::font& f);

  // --- tlabelmemo
  platform::rect bounds() const override;
  void setbounds(const platform::rect& r) override;
  // The lines as the memo shows them: a paragraph that the memo wraps gives
  // one line per row, so that the label draws what was seen.
  std::vector<std::string> lines() const override;
  void setlines(const std::vector<std::string>& lines) override;
  platform::font font() const override { return font_; }
  void setfont(const platform::font& f) override;
  bool visible() const override { return !isHidden(); }
  void setvisible(bool on) override { setVisible(on); }
  void setfocus() override { setFocus(Qt::OtherFocusReason); }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

  // The window's standard 8-point sans-serif, which a memo starts with.
  static platform::font startfont() {
    return {"DejaVu Sans", 8, platform::black, false, false, false};
  }

 private:
  platform::font font_ = startfont();
};
