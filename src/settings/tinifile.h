// The settings file on disk: finds "QV.INI", loads its lines into the settings
// codec and saves them back. Reports problems as values; the options show them.
#pragma once

#include <QString>

#include "codecs/tinicodec.h"
#include "codecs/tsettings.h"

class tinifile {
 public:
  static constexpr const char* filename = "QV.INI";
  // A settings file is a few hundred bytes; anything past this is not one.
  static constexpr qint64 maxsize = 1 << 20;

  // `path` names the file; empty means "QV.INI" in the working directory at the
  // time of reading, found in any case of the name.
  explicit tinifile(QString path = {});

  // The settings file in `dir`: "QV.INI" when it exists, otherwise the first
  // entry whose name is "qv.ini" in any case; "" when there is none.
  static QString findin(const QString& dir);

  // Reads the file into `s`. A missing or unreadable file gives
  // inierror::missing and leaves `s` alone.
  tinireadresult reading(tsettings& s);
  // True when the last reading read a non-empty file without error.
  bool loaded() const { return codec_.loaded(); }
  // A damaged file is copied to this name ("QV.INI.bak" beside it, an older
  // copy replaced) by the reading that found the damage, so that rewriting it
  // loses nothing. "" when no copy was made.
  const QString& backup() const { return backup_; }
  // True when a damaged file could not be copied; it must not be rewritten then.
  bool backupfailed() const { return backupfailed_; }

  // Writes the 49 lines from `s` through a temporary file that replaces the old
  // one only when complete. Returns "" or the message for the user.
  QString writing(const tsettings& s, char decimalsep);

  // The file read or to be written ("" until it has been looked for).
  const QString& path() const { return path_; }

 private:
  QString resolve();
  void keepbackup();

  QString given_;
  QString path_;
  QString backup_;
  bool backupfailed_ = false;
  tinicodec codec_;
};
