// The active top-level window and the keyboard focus. WM_ACTIVATE carries
// WA_INACTIVE/WA_ACTIVE/WA_CLICKACTIVE in its low word and, in its high word,
// whether the window is minimised; the focus follows through WM_KILLFOCUS and
// WM_SETFOCUS.
#include "platform/user/user_state.h"

namespace {
HWND active = nullptr;
HWND focus = nullptr;

WPARAM activationValue(HWND hwnd, WORD how) {
  Window* w = findWindow(hwnd);
  return MAKEWPARAM(how, (w != nullptr && w->minimised) ? 1 : 0);
}
}  // namespace

HWND activeWindow() {
  return active;
}
HWND focusWindow() {
  return focus;
}

void resetActivation() {
  active = nullptr;
  focus = nullptr;
}

void activateTopLevel(HWND top, WORD how) {
  if (top == active) return;
  HWND previous = active;
  if (findWindow(previous) != nullptr) {
    sendMessage(previous, WM_NCACTIVATE, FALSE, 0);
    sendMessage(previous, WM_ACTIVATE, activationValue(previous, WA_INACTIVE),
                reinterpret_cast<LPARAM>(top));
  }
  active = findWindow(top) != nullptr ? top : nullptr;
  if (active != nullptr) {
    sendMessage(active, WM_NCACTIVATE, TRUE, 0);
    sendMessage(active, WM_ACTIVATE, activationValue(active, how),
                reinterpret_cast<LPARAM>(previous));
  }
  // A focus left behind in a window that is no longer active goes away.
  if (focus != nullptr) {
    Window* f = findWindow(focus);
    Window* fTop = topLevelOf(f);
    if (f == nullptr || fTop == nullptr || fTop->handle != active) {
      HWND lost = focus;
      focus = nullptr;
      if (f != nullptr) sendMessage(lost, WM_KILLFOCUS, 0, 0);
    }
  }
}

void forgetWindowFocus(HWND hwnd) {
  if (focus != nullptr && (focus == hwnd || isDescendant(hwnd, focus))) {
    HWND lost = focus;
    focus = nullptr;
    sendMessage(lost, WM_KILLFOCUS, 0, 0);
  }
}

HWND WINAPI SetFocus(HWND hwnd) {
  HWND previous = focus;
  if (hwnd == nullptr) {
    focus = nullptr;
    if (previous != nullptr) sendMessage(previous, WM_KILLFOCUS, 0, 0);
    return previous;
  }
  Window* w = findWindow(hwnd);
  if (w == nullptr || w->destroying) return nullptr;
  if (focus == hwnd) return hwnd;
  Window* top = topLevelOf(w);
  if (top->handle != active) {
    activateTopLevel(top->handle, WA_ACTIVE);
    if (focus == hwnd || findWindow(hwnd) == nullptr) return previous;
    previous = focus;
  }
  if (previous != nullptr) sendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  focus = hwnd;
  sendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return findWindow(previous) != nullptr ? previous : nullptr;
}

HWND WINAPI GetFocus(void) {
  return focus;
}
HWND WINAPI GetActiveWindow(void) {
  return active;
}
HWND WINAPI GetForegroundWindow(void) {
  return active;
}

HWND WINAPI SetActiveWindow(HWND hwnd) {
  Window* w = topLevelOf(findWindow(hwnd));
  if (w == nullptr) return nullptr;
  HWND previous = active;
  activateTopLevel(w->handle, WA_ACTIVE);
  return previous;
}

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
  Window* w = topLevelOf(findWindow(hwnd));
  if (w == nullptr) return FALSE;
  if (w->backendWindow) backend().raiseWindow(w->handle);
  activateTopLevel(w->handle, WA_ACTIVE);
  return TRUE;
}
