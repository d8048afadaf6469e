#include "platform/gdi/raster.h"

#include <algorithm>
#include <cstring>

namespace {

// Columns converted at a time when the source must first be brought into the
// destination's format (or copied out of the way of an overlapping write).
constexpr int kChunk = 256;

// Generic ternary operation: OR of the minterms whose truth-table bit is set.
template <typename T>
inline T evalRop3(uint8_t rop3, T p, T s, T d) {
  T result = 0;
  for (int i = 0; i < 8; ++i) {
    if (rop3 >> i & 1) {
      result |= static_cast<T>((i & 4 ? p : static_cast<T>(~p)) & (i & 2 ? s : static_cast<T>(~s)) &
                               (i & 1 ? d : static_cast<T>(~d)));
    }
  }
  return result;
}

// One row of the operation. keep masks the bits a pixel may hold (the colour
// pixels' top byte stays 0). Each case is one tight loop.
template <typename T>
void combineRow(uint8_t rop3, T* d, const T* s, int n, T p, T keep) {
  switch (rop3) {
    case 0xCC:  // SRCCOPY: D = S
      std::memmove(d, s, sizeof(T) * n);
      break;
    case 0x33:  // NOTSRCCOPY: D = ~S
      for (int i = 0; i < n; ++i) d[i] = static_cast<T>(~s[i] & keep);
      break;
    case 0xEE:  // SRCPAINT: D = S | D
      for (int i = 0; i < n; ++i) d[i] |= s[i];
      break;
    case 0x88:  // SRCAND: D = S & D
      for (int i = 0; i < n; ++i) d[i] &= s[i];
      break;
    case 0x66:  // SRCINVERT: D = S ^ D
      for (int i = 0; i < n; ++i) d[i] ^= s[i];
      break;
    case 0x44:  // SRCERASE: D = S & ~D
      for (int i = 0; i < n; ++i) d[i] = static_cast<T>(s[i] & ~d[i] & keep);
      break;
    case 0x11:  // NOTSRCERASE: D = ~(S | D)
      for (int i = 0; i < n; ++i) d[i] = static_cast<T>(~(s[i] | d[i]) & keep);
      break;
    case 0xBB:  // MERGEPAINT: D = ~S | D
      for (int i = 0; i < n; ++i) d[i] = static_cast<T>((~s[i] | d[i]) & keep);
      break;
    case 0xC0:  // MERGECOPY: D = P & S
      for (int i = 0; i < n; ++i) d[i] = static_cast<T>(p & s[i]);
      break;
    case 0xF0:  // PATCOPY: D = P
      std::fill(d, d + n, p);
      break;
    case 0x5A:  // PATINVERT: D = P ^ D
      for (int i = 0; i < n; ++i) d[i] ^= p;
      break;
    case 0x55:  // DSTINVERT: D = ~D
      for (int i = 0; i < n; ++i) d[i] = static_cast<T>(~d[i] & keep);
      break;
    case 0x00:  // BLACKNESS: D = 0
      std::fill(d, d + n, T(0));
      break;
    case 0xFF:  // WHITENESS: D = all ones (white)
      std::fill(d, d + n, keep);
      break;
    case 0xAA:  // D = D
      break;
    default:
      for (int i = 0; i < n; ++i)
        d[i] = static_cast<T>(evalRop3<T>(rop3, p, s ? s[i] : T(0), d[i]) & keep);
      break;
  }
}

// A 0 bit gives zero (the text colour), a 1 bit one (the background
// colour); branch-free so the loops vectorise.
inline uint32_t monoToColour(uint8_t bit, uint32_t zero, uint32_t one) {
  return zero ^ ((zero ^ one) & (0u - (bit & 1u)));
}

// The mask draw's hot path, monochrome onto colour, in one pass without the
// conversion buffer. False for operations it does not cover.
bool monoOntoColourRow(uint8_t rop3, uint32_t* d, const uint8_t* s, int n, uint32_t zero,
                       uint32_t one) {
  switch (rop3) {
    case 0xCC:  // SRCCOPY: D = S
      for (int i = 0; i < n; ++i) d[i] = monoToColour(s[i], zero, one);
      return true;
    case 0xEE:  // SRCPAINT: D = S | D
      for (int i = 0; i < n; ++i) d[i] |= monoToColour(s[i], zero, one);
      return true;
    case 0x88:  // SRCAND: D = S & D
      for (int i = 0; i < n; ++i) d[i] &= monoToColour(s[i], zero, one);
      return true;
    default:
      return false;
  }
}

// Brings n source pixels into the destination's format.
void convertToColour(const PixelSurface& src, int x, int y, int n, uint32_t* out,
                     const BlitColours& colours) {
  if (src.monochrome()) {
    const uint8_t* s = src.mono + static_cast<size_t>(y) * src.stride + x;
    for (int i = 0; i < n; ++i) out[i] = monoToColour(s[i], colours.monoZero, colours.monoOne);
  } else {
    std::memcpy(out, src.colour + static_cast<size_t>(y) * src.stride + x, sizeof(uint32_t) * n);
  }
}

void convertToMono(const PixelSurface& src, int x, int y, int n, uint8_t* out,
                   const BlitColours& colours) {
  if (src.monochrome()) {
    std::memcpy(out, src.mono + static_cast<size_t>(y) * src.stride + x, n);
  } else {
    const uint32_t* s = src.colour + static_cast<size_t>(y) * src.stride + x;
    const uint32_t background = colours.sourceBackground;
    for (int i = 0; i < n; ++i) out[i] = s[i] == background ? 0xFF : 0x00;
  }
}

template <typename T>
T* rowOf(const PixelSurface& surface, int y);
template <>
uint32_t* rowOf<uint32_t>(const PixelSurface& surface, int y) {
  return surface.colour + static_cast<size_t>(y) * surface.stride;
}
template <>
uint8_t* rowOf<uint8_t>(const PixelSurface& surface, int y) {
  return surface.mono + static_cast<size_t>(y) * surface.stride;
}

template <typename T>
void blitInto(const PixelSurface& dst, int dx, int dy, int width, int height,
              const PixelSurface* src, int sx, int sy, uint8_t rop3, const BlitColours& colours,
              T pattern, T keep) {
  constexpr bool kColourDest = sizeof(T) == 4;
  const bool sameSurface =
      src &&
      (src->colour ? static_cast<const void*>(src->colour) == static_cast<const void*>(dst.colour)
                   : static_cast<const void*>(src->mono) == static_cast<const void*>(dst.mono));
  // Rows go bottom-up when the source lies above the destination in the same
  // surface, so no source row is overwritten before it is read.
  const bool bottomUp = sameSurface && dy > sy;
  // The source row can be read in place when it is already in the
  // destination's format and cannot be overwritten while this row is written.
  const bool sameFormat = src && src->monochrome() == !kColourDest;
  const bool readInPlace = sameFormat && !(sameSurface && dy == sy && rop3 != 0xCC);
  T scratch[kChunk];
  for (int r = 0; r < height; ++r) {
    int row = bottomUp ? height - 1 - r : r;
    T* d = rowOf<T>(dst, dy + row) + dx;
    if (!src) {
      combineRow<T>(rop3, d, nullptr, width, pattern, keep);
      continue;
    }
    if constexpr (kColourDest) {
      if (src->monochrome() && monoOntoColourRow(rop3, d, rowOf<uint8_t>(*src, sy + row) + sx,
                                                 width, colours.monoZero, colours.monoOne)) {
        continue;
      }
    }
    if (readInPlace) {
      combineRow<T>(rop3, d, rowOf<T>(*src, sy + row) + sx, width, pattern, keep);
      continue;
    }
    // In-row overlap with a shift to the right: convert right to left chunks.
    const bool rightToLeft = sameSurface && dy == sy && dx > sx;
    for (int done = 0; done < width; done += kChunk) {
      int n = std::min(kChunk, width - done);
      int column = rightToLeft ? width - done - n : done;
      if constexpr (kColourDest) {
        convertToColour(*src, sx + column, sy + row, n, scratch, colours);
      } else {
        convertToMono(*src, sx + column, sy + row, n, scratch, colours);
      }
      combineRow<T>(rop3, d + column, scratch, n, pattern, keep);
    }
  }
}

bool rasterSkipped = false;

}  // namespace

void setRasterSkipped(bool skipped) {
  rasterSkipped = skipped;
}

void rasterBlit(const PixelSurface& dst, int dx, int dy, int width, int height,
                const PixelSurface* src, int sx, int sy, uint8_t rop3, const BlitColours& colours) {
  if (rasterSkipped || width <= 0 || height <= 0 || !dst.valid()) return;
  if (!rop3UsesSource(rop3) || (src && !src->valid())) src = nullptr;
  if (dst.monochrome()) {
    blitInto<uint8_t>(dst, dx, dy, width, height, src, sx, sy, rop3, colours, colours.patternMono,
                      0xFF);
  } else {
    blitInto<uint32_t>(dst, dx, dy, width, height, src, sx, sy, rop3, colours,
                       colours.patternColour & kColourMask, kColourMask);
  }
}

void rasterGlyph(const PixelSurface& dst, int dx, int dy, int columns, int rows,
                 const uint8_t* bits, int firstColumn, uint32_t fgColour, uint32_t bgColour,
                 bool opaque) {
  if (rasterSkipped || !dst.valid()) return;
  for (int row = 0; row < rows; ++row) {
    unsigned line = static_cast<unsigned>(bits[row]) << firstColumn;
    if (dst.monochrome()) {
      uint8_t* d = rowOf<uint8_t>(dst, dy + row) + dx;
      for (int c = 0; c < columns; ++c) {
        bool set = line & (0x80u >> c);
        if (set) {
          d[c] = static_cast<uint8_t>(fgColour);
        } else if (opaque) {
          d[c] = static_cast<uint8_t>(bgColour);
        }
      }
    } else {
      uint32_t* d = rowOf<uint32_t>(dst, dy + row) + dx;
      for (int c = 0; c < columns; ++c) {
        bool set = line & (0x80u >> c);
        if (set) {
          d[c] = fgColour;
        } else if (opaque) {
          d[c] = bgColour;
        }
      }
    }
  }
}
