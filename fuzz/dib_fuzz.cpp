// Any bytes as a bitmap: decoded within the limits, or refused with a reason.
#include <cstdlib>

#include "platform/gdi/dib_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedImage image;
  std::string error;
  if (decodeDib(data, size, &image, &error)) {
    const uint64_t pixels = uint64_t(image.width) * uint64_t(image.height);
    if (image.width <= 0 || image.height <= 0 || pixels > kMaxDibPixels ||
        image.pixels.size() != pixels)
      std::abort();
    for (uint32_t pixel : image.pixels)
      if (pixel > 0x00FFFFFFu) std::abort();
  } else if (error.empty() || !image.pixels.empty()) {
    std::abort();
  }
  return 0;
}
