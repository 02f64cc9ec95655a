// "Lagre &bilde som...": the active window's picture, what the window shows
// with its range and text labels, as a PNG at 1, 2 or 4 times the window's
// size, an SVG drawing or a PDF page. Every size and format is drawn afresh
// through the window's own drawing code, never by scaling pixels.
#pragma once

#include <memory>
#include <string>

#include "platform/surface.h"

class tgrform;
class tmainform;

namespace pictureexport {

// The dialog's filter; its index picks the format and the factor.
extern const char* const filter;

enum class format { png, svg, pdf };
struct choice {
  format kind = format::png;
  int factor = 1;
};
// What the filter entry (1-based) stands for; the first for any other index.
choice choiceof(int filterindex);

// Draws the window's picture (background or grid, axes, range and text labels,
// the figures) onto target, which stands for the window's client area, then
// repaints the window's own image.
void paintonto(tgrform& window, std::unique_ptr<platform::image> target);

// Draws window's picture into the file through a temporary file; false with
// the reason in error (Windows-1252) when it could not be written.
bool save(tgrform& window, const std::string& filename, choice c, std::string& error);

}  // namespace pictureexport

// Asks for a name and saves the active window's picture; false when there is
// no window, the dialog was cancelled or the file could not be written.
bool savepictureclick(tmainform& main);
