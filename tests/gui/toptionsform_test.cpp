// The options dialog: defaults shown, selecting parameters, the derived step
// and interval, letters, OK pushing everything out, and saving the settings.
#include "settings/toptionsform.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "expr/parseexpr.h"
#include "settings/toptions.h"
#include "support/fakeservices.h"

namespace {

struct fakeoptionshost : toptionshost {
  std::array<tboxsettings, 5> boxes{};
  std::vector<std::string> calls;

  tboxsettings boxsettings(int p) const override { return boxes[static_cast<size_t>(p - 1)]; }
  void setboxsettings(int p, const tboxsettings& s) override {
    boxes[static_cast<size_t>(p - 1)] = s;
    calls.push_back("box " + std::to_string(p));
  }
  void applywindow() override { calls.push_back("window"); }
  void letterschanged(const std::string& old) override { calls.push_back("letters " + old); }
  void setfuncname(const std::string& prefix) override { calls.push_back("funcname " + prefix); }
  void redrawwindow() override { calls.push_back("redraw"); }
};

class optionsform : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    setparamletters("abcde");
    options = std::make_unique<toptions>(services, inipath());
    services.messages.clear();  // the missing file's warning
  }
  void TearDown() override {
    form.reset();
    options.reset();
    setparamletters("abcde");
  }
  std::string inipath() const { return dir.filePath("QV.INI").toStdString(); }
  toptionsform& make() {
    form = std::make_unique<toptionsform>(*options, services, host);
    return *form;
  }
  std::string text(const char* name) { return form->field(name)->text().toStdString(); }
  void type(const char* name, const char* value) { form->field(name)->setText(value); }
  // As the user does it: select what the field holds and type over it.
  void typeover(const char* name, const char* value) {
    QLineEdit* e = form->field(name);
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, QString::fromUtf8(value));
  }
  void click(const char* button) {
    QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton);
  }

  QTemporaryDir dir;
  fakeservices services;
  fakeoptionshost host;
  std::unique_ptr<toptions> options;
  std::unique_ptr<toptionsform> form;
};

}  // namespace

TEST_F(optionsform, ShowsTheDefaults) {
  toptionsform& f = make();
  EXPECT_EQ(f.windowTitle(), "Innstillinger");
  EXPECT_EQ(text("MinX"), "-10");
  EXPECT_EQ(text("MaxY"), "10");
  EXPECT_EQ(text("GridStep"), "0,50");
  EXPECT_EQ(text("IntStep"), "1");
  EXPECT_EQ(text("MinPa"), "-100,00");
  EXPECT_EQ(text("MaxPA"), "100,00");
  EXPECT_EQ(text("StepPa"), "0,01");
  EXPECT_EQ(text("IntPa"), "1,00");
  for (int k = 1; k <= 5; ++k) EXPECT_TRUE(f.checkbox(k)->isChecked()) << k;
  EXPECT_FALSE(f.checkbox(7)->isChecked());
  EXPECT_FALSE(f.checkbox(8)->isChecked());
  EXPECT_TRUE(f.funcnamebutton(0)->isChecked());
  const std::array<int, 7> colours{7, 0, 0, 9, 0, 13, 8};
  for (int k = 0; k <= 6; ++k) EXPECT_EQ(f.colourgrid(k)->currentIndex(), colours[k]) << k;
  for (int p = 1; p <= 5; ++p)
    EXPECT_EQ(f.letterfield(p)->text().toStdString(),
              std::string(1, static_cast<char>('a' + p - 1)));
  EXPECT_EQ(f.pages()->count(), 4);
}

TEST_F(optionsform, MinAndMaxSetStepAndIntervalFromTheRange) {
  toptionsform& f = make();
  type("MinPa", "0");
  type("MaxPA", "10");
  EXPECT_EQ(text("StepPa"), "0,05");
  EXPECT_EQ(text("IntPa"), "0,50");
  const tparamconst& pc = options->paramconst();
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(pc.min[i], 0.0f);
    EXPECT_EQ(pc.max[i], 10.0f);
    EXPECT_EQ(pc.interval[i], 0.5f);
  }
  // A half-typed number changes nothing and says nothing.
  type("MinPa", "-");
  EXPECT_EQ(pc.min[0], 0.0f);
  EXPECT_TRUE(services.messages.empty());
  (void)f;
}

TEST_F(optionsform, FieldsThatDifferAmongTheSelectedParametersAreDisabled) {
  host.boxes[1].min = -50;
  host.boxes[3].min = -20;
  toptionsform& f = make();
  for (int p : {1, 3, 5}) f.checkbox(p)->setChecked(false);
  EXPECT_EQ(f.selection(), (std::array<bool, 5>{false, true, false, true, false}));
  EXPECT_FALSE(f.checkbox(6)->isChecked());
  EXPECT_EQ(text("MinPa"), "-50,00");  // the lowest selected parameter
  EXPECT_FALSE(f.field("MinPa")->isEnabled());
  EXPECT_TRUE(f.field("MaxPA")->isEnabled());
  EXPECT_TRUE(f.field("StepPa")->isEnabled());
  EXPECT_TRUE(f.field("IntPa")->isEnabled());
  // Dropping parameter 4 leaves one parameter: nothing differs.
  f.checkbox(4)->setChecked(false);
  EXPECT_TRUE(f.field("MinPa")->isEnabled());
}

TEST_F(optionsform, AllParametersTakeTheFields) {
  host.boxes[2].min = -3;
  toptionsform& f = make();
  f.checkbox(1)->setChecked(false);
  type("IntPa", "2");
  EXPECT_EQ(options->paramconst().interval[0], 1.0f);
  EXPECT_EQ(options->paramconst().interval[1], 2.0f);
  f.checkbox(6)->setChecked(true);
  for (int p = 1; p <= 5; ++p) EXPECT_TRUE(f.checkbox(p)->isChecked());
  EXPECT_EQ(f.selection(), (std::array<bool, 5>{true, true, true, true, true}));
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(options->paramconst().min[i], -100.0f) << i;  // shown was parameter 2's
    EXPECT_EQ(options->paramconst().interval[i], 2.0f) << i;
  }
}

TEST_F(optionsform, LettersAreCheckedWhenTheFieldIsLeft) {
  struct row {
    const char* name;
    int p;
    const char* typed;
    bool accepted;
    const char* letters;  // afterwards
  };
  const row rows[] = {
      {"the letter of parameter 1", 2, "a", false, "abcde"},
      {"the letter of parameter 5", 2, "e", false, "abcde"},
      {"a blank", 3, " ", false, "abcde"},
      {"nothing", 4, "", false, "abcde"},
      {"x, the variable's letter", 2, "x", true, "axcde"},
      {"its own letter", 5, "e", true, "abcde"},
      {"a new letter", 1, "k", true, "kbcde"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    setparamletters("abcde");
    options->paramconst().names = {'a', 'b', 'c', 'd', 'e'};
    services.messages.clear();
    toptionsform& f = make();
    f.letterfield(r.p)->setText(r.typed);
    EXPECT_EQ(f.letterleft(r.p), r.accepted);
    EXPECT_EQ(paramletters().substr(0, 5), r.letters);
    const auto& names = options->paramconst().names;
    EXPECT_EQ(std::string(names.begin(), names.end()), r.letters);
    if (r.accepted) {
      EXPECT_TRUE(services.messages.empty());
    } else {
      ASSERT_EQ(services.messages.size(), 1u);
      EXPECT_EQ(services.messages[0].text, toptionsform::duplicatename);
      EXPECT_EQ(services.messages[0].kind, platform::msgkind::warning);
    }
    EXPECT_EQ(f.letterschanged(), std::string(r.letters) != "abcde");
  }
}

TEST_F(optionsform, OkPushesToWindowLettersPrefixBoxesAndRedraws) {
  toptionsform& f = make();
  f.letterfield(1)->setText("k");
  ASSERT_TRUE(f.letterleft(1));
  f.funcnamebutton(2)->setChecked(true);
  for (int p : {1, 3, 5}) f.checkbox(p)->setChecked(false);
  type("StepPa", "0,005");
  f.checkbox(7)->setChecked(true);
  f.directionclicked();
  f.colourgrid(3)->setCurrentIndex(12);
  f.colourgrid(0)->setCurrentIndex(15);
  type("MinX", "-5");
  ASSERT_TRUE(f.okclick());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"window", "letters abcde",
                                                  "funcname y =", "box 2", "box 4", "redraw"}));
  EXPECT_EQ(host.boxes[1].format, "%.3f");
  EXPECT_EQ(host.boxes[1].step, 0.005f);
  EXPECT_EQ(host.boxes[1].direction, 1);
  EXPECT_EQ(host.boxes[3].direction, 1);
  EXPECT_EQ(options->paramconst().direction[0], -1);  // not selected
  EXPECT_EQ(options->funcname(), "y =");
  EXPECT_EQ(options->settings.active, 12);
  EXPECT_EQ(options->settings.background, 15);
  EXPECT_EQ(options->settings.minx, "-5");
  EXPECT_FLOAT_EQ(options->minx(), -5);
  EXPECT_FALSE(f.isVisible());
}

TEST_F(optionsform, OkRefusesFieldsThatAreNoNumbersOrAnEmptyWindow) {
  struct row {
    const char* name;
    const char* field;
    const char* text;
    const char* message;  // nullptr: the not-a-number text
  };
  const row rows[] = {
      {"Min x no number", "MinX", "2,5,5", nullptr},
      {"grid step no number", "GridStep", "1x", nullptr},
      {"step no number", "StepPa", "0,0,1", nullptr},
      {"Min x above Max x", "MinX", "20", toptionsform::badrange},
      {"Min y equal to Max y", "MinY", "10", toptionsform::badrange},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    services.messages.clear();
    host.calls.clear();
    toptionsform& f = make();
    const tsettings before = options->settings;
    f.show();
    type(r.field, r.text);
    EXPECT_FALSE(f.okclick());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(options->settings.minx, before.minx);
    ASSERT_EQ(services.messages.size(), 1u);
    if (r.message)
      EXPECT_EQ(services.messages[0].text, r.message);
    else
      EXPECT_NE(services.messages[0].text.find("ikke et gyldig tall"), std::string::npos);
    f.hide();
  }
}

TEST_F(optionsform, FormatFollowsTheDecimalsOfTheStepText) {
  const std::pair<const char*, const char*> rows[] = {
      {"0,01", "%.2f"}, {"0,5", "%.1f"},  {"0,005", "%.3f"}, {"2", "%.0f"},
      {"0.01", "%.2f"}, {"1,00", "%.3f"}, {"", "%.0f"},      {"0,0000000000001", "%.9f"},
  };
  for (const auto& [step, format] : rows)
    EXPECT_EQ(toptionsform::formatfromstep(step), format) << step;
  EXPECT_EQ(toptionsform::formatvalue(0.05f, "%.2f", ','), "0,05");
  EXPECT_EQ(toptionsform::formatvalue(2.5f, "%.0f", '.'), "2");
  // A format that is not "%.Nf" never reaches printf.
  EXPECT_EQ(toptionsform::formatvalue(1.5f, "%s%s%n", ','), "1,50");
}

TEST_F(optionsform, CancelDropsEditsButKeepsAcceptedLetters) {
  toptionsform& f = make();
  type("MinPa", "-7");
  f.letterfield(3)->setText("q");
  ASSERT_TRUE(f.letterleft(3));
  f.cancelclick();
  EXPECT_TRUE(host.calls.empty());
  f.formshow();
  EXPECT_EQ(text("MinPa"), "-100,00");  // again from the parameter boxes
  EXPECT_EQ(paramletters()[2], 'q');
  EXPECT_EQ(f.shownletters(), "abqde");
}

TEST_F(optionsform, SaveWritesTheSettingsFileThatReadsBack) {
  toptionsform& f = make();
  type("MaxX", "12,5");
  f.funcnamebutton(1)->setChecked(true);
  f.checkbox(8)->setChecked(true);
  f.letterfield(5)->setText("t");
  ASSERT_TRUE(f.letterleft(5));
  ASSERT_TRUE(f.saveclick());
  EXPECT_TRUE(services.messages.empty());
  ASSERT_TRUE(QFile::exists(QString::fromStdString(inipath())));

  fakeservices again;
  toptions reread(again, inipath());
  EXPECT_TRUE(again.messages.empty());
  EXPECT_EQ(reread.settings.maxx, "12,5");
  EXPECT_EQ(reread.settings.params.funcname, 1);
  EXPECT_TRUE(reread.settings.params.alwaysround);
  EXPECT_EQ(reread.settings.params.names[4], 't');
}

// What "Lagre innstillinger" writes for a window end is read back at the next
// start without a message; an end beyond the coordinate system's reach is
// refused in the dialog instead of being ignored by the window.
TEST_F(optionsform, WindowEndsAreSavedAsTheNextStartReadsThem) {
  struct row {
    const char* name;
    const char* field;
    const char* typed;
    const char* saved;  // nullptr: refused with badcoordinate
  };
  const row rows[] = {
      {"a number as typed", "MaxY", "1E2", "1E2"},
      {"a point as decimal mark", "MinX", "-2.5", "-2.5"},
      {"blanks around", "MaxX", " 7 ", "7"},
      {"text that starts like no number reads as 0", "MaxY", "`vG0ozÆ½_.S6", "0,00"},
      {"only a sign", "MaxX", "-", "0,00"},
      {"the largest end", "MaxX", "700", "700"},
      {"beyond the largest end", "MaxX", "700,5", nullptr},
      {"far beyond", "MinY", "-1e30", nullptr},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    form.reset();
    options.reset();  // writes its file
    QFile::remove(QString::fromStdString(inipath()));
    host.calls.clear();
    options = std::make_unique<toptions>(services, inipath());
    services.messages.clear();
    toptionsform& f = make();
    f.show();
    typeover(r.field, r.typed);
    if (std::string(r.field) == "MinX" || std::string(r.field) == "MaxX") typeover("MinY", "-5");
    click("BitBtn3");
    if (!r.saved) {
      EXPECT_TRUE(f.isVisible());
      EXPECT_TRUE(host.calls.empty());
      EXPECT_FALSE(QFile::exists(QString::fromStdString(inipath())));
      ASSERT_EQ(services.messages.size(), 1u);
      EXPECT_EQ(services.messages[0].text, toptionsform::badcoordinate);
      EXPECT_EQ(f.pages()->currentIndex(), 0);
      continue;
    }
    EXPECT_TRUE(services.messages.empty());
    fakeservices again;
    toptions reread(again, inipath());
    EXPECT_TRUE(again.messages.empty());
    const tsettings& s = reread.settings;
    const std::string field = r.field;
    const std::string& got = field == "MinX"   ? s.minx
                             : field == "MaxX" ? s.maxx
                             : field == "MinY" ? s.miny
                                               : s.maxy;
    EXPECT_EQ(got, r.saved);
    form.reset();
  }
}

TEST_F(optionsform, AFailedSaveSaysSo) {
  options = std::make_unique<toptions>(services, dir.filePath("mangler/QV.INI").toStdString());
  services.messages.clear();
  toptionsform& f = make();
  EXPECT_FALSE(f.saveclick());
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text.rfind("Kan ikke lagre innstillingene", 0), 0u);
  EXPECT_EQ(host.calls.back(), "redraw");  // OK's part was done
  form.reset();
  services.messages.clear();
  options.reset();  // the end-of-program write fails the same way, without a crash
}

namespace {

// "Lagre innstillinger" with a parameter range turned round or a step of 0
// keeps the dialog open, says why and writes no file.
TEST_F(optionsform, SaveRefusesATurnedRangeAndAStepOfZero) {
  struct row {
    const char* name;
    const char* min;  // nullptr: left as it is
    const char* max;
    const char* step;
    const char* message;
  };
  const row rows[] = {
      {"Min above Max", "100", "-100", nullptr, toptionsform::badrange},
      {"Min equal to Max", "5", "5", nullptr, toptionsform::badrange},
      {"a step of 0", nullptr, nullptr, "0", toptionsform::badstep},
      {"a step that reads as 0", nullptr, nullptr, "0,000", toptionsform::badstep},
      {"a step below 0", nullptr, nullptr, "-1", toptionsform::badstep},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    services.messages.clear();
    host.calls.clear();
    toptionsform& f = make();
    f.show();
    f.pages()->setCurrentIndex(2);
    // Only "Andre konstant".
    for (int p : {1, 3, 4, 5}) QTest::mouseClick(f.checkbox(p), Qt::LeftButton);
    ASSERT_EQ(f.selection(), (std::array<bool, 5>{false, true, false, false, false}));
    if (r.min) typeover("MinPa", r.min);
    if (r.max) typeover("MaxPA", r.max);
    if (r.step) typeover("StepPa", r.step);
    click("BitBtn3");
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(inipath())));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, r.message);
    f.hide();
  }
}

// A small step is shown with the decimals it needs, never as 0,00, and OK
// hands it on with a format that shows it.
TEST_F(optionsform, SmallStepsAreShownWholeAndKept) {
  host.boxes[0].step = 0.001f;
  toptionsform& f = make();
  f.show();
  EXPECT_EQ(text("StepPa"), "0,001");
  QTest::mouseClick(f.checkbox(1), Qt::LeftButton);  // parameter 2 shown
  EXPECT_EQ(text("StepPa"), "0,01");
  QTest::mouseClick(f.checkbox(1), Qt::LeftButton);
  // Parameters 1 and 2 differ: the field is shown with 1's step but locked.
  EXPECT_EQ(text("StepPa"), "0,001");

  QTest::mouseClick(f.checkbox(6), Qt::LeftButton);
  typeover("MinPa", "0");
  typeover("MaxPA", "0,1");
  EXPECT_EQ(text("StepPa"), "0,0005");  // a 200th of the range
  click("BitBtn1");
  EXPECT_FALSE(f.isVisible());
  for (int p = 0; p < 5; ++p) {
    EXPECT_EQ(host.boxes[static_cast<size_t>(p)].step, 0.0005f) << p;
    EXPECT_EQ(host.boxes[static_cast<size_t>(p)].format, "%.4f") << p;
  }
  EXPECT_EQ(toptionsform::formatstep(0.001f, "%.2f", ','), "0,001");
  EXPECT_EQ(toptionsform::formatstep(2.5f, "%.0f", '.'), "2.5");
  EXPECT_EQ(toptionsform::formatstep(1.0f / 3, "%.2f", ','), "0,333333");
  EXPECT_EQ(toptionsform::formatstep(1e-12f, "%.2f", ','), "0,000000000");
}

// Every colour grid has its name beside it.
TEST_F(optionsform, ColourGridsAreNamed) {
  toptionsform& f = make();
  const auto labelof = [&f](QWidget* w) {
    for (QLabel* l : f.findChildren<QLabel*>())
      if (l->buddy() == w) return l->text();
    return QString();
  };
  const std::array<const char*, 7> names{"Bakgrunn",
                                         "Akser",
                                         "Farge p\u00e5 rutenett",
                                         "Aktivt grafvindu",
                                         "Ikke-aktivt grafvindu",
                                         "Farge for aktiv l\u00e5st graf",
                                         "Ikke-aktiv l\u00e5st graf"};
  for (int k = 0; k <= 6; ++k)
    EXPECT_EQ(labelof(f.colourgrid(k)), QString::fromUtf8(names[static_cast<size_t>(k)])) << k;
  for (int k : {0, 1}) {
    auto* group = qobject_cast<QGroupBox*>(f.colourgrid(k)->parentWidget());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QString::fromUtf8("Farger p\u00e5 koordinatsystemet"));
  }
  EXPECT_EQ(labelof(f.field("GridStep")), "Trinn");
  EXPECT_EQ(labelof(f.field("IntStep")), "Trinn");
}

}  // namespace
