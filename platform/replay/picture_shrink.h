// A picture made smaller by averaging: each pixel of the smaller one is the
// mean of the part of the larger that it covers, weighted by how much of
// each pixel falls inside. Thin lines and small text fade rather than
// vanish, as they would if whole rows and columns were dropped.
#pragma once

#include <cstdint>

struct PictureView {
  const uint32_t* pixels = nullptr;  // 0x00RRGGBB
  int stride = 0;                    // pixels from one row to the next
  int width = 0;
  int height = 0;
};

// Fills to (toWidth x toHeight, rows packed) from a picture at least as large
// on both axes.
void shrinkPicture(const PictureView& from, uint32_t* to, int toWidth, int toHeight);
