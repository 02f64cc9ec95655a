#include "settings/toptions.h"

#include <QFileInfo>

#include "figures/editnumbers.h"
#include "platform/qt/cp1252.h"
#include "settings/tinifile.h"

platform::colour palettecolour(int index) {
  if (index < 0 || index >= static_cast<int>(palette.size())) return platform::black;
  const tpalettecolour& c = palette[static_cast<size_t>(index)];
  return platform::rgb(c.r, c.g, c.b);
}

toptions::toptions(platform::services& services, std::string inipath)
    : settings(defaultsettings(services.decimalseparator())),
      services_(services),
      inipath_(std::move(inipath)),
      ini_(std::make_unique<tinifile>(QString::fromStdString(inipath_))) {
  const tinireadresult r = ini_->reading(settings);
  loaded_ = ini_->loaded();
  // A damaged file that could not be copied is left as it is: the settings
  // after the damage are the teacher's and exist nowhere else.
  keep_ = ini_->backupfailed();
  std::string message = inierrortext(r);
  if (!ini_->backup().isEmpty())
    message += "\rDen skadde fila er tatt vare p\xE5 som " +
               platform::tocp1252(QFileInfo(ini_->backup()).fileName()) + ".";
  else if (keep_)
    message += "\rDen skadde fila kan ikke kopieres og blir ikke skrevet p\xE5 nytt.";
  if (!message.empty())
    services_.messagebox(message, "Tarnelo", platform::msgkind::warning, platform::msgbuttons::ok);
}

// A missing or damaged settings file is replaced at the end by one with the
// settings in use; a file read without fault is left as it is.
toptions::~toptions() {
  if (loaded_ || keep_) return;
  const QString message = ini_->writing(settings, services_.decimalseparator());
  if (!message.isEmpty())
    services_.messagebox(platform::tocp1252(message), "Tarnelo", platform::msgkind::warning,
                         platform::msgbuttons::ok);
}

float toptions::field(const std::string& text, float fallback) const {
  const std::optional<float> v = edittofloat(text, services_.decimalseparator());
  return v ? *v : fallback;
}

float toptions::minx() const {
  return field(settings.minx, -10);
}
float toptions::maxx() const {
  return field(settings.maxx, 10);
}
float toptions::miny() const {
  return field(settings.miny, -10);
}
float toptions::maxy() const {
  return field(settings.maxy, 10);
}

tcoordsoptions toptions::coordsoptions() const {
  tcoordsoptions o;
  o.axiscolour = palettecolour(settings.foreground);
  o.gridcolour = palettecolour(settings.grid);
  o.figcolours = {palettecolour(settings.passive), palettecolour(settings.active),
                  palettecolour(settings.frzactive), palettecolour(settings.frzpassive)};
  o.showgrid = showgrid;
  o.showticks = showticks;
  o.gridstep = field(settings.gridstep, 0.5f);
  o.tickstep = field(settings.intstep, 1.0f);
  return o;
}

platform::colour toptions::backgroundcolour() const {
  return palettecolour(settings.background);
}

std::string toptions::funcname() const {
  const int i = settings.params.funcname;
  if (i < 0 || i >= static_cast<int>(funcnameprefixes.size())) return funcnameprefixes[0];
  return funcnameprefixes[static_cast<size_t>(i)];
}
