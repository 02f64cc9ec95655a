#include "graph/tcursors.h"

#include <QPixmap>
#include <array>

namespace {

struct cursorimage {
  int number;
  const char* file;
  int hotx;  // hot spot in the 16-pixel image
  int hoty;
};

constexpr std::array images{
    cursorimage{tcursors::handgrap, ":/cursors/handgrap.xpm", 8, 8},
    cursorimage{tcursors::handflat, ":/cursors/handflat.xpm", 8, 8},
    cursorimage{tcursors::handpnt, ":/cursors/handpnt.xpm", 5, 0},
    cursorimage{tcursors::crall, ":/cursors/crall.xpm", 7, 7},
    cursorimage{tcursors::zoom, ":/cursors/zoom.xpm", 6, 6},
    cursorimage{tcursors::tangset, ":/cursors/tangset.xpm", 7, 7},
    cursorimage{tcursors::tangmove, ":/cursors/tangmove.xpm", 5, 9},
    cursorimage{tcursors::freeze, ":/cursors/freeze.xpm", 7, 7},
    cursorimage{tcursors::texttool, ":/cursors/texttool.xpm", 7, 7},
    cursorimage{tcursors::fixpoint, ":/cursors/fixpoint.xpm", 7, 7},
    cursorimage{tcursors::derivate, ":/cursors/derivate.xpm", 7, 7},
    cursorimage{tcursors::intersect, ":/cursors/intersect.xpm", 7, 7},
    cursorimage{tcursors::move, ":/cursors/move.xpm", 7, 7},
    cursorimage{tcursors::squeeze, ":/cursors/squeeze.xpm", 7, 7},
    cursorimage{tcursors::special, ":/cursors/pointstool.xpm", 7, 1},
};

}  // namespace

bool tcursors::load() {
  bool all = true;
  table_[sizenesw] = QCursor(Qt::SizeBDiagCursor);
  table_[sizens] = QCursor(Qt::SizeVerCursor);
  table_[sizenwse] = QCursor(Qt::SizeFDiagCursor);
  table_[sizewe] = QCursor(Qt::SizeHorCursor);
  for (const cursorimage& c : images) {
    QPixmap p(QString::fromLatin1(c.file));
    if (p.isNull()) {
      all = false;
      continue;
    }
    // The images are drawn at 16 pixels; shown at twice that they match the
    // size of the platform's own cursors.
    table_[c.number] = QCursor(p.scaled(32, 32), c.hotx * 2, c.hoty * 2);
  }
  return all;
}

QCursor tcursors::cursor(int number) const {
  const auto it = table_.find(number);
  return it == table_.end() ? QCursor(Qt::ArrowCursor) : it->second;
}
