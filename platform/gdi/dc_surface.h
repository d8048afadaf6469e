// Where a DC's drawing lands: the selected bitmap of a memory DC, or the
// visible part of a window's framebuffer for a window DC. A screen DC draws
// nowhere.
#pragma once

#include <cstdint>

#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/raster.h"
#include "platform/internal/window_surface.h"

struct DrawDestination {
  PixelSurface surface;
  // Logical (client) coordinates plus the offset give surface coordinates.
  int offsetX = 0;
  int offsetY = 0;
  // Where drawing may land, in surface coordinates; none for a screen DC.
  RECT clip[WindowDrawTarget::kMaxClip] = {};
  int clipCount = 0;
  // The top-level window whose framebuffer is drawn on (window DCs only).
  HWND dirtyWindow = nullptr;
};

// Fetches where a DC draws right now; false for an unknown or stale DC.
bool resolveDestination(HDC hdc, GdiDc** dc, DrawDestination* out);

// The pixels a DC can be read from and its logical-to-surface offset; the
// whole surface counts as readable. False when there is nothing to read.
bool resolveSource(HDC hdc, GdiDc** dc, PixelSurface* surface, int* offsetX, int* offsetY);

bool intersectRects(const RECT& a, const RECT& b, RECT* out);

// Coordinates are kept well inside int so offsets and clips cannot overflow.
constexpr int64_t kCoordLimit = int64_t{1} << 30;
inline LONG clampCoord(int64_t v) {
  return static_cast<LONG>(v < -kCoordLimit ? -kCoordLimit : v > kCoordLimit ? kCoordLimit : v);
}
inline RECT extentRect(int64_t x, int64_t y, int64_t width, int64_t height) {
  return {clampCoord(x), clampCoord(y), clampCoord(x + width), clampCoord(y + height)};
}

// Runs draw(surfaceRect) for each part of the logical rectangle that lies
// inside the destination's clip, then tells USER which framebuffer pixels
// changed.
template <typename Draw>
void drawClipped(const DrawDestination& dest, const RECT& logical, Draw&& draw) {
  RECT wanted = {logical.left + dest.offsetX, logical.top + dest.offsetY,
                 logical.right + dest.offsetX, logical.bottom + dest.offsetY};
  RECT touched = {0, 0, 0, 0};
  bool any = false;
  for (int i = 0; i < dest.clipCount; ++i) {
    RECT part;
    if (!intersectRects(wanted, dest.clip[i], &part)) continue;
    draw(part);
    if (!any) {
      touched = part;
      any = true;
    } else {
      if (part.left < touched.left) touched.left = part.left;
      if (part.top < touched.top) touched.top = part.top;
      if (part.right > touched.right) touched.right = part.right;
      if (part.bottom > touched.bottom) touched.bottom = part.bottom;
    }
  }
  if (any && dest.dirtyWindow) userMarkFramebufferDirty(dest.dirtyWindow, touched);
}

// The DC's colours in the destination's pixel form.
BlitColours coloursFor(const GdiDc& dest, const GdiDc* source, COLORREF brushColour);
