#include "support/fakeservices.h"

using platform::msgbuttons;
using platform::msgresult;

platform::msgresult fakeservices::messagebox(const std::string& text, const std::string& caption,
                                             platform::msgkind kind, msgbuttons buttons) {
  messages.push_back({text, caption, kind, buttons});
  if (!msganswers.empty()) {
    const msgresult r = msganswers.front();
    msganswers.pop_front();
    return r;
  }
  switch (buttons) {
    case msgbuttons::ok:
    case msgbuttons::okcancel:
      return msgresult::ok;
    case msgbuttons::yes:
    case msgbuttons::yesno:
    case msgbuttons::yesnocancel:
      return msgresult::yes;
  }
  return msgresult::ok;
}

bool fakeservices::filedialogrun(dialogkind kind, platform::filedialog& d) {
  filerequests.push_back({kind, d});
  if (fileanswers.empty()) return false;
  const fileanswer a = fileanswers.front();
  fileanswers.pop_front();
  if (!a.accepted) return false;
  d.filename = a.filename;
  d.filterindex = a.filterindex;
  return true;
}

bool fakeservices::openfile(platform::filedialog& d) {
  return filedialogrun(dialogkind::open, d);
}

bool fakeservices::savefile(platform::filedialog& d) {
  return filedialogrun(dialogkind::save, d);
}

bool fakeservices::printersetupdialog() {
  ++setupdialogs;
  if (setupdialoganswers.empty()) return false;
  const bool r = setupdialoganswers.front();
  setupdialoganswers.pop_front();
  return r;
}

bool fakeservices::printdialog() {
  ++printdialogs;
  if (printdialoganswers.empty()) return false;
  const bool r = printdialoganswers.front();
  printdialoganswers.pop_front();
  return r;
}

platform::surface* fakeservices::begindoc(const std::string& title) {
  if (!printer) return nullptr;
  documents.push_back(title);
  page_ = recordingsurface(pagewidthpx, pageheightpx);
  printing = true;
  return &page_;
}

void fakeservices::finishpage() {
  pages.push_back(page_.entries());
  page_.clearentries();
}

void fakeservices::newpage() {
  if (!printing) return;
  finishpage();
  page_.resize(pagewidthpx, pageheightpx);
}

void fakeservices::enddoc() {
  if (!printing) return;
  finishpage();
  printing = false;
}

void fakeservices::copytoclipboard(const platform::image& picture) {
  ++clipboardputs;
  clipboardwidth = picture.width();
  clipboardheight = picture.height();
  clipboardpixels.clear();
  auto& canvas = const_cast<platform::image&>(picture).canvas();
  for (int y = 0; y < clipboardheight; ++y)
    for (int x = 0; x < clipboardwidth; ++x) clipboardpixels.push_back(canvas.getpixel(x, y));
}

bool fakeservices::startprogram(const std::string& path, const std::string& parameters) {
  programstarts.push_back({path, parameters});
  return startsucceeds;
}

void fakeservices::movepointer(int x, int y) {
  pointermoves.push_back({x, y});
}
