// Where GDI draws for a window: its part of the top-level framebuffer, less
// what it must not touch, and the changed rectangles the backend presents.
#include <algorithm>
#include <cstdint>

#include "platform/internal/window_surface.h"
#include "platform/user/user_state.h"

namespace {

// Enough for every moving image of a crowded fullscreen slope to go to the
// backend as its own rectangle.
constexpr size_t kMaxDirtyRects = 64;

int64_t rectArea(const RECT& r) {
  return int64_t{r.right - r.left} * (r.bottom - r.top);
}

RECT windowRectInFramebuffer(Window* w) {
  Window* parent = findWindow(w->parent);
  if (parent == nullptr) return RECT{0, 0, w->surfaceWidth, w->surfaceHeight};
  POINT origin = clientOriginInTopLevel(parent);
  return offsetRect(w->windowRect, origin.x, origin.y);
}

RECT clientRectInFramebuffer(Window* w) {
  POINT origin = clientOriginInTopLevel(w);
  return RECT{origin.x, origin.y, origin.x + (w->clientRect.right - w->clientRect.left),
              origin.y + (w->clientRect.bottom - w->clientRect.top)};
}

void cutAway(std::vector<RECT>* pieces, const RECT& cut) {
  std::vector<RECT> next;
  for (const RECT& piece : *pieces) subtractRect(piece, cut, &next);
  *pieces = std::move(next);
}

}  // namespace

bool userGetWindowDrawTarget(HWND hwnd, WindowDrawTarget* target) {
  Window* w = findWindow(hwnd);
  Window* top = topLevelOf(w);
  if (w == nullptr || top == nullptr || target == nullptr) return false;
  *target = WindowDrawTarget{};
  target->pixels = top->pixels.data();
  target->stride = top->surfaceWidth;
  target->surfaceWidth = top->surfaceWidth;
  target->surfaceHeight = top->surfaceHeight;
  POINT origin = clientOriginInTopLevel(w);
  target->originX = origin.x;
  target->originY = origin.y;
  target->topLevel = top->handle;
  if (top->minimised) return true;  // nothing of it is on screen

  RECT visible =
      intersectRects(clientRectInFramebuffer(w), RECT{0, 0, top->surfaceWidth, top->surfaceHeight});
  for (Window* a = w; a != top; a = findWindow(a->parent)) {
    if (!a->visible) return true;
    visible = intersectRects(visible, clientRectInFramebuffer(findWindow(a->parent)));
  }
  std::vector<RECT> pieces;
  if (!rectIsEmpty(visible)) pieces.push_back(visible);
  if (w->style & WS_CLIPCHILDREN) {
    for (HWND childHandle : w->children) {
      Window* child = findWindow(childHandle);
      if (child != nullptr && child->visible) cutAway(&pieces, windowRectInFramebuffer(child));
    }
  }
  if ((w->style & WS_CLIPSIBLINGS) && w->parent != nullptr) {
    // Siblings above this window in the z-order cover it.
    for (HWND sibling : findWindow(w->parent)->children) {
      if (sibling == hwnd) break;
      Window* s = findWindow(sibling);
      if (s != nullptr && s->visible) cutAway(&pieces, windowRectInFramebuffer(s));
    }
  }
  // Should a window ever have more visible pieces than fit, the surplus is
  // left undrawn: better a missing corner than paint over a child.
  for (const RECT& piece : pieces) {
    if (target->clipCount == WindowDrawTarget::kMaxClip) break;
    target->clip[target->clipCount++] = piece;
  }
  return true;
}

void userMarkFramebufferDirty(HWND topLevel, const RECT& fbRect) {
  Window* w = findWindow(topLevel);
  if (w == nullptr || w->parent != nullptr) return;
  RECT r = intersectRects(fbRect, RECT{0, 0, w->surfaceWidth, w->surfaceHeight});
  if (rectIsEmpty(r)) return;
  for (RECT& existing : w->dirty) {
    if (!rectIsEmpty(intersectRects(existing, r))) {
      existing = unionRects(existing, r);
      return;
    }
  }
  if (w->dirty.size() < kMaxDirtyRects) {
    w->dirty.push_back(r);
    return;
  }
  // Past the limit the new rectangle joins the one it grows least: one box
  // around all the changes would present nearly the whole window each tick.
  RECT* best = &w->dirty.front();
  int64_t bestGrowth = INT64_MAX;
  for (RECT& existing : w->dirty) {
    int64_t growth = rectArea(unionRects(existing, r)) - rectArea(existing);
    if (growth < bestGrowth) {
      bestGrowth = growth;
      best = &existing;
    }
  }
  *best = unionRects(*best, r);
}

void presentDirtyFramebuffers() {
  for (HWND hwnd : topLevelWindows()) {
    Window* w = findWindow(hwnd);
    if (w->dirty.empty() || !w->visible || w->minimised || !w->backendWindow) continue;
    std::vector<RECT> rects = std::move(w->dirty);
    w->dirty.clear();
    backend().present(hwnd, w->pixels.data(), w->surfaceWidth, w->surfaceWidth, w->surfaceHeight,
                      rects.data(), static_cast<int>(rects.size()));
  }
}
