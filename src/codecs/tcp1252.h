// Windows-1252, the single-byte text of the program's files, to UTF-8 for
// output that leaves the program as text (JSON, terminals).
#pragma once

#include <string>
#include <string_view>

namespace codecs {

// Every byte maps to one code point; the five bytes 1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control code of the same number.
std::string cp1252toutf8(std::string_view text);

}  // namespace codecs
