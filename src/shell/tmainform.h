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
#include "graph/tcursors.h"
#include "graph/tgraphhost.h"
#include "graph/windowlayout.h"
#include "platform/services.h"
#include "platform/surface.h"
#include "shell/tcommands.h"
#include "shell/tfilecommands.h"
#include "shell/tfunc.h"

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
class tundohistory;

struct tstartoptions {
  std::string inipath;             // settings file; empty: "QV.INI" in the working directory
  std::string splashpath;          // companion program; empty: tarnelo-splash beside the program
  bool nosplash = false;           // start no companion at all
  std::vector<std::string> files;  // opened after start-up, as "&Åpne..." would
};

class tmainform : public QMainWindow, public tgraphhost {
 public:
  tmainform(platform::services& services, platform::imagefactory& images,
            tstartoptions startoptions = {});
  ~tmainform() override;

  // --- program-wide state (the rest is declared by tgraphhost)
  uint8_t firstshow = 1;

  QWidget& frame() override { return *this; }
  platform::services& services() override { return services_; }
  platform::imagefactory& images() override { return images_; }
  const tcursors& cursors() const override { return cursors_; }
  const tcommands& commands() const { return *commands_; }
  QMdiArea& mdi() override { return *mdi_; }
  toptions& options() override { return *options_; }
  tfunc& func() override { return *func_; }
  bool hasfunc() const override { return func_ != nullptr; }
  tclipbrd& clipboard() override { return *clipboard_; }
  tfontwindow* fontwindow() override { return fontwindow_; }
  const tstartoptions& startoptions() const { return startoptions_; }
  // The table of values, made at its first use.
  tvaluetable& valuetable();
  // The figures changed: an open table of values shows them anew.
  void figureschanged() override;
  // The file commands and the file object they read and write through.
  tfilecommands& files() { return *files_; }
  tiofile& iofile() { return files_->iofile(); }
  // Every change of the work, for "Angre" and "Gjør om".
  tundohistory& history() { return *history_; }
  void gesturedone(const std::string& verb) override;
  // A change made outside the commands and the windows' gestures (OK in the
  // options dialog) becomes one step of this name.
  void changedone(const QString& name);

  // --- start-up (see startup.h for the order)
  void createpointdialogs();
  void createoptions();
  void createpanel();
  void createremainingdialogs();
  void createabout();
  // Every part made by the start-up, in the order it was made.
  std::vector<std::string> startlog;

  // --- status line: panel 0 coordinates, panel 1 tool, panel 2 hint
  void setpanel(int panel, const QString& text) override;
  QString paneltext(int panel) const override;

  // --- operations other windows call
  void enablecutcopy(bool on) override;
  bool cutcopyon() const { return cutcopyon_; }
  void closeaction();
  void updateclosewindowitem() override;
  tframemeasures measures() const override;
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
  void zoomoutclick() override;
  void toolclick(int toolcode) override;
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
  std::unique_ptr<tundohistory> history_;
};
