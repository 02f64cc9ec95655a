// The user settings kept in QV.INI: the options dialog's field texts, colour
// indexes and the parameter constants.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Behaviour of the five parameters (index 0..4 for parameter 1..5, A..E).
struct tparamconst {
  std::array<float, 5> min{-100, -100, -100, -100, -100};
  std::array<float, 5> max{100, 100, 100, 100, 100};
  std::array<float, 5> step{0.01f, 0.01f, 0.01f, 0.01f, 0.01f};
  std::array<float, 5> interval{1, 1, 1, 1, 1};
  std::array<int32_t, 5> direction{-1, -1, -1, -1, -1};  // -1, or 1: spin buttons turned round
  std::array<std::string, 5> format{"%.2f", "%.2f", "%.2f", "%.2f", "%.2f"};  // not in the file
  bool alwaysround = false;
  int32_t funcname = 0;  // index into funcnameprefixes
  std::array<char, 5> names{'a', 'b', 'c', 'd', 'e'};

  bool operator==(const tparamconst&) const = default;
};

struct tsettings {
  // Texts of the coordinate fields, kept as typed.
  std::string minx = "-10";
  std::string maxx = "10";
  std::string miny = "-10";
  std::string maxy = "10";
  // Colour indexes into `palette`.
  int32_t foreground = 0;  // axes
  int32_t background = 7;
  int32_t grid = 0;
  std::string gridstep;      // grid ("Rutenett") step text, key "interval step"
  std::string intstep = "1"; // axis-unit ("Akseenhet") step text, key "grid step"
  int32_t active = 9;
  int32_t passive = 0;
  int32_t frzactive = 13;
  int32_t frzpassive = 8;
  tparamconst params;

  bool operator==(const tsettings&) const = default;
};

// The largest magnitude of a window end: a coordinate system ignores a range
// beyond it, so a new window would have none.
inline constexpr float maxcoordinate = 700.0f;

// The defaults; the grid step text is 0.5 with two decimals and the given
// decimal separator.
tsettings defaultsettings(char decimalsep);

struct tpalettecolour {
  uint8_t r, g, b;
};

// The 16 standard colours the colour indexes refer to.
inline constexpr std::array<tpalettecolour, 16> palette{{{0, 0, 0},
                                                        {128, 0, 0},
                                                        {0, 128, 0},
                                                        {128, 128, 0},
                                                        {0, 0, 128},
                                                        {128, 0, 128},
                                                        {0, 128, 128},
                                                        {192, 192, 192},
                                                        {128, 128, 128},
                                                        {255, 0, 0},
                                                        {0, 255, 0},
                                                        {255, 255, 0},
                                                        {0, 0, 255},
                                                        {255, 0, 255},
                                                        {0, 255, 255},
                                                        {255, 255, 255}}};

inline constexpr std::array<const char*, 4> funcnameprefixes{"F(x) =", "f(x) =", "y =", "Y ="};
