// The table behind every GDI handle. A handle names a slot and the slot's
// generation, so a deleted (stale) handle or one of the wrong kind is refused
// instead of reaching freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win32/gdi.h"

enum class GdiKind : uint8_t { None, Dc, Bitmap, Brush, Pen, Font };

// Pixels: colour bitmaps hold 0x00RRGGBB; monochrome bitmaps hold one byte per
// pixel, 0x00 for a 0 bit (black) and 0xFF for a 1 bit (white), so the raster
// operations work on them bytewise.
struct GdiBitmap {
  int width = 0;
  int height = 0;
  bool monochrome = true;
  std::vector<uint32_t> colour;
  std::vector<uint8_t> mono;
  HDC selectedInto = nullptr;  // not kept for the shared stock bitmap
};

struct GdiBrush {
  bool hollow = false;
  COLORREF color = 0;
  int selectCount = 0;  // DCs holding it; a selected brush is not deleted
};

struct GdiPen {
  bool hollow = false;
  COLORREF color = 0;
};

struct GdiFont {};  // every font is the built-in fixed-pitch face

enum class DcKind : uint8_t { Memory, Window, Screen };

struct GdiDc {
  DcKind kind = DcKind::Memory;
  HWND hwnd = nullptr;       // window DCs
  HBITMAP bitmap = nullptr;  // memory DCs: the selected bitmap
  HBRUSH brush = nullptr;
  HPEN pen = nullptr;
  HFONT font = nullptr;
  COLORREF textColor = 0;
  COLORREF bkColor = 0;
  int bkMode = OPAQUE;
  bool hasPaintClip = false;
  RECT paintClip = {};  // client coordinates
};

// Slot access. Each lookup returns nullptr for a handle that is null, stale,
// or names an object of another kind.
GdiDc* gdiLookupDc(HDC handle);
GdiBitmap* gdiLookupBitmap(HGDIOBJ handle);
GdiBrush* gdiLookupBrush(HGDIOBJ handle);
GdiPen* gdiLookupPen(HGDIOBJ handle);
GdiFont* gdiLookupFont(HGDIOBJ handle);
GdiKind gdiKindOf(HGDIOBJ handle);
bool gdiIsStock(HGDIOBJ handle);

// New objects; nullptr when the table is full.
HDC gdiAddDc(std::unique_ptr<GdiDc> dc);
HBITMAP gdiAddBitmap(std::unique_ptr<GdiBitmap> bitmap);
HBRUSH gdiAddBrush(std::unique_ptr<GdiBrush> brush);

// Frees the slot; the handle and any copies of it become stale.
void gdiRemoveObject(HGDIOBJ handle);

// The 1x1 monochrome bitmap every new memory DC holds (shared, never deleted).
HBITMAP gdiDefaultBitmap();
// Stock objects by GetStockObject index; nullptr for an unknown index.
HGDIOBJ gdiStockObject(int index);

// Objects alive that are not stock: lets tests prove nothing leaks.
int gdiLiveObjectCount();

// Puts the default attributes and stock objects into a DC (new or reused).
void gdiApplyDefaultState(GdiDc* dc);

// Changes the DC's brush, keeping the brushes' selection counts.
void gdiSetDcBrush(GdiDc* dc, HBRUSH brush);
