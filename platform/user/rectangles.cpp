// Rectangle arithmetic for update regions and clipping. Right and bottom are
// exclusive, so a rectangle with right <= left or bottom <= top is empty.
#include <algorithm>

#include "platform/user/user_state.h"

bool rectIsEmpty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

RECT intersectRects(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (rectIsEmpty(r)) return RECT{0, 0, 0, 0};
  return r;
}

RECT unionRects(const RECT& a, const RECT& b) {
  if (rectIsEmpty(a)) return rectIsEmpty(b) ? RECT{0, 0, 0, 0} : b;
  if (rectIsEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT offsetRect(const RECT& r, int dx, int dy) {
  return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

void subtractRect(const RECT& r, const RECT& cut, std::vector<RECT>* out) {
  RECT overlap = intersectRects(r, cut);
  if (rectIsEmpty(overlap)) {
    if (!rectIsEmpty(r)) out->push_back(r);
    return;
  }
  // Bands above and below the cut span the full width; the sides fill in
  // between.
  if (overlap.top > r.top) out->push_back(RECT{r.left, r.top, r.right, overlap.top});
  if (overlap.bottom < r.bottom) out->push_back(RECT{r.left, overlap.bottom, r.right, r.bottom});
  if (overlap.left > r.left)
    out->push_back(RECT{r.left, overlap.top, overlap.left, overlap.bottom});
  if (overlap.right < r.right)
    out->push_back(RECT{overlap.right, overlap.top, r.right, overlap.bottom});
}
