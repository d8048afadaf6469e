// A palette image as the tools pass it around: one palette index per pixel,
// rows top to bottom, plus a transparency flag per pixel (icons only).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace snowtools {

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;    // width * height palette indices, top row first
  std::vector<bool> transparent;  // empty, or one flag per pixel

  uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool isTransparent(int x, int y) const {
    return !transparent.empty() && transparent[static_cast<size_t>(y) * width + x];
  }
};

}  // namespace snowtools
