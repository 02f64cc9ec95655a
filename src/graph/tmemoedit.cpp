#include "graph/tmemoedit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
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

QString tmemoedit::typedrefusal(const QString& typed) {
  return QStringLiteral("Tegnet \u00AB%1\u00BB kan ikke brukes i en tekst.").arg(typed);
}

QString tmemoedit::pastedreplacement() {
  return QStringLiteral("Tegn som ikke kan brukes i en tekst, ble byttet ut med \u00AB?\u00BB.");
}

void tmemoedit::keyPressEvent(QKeyEvent* event) {
  if (keydown && keydown(event->key(), (event->modifiers() & Qt::ControlModifier) != 0)) {
    event->accept();
    return;
  }
  // A character the label could not store is not put in at all, so the memo
  // never shows what the label would lose.
  if (!event->text().isEmpty() && !platform::incp1252(event->text())) {
    event->accept();
    if (refused) refused(typedrefusal(event->text()));
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void tmemoedit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (platform::incp1252(commit)) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QString kept;
  QString left;
  for (const QChar c : commit) {
    if (platform::incp1252(QString(c)))
      kept.append(c);
    else if (!c.isLowSurrogate())
      left.append(c);
  }
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&filtered);
  if (refused) refused(typedrefusal(left));
}

void tmemoedit::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) return;
  const QString text = source->text();
  // Pasted text keeps its length and lines; only what cannot be stored is
  // replaced, and the user is told.
  const QString stored = platform::tounicode(platform::tocp1252(text));
  textCursor().insertText(stored);
  ensureCursorVisible();
  if (stored != text && refused) refused(pastedreplacement());
}
