#include "platform/qt/thelpkey.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "platform/qt/thelpwindow.h"
#include "platform/services.h"

namespace platform {

namespace {

int numberof(const QObject* o) {
  return o ? o->property("helpcontext").toInt() : 0;
}

// The highlighted item of an open menu, else the menu itself.
int menucontext(const QMenu* menu) {
  if (const int n = numberof(menu->activeAction())) return n;
  if (const int n = numberof(menu->menuAction())) return n;
  return numberof(menu);
}

// Tool bars and the status line never take the focus, so they are found
// under the pointer; a tool button speaks for its action.
int barcontext(QWidget* under) {
  for (QWidget* w = under; w; w = w->parentWidget()) {
    if (qobject_cast<QToolBar*>(w) || qobject_cast<QStatusBar*>(w)) {
      if (auto* b = qobject_cast<QToolButton*>(under))
        if (const int n = numberof(b->defaultAction())) return n;
      return thelpkey::contextof(under);
    }
    if (w->isWindow()) break;
  }
  return 0;
}

}  // namespace

thelpkey::thelpkey(services& help, QObject* parent) : QObject(parent), help_(help) {
  if (auto* app = QCoreApplication::instance()) app->installEventFilter(this);
}

thelpkey::~thelpkey() {
  if (auto* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

int thelpkey::contextof(const QWidget* w) {
  for (; w; w = w->parentWidget())
    if (const int n = numberof(w)) return n;
  return 0;
}

int thelpkey::currentcontext() {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
    return menucontext(menu);
  QWidget* focus = QApplication::focusWidget();
  if (auto* bar = qobject_cast<QMenuBar*>(focus))
    if (const int n = numberof(bar->activeAction())) return n;
  QWidget* active = QApplication::activeWindow();
  if (QWidget* under = QApplication::widgetAt(QCursor::pos());
      under && active && under->window() == active)
    if (const int n = barcontext(under)) return n;
  if (const int n = contextof(focus)) return n;
  return contextof(active);
}

bool thelpkey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
    return QObject::eventFilter(watched, event);
  if (key->isAutoRepeat()) return true;

  if (qobject_cast<thelpwindow*>(QApplication::activeWindow())) {
    help_.helponhelp();
    return true;
  }
  const int context = currentcontext();
  // An open menu would keep the keyboard; close it before the help comes up.
  for (int i = 0; i < 8; ++i) {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) break;
    popup->close();
  }
  if (context > 0)
    help_.helptopic(context);
  else
    help_.helpcontents();
  return true;
}

}  // namespace platform
