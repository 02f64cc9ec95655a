#include "tscriptedservices.h"

#include <algorithm>

using platform::msgbuttons;
using platform::msgresult;

void tscriptedservices::check(const char* what, const std::string& text) {
  if (damagedname) return;
  if (const std::size_t at = utf8at(text); at != std::string::npos)
    encodingfaults.push_back(std::string(what) + " is UTF-8 at byte " + std::to_string(at) + ": " +
                             text);
}

msgresult tscriptedservices::messagebox(const std::string& text, const std::string& caption,
                                        platform::msgkind kind, msgbuttons buttons) {
  check("message text", text);
  check("message caption", caption);
  messages.push_back({text, caption, kind, buttons});
  if (messages.size() > 200) messages.erase(messages.begin(), messages.begin() + 100);
  if (!msganswers.empty()) {
    const msgresult r = msganswers.front();
    msganswers.pop_front();
    return r;
  }
  switch (buttons) {
    case msgbuttons::ok:
      return msgresult::ok;
    case msgbuttons::okcancel:
      return rng_.chance(70) ? msgresult::ok : msgresult::cancel;
    case msgbuttons::yes:
      return msgresult::yes;
    case msgbuttons::yesno:
      return rng_.chance(50) ? msgresult::yes : msgresult::no;
    case msgbuttons::yesnocancel: {
      const int r = rng_.below(3);
      return r == 0 ? msgresult::yes : r == 1 ? msgresult::no : msgresult::cancel;
    }
  }
  return msgresult::ok;
}

bool tscriptedservices::answerfile(platform::filedialog& d, bool saving) {
  check("file dialog title", d.title);
  check("file dialog filter", d.filter);
  filerequests.push_back({saving ? dialogkind::save : dialogkind::open, d});
  if (filerequests.size() > 200)
    filerequests.erase(filerequests.begin(), filerequests.begin() + 100);
  if (!fileanswers.empty()) {
    const fileanswer a = fileanswers.front();
    fileanswers.pop_front();
    if (!a.accepted) return false;
    d.filename = a.filename;
    d.filterindex = a.filterindex;
    return true;
  }
  if (rng_.chance(20)) return false;
  const int filters = static_cast<int>(std::count(d.filter.begin(), d.filter.end(), '|') + 1) / 2;
  d.filterindex = rng_.between(1, std::max(1, filters));
  if (!knownfiles.empty() && rng_.chance(saving ? 30 : 85)) {
    d.filename = rng_.pick(knownfiles);
    if (d.filename.find("/damaged") != std::string::npos) damagedname = true;
    return true;
  }
  static const std::vector<std::string> extensions{".QVP", ".QVW", ".QVS", ".qvw", ".png",
                                                   ".svg", ".pdf", "",     ".txt", ".QVP.QVW"};
  std::string name = folder_ + "/f" + std::to_string(++newnames_) + rng_.pick(extensions);
  if (rng_.chance(5)) name = folder_ + "/missing/f" + std::to_string(newnames_) + ".QVW";
  d.filename = name;
  if (saving) knownfiles.push_back(name);
  return true;
}

bool tscriptedservices::openfile(platform::filedialog& d) {
  return answerfile(d, false);
}

bool tscriptedservices::savefile(platform::filedialog& d) {
  return answerfile(d, true);
}

bool tscriptedservices::printersetupdialog() {
  ++setupdialogs;
  return rng_.chance(50);
}

bool tscriptedservices::printdialog() {
  ++printdialogs;
  return rng_.chance(50);
}

platform::surface* tscriptedservices::begindoc(const std::string& title) {
  check("document title", title);
  // Only the last document's pages are of interest; keep memory bounded.
  pages.clear();
  documents.clear();
  return fakeservices::begindoc(title);
}
