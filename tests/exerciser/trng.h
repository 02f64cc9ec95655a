// The exerciser's one source of chance: a small generator (splitmix64) whose
// sequence depends on the seed alone, the same on every machine and library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class trng {
 public:
  explicit trng(uint64_t seed) : state_(seed) {}

  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1; 0 when n is 0 or less.
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }
  // True with the chance percent / 100.
  bool chance(int percent) { return below(100) < percent; }
  double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  template <class T>
  const T& pick(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(below(static_cast<int>(v.size())))];
  }

 private:
  uint64_t state_;
};
