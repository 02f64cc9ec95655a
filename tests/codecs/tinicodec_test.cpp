#include "codecs/tinicodec.h"

#include <gtest/gtest.h>

#include <functional>

#include "codecs/ttextlines.h"

namespace {

const char* const defaultfile =
    "[Coordinate system]\r\n"
    "Min x=-10\r\n"
    "Max x=10\r\n"
    "Min y=-10\r\n"
    "Max y=10\r\n"
    "foreground color=0\r\n"
    "background color=7\r\n"
    "grid color=0\r\n"
    "interval step=0,50\r\n"
    "grid step=1\r\n"
    "[Colors]\r\n"
    "Active=9\r\n"
    "Passive=0\r\n"
    "FrzActive=13\r\n"
    "FrzPassive=8\r\n"
    "[Constants]\r\n"
    "MinA=-100,00\r\nMaxA=100,00\r\nStepA=0,01\r\nIntervalA=1,00\r\nDirectionA=-1\r\n"
    "MinB=-100,00\r\nMaxB=100,00\r\nStepB=0,01\r\nIntervalB=1,00\r\nDirectionB=-1\r\n"
    "MinC=-100,00\r\nMaxC=100,00\r\nStepC=0,01\r\nIntervalC=1,00\r\nDirectionC=-1\r\n"
    "MinD=-100,00\r\nMaxD=100,00\r\nStepD=0,01\r\nIntervalD=1,00\r\nDirectionD=-1\r\n"
    "MinE=-100,00\r\nMaxE=100,00\r\nStepE=0,01\r\nIntervalE=1,00\r\nDirectionE=-1\r\n"
    "Always Round=0\r\n"
    "[Names]\r\n"
    "FuncName=0\r\n"
    "NameA=a\r\nNameB=b\r\nNameC=c\r\nNameD=d\r\nNameE=e\r\n";

tinireadresult readtext(const std::string& text, tsettings& s) {
  tinicodec c;
  c.setlines(codecs::splitlines(text));
  return c.reading(s);
}

TEST(tinicodec, writesTheDefaultFileByteForByte) {
  tinicodec c;
  c.writing(defaultsettings(','), ',');
  EXPECT_EQ(c.lines().size(), 49u);
  EXPECT_EQ(c.text(), defaultfile);
}

TEST(tinicodec, writtenFileReadsBackToTheSameSettings) {
  tsettings s = defaultsettings('.');
  s.minx = "-3,5";
  s.maxy = "+12,50";  // texts are kept as typed
  s.foreground = 15;
  s.background = 4;
  s.gridstep = "0.25";
  s.active = 12;
  s.frzpassive = 1;
  s.params.min = {-1, -2.5f, 0, -1e6f, -0.125f};
  s.params.max = {1, 2.5f, 12345.678f, 1e6f, 3};
  s.params.step = {0.005f, 0.001f, 0.5f, 1e-7f, 2};
  s.params.interval = {0.1f, 10, 100, 0.3f, 7};
  s.params.direction = {1, -1, 1, -1, 1};
  s.params.alwaysround = true;
  s.params.funcname = 3;
  s.params.names = {'b', 'a', 'k', 'x', 'e'};
  for (char sep : {',', '.'}) {
    tinicodec c;
    c.writing(s, sep);
    tsettings back = defaultsettings(',');
    const auto r = readtext(c.text(), back);
    EXPECT_EQ(r.error, inierror::none) << sep;
    EXPECT_TRUE(r.loaded);
    EXPECT_EQ(back, s) << sep;
  }
}

TEST(tinicodec, writtenTextsCannotBreakTheFileApart) {
  tsettings s = defaultsettings(',');
  s.minx = "1\r\n[Names]";
  tinicodec c;
  c.writing(s, ',');
  EXPECT_EQ(codecs::splitlines(c.text()).size(), 49u);
}

struct parserow {
  const char* name;
  std::string line;
  int32_t state;
  int32_t index;
  const char* value;
};

class parseline : public testing::TestWithParam<parserow> {};

TEST_P(parseline, recognisesSectionsAndKeys) {
  const parserow& row = GetParam();
  tinicodec c;
  c.setlines({row.line});
  c.parseline();
  EXPECT_EQ(c.current(), 1);
  EXPECT_EQ(c.state(), row.state);
  EXPECT_EQ(c.index(), row.index);
  if (row.state == inistate::key) {
    EXPECT_EQ(c.value(), row.value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    rows, parseline,
    testing::Values(parserow{"section", "[Colors]", 0, 2, ""},
                    parserow{"sectionAnyCase", "  [cOORDINATE SYSTEM]\t", 0, 1, ""},
                    parserow{"sectionNames", "[Names]", 0, 4, ""},
                    parserow{"sectionUnclosed", "[Colors", 2, 0, ""},
                    parserow{"sectionTrailing", "[Colors]x", 2, 0, ""},
                    parserow{"bracketAlone", "[", 2, 0, ""},
                    parserow{"bracketsEmpty", "[]", 2, 0, ""},
                    parserow{"empty", "", 2, 0, ""},
                    parserow{"blanks", "   \t ", 2, 0, ""},
                    parserow{"keyLowerX", "Min x=-10", 1, 1, "-10"},
                    parserow{"keySpaces", "  grid step   =   0,5  ", 1, 9, "0,5"},
                    parserow{"keyEmptyValue", "Max Y=", 1, 4, ""},
                    parserow{"valueWithEquals", "NameA==b", 1, 41, "=b"},
                    parserow{"keyDirectionC", "directionc=1", 1, 28, "1"},
                    parserow{"keyAlwaysRound", "ALWAYS ROUND=1", 1, 39, "1"},
                    parserow{"keyNameE", "NameE=q", 1, 45, "q"},
                    parserow{"noEquals", "Min x", 2, 0, ""},
                    parserow{"unknownKey", "Colour=3", 2, 0, ""},
                    parserow{"innerSpacesMatter", "Min  x=3", 2, 0, ""},
                    parserow{"nulByte", std::string("Min\0x=3", 7), 2, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(tinicodec, parsingPastTheEndOnlyAdvances) {
  tinicodec c;
  c.setlines({"[Colors]"});
  c.parseline();
  c.parseline();
  EXPECT_EQ(c.current(), 2);
  EXPECT_EQ(c.state(), inistate::section);
}

struct readrow {
  const char* name;
  const char* text;
  inierror error;
  int32_t line;
  bool loaded;
  std::function<void(const tsettings&)> check;
};

class reading : public testing::TestWithParam<readrow> {};

TEST_P(reading, appliesWhatItCanAndReportsWhereItStopped) {
  const readrow& row = GetParam();
  tsettings s = defaultsettings(',');
  const auto r = readtext(row.text, s);
  EXPECT_EQ(r.error, row.error);
  EXPECT_EQ(r.line, row.line);
  EXPECT_EQ(r.loaded, row.loaded);
  if (row.check) row.check(s);
}

const tsettings defaults = defaultsettings(',');

INSTANTIATE_TEST_SUITE_P(
    rows, reading,
    testing::Values(
        readrow{"emptyFileIsNotLoadedButNoMessage", "", inierror::none, 0, false,
                [](const tsettings& s) { EXPECT_EQ(s, defaults); }},
        readrow{"anyCaseAndSpaces", " [colors] \r\n  active  =  3 \r\nPASSIVE=4\r\n",
                inierror::none, 0, true,
                [](const tsettings& s) {
                  EXPECT_EQ(s.active, 3);
                  EXPECT_EQ(s.passive, 4);
                }},
        readrow{"firstCharacterOfName", "[Names]\r\nNameA=pqr\r\n", inierror::none, 0, true,
                [](const tsettings& s) { EXPECT_EQ(s.params.names[0], 'p'); }},
        readrow{"emptyNameLeavesLetter", "[Names]\r\nNameC=\r\n", inierror::none, 0, true,
                [](const tsettings& s) { EXPECT_EQ(s.params.names[2], 'c'); }},
        readrow{"alwaysRoundOnlyFor1", "[Constants]\r\nAlways Round=2\r\n", inierror::none, 0,
                true, [](const tsettings& s) { EXPECT_FALSE(s.params.alwaysround); }},
        readrow{"alwaysRound1", "[Constants]\nAlways Round=1", inierror::none, 0, true,
                [](const tsettings& s) { EXPECT_TRUE(s.params.alwaysround); }},
        readrow{"blankLineStopsWithMessage", "[Colors]\r\nActive=3\r\n\r\nPassive=4\r\n",
                inierror::damaged, 3, false,
                [](const tsettings& s) {
                  EXPECT_EQ(s.active, 3);
                  EXPECT_EQ(s.passive, 0);
                }},
        readrow{"lastKeyOfLastSectionApplies", "[Constants]\r\nStepE=0,5\r\nAlways Round=1",
                inierror::none, 0, true,
                [](const tsettings& s) {
                  EXPECT_FLOAT_EQ(s.params.step[4], 0.5f);
                  EXPECT_TRUE(s.params.alwaysround);
                }},
        readrow{"keyOfOtherSectionIgnored",
                "[Coordinate system]\r\nActive=3\r\nMin x=-5\r\n", inierror::none, 0, true,
                [](const tsettings& s) {
                  EXPECT_EQ(s.active, 9);
                  EXPECT_EQ(s.minx, "-5");
                }},
        readrow{"onlyNamesWithFuncName", "[Names]\r\nFuncName=2\r\n", inierror::none, 0, true,
                [](const tsettings& s) {
                  EXPECT_EQ(s.params.funcname, 2);
                  EXPECT_STREQ(funcnameprefixes[2], "y =");
                }},
        readrow{"unrecognisedLastLineNoMessage", "[Colors]\r\nActive=3\r\ngarbage\r\n",
                inierror::none, 0, true, [](const tsettings& s) { EXPECT_EQ(s.active, 3); }},
        readrow{"firstLineNotSection", "Active=3\r\n[Colors]\r\nActive=4\r\n", inierror::damaged,
                1, false, [](const tsettings& s) { EXPECT_EQ(s.active, 9); }},
        readrow{"singleGarbageLine", "garbage", inierror::none, 0, true, nullptr},
        readrow{"headerAsLastLine", "[Colors]\r\nActive=1\r\n[Names]\r\n", inierror::none, 0,
                true, [](const tsettings& s) { EXPECT_EQ(s.active, 1); }},
        readrow{"sectionsInAnyOrder",
                "[Names]\rNameB=q\r[Coordinate system]\rgrid step=2\rinterval step=0.1\r",
                inierror::none, 0, true,
                [](const tsettings& s) {
                  EXPECT_EQ(s.params.names[1], 'q');
                  EXPECT_EQ(s.intstep, "2");
                  EXPECT_EQ(s.gridstep, "0.1");
                }},
        readrow{"unknownSectionStops", "[Other]\r\nActive=3\r\n", inierror::damaged, 1, false,
                nullptr},
        readrow{"badFloatEndsReading",
                "[Constants]\r\nMinA=-5\r\nMaxA=abc\r\nStepA=1\r\n", inierror::badvalue, 3, false,
                [](const tsettings& s) {
                  EXPECT_FLOAT_EQ(s.params.min[0], -5);
                  EXPECT_FLOAT_EQ(s.params.max[0], 100);
                  EXPECT_FLOAT_EQ(s.params.step[0], 0.01f);
                }},
        readrow{"pointAndCommaBothRead", "[Constants]\r\nMinB=-2.5\r\nMaxB=2,5\r\nStepB=1e-3\r\n",
                inierror::none, 0, true,
                [](const tsettings& s) {
                  EXPECT_FLOAT_EQ(s.params.min[1], -2.5f);
                  EXPECT_FLOAT_EQ(s.params.max[1], 2.5f);
                  EXPECT_FLOAT_EQ(s.params.step[1], 0.001f);
                }},
        readrow{"twoDecimalMarks", "[Constants]\r\nMinB=1,5.0\r\n", inierror::badvalue, 2, false,
                nullptr},
        // A range the wrong way round is refused as a whole: both ends keep
        // what they had, and reading stops at the end that turned it.
        readrow{"parameterRangeTurned", "[Constants]\r\nMinB=100\r\nMaxB=-100\r\nStepB=1\r\n",
                inierror::badvalue, 3, false,
                [](const tsettings& s) {
                  EXPECT_EQ(s.params.min[1], -100.0f);
                  EXPECT_EQ(s.params.max[1], 100.0f);
                  EXPECT_EQ(s.params.step[1], 0.01f);
                }},
        readrow{"parameterRangeEmptyWithTheOtherEndDefault", "[Constants]\r\nMaxC=-100\r\n",
                inierror::badvalue, 2, false,
                [](const tsettings& s) { EXPECT_EQ(s.params.max[2], 100.0f); }},
        readrow{"parameterRangeReadMaxFirst", "[Constants]\r\nMaxD=300\r\nMinD=200\r\n",
                inierror::none, 0, true,
                [](const tsettings& s) {
                  EXPECT_EQ(s.params.min[3], 200.0f);
                  EXPECT_EQ(s.params.max[3], 300.0f);
                }},
        readrow{"stepZeroRefused", "[Constants]\r\nStepE=0,00\r\n", inierror::badvalue, 2, false,
                [](const tsettings& s) { EXPECT_EQ(s.params.step[4], 0.01f); }},
        readrow{"coordinateNoNumber", "[Coordinate system]\r\nMin x=abc\r\nMax x=20\r\n",
                inierror::badvalue, 2, false,
                [](const tsettings& s) {
                  EXPECT_EQ(s.minx, "-10");
                  EXPECT_EQ(s.maxx, "10");
                }},
        readrow{"coordinateRangeTurned", "[Coordinate system]\r\nMin y=15\r\nMax y=12\r\n",
                inierror::badvalue, 3, false,
                [](const tsettings& s) {
                  EXPECT_EQ(s.miny, "-10");
                  EXPECT_EQ(s.maxy, "10");
                }},
        readrow{"coordinateRangeMovedWhole", "[Coordinate system]\r\nMin x=15\r\nMax x=20,5\r\n",
                inierror::none, 0, true,
                [](const tsettings& s) {
                  EXPECT_EQ(s.minx, "15");
                  EXPECT_EQ(s.maxx, "20,5");
                }},
        readrow{"coordinateBeyondTheWindowLimit",
                "[Coordinate system]\r\nMax x=700\r\nMin x=-700,01\r\nMax y=5\r\n",
                inierror::badvalue, 3, false,
                [](const tsettings& s) {
                  EXPECT_EQ(s.maxx, "700");
                  EXPECT_EQ(s.minx, "-10");
                  EXPECT_EQ(s.maxy, "10");
                }},
        readrow{"infinityRefused", "[Constants]\r\nMaxC=inf\r\n", inierror::badvalue, 2, false,
                nullptr},
        readrow{"floatOverflowRefused", "[Constants]\r\nMaxC=1e39\r\n", inierror::badvalue, 2,
                false, nullptr},
        readrow{"hexRefused", "[Constants]\r\nMaxC=0x10\r\n", inierror::badvalue, 2, false,
                nullptr},
        readrow{"emptyFloatRefused", "[Constants]\r\nIntervalD=\r\n", inierror::badvalue, 2,
                false, nullptr},
        readrow{"directionMustBeOneOrMinusOne", "[Constants]\r\nDirectionA=1\r\nDirectionB=0\r\n",
                inierror::badvalue, 3, false,
                [](const tsettings& s) { EXPECT_EQ(s.params.direction[0], 1); }},
        readrow{"colourOutOfPalette", "[Colors]\r\nActive=16\r\n", inierror::badvalue, 2, false,
                [](const tsettings& s) { EXPECT_EQ(s.active, 9); }},
        readrow{"colourNegative", "[Coordinate system]\r\ngrid color=-1\r\n", inierror::badvalue,
                2, false, nullptr},
        readrow{"colourNotANumber", "[Colors]\r\nPassive=red\r\n", inierror::badvalue, 2, false,
                nullptr},
        readrow{"colourWithSign", "[Colors]\r\nPassive=+15\r\n", inierror::none, 0, true,
                [](const tsettings& s) { EXPECT_EQ(s.passive, 15); }},
        readrow{"colourTooBigForInt", "[Colors]\r\nPassive=99999999999\r\n", inierror::badvalue,
                2, false, nullptr},
        readrow{"funcNameOutOfRange", "[Names]\r\nFuncName=4\r\n", inierror::badvalue, 2, false,
                nullptr},
        readrow{"duplicateLettersKeepOldOnes", "[Names]\r\nNameB=a\r\n",
                inierror::duplicatenames, 0, false,
                [](const tsettings& s) { EXPECT_EQ(s.params.names, defaults.params.names); }},
        readrow{"swappedLettersAccepted", "[Names]\r\nNameA=b\r\nNameB=a\r\n", inierror::none, 0,
                true,
                [](const tsettings& s) {
                  EXPECT_EQ(s.params.names[0], 'b');
                  EXPECT_EQ(s.params.names[1], 'a');
                }},
        readrow{"garbageBytes", "[Colors]\r\n\xff\xfe\x01=\x80\r\nActive=3\r\n",
                inierror::damaged, 2, false, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(tinicodec, hugeLinesAreReadInLinearTime) {
  // A damaged file of some megabytes: one long line, then the lines after it.
  std::string text = "[Coordinate system]\r\ninterval step=";
  text.append(4'000'000, '7');
  text += "\r\n";
  text.append(3'000'000, 'x');
  text += "\r\n[Colors]\r\n";
  tsettings s = defaultsettings(',');
  const auto r = readtext(text, s);
  EXPECT_EQ(r.error, inierror::damaged);
  EXPECT_EQ(r.line, 3);
  EXPECT_EQ(s.gridstep.size(), 4'000'000u);

  std::string bignumber = "[Constants]\r\nMinA=";
  bignumber.append(1'000'000, '9');
  s = defaultsettings(',');
  const auto r2 = readtext(bignumber, s);
  EXPECT_EQ(r2.error, inierror::badvalue);
  EXPECT_LE(r2.value.size(), 40u);
}

TEST(tinicodec, errorTexts) {
  tinireadresult r;
  EXPECT_EQ(inierrortext(r), "");
  r.error = inierror::missing;
  EXPECT_EQ(inierrortext(r), "Error Reading Qv.Ini");
  r.error = inierror::damaged;
  EXPECT_EQ(inierrortext(r), "Error Reading Qv.Ini");
  r.error = inierror::duplicatenames;
  EXPECT_EQ(inierrortext(r), "Kan ikke ha to parameter med samme navn.");
}

struct formatrow {
  const char* name;
  float value;
  const char* text;
};

class formatinifloat : public testing::TestWithParam<formatrow> {};

TEST_P(formatinifloat, twoDecimalsUnlessMoreAreNeeded) {
  const formatrow& row = GetParam();
  const std::string t = codecs::formatinifloat(row.value, ',');
  EXPECT_EQ(t, row.text);
  float back = 0;
  ASSERT_TRUE(codecs::parseinifloat(t, back));
  EXPECT_EQ(back, row.value);
}

INSTANTIATE_TEST_SUITE_P(rows, formatinifloat,
                         testing::Values(formatrow{"step", 0.01f, "0,01"},
                                         formatrow{"min", -100, "-100,00"},
                                         formatrow{"half", 0.5f, "0,50"},
                                         formatrow{"threeDecimals", 0.005f, "0,005"},
                                         formatrow{"smallStep", 0.001f, "0,001"},
                                         formatrow{"manyDigits", 12345.678f, "12345,678"},
                                         formatrow{"huge", 1e20f, "100000002004087734272,00"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(formatinifloat, tinyValuesSurvive) {
  for (float v : {1e-7f, 1e-40f, -3.4e38f}) {
    float back = 0;
    ASSERT_TRUE(codecs::parseinifloat(codecs::formatinifloat(v, '.'), back));
    EXPECT_EQ(back, v);
  }
}

}  // namespace
