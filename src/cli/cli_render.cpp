// tarnelo-cli render: decodes a window file (.QVW) or a single graph (.QVS)
// and draws it as a window paints after opening it: background, axes with
// range labels, the figures (the last one loaded is the selected one) and the
// text labels. --scale K draws K times as big through the drawing path itself
// (K times the dpi and pen widths), so lines and text stay sharp.
#include "cli/cli_render.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_figures.h"
#include "cli/cliargs.h"
#include "codecs/tcp1252.h"
#include "codecs/tqvcodec.h"
#include "figures/tcoords.h"
#include "figures/tfigure.h"
#include "figures/theadlesshost.h"

#ifdef TARNELO_HAVE_QT
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "platform/qt/qtimage.h"
#endif

const char* const renderusage =
    "  tarnelo-cli render FIL UT.png|UT.svg|UT.pdf [--size B H] [--scale K]\n"
    "      FIL: et vindu (.QVW) eller en graf (.QVS); K 1..8\n";

#ifndef TARNELO_HAVE_QT
int cmdrender(int, char**) {
  std::fputs("tarnelo-cli: render er ikke med i denne utgaven (bygd uten Qt)\n", stderr);
  return 2;
}
#else

namespace {

constexpr std::streamsize maxfilesize = 16 << 20;  // as the program opens
constexpr int maxside = 16384;
constexpr int maxscale = 8;
constexpr int defaultwidth = 800;
constexpr int defaultheight = 600;

int usageerror(const std::string& what) {
  return cli::usageerror(what, renderusage);
}

bool integer(const char* s, int lo, int hi, int& v) {
  double d = 0;
  if (!cli::parsenumber(s, d) || d != std::trunc(d) || d < lo || d > hi) return false;
  v = static_cast<int>(d);
  return true;
}

// The program's own words, Windows-1252, as a line on stderr.
void complain(const std::string& cp1252) {
  std::fprintf(stderr, "%s\n", codecs::cp1252toutf8(cp1252).c_str());
}

platform::colour filecolour(uint32_t c) {
  return platform::rgb(static_cast<int>(c & 255), static_cast<int>((c >> 8) & 255),
                       static_cast<int>((c >> 16) & 255));
}

// Images whose surfaces draw k times as big: k times the dpi (fonts) and the
// pen widths.
class scaledfactory : public platform::imagefactory {
 public:
  explicit scaledfactory(int k) : k_(k) {}
  std::unique_ptr<platform::image> makeimage(int width, int height) override {
    auto img = std::make_unique<platform::qtimage>(width, height, 96 * k_);
    dynamic_cast<platform::qtsurface&>(img->canvas()).setpenscale(k_);
    return img;
  }

 private:
  int k_;
};

bool readall(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    complain("Kan ikke \xE5pne fila " + path + ".");
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in.rdbuf()), {});
  if (in.bad()) {
    complain("Kan ikke lese fila " + path + ".");
    return false;
  }
  if (static_cast<std::streamsize>(bytes.size()) > maxfilesize) {
    complain("Fila " + path + " er for stor til \xE5 v\xE6re en fil fra dette programmet.");
    return false;
  }
  return true;
}

// A label's lines in its font, clipped to its box, as the window draws them.
void drawlabel(platform::surface& s, const tlabelrecord& r, int k) {
  if (r.lines.empty()) return;
  platform::font f;
  f.name = r.fontname;
  f.bold = (r.fontstyle & fontstyle::bold) != 0;
  f.italic = (r.fontstyle & fontstyle::italic) != 0;
  f.underline = (r.fontstyle & fontstyle::underline) != 0;
  f.col = filecolour(r.fontcolour);
  f.size = std::clamp(r.fontsize, 1, 500);
  s.setfont(f);
  s.setbrush({platform::white, platform::brushstyle::clear});
  const int left = std::clamp(r.left, -4096, 4096) * k;
  const int top = std::clamp(r.top, -4096, 4096) * k;
  const int width = std::clamp(r.width, 0, 4096) * k;
  const int height = std::clamp(r.height, 0, 4096) * k;
  int y = 0;
  int h = s.textheight(r.lines[0]);
  for (std::size_t i = 0; i < r.lines.size() && y + h < height; ++i) {
    h = s.textheight(r.lines[i]);
    s.textrect({left, top + y, left + width, top + y + h}, left, top + y, r.lines[i]);
    y += h;
  }
}

}  // namespace

std::string pictureformat(const std::string& out) {
  const auto dot = out.rfind('.');
  std::string ext = dot == std::string::npos ? "" : out.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "png" || ext == "svg" || ext == "pdf" ? ext : "";
}

int writepicture(const std::string& out, tcoords& coords, int width, int height, int scale,
                 const std::function<void()>& paint) {
  const QString name = QString::fromLocal8Bit(out.c_str());
  const std::string format = pictureformat(out);
  bool written = false;
  if (format != "svg" && format != "pdf") {
    coords.image->resize(width, height);
    paint();
    const auto& img = dynamic_cast<platform::qtimage&>(*coords.image).qimage();
    written = img.save(name, "PNG");
  } else {
    QFile::remove(name);
    QSvgGenerator svg;
    std::unique_ptr<QPdfWriter> pdf;
    QPaintDevice* device = &svg;
    if (format == "svg") {
      svg.setFileName(name);
      svg.setSize(QSize(width, height));
      svg.setViewBox(QRect(0, 0, width, height));
      svg.setResolution(96 * scale);
      svg.setTitle(QStringLiteral("Tarnelo"));
    } else {
      pdf = std::make_unique<QPdfWriter>(name);
      pdf->setResolution(96 * scale);
      pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
      pdf->setPageSize(QPageSize(QSizeF(width * 72.0 / (96 * scale), height * 72.0 / (96 * scale)),
                                 QPageSize::Point, QString(), QPageSize::ExactMatch));
      pdf->setCreator(QStringLiteral("Tarnelo"));
      device = pdf.get();
    }
    auto picture = std::make_unique<platform::qtdeviceimage>(*device, width, height, 96 * scale);
    dynamic_cast<platform::qtsurface&>(picture->canvas()).setpenscale(scale);
    std::unique_ptr<platform::image> raster = std::exchange(coords.image, std::move(picture));
    paint();
    // Ending the painter writes the file.
    coords.image = std::move(raster);
    const QFileInfo info(name);
    written = info.exists() && info.size() > 0;
  }
  if (!written) {
    std::fprintf(stderr, "tarnelo-cli: kan ikke skrive %s\n", out.c_str());
    return 1;
  }
  return 0;
}

int cmdrender(int argc, char** argv) {
  if (argc < 3) return usageerror("render trenger en fil og et filnavn for bildet");
  const std::string in = argv[1];
  const std::string out = argv[2];
  int width = 0, height = 0, scale = 1;
  for (int i = 3; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--size" && i + 2 < argc) {
      if (!integer(argv[i + 1], 1, maxside, width) || !integer(argv[i + 2], 1, maxside, height))
        return usageerror("--size tar bredde og h\xC3\xB8yde 1..16384");
      i += 2;
    } else if (a == "--scale" && i + 1 < argc) {
      if (!integer(argv[++i], 1, maxscale, scale)) return usageerror("--scale tar 1..8");
    } else {
      return usageerror("ukjent argument: " + a);
    }
  }
  if (pictureformat(out).empty())
    return usageerror("bildet m\xC3\xA5 ende p\xC3\xA5 .png, .svg eller .pdf");

  std::string bytes;
  if (!readall(in, bytes)) return 1;
  const tqvdecoded d = decodeqvfile(bytes);
  if (!d.hasheader || d.error == qverror::wrongheader) {
    complain("Dette er IKKE en grafikkfil til denne versjonen av programmet!");
    return 1;
  }
  if (d.error == qverror::badtype) {
    complain(qverrortext(d));
    return 1;
  }
  const bool window = d.header.type == qvfile::windowtype && d.haswindow;
  if (width == 0) {
    width = window ? std::clamp(d.window.width, 1, 4096) : defaultwidth;
    height = window ? std::clamp(d.window.height, 1, 4096) : defaultheight;
  }
  if (static_cast<long long>(width) * scale > maxside ||
      static_cast<long long>(height) * scale > maxside)
    return usageerror("bildet blir st\xC3\xB8rre enn 16384 punkter");

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int qargc = 1;
  static char qname[] = "tarnelo-cli";
  static char* qargv[] = {qname, nullptr};
  QGuiApplication app(qargc, qargv);

  const int w = width * scale;
  const int h = height * scale;
  theadlesshost host;
  host.width = w;
  host.height = h;
  if (window) {
    host.background = filecolour(d.window.background);
    host.options.axiscolour = filecolour(d.window.axiscolour);
    host.options.gridcolour = filecolour(d.window.gridcolour);
    host.options.figcolours[0] = filecolour(d.window.passivecolour);
    host.options.figcolours[1] = filecolour(d.window.activecolour);
  }
  scaledfactory factory(scale);
  tcoords coords;
  coords.create(host, factory);
  // A range no window can show leaves the default one, as on opening.
  if (!window ||
      !coords.setup(0, 0, w, h, d.window.minx, d.window.maxx, d.window.miny, d.window.maxy))
    coords.setup(0, 0, w, h, -10, 10, -10, 10);

  int failures = 0;
  std::vector<std::unique_ptr<tfigure> > figures;
  for (const tfigurerecord& r : d.figures) {
    figurewish wish;
    wish.kind = r.family;
    for (std::size_t k = 0; k < 5; ++k) wish.p[k] = boxvalue(r.params[k]);
    wish.formula = codecs::cp1252toutf8(r.formula.substr(0, qvfile::formulacapacity));
    std::unique_ptr<tfigure> f = build(wish, coords, host);
    // A formula that cannot be read is not drawn; the rest still is.
    if (!f) {
      complain("Formelen \xAB" + r.formula + "\xBB kan ikke leses.");
      ++failures;
      continue;
    }
    figures.push_back(std::move(f));
  }
  if (!figures.empty()) figures.back()->selected = true;

  const int written = writepicture(out, coords, w, h, scale, [&] {
    coords.drawbackground();
    coords.drawaxes();
    for (auto& f : figures) {
      f->calculate();
      f->draw();
    }
    for (const tlabelrecord& r : d.labels) drawlabel(coords.image->canvas(), r, scale);
  });
  if (written != 0) return written;
  if (d.error != qverror::none) {
    complain(qverrortext(d));
    return 1;
  }
  return failures > 0 ? 1 : 0;
}

#endif
