#include "shell/tpictureexport.h"

#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <memory>
#include <utility>

#include "graph/tgrform.h"
#include "platform/qt/cp1252.h"
#include "platform/qt/qtimage.h"
#include "shell/tfilecommands.h"
#include "shell/tmainform.h"

namespace pictureexport {

// The dialog shows each entry as "name (pattern)".
const char* const filter =
    "PNG-bilde|*.png|PNG-bilde 2\xD7|*.png|PNG-bilde 4\xD7|*.png|SVG-tegning|*.svg|"
    "PDF-dokument|*.pdf";

choice choiceof(int filterindex) {
  switch (filterindex) {
    case 2:
      return {format::png, 2};
    case 3:
      return {format::png, 4};
    case 4:
      return {format::svg, 1};
    case 5:
      return {format::pdf, 1};
    default:
      return {format::png, 1};
  }
}

// The window paints onto target instead of its own image, then repaints its
// own (the labels keep what lies under them from the last paint).
void paintonto(tgrform& w, std::unique_ptr<platform::image> target) {
  tcoords& c = w.coords;
  std::unique_ptr<platform::image> own = std::exchange(c.image, std::move(target));
  c.drawbackground();
  c.drawaxes();
  if (w.firstfig != w.lastfig)
    for (tfigure* f : w.figures()) f->draw();
  // Destroying the target ends its painter, which finishes SVG and PDF.
  c.image = std::move(own);
  w.pant();
}

bool save(tgrform& w, const std::string& filename, choice c, std::string& error) {
  const int width = std::max(w.coords.pixwidth, 1);
  const int height = std::max(w.coords.pixheight, 1);
  QSaveFile file(platform::tounicode(filename));
  // Never write in place: a save that fails half-way must leave the old file whole.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) {
    error = platform::tocp1252(file.errorString());
    return false;
  }
  bool drawn = true;
  switch (c.kind) {
    case format::png: {
      QImage img(width * c.factor, height * c.factor, QImage::Format_RGB32);
      if (img.isNull()) {
        error = "Bildet er for stort.";
        return false;
      }
      img.fill(Qt::white);
      paintonto(w, std::make_unique<platform::qtdeviceimage>(img, width, height, 96, c.factor));
      drawn = img.save(&file, "PNG");
      break;
    }
    case format::svg: {
      QSvgGenerator svg;
      svg.setOutputDevice(&file);
      svg.setSize(QSize(width, height));
      svg.setViewBox(QRect(0, 0, width, height));
      svg.setResolution(96);
      svg.setTitle(QStringLiteral("Tarnelo"));
      paintonto(w, std::make_unique<platform::qtdeviceimage>(svg, width, height));
      break;
    }
    case format::pdf: {
      QPdfWriter pdf(&file);
      pdf.setResolution(96);
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      pdf.setPageSize(QPageSize(QSizeF(width * 0.75, height * 0.75), QPageSize::Point, QString(),
                                QPageSize::ExactMatch));
      pdf.setCreator(QStringLiteral("Tarnelo"));
      paintonto(w, std::make_unique<platform::qtdeviceimage>(pdf, width, height));
      break;
    }
  }
  if (!drawn || !file.commit()) {
    error = platform::tocp1252(file.errorString());
    return false;
  }
  return true;
}

}  // namespace pictureexport

bool savepictureclick(tmainform& main) {
  tgrform* w = main.activewindow;
  if (!w) return false;
  platform::filedialog d;
  d.title = "Lagre bilde som";
  d.filter = pictureexport::filter;
  d.defaultext = "png";
  d.overwriteprompt = true;
  d.mustexist = false;
  d.filterindex = 1;
  d.helpcontext = tfilecommands::savedialoghelp;
  if (!main.services().savefile(d)) return false;
  std::string error;
  if (pictureexport::save(*w, d.filename, pictureexport::choiceof(d.filterindex), error))
    return true;
  main.services().messagebox("Kan ikke lagre fila " + d.filename + ".\r" + error, "",
                             platform::msgkind::error, platform::msgbuttons::ok);
  return false;
}
