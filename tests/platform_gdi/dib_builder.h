// Builds DIB bytes for the decoder and LoadBitmapA tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

struct DibSource {
  int32_t width = 0;
  int32_t height = 0;  // negative: top-down
  uint16_t bitCount = 8;
  uint32_t colorsUsed = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  // Pixel values (palette indices, or 0x00RRGGBB for 24/32 bpp), top row first.
  std::vector<uint32_t> pixels;
};

inline void putLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A packed DIB: BITMAPINFOHEADER, palette, bits (as resources hold it).
inline std::vector<uint8_t> packedDib(const DibSource& source) {
  std::vector<uint8_t> out;
  putLe(out, 40, 4);
  putLe(out, static_cast<uint32_t>(source.width), 4);
  putLe(out, static_cast<uint32_t>(source.height), 4);
  putLe(out, 1, 2);
  putLe(out, source.bitCount, 2);
  putLe(out, 0, 4);  // BI_RGB
  putLe(out, 0, 4);
  putLe(out, 0, 4);
  putLe(out, 0, 4);
  putLe(out, source.colorsUsed, 4);
  putLe(out, 0, 4);
  for (uint32_t c : source.palette) putLe(out, c, 4);  // blue, green, red, 0
  const int width = source.width;
  const int rows = source.height < 0 ? -source.height : source.height;
  const size_t stride = (static_cast<size_t>(width) * source.bitCount + 31) / 32 * 4;
  std::vector<uint8_t> bits(stride * rows, 0);
  for (int y = 0; y < rows && !source.pixels.empty(); ++y) {
    // Bottom-up images store the bottom row first.
    uint8_t* row = bits.data() + stride * (source.height < 0 ? y : rows - 1 - y);
    for (int x = 0; x < width; ++x) {
      uint32_t v = source.pixels[static_cast<size_t>(y) * width + x];
      switch (source.bitCount) {
        case 1:
          row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8));
          break;
        case 4:
          row[x / 2] |= static_cast<uint8_t>((v & 15) << (x % 2 ? 0 : 4));
          break;
        case 8:
          row[x] = static_cast<uint8_t>(v);
          break;
        case 24:
          std::memcpy(row + 3 * x, &v, 3);
          break;
        case 32:
          std::memcpy(row + 4 * x, &v, 4);
          break;
      }
    }
  }
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}

// The same image as a .bmp file.
inline std::vector<uint8_t> bmpFile(const DibSource& source) {
  std::vector<uint8_t> dib = packedDib(source);
  std::vector<uint8_t> out = {'B', 'M'};
  putLe(out, static_cast<uint32_t>(14 + dib.size()), 4);
  putLe(out, 0, 4);
  putLe(out, static_cast<uint32_t>(14 + 40 + 4 * source.palette.size()), 4);
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}
