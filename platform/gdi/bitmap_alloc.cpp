#include "platform/gdi/bitmap_alloc.h"

#include <new>

namespace {
constexpr uint64_t kMaxPixels = uint64_t{1} << 26;
}

std::unique_ptr<GdiBitmap> allocateBitmap(int width, int height, bool monochrome) {
  if (width <= 0 || height <= 0) return nullptr;
  uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (pixels > kMaxPixels) return nullptr;
  try {
    auto bitmap = std::make_unique<GdiBitmap>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->monochrome = monochrome;
    if (monochrome) {
      bitmap->mono.assign(pixels, 0);
    } else {
      bitmap->colour.assign(pixels, 0);
    }
    return bitmap;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
