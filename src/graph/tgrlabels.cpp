#include "graph/tgrlabels.h"

#include "graph/tfontwindow.h"
#include "graph/tgraphhost.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrform.h"
#include "graph/tmemoedit.h"

namespace {

// Stands in for the font window before the start-up has made it: a label
// then keeps the memo's font.
class tnofonts : public tlabelfonts {
 public:
  void applyall() override {}
  void loadfont(const platform::font&) override {}
  bool visible() const override { return false; }
  void setvisible(bool) override {}
};

tnofonts nofonts;

}  // namespace

tgrlabels::tgrlabels(tgrform& window, tgraphhost& main) : window_(window), main_(main) {
  memo_ = std::make_unique<tmemoedit>(&window_.canvas());
  tool_ = std::make_unique<tlabeltool>(*this);
  // Coming back from the font window is no new start: the controls keep
  // what was chosen there.
  memo_->entered = [this] {
    if (!tool_->curlabel || !tool_->curlabel->editing) tool_->memo2enter();
  };
  memo_->exited = [this] { tool_->memo2exit(); };
  memo_->keydown = [this](int key, bool ctrl) { return tool_->memo2keydown(key, ctrl); };
  memo_->refused = [this](const QString& message) { main_.setpanel(2, message); };
}

tgrlabels::~tgrlabels() {
  // The memo may lose the focus while it goes; nothing is to hear of it.
  memo_->entered = nullptr;
  memo_->exited = nullptr;
  memo_->keydown = nullptr;
  memo_->refused = nullptr;
  memo_.reset();
}

// --- tlabelowner

tcoords& tgrlabels::labelcoords() {
  return window_.coords;
}

// The window shows its image as it is, so frames and labels are drawn there.
platform::surface* tgrlabels::labelscreen() {
  return window_.coords.image ? &window_.coords.image->canvas() : nullptr;
}

int tgrlabels::labelclientwidth() const {
  return window_.clientwidth();
}
int tgrlabels::labelclientheight() const {
  return window_.clientheight();
}
platform::imagefactory& tgrlabels::labelimages() {
  return main_.images();
}
void tgrlabels::labelshown() {
  window_.showimage();
}

// --- tlabelhost

tlabelmemo& tgrlabels::memo() {
  return *memo_;
}

tlabelfonts& tgrlabels::fontwindow() {
  tlabelfonts* f = main_.fontwindow();
  return f ? *f : nofonts;
}

bool tgrlabels::paintlocked() const {
  return window_.paintlock;
}
void tgrlabels::setpaintlock(bool on) {
  window_.paintlock = on;
}
platform::point tgrlabels::down() const {
  return {window_.downx, window_.downy};
}
void tgrlabels::setdown(platform::point p) {
  window_.downx = p.x;
  window_.downy = p.y;
}
bool tgrlabels::hasfigures() const {
  return window_.firstfig != window_.lastfig;
}
void tgrlabels::pant() {
  window_.pant();
}
void tgrlabels::editingended() {
  main_.gesturedone({});
}
void tgrlabels::enablecutcopy(bool on) {
  main_.enablecutcopy(on);
}

void tgrlabels::selecttool() {
  main_.toolclick(toolcode::select);
  window_.windowcursor = tcursors::arrow;
  // The hidden memo uncovers the drawing with the next paint; events are not
  // run from inside the press, so that no other handler can cut in.
  window_.canvas().setCursor(main_.cursors().cursor(tcursors::arrow));
}

void tgrlabels::texttool() {
  main_.toolclick(toolcode::text);
}

void tgrlabels::clearhint() {
  main_.clearhint();
}

void tgrlabels::focuswindow() {
  window_.canvas().setFocus();
}

std::string tgrlabels::primaryformula() {
  if (window_.selection.empty()) return {};
  tfigure& f = *window_.selection[0];
  const int32_t mode = f.textmode;
  f.textmode = 1;
  const std::string text = f.formula();
  f.textmode = mode;
  const std::string name = window_.funcname();
  return (name.empty() ? std::string() : name.substr(0, 1)) + text;
}

// --- tclipwindow

std::vector<tfigure*> tgrlabels::selectedfigures() {
  return window_.selection;
}

void tgrlabels::deletefigure(tfigure& figure) {
  std::unique_ptr<tfigure> gone = main_.func().deletefig(figure);
  if (window_.curfig == &figure) window_.curfig = nullptr;
}

void tgrlabels::clearselection() {
  window_.clearselection();
}

void tgrlabels::selectfirst() {
  const std::vector<tfigure*> figs = window_.figures();
  if (figs.empty()) return;
  tfigure& f = *figs.front();
  window_.clearselection();
  window_.selection.push_back(&f);
  f.selected = true;
  window_.resetvisi(f);
  f.showparams();
}

tfigure* tgrlabels::creategraph(int family) {
  return window_.creategraph(family);
}

void tgrlabels::repant() {
  window_.repant();
}
