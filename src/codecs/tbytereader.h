// Reads little-endian fields from untrusted bytes. Every read checks the bytes
// left first; a read past the end fails and leaves the position unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class tbytereader {
 public:
  explicit tbytereader(std::string_view bytes) : bytes_(bytes) {}

  bool u8(uint8_t& v);
  bool i32(int32_t& v);
  bool u32(uint32_t& v);
  bool f64(double& v);
  bool raw(std::size_t n, std::string& out);
  bool skip(std::size_t n);

  std::size_t pos() const { return pos_; }
  std::size_t left() const { return bytes_.size() - pos_; }
  bool has(std::size_t n) const { return n <= left(); }

 private:
  uint64_t le(std::size_t n);  // n bytes at pos_, caller checked has(n)

  std::string_view bytes_;
  std::size_t pos_ = 0;
};
