// Qt's own dialog texts in Bokmål, ahead of the Nynorsk that Debian ships.
#include "platform/qt/tbokmaal.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

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
      {"QPlatformTheme", "Cancel", ""},      // the same in both written forms
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
