// Settings file reader on arbitrary bytes: no crash, and what it reads writes
// back to a file that reads to the same settings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "codecs/tinicodec.h"
#include "codecs/ttextlines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tsettings s = defaultsettings(',');
  tinicodec c;
  c.setlines(codecs::splitlines(text));
  while (c.current() <= static_cast<int32_t>(c.lines().size())) c.parseline();
  c.setlines(codecs::splitlines(text));
  c.reading(s);

  tinicodec w;
  w.writing(s, '.');
  if (w.lines().size() != 49) std::abort();
  tsettings back = defaultsettings(',');
  tinicodec r;
  r.setlines(codecs::splitlines(w.text()));
  const tinireadresult res = r.reading(back);
  // Whatever was read is a valid setting, so it must survive a write and a read.
  if (res.error != inierror::none || !(back == s)) std::abort();
  return 0;
}
