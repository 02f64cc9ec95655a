// Qt's own dialog texts in Bokmål, ahead of the Nynorsk that Debian ships.
#include "platform/qt/tbokmaal.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

TEST(tbokmaal, answers_the_dialog_texts_and_leaves_the_rest) {
  const platform::tbokmaal bokmaal;
  struct row {
    const char* context;
    const char* source;
    const char* expected;  // empty: left to the next translator
  };
  const row rows[] = {
      {"QFileDialog", "Look in:", "Søk i:"},
      {"QFileDialog", "&Save", "&Lagre"},
      {"QFileDialog", "File &name:", "Fil&navn:"},
      {"QFileSystemModel", "Name", "Navn"},
      {"QPlatformTheme", "Open", "Åpne"},
      {"QPlatformTheme", "Cancel",
       "Avbryt"},  // the same in both written forms, answered all the same
      {"QFileSystemModel", "Look in:", ""},  // the right text in the wrong context
      {"QFileDialog", "look in:", ""},
      {"", "", ""},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(std::string(r.context) + " / " + r.source);
    EXPECT_EQ(bokmaal.translate(r.context, r.source), QString::fromUtf8(r.expected));
  }
  EXPECT_TRUE(bokmaal.translate(nullptr, "Open").isNull());
  EXPECT_FALSE(bokmaal.isEmpty());
}

struct qmmessage {
  std::string context;
  std::string source;
  QString translation;
};

// The messages of a compiled Qt translation file: its "messages" block holds,
// per message, tagged fields (3 translation in UTF-16, 6 source text, 7
// context, 8 comment) and an end tag 1.
std::vector<qmmessage> readqm(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray d = f.readAll();
  const auto u8 = [&](qsizetype i) { return static_cast<uint8_t>(d[i]); };
  const auto u32 = [&](qsizetype i) {
    return static_cast<uint32_t>(u8(i)) << 24 | static_cast<uint32_t>(u8(i + 1)) << 16 |
           static_cast<uint32_t>(u8(i + 2)) << 8 | u8(i + 3);
  };
  std::vector<qmmessage> out;
  qsizetype at = 16;  // past the magic number
  while (at + 5 <= d.size()) {
    const uint8_t tag = u8(at);
    const qsizetype length = u32(at + 1);
    at += 5;
    if (at + length > d.size()) break;
    if (tag == 0x69) {
      qmmessage m;
      for (qsizetype i = at; i < at + length;) {
        const uint8_t field = u8(i++);
        if (field == 1) {
          out.push_back(m);
          m = {};
          continue;
        }
        if (field == 5 || field == 9) continue;
        uint32_t n = u32(i);
        i += 4;
        if (n == 0xFFFFFFFFu) n = 0;
        if (i + n > at + length) break;
        const QByteArray bytes = d.mid(i, n);
        if (field == 3) {
          QString t;
          for (qsizetype k = 0; k + 1 < bytes.size(); k += 2)
            t += QChar(static_cast<char16_t>(static_cast<uint8_t>(bytes[k]) << 8 |
                                             static_cast<uint8_t>(bytes[k + 1])));
          m.translation = t;
        } else if (field == 6) {
          m.source = bytes.toStdString();
        } else if (field == 7) {
          m.context = bytes.toStdString();
        }
        i += n;
      }
    }
    at += length;
  }
  return out;
}

QString nynorskfile() {
  return QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath("qtbase_nn.qm");
}

// Whatever Qt's Nynorsk says in the file, print and page set-up dialogs, their
// buttons and the file errors they show, Bokmål answers first.
TEST(tbokmaal, answers_every_nynorsk_text_of_the_dialogs) {
  const std::vector<qmmessage> messages = readqm(nynorskfile());
  ASSERT_GT(messages.size(), 1000u) << "Qt's Norwegian translation is missing";
  const std::array<const char*, 18> contexts{"QFileDialog",
                                             "QFileSystemModel",
                                             "QPlatformTheme",
                                             "QGnomeTheme",
                                             "QPrintDialog",
                                             "QPrintWidget",
                                             "QPrintSettingsOutput",
                                             "QPrintPreviewDialog",
                                             "QPageSetupWidget",
                                             "QPageSize",
                                             "QPrintPropertiesDialog",
                                             "QPrintPropertiesWidget",
                                             "QCupsJobWidget",
                                             "QCupsPrinterSupport",
                                             "QIODevice",
                                             "QFile",
                                             "QSaveFile",
                                             "QFileDevice"};
  const platform::tbokmaal bokmaal;
  int checked = 0;
  for (const qmmessage& m : messages) {
    if (std::find(contexts.begin(), contexts.end(), m.context) == contexts.end()) continue;
    // A "translation" that is the English text itself (A4, OK) is no Nynorsk.
    if (m.translation == QString::fromStdString(m.source)) continue;
    ++checked;
    EXPECT_FALSE(bokmaal.translate(m.context.c_str(), m.source.c_str()).isEmpty())
        << m.context << " / " << m.source << " -> " << m.translation.toStdString();
  }
  EXPECT_GT(checked, 250);
}

// The file errors a message of the program quotes, in the order the program
// installs the translators.
TEST(tbokmaal, file_errors_read_in_bokmaal) {
  QTranslator nynorsk;
  ASSERT_TRUE(nynorsk.load(nynorskfile()));
  platform::tbokmaal bokmaal;
  ASSERT_TRUE(QCoreApplication::installTranslator(&nynorsk));
  ASSERT_TRUE(QCoreApplication::installTranslator(&bokmaal));
  QTemporaryDir dir;
  QFile missing(dir.filePath("mangler.QVW"));
  EXPECT_FALSE(missing.open(QIODevice::ReadOnly));
  EXPECT_EQ(missing.errorString(), QStringLiteral("Filen eller mappen finnes ikke"));
  QFile folder(dir.path());
  EXPECT_FALSE(folder.open(QIODevice::ReadOnly));
  EXPECT_EQ(folder.errorString(), QString::fromUtf8("filen som skal åpnes, er en mappe"));
  QSaveFile save(dir.path());
  EXPECT_FALSE(save.open(QIODevice::WriteOnly));
  EXPECT_EQ(save.errorString(), QStringLiteral("Filnavnet viser til en mappe"));
  QCoreApplication::removeTranslator(&bokmaal);
  QCoreApplication::removeTranslator(&nynorsk);
}

TEST(tbokmaal, installed_it_is_asked_first) {
  platform::tbokmaal bokmaal;
  ASSERT_TRUE(QCoreApplication::installTranslator(&bokmaal));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Lagre som"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Not a Qt text"),
            QStringLiteral("Not a Qt text"));
  QCoreApplication::removeTranslator(&bokmaal);
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Save As"));
}

}  // namespace
