// Bitmaps, brushes and stock objects: creating, selecting, reading, deleting.
#include <cstring>
#include <new>

#include "platform/gdi/bitmap_alloc.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/win32/gdi.h"

namespace {

// Rows of bits handed to CreateBitmap are padded to 16 bits, as Windows does
// for device-dependent bitmaps.
LONG widthBytesOf(const GdiBitmap& bitmap) {
  return bitmap.monochrome ? (bitmap.width + 15) / 16 * 2 : bitmap.width * 4;
}

void importBits(GdiBitmap* bitmap, const uint8_t* bits) {
  const size_t rowBytes = static_cast<size_t>(widthBytesOf(*bitmap));
  for (int y = 0; y < bitmap->height; ++y) {
    const uint8_t* row = bits + rowBytes * y;
    if (bitmap->monochrome) {
      uint8_t* out = bitmap->mono.data() + static_cast<size_t>(y) * bitmap->width;
      for (int x = 0; x < bitmap->width; ++x) out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFF : 0;
    } else {
      uint32_t* out = bitmap->colour.data() + static_cast<size_t>(y) * bitmap->width;
      for (int x = 0; x < bitmap->width; ++x) {
        const uint8_t* p = row + 4 * x;  // blue, green, red, unused
        out[x] = static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
      }
    }
  }
}

}  // namespace

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                            const VOID* bits) {
  if (width < 0 || height < 0 || planes != 1) return nullptr;
  if (bitsPerPixel != 1 && bitsPerPixel != 32) return nullptr;
  if (width == 0 || height == 0) return gdiDefaultBitmap();
  std::unique_ptr<GdiBitmap> bitmap = allocateBitmap(width, height, bitsPerPixel == 1);
  if (!bitmap) return nullptr;
  if (bits) importBits(bitmap.get(), static_cast<const uint8_t*>(bits));
  return gdiAddBitmap(std::move(bitmap));
}

// Monochrome when the DC is a memory DC holding a monochrome bitmap (its
// default one included); colour for window and screen DCs.
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height) {
  GdiDc* dc = gdiLookupDc(hdc);
  if (!dc || width < 0 || height < 0) return nullptr;
  if (width == 0 || height == 0) return gdiDefaultBitmap();
  bool monochrome = false;
  if (dc->kind == DcKind::Memory) {
    GdiBitmap* selected = gdiLookupBitmap(dc->bitmap);
    monochrome = !selected || selected->monochrome;
  }
  std::unique_ptr<GdiBitmap> bitmap = allocateBitmap(width, height, monochrome);
  return bitmap ? gdiAddBitmap(std::move(bitmap)) : nullptr;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  auto brush = std::make_unique<GdiBrush>();
  brush->color = color & 0x00FFFFFF;
  return gdiAddBrush(std::move(brush));
}

HGDIOBJ WINAPI GetStockObject(int index) {
  return gdiStockObject(index);
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ object) {
  GdiDc* dc = gdiLookupDc(hdc);
  if (!dc) return nullptr;
  switch (gdiKindOf(object)) {
    case GdiKind::Bitmap: {
      // Only memory DCs take bitmaps, and a bitmap lives in one DC at a time
      // (the shared default bitmap excepted).
      if (dc->kind != DcKind::Memory) return nullptr;
      GdiBitmap* bitmap = gdiLookupBitmap(object);
      bool shared = gdiIsStock(object);
      if (!shared && bitmap->selectedInto && bitmap->selectedInto != hdc) return nullptr;
      HBITMAP previous = dc->bitmap;
      if (GdiBitmap* old = gdiLookupBitmap(previous); old && old->selectedInto == hdc) {
        old->selectedInto = nullptr;
      }
      dc->bitmap = static_cast<HBITMAP>(object);
      if (!shared) bitmap->selectedInto = hdc;
      return previous;
    }
    case GdiKind::Brush: {
      HBRUSH previous = dc->brush;
      gdiSetDcBrush(dc, static_cast<HBRUSH>(object));
      return previous;
    }
    case GdiKind::Pen: {
      HPEN previous = dc->pen;
      dc->pen = static_cast<HPEN>(object);
      return previous;
    }
    case GdiKind::Font: {
      HFONT previous = dc->font;
      dc->font = static_cast<HFONT>(object);
      return previous;
    }
    default:
      return nullptr;
  }
}

// Stock objects are ignored; an object still selected into a DC is refused
// (and stays valid) rather than left dangling.
BOOL WINAPI DeleteObject(HGDIOBJ object) {
  GdiKind kind = gdiKindOf(object);
  if (kind == GdiKind::None || kind == GdiKind::Dc) return FALSE;
  if (gdiIsStock(object)) return TRUE;
  if (GdiBitmap* bitmap = gdiLookupBitmap(object); bitmap && bitmap->selectedInto) return FALSE;
  if (GdiBrush* brush = gdiLookupBrush(object); brush && brush->selectCount > 0) return FALSE;
  gdiRemoveObject(object);
  return TRUE;
}

int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
  if (GdiBitmap* bitmap = gdiLookupBitmap(object)) {
    if (!buffer) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP info = {};
    info.bmWidth = bitmap->width;
    info.bmHeight = bitmap->height;
    info.bmWidthBytes = widthBytesOf(*bitmap);
    info.bmPlanes = 1;
    info.bmBitsPixel = bitmap->monochrome ? 1 : 32;
    std::memcpy(buffer, &info, sizeof info);
    return sizeof(BITMAP);
  }
  if (GdiBrush* brush = gdiLookupBrush(object)) {
    if (!buffer) return sizeof(LOGBRUSH);
    LOGBRUSH info = {};
    info.lbStyle = brush->hollow ? BS_NULL : BS_SOLID;
    info.lbColor = brush->color;
    int copied = size < static_cast<int>(sizeof info) ? size : static_cast<int>(sizeof info);
    if (copied <= 0) return 0;
    std::memcpy(buffer, &info, copied);
    return copied;
  }
  return 0;
}

DWORD WINAPI GetObjectType(HGDIOBJ object) {
  switch (gdiKindOf(object)) {
    case GdiKind::Dc:
      return gdiLookupDc(static_cast<HDC>(object))->kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
    case GdiKind::Bitmap:
      return OBJ_BITMAP;
    case GdiKind::Brush:
      return OBJ_BRUSH;
    case GdiKind::Pen:
      return OBJ_PEN;
    case GdiKind::Font:
      return OBJ_FONT;
    default:
      return 0;
  }
}
