#include "support/fakeservices.h"

#include <gtest/gtest.h>

using platform::msgbuttons;
using platform::msgresult;

std::size_t fakeservices::utf8at(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char lead = byte(i);
    const std::size_t follow = lead >= 0xC2 && lead <= 0xDF   ? 1
                               : lead >= 0xE0 && lead <= 0xEF ? 2
                               : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                              : 0;
    if (follow == 0 || i + follow >= text.size()) continue;
    bool all = true;
    for (std::size_t k = 1; all && k <= follow; ++k) all = (byte(i + k) & 0xC0) == 0x80;
    if (all) return i;
  }
  return std::string_view::npos;
}

void fakeservices::checkencoding(std::string_view what, std::string_view text) {
  // Norwegian in Windows-1252 never has a letter from \xC2..\xF4 followed by
  // bytes \x80..\xBF: such a text is UTF-8 and would show as "mÃ¥".
  if (const std::size_t at = utf8at(text); at != std::string_view::npos)
    ADD_FAILURE() << what << " is UTF-8, not Windows-1252, at byte " << at << ": " << text;
}

platform::msgresult fakeservices::messagebox(const std::string& text, const std::string& caption,
                                             platform::msgkind kind, msgbuttons buttons) {
  checkencoding("message text", text);
  checkencoding("message caption", caption);
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
  checkencoding("file dialog title", d.title);
  checkencoding("file dialog filter", d.filter);
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
  checkencoding("document title", title);
  documents.push_back(title);
  if (printvia) return printvia->begindoc(title);
  page_ = recordingsurface(pagewidthpx, pageheightpx);
  printing = true;
  return &page_;
}

void fakeservices::finishpage() {
  pages.push_back(page_.entries());
  page_.clearentries();
}

void fakeservices::newpage() {
  if (printvia) return printvia->newpage();
  if (!printing) return;
  finishpage();
  page_.resize(pagewidthpx, pageheightpx);
}

void fakeservices::enddoc() {
  if (printvia) return printvia->enddoc();
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
