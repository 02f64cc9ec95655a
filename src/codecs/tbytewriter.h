// Appends little-endian fields to a byte string, one field at a time, so the
// file layout never depends on how the compiler lays out a struct.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

class tbytewriter {
 public:
  void u8(uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
  void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
  void u32(uint32_t v);
  void f64(double v);
  void raw(std::string_view s) { bytes_.append(s); }
  void zeros(std::size_t n) { bytes_.append(n, '\0'); }
  // A length byte and the text, padded with zeros to `capacity` bytes; longer
  // texts are cut to `capacity`.
  void shortstring(std::string_view s, std::size_t capacity);

  std::size_t size() const { return bytes_.size(); }
  const std::string& bytes() const { return bytes_; }
  std::string take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};
