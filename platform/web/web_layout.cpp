#include "platform/web/web_layout.h"

#include <algorithm>

#include "platform/internal/screen_layout.h"

WebScreen webScreenFor(int areaWidth, int areaHeight, int requestedScale, const RECT& frame) {
  WebScreen screen;
  screen.scale = std::max(chooseScale(requestedScale, areaHeight), 1);
  screen.width = std::max(areaWidth, 0) / screen.scale + frame.left + frame.right;
  screen.height = std::max(areaHeight, 0) / screen.scale + frame.top + frame.bottom;
  return screen;
}

SIZE webClientFor(const WebScreen& screen, const RECT& frame, SIZE minimum) {
  // The game's main window: as wide as the screen is tall at most, as tall
  // as the screen.
  const int windowWidth = std::min(screen.width, screen.height);
  SIZE client{windowWidth - frame.left - frame.right, screen.height - frame.top - frame.bottom};
  client.cx = std::max(client.cx, minimum.cx);
  client.cy = std::max(client.cy, minimum.cy);
  return client;
}
