// Everything the program asks of the desktop besides drawing: message boxes,
// file dialogs, the printer, the system clipboard, help, starting the companion
// program, moving the pointer and the decimal separator. The program uses the
// Qt implementation; tests install a scripted fake. Text is Windows-1252.
#pragma once

#include <string>

#include "platform/surface.h"

namespace platform {

enum class msgkind { information, warning, error, confirmation };
enum class msgbuttons { ok, okcancel, yes, yesno, yesnocancel };
enum class msgresult { ok, cancel, yes, no };

// One open or save dialog. filter is a list of description and pattern pairs
// joined by "|", e.g. "Grafprosjekt|*.QVP|Grafvindu|*.QVW". filterindex counts
// from 1; filterindex and filename carry the start values in and the chosen
// ones out.
struct filedialog {
  std::string title;
  std::string filter;
  int filterindex = 1;
  std::string defaultext;  // without the dot, e.g. "QVP"
  std::string filename;
  bool mustexist = true;        // open: path and file must exist
  bool overwriteprompt = true;  // save: ask before replacing a file
  int helpcontext = 0;          // the help topic F1 opens in the dialog; 0: none
};

class services {
 public:
  virtual ~services() = default;

  // Modal message box; returns the button chosen. Escape or closing the box
  // counts as its last button (Avbryt, Nei, or the only one). A "\r" in text
  // starts a new line; an empty caption shows the program's name.
  virtual msgresult messagebox(const std::string& text, const std::string& caption, msgkind kind,
                               msgbuttons buttons) = 0;

  // true when the user accepted; then d.filename and d.filterindex hold the choice.
  virtual bool openfile(filedialog& d) = 0;
  virtual bool savefile(filedialog& d) = 0;

  // Printer. begindoc gives the surface of the first page (owned by the
  // services object, valid until enddoc) or nullptr when no page could be made.
  virtual bool printeravailable() = 0;
  virtual bool printersetupdialog() = 0;
  virtual bool printdialog() = 0;
  virtual surface* begindoc(const std::string& title) = 0;
  virtual int pagewidth() = 0;
  virtual int pageheight() = 0;
  virtual int pixelsperinch() = 0;
  // Starts the next page; the surface returned by begindoc draws on it.
  virtual void newpage() = 0;
  virtual void enddoc() = 0;

  // Puts a copy of the picture on the system clipboard.
  virtual void copytoclipboard(const image& picture) = 0;
  // Puts the text (Windows-1252) on the system clipboard.
  virtual void copytexttoclipboard(const std::string& text) = 0;

  // Help at a context number, its contents, its search page with a start key,
  // and the page on how to use help.
  virtual void helptopic(int topic) = 0;
  virtual void helpcontents() = 0;
  virtual void helpsearch(const std::string& key) = 0;
  virtual void helponhelp() = 0;

  // Starts an external program with a parameter string; false when it could
  // not be started.
  virtual bool startprogram(const std::string& path, const std::string& parameters) = 0;

  // Moves the system pointer to absolute screen coordinates.
  virtual void movepointer(int x, int y) = 0;

  // Hourglass cursor over the whole program while busy is true.
  virtual void setbusycursor(bool busy) = 0;

  // One character taken from the system locale at start ("," in Norway).
  virtual char decimalseparator() const = 0;
};

}  // namespace platform
