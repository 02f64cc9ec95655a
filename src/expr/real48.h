// The 6-byte real of the parameter table: byte 0 is the exponent (bias 129,
// 0 means the value 0), bytes 1..5 a 39-bit fraction, least significant byte
// first, and bit 7 of byte 5 the sign. 40 significant bits, range about
// 2.9e-39 .. 1.7e38, no infinities, no NaN.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

struct real48 {
  std::array<uint8_t, 6> bytes{};

  // Rounds to the nearest 40-bit value (ties to even). Too large magnitudes
  // (infinities included) saturate to the largest real48 of the same sign;
  // magnitudes below the smallest real48 become 0, and so does NaN.
  static real48 fromdouble(double v);
  // Exact: every real48 is a double. Inline: the evaluator reads parameters
  // once per node and point.
  double todouble() const {
    if (bytes[0] == 0) return 0.0;
    const uint64_t fraction = uint64_t{bytes[1]} | uint64_t{bytes[2]} << 8 |
                              uint64_t{bytes[3]} << 16 | uint64_t{bytes[4]} << 24 |
                              uint64_t{bytes[5] & 0x7fu} << 32;
    const uint64_t exponent = uint64_t{bytes[0]} - 129 + 1023;
    const uint64_t sign = static_cast<uint64_t>(bytes[5] >> 7) << 63;
    return std::bit_cast<double>(sign | exponent << 52 | fraction << 13);
  }

  friend bool operator==(const real48&, const real48&) = default;
};

// Largest magnitude a real48 holds: (2 - 2^-39) * 2^126.
inline constexpr double real48max = 0x1.fffffffffep+126;
// Smallest nonzero magnitude: 2^-128.
inline constexpr double real48min = 0x1p-128;
