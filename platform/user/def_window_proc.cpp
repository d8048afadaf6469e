// What a window does with a message its own procedure passes on.
#include <algorithm>
#include <cstring>

#include "platform/user/user_state.h"
#include "platform/win32/gdi.h"

namespace {

// A class background of COLOR_* + 1 names a system colour rather than a brush.
HBRUSH backgroundBrush(HBRUSH classBrush) {
  uintptr_t value = reinterpret_cast<uintptr_t>(classBrush);
  if (value == 0 || value > 64) return classBrush;
  int colour = static_cast<int>(value) - 1;
  if (colour == COLOR_WINDOW) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  if (colour == COLOR_WINDOWTEXT) return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  return static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}

LRESULT eraseBackground(Window* w, HDC dc) {
  HBRUSH brush = backgroundBrush(w->windowClass->info.hbrBackground);
  if (brush == nullptr || dc == nullptr) return 0;
  RECT client{0, 0, w->clientRect.right - w->clientRect.left,
              w->clientRect.bottom - w->clientRect.top};
  FillRect(dc, &client, brush);  // the DC's paint clip keeps it to the update region
  return 1;
}

LRESULT hitTest(HWND hwnd, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ScreenToClient(hwnd, &p);
  RECT client;
  GetClientRect(hwnd, &client);
  if (p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom)
    return HTCLIENT;
  return p.y < 0 ? HTCAPTION : HTBORDER;
}

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return 0;
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_NCCALCSIZE: {
      RECT* r = reinterpret_cast<RECT*>(lParam);
      if (r == nullptr) return 0;
      RECT inset = frameInsets(w->style);
      r->left += inset.left;
      r->top += inset.top;
      r->right = std::max(r->left, r->right - inset.right);
      r->bottom = std::max(r->top, r->bottom - inset.bottom);
      return 0;
    }
    case WM_NCACTIVATE:
      return TRUE;
    case WM_NCHITTEST:
      return hitTest(hwnd, lParam);
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      w->title = text != nullptr ? text : "";
      if (w->backendWindow) backend().setWindowTitle(hwnd, w->title.c_str());
      return TRUE;
    }
    case WM_GETTEXT: {
      char* buffer = reinterpret_cast<char*>(lParam);
      if (buffer == nullptr || wParam == 0) return 0;
      size_t n = std::min(w->title.size(), static_cast<size_t>(wParam) - 1);
      std::memcpy(buffer, w->title.data(), n);
      buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->title.size());
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_ERASEBKGND:
      return eraseBackground(w, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd, &paint);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_ACTIVATE:
      // An activated window that is not minimised takes the focus.
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) SetFocus(hwnd);
      return 0;
    case WM_MOUSEACTIVATE:
      // A child lets its parent decide first.
      if (w->parent != nullptr) {
        LRESULT answer = sendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (answer != 0) return answer;
      }
      return MA_ACTIVATE;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          sendMessage(hwnd, WM_CLOSE, 0, 0);
          break;
        case SC_MINIMIZE:
          ShowWindow(hwnd, SW_MINIMIZE);
          break;
        case SC_MAXIMIZE:
          ShowWindow(hwnd, SW_MAXIMIZE);
          break;
        case SC_RESTORE:
          ShowWindow(hwnd, SW_RESTORE);
          break;
      }
      return 0;
    default:
      return 0;
  }
}
