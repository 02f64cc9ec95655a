// The figure clipboard and the label font window joined to the main window:
// their host interfaces implemented on it, and the "&Rediger" commands that
// act on the active graph window.
#pragma once

#include <string>

#include "graph/tclipbrd.h"
#include "graph/tfontwindow.h"

class tmainform;

class tcliplink : public tcliphost {
 public:
  explicit tcliplink(tmainform& main) : main_(main) {}
  void enablepaste(bool on) override;
  void enableundodelete(bool on) override;
  void enablecutcopy(bool on) override;
  bool setcustomformula(const std::string& text) override;
  void setboxvalue(int k, float value) override;
  void showboxtext(int k, float value) override;
  void showemptypanel() override;

 private:
  tmainform& main_;
};

class tfontlink : public tfonthost {
 public:
  explicit tfontlink(tmainform& main) : main_(main) {}
  tlabelmemo* activememo() override;
  void setpaintlock(bool on) override;
  void fontwindowclosed() override;

 private:
  tmainform& main_;
};

// "&Klipp", "K&opier", "&Lim inn", "&Slett", "&Angre sletting" on the active
// window; nothing happens without one.
void cutclick(tmainform& main);
void copyclick(tmainform& main);
void pasteclick(tmainform& main);
void deleteclick(tmainform& main);
void undeleteclick(tmainform& main);
// "Kopier som &grafikk til klippebordet": a picture of the active window's
// client area, or of the function panel when it was activated last, on the
// system clipboard.
void copypictureclick(tmainform& main);
// Connects the six commands to their items.
void connecteditcommands(tmainform& main);
