// Update regions and painting. A window's update region is kept as its
// bounding box; BeginPaint validates it, erases it through WM_ERASEBKGND when
// asked, and hands out the window's DC clipped to it.
#include "platform/internal/window_surface.h"
#include "platform/user/user_state.h"

namespace {

RECT clientBounds(const Window* w) {
  return RECT{0, 0, w->clientRect.right - w->clientRect.left,
              w->clientRect.bottom - w->clientRect.top};
}

bool passesFilter(HWND filter, HWND hwnd) {
  return filter == nullptr || filter == hwnd;
}

HWND searchPaint(HWND hwnd, HWND filter) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || !w->visible || w->minimised) return nullptr;
  if (!rectIsEmpty(w->update) && passesFilter(filter, hwnd)) return hwnd;
  for (HWND child : w->children)
    if (HWND found = searchPaint(child, filter)) return found;
  return nullptr;
}

}  // namespace

void invalidateClient(HWND hwnd, const RECT* rect, bool erase, bool withChildren) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  RECT area = clientBounds(w);
  if (rect != nullptr) area = intersectRects(*rect, area);
  if (rectIsEmpty(area)) return;
  w->update = unionRects(w->update, area);
  if (erase) w->updateErase = true;
  // Without WS_CLIPCHILDREN the children's areas belong to the parent's
  // drawing too, so they are invalidated with it.
  if (!withChildren || (w->style & WS_CLIPCHILDREN)) return;
  for (HWND childHandle : w->children) {
    Window* child = findWindow(childHandle);
    if (child == nullptr || !child->visible) continue;
    RECT inChild = offsetRect(intersectRects(area, child->clientRect), -child->clientRect.left,
                              -child->clientRect.top);
    if (!rectIsEmpty(inChild)) invalidateClient(childHandle, &inChild, erase, true);
  }
}

void invalidateWholeTree(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  invalidateClient(hwnd, nullptr, true, false);
  for (HWND child : w->children) invalidateWholeTree(child);
}

HWND findWindowNeedingPaint(HWND filter) {
  for (HWND top : topLevelWindows())
    if (HWND found = searchPaint(top, filter)) return found;
  return nullptr;
}

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (hwnd == nullptr) {
    // The whole desktop: every window of ours.
    for (HWND top : topLevelWindows()) invalidateClient(top, nullptr, erase != FALSE, true);
    return TRUE;
  }
  if (findWindow(hwnd) == nullptr) return FALSE;
  invalidateClient(hwnd, rect, erase != FALSE, true);
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  if (rect == nullptr) {
    w->update = RECT{0, 0, 0, 0};
    w->updateErase = false;
    return TRUE;
  }
  // What is left of the bounding box is bounded again.
  std::vector<RECT> left;
  subtractRect(w->update, *rect, &left);
  RECT bounds{0, 0, 0, 0};
  for (const RECT& r : left) bounds = unionRects(bounds, r);
  w->update = bounds;
  if (rectIsEmpty(bounds)) w->updateErase = false;
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  if (rect != nullptr) *rect = rectIsEmpty(w->update) ? RECT{0, 0, 0, 0} : w->update;
  return !rectIsEmpty(w->update);
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  if (w->visible && !w->minimised && !rectIsEmpty(w->update)) sendMessage(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || paint == nullptr) return nullptr;
  RECT box = rectIsEmpty(w->update) ? RECT{0, 0, 0, 0} : w->update;
  bool erase = w->updateErase;
  w->update = RECT{0, 0, 0, 0};
  w->updateErase = false;
  HDC dc = GetDC(hwnd);
  if (dc == nullptr) return nullptr;
  gdiSetWindowDCPaintClip(dc, &box);
  *paint = PAINTSTRUCT{};
  paint->hdc = dc;
  paint->rcPaint = box;
  if (erase) paint->fErase = sendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
  return dc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (paint == nullptr || paint->hdc == nullptr) return FALSE;
  gdiSetWindowDCPaintClip(paint->hdc, nullptr);
  ReleaseDC(hwnd, paint->hdc);
  return TRUE;
}
