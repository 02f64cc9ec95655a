#include "graph/tform3.h"

tform3::tform3(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Oppgi koordinater"));
  setProperty("helpcontext", helpcontext);
  setFixedSize(241, 139);
}
