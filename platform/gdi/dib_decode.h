// Decoding of device-independent bitmaps, as the resources hold them (a
// packed DIB: header, palette, bits) or as a whole .bmp file starting "BM".
// A pure function over untrusted bytes: it never reads outside them and
// rejects sizes it could not honour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
  // A 1-bpp image whose palette is exactly black then white: Windows loads
  // such a resource as a monochrome bitmap.
  bool blackAndWhite = false;
};

// Images up to this many pixels are accepted.
constexpr uint64_t kMaxDibPixels = uint64_t{1} << 26;

// Decodes BI_RGB images of 1, 4, 8, 24 and 32 bits per pixel, bottom-up or
// top-down, with a BITMAPINFOHEADER (or a later, longer header) or an old
// BITMAPCOREHEADER. Palette indices past the palette give black. On failure
// returns false, leaves *out empty and says why in *error (when given).
bool decodeDib(const uint8_t* data, size_t size, DecodedImage* out, std::string* error);
