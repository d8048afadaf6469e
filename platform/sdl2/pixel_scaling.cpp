#include "platform/sdl2/pixel_scaling.h"

#include <algorithm>
#include <cstddef>

RECT scaleRectInto(const ConstPixelView& source, const RECT& rect, int scale,
                   const PixelView& target) {
  scale = std::max(scale, 1);
  int left = std::max<int>(rect.left, 0);
  int top = std::max<int>(rect.top, 0);
  int right = std::min<int>(rect.right, source.width);
  int bottom = std::min<int>(rect.bottom, source.height);
  // Clip in real pixels against the target as well.
  int realLeft = left * scale;
  int realTop = top * scale;
  int realRight = std::min(right * scale, target.width);
  int realBottom = std::min(bottom * scale, target.height);
  if (realLeft >= realRight || realTop >= realBottom) return RECT{0, 0, 0, 0};

  for (int y = realTop; y < realBottom; ++y) {
    const uint32_t* from = source.pixels + static_cast<ptrdiff_t>(y / scale) * source.stride;
    uint32_t* to = target.pixels + static_cast<ptrdiff_t>(y) * target.stride;
    if (scale == 1) {
      std::copy(from + realLeft, from + realRight, to + realLeft);
    } else if (y % scale != 0 && y != realTop) {
      // Every line of a block row is the same as the one above it.
      std::copy(to - target.stride + realLeft, to - target.stride + realRight, to + realLeft);
    } else {
      for (int x = realLeft; x < realRight; ++x) to[x] = from[x / scale];
    }
  }
  return RECT{realLeft, realTop, realRight, realBottom};
}
