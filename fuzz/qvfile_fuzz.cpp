// Window and single-graph decoders on arbitrary bytes: no crash, memory in
// proportion to the input, and whatever decodes cleanly encodes back to records
// that decode to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codecs/tqvcodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tqvdecoded d = decodeqvfile(bytes);
  for (const auto& f : d.figures) {
    for (double p : f.params) (void)boxvalue(p);
    if (f.family > 8 || f.formula.size() > 80) std::abort();
  }
  if (d.error != qverror::none) return 0;
  if (d.header.type == 1) {
    if (d.figures.size() != 1) std::abort();
    // Compared as bytes: a NaN parameter is never equal to itself.
    const std::string once = encodegraphfile(d.figures[0]);
    const tqvdecoded again = decodeqvfile(once);
    if (again.error != qverror::none || again.figures.size() != 1 ||
        encodegraphfile(again.figures[0]) != once)
      std::abort();
  } else {
    const twindowfile w{d.window, d.figures, d.labels};
    const std::string once = encodewindowfile(w);
    const tqvdecoded again = decodeqvfile(once);
    if (again.error != qverror::none || again.labels != d.labels ||
        encodewindowfile({again.window, again.figures, again.labels}) != once)
      std::abort();
  }
  (void)decodeproject(bytes);
  return 0;
}
