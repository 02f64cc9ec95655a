#include "settings/tinifile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void writefile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray readfile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

tsettings changed() {
  tsettings s = defaultsettings(',');
  s.minx = "-2,5";
  s.active = 4;
  s.params.step[2] = 0.005f;
  s.params.names = {'p', 'q', 'r', 's', 't'};
  s.params.funcname = 2;
  return s;
}

TEST(tinifile, findsTheFileInAnyCasePreferringCapitals) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_EQ(tinifile::findin(dir.path()), "");
  writefile(dir.filePath("qv.Ini"), "[Names]\r\n");
  EXPECT_EQ(tinifile::findin(dir.path()), dir.filePath("qv.Ini"));
  writefile(dir.filePath("QV.INI"), "[Names]\r\n");
  EXPECT_EQ(tinifile::findin(dir.path()), dir.filePath("QV.INI"));
  QDir(dir.path()).mkdir("sub");
  QDir(dir.path()).rename("QV.INI", "sub/QV.INI");
  QDir(dir.path()).remove("qv.Ini");
  QDir(dir.path()).mkdir("qv.ini");  // a folder of that name is no settings file
  EXPECT_EQ(tinifile::findin(dir.path()), "");
}

TEST(tinifile, missingFileKeepsTheDefaults) {
  QTemporaryDir dir;
  tinifile ini(dir.filePath("QV.INI"));
  tsettings s = defaultsettings(',');
  const tinireadresult r = ini.reading(s);
  EXPECT_EQ(r.error, inierror::missing);
  EXPECT_EQ(inierrortext(r), "Error Reading Qv.Ini");
  EXPECT_FALSE(ini.loaded());
  EXPECT_EQ(s, defaultsettings(','));
}

TEST(tinifile, writesFortyNineCrLfLinesAndReadsThemBack) {
  QTemporaryDir dir;
  const QString path = dir.filePath("QV.INI");
  tinifile ini(path);
  EXPECT_EQ(ini.writing(changed(), ','), "");
  const QByteArray bytes = readfile(path);
  EXPECT_EQ(bytes.count("\r\n"), 49);
  EXPECT_TRUE(bytes.startsWith("[Coordinate system]\r\nMin x=-2,5\r\n"));
  EXPECT_TRUE(bytes.contains("\r\nStepC=0,005\r\n"));

  tinifile again(path);
  tsettings s = defaultsettings(',');
  const tinireadresult r = again.reading(s);
  EXPECT_EQ(r.error, inierror::none);
  EXPECT_TRUE(again.loaded());
  EXPECT_EQ(s, changed());
}

TEST(tinifile, readsAndReplacesTheFileFoundInTheWorkingDirectory) {
  QTemporaryDir dir;
  writefile(dir.filePath("qv.ini"), "[Colors]\nActive=3\n");
  const QString old = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  tinifile ini;
  tsettings s = defaultsettings(',');
  const tinireadresult r = ini.reading(s);
  const QString written = ini.writing(changed(), ',');
  QDir::setCurrent(old);
  EXPECT_EQ(r.error, inierror::none);
  EXPECT_EQ(s.active, 3);
  EXPECT_EQ(written, "");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"qv.ini"});
  EXPECT_TRUE(readfile(dir.filePath("qv.ini")).contains("Active=4\r\n"));
}

TEST(tinifile, damagedFileIsNotLoaded) {
  QTemporaryDir dir;
  const QString path = dir.filePath("QV.INI");
  writefile(path, "[Colors]\r\nActive=3\r\n\r\nPassive=4\r\n");
  tinifile ini(path);
  tsettings s = defaultsettings(',');
  const tinireadresult r = ini.reading(s);
  EXPECT_EQ(r.error, inierror::damaged);
  EXPECT_FALSE(ini.loaded());
  EXPECT_EQ(s.active, 3);
}

TEST(tinifile, oversizedFileIsRefusedUnread) {
  QTemporaryDir dir;
  const QString path = dir.filePath("QV.INI");
  writefile(path, "[Colors]\r\nActive=3\r\n" + QByteArray(tinifile::maxsize, 'x'));
  tinifile ini(path);
  tsettings s = defaultsettings(',');
  EXPECT_EQ(ini.reading(s).error, inierror::damaged);
  EXPECT_FALSE(ini.loaded());
  EXPECT_EQ(s.active, 9);
}

TEST(tinifile, failedWriteReportsAndLeavesNoFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("missing-folder/QV.INI");
  tinifile ini(path);
  const QString error = ini.writing(changed(), ',');
  EXPECT_TRUE(error.startsWith("Kan ikke lagre innstillingene i fila")) << error.toStdString();
  EXPECT_FALSE(QFile::exists(path));
}

TEST(tinifile, failedWriteKeepsTheOldFile) {
  QTemporaryDir dir;
  // The name is taken by a folder, so the finished temporary file cannot replace it.
  const QString path = dir.filePath("QV.INI");
  QDir(dir.path()).mkdir("QV.INI");
  tinifile ini(path);
  EXPECT_NE(ini.writing(changed(), ','), "");
  EXPECT_TRUE(QFileInfo(path).isDir());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

}  // namespace
