#include "shell/tiofile.h"

#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QSaveFile>
#include <algorithm>
#include <memory>

#include "expr/parseexpr.h"
#include "graph/tgralab.h"
#include "graph/tgrform.h"
#include "platform/qt/cp1252.h"
#include "shell/tfunc.h"
#include "shell/tiorecords.h"
#include "shell/tmainform.h"
#include "codecs/tprojectnames.h"
#include "shell/tundohistory.h"

namespace {

const char* const nographselected = "Ingen graf er valgt - fila lagres ikke.";
const char* const wrongheader = "Dette er IKKE en grafikkfil til denne versjonen av programmet!";

// Names are kept whole, so that a caption always names the file it came from.
std::string absolutename(const std::string& name) {
  if (name.empty() || isabsolutepath(name)) return name;
  return platform::tocp1252(QFileInfo(platform::tounicode(name)).absoluteFilePath());
}

}  // namespace

tiofile::tiofile(tmainform& main) : main_(main) {}

void tiofile::tell(const std::string& text, bool warning) {
  if (opening_) {
    problems_.push_back(text);
    problemerror_ = problemerror_ || !warning;
    return;
  }
  main_.services().messagebox(text, "",
                              warning ? platform::msgkind::warning : platform::msgkind::error,
                              platform::msgbuttons::ok);
}

bool tiofile::readfile(const std::string& name, std::string& bytes) {
  // A named pipe or a device would block the open or the read until something
  // else writes to it; only a plain file can be one of ours.
  const QFileInfo info(platform::tounicode(name));
  if (info.exists() && !info.isFile()) {
    tell("Kan ikke \xE5pne fila " + name + ".\rDet er ikke en vanlig fil.", false);
    return false;
  }
  QFile f(platform::tounicode(name));
  if (!f.open(QIODevice::ReadOnly)) {
    tell("Kan ikke \xE5pne fila " + name + ".\r" + platform::tocp1252(f.errorString()), false);
    return false;
  }
  if (f.size() > maxfilesize) {
    tell("Fila " + name + " er for stor til \xE5 v\xE6re en fil fra dette programmet.", false);
    return false;
  }
  const QByteArray data = f.read(maxfilesize + 1);
  if (data.size() > maxfilesize) {
    tell("Fila " + name + " er for stor til \xE5 v\xE6re en fil fra dette programmet.", false);
    return false;
  }
  bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
  return true;
}

bool tiofile::writefile(const std::string& name, const std::string& bytes) {
  QSaveFile f(platform::tounicode(name));
  // Never write in place: a save that fails half-way must leave the old file whole.
  f.setDirectWriteFallback(false);
  if (f.open(QIODevice::WriteOnly) &&
      f.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
          static_cast<qint64>(bytes.size()) &&
      f.commit())
    return true;
  tell("Kan ikke lagre fila " + name + ".\r" + platform::tocp1252(f.errorString()) +
           "\rArbeidet er ikke lagret.",
       false);
  return false;
}

// --- open

// A file too short for a header is no file of ours either.
bool tiofile::refused(const tqvdecoded& d) {
  if (!d.hasheader || d.error == qverror::wrongheader) {
    tell(wrongheader, true);
    return true;
  }
  if (d.error == qverror::badtype) {
    tell(qverrortext(d), true);
    return true;
  }
  return false;
}

void tiofile::open(const std::string& given, bool copy) {
  problems_.clear();
  problemerror_ = false;
  badformulas_.clear();
  badformulacount_ = 0;
  {
    // Whatever way the loading ends, later messages are shown again at once.
    struct collecting {
      bool& flag;
      explicit collecting(bool& f) : flag(f) { flag = true; }
      ~collecting() { flag = false; }
      collecting(const collecting&) = delete;
      collecting& operator=(const collecting&) = delete;
    } guard(opening_);
    openfile(given, copy);
  }
  if (badformulacount_ > 0) problems_.push_back(badformulatext());
  if (problems_.empty()) return;
  std::string text;
  for (const std::string& p : problems_) text += (text.empty() ? "" : "\r") + p;
  tell(text, !problemerror_);
  problems_.clear();
  badformulas_.clear();
  badformulacount_ = 0;
}

std::string tiofile::badformulatext() const {
  if (badformulacount_ == 1)
    return "Formelen \xAB" + badformulas_[0] +
           "\xBB kan ikke leses. Grafen er lastet med teksten sin, men tegnes ikke.";
  std::string text = std::to_string(badformulacount_) +
                     " grafer har formler som ikke kan leses. De er lastet med tekstene sine, men "
                     "tegnes ikke:";
  for (const std::string& f : badformulas_) text += "\r\xAB" + f + "\xBB";
  if (badformulacount_ > badformulas_.size() && badformulas_.size() == maxlisted) text += "\r\x85";
  return text;
}

void tiofile::openfile(const std::string& given, bool copy) {
  const std::string name = absolutename(given);
  if (isprojectname(name)) {
    // A project that cannot be read leaves the open one as it was, changes
    // and all.
    if (openproject(name)) {
      main_.modified = 0;
      // An opened project has nothing to undo.
      main_.history().reset();
    }
    return;
  }
  std::string bytes;
  if (!readfile(name, bytes)) return;
  const tqvdecoded d = decodeqvfile(bytes);
  if (refused(d)) return;
  if (d.header.type == qvfile::windowtype) {
    main_.activewindow = nullptr;
    tgrform* w = createwindow();
    loadwindow(*w, d, name, copy);
    return;
  }
  // A single graph joins the active window.
  tgrform* w = main_.activewindow;
  if (!w) w = createwindow();
  tfigure* made = nullptr;
  for (const tfigurerecord& r : d.figures) made = loadfigure(*w, r);
  if (made) w->resetvisi(*made);
  w->repant();
  if (d.error != qverror::none) tell(qverrortext(d), false);
}

tgrform* tiofile::createwindow() {
  const uint8_t busy = main_.busy;
  main_.busy = 1;
  auto* w = new tgrform(main_);
  main_.busy = busy;
  main_.activewindow = w;
  return w;
}

bool tiofile::loadwindow(tgrform& w, const tqvdecoded& d, const std::string& name, bool copy) {
  if (refused(d)) return false;
  if (d.header.type != qvfile::windowtype) {
    tell(wrongheader, true);
    return false;
  }
  const int n = tgrform::windowcounter;
  const std::string caption = copy ? "Window " + std::to_string(n) : filecaption(n, name);
  w.setWindowTitle(platform::tounicode(caption));

  if (d.haswindow) {
    const twindowrecord& r = d.window;
    w.setGeometry(std::clamp(r.left, -maxextent, maxextent),
                  std::clamp(r.top, -maxextent, maxextent), std::clamp(r.width, 1, maxextent),
                  std::clamp(r.height, 1, maxextent));
    tcoords& c = w.coords;
    c.axiscolour = platformcolour(r.axiscolour);
    c.gridcolour = platformcolour(r.gridcolour);
    c.figcolours[0] = platformcolour(r.passivecolour);
    c.figcolours[1] = platformcolour(r.activecolour);
    w.background = platformcolour(r.background);
    // The zoom tools would take this set-up for a zoom step.
    const uint8_t tool = main_.tool;
    main_.tool = toolcode::select;
    c.setup(0, 0, w.clientwidth(), w.clientheight(), r.minx, r.maxx, r.miny, r.maxy);
    main_.tool = tool;
  }
  for (const tfigurerecord& f : d.figures) loadfigure(w, f);
  for (const tlabelrecord& r : d.labels) {
    auto label = std::make_unique<tgralab>();
    applylabel(*label, r);
    const worldpoint at = w.coords.pixeltoworld(label->left, label->top);
    label->worldx = at.x;
    label->worldy = at.y;
    addwindowlabel(w, std::move(label));
  }
  w.show();
  main_.mdi().setActiveSubWindow(&w);
  if (main_.activewindow != &w) main_.activated(w);
  w.pant();
  if (d.error != qverror::none) tell(qverrortext(d), false);
  return true;
}

tfigure* tiofile::loadfigure(tgrform& w, const tfigurerecord& r) {
  tfunc& func = main_.func();
  for (std::size_t k = 0; k < 5; ++k) func.boxes[k].showvalue(boxvalue(r.params[k]));
  if (r.family == qvfile::customfamily) {
    main_.customtext = r.formula.substr(0, qvfile::formulacapacity);
    main_.customexpression = texpression{};
    parseexpr(main_.customexpression, main_.customtext);
    // The figure is made all the same and keeps its text (a later version of
    // the parser, or the user, may read it); it draws nothing meanwhile.
    if (main_.customexpression.errcode != 0) {
      ++badformulacount_;
      if (badformulas_.size() < maxlisted && std::find(badformulas_.begin(), badformulas_.end(),
                                                       main_.customtext) == badformulas_.end())
        badformulas_.push_back(main_.customtext);
    }
  }
  lastfigure_ = w.creategraph(r.family);
  return lastfigure_;
}

bool tiofile::openproject(const std::string& name) {
  std::string text;
  if (!readfile(name, text)) return false;
  std::vector<std::string> paths;
  std::vector<std::size_t> linenumbers;  // of each path in the project file
  std::size_t line = 0;
  for (std::string& p : decodeproject(text)) {
    ++line;
    if (p.empty()) continue;
    paths.push_back(std::move(p));
    linenumbers.push_back(line);
  }
  if (paths.size() > maxprojectwindows) {
    tell("Prosjektet har mer enn " + std::to_string(maxprojectwindows) +
             " vinduer; bare de f\xF8rste " + std::to_string(maxprojectwindows) + " \xE5pnes.",
         true);
    paths.resize(maxprojectwindows);
  }

  main_.closeaction();
  main_.busy = 1;
  tgrform::resetwindowcounter();
  // One message for the whole project: how many lines failed, which, and why
  // the first did.
  std::vector<std::size_t> badlines;
  std::string firstproblem;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string& path = paths[i];
    main_.activewindow = nullptr;
    tgrform* w = createwindow();
    const std::size_t before = problems_.size();
    std::string bytes;
    if (readfile(path, bytes)) loadwindow(*w, decodeqvfile(bytes), path, false);
    w->show();
    if (problems_.size() == before) continue;
    badlines.push_back(linenumbers[i]);
    if (firstproblem.empty()) firstproblem = problems_[before];
    problems_.resize(before);
  }
  if (badlines.size() == 1) {
    problems_.push_back(firstproblem);
  } else if (!badlines.empty()) {
    std::string text = std::to_string(badlines.size()) + " av " + std::to_string(paths.size()) +
                       " vinduer i prosjektet " + name + " kan ikke leses (linje ";
    for (std::size_t k = 0; k < badlines.size() && k < maxlisted; ++k)
      text += (k ? ", " : "") + std::to_string(badlines[k]);
    if (badlines.size() > maxlisted) text += ", \x85";
    text += ").\rDen f\xF8rste: " + firstproblem;
    problems_.push_back(text);
  }
  main_.busy = 0;
  // The program always has a window to draw in.
  if (main_.windowlist.empty()) main_.newwindowclick();
  main_.updateclosewindowitem();
  main_.setWindowTitle(platform::tounicode(name));
  return true;
}

// --- save

bool tiofile::save(const std::string& given, qvkind kind) {
  const std::string name = absolutename(given);
  if (const std::string error = saveexterror(name, kind); !error.empty()) {
    tell(error, false);
    return false;
  }
  if (kind == qvkind::project) return saveproject(name);
  tgrform* w = main_.activewindow;
  if (!w) return false;
  if (kind == qvkind::graph) {
    if (w->selection.empty()) {
      tell(nographselected, false);
      return false;
    }
    return writefile(name, encodegraphfile(figurerecord(*w->selection[0])));
  }
  if (!writewindow(*w, name)) return false;
  const auto& list = main_.windowlist;
  const auto at = std::find(list.begin(), list.end(), w);
  const int number = static_cast<int>(at - list.begin()) + 1;
  w->setWindowTitle(platform::tounicode(filecaption(number, name)));
  return true;
}

bool tiofile::writewindow(tgrform& w, const std::string& name) {
  twindowfile file;
  twindowrecord& r = file.window;
  const QRect g = w.geometry();
  r.top = g.top();
  r.left = g.left();
  r.width = g.width();
  r.height = g.height();
  r.minx = w.coords.minx;
  r.maxx = w.coords.maxx;
  r.miny = w.coords.miny;
  r.maxy = w.coords.maxy;
  r.background = filecolour(w.windowcolour());
  r.axiscolour = filecolour(w.coords.axiscolour);
  r.gridcolour = filecolour(w.coords.gridcolour);
  r.passivecolour = filecolour(w.coords.figcolours[0]);
  r.activecolour = filecolour(w.coords.figcolours[1]);
  for (const tfigure* f : w.figures()) file.figures.push_back(figurerecord(*f));
  for (const tgralab* l : windowlabels(w)) file.labels.push_back(labelrecord(*l));
  return writefile(name, encodewindowfile(file));
}

bool tiofile::saveproject(const std::string& name) {
  const std::vector<tgrform*> windows = main_.windowlist;
  std::vector<std::string> paths;
  for (tgrform* w : windows)
    paths.push_back(captionpath(platform::tocp1252(w->windowTitle())).value_or(std::string()));
  const tprojectplan plan = planproject(name, paths);

  // The captions change only when everything was written, so that a folder
  // that cannot be written to is not kept as the windows' home.
  std::vector<std::string> lines;
  for (int i : plan.window) {
    if (i < 0) continue;
    const std::string& path = plan.path[static_cast<std::size_t>(i)];
    if (!writewindow(*windows[static_cast<std::size_t>(i)], path)) return false;
    lines.push_back(path);
  }
  if (!writefile(name, encodeproject(lines))) return false;
  for (std::size_t i = 0; i < windows.size(); ++i)
    windows[i]->setWindowTitle(platform::tounicode(filecaption(plan.number[i], plan.path[i])));
  main_.setWindowTitle(platform::tounicode(name));
  return true;
}
