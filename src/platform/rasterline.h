// The pixels of a 1-pixel line, shared by every raster surface so that the
// screen, the off-screen images and the test surfaces agree to the pixel.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace platform {

// Calls put(x, y) for every pixel of the line from (x0, y0) to (x1, y1) that
// lies inside [0, width) x [0, height), end pixel excluded (Bresenham; on a tie
// the minor coordinate steps away from the start). Coordinates far outside the
// surface cost nothing: only the part of the major axis inside is walked.
template <typename put_t>
void rasterline(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int width, int height,
                put_t&& put) {
  if (width <= 0 || height <= 0) return;
  const int64_t dx = x1 - x0;
  const int64_t dy = y1 - y0;
  const int64_t adx = std::abs(dx);
  const int64_t ady = std::abs(dy);
  const bool xmajor = adx >= ady;
  const int64_t amaj = xmajor ? adx : ady;
  if (amaj == 0) return;  // a zero-length line draws nothing
  const int64_t amin = xmajor ? ady : adx;
  const int64_t smaj = (xmajor ? dx : dy) < 0 ? -1 : 1;
  const int64_t smin = (xmajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t maj0 = xmajor ? x0 : y0;
  const int64_t min0 = xmajor ? y0 : x0;
  const int64_t limit = xmajor ? width : height;
  const int64_t minlimit = xmajor ? height : width;

  // Steps k = 0 .. amaj-1 put the major coordinate at maj0 + smaj*k; keep
  // only those with it in [0, limit).
  int64_t kfirst = 0;
  int64_t klast = amaj - 1;
  if (smaj > 0) {
    kfirst = std::max(kfirst, -maj0);
    klast = std::min(klast, limit - 1 - maj0);
  } else {
    kfirst = std::max(kfirst, maj0 - (limit - 1));
    klast = std::min(klast, maj0);
  }
  if (kfirst > klast) return;

  // Minor offset at step k is floor((2*k*amin + amaj) / (2*amaj)); carry its
  // quotient and remainder so the walk itself needs no division.
  const int64_t den = 2 * amaj;
  const int64_t inc = 2 * amin;
  int64_t q = 0;
  int64_t r = amaj;
  if (kfirst > 0) {
    // 2*k*amin needs more than 64 bits for lines across the whole 32-bit range.
    const __int128 num = static_cast<__int128>(2 * kfirst) * amin + amaj;
    q = static_cast<int64_t>(num / den);
    r = static_cast<int64_t>(num % den);
  }
  int64_t maj = maj0 + smaj * kfirst;
  for (int64_t k = kfirst; k <= klast; ++k) {
    const int64_t mn = min0 + smin * q;
    if (mn >= 0 && mn < minlimit) {
      if (xmajor)
        put(static_cast<int>(maj), static_cast<int>(mn));
      else
        put(static_cast<int>(mn), static_cast<int>(maj));
    }
    maj += smaj;
    r += inc;
    if (r >= den) {
      r -= den;
      ++q;
    }
  }
}

}  // namespace platform
