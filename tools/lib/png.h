// .png files of our palette images, each pixel scaled up to a square of
// scale x scale (the page's app icons are the desktop icon, larger).
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace snowtools {

// An 8-bit palette PNG; transparent pixels get a 17th, fully transparent
// palette entry.
std::vector<uint8_t> encodePngFile(const IndexedImage& image, int scale);

}  // namespace snowtools
