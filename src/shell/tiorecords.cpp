#include "shell/tiorecords.h"

#include <algorithm>

#include "figures/tcustom.h"
#include "graph/tgrform.h"
#include "graph/tgrlabels.h"

uint32_t filecolour(platform::colour c) {
  return static_cast<uint32_t>(platform::red(c)) | static_cast<uint32_t>(platform::green(c)) << 8 |
         static_cast<uint32_t>(platform::blue(c)) << 16;
}

platform::colour platformcolour(uint32_t c) {
  return platform::rgb(static_cast<int>(c & 255), static_cast<int>((c >> 8) & 255),
                       static_cast<int>((c >> 16) & 255));
}

tfigurerecord figurerecord(const tfigure& figure) {
  tfigurerecord r;
  for (std::size_t k = 1; k <= 5; ++k) r.params[k - 1] = figure.param[k];
  r.family = figure.kind;
  if (figure.kind == qvfile::customfamily)
    if (const auto* c = dynamic_cast<const tcustom*>(&figure))
      r.formula = c->formulatext.substr(0, qvfile::formulacapacity);
  return r;
}

tlabelrecord labelrecord(const tgralab& label) {
  tlabelrecord r;
  r.lines = label.text;
  r.fontname = label.font.name;
  r.fontstyle = static_cast<uint8_t>((label.font.bold ? fontstyle::bold : 0) |
                                     (label.font.italic ? fontstyle::italic : 0) |
                                     (label.font.underline ? fontstyle::underline : 0));
  r.fontcolour = filecolour(label.font.col);
  r.fontsize = label.font.size;
  r.left = label.left;
  r.top = label.top;
  r.width = label.width;
  r.height = label.height;
  return r;
}

void applylabel(tgralab& label, const tlabelrecord& r) {
  label.text = r.lines;
  label.font = platform::font{};
  label.font.name = r.fontname;
  label.font.bold = (r.fontstyle & fontstyle::bold) != 0;
  label.font.italic = (r.fontstyle & fontstyle::italic) != 0;
  label.font.underline = (r.fontstyle & fontstyle::underline) != 0;
  label.font.col = platformcolour(r.fontcolour);
  // A damaged file must not ask for a picture or font no screen could hold.
  label.font.size = std::clamp(r.fontsize, 1, maxfontsize);
  label.left = std::clamp(r.left, -maxlabelplace, maxlabelplace);
  label.top = std::clamp(r.top, -maxlabelplace, maxlabelplace);
  label.width = std::clamp(r.width, 0, maxextent);
  label.height = std::clamp(r.height, 0, maxextent);
}

std::vector<const tgralab*> windowlabels(tgrform& window) {
  tlabeltool& tool = window.textlabels().tool();
  // A label still open in the memo is saved with what has been typed.
  tool.endediting();
  std::vector<const tgralab*> out;
  for (const auto& l : tool.labels) out.push_back(l.get());
  return out;
}

void addwindowlabel(tgrform& window, std::unique_ptr<tgralab> label) {
  label->owner = &window.textlabels();
  window.textlabels().tool().add(std::move(label));
}
