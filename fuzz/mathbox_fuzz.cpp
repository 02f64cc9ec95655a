// The formula display on any text, drawn on a recording surface: a bounded
// number of calls, every character drawn near the line it belongs to, the font
// size given back, and nothing past the first maxlength characters counts.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "expr/tmathbox.h"
#include "support/recordingsurface.h"

namespace {

struct drawn {
  std::vector<recordentry> entries;
  int fontsize = 0;
};

drawn drawmarkup(std::string_view markup, int size, const platform::rect& area) {
  recordingsurface s(64, 32);
  platform::font f = s.getfont();
  f.size = size;
  s.setfont(f);
  s.clearentries();
  tmathbox box;
  box.draw(s, markup, platform::rgb(0, 0, 128), area);
  return {s.entries(), s.getfont().size};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte picks the font size, 1 to 64 points.
  const int fontsize = 1 + data[0] % 64;
  const std::string_view markup(reinterpret_cast<const char*>(data) + 1, size - 1);
  const platform::rect area{3, 5, 400, 60};
  const drawn d = drawmarkup(markup, fontsize, area);
  if (d.fontsize != fontsize) std::abort();

  // Every character costs a few calls at most: a fraction column two texts, a
  // bar and font changes around it.
  if (d.entries.size() > 8 * tmathbox::maxlength + 8) std::abort();
  recordingsurface probe;
  platform::font f = probe.getfont();
  f.size = fontsize;
  probe.setfont(f);
  const int top = area.top - probe.fontheight();
  const int fractionoffset = static_cast<int>(std::lround(std::abs(probe.fontheight()) * 10.0 / 17.0));
  const int widest = probe.textwidth("W");
  // Exponents go up and indexes down by 4 pixels, fraction rows by the offset.
  const int reach = 4 + fractionoffset;
  const int maxright = area.left + static_cast<int>(tmathbox::maxlength + 1) * widest + widest;
  for (const recordentry& e : d.entries) {
    if (e.op != recordop::textout && e.op != recordop::moveto && e.op != recordop::lineto) continue;
    if (e.op == recordop::textout && e.text.size() != 1) std::abort();
    const int x = e.args[0];
    const int y = e.args[1];
    if (x < area.left || x > maxright) std::abort();
    if (y < top - reach || y > top + reach) std::abort();
  }
  if (markup.size() > tmathbox::maxlength) {
    const drawn cut = drawmarkup(markup.substr(0, tmathbox::maxlength), fontsize, area);
    if (cut.entries.size() != d.entries.size()) std::abort();
    for (std::size_t i = 0; i < cut.entries.size(); ++i)
      if (cut.entries[i].args != d.entries[i].args || cut.entries[i].text != d.entries[i].text)
        std::abort();
  }
  return 0;
}
