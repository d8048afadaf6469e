// Window DCs handed out by GetDC and BeginPaint. A CS_OWNDC window has one DC
// for its whole life, returned every time and keeping what was selected into
// it; any other window gets a fresh DC that ReleaseDC deletes.
#include <algorithm>

#include "platform/internal/window_surface.h"
#include "platform/user/user_state.h"

namespace {

struct LentDC {
  HDC dc;
  HWND hwnd;
};
std::vector<LentDC> lent;

}  // namespace

HDC WINAPI GetDC(HWND hwnd) {
  if (hwnd != nullptr) {
    Window* w = findWindow(hwnd);
    if (w == nullptr) return nullptr;
    if (w->ownDc != nullptr) return w->ownDc;
  }
  // A null window means the screen: GDI answers its device questions.
  HDC dc = gdiCreateWindowDC(hwnd);
  if (dc != nullptr) lent.push_back(LentDC{dc, hwnd});
  return dc;
}

int WINAPI ReleaseDC(HWND hwnd, HDC dc) {
  if (dc == nullptr) return 0;
  if (Window* w = findWindow(hwnd); w != nullptr && w->ownDc == dc) return 1;
  auto it = std::find_if(lent.begin(), lent.end(), [dc](const LentDC& l) { return l.dc == dc; });
  if (it == lent.end()) return 0;
  lent.erase(it);
  gdiDeleteWindowDC(dc);
  return 1;
}

void releaseWindowDCs(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || w->ownDc == nullptr) return;
  HDC dc = w->ownDc;
  w->ownDc = nullptr;
  gdiDeleteWindowDC(dc);
}

void resetPaintState() {
  for (const LentDC& l : lent) gdiDeleteWindowDC(l.dc);
  lent.clear();
  for (HWND hwnd : allWindows()) releaseWindowDCs(hwnd);
}
