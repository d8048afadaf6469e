// The 16-colour palette every sprite and icon is drawn in: the standard
// Windows 16-colour order, which is also the order of the BMP colour table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace snowtools {

struct PaletteEntry {
  char key;      // the character an XPM row uses for this colour
  uint32_t rgb;  // 0xRRGGBB
};

// Index = the colour's number in the BMP colour table.
inline constexpr std::array<PaletteEntry, 16> kPalette{{
    {'#', 0x000000},
    {'r', 0x800000},
    {'g', 0x008000},
    {'y', 0x808000},
    {'b', 0x000080},
    {'m', 0x800080},
    {'c', 0x008080},
    {'+', 0xC0C0C0},
    {'-', 0x808080},
    {'R', 0xFF0000},
    {'G', 0x00FF00},
    {'Y', 0xFFFF00},
    {'B', 0x0000FF},
    {'M', 0xFF00FF},
    {'C', 0x00FFFF},
    {'.', 0xFFFFFF},
}};

inline constexpr uint8_t kWhiteIndex = 15;

// The order the colour lines of an XPM file must follow (white first: the snow).
inline constexpr std::array<uint8_t, 16> kXpmColourOrder{15, 0, 1, 2,  3,  4,  5,  6,
                                                         7,  8, 9, 10, 11, 12, 13, 14};

inline std::optional<uint8_t> paletteIndexOfKey(char key) {
  for (uint8_t i = 0; i < kPalette.size(); ++i)
    if (kPalette[i].key == key) return i;
  return std::nullopt;
}

inline std::optional<uint8_t> paletteIndexOfRgb(uint32_t rgb) {
  for (uint8_t i = 0; i < kPalette.size(); ++i)
    if (kPalette[i].rgb == rgb) return i;
  return std::nullopt;
}

}  // namespace snowtools
