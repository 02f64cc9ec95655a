// The file commands of the main window: "&Åpne...", "&Lagre prosjekt",
// "Lagre &som..." and the question whether to save a changed project before
// it is closed. The files themselves are read and written by tiofile.
#pragma once

#include <string>

#include "shell/tiofile.h"

class tmainform;

class tfilecommands {
 public:
  static constexpr int opendialoghelp = 68;
  static constexpr int savedialoghelp = 9;

  explicit tfilecommands(tmainform& main);

  void openclick();
  // What "&Åpne..." does once its dialog has given a name: the save question
  // before a project replaces a changed one, the copy question for a window
  // file that is open already, then the file itself.
  void openfile(const std::string& name);
  // True when the project was saved, or there was nothing to save.
  bool saveprojectclick();
  // True when the dialog was accepted and the file saved.
  bool saveasclick();
  // Asks whether to save a changed project before it goes; true when it may
  // go (saved, or the user said no). exiting: "Ja" always asks for a name.
  bool savequestion(bool exiting);

  // The frame caption names the project's file.
  bool hasprojectname() const;

  tiofile& iofile() { return iofile_; }
  int savefilterindex = 1;

 private:
  tmainform& main_;
  tiofile iofile_;
};
