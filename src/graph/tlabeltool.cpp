#include "graph/tlabeltool.h"

#include <algorithm>

namespace {

// The memo is 5 pixels larger than the label it shows.
constexpr int32_t memomargin = 5;

}  // namespace

tlabeltool::tlabeltool(tlabelhost& host) : host_(host) {
  frame.attach(host_.labelscreen());
}

void tlabeltool::beginedit(tgralab& label) {
  tlabelmemo& m = host_.memo();
  m.setbounds({label.left, label.top, label.left + label.width + memomargin,
               label.top + label.height + memomargin});
  m.setfont(label.font);
  m.setlines(label.text);
}

void tlabeltool::endedit(tgralab& label) {
  const tlabelmemo& m = host_.memo();
  const platform::rect r = m.bounds();
  // A memo placed on a frame smaller than its margin would leave a label of
  // no or negative size, which nothing could reach again.
  label.width = std::max(r.width() - memomargin, 1);
  label.height = std::max(r.height() - memomargin, 1);
  label.left = r.left;
  label.top = r.top;
  label.text = m.lines();
  // Every line the memo gives is one the user sees as a line of its own.
  label.softbreak.clear();
  label.font = m.font();
  label.editing = false;
  label.setworld();
}

void tlabeltool::open(tgralab& label) {
  host_.setpaintlock(true);
  host_.memo().setvisible(false);
  beginedit(label);
  host_.memo().setvisible(true);
  host_.memo().setfocus();
  host_.setpaintlock(false);
}

void tlabeltool::texttool(int32_t x, int32_t y) {
  labeldrag = false;
  curlabel = nullptr;
  for (const auto& l : labels) {
    if (l->contains(x, y)) {
      curlabel = l.get();
      break;
    }
  }
  if (curlabel) {
    open(*curlabel);
  } else {
    labeldrag = true;
    frame.attach(host_.labelscreen());
    frame.start(x, y);
    if (host_.memo().visible()) host_.selecttool();
  }
  host_.setdown({x, y});
}

void tlabeltool::movelabelframe(int32_t x, int32_t y) {
  if (!labeldrag) return;
  frame.draw();
  frame.dragto(x, y);
  frame.draw();
  host_.labelshown();
}

void tlabeltool::newlabel() {
  if (!labeldrag) return;
  frame.draw();
  host_.labelshown();
  labeldrag = false;
  labelresize = false;
  if (frame.width == 0 || frame.height == 0) return;

  auto made = std::make_unique<tgralab>();
  made->left = frame.left;
  made->top = frame.top;
  made->width = frame.width;
  made->height = frame.height;
  made->owner = &host_;
  made->setworld();
  made->grab();

  tlabelmemo& m = host_.memo();
  m.setvisible(false);
  m.setbounds({frame.left, frame.top, frame.left + frame.width, frame.top + frame.height});
  m.setlines({});
  m.setvisible(true);

  tgralab& label = add(std::move(made));
  curlabel = &label;
  host_.fontwindow().applyall();
  label.font = m.font();
  host_.clearhint();
  if (!host_.fontwindow().visible())
    host_.fontwindow().setvisible(true);
  else
    host_.focuswindow();
  host_.setpaintlock(true);
  m.setfocus();
  host_.setpaintlock(false);
}

void tlabeltool::labelclick(int32_t x, int32_t y) {
  if (!labels.empty() && curlabel && curlabel->contains(x, y)) {
    labelresize = curlabel->grabhandle(x, y) != 0;
    labeldrag = true;
    host_.setdown({x, y});
    if (curlabel->editing) endediting();
    curlabel->erase();
    curlabel->drawtext();
    curlabel->drawframe();
    selectedlabel = curlabel;
    host_.enablecutcopy(true);
    return;
  }
  curlabel = nullptr;
  // A label just picked shows no handles yet: the press moves it, whatever
  // the last label drag was.
  labelresize = false;
  for (const auto& l : labels) {
    if (l->contains(x, y)) {
      curlabel = l.get();
      break;
    }
  }
  host_.pant();
  if (!curlabel) {
    labeldrag = false;
    selectedlabel = nullptr;
  } else {
    curlabel->drawtext();
    curlabel->drawframe();
    selectedlabel = curlabel;
    labeldrag = true;
    // The drag that may follow starts here, also in a window without figures,
    // whose press stores no press point of its own.
    host_.setdown({x, y});
  }
  host_.enablecutcopy(host_.hasfigures() || curlabel != nullptr);
}

void tlabeltool::resizelabel(int32_t x, int32_t y) {
  if (!labeldrag || !curlabel) return;
  const platform::point d = host_.down();
  const int32_t dx = x - d.x;
  const int32_t dy = y - d.y;
  host_.setdown({x, y});
  if (labelresize)
    curlabel->resize(dx, dy);
  else
    curlabel->move(dx, dy);
}

int tlabeltool::hovercursor(int32_t x, int32_t y) const {
  return selectedlabel ? selectedlabel->cursorat(x, y) : labelcursor::none;
}

bool tlabeltool::dblclick() {
  if (curlabel && curlabel->editing) endediting();
  if (!selectedlabel || selectedlabel != curlabel) return false;
  host_.texttool();
  open(*curlabel);
  return true;
}

void tlabeltool::endediting() {
  if (!curlabel || !curlabel->editing) return;
  curlabel->editing = false;
  host_.fontwindow().setvisible(false);
  endedit(*curlabel);
  host_.memo().setvisible(false);
  host_.pant();
  host_.editingended();
}

void tlabeltool::hidememo() {
  if (!host_.memo().visible()) return;
  // What was typed is kept even when hiding the memo brings no focus change.
  endediting();
  labeldrag = false;
  host_.memo().setvisible(false);
  if (host_.fontwindow().visible()) host_.fontwindow().setvisible(false);
  // A new label the memo never took the typing of is a label now, if empty.
  host_.editingended();
}

void tlabeltool::memo2enter() {
  if (!curlabel) return;
  curlabel->editing = true;
  host_.fontwindow().loadfont(curlabel->font);
  host_.fontwindow().setvisible(true);
}

void tlabeltool::memo2exit() {
  if (host_.paintlocked()) return;
  endediting();
}

bool tlabeltool::memo2keydown(int key, bool ctrl) {
  if (key != keyf || !ctrl || !curlabel || !curlabel->editing) return false;
  const std::string formula = host_.primaryformula();
  if (formula.empty()) return false;
  std::vector<std::string> lines = host_.memo().lines();
  lines.push_back(formula + " -->");
  host_.memo().setlines(lines);
  return true;
}

void tlabeltool::drawlabels() {
  for (const auto& l : labels) {
    // The view may have changed since the label was last drawn: the picture
    // under it is taken where it is drawn now, or erasing it later would put
    // back a piece of another place.
    l->placefromworld();
    l->grab();
    l->drawtext();
  }
}

tgralab& tlabeltool::add(std::unique_ptr<tgralab> label) {
  labels.push_back(std::move(label));
  return *labels.back();
}

std::unique_ptr<tgralab> tlabeltool::takeselected() {
  if (!selectedlabel) return nullptr;
  if (curlabel == selectedlabel && curlabel->editing) endediting();
  std::unique_ptr<tgralab> taken;
  for (auto it = labels.begin(); it != labels.end(); ++it) {
    if (it->get() == selectedlabel) {
      taken = std::move(*it);
      labels.erase(it);
      break;
    }
  }
  selectedlabel = nullptr;
  curlabel = nullptr;
  return taken;
}
