#include "support/fakeservices.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/recordingsurface.h"

using namespace platform;

TEST(fakeservices, message_boxes_answer_from_the_script_and_are_recorded) {
  fakeservices f;
  f.msganswers = {msgresult::cancel, msgresult::no};
  services& s = f;
  EXPECT_EQ(s.messagebox("Prosjektet er endret siden siste lagring.\rVil du lagre det?", "Tarnelo",
                         msgkind::warning, msgbuttons::yesnocancel),
            msgresult::cancel);
  EXPECT_EQ(s.messagebox("a", "b", msgkind::confirmation, msgbuttons::yesno), msgresult::no);
  // Script used up: the first button.
  EXPECT_EQ(s.messagebox("c", "", msgkind::information, msgbuttons::ok), msgresult::ok);
  EXPECT_EQ(s.messagebox("d", "", msgkind::information, msgbuttons::yes), msgresult::yes);
  ASSERT_EQ(f.messages.size(), 4u);
  EXPECT_EQ(f.messages[0].text, "Prosjektet er endret siden siste lagring.\rVil du lagre det?");
  EXPECT_EQ(f.messages[0].kind, msgkind::warning);
  EXPECT_EQ(f.messages[0].buttons, msgbuttons::yesnocancel);
  EXPECT_EQ(f.messages[1].caption, "b");
}

// The services take Windows-1252: a UTF-8 literal would show as "mÃ¥".
TEST(fakeservices, a_text_in_utf8_fails_the_test_that_hands_it_over) {
  struct row {
    const char* text;
    std::size_t at;
  };
  const row rows[] = {
      {"Minste verdi m\xE5 v\xE6re mindre", std::string_view::npos},
      {"\xC5pne \xF8\xE6", std::string_view::npos},  // letters, no sequences
      {"\xC3", std::string_view::npos},              // a lone "Ã" at the end
      {"Minste verdi m\xC3\xA5 v\xC3\xA6re", 14},
      {"\xE2\x80\xA6", 0},                   // a UTF-8 ellipsis
      {"\xE2\x80", std::string_view::npos},  // cut short
  };
  for (const row& r : rows) EXPECT_EQ(fakeservices::utf8at(r.text), r.at) << r.text;
  fakeservices f;
  EXPECT_NONFATAL_FAILURE(
      f.messagebox("Minste verdi m\xC3\xA5 v\xC3\xA6re", "", msgkind::warning, msgbuttons::ok),
      "UTF-8");
  filedialog d;
  d.title = "\xC3\x85pne";
  EXPECT_NONFATAL_FAILURE(f.openfile(d), "UTF-8");
}

TEST(fakeservices, file_dialogs_record_the_request_and_return_the_answer) {
  fakeservices f;
  f.fileanswers.push_back({true, "/tmp/a.QVW", 2});
  f.fileanswers.push_back({false, "", 1});
  filedialog d;
  d.filter = "Grafprosjekt|*.QVP|Grafvindu|*.QVW";
  d.defaultext = "QVP";
  EXPECT_TRUE(f.savefile(d));
  EXPECT_EQ(d.filename, "/tmp/a.QVW");
  EXPECT_EQ(d.filterindex, 2);
  filedialog e;
  e.filename = "x";
  EXPECT_FALSE(f.openfile(e));
  EXPECT_EQ(e.filename, "x");   // cancelling changes nothing
  EXPECT_FALSE(f.openfile(e));  // nothing scripted: cancelled
  ASSERT_EQ(f.filerequests.size(), 3u);
  EXPECT_EQ(f.filerequests[0].kind, fakeservices::dialogkind::save);
  EXPECT_EQ(f.filerequests[0].asked.filter, "Grafprosjekt|*.QVP|Grafvindu|*.QVW");
  EXPECT_EQ(f.filerequests[0].asked.filename, "");
}

TEST(fakeservices, printing_keeps_each_page) {
  fakeservices f;
  f.printdialoganswers = {true};
  EXPECT_TRUE(f.printdialog());
  EXPECT_FALSE(f.printdialog());
  surface* page = f.begindoc("Vindu 1");
  ASSERT_NE(page, nullptr);
  page->textout(10, 10, "1. F(x) = x");
  f.newpage();
  page->textout(10, 10, "2.");
  page->textout(10, 30, "3.");
  f.enddoc();
  ASSERT_EQ(f.pages.size(), 2u);
  EXPECT_EQ(f.pages[0].size(), 1u);
  EXPECT_EQ(f.pages[1].size(), 2u);
  EXPECT_EQ(f.pages[1][1].text, "3.");
  f.printer = false;
  EXPECT_EQ(f.begindoc("x"), nullptr);
}

TEST(fakeservices, clipboard_help_program_pointer_and_separator) {
  fakeservices f;
  recordingimage img(3, 2);
  img.canvas().setpixel(2, 1, rgb(9, 8, 7));
  f.copytoclipboard(img);
  EXPECT_EQ(f.clipboardwidth, 3);
  ASSERT_EQ(f.clipboardpixels.size(), 6u);
  EXPECT_EQ(f.clipboardpixels[5], rgb(9, 8, 7));
  f.helptopic(67);
  f.helpsearch("");
  ASSERT_EQ(f.helprequests.size(), 2u);
  EXPECT_EQ(f.helprequests[0].topic, 67);
  EXPECT_EQ(f.helprequests[1].kind, fakeservices::helpkind::search);
  f.startsucceeds = false;
  EXPECT_FALSE(f.startprogram("tarnelo-splash", "Tarnelo #3000 #1999"));
  EXPECT_EQ(f.programstarts.at(0).parameters, "Tarnelo #3000 #1999");
  f.movepointer(100, 200);
  EXPECT_EQ(f.pointermoves.at(0), (point{100, 200}));
  EXPECT_EQ(f.decimalseparator(), ',');
  f.separator = '.';
  EXPECT_EQ(f.decimalseparator(), '.');
}

TEST(recordingsurface, records_calls_with_the_state_in_force) {
  recordingsurface s(20, 20);
  font f;
  f.size = 10;
  f.col = rgb(255, 0, 0);
  s.setfont(f);
  s.setbrush({white, brushstyle::clear});
  s.textout(3, 4, "ab");
  EXPECT_EQ(s.textwidth("ab"), 12);
  EXPECT_EQ(s.textheight("ab"), 13);
  EXPECT_EQ(s.fontheight(), -13);
  const auto t = s.entries(recordop::textout);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].args, (std::vector<int>{3, 4}));
  EXPECT_EQ(t[0].font.col, rgb(255, 0, 0));
  EXPECT_EQ(t[0].brush.style, brushstyle::clear);
  EXPECT_EQ(s.texts(), (std::vector<std::string>{"ab"}));
  EXPECT_EQ(s.countpixels(white), 400);  // clear brush: no cell
  s.setbrush({rgb(0, 0, 255), brushstyle::solid});
  s.textout(0, 0, "a");
  EXPECT_EQ(s.countpixels(rgb(0, 0, 255)), 6 * 13);
  f.size = 5;
  s.setfont(f);
  EXPECT_EQ(s.textwidth("abc"), 9);
  EXPECT_EQ(s.textheight(""), 7);
}
