#include "settings/tinifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <string>

#include "codecs/ttextlines.h"

tinifile::tinifile(QString path) : given_(std::move(path)) {}

QString tinifile::findin(const QString& dir) {
  const QDir d(dir);
  if (QFileInfo(d.filePath(filename)).isFile()) return d.filePath(filename);
  const QStringList entries = d.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString& e : entries)
    if (e.compare(QLatin1String(filename), Qt::CaseInsensitive) == 0) return d.filePath(e);
  return {};
}

QString tinifile::resolve() {
  if (!given_.isEmpty()) return given_;
  const QString found = findin(QDir::currentPath());
  return found.isEmpty() ? QDir::current().filePath(filename) : found;
}

void tinifile::keepbackup() {
  const QString name = path_ + QStringLiteral(".bak");
  QFile::remove(name);
  if (QFile::copy(path_, name))
    backup_ = name;
  else
    backupfailed_ = true;
}

tinireadresult tinifile::reading(tsettings& s) {
  path_ = resolve();
  backup_.clear();
  backupfailed_ = false;
  codec_.setlines({});
  QFile f(path_);
  if (!f.exists() || !f.open(QIODevice::ReadOnly)) {
    tinireadresult r;
    r.error = inierror::missing;
    return r;
  }
  const QByteArray bytes = f.read(maxsize + 1);
  f.close();
  if (bytes.size() > maxsize) {
    tinireadresult r;
    r.error = inierror::damaged;
    keepbackup();
    return r;
  }
  codec_.setlines(codecs::splitlines(std::string_view(bytes.constData(), bytes.size())));
  const tinireadresult r = codec_.reading(s);
  // An empty file holds nothing to lose.
  if (!r.loaded && !bytes.isEmpty()) keepbackup();
  return r;
}

QString tinifile::writing(const tsettings& s, char decimalsep) {
  if (path_.isEmpty()) path_ = resolve();
  tinicodec out;
  out.writing(s, decimalsep);
  const std::string text = out.text();
  QSaveFile f(path_);
  // Never write in place: a failed save must leave the old file whole.
  f.setDirectWriteFallback(false);
  if (!f.open(QIODevice::WriteOnly) ||
      f.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
      !f.commit()) {
    return QStringLiteral("Kan ikke lagre innstillingene i fila %1.\n%2")
        .arg(QDir::toNativeSeparators(path_), f.errorString());
  }
  return {};
}
