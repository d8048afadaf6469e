// Whether a presented frame holds the game's picture yet, for the backends'
// first-picture marks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// More than two colours: the game's picture rather than the blank ground
// with at most the black-on-white status panel.
inline bool hasPicture(const std::vector<uint32_t>& frame) {
  uint32_t seen[2] = {0, 0};
  int seenCount = 0;
  for (uint32_t pixel : frame) {
    if (std::find(seen, seen + seenCount, pixel) != seen + seenCount) continue;
    if (seenCount == 2) return true;
    seen[seenCount++] = pixel;
  }
  return false;
}
