// The graph window's tools: what a press, drag, release, double click or key
// does in a graph window under the current tool (select, zoom in, fix point,
// rotate, move, freeze; the intersection tool shares the select step, and the
// intersection, derivative and tangent tools hand over to the window's
// analysis tools).
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "expr/evalexpr.h"
#include "figures/tcustom.h"
#include "graph/tgranalysis.h"
#include "graph/tgraphhost.h"
#include "graph/tgrcanvas.h"
#include "graph/tgrform.h"
#include "graph/tgrlabels.h"
#include "platform/qt/cp1252.h"
#include "settings/toptions.h"

int32_t tgrform::lockx = 0;
int32_t tgrform::locky = 0;
int32_t tgrform::lockaxis = 0;

namespace {

bool leftdown(unsigned shift) {
  return (shift & shiftstate::left) != 0;
}

bool isdragtool(int tool) {
  return tool == toolcode::rotate || tool == toolcode::move;
}

// The separator between x and y in coordinate texts.
const std::string coordseparator = ",";

bool istangentcursor(int cursor) {
  return cursor == tcursors::tangset || cursor == tcursors::tangmove;
}

// The tangent tool's hint for the primary figure: a line gets none.
const std::string& tangentstatus(const tfigure* primary) {
  return primary != nullptr && primary->kind == family::line ? analysistext::linerefused
                                                             : analysistext::tangenthint;
}

void resetlock() {
  tgrform::lockx = 0;
  tgrform::locky = 0;
  tgrform::lockaxis = 0;
}

}  // namespace

bool tgrform::adjustable(const tfigure& figure) {
  if (figure.kind != family::custom) return true;
  const auto* custom = dynamic_cast<const tcustom*>(&figure);
  return custom == nullptr || paramcheck(&custom->expression.root).ok;
}

void tgrform::setwindowcursor(int number) {
  windowcursor = number;
  canvas_->setCursor(main_.cursors().cursor(number));
}

// The drag cursor is held over the whole program, not only this window.
void tgrform::setscreencursor(int number) {
  if (screencursor != 0) QGuiApplication::restoreOverrideCursor();
  screencursor = number;
  if (number != 0) QGuiApplication::setOverrideCursor(main_.cursors().cursor(number));
}

void tgrform::sethint(const std::string& text) {
  if (text == hint && hintvisible == !text.empty()) return;
  hint = text;
  hintvisible = !text.empty();
  if (!hintvisible) {
    canvas_->setToolTip(QString());
    if (isVisible()) QToolTip::hideText();
    return;
  }
  canvas_->setToolTip(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

// --- press

void tgrform::formmousedown(mousebutton button, unsigned shift, int x, int y) {
  // A Shift or Ctrl held for a click is no key press of its own.
  pendingkey_ = 0;
  tlabeltool& labels = textlabels_->tool();
  main_.buttondown = 1;
  if (labels.curlabel && labels.curlabel->editing) labels.endediting();
  if (main_.tool == toolcode::text) labels.texttool(x, y);
  main_.buttondown = 0;
  if (firstfig == lastfig || main_.activewindow != this) {
    if (main_.tool == toolcode::select) labels.labelclick(x, y);
    return;
  }
  main_.buttondown = 1;
  // curfig follows the selection, so that a stale one from another selection
  // is never used.
  curfig = selection.empty() ? nullptr : selection[0];
  if (curfig && curfig->updating) return;

  const int tool = main_.tool;
  if (button == mousebutton::right) {
    if (tool == toolcode::fixpoint) fixcoordsdialog(x, y);
    if (tool == toolcode::freeze) pointtool(shift | shiftstate::right, x, y);
  } else if (button == mousebutton::left) {
    switch (tool) {
      case toolcode::select:
      case toolcode::intersection:
      case toolcode::freeze:
        zoomdepth = static_cast<int32_t>(coords.zoomhistory.size());
        pointtool(shift | shiftstate::left, x, y);
        break;
      case toolcode::zoomin:
        downx = x;
        downy = y;
        zooming = true;
        break;
      case toolcode::fixpoint:
        if (selection.size() == 1 && adjustable(*curfig)) {
          resetvisi(*curfig);
          curfig->fixmode = true;
          curfig->fixpoint(x, y);
          repant();
          showimage();
          afterp();
        }
        break;
      case toolcode::rotate:
      case toolcode::move:
        dragged_ = false;
        dragpress(x, y);
        break;
      case toolcode::special:
        analysis->special.press(x, y);
        repant();
        break;
      case toolcode::derivative:
        analysis->tools.findderiv(x, y);
        // The question box took the release.
        main_.buttondown = 0;
        break;
      case toolcode::tangent:
        if (istangentcursor(main_.toolcursor)) {
          setscreencursor(tcursors::tangmove);
          analysis->tools.presstangent(x, y);
        } else {
          analysis->tools.notepress();
        }
        break;
      default:
        break;
    }
  }
  if (main_.tool == toolcode::select) labels.labelclick(x, y);
  downx = x;
  downy = y;
  // A dialog that took the release ended the gesture here.
  if (!main_.buttondown) main_.gesturedone({});
}

void tgrform::dragpress(int x, int y) {
  downx = x;
  downy = y;
  if (!curfig) return;
  if (!curfig->hittest(x, y)) {
    curfig->grabbed = false;
    return;
  }
  if (!adjustable(*curfig)) return;
  if (selection.size() == 1 && !curfig->frozen) {
    curfig->grabbed = true;
    // The first move step is measured from the press, not from wherever the
    // pointer was when an earlier drag ended.
    setlastmouse({x, y});
    if (main_.tool == toolcode::rotate) afterp();
    setscreencursor(tcursors::handgrap);
  }
}

void tgrform::fixcoordsdialog(int x, int y) {
  if (selection.size() != 1 || !curfig || !adjustable(*curfig)) return;
  tfigure& f = *curfig;
  if (!f.hittest(x, y) && f.findfixpoint(x, y) == 0) return;
  const worldpoint w = coords.pixeltoworld(x, y);
  double fx = 0;
  double fy = 0;
  f.nearestfix(w.x, w.y, fx, fy);
  if (!askfixcoords) return;
  const int k = std::clamp(f.curfix, 1, 5);
  double nx = fx;
  double ny = fy;
  const bool ok = askfixcoords(f, nx, ny);
  // The dialog took the release.
  main_.buttondown = 0;
  if (!ok) return;
  // The dialog may have changed the selection; only a figure still shown here
  // takes the point.
  const std::vector<tfigure*> figs = figures();
  if (std::find(figs.begin(), figs.end(), &f) == figs.end()) return;
  f.fixmode = true;
  f.fixx[static_cast<size_t>(k)] = nx;
  f.fixy[static_cast<size_t>(k)] = ny;
  repant();
}

// --- select, intersection, freeze

void tgrform::pointtool(unsigned shift, int x, int y) {
  downx = x;
  downy = y;
  const int tool = main_.tool;
  for (tfigure* f : figures()) {
    if (!f->hittest(x, y)) continue;
    const auto at = std::find(selection.begin(), selection.end(), f);
    if (!(shift & shiftstate::ctrl)) {
      clearselection();
      selection.push_back(f);
      resetvisi(*f);
    } else if (at == selection.end()) {
      if (tool == toolcode::intersection && selection.size() >= 2) continue;
      selection.push_back(f);
      f->selected = true;
      restoreselection();
    } else if (selection.size() > 1) {
      selection.erase(at);
      f->selected = false;
      restoreselection();
    }
  }
  for (tfigure* f : selection) f->selected = true;

  const bool freezing = tool == toolcode::freeze && (shift & shiftstate::left);
  const bool thawing = tool == toolcode::freeze && (shift & shiftstate::right);
  bool primaryhit = false;
  if (freezing || thawing) {
    for (tfigure* f : selection) {
      if (!f->hittest(x, y)) continue;
      if (f == selection[0]) primaryhit = true;
      if (freezing) {
        f->frozen = true;
      } else {
        f->frozen = false;
        if (f->fixcount > f->maxfix) f->initfixpoints();
      }
    }
  }
  if (selection.size() == 1) {
    resetvisi(*selection[0]);
    selection[0]->showparams();
    if (tool == toolcode::move) selection[0]->fixmode = false;
  }
  repant();
  if (freezing && primaryhit) visimask = 0;
  if (thawing) restoreselection();
  afterp();
  if (tool == toolcode::intersection) intersect();
}

// --- move

void tgrform::formmousemove(unsigned shift, int x, int y) {
  if (main_.activewindow != this) return;
  const int tool = main_.tool;
  tlabeltool& labels = textlabels_->tool();
  if (tool == toolcode::select && labels.selectedlabel) {
    // Over the selected label's frame its own cursors and drag take over.
    const int cursor = labels.hovercursor(x, y);
    if (cursor != labelcursor::none) {
      setwindowcursor(cursor);
      if (leftdown(shift)) labels.resizelabel(x, y);
      return;
    }
  }
  setwindowcursor(main_.toolcursor);
  if (leftdown(shift)) {
    if (tool == toolcode::select) labels.resizelabel(x, y);
    if (tool == toolcode::text) labels.movelabelframe(x, y);
  }
  if (firstfig == lastfig) return;

  if (isdragtool(tool) && curfig) {
    if (curfig->hittest(x, y)) {
      if (selection.size() == 1 && !leftdown(shift) && curfig->selected && !curfig->frozen &&
          adjustable(*curfig))
        setwindowcursor(tcursors::handflat);
    } else if (!leftdown(shift)) {
      setwindowcursor(main_.toolcursor);
    }
  }

  const worldpoint w = coords.pixeltoworld(x, y);
  mousex = w.x;
  mousey = w.y;
  main_.setpanel(0, coordtext(mousex, mousey, main_.services().decimalseparator()));
  if (tool == toolcode::zoomin) setwindowcursor(tcursors::zoom);

  if (leftdown(shift)) {
    switch (tool) {
      case toolcode::zoomin:
        zoom(x, y);
        return;
      case toolcode::fixpoint:
        fix(x, y);
        return;
      case toolcode::rotate:
      case toolcode::move:
        suize(shift, x, y);
        return;
      case toolcode::tangent:
        analysis->tools.movetang(x, y);
        return;
      default:
        break;
    }
  }
  if (tool == toolcode::special) {
    const std::optional<std::string> h = analysis->special.hinttext(
        x, y, coordseparator, main_.services().decimalseparator());
    if (h) {
      sethint(*h);
      return;
    }
  }
  if (tool == toolcode::intersection && selection.size() > 1) {
    // Within reach of the same crossing the hint stays up.
    const std::optional<std::string> h = analysis->tools.crossinghinttext(
        mousex, mousey, coordseparator, main_.services().decimalseparator());
    sethint(h ? *h : std::string());
    return;
  }
  hover(x, y);
}

// The formula of the first figure under the pointer as a hint.
void tgrform::hover(int x, int y) {
  const bool tangent = main_.tool == toolcode::tangent;
  for (tfigure* f : figures()) {
    if (!f->hittest(x, y)) {
      sethint({});
      if (tangent) main_.toolcursor = tcursors::arrow;
      continue;
    }
    const int32_t mode = f->textmode;
    f->textmode = 1;
    std::string text = f->formula();
    f->textmode = mode;
    const std::string name = main_.options().funcname();
    sethint((name.empty() ? std::string() : name.substr(0, 1)) + text);
    // A tangent can be set on a selected curve that is not a line.
    if (tangent && f->selected && f->kind != family::line) {
      main_.toolcursor = tcursors::tangset;
      setwindowcursor(tcursors::tangset);
    }
    return;
  }
}

void tgrform::zoom(int x, int y) {
  if (!zooming) return;
  shape1.left = std::min(downx, x);
  shape1.top = std::min(downy, y);
  shape1.right = shape1.left + std::abs(x - downx);
  shape1.bottom = shape1.top + std::abs(y - downy);
  shape1visible = true;
  showshape1();
}

// The canvas draws the rectangle over the image as a dashed outline.
void tgrform::showshape1() {
  canvas_->update();
}

void tgrform::fix(int x, int y) {
  if (selection.size() != 1 || !adjustable(*selection[0])) return;
  tfigure& f = *selection[0];
  resetvisi(f);
  f.fixmode = true;
  f.dragging = true;
  f.fixdrag(x, y);
  f.dragging = false;
  repant();
  showimage();
}

void tgrform::suize(unsigned shift, int x, int y) {
  if (selection.size() != 1) return;
  tfigure& f = *selection[0];
  if (f.frozen || !f.grabbed || !adjustable(f)) return;
  dragged_ = true;
  const std::array<double, 6> before = f.param;
  if (main_.tool == toolcode::move) {
    f.fixmode = false;
    f.moveto(x, y);
  } else {
    // Shift held while turning (the sine's axis lock) is not the zoom undo.
    if (shift & shiftstate::shift) pendingkey_ = 0;
    if (f.kind == family::sine || f.kind == family::cosine) {
      if (!(shift & shiftstate::shift)) {
        resetlock();
      } else if (lockaxis == 0 && lockx == 0 && locky == 0) {
        lockx = x;
        locky = y;
        f.dragx = 0;
        f.dragy = 0;
      } else if (lockaxis == 0) {
        lockaxis = std::abs(lockx - x) > std::abs(locky - y) ? 1 : 2;
      } else if (lockaxis == 1) {
        y = locky;
      } else {
        x = lockx;
      }
    }
    const worldpoint w = coords.pixeltoworld(x, y);
    f.dragto(w.x, w.y);
  }
  if (f.param != before) main_.modified = 1;
  coords.drawbackground();
  for (tfigure* g : figures()) g->draw();
  coords.drawaxes();
  if (main_.tool == toolcode::rotate) f.drawfixpoints();
  showimage();
}

// --- release

void tgrform::formmouseup(mousebutton button, unsigned shift, int x, int y) {
  const int tool = main_.tool;
  mouseup(button, shift, x, y);
  // The whole drag is one step of the history.
  main_.gesturedone(tool == toolcode::move     ? "flytting"
                    : tool == toolcode::rotate ? "vridning"
                                               : "");
}

void tgrform::mouseup(mousebutton, unsigned, int x, int y) {
  zooming = false;
  setscreencursor(0);
  if (istangentcursor(main_.toolcursor)) {
    main_.toolcursor = tcursors::arrow;
    const tfigure* primary = selection.empty() ? nullptr : selection[0];
    main_.setpanel(2, platform::tounicode(tangentstatus(primary)));
  }
  main_.buttondown = 0;
  if (main_.tool == toolcode::text) textlabels_->tool().newlabel();
  if (firstfig == lastfig) return;
  switch (main_.tool) {
    case toolcode::select:
      hidememo();
      break;
    case toolcode::zoomin:
      zoomrelease();
      break;
    case toolcode::fixpoint:
      if (!selection.empty() && adjustable(*selection[0])) selection[0]->fixup(x, y);
      break;
    case toolcode::rotate:
    case toolcode::move:
      dragrelease(x, y);
      break;
    case toolcode::tangent:
      analysis->tools.releasetangent();
      break;
    default:
      break;
  }
}

void tgrform::zoomrelease() {
  if (shape1visible) {
    const worldpoint a = coords.pixeltoworld(shape1.left, shape1.top);
    const worldpoint b = coords.pixeltoworld(shape1.right, shape1.bottom);
    if (std::abs(b.x - a.x) >= 1.0 && std::abs(a.y - b.y) >= 1.0)
      coords.setup(0, 0, clientwidth(), clientheight(), std::min(a.x, b.x), std::max(a.x, b.x),
                   std::min(a.y, b.y), std::max(a.y, b.y));
  }
  pant();
  shape1visible = false;
  shape1 = {};
  showshape1();
}

void tgrform::dragrelease(int x, int y) {
  // A new locked drag starts from its own first position.
  resetlock();
  const bool dragged = dragged_;
  dragged_ = false;
  if (selection.size() != 1) return;
  tfigure& f = *selection[0];
  curfig = &f;
  if (!adjustable(f) || f.frozen) return;
  setwindowcursor(tcursors::handflat);
  f.dragx = 0;
  f.dragy = 0;
  // Only a figure that was dragged is snapped: a click leaves its values.
  if (dragged) snaptostep(f);
  // A moved curve has its fix points afresh and is out of fix mode.
  f.fixmode = main_.tool != toolcode::move;
  if (!f.fixmode) f.initfixpoints();
  main_.func().refresh();
  pant();
  refreshselection();
  downx = x;
  downy = y;
}

void tgrform::snaptostep(tfigure& f) {
  // The fix points the rotated curve runs through; a move resets them after.
  std::vector<int> held;
  const auto on = [&f](int i) {
    const double fy = f.fixy[static_cast<size_t>(i)];
    return std::abs(f.value(f.fixx[static_cast<size_t>(i)]) - fy) <= 1e-7 * (1 + std::abs(fy));
  };
  if (main_.tool == toolcode::rotate)
    for (int i = 1; i <= std::min(f.fixcount, 5); ++i)
      if (on(i)) held.push_back(i);
  const int n = std::min(f.paramcount, 5);
  for (int i = 1; i <= n; ++i) {
    // The Step as the decimal the user typed (0.01, not the float's
    // 0.0099999998), so that 1 stays 1 and 2.3 with Step 0.1 stays 2.3.
    const double step = std::round(static_cast<double>(paramstep(i)) * 1e6) / 1e6;
    double& v = f.param[static_cast<size_t>(i)];
    // A Step of 0 (or less) from a hand-edited settings file snaps nothing.
    if (!(step > 0 && std::abs(v) > step)) continue;
    const double unsnapped = v;
    // A value that is a multiple of the Step but for the rounding noise of a
    // refit (0.9999999997 for 1) keeps that multiple.
    const double steps = v / step;
    const double near = std::round(steps);
    v = (std::abs(steps - near) < 1e-6 ? near : std::trunc(steps)) * step;
    // Only values the fix points leave free are snapped: the curve stays on
    // every fix point it was turned through. Nor does a snap leave the
    // parameter's limits (Min 0.3 with Step 0.25 would make 0.4 into 0.25).
    if (!std::all_of(held.begin(), held.end(), on) || !(v >= parammin(i) && v <= parammax(i)))
      v = unsnapped;
  }
}

// The window shown again with its selection, as after a click that hits
// nothing new: no figure is looked for under any pixel.
void tgrform::refreshselection() {
  for (tfigure* f : selection) f->selected = true;
  // Fix points are let go by a press of the move tool, not by showing the
  // selection again: a window activated or a tool chosen changes no work.
  if (selection.size() == 1) {
    resetvisi(*selection[0]);
    selection[0]->showparams();
  }
  repant();
  afterp();
  if (main_.tool == toolcode::intersection) intersect();
}

// --- double click and keys

void tgrform::formdblclick() {
  tlabeltool& labels = textlabels_->tool();
  // The press that follows a double click would find the opened label under
  // it and leave it open; it must not make a new label from the last frame.
  if (labels.dblclick()) labels.labeldrag = false;
  const int tool = main_.tool;
  if ((!isdragtool(tool) && tool != toolcode::tangent) || firstfig == lastfig || zooming) return;
  for (tfigure* f : figures()) {
    if (!f->hittest(downx, downy)) {
      f->grabbed = false;
      continue;
    }
    clearselection();
    selection.push_back(f);
    resetvisi(*f);
    f->showparams();
    if (tool == toolcode::move) f->fixmode = false;
    if (tool == toolcode::tangent) main_.setpanel(2, platform::tounicode(tangentstatus(f)));
    f->selected = true;
    f->grabbed = true;
    // A drag that follows is measured from the double click.
    setlastmouse({downx, downy});
    main_.func().changef2(*f);
    zooming = true;
    repant();
    afterp();
  }
}

// Shift, Ctrl and space serve the tangent tool (Shift undoes a zoom in any
// tool). Shift and Ctrl act when they are let go after being pressed alone: as
// part of a key combination, a click or the rotate tool's axis lock they do
// nothing of their own.
void tgrform::formkeydown(int key, unsigned shift) {
  pendingkey_ = 0;
  if (key == Qt::Key_Shift && !(shift & shiftstate::ctrl)) {
    pendingkey_ = key;
  } else if (key == Qt::Key_Control && !(shift & shiftstate::shift)) {
    pendingkey_ = key;
  } else if (key == Qt::Key_Space && !(shift & (shiftstate::shift | shiftstate::ctrl))) {
    if (analysis) analysis->tools.keydown(key, false, false);
    main_.gesturedone({});
  }
}

void tgrform::formkeyup(int key) {
  if (key == 0 || key != pendingkey_) return;
  pendingkey_ = 0;
  if (analysis) analysis->tools.keydown(key, key == Qt::Key_Shift, key == Qt::Key_Control);
  main_.gesturedone({});
}

void tgrform::formotherkey() {
  pendingkey_ = 0;
}
