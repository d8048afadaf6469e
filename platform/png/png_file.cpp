#include "platform/png/png_file.h"

#ifdef SNOWVEL_NO_PNG

bool writeRgbPng(const uint32_t*, int, int, int, const std::string&, std::string* error) {
  if (error) *error = "this build has no PNG writer (WebAssembly builds go without libpng)";
  return false;
}

#else

#include <png.h>

#include <vector>

bool writeRgbPng(const uint32_t* pixels, int width, int height, int stride, const std::string& path,
                 std::string* error) {
  std::vector<png_byte> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t pixel = pixels[static_cast<size_t>(y) * stride + x];
      png_byte* out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      out[0] = static_cast<png_byte>(pixel >> 16);
      out[1] = static_cast<png_byte>(pixel >> 8);
      out[2] = static_cast<png_byte>(pixel);
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr)) {
    if (error) *error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

#endif
