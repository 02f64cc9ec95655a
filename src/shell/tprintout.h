// The printout of one graph window on one page: the window's picture scaled to
// the page with its caption in the corner, and below it one formula band per
// figure, drawn with the formula display. Everything goes through a drawing
// surface, so the layout can be checked on a recording surface.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/surface.h"

class tprintout {
 public:
  // Where everything goes on the page, in page pixels.
  struct layout {
    int lineheight = 0;    // pixel height of the 10-point page font
    int picturewidth = 0;  // the picture's share of the page, margins included
    int pictureheight = 0;
    int margin = 0;
    platform::rect picture;             // where the image is stretched to; empty: not drawn
    std::vector<platform::rect> bands;  // one per figure, in panel order
    std::vector<int> bandpage;          // page (0-based) of each band
  };

  // The layout for an image of imagewidth x imageheight with `figures`
  // formula bands on a page of pagewidth x pageheight at dpi.
  static layout plan(int pagewidth, int pageheight, int dpi, int lineheight, int imagewidth,
                     int imageheight, int figures);

  // The text of band i (from 1): "1. F(x) =..." from the first character of
  // the function-name prefix and the figure's formula text.
  static std::string bandtext(int i, const std::string& funcname, const std::string& formula);

  // Draws the window's picture (width x height pixels as the window shows it)
  // on the page, stretched into the page rectangle `to`.
  using picturedrawer = std::function<void(platform::surface& page, const platform::rect& to)>;

  // Draws the printout on `page` (the first page of a started document);
  // bands that do not fit go on further pages through services.newpage().
  static void drawpage(platform::services& services, platform::surface& page, int picturewidth,
                       int pictureheight, const picturedrawer& picture, const std::string& caption,
                       const std::vector<std::string>& formulas, const std::string& funcname);
  // The same with the picture copied from an image.
  static void drawpage(platform::services& services, platform::surface& page,
                       const platform::image& picture, const std::string& caption,
                       const std::vector<std::string>& formulas, const std::string& funcname);

  // The print command: asks the print dialog, then prints. Returns true when
  // a document was printed; a printer that cannot start is reported to the user.
  static bool print(platform::services& services, int picturewidth, int pictureheight,
                    const picturedrawer& picture, const std::string& caption,
                    const std::vector<std::string>& formulas, const std::string& funcname);
  static bool print(platform::services& services, const platform::image& picture,
                    const std::string& caption, const std::vector<std::string>& formulas,
                    const std::string& funcname);

  static constexpr const char* failedmessage = "Kan ikke starte utskriften.";
};
