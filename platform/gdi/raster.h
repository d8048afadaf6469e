// The pixel loops under BitBlt, PatBlt, FillRect and TextOutA. Callers clip
// first: every rectangle handed in here lies inside its surfaces.
#pragma once

#include <cstdint>

#include "platform/win32/types.h"

// A colour surface (0x00RRGGBB per pixel) or a monochrome one (one byte per
// pixel: 0x00 black, 0xFF white).
struct PixelSurface {
  uint32_t* colour = nullptr;
  uint8_t* mono = nullptr;
  int stride = 0;  // in pixels
  int width = 0;
  int height = 0;
  bool monochrome() const { return mono != nullptr; }
  bool valid() const { return colour || mono; }
};

// Colours a transfer needs, already in pixel form.
struct BlitColours {
  // Monochrome to colour: 0 bits take the destination DC's text colour,
  // 1 bits its background colour.
  uint32_t monoZero = 0x000000;
  uint32_t monoOne = 0xFFFFFF;
  // Colour to monochrome: a source pixel equal to the source DC's background
  // colour becomes 1, every other pixel 0.
  uint32_t sourceBackground = 0xFFFFFF;
  // The brush, for operations with a pattern.
  uint32_t patternColour = 0xFFFFFF;
  uint8_t patternMono = 0xFF;
};

constexpr uint32_t kColourMask = 0x00FFFFFF;

inline uint32_t colorrefToPixel(COLORREF c) {
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}
inline COLORREF pixelToColorref(uint32_t p) {
  return (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
}
// A colour drawn on a monochrome surface becomes the nearer of black and white.
inline uint8_t colorrefToMono(COLORREF c) {
  unsigned sum = (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF);
  return sum >= 383 ? 0xFF : 0x00;
}

// The truth-table byte of a raster operation and whether it reads the source
// or the pattern.
inline uint8_t rop3Of(DWORD rop) {
  return static_cast<uint8_t>(rop >> 16);
}
inline bool rop3UsesSource(uint8_t rop3) {
  return ((rop3 >> 2) & 0x33) != (rop3 & 0x33);
}
inline bool rop3UsesPattern(uint8_t rop3) {
  return ((rop3 >> 4) & 0x0F) != (rop3 & 0x0F);
}

// A verifying re-ski needs the game's state, not its pictures: with this on,
// every transfer and glyph below returns without touching a pixel. Nothing
// the game decides reads pixels back, so the state stays the same.
void setRasterSkipped(bool skipped);

// Applies rop3 to the width x height block at (dx, dy) of dst, with the source
// block at (sx, sy) of src (ignored when the operation has no source).
// src may be dst itself: overlapping blocks are read before they are written.
void rasterBlit(const PixelSurface& dst, int dx, int dy, int width, int height,
                const PixelSurface* src, int sx, int sy, uint8_t rop3, const BlitColours& colours);

// Draws one 8-pixel-wide glyph row set: for each of `rows` rows, bit 7 of
// bits[row] is the leftmost pixel. Set bits take fg; clear bits take bg when
// opaque and are left alone otherwise. firstColumn skips clipped-off columns
// on the left.
void rasterGlyph(const PixelSurface& dst, int dx, int dy, int columns, int rows,
                 const uint8_t* bits, int firstColumn, uint32_t fgColour, uint32_t bgColour,
                 bool opaque);
