// Creating, resetting and deleting DCs, their attributes and device caps.
#include "platform/gdi/dc_surface.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/internal/window_surface.h"
#include "platform/win32/gdi.h"

namespace {

HDC addDc(DcKind kind, HWND hwnd) {
  auto dc = std::make_unique<GdiDc>();
  dc->kind = kind;
  dc->hwnd = hwnd;
  if (kind == DcKind::Memory) dc->bitmap = gdiDefaultBitmap();
  gdiApplyDefaultState(dc.get());
  return gdiAddDc(std::move(dc));
}

// Frees a DC's slot; a bitmap selected into it becomes free to select elsewhere.
void removeDc(HDC hdc, GdiDc* dc) {
  if (GdiBitmap* bitmap = gdiLookupBitmap(dc->bitmap)) {
    if (bitmap->selectedInto == hdc) bitmap->selectedInto = nullptr;
  }
  gdiSetDcBrush(dc, nullptr);
  gdiRemoveObject(hdc);
}

// Text and background colours are set and read the same way; the top byte
// of a COLORREF is never kept.
COLORREF replaceColor(HDC hdc, COLORREF GdiDc::*color, COLORREF value) {
  GdiDc* dc = gdiLookupDc(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->*color;
  dc->*color = value & 0x00FFFFFF;
  return previous;
}

COLORREF readColor(HDC hdc, COLORREF GdiDc::*color) {
  GdiDc* dc = gdiLookupDc(hdc);
  return dc ? dc->*color : CLR_INVALID;
}

}  // namespace

// A null window asks for the screen's DC (GetDC(NULL)): it answers
// GetDeviceCaps, and drawing on it does nothing.
HDC gdiCreateWindowDC(HWND hwnd) {
  return addDc(hwnd ? DcKind::Window : DcKind::Screen, hwnd);
}

void gdiSetWindowDCPaintClip(HDC hdc, const RECT* clientRect) {
  GdiDc* dc = gdiLookupDc(hdc);
  if (!dc || dc->kind != DcKind::Window) return;
  dc->hasPaintClip = clientRect != nullptr;
  if (clientRect) dc->paintClip = *clientRect;
}

void gdiDeleteWindowDC(HDC hdc) {
  GdiDc* dc = gdiLookupDc(hdc);
  if (!dc || dc->kind == DcKind::Memory) return;
  removeDc(hdc, dc);
}

void gdiResetDCState(HDC hdc) {
  if (GdiDc* dc = gdiLookupDc(hdc)) {
    gdiApplyDefaultState(dc);
    dc->hasPaintClip = false;
  }
}

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc && !gdiLookupDc(hdc)) return nullptr;
  return addDc(DcKind::Memory, nullptr);
}

// Window and screen DCs belong to USER (ReleaseDC); only memory DCs go here.
BOOL WINAPI DeleteDC(HDC hdc) {
  GdiDc* dc = gdiLookupDc(hdc);
  if (!dc || dc->kind != DcKind::Memory) return FALSE;
  removeDc(hdc, dc);
  return TRUE;
}

// Every DC answers for the display it is compatible with.
int WINAPI GetDeviceCaps(HDC hdc, int index) {
  if (!gdiLookupDc(hdc)) return 0;
  switch (index) {
    case HORZRES:
    case VERTRES: {
      int width = 0;
      int height = 0;
      userGetScreenSize(&width, &height);
      return index == HORZRES ? width : height;
    }
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return -1;
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    default:
      return 0;
  }
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  return replaceColor(hdc, &GdiDc::textColor, color);
}

COLORREF WINAPI GetTextColor(HDC hdc) {
  return readColor(hdc, &GdiDc::textColor);
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  return replaceColor(hdc, &GdiDc::bkColor, color);
}

COLORREF WINAPI GetBkColor(HDC hdc) {
  return readColor(hdc, &GdiDc::bkColor);
}

int WINAPI SetBkMode(HDC hdc, int mode) {
  GdiDc* dc = gdiLookupDc(hdc);
  if (!dc || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
  int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}

int WINAPI GetBkMode(HDC hdc) {
  GdiDc* dc = gdiLookupDc(hdc);
  return dc ? dc->bkMode : 0;
}
