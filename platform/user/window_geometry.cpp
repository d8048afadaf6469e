// Where windows are and how big: the frame around the client area, moving and
// sizing (with WM_MOVE and WM_SIZE), the top-level framebuffer that follows
// the client size, and the system metrics those depend on.
#include <algorithm>
#include <cstring>

#include "platform/internal/window_surface.h"
#include "platform/user/user_state.h"

namespace {

// Classic frame metrics: a sizing border of 4, a fixed dialog frame of 3 and a
// caption of 19 (18 plus the line under it).
constexpr int kSizingFrame = 4;
constexpr int kFixedFrame = 3;
constexpr int kThinBorder = 1;
constexpr int kCaption = 19;
constexpr int kMinTrackWidth = 112;
constexpr int kMinTrackHeight = 27;

int width(const RECT& r) {
  return r.right - r.left;
}
int height(const RECT& r) {
  return r.bottom - r.top;
}

}  // namespace

RECT frameInsets(DWORD style) {
  int border = 0;
  if (style & WS_THICKFRAME)
    border = kSizingFrame;
  else if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME))
    border = kFixedFrame;
  else if (style & WS_BORDER)
    border = kThinBorder;
  int caption = (style & WS_CAPTION) == WS_CAPTION ? kCaption : 0;
  return RECT{border, border + caption, border, border};
}

void userGetScreenSize(int* width, int* height) {
  int w = 0, h = 0;
  if (currentBackend() != nullptr && currentBackend()->screenSize != nullptr)
    currentBackend()->screenSize(&w, &h);
  if (width) *width = w;
  if (height) *height = h;
}

int WINAPI GetSystemMetrics(int index) {
  int screenW = 0, screenH = 0;
  userGetScreenSize(&screenW, &screenH);
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
      return screenW;
    case SM_CYSCREEN:
      return screenH;
    case SM_CYFULLSCREEN:
      return screenH - kCaption;
    case SM_CYCAPTION:
      return kCaption;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return kThinBorder;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return kFixedFrame;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return kSizingFrame;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYMENU:
    case SM_CXSIZE:
    case SM_CYSIZE:
      return 18;
    case SM_MOUSEPRESENT:
      return 1;
    case SM_CXMINTRACK:
      return kMinTrackWidth;
    case SM_CYMINTRACK:
      return kMinTrackHeight;
    case SM_CXMIN:
      return kMinTrackWidth;
    case SM_CYMIN:
      return kMinTrackHeight;
    case SM_CXMAXTRACK:
      return screenW + 2 * kSizingFrame;
    case SM_CYMAXTRACK:
      return screenH + 2 * kSizingFrame;
    case SM_CXMAXIMIZED:
      return screenW + 2 * kSizingFrame;
    case SM_CYMAXIMIZED:
      return screenH + 2 * kSizingFrame;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    default:
      return 0;
  }
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD) {
  if (rect == nullptr) return FALSE;
  if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION;
  RECT inset = frameInsets(style);
  rect->left -= inset.left;
  rect->top -= inset.top;
  rect->right += inset.right;
  rect->bottom += inset.bottom;
  return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
  return AdjustWindowRectEx(rect, style, menu, 0);
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  if (w->minimised)
    *rect = RECT{0, 0, 0, 0};
  else
    *rect = RECT{0, 0, width(w->clientRect), height(w->clientRect)};
  return TRUE;
}

namespace {

POINT screenOrigin(Window* w) {
  // Client (0,0) of w in screen coordinates.
  POINT p{w->clientRect.left, w->clientRect.top};
  for (Window* p2 = findWindow(w->parent); p2 != nullptr; p2 = findWindow(p2->parent)) {
    p.x += p2->clientRect.left;
    p.y += p2->clientRect.top;
  }
  return p;
}

}  // namespace

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  RECT r = w->windowRect;
  if (Window* parent = findWindow(w->parent)) {
    POINT origin = screenOrigin(parent);
    r = offsetRect(r, origin.x, origin.y);
  }
  *rect = r;
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || point == nullptr) return FALSE;
  POINT origin = screenOrigin(w);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || point == nullptr) return FALSE;
  POINT origin = screenOrigin(w);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

POINT clientOriginInTopLevel(Window* w) {
  POINT p{0, 0};
  while (w != nullptr && w->parent != nullptr) {
    p.x += w->clientRect.left;
    p.y += w->clientRect.top;
    w = findWindow(w->parent);
  }
  return p;
}

void sizeFramebuffer(Window* w, bool repaint) {
  int newWidth = std::max(0, width(w->clientRect));
  int newHeight = std::max(0, height(w->clientRect));
  if (newWidth == w->surfaceWidth && newHeight == w->surfaceHeight) return;
  std::vector<uint32_t> pixels(static_cast<size_t>(newWidth) * newHeight, 0x00FFFFFFu);
  int keepWidth = std::min(newWidth, w->surfaceWidth);
  int keepHeight = std::min(newHeight, w->surfaceHeight);
  for (int y = 0; y < keepHeight; ++y)
    std::memcpy(&pixels[static_cast<size_t>(y) * newWidth],
                &w->pixels[static_cast<size_t>(y) * w->surfaceWidth], keepWidth * sizeof(uint32_t));
  int oldWidth = w->surfaceWidth, oldHeight = w->surfaceHeight;
  w->pixels = std::move(pixels);
  w->surfaceWidth = newWidth;
  w->surfaceHeight = newHeight;
  w->dirty.clear();
  w->dirty.push_back(RECT{0, 0, newWidth, newHeight});
  if (!repaint) return;
  UINT classStyle = w->windowClass->info.style;
  bool redrawAll = ((classStyle & CS_HREDRAW) && newWidth != oldWidth) ||
                   ((classStyle & CS_VREDRAW) && newHeight != oldHeight);
  if (redrawAll) {
    invalidateWholeTree(w->handle);
    return;
  }
  // Only the strips the old surface did not cover need painting.
  RECT right{oldWidth, 0, newWidth, newHeight};
  RECT below{0, oldHeight, newWidth, newHeight};
  if (!rectIsEmpty(right)) invalidateClient(w->handle, &right, true, true);
  if (!rectIsEmpty(below)) invalidateClient(w->handle, &below, true, true);
}

MINMAXINFO queryMinMaxInfo(HWND hwnd) {
  int screenW = 0, screenH = 0;
  userGetScreenSize(&screenW, &screenH);
  MINMAXINFO info{};
  info.ptMaxSize = POINT{screenW + 2 * kSizingFrame, screenH + 2 * kSizingFrame};
  info.ptMaxPosition = POINT{-kSizingFrame, -kSizingFrame};
  info.ptMinTrackSize = POINT{kMinTrackWidth, kMinTrackHeight};
  info.ptMaxTrackSize = POINT{screenW + 2 * kSizingFrame, screenH + 2 * kSizingFrame};
  sendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

void applyWindowRect(HWND hwnd, const RECT& newRect, UINT flags, bool fromBackend) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  RECT oldWindow = w->windowRect;
  RECT oldClient = w->clientRect;
  if (std::memcmp(&oldWindow, &newRect, sizeof(RECT)) == 0) return;
  w->windowRect = newRect;
  RECT client = newRect;
  sendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  if ((w = findWindow(hwnd)) == nullptr) return;
  w->clientRect = client;
  bool clientMoved = client.left != oldClient.left || client.top != oldClient.top;
  bool clientResized = width(client) != width(oldClient) || height(client) != height(oldClient);
  bool redraw = !(flags & SWP_NOREDRAW);

  if (w->parent == nullptr) {
    if (clientResized) sizeFramebuffer(w, redraw);
    if (!fromBackend && w->backendWindow && (clientMoved || clientResized))
      backend().setWindowClient(hwnd, w->clientRect);
  } else if (w->visible && redraw) {
    // A child's pixels live in its top-level framebuffer, which does not move
    // them: the child repaints in full and the parent fills what it uncovered.
    std::vector<RECT> uncovered;
    subtractRect(oldWindow, newRect, &uncovered);
    for (const RECT& r : uncovered) invalidateClient(w->parent, &r, true, false);
    invalidateWholeTree(hwnd);
  }

  if (clientMoved) {
    POINT origin{client.left, client.top};
    sendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
  }
  if ((w = findWindow(hwnd)) == nullptr) return;
  if (clientResized) {
    WPARAM kind = w->maximised ? SIZE_MAXIMIZED : SIZE_RESTORED;
    sendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(width(client), height(client)));
  }
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return raiseForeignWindow(hwnd, insertAfter, flags);
  cx = std::max(cx, 0);
  cy = std::max(cy, 0);

  if (!(flags & SWP_NOZORDER)) {
    if (Window* parent = findWindow(w->parent)) {
      auto& siblings = parent->children;
      siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
      if (insertAfter == HWND_BOTTOM)
        siblings.push_back(hwnd);
      else
        siblings.insert(siblings.begin(), hwnd);
    } else if (insertAfter != HWND_BOTTOM && w->backendWindow) {
      backend().raiseWindow(hwnd);
    }
  }

  RECT target = w->minimised ? w->restoredWindowRect : w->windowRect;
  if (!(flags & SWP_NOMOVE)) target = offsetRect(target, x - target.left, y - target.top);
  if (!(flags & SWP_NOSIZE)) {
    target.right = target.left + cx;
    target.bottom = target.top + cy;
  }
  if (w->minimised)
    w->restoredWindowRect = target;  // takes effect when the window is restored
  else
    applyWindowRect(hwnd, target, flags, false);

  if ((flags & SWP_SHOWWINDOW) && IsWindow(hwnd) && !IsWindowVisible(hwnd))
    ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if ((flags & SWP_HIDEWINDOW) && IsWindow(hwnd)) ShowWindow(hwnd, SW_HIDE);

  w = findWindow(hwnd);
  if (w != nullptr && w->parent == nullptr && !(flags & SWP_NOACTIVATE) && w->visible)
    activateTopLevel(hwnd, WA_ACTIVE);
  return w != nullptr;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, cx, cy,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}
