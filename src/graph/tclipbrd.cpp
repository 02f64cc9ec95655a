#include "graph/tclipbrd.h"

#include <algorithm>

#include "figures/tcustom.h"

namespace {

// A pasted label lands this far right of and below the one copied.
constexpr int32_t pasteoffset = 5;

}  // namespace

tclipbrd::tclipbrd(tcliphost& host) : host_(host) {
  host_.enablepaste(false);
  host_.enableundodelete(false);
}

tclipbrd::~tclipbrd() = default;

void tclipbrd::clearclip() {
  clip.clear();
  cliplabel.reset();
}

void tclipbrd::cleardeleted() {
  deleted.clear();
  deletedlabel.reset();
  deletedwindow_ = nullptr;
}

void tclipbrd::clear() {
  clearclip();
  cleardeleted();
  host_.enableundodelete(false);
  host_.enablepaste(false);
}

tclipfigure tclipbrd::copyfigure(const tfigure& figure) {
  tclipfigure c;
  c.kind = figure.kind;
  c.paramcount = std::clamp(figure.paramcount, 0, 5);
  c.frozen = figure.frozen;
  // By letter: a user formula in b alone keeps b, not a.
  for (int32_t k = 1; k <= 5; ++k) {
    const size_t i = static_cast<size_t>(k);
    c.used[i] = figure.usesparam(k);
    if (c.used[i]) c.param[i] = figure.param[i];
  }
  if (const auto* custom = dynamic_cast<const tcustom*>(&figure)) {
    c.formula = custom->formulatext.substr(0, tcustom::maxformula);
    // The copied formula becomes the current one, as a new user figure would take it.
    host_.setcustomformula(c.formula);
  }
  return c;
}

void tclipbrd::take(tclipwindow& window, std::vector<tclipfigure>& list) {
  if (&list == &clip)
    clearclip();
  else
    cleardeleted();
  for (tfigure* f : window.selectedfigures()) {
    if (!window.hasfigures()) break;
    list.push_back(copyfigure(*f));
    window.deletefigure(*f);
  }
  window.clearselection();
  if (!window.hasfigures())
    host_.showemptypanel();
  else
    window.selectfirst();
}

void tclipbrd::cut(tclipwindow& window) {
  tlabeltool& labels = window.labeltool();
  if (labels.selectedlabel) {
    cliplabel = labels.takeselected();
    host_.enablecutcopy(window.hasfigures());
  } else {
    take(window, clip);
  }
  host_.enablepaste(canpaste());
}

void tclipbrd::deleteselection(tclipwindow& window) {
  tlabeltool& labels = window.labeltool();
  if (labels.selectedlabel) {
    deletedlabel = labels.takeselected();
    host_.enablecutcopy(window.hasfigures());
  } else {
    take(window, deleted);
  }
  deletedwindow_ = &window;
  host_.enableundodelete(deletedlabel != nullptr || !deleted.empty());
}

void tclipbrd::copy(tclipwindow& window) {
  clearclip();
  tlabeltool& labels = window.labeltool();
  if (labels.selectedlabel) {
    if (labels.selectedlabel->editing) labels.endediting();
    cliplabel = std::make_unique<tgralab>();
    cliplabel->copyfrom(*labels.selectedlabel);
  } else {
    for (tfigure* f : window.selectedfigures()) clip.push_back(copyfigure(*f));
  }
  host_.enablepaste(canpaste());
}

tgralab& tclipbrd::restorelabel(tclipwindow& window, const tgralab& source, int32_t offset) {
  tlabeltool& labels = window.labeltool();
  auto made = std::make_unique<tgralab>();
  made->copyfrom(source);
  made->owner = &labels.host();
  if (offset != 0) {
    made->left += offset;
    made->top += offset;
    made->setworld();
  }
  made->grab();
  tgralab& label = labels.add(std::move(made));
  label.drawtext();
  window.pant();
  label.drawframe();
  host_.enablecutcopy(true);
  labels.curlabel = &label;
  labels.selectedlabel = &label;
  return label;
}

void tclipbrd::paste(tclipwindow& window) {
  if (cliplabel)
    restorelabel(window, *cliplabel, pasteoffset);
  else
    pastefigures(window, clip);
  host_.enablepaste(canpaste());
}

void tclipbrd::pastefigures(tclipwindow& window, const std::vector<tclipfigure>& list) {
  const tclipfigure* last = nullptr;
  for (const tclipfigure& f : list) {
    // A formula that no longer parses (other parameter letters since) is left out.
    if (f.kind == family::custom && !host_.setcustomformula(f.formula)) continue;
    for (int32_t k = 1; k <= 5; ++k)
      if (f.used[static_cast<size_t>(k)])
        host_.setboxvalue(k, static_cast<float>(f.param[static_cast<size_t>(k)]));
    tfigure* g = window.creategraph(f.kind);
    if (!g) continue;
    g->frozen = f.frozen;
    window.repant();
    last = &f;
  }
  if (!last) return;
  for (int32_t k = 1; k <= 5; ++k)
    if (last->used[static_cast<size_t>(k)])
      host_.showboxtext(k, static_cast<float>(last->param[static_cast<size_t>(k)]));
}

void tclipbrd::undodelete(tclipwindow& window) {
  if (deletedwindow_ != &window) return;
  if (deletedlabel) {
    restorelabel(window, *deletedlabel, 0);
  } else if (!deleted.empty()) {
    pastefigures(window, deleted);
  } else {
    return;
  }
  // What was deleted goes back once; the held copy stays until the next delete.
  deletedwindow_ = nullptr;
  host_.enableundodelete(false);
}

void tclipbrd::activated(tclipwindow& window) {
  if (!deletedlabel && deleted.empty()) return;
  host_.enableundodelete(deletedwindow_ == &window);
}

void tclipbrd::windowclosed(tclipwindow& window) {
  if (deletedwindow_ == &window) deletedwindow_ = nullptr;
  // The labels held keep no link to the closed window.
  tlabelowner* owner = &window.labeltool().host();
  for (tgralab* l : {cliplabel.get(), deletedlabel.get()})
    if (l && l->owner == owner) l->owner = nullptr;
}
