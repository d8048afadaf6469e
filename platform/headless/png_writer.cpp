// Screenshots of the presented picture as 8-bit RGB PNG files.
#include "platform/headless/headless.h"
#include "platform/png/png_file.h"

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
  return writeRgbPng(frame.pixels, frame.width, frame.height, frame.stride, path, error);
}
