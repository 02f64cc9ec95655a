// Scripted services for tests: every request is recorded (so a test can check
// the exact Norwegian text of a message) and answered from queues the test
// fills beforehand. Nothing here ever shows a window or waits.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services.h"
#include "support/recordingsurface.h"

class fakeservices : public platform::services {
 public:
  struct message {
    std::string text;
    std::string caption;
    platform::msgkind kind;
    platform::msgbuttons buttons;
  };
  enum class dialogkind { open, save };
  struct filerequest {
    dialogkind kind;
    platform::filedialog asked;  // as handed in
  };
  // The user's answer to a file dialog: accepted with a name and filter, or cancelled.
  struct fileanswer {
    bool accepted = false;
    std::string filename;
    int filterindex = 1;
  };
  enum class helpkind { topic, contents, search, howtouse };
  struct helprequest {
    helpkind kind;
    int topic;        // topic only
    std::string key;  // search only
  };
  struct programstart {
    std::string path;
    std::string parameters;
  };

  // --- script
  // Answers for message boxes, in order. When the queue is empty the box
  // answers with its first button (OK or Yes).
  std::deque<platform::msgresult> msganswers;
  std::deque<fileanswer> fileanswers;  // empty: the dialog is cancelled
  bool printer = true;
  std::deque<bool> printdialoganswers;  // empty: cancelled
  std::deque<bool> setupdialoganswers;  // empty: cancelled
  int pagewidthpx = 800;
  int pageheightpx = 1100;
  int ppi = 100;
  bool startsucceeds = true;
  char separator = ',';
  // When set, the document itself (begindoc to enddoc, the page size and
  // resolution) goes to these services, e.g. a real printer writing a PDF
  // file; the dialog answers and the titles are still scripted and recorded.
  platform::services* printvia = nullptr;

  // --- record
  std::vector<message> messages;
  std::vector<filerequest> filerequests;
  int printdialogs = 0;
  int setupdialogs = 0;
  std::vector<std::string> documents;  // titles given to begindoc
  // Finished pages (at newpage and enddoc), each the entries drawn on it.
  std::vector<std::vector<recordentry>> pages;
  bool printing = false;
  std::vector<helprequest> helprequests;
  std::vector<programstart> programstarts;
  std::vector<platform::point> pointermoves;
  std::vector<bool> busycursor;
  // The last picture put on the clipboard, its pixels row by row.
  int clipboardwidth = 0;
  int clipboardheight = 0;
  std::vector<platform::colour> clipboardpixels;
  int clipboardputs = 0;
  std::string clipboardtext;  // the last text put on the clipboard

  // Where text holds a UTF-8 sequence of two or more bytes (npos: none). Every
  // text handed to the services is Windows-1252; the fake fails the test that
  // hands it such a sequence.
  static std::size_t utf8at(std::string_view text);

  // The page surface; after enddoc it still shows the last page.
  recordingsurface& page() { return page_; }

  // --- platform::services
  platform::msgresult messagebox(const std::string& text, const std::string& caption,
                                 platform::msgkind kind, platform::msgbuttons buttons) override;
  bool openfile(platform::filedialog& d) override;
  bool savefile(platform::filedialog& d) override;
  bool printeravailable() override { return printer; }
  bool printersetupdialog() override;
  bool printdialog() override;
  platform::surface* begindoc(const std::string& title) override;
  int pagewidth() override { return printvia ? printvia->pagewidth() : pagewidthpx; }
  int pageheight() override { return printvia ? printvia->pageheight() : pageheightpx; }
  int pixelsperinch() override { return printvia ? printvia->pixelsperinch() : ppi; }
  void newpage() override;
  void enddoc() override;
  void copytoclipboard(const platform::image& picture) override;
  void copytexttoclipboard(const std::string& text) override { clipboardtext = text; }
  void helptopic(int topic) override { helprequests.push_back({helpkind::topic, topic, {}}); }
  void helpcontents() override { helprequests.push_back({helpkind::contents, 0, {}}); }
  void helpsearch(const std::string& key) override {
    helprequests.push_back({helpkind::search, 0, key});
  }
  void helponhelp() override { helprequests.push_back({helpkind::howtouse, 0, {}}); }
  bool startprogram(const std::string& path, const std::string& parameters) override;
  void movepointer(int x, int y) override;
  void setbusycursor(bool busy) override { busycursor.push_back(busy); }
  char decimalseparator() const override { return separator; }

 private:
  bool filedialogrun(dialogkind kind, platform::filedialog& d);
  static void checkencoding(std::string_view what, std::string_view text);
  void finishpage();

  recordingsurface page_;
};
