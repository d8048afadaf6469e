#include "platform/gdi/dc_surface.h"

#include <algorithm>

namespace {

PixelSurface surfaceOf(GdiBitmap& bitmap) {
  PixelSurface surface;
  if (bitmap.monochrome) {
    surface.mono = bitmap.mono.data();
  } else {
    surface.colour = bitmap.colour.data();
  }
  surface.stride = bitmap.width;
  surface.width = bitmap.width;
  surface.height = bitmap.height;
  return surface;
}

PixelSurface surfaceOf(const WindowDrawTarget& target) {
  PixelSurface surface;
  surface.colour = target.pixels;
  surface.stride = target.stride;
  surface.width = target.surfaceWidth;
  surface.height = target.surfaceHeight;
  return surface;
}

}  // namespace

bool intersectRects(const RECT& a, const RECT& b, RECT* out) {
  out->left = std::max(a.left, b.left);
  out->top = std::max(a.top, b.top);
  out->right = std::min(a.right, b.right);
  out->bottom = std::min(a.bottom, b.bottom);
  return out->left < out->right && out->top < out->bottom;
}

bool resolveDestination(HDC hdc, GdiDc** dcOut, DrawDestination* out) {
  GdiDc* dc = gdiLookupDc(hdc);
  if (!dc) return false;
  *dcOut = dc;
  *out = DrawDestination();
  switch (dc->kind) {
    case DcKind::Memory: {
      GdiBitmap* bitmap = gdiLookupBitmap(dc->bitmap);
      if (!bitmap) return true;
      out->surface = surfaceOf(*bitmap);
      out->clip[0] = {0, 0, bitmap->width, bitmap->height};
      out->clipCount = 1;
      return true;
    }
    case DcKind::Screen:
      return true;
    case DcKind::Window: {
      WindowDrawTarget target;
      if (!userGetWindowDrawTarget(dc->hwnd, &target) || !target.pixels) return true;
      out->surface = surfaceOf(target);
      out->offsetX = target.originX;
      out->offsetY = target.originY;
      out->dirtyWindow = target.topLevel;
      // The visible parts, cut to the framebuffer and, while painting, to the
      // rectangle being painted.
      RECT limit = {0, 0, target.surfaceWidth, target.surfaceHeight};
      if (dc->hasPaintClip) {
        RECT paint = {dc->paintClip.left + target.originX, dc->paintClip.top + target.originY,
                      dc->paintClip.right + target.originX, dc->paintClip.bottom + target.originY};
        if (!intersectRects(limit, paint, &limit)) return true;
      }
      int count = std::clamp(target.clipCount, 0, WindowDrawTarget::kMaxClip);
      for (int i = 0; i < count; ++i) {
        RECT part;
        if (intersectRects(target.clip[i], limit, &part)) out->clip[out->clipCount++] = part;
      }
      return true;
    }
  }
  return true;
}

bool resolveSource(HDC hdc, GdiDc** dcOut, PixelSurface* surface, int* offsetX, int* offsetY) {
  GdiDc* dc = gdiLookupDc(hdc);
  if (!dc) return false;
  *dcOut = dc;
  *offsetX = 0;
  *offsetY = 0;
  if (dc->kind == DcKind::Memory) {
    GdiBitmap* bitmap = gdiLookupBitmap(dc->bitmap);
    if (!bitmap) return false;
    *surface = surfaceOf(*bitmap);
    return true;
  }
  if (dc->kind == DcKind::Window) {
    WindowDrawTarget target;
    if (!userGetWindowDrawTarget(dc->hwnd, &target) || !target.pixels) return false;
    *surface = surfaceOf(target);
    *offsetX = target.originX;
    *offsetY = target.originY;
    return true;
  }
  return false;
}

BlitColours coloursFor(const GdiDc& dest, const GdiDc* source, COLORREF brushColour) {
  BlitColours colours;
  colours.monoZero = colorrefToPixel(dest.textColor);
  colours.monoOne = colorrefToPixel(dest.bkColor);
  colours.sourceBackground = source ? colorrefToPixel(source->bkColor) : 0xFFFFFF;
  colours.patternColour = colorrefToPixel(brushColour);
  colours.patternMono = colorrefToMono(brushColour);
  return colours;
}
