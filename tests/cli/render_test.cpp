// tarnelo-cli render: saved windows and graphs drawn to picture files, read
// back with Qt, and refusals of bad files and bad arguments.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "codecs/tqvcodec.h"

#ifdef TARNELO_CLI_PICTURES
#include <QColor>
#include <QImage>
#include <QString>
#endif

namespace {

struct outcome {
  std::string text;  // stdout and stderr together
  int rc;
};

outcome run(const std::string& args) {
  const std::string command = std::string("'") + TARNELO_CLI + "' " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {"", -1};
  std::string text;
  char buf[256];
  while (std::fgets(buf, sizeof buf, pipe)) text += buf;
  const int status = pclose(pipe);
  return {text, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

outcome render(const std::string& args) {
  return run("render " + args);
}

std::string writefile(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

constexpr uint32_t filergb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16;
}

tfigurerecord custom(const std::string& formula) {
  tfigurerecord f;
  f.family = qvfile::customfamily;
  f.formula = formula;
  return f;
}

// A 400 x 300 window over x -10..10, y -5..10 on a yellow background: the
// line y = 2 in blue (passive), y = 6 in red (the last, selected one), and a
// green label at (20, 200).
twindowfile samplewindow() {
  twindowfile w;
  w.window.width = 400;
  w.window.height = 300;
  w.window.minx = -10;
  w.window.maxx = 10;
  w.window.miny = -5;
  w.window.maxy = 10;
  w.window.background = filergb(255, 255, 0);
  w.window.axiscolour = filergb(0, 0, 0);
  w.window.gridcolour = filergb(128, 128, 128);
  w.window.passivecolour = filergb(0, 0, 255);
  w.window.activecolour = filergb(255, 0, 0);
  w.figures = {custom("2"), custom("6")};
  tlabelrecord l;
  l.lines = {"Merke", "Linje to"};
  l.fontname = "DejaVu Sans";
  l.fontcolour = filergb(0, 160, 0);
  l.fontsize = 12;
  l.left = 20;
  l.top = 200;
  l.width = 150;
  l.height = 60;
  w.labels = {l};
  return w;
}

struct exitcase {
  const char* name;
  std::string bytes;  // the input file; empty: a path that does not exist
  std::string args;   // after FILE OUT
  const char* out;    // the picture's name
  int rc;
  const char* says;  // part of what is printed
};

void PrintTo(const exitcase& c, std::ostream* os) {
  *os << c.name;
}

class renderexit : public ::testing::TestWithParam<exitcase> {};

std::string truncated() {
  const std::string whole = encodewindowfile(samplewindow());
  return whole.substr(0, whole.size() - 30);
}

TEST_P(renderexit, exits_as_documented) {
  const exitcase& c = GetParam();
  // Every case has files of its own: the cases may run side by side.
  const std::string stem = std::string("render-") + c.name;
  const std::string in = c.bytes.empty() ? ::testing::TempDir() + stem + "-missing.qvw"
                                         : writefile(stem + ".qvw", c.bytes);
  const std::string out = ::testing::TempDir() + stem + "-" + c.out;
  std::remove(out.c_str());
  const outcome r = render("'" + in + "' '" + out + "' " + c.args);
  EXPECT_EQ(r.rc, c.rc) << r.text;
  EXPECT_NE(r.text.find(c.says), std::string::npos) << r.text;
  std::remove(in.c_str());
  std::remove(out.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    files_and_arguments, renderexit,
    ::testing::Values(
        exitcase{"window", encodewindowfile(samplewindow()), "", "a.png", 0, ""},
        exitcase{"graph", encodegraphfile(custom("x^2")), "--scale 2", "a.png", 0, ""},
        exitcase{"missing_file", "", "", "a.png", 1, "Kan ikke åpne fila"},
        exitcase{"not_ours", std::string(200, 'x'), "", "a.png", 1, "Dette er IKKE en grafikkfil"},
        exitcase{"too_short", "Tarnelo", "", "a.png", 1, "Dette er IKKE en grafikkfil"},
        exitcase{"truncated", truncated(), "", "a.png", 1, ""},
        exitcase{"bad_formula", encodewindowfile({{}, {custom("sinus(x)")}, {}}), "", "a.png", 1,
                 "Formelen «sinus(x)» kan ikke leses"},
        exitcase{"unknown_format", encodewindowfile(samplewindow()), "", "a.gif", 2, "Bruk:"},
        exitcase{"scale_zero", encodewindowfile(samplewindow()), "--scale 0", "a.png", 2,
                 "--scale"},
        exitcase{"scale_fraction", encodewindowfile(samplewindow()), "--scale 1.5", "a.png", 2,
                 "--scale"},
        exitcase{"size_not_number", encodewindowfile(samplewindow()), "--size 10 x", "a.png", 2,
                 "--size"},
        exitcase{"too_big_scaled", encodewindowfile(samplewindow()), "--size 9000 10 --scale 2",
                 "a.png", 2, "16384"},
        exitcase{"unknown_option", encodewindowfile(samplewindow()), "--dpi 300", "a.png", 2,
                 "ukjent argument"}));

TEST(render, without_a_picture_name_is_a_usage_error) {
  EXPECT_EQ(render("").rc, 2);
  EXPECT_EQ(render("'x.qvw'").rc, 2);
}

std::string readfile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Polylines of an SVG drawn in each stroke colour: Qt's generator opens a
// group with the pen for each change of state.
std::map<std::string, int> polylinesbycolour(const std::string& svg) {
  std::map<std::string, int> n;
  std::string stroke;
  for (std::size_t at = svg.find('<'); at != std::string::npos; at = svg.find('<', at + 1)) {
    if (svg.compare(at, 3, "<g ") == 0) {
      const std::size_t end = svg.find('>', at);
      const std::size_t s = svg.find("stroke=\"", at);
      stroke = s < end ? svg.substr(s + 8, 7) : "";
    } else if (svg.compare(at, 9, "<polyline") == 0) {
      ++n[stroke];
    }
  }
  return n;
}

// Vector pictures: one polyline per figure in the figure's colour (two
// passive blue lines and the selected red curve), a PDF page; plot as well.
TEST(render, writes_svg_and_pdf_by_the_extension) {
  twindowfile w = samplewindow();
  w.figures.push_back(custom("3*sin(x)"));
  const std::string in = writefile("render-vector.qvw", encodewindowfile(w));
  struct row {
    std::string command;
    const char* out;
    std::map<std::string, int> polylines;  // for SVG
  };
  const row rows[] = {
      {"render '" + in + "'", "render-vector.svg", {{"#0000ff", 2}, {"#ff0000", 1}}},
      {"render '" + in + "'", "render-vector.PDF", {}},
      {"plot", "plot-vector.svg", {{"#000080", 1}, {"#ff0000", 0}}},
      {"plot", "plot-vector.pdf", {}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.out);
    const std::string out = ::testing::TempDir() + r.out;
    std::remove(out.c_str());
    const std::string tail = r.command == "plot" ? " --fig 8 'x^2/4'" : "";
    const outcome o = run(r.command + " '" + out + "'" + tail);
    ASSERT_EQ(o.rc, 0) << o.text;
    const std::string bytes = readfile(out);
    if (r.polylines.empty()) {
      EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
      EXPECT_NE(bytes.find("%%EOF"), std::string::npos);
    } else {
      ASSERT_EQ(bytes.substr(0, 5), "<?xml");
      const auto n = polylinesbycolour(bytes);
      for (const auto& [colour, count] : r.polylines) {
        const auto it = n.find(colour);
        EXPECT_EQ(it == n.end() ? 0 : it->second, count) << colour;
      }
    }
    std::remove(out.c_str());
  }
  std::remove(in.c_str());
}

#ifdef TARNELO_CLI_PICTURES
QImage renderwindow(const twindowfile& w, const std::string& args) {
  const std::string in = writefile("render-window.qvw", encodewindowfile(w));
  const std::string out = ::testing::TempDir() + "render-window.png";
  const outcome r = render("'" + in + "' '" + out + "' " + args);
  EXPECT_EQ(r.rc, 0) << r.text;
  QImage img;
  EXPECT_TRUE(img.load(QString::fromStdString(out)));
  std::remove(in.c_str());
  std::remove(out.c_str());
  return img;
}

// Rows of the column x whose pixel has the colour c.
std::vector<int> rowswith(const QImage& img, int x, QRgb c) {
  std::vector<int> rows;
  for (int y = 0; y < img.height(); ++y)
    if ((img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF)) rows.push_back(y);
  return rows;
}

int count(const QImage& img, QRect r, QRgb c) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
  return n;
}

// The window's range, colours and labels reach the picture, and --scale K
// draws the same picture K times as big with K times as thick lines.
TEST(render, draws_the_window_as_saved_at_every_scale) {
  const twindowfile w = samplewindow();
  const QRgb yellow = qRgb(255, 255, 0), blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0),
             green = qRgb(0, 160, 0);
  for (int k : {1, 2, 4}) {
    SCOPED_TRACE(k);
    const QImage img = renderwindow(w, k == 1 ? "" : "--scale " + std::to_string(k));
    ASSERT_EQ(img.size(), QSize(400 * k, 300 * k));
    EXPECT_EQ(img.pixel(390 * k, 290 * k) & 0xFFFFFF, yellow & 0xFFFFFF);
    // y = 2 is pixel row 300 * (10 - 2) / 15 = 160, y = 6 is row 80.
    const int column = 300 * k;
    for (const auto& [colour, row] : {std::pair{blue, 160}, std::pair{red, 80}}) {
      const std::vector<int> rows = rowswith(img, column, colour);
      ASSERT_FALSE(rows.empty());
      EXPECT_LE(std::abs((rows.front() + rows.back()) / 2 - row * k), 1);
      // Pens follow the scale: a 1-pixel line is k pixels thick.
      EXPECT_GE(static_cast<int>(rows.size()), k);
      EXPECT_LE(static_cast<int>(rows.size()), k + 1);
    }
    // The label's text in its colour, inside its box only.
    EXPECT_GT(count(img, QRect(20 * k, 200 * k, 150 * k, 60 * k), green), 20 * k * k);
    EXPECT_EQ(count(img, QRect(0, 0, 400 * k, 195 * k), green), 0);
  }
}

TEST(render, draws_a_single_graph_in_the_default_window) {
  const std::string in = writefile("render-graph.qvs", encodegraphfile(custom("x/2")));
  const std::string out = ::testing::TempDir() + "render-graph.png";
  const outcome r = render("'" + in + "' '" + out + "' --size 400 400");
  ASSERT_EQ(r.rc, 0) << r.text;
  QImage img;
  ASSERT_TRUE(img.load(QString::fromStdString(out)));
  ASSERT_EQ(img.size(), QSize(400, 400));
  // Over -10..10: world (6, 3) is pixel (320, 140), in the selected red.
  const std::vector<int> rows = rowswith(img, 320, qRgb(255, 0, 0));
  ASSERT_FALSE(rows.empty());
  EXPECT_LE(std::abs(rows.front() - 140), 1);
  std::remove(in.c_str());
  std::remove(out.c_str());
}
#endif

}  // namespace
