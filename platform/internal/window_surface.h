// How GDI and USER meet inside the portable layer. USER owns windows and the
// framebuffer of each top-level window's client area; GDI owns device
// contexts and draws into that framebuffer through a window DC.
#pragma once

#include <cstdint>

#include "platform/win32/types.h"

// Pixels everywhere in the layer are 32-bit 0x00RRGGBB (the top byte is 0).
// COLORREF is 0x00BBGGRR, so convert at the GDI boundary.

// Where a window DC draws, fetched afresh for every drawing operation because
// windows move, resize and are uncovered between operations.
struct WindowDrawTarget {
  uint32_t* pixels = nullptr;  // the top-level window's client framebuffer
  int stride = 0;              // in pixels
  int surfaceWidth = 0;
  int surfaceHeight = 0;
  int originX = 0;  // framebuffer position of the window's client (0,0)
  int originY = 0;
  // Visible parts of the window's client area, in framebuffer coordinates:
  // the client rectangle less the areas of WS_CLIPCHILDREN children (and, for a
  // child, clipped to its parent). Drawing lands only inside these.
  static constexpr int kMaxClip = 16;
  RECT clip[kMaxClip] = {};
  int clipCount = 0;
  HWND topLevel = nullptr;
};

// USER side, called by GDI.
bool userGetWindowDrawTarget(HWND hwnd, WindowDrawTarget* target);
// Pixels of the top-level framebuffer changed inside fbRect; the backend
// presents them after painting.
void userMarkFramebufferDirty(HWND topLevel, const RECT& fbRect);

// GDI side, called by USER (GetDC, BeginPaint, a CS_OWNDC class's own DC).
HDC gdiCreateWindowDC(HWND hwnd);
// Limits a window DC to a client-coordinate rectangle (the paint region's
// bounding box inside BeginPaint/EndPaint); nullptr lifts the limit.
void gdiSetWindowDCPaintClip(HDC dc, const RECT* clientRect);
void gdiDeleteWindowDC(HDC dc);
// Default state (colours, selected objects) restored on a DC before reuse.
void gdiResetDCState(HDC dc);

// The display size the game reads through GetDeviceCaps(HORZRES/VERTRES).
void userGetScreenSize(int* width, int* height);
