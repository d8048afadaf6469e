#include "platform/internal/screen_layout.h"

#include <algorithm>

#include "platform/win32.h"

int chooseScale(int requested, int desktopHeight) {
  if (requested > 0) return requested;
  return desktopHeight >= kHighDpiDesktopHeight ? 2 : 1;
}

ScreenLayout layoutScreen(const DesktopArea& usable, int scale, int realTitleBar, int gameCaption) {
  ScreenLayout layout;
  layout.scale = std::max(scale, 1);
  // The game leaves gameCaption pixels above the client for its own idea of
  // a title bar; whatever the real one needs beyond that comes off the top.
  int extraTop = std::max(0, realTitleBar - gameCaption * layout.scale);
  layout.originX = usable.x;
  layout.originY = usable.y + extraTop;
  layout.width = std::max(usable.width, 0) / layout.scale;
  layout.height = std::max(usable.height - extraTop, 0) / layout.scale;
  return layout;
}

RECT realClientRect(const ScreenLayout& layout, const RECT& client) {
  return RECT{
      layout.originX + client.left * layout.scale, layout.originY + client.top * layout.scale,
      layout.originX + client.right * layout.scale, layout.originY + client.bottom * layout.scale};
}

RECT overlappedFrameInsets() {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  return RECT{-frame.left, -frame.top, frame.right, frame.bottom};
}
