#include "graph/windowlayout.h"

#include <algorithm>

tplacement newwindowplacement(const tframemeasures& m, int captionheight, int windowcount) {
  tplacement p;
  const int l = m.clientleft;
  const int r = m.clientleft + m.clientwidth;
  const int pl = m.panelleft;
  const int pw = m.panelwidth;
  if (pl - l < r - (pl + pw)) {
    p.left = pl + pw + 1;
    p.width = r - p.left - 8;
  } else {
    p.left = l + 1;
    p.width = pl - l - 2;
  }
  const int n = std::max(windowcount, 1);
  p.top = (n - 1) * captionheight;
  p.height =
      std::max(1, m.clientheight - m.toolbarheight - m.statusheight - (n - 1) * captionheight - 5);
  return p;
}

std::vector<tplacement> tileplacements(const tframemeasures& m, int count) {
  std::vector<tplacement> result;
  if (count <= 0) return result;
  const int h = std::max(10, (m.clientheight - m.toolbarheight - m.statusheight) / count - 5);
  for (int j = 0; j < count; ++j)
    result.push_back({m.panelwidth + 1, j * h, m.clientwidth - m.panelwidth - 5, h});
  return result;
}

std::vector<tplacement> cascadeplacements(const tframemeasures& m, int captionheight, int count) {
  std::vector<tplacement> result;
  const int h =
      std::max(1, m.clientheight - m.toolbarheight - m.statusheight - count * captionheight);
  for (int i = 0; i < count; ++i)
    result.push_back({m.panelwidth + 1, i * captionheight, m.clientwidth - m.panelwidth - 5, h});
  return result;
}
