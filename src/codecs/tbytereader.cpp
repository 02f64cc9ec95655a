#include "codecs/tbytereader.h"

#include <bit>

uint64_t tbytereader::le(std::size_t n) {
  uint64_t v = 0;
  for (std::size_t i = 0; i < n; ++i)
    v |= static_cast<uint64_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
  pos_ += n;
  return v;
}

bool tbytereader::u8(uint8_t& v) {
  if (!has(1)) return false;
  v = static_cast<uint8_t>(le(1));
  return true;
}

bool tbytereader::u32(uint32_t& v) {
  if (!has(4)) return false;
  v = static_cast<uint32_t>(le(4));
  return true;
}

bool tbytereader::i32(int32_t& v) {
  uint32_t u = 0;
  if (!u32(u)) return false;
  v = static_cast<int32_t>(u);
  return true;
}

bool tbytereader::f64(double& v) {
  if (!has(8)) return false;
  v = std::bit_cast<double>(le(8));
  return true;
}

bool tbytereader::raw(std::size_t n, std::string& out) {
  if (!has(n)) return false;
  out.assign(bytes_.substr(pos_, n));
  pos_ += n;
  return true;
}

bool tbytereader::skip(std::size_t n) {
  if (!has(n)) return false;
  pos_ += n;
  return true;
}
