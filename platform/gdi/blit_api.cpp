// Block transfers and fills: BitBlt, PatBlt, FillRect, FrameRect, and the
// single-pixel GetPixel/SetPixel.
#include <cstdint>

#include "platform/gdi/dc_surface.h"
#include "platform/gdi/raster.h"
#include "platform/win32/gdi.h"

namespace {

// The brush's colour for operations with a pattern; false for a hollow or
// unknown brush, which paints nothing.
bool brushColour(HBRUSH handle, COLORREF* colour) {
  GdiBrush* brush = gdiLookupBrush(handle);
  if (!brush || brush->hollow) return false;
  *colour = brush->color;
  return true;
}

// A fill of a logical rectangle with an operation that reads no source.
void fillRect(const DrawDestination& dest, const GdiDc& dc, const RECT& logical, uint8_t rop3,
              COLORREF colour) {
  BlitColours colours = coloursFor(dc, nullptr, colour);
  drawClipped(dest, logical, [&](const RECT& part) {
    rasterBlit(dest.surface, part.left, part.top, part.right - part.left, part.bottom - part.top,
               nullptr, 0, 0, rop3, colours);
  });
}

}  // namespace

// Clipping happens on the destination only. Source pixels outside the source
// bitmap are not transferred: the matching destination pixels keep their
// value, as on Windows, and nothing outside the bitmap is ever read.
BOOL WINAPI BitBlt(HDC destDc, int x, int y, int width, int height, HDC sourceDc, int sourceX,
                   int sourceY, DWORD rop) {
  const uint8_t rop3 = rop3Of(rop);
  if (!rop3UsesSource(rop3)) return PatBlt(destDc, x, y, width, height, rop);
  GdiDc* dc = nullptr;
  DrawDestination dest;
  if (!resolveDestination(destDc, &dc, &dest)) return FALSE;
  COLORREF pattern = 0;
  if (rop3UsesPattern(rop3) && !brushColour(dc->brush, &pattern)) return TRUE;
  GdiDc* src = nullptr;
  PixelSurface source;
  int sourceOffsetX = 0;
  int sourceOffsetY = 0;
  if (!resolveSource(sourceDc, &src, &source, &sourceOffsetX, &sourceOffsetY)) return FALSE;
  // A negative extent runs left or up from the given corner, the corner's
  // own pixel included, in both DCs.
  int64_t destX = x, destY = y, fromX = int64_t{sourceX} + sourceOffsetX,
          fromY = int64_t{sourceY} + sourceOffsetY, w = width, h = height;
  if (w < 0) {
    destX += w + 1;
    fromX += w + 1;
    w = -w;
  }
  if (h < 0) {
    destY += h + 1;
    fromY += h + 1;
    h = -h;
  }
  if (w == 0 || h == 0) return TRUE;

  // Cut the block to the part whose source lies inside the source surface.
  RECT sourceRect = extentRect(fromX, fromY, w, h);
  RECT readable;
  if (!intersectRects(sourceRect, {0, 0, source.width, source.height}, &readable)) return TRUE;
  RECT destRect =
      extentRect(destX + (readable.left - sourceRect.left), destY + (readable.top - sourceRect.top),
                 readable.right - readable.left, readable.bottom - readable.top);

  // Surface position of the source pixel for destination surface pixel (0, 0).
  const int64_t shiftX = int64_t{readable.left} - (int64_t{destRect.left} + dest.offsetX);
  const int64_t shiftY = int64_t{readable.top} - (int64_t{destRect.top} + dest.offsetY);
  BlitColours colours = coloursFor(*dc, src, pattern);
  drawClipped(dest, destRect, [&](const RECT& part) {
    const int64_t readX = part.left + shiftX;
    const int64_t readY = part.top + shiftY;
    // Guards the reads even if clamping of absurd coordinates skewed the cut.
    if (readX < 0 || readY < 0 || readX + (part.right - part.left) > source.width ||
        readY + (part.bottom - part.top) > source.height) {
      return;
    }
    rasterBlit(dest.surface, part.left, part.top, part.right - part.left, part.bottom - part.top,
               &source, static_cast<int>(readX), static_cast<int>(readY), rop3, colours);
  });
  return TRUE;
}

// Operations without a source only; a negative size extends left or up from
// the corner, the corner's own pixel included.
BOOL WINAPI PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  GdiDc* dc = nullptr;
  DrawDestination dest;
  if (!resolveDestination(hdc, &dc, &dest)) return FALSE;
  const uint8_t rop3 = rop3Of(rop);
  if (rop3UsesSource(rop3)) return FALSE;
  COLORREF pattern = 0;
  if (rop3UsesPattern(rop3) && !brushColour(dc->brush, &pattern)) return TRUE;
  const int64_t left = width < 0 ? int64_t{x} + width + 1 : x;
  const int64_t top = height < 0 ? int64_t{y} + height + 1 : y;
  RECT rect = extentRect(left, top, width < 0 ? -int64_t{width} : width,
                         height < 0 ? -int64_t{height} : height);
  fillRect(dest, *dc, rect, rop3, pattern);
  return TRUE;
}

int WINAPI FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  GdiDc* dc = nullptr;
  DrawDestination dest;
  if (!rect || !gdiLookupBrush(brush) || !resolveDestination(hdc, &dc, &dest)) return FALSE;
  COLORREF colour = 0;
  if (brushColour(brush, &colour)) fillRect(dest, *dc, *rect, rop3Of(PATCOPY), colour);
  return TRUE;
}

// A one-pixel frame just inside the rectangle. An empty or inverted
// rectangle draws nothing and reports failure.
int WINAPI FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  GdiDc* dc = nullptr;
  DrawDestination dest;
  if (!rect || !gdiLookupBrush(brush) || !resolveDestination(hdc, &dc, &dest)) return FALSE;
  const RECT& r = *rect;
  if (r.right <= r.left || r.bottom <= r.top) return FALSE;
  COLORREF colour = 0;
  if (!brushColour(brush, &colour)) return TRUE;
  const uint8_t rop3 = rop3Of(PATCOPY);
  fillRect(dest, *dc, {r.left, r.top, r.right, r.top + 1}, rop3, colour);
  fillRect(dest, *dc, {r.left, r.bottom - 1, r.right, r.bottom}, rop3, colour);
  fillRect(dest, *dc, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, rop3, colour);
  fillRect(dest, *dc, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, rop3, colour);
  return TRUE;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  GdiDc* dc = nullptr;
  DrawDestination dest;
  if (!resolveDestination(hdc, &dc, &dest)) return CLR_INVALID;
  COLORREF result = CLR_INVALID;
  // Only pixels inside the DC's clip are readable.
  RECT one = extentRect(x, y, 1, 1);
  for (int i = 0; i < dest.clipCount && result == CLR_INVALID; ++i) {
    RECT at = {one.left + dest.offsetX, one.top + dest.offsetY, one.right + dest.offsetX,
               one.bottom + dest.offsetY};
    RECT part;
    if (!intersectRects(at, dest.clip[i], &part)) continue;
    size_t index = static_cast<size_t>(part.top) * dest.surface.stride + part.left;
    result = dest.surface.monochrome() ? (dest.surface.mono[index] ? RGB(255, 255, 255) : 0)
                                       : pixelToColorref(dest.surface.colour[index]);
  }
  return result;
}

// Returns the colour actually set (black or white on a monochrome bitmap).
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
  GdiDc* dc = nullptr;
  DrawDestination dest;
  if (!resolveDestination(hdc, &dc, &dest)) return CLR_INVALID;
  color &= 0x00FFFFFF;
  bool drawn = false;
  fillRect(dest, *dc, extentRect(x, y, 1, 1), rop3Of(PATCOPY), color);
  RECT one = extentRect(x + dest.offsetX, y + dest.offsetY, 1, 1);
  for (int i = 0; i < dest.clipCount && !drawn; ++i) {
    RECT part;
    drawn = intersectRects(one, dest.clip[i], &part);
  }
  if (!drawn) return CLR_INVALID;
  if (dest.surface.monochrome()) return colorrefToMono(color) ? RGB(255, 255, 255) : 0;
  return color;
}
