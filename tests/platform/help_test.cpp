#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <vector>

#include "platform/qt/qtservices.h"
#include "platform/qt/thelpkey.h"
#include "platform/qt/thelptopics.h"
#include "platform/qt/thelpwindow.h"
#include "support/fakeservices.h"

using namespace platform;

namespace {

// Every help-context number that menu items, windows, dialogs and panel
// groups carry.
const std::vector<int> contexts{1,  5,  6,  7,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                                20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34,
                                35, 36, 37, 38, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 54,
                                55, 56, 57, 58, 59, 60, 61, 63, 67, 68, 70, 71, 72, 73, 74};

QString pagefile(const QUrl& url) {
  return url.fileName();
}

// A key press as the window system delivers it: to the receiver, through the
// application's event filters.
void presskey(QWidget* receiver, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
              const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(receiver, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(receiver, &release);
}

}  // namespace

TEST(helptopics, every_context_number_has_a_page_that_loads) {
  for (int c : contexts) {
    SCOPED_TRACE(c);
    const thelppage* p = thelptopics::find(c);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->context, c);
    const QString html = thelptopics::html(*p);
    ASSERT_FALSE(html.isEmpty());
    // The page names itself as the table does, and says enough to teach.
    EXPECT_TRUE(html.contains(QStringLiteral("<h1>") + QString::fromUtf8(p->title) + "</h1>"))
        << p->file;
    const int words =
        thelptopics::plaintext(*p).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size();
    EXPECT_GE(words, 60) << p->file;
    EXPECT_LE(words, 260) << p->file;
  }
  EXPECT_EQ(thelptopics::topics().size(), contexts.size());
}

TEST(helptopics, every_link_leads_to_a_shipped_page) {
  const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
  for (const auto& p : thelptopics::pages()) {
    SCOPED_TRACE(p.file);
    const QString html = thelptopics::html(p);
    ASSERT_FALSE(html.isEmpty());
    for (auto m = href.globalMatch(html); m.hasNext();) {
      const QString target = m.next().captured(1);
      EXPECT_NE(thelptopics::findfile(target), nullptr) << target.toStdString();
    }
  }
}

TEST(helptopics, contents_link_every_topic) {
  const QString contents = thelptopics::html(thelptopics::pages()[0]);
  for (const auto& p : thelptopics::topics())
    EXPECT_TRUE(contents.contains(QStringLiteral("href=\"") + p.file + "\"")) << p.file;
}

TEST(helptopics, numbers_without_a_page) {
  struct row {
    const char* name;
    int context;
  };
  for (const row& r : {row{"zero", 0}, row{"negative", -5}, row{"gap", 8}, row{"gap 39", 39},
                       row{"past the end", 75}, row{"large", 100000}}) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(thelptopics::find(r.context), nullptr);
    EXPECT_EQ(thelptopics::url(r.context), thelptopics::contentsurl());
  }
}

TEST(helptopics, search_finds_topics_by_words_in_their_body) {
  struct row {
    const char* name;
    const char* words;
    const char* expectfirst;  // "" = nothing found
    const char* alsofound;    // a page the result must hold, or ""
  };
  const row rows[] = {
      {"word only in a body", "amplituden", "emne26.html", ""},
      {"title first", "tangent", "emne43.html", ""},
      {"case and part of a word", "SKJÆRING", "emne45.html", "emne25.html"},
      {"all words must occur", "Syntaks er OK", "emne28.html", "emne71.html"},
      {"words in any order", "vindu lagre", "", "emne10.html"},
      {"message text", "Kan ikke ha to punkter med samme x", "emne33.html", ""},
      {"no such word", "kvantemekanikk", "", ""},
      {"blank", "   ", "", ""},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const auto found = thelptopics::search(QString::fromUtf8(r.words));
    if (*r.expectfirst) {
      ASSERT_FALSE(found.empty());
      EXPECT_STREQ(found.front()->file, r.expectfirst);
    } else if (!*r.alsofound) {
      EXPECT_TRUE(found.empty());
    }
    if (*r.alsofound) {
      bool has = false;
      for (const thelppage* p : found) has = has || QLatin1String(p->file) == r.alsofound;
      EXPECT_TRUE(has) << r.alsofound;
    }
    for (const thelppage* p : found) EXPECT_STRNE(p->file, "innhold.html");
  }
}

TEST(helpwindow, opens_the_page_of_every_context_number) {
  thelpwindow w;
  for (int c : contexts) {
    w.showtopic(c);
    EXPECT_EQ(pagefile(w.currentpage()), QString::fromLatin1(thelptopics::find(c)->file));
    EXPECT_FALSE(w.browser()->toPlainText().trimmed().isEmpty()) << c;
  }
  EXPECT_TRUE(w.isVisible());
}

TEST(helpwindow, unknown_number_opens_the_contents) {
  thelpwindow w;
  w.showtopic(23);
  w.showtopic(39);
  EXPECT_EQ(w.currentpage(), thelptopics::contentsurl());
  EXPECT_TRUE(w.browser()->toPlainText().contains(QStringLiteral("Lagre prosjekt")));
}

TEST(helpwindow, back_and_forward_follow_the_pages_seen) {
  thelpwindow w;
  w.showtopic(23);
  w.showtopic(24);
  w.showhowtouse();
  EXPECT_EQ(w.currentpage(), thelptopics::howtouseurl());
  ASSERT_TRUE(w.backbutton()->isEnabled());
  w.backbutton()->click();
  EXPECT_EQ(pagefile(w.currentpage()), "emne24.html");
  w.backbutton()->click();
  EXPECT_EQ(pagefile(w.currentpage()), "emne23.html");
  ASSERT_TRUE(w.forwardbutton()->isEnabled());
  w.forwardbutton()->click();
  EXPECT_EQ(pagefile(w.currentpage()), "emne24.html");
}

TEST(helpwindow, search_field_lists_and_opens_topics) {
  thelpwindow w;
  w.showsearch(QString());
  // An empty key lists every page but the contents.
  EXPECT_EQ(w.listedtitles().size(), static_cast<int>(thelptopics::pages().size()) - 1);
  EXPECT_TRUE(w.searchfield()->hasFocus() || !QApplication::activeWindow());

  w.searchfield()->setText(QStringLiteral("periode"));
  ASSERT_FALSE(w.listedtitles().isEmpty());
  EXPECT_EQ(w.listedtitles().front(), QStringLiteral("Trigonometriske funksjoner"));
  presskey(w.searchfield(), Qt::Key_Return);
  EXPECT_EQ(pagefile(w.currentpage()), "emne26.html");

  w.showsearch(QStringLiteral("kvantemekanikk"));
  ASSERT_EQ(w.listedtitles().size(), 1);
  EXPECT_EQ(w.topiclist()->item(0)->flags(), Qt::NoItemFlags);
  presskey(w.searchfield(), Qt::Key_Return);  // nothing to open: stays
  EXPECT_EQ(pagefile(w.currentpage()), "emne26.html");
}

TEST(helpwindow, links_inside_a_page_are_followed) {
  thelpwindow w;
  w.showtopic(22);
  w.browser()->setSource(QUrl(QStringLiteral("emne23.html")));
  EXPECT_EQ(pagefile(w.currentpage()), "emne23.html");
  EXPECT_TRUE(w.browser()->toPlainText().contains(QStringLiteral("stigningstallet")));
}

TEST(helpwindow, opened_over_a_modal_dialog_it_takes_input) {
  QDialog dialog;
  dialog.setModal(true);
  dialog.show();
  ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
  thelpwindow w;
  w.showtopic(40);
  EXPECT_EQ(w.windowModality(), Qt::ApplicationModal);
  w.close();
  dialog.close();
  w.showtopic(41);
  EXPECT_EQ(w.windowModality(), Qt::NonModal);
}

TEST(qtserviceshelp, requests_reach_the_help_window) {
  qtservices s;
  s.helptopic(45);
  EXPECT_EQ(pagefile(s.helpwindow().currentpage()), "emne45.html");
  s.helponhelp();
  EXPECT_EQ(s.helpwindow().currentpage(), thelptopics::howtouseurl());
  s.helpcontents();
  EXPECT_EQ(s.helpwindow().currentpage(), thelptopics::contentsurl());
  s.helpsearch("Fikspunkt");
  EXPECT_EQ(s.helpwindow().searchfield()->text(), QStringLiteral("Fikspunkt"));
  EXPECT_FALSE(s.helpwindow().listedtitles().isEmpty());
  s.helpwindow().close();
}

TEST(helpkey, context_comes_from_the_nearest_widget_that_has_one) {
  QWidget top;
  top.setProperty("helpcontext", 63);
  QWidget group(&top);
  group.setProperty("helpcontext", 59);
  QWidget inner(&group);
  QWidget other(&top);
  EXPECT_EQ(thelpkey::contextof(&inner), 59);
  EXPECT_EQ(thelpkey::contextof(&other), 63);
  EXPECT_EQ(thelpkey::contextof(nullptr), 0);
  QWidget bare;
  EXPECT_EQ(thelpkey::contextof(&bare), 0);
}

TEST(helpkey, f1_asks_for_the_topic_of_the_focus_and_is_swallowed) {
  fakeservices help;
  thelpkey key(help);
  QWidget dialog;
  dialog.setProperty("helpcontext", 40);
  QLineEdit edit(&dialog);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  edit.setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), &edit);

  presskey(&edit, Qt::Key_F1);
  ASSERT_EQ(help.helprequests.size(), 1u);
  EXPECT_EQ(help.helprequests[0].topic, 40);
  EXPECT_TRUE(edit.text().isEmpty());

  // Other keys pass, and Shift+F1 is not the help key.
  presskey(&edit, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
  presskey(&edit, Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_EQ(edit.text(), QStringLiteral("x"));
  EXPECT_EQ(help.helprequests.size(), 1u);

  // With no number anywhere the contents come up.
  dialog.setProperty("helpcontext", QVariant());
  presskey(&edit, Qt::Key_F1);
  ASSERT_EQ(help.helprequests.size(), 2u);
  EXPECT_EQ(help.helprequests[1].kind, fakeservices::helpkind::contents);
}

TEST(helpkey, f1_in_an_open_menu_asks_for_the_highlighted_item) {
  fakeservices help;
  thelpkey key(help);
  QWidget frame;
  frame.setProperty("helpcontext", 1);
  frame.show();
  QMenu menu(&frame);
  menu.menuAction()->setProperty("helpcontext", 5);
  QAction* save = menu.addAction(QStringLiteral("Lagre som..."));
  save->setProperty("helpcontext", 10);
  menu.addAction(QStringLiteral("Uten nummer"));
  menu.popup(QPoint(10, 10));
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activePopupWidget(), &menu);

  menu.setActiveAction(save);
  EXPECT_EQ(thelpkey::currentcontext(), 10);
  menu.setActiveAction(menu.actions().at(1));
  EXPECT_EQ(thelpkey::currentcontext(), 5);  // an item without a number: the menu's

  menu.setActiveAction(save);
  presskey(&menu, Qt::Key_F1);
  ASSERT_EQ(help.helprequests.size(), 1u);
  EXPECT_EQ(help.helprequests[0].topic, 10);
  EXPECT_FALSE(menu.isVisible());  // the menu gives way to the help
}
