// Showing, hiding, minimising, maximising and restoring. The first showing of
// an overlapped window activates it and then sends its first WM_SIZE and
// WM_MOVE; its WM_PAINT comes later through the queue.
#include "platform/user/user_state.h"

namespace {

int width(const RECT& r) {
  return r.right - r.left;
}
int height(const RECT& r) {
  return r.bottom - r.top;
}

// Makes a hidden window visible; false when it already was.
bool reveal(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || w->visible) return false;
  sendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
  if ((w = findWindow(hwnd)) == nullptr) return false;
  w->visible = true;
  w->everShown = true;
  if (w->backendWindow)
    backend().setWindowState(
        hwnd, w->minimised ? BackendWindowState::Minimised : BackendWindowState::Normal);
  invalidateWholeTree(hwnd);
  return true;
}

void sendFirstSize(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || !w->needsFirstSize) return;
  w->needsFirstSize = false;
  RECT c = w->clientRect;
  sendMessage(hwnd, WM_SIZE, w->maximised ? SIZE_MAXIMIZED : SIZE_RESTORED,
              MAKELPARAM(width(c), height(c)));
  sendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(c.left, c.top));
}

void hide(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || !w->visible) return;
  sendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
  if ((w = findWindow(hwnd)) == nullptr) return;
  w->visible = false;
  if (w->backendWindow) backend().setWindowState(hwnd, BackendWindowState::Hidden);
  if (w->parent != nullptr) invalidateClient(w->parent, &w->windowRect, true, false);
  if (activeWindow() == hwnd) activateTopLevel(nullptr, WA_INACTIVE);
  forgetWindowFocus(hwnd);
}

void maximise(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || w->maximised || w->parent != nullptr) return;
  if (w->minimised) {
    w->minimised = false;
    if (w->backendWindow) backend().setWindowState(hwnd, BackendWindowState::Normal);
  } else {
    w->restoredWindowRect = w->windowRect;
  }
  MINMAXINFO info = queryMinMaxInfo(hwnd);
  if ((w = findWindow(hwnd)) == nullptr) return;
  w->maximised = true;
  w->needsFirstSize = false;
  RECT target{info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
              info.ptMaxPosition.y + info.ptMaxSize.y};
  applyWindowRect(hwnd, target, 0, false);
}

}  // namespace

void minimiseWindow(HWND hwnd, bool fromBackend) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || w->minimised || w->parent != nullptr) return;
  if (!w->maximised) w->restoredWindowRect = w->windowRect;
  w->minimised = true;
  w->needsFirstSize = false;
  if (!fromBackend && w->backendWindow && w->visible)
    backend().setWindowState(hwnd, BackendWindowState::Minimised);
  sendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
  // A minimised window hands the activation on; there is no other window of
  // ours to take it, so none is active (WM_ACTIVATE's high word says why).
  if (activeWindow() == hwnd) activateTopLevel(nullptr, WA_INACTIVE);
}

void restoreWindow(HWND hwnd, bool fromBackend) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || !w->minimised) return;
  if (fromBackend) {
    // The user picked the minimised window: it is activated while still
    // minimised, then opens.
    activateTopLevel(hwnd, WA_ACTIVE);
    if ((w = findWindow(hwnd)) == nullptr || !w->minimised) return;
  }
  w->minimised = false;
  if (!fromBackend && w->backendWindow && w->visible)
    backend().setWindowState(hwnd, BackendWindowState::Normal);
  RECT target = w->maximised ? w->windowRect : w->restoredWindowRect;
  RECT oldClient = w->clientRect;
  applyWindowRect(hwnd, target, 0, false);
  if ((w = findWindow(hwnd)) == nullptr) return;
  if (width(w->clientRect) == width(oldClient) && height(w->clientRect) == height(oldClient))
    sendMessage(hwnd, WM_SIZE, w->maximised ? SIZE_MAXIMIZED : SIZE_RESTORED,
                MAKELPARAM(width(w->clientRect), height(w->clientRect)));
  invalidateWholeTree(hwnd);
  if (!fromBackend && IsWindowVisible(hwnd)) activateTopLevel(hwnd, WA_ACTIVE);
}

BOOL WINAPI ShowWindow(HWND hwnd, int command) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  BOOL wasVisible = w->visible ? TRUE : FALSE;
  bool topLevel = w->parent == nullptr;
  switch (command) {
    case SW_HIDE:
      hide(hwnd);
      return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      reveal(hwnd);
      minimiseWindow(hwnd, false);
      return wasVisible;
    case SW_SHOWMINIMIZED:
      reveal(hwnd);
      minimiseWindow(hwnd, false);
      if (topLevel) activateTopLevel(hwnd, WA_ACTIVE);
      return wasVisible;
    case SW_SHOWMAXIMIZED:
      reveal(hwnd);
      if (topLevel) activateTopLevel(hwnd, WA_ACTIVE);
      maximise(hwnd);
      return wasVisible;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE: {
      bool activate = command != SW_SHOWNOACTIVATE && topLevel;
      reveal(hwnd);
      if ((w = findWindow(hwnd)) == nullptr) return wasVisible;
      if (w->minimised) {
        restoreWindow(hwnd, false);
      } else if (w->maximised && command != SW_SHOWNOACTIVATE) {
        w->maximised = false;
        applyWindowRect(hwnd, w->restoredWindowRect, 0, false);
      }
      if (activate) activateTopLevel(hwnd, WA_ACTIVE);
      sendFirstSize(hwnd);
      return wasVisible;
    }
    case SW_SHOW:
    case SW_SHOWNA:
    default:
      reveal(hwnd);
      if (topLevel && command != SW_SHOWNA) activateTopLevel(hwnd, WA_ACTIVE);
      sendFirstSize(hwnd);
      return wasVisible;
  }
  return wasVisible;
}

BOOL WINAPI IsIconic(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return isForeignWindowMinimised(hwnd);
  return w->minimised;
}

BOOL WINAPI IsZoomed(HWND hwnd) {
  Window* w = findWindow(hwnd);
  return w != nullptr && w->maximised;
}

BOOL WINAPI OpenIcon(HWND hwnd) {
  if (isForeignWindow(hwnd)) return restoreForeignWindow(hwnd);
  if (!IsIconic(hwnd)) return FALSE;
  ShowWindow(hwnd, SW_RESTORE);
  return TRUE;
}
