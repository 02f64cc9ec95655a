#include "figures/numbers.h"

#include <cmath>
#include <cstdio>

float roundtostep(float value, float step) {
  if (step == 0.0f || std::isnan(step) || !std::isfinite(value)) return value;
  const float q = value / step;
  if (!std::isfinite(q)) return value;
  const float whole = std::trunc(q);
  const float frac = q - whole;
  // frac lies in (-1, 1): only |frac| > 0.5 moves away from zero, so an
  // exact half goes toward zero.
  float away = 0.0f;
  if (frac > 0.5f) away = 1.0f;
  if (frac < -0.5f) away = -1.0f;
  return whole * step + away * step;
}

void dropnegativezero(std::string& text) {
  const std::size_t minus = text.find('-');
  if (minus == std::string::npos) return;
  bool anydigit = false;
  for (char c : text) {
    if (c >= '1' && c <= '9') return;
    if (c == '0') anydigit = true;
  }
  if (anydigit) text.erase(minus, 1);
}

std::string fixedtext(double v, const std::string& format, char separator) {
  char buf[512];
  std::snprintf(buf, sizeof buf, format.c_str(), v);
  std::string t(buf);
  for (char& c : t)
    if (c == '.') c = separator;
  dropnegativezero(t);
  return t;
}
