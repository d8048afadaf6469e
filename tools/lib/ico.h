// .ico files of 4-bpp images (XOR image in our palette plus the 1-bpp AND
// mask, set where the picture is transparent).
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace snowtools {

// Each image at most 256 x 256; the directory lists them in the given order.
std::vector<uint8_t> encodeIcoFile(const std::vector<IndexedImage>& images);

}  // namespace snowtools
