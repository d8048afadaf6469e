// Stand-in for USER's half of the window-surface contract while it is not
// there yet: no window has a framebuffer.
#include "platform/internal/window_surface.h"

bool userGetWindowDrawTarget(HWND, WindowDrawTarget*) {
  return false;
}
void userMarkFramebufferDirty(HWND, const RECT&) {}
