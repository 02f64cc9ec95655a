#include "shell/tprintout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "expr/tmathbox.h"

namespace {

// a * b / c rounded to the nearest integer, in 64 bits.
int muldiv(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  const int64_t num = a * b;
  const int64_t q = (2 * num + (num >= 0 ? c : -c)) / (2 * c);
  return static_cast<int>(std::clamp<int64_t>(q, INT32_MIN, INT32_MAX));
}

}  // namespace

tprintout::layout tprintout::plan(int pagewidth, int pageheight, int dpi, int lineheight,
                                  int imagewidth, int imageheight, int figures) {
  layout l;
  l.lineheight = lineheight;
  const double pm = dpi * 0.04;  // pixels per millimetre
  l.margin = static_cast<int>(std::lround(pm * 0.5));
  const int m = l.margin;
  const int band = 3 * lineheight;

  // Many figures would leave no room for the picture; it keeps at least half
  // the page and the bands that do not fit go on the next pages.
  int ah = pageheight - band * figures;
  ah = std::max(ah, pageheight / 2);

  if (imagewidth > 0 && imageheight > 0 && pagewidth > 0 && ah > 0) {
    if (static_cast<int64_t>(imagewidth) * ah <= static_cast<int64_t>(pagewidth) * imageheight) {
      l.pictureheight = ah;
      l.picturewidth = muldiv(imagewidth, ah, imageheight);
    } else {
      l.picturewidth = pagewidth;
      l.pictureheight = muldiv(imageheight, pagewidth, imagewidth);
    }
  }
  if (l.picturewidth > 2 * m && l.pictureheight > 2 * m)
    l.picture = {m, m, l.picturewidth - m, l.pictureheight - m};

  const int left = static_cast<int>(std::lround(pm * 20)) + m;
  // A very narrow picture still leaves the band as wide as the page allows.
  int right = l.picturewidth - 2 * m;
  if (right <= left) right = std::max(left + 1, pagewidth - 2 * m);
  int page = 0;
  int top = l.pictureheight;
  for (int i = 0; i < figures; ++i) {
    if (band > 0 && top + band > pageheight && top > m) {
      ++page;
      top = m;
    }
    l.bands.push_back({left, top, right, top + band});
    l.bandpage.push_back(page);
    top += band;
  }
  return l;
}

std::string tprintout::bandtext(int i, const std::string& funcname, const std::string& formula) {
  std::string text = std::to_string(i) + ". ";
  if (!funcname.empty()) text += funcname[0];
  return text + formula;
}

namespace {

tprintout::picturedrawer copyof(const platform::image& picture) {
  return [&picture](platform::surface& page, const platform::rect& to) {
    page.copyrect(to, picture, {0, 0, picture.width(), picture.height()});
  };
}

}  // namespace

void tprintout::drawpage(platform::services& services, platform::surface& page,
                         const platform::image& picture, const std::string& caption,
                         const std::vector<std::string>& formulas, const std::string& funcname) {
  drawpage(services, page, picture.width(), picture.height(), copyof(picture), caption, formulas,
           funcname);
}

void tprintout::drawpage(platform::services& services, platform::surface& page, int picturewidth,
                         int pictureheight, const picturedrawer& picture,
                         const std::string& caption, const std::vector<std::string>& formulas,
                         const std::string& funcname) {
  platform::font f = page.getfont();
  f.size = 10;
  f.col = platform::black;
  f.bold = f.italic = f.underline = false;
  page.setfont(f);
  const int lh = std::abs(page.fontheight());
  const layout l = plan(services.pagewidth(), services.pageheight(), services.pixelsperinch(), lh,
                        picturewidth, pictureheight, static_cast<int>(formulas.size()));

  if (l.picture.width() > 0 && l.picture.height() > 0 && picture) picture(page, l.picture);
  page.setfont(f);
  page.setbrush({platform::white, platform::brushstyle::clear});
  page.textout(l.margin, l.margin, caption);

  tmathbox box;
  int current = 0;
  for (size_t i = 0; i < formulas.size(); ++i) {
    while (current < l.bandpage[i]) {
      services.newpage();
      ++current;
      page.setfont(f);
      page.setbrush({platform::white, platform::brushstyle::clear});
    }
    box.draw(page, bandtext(static_cast<int>(i) + 1, funcname, formulas[i]), platform::black,
             l.bands[i]);
    page.setfont(f);
  }
}

bool tprintout::print(platform::services& services, const platform::image& picture,
                      const std::string& caption, const std::vector<std::string>& formulas,
                      const std::string& funcname) {
  return print(services, picture.width(), picture.height(), copyof(picture), caption, formulas,
               funcname);
}

bool tprintout::print(platform::services& services, int picturewidth, int pictureheight,
                      const picturedrawer& picture, const std::string& caption,
                      const std::vector<std::string>& formulas, const std::string& funcname) {
  if (!services.printdialog()) return false;
  services.setbusycursor(true);
  platform::surface* page = services.begindoc(caption);
  if (page == nullptr) {
    services.setbusycursor(false);
    services.messagebox(failedmessage, "", platform::msgkind::error, platform::msgbuttons::ok);
    return false;
  }
  drawpage(services, *page, picturewidth, pictureheight, picture, caption, formulas, funcname);
  services.enddoc();
  services.setbusycursor(false);
  return true;
}
