// Nearest-neighbour enlargement of framebuffer rectangles: each game pixel
// becomes a scale x scale block, so sprites stay crisp at any scale.
#pragma once

#include <cstdint>

#include "platform/win32/types.h"

struct PixelView {
  uint32_t* pixels = nullptr;  // 0x00RRGGBB
  int stride = 0;              // in pixels
  int width = 0;
  int height = 0;
};

struct ConstPixelView {
  const uint32_t* pixels = nullptr;
  int stride = 0;
  int width = 0;
  int height = 0;
};

// Copies rect (game pixels, clipped to the source) of source into target at
// scale times its position, clipped to the target. Returns the real
// rectangle written (empty when nothing was).
RECT scaleRectInto(const ConstPixelView& source, const RECT& rect, int scale,
                   const PixelView& target);
