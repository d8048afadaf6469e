// Creating and destroying windows, with the messages Windows sends on the way
// and in its order: WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE
// on creation; WM_DESTROY parent first, then WM_NCDESTROY children first.
#include <algorithm>

#include "platform/internal/window_surface.h"
#include "platform/user/user_state.h"
#include "platform/win32/kernel.h"

namespace {

constexpr int kCreateFailed = -1;

// Drops a window whose creation did not get as far as WM_CREATE.
void abandonWindow(HWND hwnd) {
  sendMessage(hwnd, WM_NCDESTROY, 0, 0);
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  if (Window* parent = findWindow(w->parent)) {
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
  }
  releaseWindowDCs(hwnd);
  if (w->backendWindow) backend().destroyWindow(hwnd);
  freeWindowRecord(hwnd);
}

void defaultPlacement(int* x, int* y, int* cx, int* cy, bool child) {
  int screenW = 0, screenH = 0;
  userGetScreenSize(&screenW, &screenH);
  if (*x == CW_USEDEFAULT) {
    *x = child ? 0 : screenW / 8;
    *y = child ? 0 : screenH / 8;
  }
  if (*cx == CW_USEDEFAULT) {
    *cx = child ? 0 : screenW * 3 / 4;
    *cy = child ? 0 : screenH * 3 / 4;
  }
}

void markDestroying(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  w->destroying = true;
  for (HWND child : w->children) markDestroying(child);
}

// WM_DESTROY runs parent first; the children are still there meanwhile.
void sendDestroyMessages(HWND hwnd) {
  sendMessage(hwnd, WM_DESTROY, 0, 0);
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) sendDestroyMessages(child);
}

void freeWindowTree(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) freeWindowTree(child);
  killWindowTimers(hwnd);
  releaseWindowDCs(hwnd);
  sendMessage(hwnd, WM_NCDESTROY, 0, 0);
  if ((w = findWindow(hwnd)) == nullptr) return;
  if (Window* parent = findWindow(w->parent)) {
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
  }
  if (w->backendWindow) backend().destroyWindow(hwnd);
  freeWindowRecord(hwnd);
}

}  // namespace

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int cx, int cy, HWND parent, HMENU menu, HINSTANCE instance,
                            LPVOID param) {
  const WindowClass* windowClass = findClass(className);
  if (windowClass == nullptr) return nullptr;
  bool child = (style & WS_CHILD) != 0;
  if (child && findWindow(parent) == nullptr) return nullptr;
  if (!child) parent = nullptr;  // an owner is not a parent; owners are not kept
  // Overlapped windows always have a caption and clip their siblings.
  if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION | WS_CLIPSIBLINGS;
  bool visibleAtOnce = (style & WS_VISIBLE) != 0;
  style &= ~static_cast<DWORD>(WS_VISIBLE);
  defaultPlacement(&x, &y, &cx, &cy, child);

  Window* w = createWindowRecord();
  if (w == nullptr) return nullptr;
  HWND hwnd = w->handle;
  w->windowClass = windowClass;
  w->proc = windowClass->info.lpfnWndProc;
  w->style = style;
  w->exStyle = exStyle;
  w->parent = parent;
  w->instance = instance;
  w->childId = child ? reinterpret_cast<UINT_PTR>(menu) : 0;
  w->title = windowName != nullptr ? windowName : "";
  w->needsFirstSize = !(style & (WS_CHILD | WS_POPUP));
  if (Window* p = findWindow(parent)) p->children.insert(p->children.begin(), hwnd);
  if (windowClass->info.style & CS_OWNDC) w->ownDc = gdiCreateWindowDC(hwnd);

  if ((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD))) {
    MINMAXINFO info = queryMinMaxInfo(hwnd);
    cx = std::max(std::min<int>(cx, info.ptMaxTrackSize.x), info.ptMinTrackSize.x);
    cy = std::max(std::min<int>(cy, info.ptMaxTrackSize.y), info.ptMinTrackSize.y);
  }
  if ((w = findWindow(hwnd)) == nullptr) return nullptr;
  w->windowRect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
  w->clientRect = w->windowRect;
  w->restoredWindowRect = w->windowRect;

  CREATESTRUCTA create{};
  create.lpCreateParams = param;
  create.hInstance = instance;
  create.hMenu = menu;
  create.hwndParent = parent;
  create.cx = cx;
  create.cy = cy;
  create.x = x;
  create.y = y;
  create.style = static_cast<LONG>(style);
  create.lpszName = windowName;
  create.lpszClass = className;
  create.dwExStyle = exStyle;
  if (!sendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    abandonWindow(hwnd);
    return nullptr;
  }
  if ((w = findWindow(hwnd)) == nullptr) return nullptr;
  RECT client = w->windowRect;
  sendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  if ((w = findWindow(hwnd)) == nullptr) return nullptr;
  w->clientRect = client;

  if (parent == nullptr) {
    sizeFramebuffer(w, false);
    w->dirty.clear();
    if (!backend().createWindow(hwnd, w->title.c_str(), w->clientRect)) {
      abandonWindow(hwnd);
      return nullptr;
    }
    w->backendWindow = true;
  }

  if (sendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == kCreateFailed) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if ((w = findWindow(hwnd)) == nullptr) return nullptr;
  if (!w->needsFirstSize) {
    RECT c = w->clientRect;
    sendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    sendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(c.left, c.top));
  }
  if (visibleAtOnce && IsWindow(hwnd)) ShowWindow(hwnd, SW_SHOW);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || w->destroying) return FALSE;
  // Hidden first: an active window gives up the activation and the focus
  // before it hears WM_DESTROY; a child's area is left to its parent.
  if (w->parent == nullptr && activeWindow() == hwnd) activateTopLevel(nullptr, WA_INACTIVE);
  forgetWindowFocus(hwnd);
  if ((w = findWindow(hwnd)) == nullptr) return TRUE;
  if (w->parent != nullptr && w->visible) invalidateClient(w->parent, &w->windowRect, true, false);
  w->visible = false;
  markDestroying(hwnd);
  sendDestroyMessages(hwnd);
  freeWindowTree(hwnd);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hwnd) {
  return findWindow(hwnd) != nullptr;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  for (; w != nullptr; w = findWindow(w->parent))
    if (!w->visible) return FALSE;
  return TRUE;
}

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
  return isDescendant(parent, hwnd);
}

HWND WINAPI GetParent(HWND hwnd) {
  Window* w = findWindow(hwnd);
  return w != nullptr ? w->parent : nullptr;
}

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName) {
  const WindowClass* wanted = nullptr;
  if (className != nullptr) {
    wanted = findClass(className);
    if (wanted == nullptr) return findForeignWindow(className, windowName);
  }
  for (HWND hwnd : topLevelWindows()) {
    Window* w = findWindow(hwnd);
    if (w->destroying) continue;
    if (wanted != nullptr && w->windowClass != wanted) continue;
    if (windowName != nullptr && lstrcmpiA(w->title.c_str(), windowName) != 0) continue;
    return hwnd;
  }
  return findForeignWindow(className, windowName);
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam,
                               LPARAM lParam) {
  return proc != nullptr ? proc(hwnd, message, wParam, lParam) : 0;
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (findWindow(hwnd) == nullptr) return FALSE;
  return sendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize <= 0) return 0;
  buffer[0] = '\0';
  if (findWindow(hwnd) == nullptr) return 0;
  return static_cast<int>(sendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(bufferSize),
                                      reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
  if (findWindow(hwnd) == nullptr) return 0;
  return static_cast<int>(sendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}
