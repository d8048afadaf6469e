// Reading one picture out of a .ico file, as an icon group resource holds
// it, for the window manager's window icon. The bytes are untrusted: nothing
// outside them is read and impossible sizes are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, top row first; alpha 0 where transparent
};

// Decodes the largest DIB picture of the file (PNG pictures are skipped);
// the AND mask becomes the alpha channel, or a 32-bit picture's own alpha is
// kept when it has any. False when the file holds no usable picture.
bool decodeIcoFile(const uint8_t* data, size_t size, IconImage* out);
