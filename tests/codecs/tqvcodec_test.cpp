#include "codecs/tqvcodec.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

#include "codecs/tqvfilename.h"

namespace {

uint32_t u32at(const std::string& b, std::size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(b[at + i])) << (8 * i);
  return v;
}

double f64at(const std::string& b, std::size_t at) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= uint64_t(uint8_t(b[at + i])) << (8 * i);
  return std::bit_cast<double>(v);
}

void putu32(std::string& b, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = char(v >> (8 * i));
}

tfigurerecord line() { return {{2, -1, 0, 0, 0}, 0, ""}; }

tfigurerecord custom() { return {{1, 2, 3, 4, 5}, 8, "a*sin(b*x)+c*x^2"}; }

// A window with every family, a formula and two labels, all fields set.
twindowfile fullwindow() {
  twindowfile w;
  w.window = {10, 20, 400, 300, -10.5, 10.25, -7, 7.125, 0xC0C0C0, 0x000000, 0x808080,
              0x0000FF, 0xFF00FF, 0, 0};
  for (uint8_t fam = 0; fam < 9; ++fam) {
    tfigurerecord f{{0.1 * fam, -2.5, 1e-300, -1e300, 0.1}, fam, ""};
    if (fam == 8) f.formula = "x^2-3*x+2";
    w.figures.push_back(f);
  }
  w.labels.push_back({{"Linje 1", "Line \xe6\xf8\xe5 \x80", ""}, "Arial", fontstyle::bold | fontstyle::strikeout,
                      0x00FF00, 12, 5, 6, 100, 40});
  w.labels.push_back({{"f(x) = x^2 -->"}, "Times New Roman", fontstyle::italic, 0x123456, 9,
                      -3, 250, 10, 10});
  return w;
}

TEST(tqvcodec, fileSizes) {
  EXPECT_EQ(encodewindowfile({}).size(), 176u);
  EXPECT_EQ(encodegraphfile(line()).size(), 136u);
  EXPECT_EQ(encodegraphfile(custom()).size(), 217u);
}

TEST(tqvcodec, headerBytes) {
  const std::string h = encodeheader(1);
  ASSERT_EQ(h.size(), 88u);
  EXPECT_EQ(uint8_t(h[0]), 11);
  EXPECT_EQ(h.substr(1, 11), "Tarnelo fil");
  EXPECT_EQ(h.substr(12, 69), std::string(69, '\0'));
  EXPECT_EQ(uint8_t(h[81]), 1);
  EXPECT_EQ(h.substr(82, 2), std::string(2, '\0'));
  EXPECT_EQ(u32at(h, 84), 1u);
}

TEST(tqvcodec, windowAndFigureRecordLayout) {
  twindowfile w = fullwindow();
  const std::string b = encodewindowfile(w);
  const std::size_t r = 88;
  EXPECT_EQ(u32at(b, r + 0), 10u);   // top
  EXPECT_EQ(u32at(b, r + 4), 20u);   // left
  EXPECT_EQ(u32at(b, r + 8), 400u);  // width
  EXPECT_EQ(u32at(b, r + 12), 300u);
  EXPECT_EQ(f64at(b, r + 16), -10.5);
  EXPECT_EQ(f64at(b, r + 24), 10.25);
  EXPECT_EQ(f64at(b, r + 32), -7);
  EXPECT_EQ(f64at(b, r + 40), 7.125);
  EXPECT_EQ(u32at(b, r + 48), 0xC0C0C0u);
  EXPECT_EQ(u32at(b, r + 56), 0x808080u);
  EXPECT_EQ(u32at(b, r + 60), 0x0000FFu);  // passive before active
  EXPECT_EQ(u32at(b, r + 64), 0xFF00FFu);
  EXPECT_EQ(u32at(b, r + 68), 0u);
  EXPECT_EQ(u32at(b, r + 72), 9u);  // figure count from the list, not the record field
  EXPECT_EQ(u32at(b, r + 76), 0u);
  EXPECT_EQ(u32at(b, r + 80), 1u);  // user-defined figures
  const std::size_t f = r + 84 + 48 * 8;  // the ninth figure, family 8
  EXPECT_EQ(f64at(b, f), 0.8);
  EXPECT_EQ(b.substr(f + 40, 5), std::string(5, '\0'));
  EXPECT_EQ(uint8_t(b[f + 45]), 8);
  EXPECT_EQ(b.substr(f + 46, 2), std::string(2, '\0'));
  EXPECT_EQ(uint8_t(b[f + 48]), 9);
  EXPECT_EQ(b.substr(f + 49, 9), "x^2-3*x+2");
  EXPECT_EQ(b.substr(f + 58, 71), std::string(71, '\0'));
  const std::size_t l = f + 48 + 81;
  EXPECT_EQ(u32at(b, l), 2u);  // label count
  EXPECT_EQ(u32at(b, l + 4), 23u);
  EXPECT_EQ(b.substr(l + 8, 23), "Linje 1\r\nLine \xe6\xf8\xe5 \x80\r\n\r\n");
}

TEST(tqvcodec, windowRoundTripKeepsEveryField) {
  twindowfile w = fullwindow();
  const tqvdecoded d = decodeqvfile(encodewindowfile(w));
  EXPECT_EQ(d.error, qverror::none);
  EXPECT_EQ(d.header, (tfileheader{"Tarnelo fil", 0, 1}));
  ASSERT_TRUE(d.haswindow);
  w.window.figcount = 9;
  w.window.customcount = 1;
  EXPECT_EQ(d.window, w.window);
  EXPECT_EQ(d.figures, w.figures);
  EXPECT_EQ(d.labelcount, 2);
  EXPECT_EQ(d.labels, w.labels);
}

TEST(tqvcodec, graphRoundTrip) {
  for (const tfigurerecord& f : {line(), custom()}) {
    const tqvdecoded d = decodeqvfile(encodegraphfile(f));
    EXPECT_EQ(d.error, qverror::none);
    EXPECT_EQ(d.header.type, 1);
    EXPECT_FALSE(d.haswindow);
    ASSERT_EQ(d.figures.size(), 1u);
    EXPECT_EQ(d.figures[0], f);
  }
}

TEST(tqvcodec, formulaIsCutToEightyBytes) {
  tfigurerecord f = custom();
  f.formula = std::string(100, 'x');
  const std::string b = encodegraphfile(f);
  EXPECT_EQ(b.size(), 217u);
  EXPECT_EQ(decodeqvfile(b).figures.at(0).formula, std::string(80, 'x'));
  // A formula on a figure of another family is not written.
  f.family = 3;
  EXPECT_EQ(encodegraphfile(f).size(), 136u);
}

std::string withbyte(std::string b, std::size_t at, char v) {
  b[at] = v;
  return b;
}

struct badrow {
  const char* name;
  std::string bytes;
  qverror error;
  std::size_t figures;
};

class decodebad : public testing::TestWithParam<badrow> {};

TEST_P(decodebad, reportsTheFault) {
  const tqvdecoded d = decodeqvfile(GetParam().bytes);
  EXPECT_EQ(d.error, GetParam().error);
  EXPECT_EQ(d.figures.size(), GetParam().figures);
}

const std::string graphfile = encodegraphfile(custom());
const std::string windowfile = encodewindowfile(fullwindow());
const std::size_t labelsat = 88 + 84 + 48 * 9 + 81 + 4;

INSTANTIATE_TEST_SUITE_P(
    rows, decodebad,
    testing::Values(
        badrow{"empty", "", qverror::wrongheader, 0},
        badrow{"textFile", "Hello, world\n", qverror::wrongheader, 0},
        badrow{"lowerCaseIdent", withbyte(graphfile, 1, 't'), qverror::wrongheader, 0},
        badrow{"identLength10", withbyte(graphfile, 0, 10), qverror::wrongheader, 0},
        badrow{"identLength12", withbyte(graphfile, 0, 12), qverror::wrongheader, 0},
        badrow{"version2", withbyte(graphfile, 84, 2), qverror::wrongheader, 0},
        badrow{"versionHighByte", withbyte(graphfile, 87, 1), qverror::wrongheader, 0},
        badrow{"shortButRightStart", graphfile.substr(0, 40), qverror::truncated, 0},
        badrow{"type2", withbyte(graphfile, 81, 2), qverror::badtype, 0},
        badrow{"family9", withbyte(graphfile, 88 + 45, 9), qverror::badfamily, 0},
        badrow{"family255InWindow", withbyte(windowfile, 88 + 84 + 48 * 3 + 45, char(255)),
               qverror::badfamily, 3},
        badrow{"negativeTextLength",
               [] {
                 std::string b = windowfile;
                 putu32(b, labelsat, 0xFFFFFFFF);
                 return b;
               }(),
               qverror::badlength, 9},
        badrow{"hugeTextLength",
               [] {
                 std::string b = windowfile;
                 putu32(b, labelsat, 0x7FFFFFFF);
                 return b;
               }(),
               qverror::truncated, 9},
        badrow{"hugeFigureCount",
               [] {
                 std::string b = encodewindowfile({});
                 putu32(b, 88 + 72, 0x7FFFFFFF);
                 return b;
               }(),
               qverror::truncated, 0},
        badrow{"hugeLabelCount",
               [] {
                 std::string b = encodewindowfile({});
                 putu32(b, 88 + 84, 0x7FFFFFFF);
                 return b;
               }(),
               qverror::truncated, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(tqvcodec, oversizedFormulaLengthStaysInsideTheRecord) {
  const tqvdecoded d = decodeqvfile(withbyte(graphfile, 88 + 48, char(200)));
  EXPECT_EQ(d.error, qverror::none);
  EXPECT_EQ(d.figures.at(0).formula.size(), 80u);
}

TEST(tqvcodec, negativeCountsReadNothingAndGoOn) {
  twindowfile w;
  w.labels.push_back({{"x"}, "Arial", 0, 0, 10, 1, 2, 30, 40});
  std::string b = encodewindowfile(w);
  putu32(b, 88 + 72, uint32_t(-5));
  const tqvdecoded d = decodeqvfile(b);
  EXPECT_EQ(d.error, qverror::none);
  EXPECT_EQ(d.window.figcount, -5);
  EXPECT_TRUE(d.figures.empty());
  EXPECT_EQ(d.labels, w.labels);
}

TEST(tqvcodec, bytesAfterTheLastRecordAreIgnored) {
  EXPECT_EQ(decodeqvfile(windowfile + "junk").error, qverror::none);
  EXPECT_EQ(decodeqvfile(graphfile + "junk").figures.at(0), custom());
}

TEST(tqvcodec, labelLinesEndAtCrLfOrCrLf) {
  std::string b = encodewindowfile({});
  b.resize(b.size() - 4);
  const std::string text = "a\nb\rc\r\n\r\nd";
  std::string label(4, '\0');
  putu32(label, 0, uint32_t(text.size()));
  label += text;
  label += std::string(4 + 25, '\0');  // empty font name, style, colour, size, rectangle
  std::string count(4, '\0');
  putu32(count, 0, 1);
  const tqvdecoded d = decodeqvfile(b + count + label);
  EXPECT_EQ(d.error, qverror::none);
  ASSERT_EQ(d.labels.size(), 1u);
  EXPECT_EQ(d.labels[0].lines, (std::vector<std::string>{"a", "b", "c", "", "d"}));
}

// Every prefix of a file decodes without fault: a prefix of its records and an error.
TEST(tqvcodec, truncatedAtEveryOffset) {
  const twindowfile w = fullwindow();
  for (std::size_t n = 0; n < windowfile.size(); ++n) {
    const tqvdecoded d = decodeqvfile(std::string_view(windowfile).substr(0, n));
    ASSERT_EQ(d.error, n == 0 ? qverror::wrongheader : qverror::truncated) << n;
    ASSERT_LE(d.offset, n);
    ASSERT_EQ(d.haswindow, n >= 88 + 84) << n;
    ASSERT_LE(d.figures.size(), w.figures.size());
    for (std::size_t i = 0; i < d.figures.size(); ++i) ASSERT_EQ(d.figures[i], w.figures[i]);
    for (std::size_t i = 0; i < d.labels.size(); ++i) ASSERT_EQ(d.labels[i], w.labels[i]);
    if (n >= labelsat) {
      EXPECT_EQ(d.figures.size(), 9u);
    } else {
      EXPECT_TRUE(d.labels.empty());
    }
    ASSERT_LT(d.labels.size(), 2u);
  }
  for (std::size_t n = 1; n < graphfile.size(); ++n) {
    const tqvdecoded d = decodeqvfile(std::string_view(graphfile).substr(0, n));
    ASSERT_EQ(d.error, qverror::truncated) << n;
    ASSERT_TRUE(d.figures.empty());
  }
}

TEST(tqvcodec, errorTexts) {
  tqvdecoded d;
  EXPECT_EQ(qverrortext(d), "");
  d.error = qverror::wrongheader;
  EXPECT_EQ(qverrortext(d), "Dette er IKKE en grafikkfil til denne versjonen av programmet!");
  d.error = qverror::truncated;
  d.offset = 172;
  EXPECT_NE(qverrortext(d).find("172"), std::string::npos);
}

struct boxrow {
  const char* name;
  double stored;
  float box;
};

class boxvaluetest : public testing::TestWithParam<boxrow> {};

TEST_P(boxvaluetest, narrowsToSinglePrecision) {
  EXPECT_EQ(boxvalue(GetParam().stored), GetParam().box);
}

INSTANTIATE_TEST_SUITE_P(
    rows, boxvaluetest,
    testing::Values(boxrow{"tenth", 0.1, 0.1f}, boxrow{"negative", -2.5, -2.5f},
                    boxrow{"tooBig", 1e300, FLT_MAX}, boxrow{"tooSmall", -1e300, -FLT_MAX},
                    boxrow{"infinite", -std::numeric_limits<double>::infinity(), -FLT_MAX},
                    boxrow{"nan", std::numeric_limits<double>::quiet_NaN(), 0.0f},
                    boxrow{"tiny", 1e-300, 0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

struct extrow {
  const char* name;
  const char* file;
  const char* ext;
};

class fileexttest : public testing::TestWithParam<extrow> {};

TEST_P(fileexttest, takesTheLastDotOfTheFileNameInCapitals) {
  EXPECT_EQ(fileext(GetParam().file), GetParam().ext);
}

INSTANTIATE_TEST_SUITE_P(rows, fileexttest,
                         testing::Values(extrow{"windows", "C:\\a\\skole.QVP", ".QVP"},
                                         extrow{"lowerCase", "/home/x/skole.qvp", ".QVP"},
                                         extrow{"mixedCase", "v.QvW", ".QVW"},
                                         extrow{"twoDots", "a.b.qvs", ".QVS"},
                                         extrow{"dotInFolder", "/x.y/name", ""},
                                         extrow{"dotInWindowsFolder", "C:\\x.y\\name", ""},
                                         extrow{"none", "name", ""},
                                         extrow{"trailingDot", "name.", "."}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(tqvfilename, projectsAndSaveChecks) {
  EXPECT_TRUE(isprojectname("/tmp/skole.qvp"));
  EXPECT_FALSE(isprojectname("/tmp/skole.qvw"));
  EXPECT_EQ(saveexterror("/tmp/v.qvw", qvkind::window), "");
  EXPECT_EQ(saveexterror("/tmp/v.QVS", qvkind::graph), "");
  EXPECT_EQ(saveexterror("/tmp/v.qvw", qvkind::project),
            "Filetternavnet svarer ikke til filtypen .QVP\r- fila lagres ikke.");
}

TEST(tqvcodec, projectText) {
  const std::vector<std::string> paths{"/a/skole1.QVW", "/a/skole2.QVW"};
  EXPECT_EQ(encodeproject(paths), "/a/skole1.QVW\r\n/a/skole2.QVW\r\n");
  EXPECT_EQ(decodeproject(encodeproject(paths)), paths);
  EXPECT_EQ(decodeproject("/a/x.QVW\n/b/y.QVW"),
            (std::vector<std::string>{"/a/x.QVW", "/b/y.QVW"}));
}

}  // namespace
