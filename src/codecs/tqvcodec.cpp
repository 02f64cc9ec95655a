#include "codecs/tqvcodec.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "codecs/tbytereader.h"
#include "codecs/tbytewriter.h"
#include "codecs/ttextlines.h"

namespace {

void putfigure(tbytewriter& w, const tfigurerecord& f) {
  for (double p : f.params) w.f64(p);
  w.zeros(5);
  w.u8(f.family);
  w.zeros(2);
  if (f.family == qvfile::customfamily) w.shortstring(f.formula, qvfile::formulacapacity);
}

void putlabel(tbytewriter& w, const tlabelrecord& l) {
  const std::string text = codecs::joinlines(l.lines);
  w.i32(static_cast<int32_t>(text.size()));
  w.raw(text);
  w.i32(static_cast<int32_t>(l.fontname.size()));
  w.raw(l.fontname);
  w.u8(l.fontstyle);
  w.u32(l.fontcolour);
  w.i32(l.fontsize);
  w.i32(l.left);
  w.i32(l.top);
  w.i32(l.width);
  w.i32(l.height);
}

// The reading state of one decode: the result, and the first error wins.
class decoder {
 public:
  explicit decoder(std::string_view bytes) : whole_(bytes), in_(bytes) {}

  tqvdecoded run() {
    if (!header()) return std::move(d_);
    if (d_.header.type == qvfile::graphtype) {
      tfigurerecord f;
      if (figure(f)) d_.figures.push_back(std::move(f));
    } else {
      window();
    }
    return std::move(d_);
  }

 private:
  bool fail(qverror e, std::size_t at) {
    d_.error = e;
    d_.offset = at;
    return false;
  }

  bool header() {
    const std::string_view all = whole_;
    // Decide "wrong header" on what is there, so that a short text file gets the
    // warning rather than a complaint about its length.
    if (all.empty() || static_cast<unsigned char>(all[0]) != qvfile::ident.size())
      return fail(qverror::wrongheader, 0);
    const std::string_view have = all.substr(1, qvfile::ident.size());
    if (have != qvfile::ident.substr(0, have.size())) return fail(qverror::wrongheader, 0);
    if (!in_.has(qvfile::headersize)) return fail(qverror::truncated, 0);
    uint8_t n = 0;
    in_.u8(n);
    in_.raw(qvfile::identcapacity, d_.header.ident);
    d_.header.ident.resize(n);
    in_.u8(d_.header.type);
    in_.skip(2);
    in_.i32(d_.header.version);
    d_.hasheader = true;
    if (d_.header.version != qvfile::version) return fail(qverror::wrongheader, 0);
    if (d_.header.type != qvfile::windowtype && d_.header.type != qvfile::graphtype)
      return fail(qverror::badtype, 81);
    return true;
  }

  bool figure(tfigurerecord& f) {
    const std::size_t at = in_.pos();
    if (!in_.has(qvfile::figuresize)) return fail(qverror::truncated, at);
    for (double& p : f.params) in_.f64(p);
    in_.skip(5);
    in_.u8(f.family);
    in_.skip(2);
    if (f.family >= qvfile::familycount) return fail(qverror::badfamily, at + 45);
    if (f.family == qvfile::customfamily) {
      if (!in_.has(1 + qvfile::formulacapacity)) return fail(qverror::truncated, at);
      uint8_t n = 0;
      in_.u8(n);
      in_.raw(qvfile::formulacapacity, f.formula);
      // A length byte above the capacity cannot reach beyond the record.
      f.formula.resize(std::min<std::size_t>(n, qvfile::formulacapacity));
    }
    return true;
  }

  bool text(std::string& out, std::size_t at) {
    const std::size_t lenat = in_.pos();
    int32_t n = 0;
    if (!in_.i32(n)) return fail(qverror::truncated, at);
    if (n < 0) return fail(qverror::badlength, lenat);
    // Checked against the bytes left before anything is allocated.
    if (!in_.raw(static_cast<std::size_t>(n), out)) return fail(qverror::truncated, at);
    return true;
  }

  bool label(tlabelrecord& l) {
    const std::size_t at = in_.pos();
    std::string t;
    if (!text(t, at)) return false;
    l.lines = codecs::splitlines(t);
    if (!text(l.fontname, at)) return false;
    if (!in_.has(1 + 4 * 6)) return fail(qverror::truncated, at);
    in_.u8(l.fontstyle);
    in_.u32(l.fontcolour);
    in_.i32(l.fontsize);
    in_.i32(l.left);
    in_.i32(l.top);
    in_.i32(l.width);
    in_.i32(l.height);
    return true;
  }

  void window() {
    twindowrecord& w = d_.window;
    if (!in_.has(qvfile::windowsize)) {
      fail(qverror::truncated, in_.pos());
      return;
    }
    in_.i32(w.top);
    in_.i32(w.left);
    in_.i32(w.width);
    in_.i32(w.height);
    in_.f64(w.minx);
    in_.f64(w.maxx);
    in_.f64(w.miny);
    in_.f64(w.maxy);
    in_.u32(w.background);
    in_.u32(w.axiscolour);
    in_.u32(w.gridcolour);
    in_.u32(w.passivecolour);
    in_.u32(w.activecolour);
    in_.skip(4);
    in_.i32(w.figcount);
    in_.skip(4);
    in_.i32(w.customcount);
    d_.haswindow = true;
    // Every record takes bytes, so a huge count ends at the end of the file.
    for (int32_t i = 0; i < w.figcount; ++i) {
      tfigurerecord f;
      if (!figure(f)) return;
      d_.figures.push_back(std::move(f));
    }
    if (!in_.i32(d_.labelcount)) {
      fail(qverror::truncated, in_.pos());
      return;
    }
    d_.haslabelcount = true;
    for (int32_t i = 0; i < d_.labelcount; ++i) {
      tlabelrecord l;
      if (!label(l)) return;
      d_.labels.push_back(std::move(l));
    }
  }

  std::string_view whole_;
  tbytereader in_;
  tqvdecoded d_;
};

}  // namespace

std::string encodeheader(uint8_t type) {
  tbytewriter w;
  w.shortstring(qvfile::ident, qvfile::identcapacity);
  w.u8(type);
  w.zeros(2);
  w.i32(qvfile::version);
  return w.take();
}

std::string encodefigure(const tfigurerecord& f) {
  tbytewriter w;
  putfigure(w, f);
  return w.take();
}

std::string encodegraphfile(const tfigurerecord& f) {
  return encodeheader(qvfile::graphtype) + encodefigure(f);
}

std::string encodewindowfile(const twindowfile& file) {
  tbytewriter w;
  w.raw(encodeheader(qvfile::windowtype));
  const twindowrecord& r = file.window;
  w.i32(r.top);
  w.i32(r.left);
  w.i32(r.width);
  w.i32(r.height);
  w.f64(r.minx);
  w.f64(r.maxx);
  w.f64(r.miny);
  w.f64(r.maxy);
  w.u32(r.background);
  w.u32(r.axiscolour);
  w.u32(r.gridcolour);
  w.u32(r.passivecolour);
  w.u32(r.activecolour);
  w.zeros(4);
  w.i32(static_cast<int32_t>(file.figures.size()));
  w.zeros(4);
  w.i32(static_cast<int32_t>(
      std::count_if(file.figures.begin(), file.figures.end(),
                    [](const tfigurerecord& f) { return f.family == qvfile::customfamily; })));
  for (const auto& f : file.figures) putfigure(w, f);
  w.i32(static_cast<int32_t>(file.labels.size()));
  for (const auto& l : file.labels) putlabel(w, l);
  return w.take();
}

tqvdecoded decodeqvfile(std::string_view bytes) {
  return decoder(bytes).run();
}

std::string encodeproject(const std::vector<std::string>& paths) {
  return codecs::joinlines(paths);
}

std::vector<std::string> decodeproject(std::string_view text) { return codecs::splitlines(text); }

std::string qverrortext(const tqvdecoded& d) {
  switch (d.error) {
    case qverror::none:
      return {};
    case qverror::wrongheader:
      return "Dette er IKKE en grafikkfil til denne versjonen av programmet!";
    case qverror::badtype:
      return "Ukjent filtype " + std::to_string(d.header.type) + " i fila.";
    case qverror::truncated:
      return "Fila er for kort: posten som begynner ved byte " + std::to_string(d.offset) +
             ", er ufullstendig.";
    case qverror::badfamily:
      return "Ukjent funksjonstype ved byte " + std::to_string(d.offset) + ".";
    case qverror::badlength:
      return "Fila er skadet: ugyldig tekstlengde ved byte " + std::to_string(d.offset) + ".";
  }
  return {};
}

float boxvalue(double v) {
  if (std::isnan(v)) return 0.0f;
  if (v > FLT_MAX) return FLT_MAX;
  if (v < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(v);
}
