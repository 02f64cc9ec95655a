// The program's frame: menu bar, tool buttons, status line and the area that
// holds the graph windows and the function panel. It owns the program-wide
// state the other windows read: the window list, the active window, the
// current tool and the busy and modified flags.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "expr/tnode.h"
#include "platform/services.h"
#include "platform/surface.h"
#include "shell/tcommands.h"
#include "shell/tcursors.h"
#include "shell/tfilecommands.h"
#include "shell/windowlayout.h"

class tgrform;
class tfunc;
class toptions;
class tclipbrd;
class tcliplink;
class tfontwindow;
class tfontlink;
class ttablelink;
class tvaluetable;
class QDialog;

struct tstartoptions {
  std::string inipath;             // settings file; empty: "QV.INI" in the working directory
  std::string splashpath;          // companion program; empty: tarnelo-splash beside the program
  bool nosplash = false;           // start no companion at all
  std::vector<std::string> files;  // opened after start-up, as "&Åpne..." would
};

class tmainform : public QMainWindow {
 public:
  tmainform(platform::services& services, platform::imagefactory& images,
            tstartoptions startoptions = {});
  ~tmainform() override;

  // --- program-wide state
  std::vector<tgrform*> windowlist;  // creation order; the windows belong to the frame
  tgrform* activewindow = nullptr;
  uint8_t tool = 0;
  int16_t toolcursor = tcursors::arrow;
  uint8_t busy = 0;
  uint8_t modified = 0;
  uint8_t firstshow = 1;
  uint8_t terminating = 0;
  uint8_t panelactive = 0;
  uint8_t panelrepaint = 0;
  uint8_t buttondown = 0;
  std::string customtext;  // the last user-defined formula, at most 80 characters
  texpression customexpression;

  platform::services& services() { return services_; }
  platform::imagefactory& images() { return images_; }
  const tcursors& cursors() const { return cursors_; }
  const tcommands& commands() const { return *commands_; }
  QMdiArea& mdi() { return *mdi_; }
  toptions& options() { return *options_; }
  tfunc& func() { return *func_; }
  bool hasfunc() const { return func_ != nullptr; }
  tclipbrd& clipboard() { return *clipboard_; }
  // The label font window; nullptr until the start-up has made it.
  tfontwindow* fontwindow() { return fontwindow_; }
  const tstartoptions& startoptions() const { return startoptions_; }
  // The table of values, made at its first use.
  tvaluetable& valuetable();
  // The figures changed: an open table of values shows them anew.
  void figureschanged();
  // The file commands and the file object they read and write through.
  tfilecommands& files() { return *files_; }
  tiofile& iofile() { return files_->iofile(); }

  // --- start-up (see startup.h for the order)
  void createpointdialogs();
  void createoptions();
  void createpanel();
  void createremainingdialogs();
  void createabout();
  // Every part made by the start-up, in the order it was made.
  std::vector<std::string> startlog;

  // --- status line: panel 0 coordinates, panel 1 tool, panel 2 hint
  void setpanel(int panel, const QString& text);
  QString paneltext(int panel) const;
  void clearhint() { setpanel(2, QString()); }

  // --- operations other windows call
  void enablecutcopy(bool on);
  bool cutcopyon() const { return cutcopyon_; }
  void closeaction();
  void updateclosewindowitem();
  tframemeasures measures() const;
  // The current tool's item and button checked, as after a tool command.
  void checktool(const std::string& item);

  // --- commands
  tgrform* newwindowclick();
  void newprojectclick();
  void closewindowclick();
  void tileclick();
  void cascadeclick();
  void newfigure(int family);
  void zoomclick(const std::string& itemname);
  void normalclick();   // reset view
  void zoomoutclick();  // one zoom-out step
  void toolclick(int toolcode);
  void aboutclick();
  // The zoom factor an item of the "&Vis" menu stands for; 0 for other names.
  static int zoomfactor(const std::string& itemname);
  // Runs the item's command as a click on it would.
  void runcommand(const std::string& itemname);
  // A graph window got the focus: it activates, the one before deactivates.
  void activated(tgrform& w);
  // The graph window shown in front becomes the active one, so that commands
  // act on the window the user sees.
  void activatefront();

  // The main window's own help context number.
  static constexpr int helpcontext = 1;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void connectcommands();
  void rebuildwindowmenu();
  void setupwindowview(tgrform& w, double minx, double maxx, double miny, double maxy);
  void afterzoom();

  platform::services& services_;
  platform::imagefactory& images_;
  tstartoptions startoptions_;
  tcursors cursors_;
  std::unique_ptr<tcommands> commands_;
  std::unique_ptr<tfilecommands> files_;
  QMdiArea* mdi_ = nullptr;
  std::array<QLabel*, 3> panels_{};
  std::unique_ptr<toptions> options_;
  tfunc* func_ = nullptr;
  tgrform* lastactivated_ = nullptr;
  bool cutcopyon_ = false;
  std::vector<std::unique_ptr<QDialog>> dialogs_;
  std::unique_ptr<tcliplink> cliplink_;
  std::unique_ptr<tclipbrd> clipboard_;
  std::unique_ptr<tfontlink> fontlink_;
  tfontwindow* fontwindow_ = nullptr;  // held in dialogs_
  std::unique_ptr<ttablelink> tablelink_;
  tvaluetable* valuetable_ = nullptr;  // a child window of the frame
};
