// Screenshots of the presented picture as 8-bit RGB PNG files.
#include "platform/headless/headless.h"

#ifdef SNOWVEL_NO_PNG

bool headlessSavePng(HWND, const std::string&, std::string* error) {
  if (error) *error = "this build has no PNG writer (WebAssembly builds go without libpng)";
  return false;
}

#else

#include <png.h>

#include <vector>

bool headlessSavePng(HWND window, const std::string& path, std::string* error) {
  HeadlessFramebuffer frame;
  if (!headlessFramebuffer(window, &frame)) {
    if (error) *error = "no such window";
    return false;
  }
  if (frame.width <= 0 || frame.height <= 0) {
    if (error) *error = "the window has shown nothing yet";
    return false;
  }
  std::vector<png_byte> rgb(static_cast<size_t>(frame.width) * frame.height * 3);
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      uint32_t pixel = frame.pixels[static_cast<size_t>(y) * frame.stride + x];
      png_byte* out = &rgb[(static_cast<size_t>(y) * frame.width + x) * 3];
      out[0] = static_cast<png_byte>(pixel >> 16);
      out[1] = static_cast<png_byte>(pixel >> 8);
      out[2] = static_cast<png_byte>(pixel);
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(frame.width);
  image.height = static_cast<png_uint_32>(frame.height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), frame.width * 3, nullptr)) {
    if (error) *error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

#endif
