// Records of the window (.QVW) and single-graph (.QVS) files, as plain values.
// The byte layout lives in tqvcodec; these are what a file holds, field by field.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qvfile {
inline constexpr std::string_view ident = "Tarnelo fil";
inline constexpr int32_t version = 1;
inline constexpr std::size_t headersize = 88;
inline constexpr std::size_t identcapacity = 80;
inline constexpr std::size_t windowsize = 84;
inline constexpr std::size_t figuresize = 48;
inline constexpr std::size_t formulacapacity = 80;  // plus its length byte
inline constexpr uint8_t windowtype = 0;
inline constexpr uint8_t graphtype = 1;
inline constexpr uint8_t customfamily = 8;  // the family that carries a formula
inline constexpr uint8_t familycount = 9;
}  // namespace qvfile

struct tfileheader {
  std::string ident;  // as many bytes as the length byte says
  uint8_t type = 0;
  int32_t version = 0;
  bool operator==(const tfileheader&) const = default;
};

// Colours are the platform's 32-bit values: red in the low byte, then green, blue.
struct twindowrecord {
  int32_t top = 0;
  int32_t left = 0;
  int32_t width = 0;
  int32_t height = 0;
  double minx = 0;
  double maxx = 0;
  double miny = 0;
  double maxy = 0;
  uint32_t background = 0;
  uint32_t axiscolour = 0;
  uint32_t gridcolour = 0;
  uint32_t passivecolour = 0;
  uint32_t activecolour = 0;
  int32_t figcount = 0;     // set from the figure list when a window file is encoded
  int32_t customcount = 0;  // likewise; written for older readers, not used on reading
  bool operator==(const twindowrecord&) const = default;
};

struct tfigurerecord {
  std::array<double, 5> params{};  // a..e, all five whatever the family uses
  uint8_t family = 0;              // 0..8
  std::string formula;             // family 8 only, at most 80 bytes
  bool operator==(const tfigurerecord&) const = default;
};

namespace fontstyle {
inline constexpr uint8_t bold = 1;
inline constexpr uint8_t italic = 2;
inline constexpr uint8_t underline = 4;
inline constexpr uint8_t strikeout = 8;
}  // namespace fontstyle

struct tlabelrecord {
  std::vector<std::string> lines;
  std::string fontname;
  uint8_t fontstyle = 0;
  uint32_t fontcolour = 0;
  int32_t fontsize = 0;
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const tlabelrecord&) const = default;
};

struct twindowfile {
  twindowrecord window;
  std::vector<tfigurerecord> figures;
  std::vector<tlabelrecord> labels;
  bool operator==(const twindowfile&) const = default;
};
