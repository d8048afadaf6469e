// The one fixed-pitch raster face behind every stock font: 8x12 cells, our
// own glyphs for ASCII 32..126.
#pragma once

#include <cstdint>

constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 12;
constexpr int kGlyphAscent = 9;  // rows above the baseline; descenders use rows 9 and 10

// The 12 rows of a character's cell, bit 7 the leftmost pixel. Characters
// without a glyph show a hollow box.
const uint8_t* glyphRows(unsigned char c);
