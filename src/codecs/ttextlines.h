// Splitting text into lines and joining lines into text, as the program's text
// files and label blocks store them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace codecs {

// A line ends at CR, LF or CR LF; a line end at the very end of the text adds no
// empty line, so joinlines(splitlines(t)) == t for every t written by joinlines.
std::vector<std::string> splitlines(std::string_view text);

// Every line followed by CR LF.
std::string joinlines(const std::vector<std::string>& lines);

}  // namespace codecs
