// The special-points tool of a graph window: a click on a curve marks its
// zeros, maxima, minima and y-axis crossing inside the window; the marks are
// found anew at every repaint, so they follow zooms, drags and parameter
// changes, and a hint near a mark says what it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "figures/curvepoints.h"
#include "figures/tanalysis.h"

namespace specialtext {
inline const std::string hint =
    "Klikk p\xE5 en graf for \xE5 finne nullpunkter, topp- og bunnpunkter og skj\xE6ringen med "
    "y-aksen.";
inline const std::string morepoints = " Grafen svinger for raskt til \xE5 vise alle punktene.";
// "Nullpunkt", "Toppunkt", "Bunnpunkt", "Skjæring med y-aksen"
std::string name(specialkind kind);
// "Nullpunkter: 2  Toppunkter: 1  Bunnpunkter: 1  Skjæring med y-aksen: 1"
std::string count(const specialpoints& s);
}  // namespace specialtext

// The mark of a found point: a small white square framed in black, centred on
// the pixel, so it shows on any curve and background.
void drawpointmark(platform::surface& s, platform::point at);

class tspecialtool {
 public:
  // How near the pointer must be to a mark for its hint, in pixels.
  static constexpr int reach = 5;
  // Half the side of a mark, in pixels.
  static constexpr int markradius = 3;

  explicit tspecialtool(tanalysishost& host) : host_(host) {}

  // The curve whose points are marked, and what was found on it.
  tfigure* figure = nullptr;
  specialpoints found;

  // Left press: the first curve under the pixel gets its points marked; a
  // press beside every curve takes the marks away.
  void press(int32_t px, int32_t py);
  // Finds the points again for the window as it is now and says how many.
  void update();
  // Draws the marks on the window's image.
  void draw();
  void clear();
  // A figure leaves the window: its marks go with it.
  void forget(const tfigure& f);
  // The hint for the pointer at the pixel, if a mark is near.
  std::optional<std::string> hinttext(int32_t px, int32_t py, const std::string& separator,
                                      char decimalseparator) const;

 private:
  tanalysishost& host_;
};
