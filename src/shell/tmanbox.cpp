#include "shell/tmanbox.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

#include "figures/editnumbers.h"
#include "figures/numbers.h"

namespace {

// Only "%f" and "%.Nf" reach printf: the format comes from the settings.
bool safeformat(const std::string& f) {
  if (f == "%f") return true;
  if (f.size() < 4 || f.size() > 5 || f[0] != '%' || f[1] != '.' || f.back() != 'f') return false;
  for (size_t i = 2; i + 1 < f.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(f[i]))) return false;
  return true;
}

bool sameletters(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

void tmanbox::createbox(platform::imagefactory& images, int32_t index, const tboxconfig& config,
                        std::string format, char decimalseparator) {
  index_ = index;
  setformat(std::move(format));
  separator_ = decimalseparator;
  scale_ = std::make_unique<tscobox>(images);
  scale_->decimalseparator = decimalseparator;
  scale_->setup(config.direction, config.interval, config.max, config.min);
  configuredstep_ = config.step;
  step = config.step;
  value = 0;
  scale_->redraw();
}

tboxconfig tmanbox::getsettings() const {
  tboxconfig c;
  if (!scale_) return c;
  c.min = scale_->min;
  c.max = scale_->max;
  c.direction = scale_->direction;
  c.interval = scale_->interval();
  c.step = configuredstep_;
  return c;
}

std::string tmanbox::controlname(const std::string& role) const {
  return role + std::to_string(index_);
}

bool tmanbox::owns(const std::string& control) const {
  for (const char* role : {"up", "down", "scale", "edit"})
    if (sameletters(control, controlname(role))) return true;
  return false;
}

void tmanbox::setstate(uint8_t s) {
  state_ = s;
  if (scale_) {
    switch (s) {
      case normal:
        scale_->background = tscobox::normalbackground;
        scale_->labelcolour = tscobox::normallabel;
        scale_->tickcolour = tscobox::normaltick;
        break;
      case hidden:
        scale_->background = platform::rgb(128, 128, 128);
        scale_->labelcolour = platform::rgb(128, 128, 128);
        scale_->tickcolour = platform::rgb(192, 192, 192);
        break;
      default:
        scale_->background = platform::rgb(128, 128, 128);
        scale_->labelcolour = platform::rgb(192, 192, 192);
        scale_->tickcolour = platform::rgb(192, 192, 192);
        break;
    }
    scale_->redraw();
  }
  notify();
}

std::string tmanbox::valuetext(float v) const {
  return fixedtext(static_cast<double>(v), format_, separator_);
}

void tmanbox::showvalue(float v) {
  value = v;
  if (scale_) scale_->scrollto(scale_->rowfor(v));
  notify();
}

void tmanbox::showtext(float v) {
  edittext = valuetext(v);
  badtext_ = false;
  showvalue(v);
}

void tmanbox::writeedit() {
  edittext = valuetext(value);
  badtext_ = false;
  // The change handler reads the field back and may clamp; what it writes
  // then is not reported again, so no handler can start a loop.
  if (reporting_ || !editchanged) return;
  reporting_ = true;
  const uint8_t was = writing;
  writing = 0;
  editchanged(*this);
  writing = was;
  reporting_ = false;
}

float tmanbox::inlimits(float v) const {
  if (!scale_) return v;
  if (v > scale_->max) v = scale_->max;
  if (v < scale_->min) v = scale_->min;
  return v;
}

void tmanbox::notify() {
  if (changed) changed(*this);
}

// A step that would pass a limit lands exactly on it; a rounded step never
// leaves [Min, Max].
bool tmanbox::move(float v, bool landed) {
  if (!scale_) return false;
  if (!landed) v = roundtostep(v, step);
  v = inlimits(v);
  value = v;
  scale_->scrollto(scale_->rowfor(v));
  writing = 0;
  writeedit();
  writing = 1;
  notify();
  return true;
}

bool tmanbox::stepup() {
  if (!scale_) return false;
  const float v = value;
  const float mn = scale_->min, mx = scale_->max;
  if (scale_->direction == -1) {
    if (v >= mx) return false;
    if (v + step >= mx) {
      step = mx - v;
      return move(mx, true);
    }
    return move(v + step, false);
  }
  if (v <= mn) return false;
  if (v - step <= mn) {
    step = v - mn;
    return move(mn, true);
  }
  return move(v - step, false);
}

bool tmanbox::stepdown() {
  if (!scale_) return false;
  const float v = value;
  const float mn = scale_->min, mx = scale_->max;
  if (scale_->direction == -1) {
    if (v <= mn) return false;
    if (v - step <= mn) {
      step = v - mn;
      return move(mn, true);
    }
    return move(v - step, false);
  }
  if (v >= mx) return false;
  if (v + step >= mx) {
    step = mx - v;
    return move(mx, true);
  }
  return move(v + step, false);
}

void tmanbox::tick() {
  auto grow = [this](int32_t dir) {
    if (lastrepeat == dir && repeatcount < repeatsteps) ++repeatcount;
    if (repeatcount >= repeatsteps) {
      step = step >= 1.0f ? step * 10.0f : 1.0f;
      repeatcount = 0;
    }
    lastrepeat = dir;
  };
  if (upheld) {
    grow(repeatup);
    stepup();
  } else if (downheld) {
    grow(repeatdown);
    stepdown();
  }
}

bool tmanbox::press(const std::string& control, int32_t row) {
  if (sameletters(control, controlname("up"))) {
    upheld = 1;
    stepup();
    return true;
  }
  if (sameletters(control, controlname("down"))) {
    downheld = 1;
    stepdown();
    return true;
  }
  if (sameletters(control, controlname("scale"))) {
    if (scale_) scale_->pointerrow = row;
    return true;
  }
  return owns(control);
}

void tmanbox::release() {
  upheld = 0;
  downheld = 0;
  step = configuredstep_;
}

bool tmanbox::drag(const std::string& control, int32_t row) {
  if (!scale_ || state_ != normal || !sameletters(control, controlname("scale"))) return false;
  // The tape follows the mouse one row per pixel; at an end it stays while
  // the pointer row goes on with the mouse.
  tscobox& s = *scale_;
  const int64_t target = static_cast<int64_t>(s.tapeposition) + row - s.pointerrow;
  if (row > s.pointerrow)
    s.tapeposition = static_cast<int32_t>(
        std::max<int64_t>(s.tapeposition, std::min<int64_t>(target, s.highend())));
  else if (row < s.pointerrow)
    s.tapeposition = static_cast<int32_t>(
        std::min<int64_t>(s.tapeposition, std::max<int64_t>(target, s.lowend())));
  s.pointerrow = row;
  s.redraw();
  // A limit between two rows of the tape: the end row reads beyond it.
  value = inlimits(static_cast<float>(s.pointervalue()));
  writing = 0;
  dragflag = 1;
  writeedit();
  dragflag = 0;
  writing = 1;
  notify();
  return true;
}

void tmanbox::clamp() {
  if (!scale_) return;
  const float v = inlimits(value);
  if (v != value) {
    value = v;
    writeedit();
  }
  scale_->scrollto(scale_->rowfor(value));
  notify();
}

bool tmanbox::applysettings(const tboxconfig& config) {
  if (!scale_ || !(config.min <= value && value <= config.max)) return false;
  scale_->setup(config.direction, config.interval, config.max, config.min);
  configuredstep_ = config.step;
  step = config.step;
  clamp();
  return true;
}

tmanbox::readresult tmanbox::parse(float& v) const {
  // Where the integer part stops decides: at a decimal mark or nowhere the
  // text is a number, at anything else it is none.
  const std::string& t = edittext;
  size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  const size_t digits = i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  const bool whole = i == t.size() && i > digits;
  const bool mark = i < t.size() && (t[i] == ',' || t[i] == '.');
  if (!whole && !mark) return readresult::invalid;
  const std::optional<float> r = edittofloat(t, separator_);
  if (!r) return readresult::notanumber;
  v = *r;
  return readresult::apply;
}

tmanbox::readresult tmanbox::readedit() {
  float v = 0;
  const readresult r = parse(v);
  badtext_ = r != readresult::apply;
  if (r != readresult::apply) return r;
  if (writing && inlimits(v) != v) return readresult::outside;
  value = v;
  if (scale_) scale_->scrollto(scale_->rowfor(value));
  notify();
  return readresult::apply;
}

tmanbox::readresult tmanbox::endedit() {
  float v = 0;
  const readresult r = parse(v);
  badtext_ = r != readresult::apply;
  if (r != readresult::apply) {
    notify();
    return r;
  }
  value = v;
  clamp();
  return readresult::apply;
}

void tmanbox::setformat(std::string format) {
  format_ = safeformat(format) ? std::move(format) : "%.2f";
}
