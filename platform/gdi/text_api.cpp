// Text in the built-in fixed-pitch face: metrics, extents and TextOutA.
#include <algorithm>
#include <cstring>

#include "platform/gdi/dc_surface.h"
#include "platform/gdi/fixed_font.h"
#include "platform/gdi/raster.h"
#include "platform/win32/gdi.h"

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics) {
  if (!gdiLookupDc(hdc) || !metrics) return FALSE;
  TEXTMETRICA m = {};
  m.tmHeight = kGlyphHeight;
  m.tmAscent = kGlyphAscent;
  m.tmDescent = kGlyphHeight - kGlyphAscent;
  m.tmAveCharWidth = kGlyphWidth;
  m.tmMaxCharWidth = kGlyphWidth;
  m.tmWeight = FW_NORMAL;
  m.tmDigitizedAspectX = 96;
  m.tmDigitizedAspectY = 96;
  // Characters past the last one draw as the default character, a box.
  m.tmFirstChar = 32;
  m.tmLastChar = 127;
  m.tmDefaultChar = 127;
  m.tmBreakChar = ' ';
  // A clear TMPF_FIXED_PITCH bit means fixed pitch; a raster face has no
  // vector or TrueType bit.
  m.tmPitchAndFamily = FF_MODERN;
  m.tmCharSet = OEM_CHARSET;
  *metrics = m;
  return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size) {
  if (!gdiLookupDc(hdc) || !size || length < 0 || (!text && length > 0)) return FALSE;
  size->cx = static_cast<LONG>(std::min<int64_t>(int64_t{length} * kGlyphWidth, INT32_MAX));
  size->cy = kGlyphHeight;
  return TRUE;
}

// In OPAQUE mode each character cell is filled with the background colour
// first; glyph pixels take the text colour.
BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
  GdiDc* dc = nullptr;
  DrawDestination dest;
  if (length < 0 || (!text && length > 0) || !resolveDestination(hdc, &dc, &dest)) return FALSE;
  if (length == 0) return TRUE;
  const bool mono = dest.surface.monochrome();
  const uint32_t fg = mono ? colorrefToMono(dc->textColor) : colorrefToPixel(dc->textColor);
  const uint32_t bg = mono ? colorrefToMono(dc->bkColor) : colorrefToPixel(dc->bkColor);
  const bool opaque = dc->bkMode == OPAQUE;
  // Text far off the surface is cut to the cells that could show.
  const int64_t textRight = int64_t{x} + int64_t{length} * kGlyphWidth;
  RECT logical = {clampCoord(x), clampCoord(y), clampCoord(textRight),
                  clampCoord(int64_t{y} + kGlyphHeight)};
  const int64_t cellsLeft = int64_t{x} + dest.offsetX;  // surface x of the first cell
  const int64_t cellsTop = int64_t{y} + dest.offsetY;
  drawClipped(dest, logical, [&](const RECT& part) {
    int64_t first = (part.left - cellsLeft) / kGlyphWidth;
    int64_t last = (part.right - 1 - cellsLeft) / kGlyphWidth;
    for (int64_t i = first; i <= last; ++i) {
      const int64_t cellLeft = cellsLeft + i * kGlyphWidth;
      const int left = static_cast<int>(std::max<int64_t>(cellLeft, part.left));
      const int right = static_cast<int>(std::min<int64_t>(cellLeft + kGlyphWidth, part.right));
      const int top = part.top;
      const int skipRows = static_cast<int>(top - cellsTop);
      const uint8_t* rows = glyphRows(static_cast<unsigned char>(text[i])) + skipRows;
      rasterGlyph(dest.surface, left, top, right - left, part.bottom - top, rows,
                  static_cast<int>(left - cellLeft), fg, bg, opaque);
    }
  });
  return TRUE;
}
