#include "platform/web/web_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/internal/screen_layout.h"

namespace {

int automaticScale(const WebArea& area, SIZE smallestClient) {
  // Zoomed out below 1, or garbled (0, NaN): 1. A huge one: the most.
  const double ratio = area.pixelRatio >= 1 ? std::min<double>(area.pixelRatio, kMostScale) : 1;
  int scale = std::max(chooseScale(0, area.height), static_cast<int>(std::lround(ratio)));
  while (scale > 1 &&
         (area.width / scale < smallestClient.cx || area.height / scale < smallestClient.cy))
    --scale;
  return scale;
}

}  // namespace

WebScreen webScreenFor(const WebArea& area, int requestedScale, const RECT& frame,
                       SIZE smallestClient) {
  WebScreen screen;
  screen.scale = requestedScale > 0 ? requestedScale : automaticScale(area, smallestClient);
  screen.width = std::max(area.width, 0) / screen.scale + frame.left + frame.right;
  screen.height = std::max(area.height, 0) / screen.scale + frame.top + frame.bottom;
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
