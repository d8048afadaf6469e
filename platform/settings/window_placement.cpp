#include "platform/settings/window_placement.h"

#include <algorithm>

DisplayBounds placeWindow(const WindowPlace& place, int scale,
                          const std::vector<DisplayBounds>& displays) {
  const DisplayBounds window{place.x, place.y, place.width * scale, place.height * scale};
  for (const DisplayBounds& d : displays) {
    const int left = std::max(window.x, d.x);
    const int right = std::min(window.x + window.width, d.x + d.width);
    const int top = std::max(window.y, d.y);
    const int bottom = std::min(window.y + window.height, d.y + d.height);
    if (right - left >= std::min(kVisibleWidth, window.width) &&
        bottom - top >= std::min(kVisibleHeight, window.height) && window.y >= d.y)
      return window;
  }
  DisplayBounds centred = window;
  if (!displays.empty()) {
    const DisplayBounds& d = displays.front();
    centred.x = d.x + (d.width - window.width) / 2;
    centred.y = d.y + std::max(0, (d.height - window.height) / 2);
  }
  return centred;
}
