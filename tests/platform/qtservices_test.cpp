#include "platform/qt/qtservices.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "platform/qt/cp1252.h"
#include "platform/qt/qtimage.h"

using namespace platform;

namespace {

// Runs act on the message box as soon as it is open; the box never waits for
// a person.
void whenboxopens(std::function<void(QMessageBox&)> act) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      act(*box);
    }
  });
  timer->start();
}

QStringList buttontexts(QMessageBox& box) {
  QStringList out;
  for (auto* b : box.buttons()) out.append(b->text());
  out.sort();
  return out;
}

void click(QMessageBox& box, const QString& text) {
  for (auto* b : box.buttons())
    if (b->text() == text) {
      b->click();
      return;
    }
  ADD_FAILURE() << "no button " << text.toStdString();
  box.reject();
}

}  // namespace

TEST(qtservices, message_boxes_have_norwegian_buttons_and_answer_the_one_clicked) {
  struct row {
    const char* name;
    msgbuttons buttons;
    QStringList texts;  // sorted
    const char* clicked;
    msgresult expect;
  };
  const std::vector<row> rows = {
      {"ok", msgbuttons::ok, {"OK"}, "OK", msgresult::ok},
      {"ok cancel", msgbuttons::okcancel, {"Avbryt", "OK"}, "Avbryt", msgresult::cancel},
      {"yes", msgbuttons::yes, {"Ja"}, "Ja", msgresult::yes},
      {"yes no", msgbuttons::yesno, {"Ja", "Nei"}, "Nei", msgresult::no},
      {"yes no cancel", msgbuttons::yesnocancel, {"Avbryt", "Ja", "Nei"}, "Nei", msgresult::no},
      {"yes no cancel: yes",
       msgbuttons::yesnocancel,
       {"Avbryt", "Ja", "Nei"},
       "Ja",
       msgresult::yes},
  };
  qtservices s;
  for (const auto& r : rows) {
    QStringList seen;
    QString text, title;
    whenboxopens([&](QMessageBox& box) {
      seen = buttontexts(box);
      text = box.text();
      title = box.windowTitle();
      click(box, QString::fromUtf8(r.clicked));
    });
    EXPECT_EQ(s.messagebox("Prosjektet er endret siden siste lagring.\rVil du lagre det?",
                           "Tarnelo", msgkind::warning, r.buttons),
              r.expect)
        << r.name;
    EXPECT_EQ(seen, r.texts) << r.name;
    EXPECT_EQ(text, QStringLiteral("Prosjektet er endret siden siste lagring.\nVil du lagre det?"));
    EXPECT_EQ(title, QStringLiteral("Tarnelo"));
  }
}

TEST(qtservices, closing_a_message_box_answers_with_its_last_button) {
  qtservices s;
  const std::vector<std::pair<msgbuttons, msgresult>> rows = {
      {msgbuttons::ok, msgresult::ok},
      {msgbuttons::yesno, msgresult::no},
      {msgbuttons::yesnocancel, msgresult::cancel},
  };
  for (auto [buttons, expect] : rows) {
    whenboxopens([](QMessageBox& box) { box.reject(); });
    EXPECT_EQ(s.messagebox("\xC6rlig talt", "", msgkind::error, buttons), expect);
  }
}

TEST(qtservices, filter_lists_become_qt_name_filters) {
  struct row {
    const char* name;
    std::string filter;
    QStringList expect;
  };
  const std::vector<row> rows = {
      {"three kinds",
       "Grafprosjekt|*.QVP|Grafvindu|*.QVW|Enkeltgraf|*.QVS",
       {"Grafprosjekt (*.QVP)", "Grafvindu (*.QVW)", "Enkeltgraf (*.QVS)"}},
      {"several patterns", "Bilder|*.bmp;*.png", {"Bilder (*.bmp *.png)"}},
      {"parentheses in the text", "Alle (gamle)|*.*", {"Alle [gamle] (*.*)"}},
      {"dangling description", "Grafvindu|*.QVW|Ufullstendig", {"Grafvindu (*.QVW)"}},
      {"empty pattern dropped", "Tom||Grafvindu|*.QVW", {"Grafvindu (*.QVW)"}},
      {"empty", "", {}},
      {"norwegian letters", "Skj\xE6ringer|*.txt", {QString::fromUtf8("Skjæringer (*.txt)")}},
  };
  for (const auto& r : rows) EXPECT_EQ(qtservices::namefilters(r.filter), r.expect) << r.name;
}

TEST(qtservices, suffix_of_a_name_filter) {
  EXPECT_EQ(qtservices::filtersuffix("Grafvindu (*.QVW)"), "QVW");
  EXPECT_EQ(qtservices::filtersuffix("Bilder (*.bmp *.png)"), "bmp");
  EXPECT_EQ(qtservices::filtersuffix("Alle (*.*)"), "");
  EXPECT_EQ(qtservices::filtersuffix("Alle (*)"), "");
  EXPECT_EQ(qtservices::filtersuffix("rart"), "");
}

TEST(qtservices, decimal_separator_comes_from_the_locale) {
  EXPECT_EQ(
      qtservices(nullptr, QLocale(QLocale::NorwegianBokmal, QLocale::Norway)).decimalseparator(),
      ',');
  EXPECT_EQ(qtservices(nullptr, QLocale::c()).decimalseparator(), '.');
  EXPECT_EQ(qtservices(nullptr, QLocale(QLocale::German)).decimalseparator(), ',');
}

TEST(qtservices, starting_a_program_reports_failure) {
  qtservices s;
  EXPECT_FALSE(s.startprogram("/nonexistent/tarnelo-splash", "Tarnelo #3000 #1999"));
  EXPECT_FALSE(s.startprogram("", ""));
  EXPECT_TRUE(s.startprogram("/bin/true", "Tarnelo #3000 #1999"));
}

TEST(qtservices, clipboard_gets_a_snapshot_of_the_picture) {
  qtservices s;
  qtimage img(7, 5);
  img.canvas().setpixel(6, 4, rgb(10, 20, 30));
  s.copytoclipboard(img);
  img.canvas().setpixel(6, 4, rgb(200, 0, 0));  // drawing on does not change the copy
  const QImage got = QGuiApplication::clipboard()->image();
  ASSERT_EQ(got.size(), QSize(7, 5));
  EXPECT_EQ(got.pixel(6, 4) & 0xFFFFFFu, rgb(10, 20, 30));
  EXPECT_EQ(got.pixel(0, 0) & 0xFFFFFFu, white);
}

TEST(qtservices, help_goes_to_the_installed_viewer) {
  qtservices s;
  s.helptopic(12);  // nothing installed: the help window shows it
  std::vector<std::string> calls;
  qtservices::helpviewer v;
  v.topic = [&](int t) { calls.push_back("topic " + std::to_string(t)); };
  v.contents = [&] { calls.push_back("contents"); };
  v.search = [&](const std::string& k) { calls.push_back("search '" + k + "'"); };
  v.howtouse = [&] { calls.push_back("how"); };
  s.sethelpviewer(v);
  s.helptopic(67);
  s.helpcontents();
  s.helpsearch("");
  s.helponhelp();
  EXPECT_EQ(calls, (std::vector<std::string>{"topic 67", "contents", "search ''", "how"}));
}
