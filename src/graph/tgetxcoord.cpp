#include "graph/tgetxcoord.h"

tgetxcoord::tgetxcoord(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Oppgi koordinater"));
  setProperty("helpcontext", helpcontext);
  setFixedSize(270, 104);
}
