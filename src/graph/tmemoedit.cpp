#include "graph/tmemoedit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "platform/qt/cp1252.h"

namespace {

// Focus that goes to another top-level window: the user went to the font
// window, one of its lists or another program, and the label stays open.
bool windowswitch(const QFocusEvent* e, const QWidget* memo) {
  if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
    return true;
  // Without a window manager a click in another window moves the focus with
  // no activation first.
  const QWidget* now = QApplication::focusWidget();
  return now && now->window() != memo->window();
}

}  // namespace

tmemoedit::tmemoedit(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("memo2");
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setFrameShape(QFrame::Box);
  document()->setDocumentMargin(1);
  QPalette p = palette();
  p.setColor(QPalette::Base, p.color(QPalette::Button));
  setPalette(p);
  setfont(font_);
  hide();
}

QFont tmemoedit::qfontof(const platform::font& f) {
  // The drawing surface takes points at 96 pixels per inch.
  QFont q(platform::tounicode(f.name));
  q.setPixelSize(std::clamp(static_cast<int>(std::lround(f.size * 96 / 72.0)), 1, 2000));
  q.setBold(f.bold);
  q.setItalic(f.italic);
  q.setUnderline(f.underline);
  q.setStyleStrategy(QFont::NoAntialias);
  return q;
}

platform::rect tmemoedit::bounds() const {
  const QRect g = geometry();
  return {g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
}

void tmemoedit::setbounds(const platform::rect& r) {
  setGeometry(r.left, r.top, std::max(r.width(), 0), std::max(r.height(), 0));
}

std::vector<std::string> tmemoedit::lines() const {
  std::vector<std::string> out;
  if (document()->isEmpty()) return out;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    const QString text = b.text();
    const QTextLayout* layout = b.layout();
    if (!layout || layout->lineCount() <= 1) {
      out.push_back(platform::tocp1252(text));
      continue;
    }
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      QString row = text.mid(line.textStart(), line.textLength());
      // A wrapped row ends with the blank it broke at; the label does not need it.
      if (i + 1 < layout->lineCount() && row.endsWith(QLatin1Char(' '))) row.chop(1);
      out.push_back(platform::tocp1252(row));
    }
  }
  return out;
}

void tmemoedit::setlines(const std::vector<std::string>& lines) {
  QStringList all;
  for (const std::string& l : lines) all.push_back(platform::tounicode(l));
  setPlainText(all.join(QLatin1Char('\n')));
  moveCursor(QTextCursor::End);
}

void tmemoedit::setfont(const platform::font& f) {
  font_ = f;
  setFont(qfontof(f));
  QPalette p = palette();
  p.setColor(QPalette::Text, QColor(platform::red(f.col), platform::green(f.col),
                                    platform::blue(f.col)));
  setPalette(p);
}

void tmemoedit::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  if (entered) entered();
}

void tmemoedit::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  if (!windowswitch(event, this) && exited) exited();
}

void tmemoedit::keyPressEvent(QKeyEvent* event) {
  if (keydown && keydown(event->key(), (event->modifiers() & Qt::ControlModifier) != 0)) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}
