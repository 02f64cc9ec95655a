#include "codecs/tbytewriter.h"

#include <algorithm>
#include <bit>

void tbytewriter::u32(uint32_t v) {
  for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(v >> (8 * i)));
}

void tbytewriter::f64(double v) {
  const auto bits = std::bit_cast<uint64_t>(v);
  for (int i = 0; i < 8; ++i) u8(static_cast<uint8_t>(bits >> (8 * i)));
}

void tbytewriter::shortstring(std::string_view s, std::size_t capacity) {
  const std::size_t n = std::min({s.size(), capacity, std::size_t{255}});
  u8(static_cast<uint8_t>(n));
  raw(s.substr(0, n));
  zeros(capacity - n);
}
