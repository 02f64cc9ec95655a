#include "cli/cli_dump.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "codecs/tcp1252.h"
#include "codecs/tqvcodec.h"
#include "codecs/tqvfilename.h"

namespace {

constexpr std::array<const char*, 9> familyclass{"trectangle", "tellipse", "tparab",
                                                 "thiper",     "tsin",     "tcos",
                                                 "tpolthree",  "tpolfour", "tcustom"};

// A UTF-8 text as a JSON string.
std::string jsonescape(std::string_view utf8) {
  std::string out = "\"";
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c == 0x7F) {
      std::array<char, 8> buf{};
      std::snprintf(buf.data(), buf.size(), "\\u%04x", c);
      out += buf.data();
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

// Texts in the files are Windows-1252.
std::string jsontext(std::string_view cp1252) { return jsonescape(codecs::cp1252toutf8(cp1252)); }

// The shortest text that reads back to the same double; JSON has no NaN or
// infinity, so those become strings.
std::string jsonnumber(double v) {
  if (std::isnan(v)) return "\"nan\"";
  if (std::isinf(v)) return v > 0 ? "\"inf\"" : "\"-inf\"";
  std::array<char, 64> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
  return std::string(buf.data(), r.ptr);
}

std::string errorcode(qverror e) {
  switch (e) {
    case qverror::none: return "none";
    case qverror::wrongheader: return "wrongheader";
    case qverror::badtype: return "badtype";
    case qverror::truncated: return "truncated";
    case qverror::badfamily: return "badfamily";
    case qverror::badlength: return "badlength";
  }
  return "unknown";
}

void figurejson(std::ostream& o, const tfigurerecord& f) {
  o << "    {\"family\": " << int(f.family) << ", \"class\": \""
    << (f.family < familyclass.size() ? familyclass[f.family] : "?") << "\", \"params\": [";
  for (std::size_t i = 0; i < f.params.size(); ++i)
    o << (i ? ", " : "") << jsonnumber(f.params[i]);
  o << "]";
  if (f.family == qvfile::customfamily) o << ", \"formula\": " << jsontext(f.formula);
  o << "}";
}

void labeljson(std::ostream& o, const tlabelrecord& l) {
  o << "    {\"lines\": [";
  for (std::size_t i = 0; i < l.lines.size(); ++i) o << (i ? ", " : "") << jsontext(l.lines[i]);
  o << "],\n     \"font\": {\"name\": " << jsontext(l.fontname) << ", \"size\": " << l.fontsize
    << ", \"colour\": " << l.fontcolour << ", \"style\": " << int(l.fontstyle)
    << ", \"bold\": " << ((l.fontstyle & fontstyle::bold) ? "true" : "false")
    << ", \"italic\": " << ((l.fontstyle & fontstyle::italic) ? "true" : "false")
    << ", \"underline\": " << ((l.fontstyle & fontstyle::underline) ? "true" : "false")
    << ", \"strikeout\": " << ((l.fontstyle & fontstyle::strikeout) ? "true" : "false") << "},\n"
    << "     \"left\": " << l.left << ", \"top\": " << l.top << ", \"width\": " << l.width
    << ", \"height\": " << l.height << "}";
}

template <class T, class F>
void listjson(std::ostream& o, const char* name, const std::vector<T>& items, F each) {
  o << ",\n  \"" << name << "\": [";
  for (std::size_t i = 0; i < items.size(); ++i) {
    o << (i ? ",\n" : "\n");
    each(o, items[i]);
  }
  o << (items.empty() ? "]" : "\n  ]");
}

void qvfilejson(std::ostream& o, std::string_view path, const tqvdecoded& d) {
  const char* kind = !d.hasheader                           ? "unknown"
                     : d.header.type == qvfile::windowtype ? "window"
                     : d.header.type == qvfile::graphtype  ? "graph"
                                                           : "unknown";
  o << "{\n  \"file\": " << jsonescape(path) << ",\n  \"kind\": \"" << kind << "\"";
  if (d.hasheader)
    o << ",\n  \"header\": {\"ident\": " << jsontext(d.header.ident)
      << ", \"type\": " << int(d.header.type) << ", \"version\": " << d.header.version << "}";
  if (d.haswindow) {
    const twindowrecord& w = d.window;
    o << ",\n  \"window\": {\"top\": " << w.top << ", \"left\": " << w.left
      << ", \"width\": " << w.width << ", \"height\": " << w.height
      << ",\n             \"minx\": " << jsonnumber(w.minx) << ", \"maxx\": " << jsonnumber(w.maxx)
      << ", \"miny\": " << jsonnumber(w.miny) << ", \"maxy\": " << jsonnumber(w.maxy)
      << ",\n             \"background\": " << w.background << ", \"axiscolour\": " << w.axiscolour
      << ", \"gridcolour\": " << w.gridcolour << ", \"passivecolour\": " << w.passivecolour
      << ", \"activecolour\": " << w.activecolour << ",\n             \"figcount\": " << w.figcount
      << ", \"customcount\": " << w.customcount << "}";
  }
  listjson(o, "figures", d.figures, figurejson);
  if (d.haslabelcount) {
    o << ",\n  \"labelcount\": " << d.labelcount;
    listjson(o, "labels", d.labels, labeljson);
  }
  if (d.error != qverror::none)
    o << ",\n  \"error\": {\"code\": \"" << errorcode(d.error) << "\", \"offset\": " << d.offset
      << ", \"message\": " << jsontext(qverrortext(d)) << "}";
  o << "\n}\n";
}

}  // namespace

int clidump(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("Bruk: tarnelo-cli dump FIL\n", stderr);
    return 2;
  }
  const std::string path = argv[1];
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "Kan ikke åpne fila %s\n", path.c_str());
    return 1;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    std::fprintf(stderr, "Kan ikke lese fila %s\n", path.c_str());
    return 1;
  }
  std::ostringstream o;
  if (isprojectname(path)) {
    const auto paths = decodeproject(bytes);
    o << "{\n  \"file\": " << jsonescape(path) << ",\n  \"kind\": \"project\",\n  \"paths\": [";
    for (std::size_t i = 0; i < paths.size(); ++i)
      o << (i ? ",\n    " : "\n    ") << jsontext(paths[i]);
    o << (paths.empty() ? "]\n}\n" : "\n  ]\n}\n");
    std::fwrite(o.str().data(), 1, o.str().size(), stdout);
    return 0;
  }
  const tqvdecoded d = decodeqvfile(bytes);
  if (d.error == qverror::wrongheader) {
    std::fputs(codecs::cp1252toutf8(qverrortext(d)).c_str(), stderr);
    std::fputc('\n', stderr);
    return 1;
  }
  qvfilejson(o, path, d);
  std::fwrite(o.str().data(), 1, o.str().size(), stdout);
  if (d.error != qverror::none) {
    std::fputs(codecs::cp1252toutf8(qverrortext(d)).c_str(), stderr);
    std::fputc('\n', stderr);
    return 1;
  }
  return 0;
}
