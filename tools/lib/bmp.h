// 4-bpp Windows bitmaps with the standard 16-colour table. The packed DIB
// (info header, colour table, bottom-up rows padded to 4 bytes) is what a
// BITMAP resource holds; the .bmp file is that plus the 14-byte file header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace snowtools {

inline constexpr size_t kBmpFileHeaderSize = 14;
inline constexpr size_t kDibHeaderSize = 40;
inline constexpr size_t kDibColourTableSize = 16 * 4;

// Bytes per 4-bpp row, padded to a 32-bit boundary.
inline size_t dibRowBytes(int width) {
  return ((static_cast<size_t>(width) * 4 + 31) / 32) * 4;
}

std::vector<uint8_t> encodePackedDib(const IndexedImage& image);
std::vector<uint8_t> encodeBmpFile(const IndexedImage& image);

// Reads a packed DIB of the kind encodePackedDib writes (4 bpp, uncompressed,
// bottom-up, our palette). Throws ToolError naming `name` otherwise.
IndexedImage decodePackedDib(const std::vector<uint8_t>& dib, const std::string& name);
// Strips and checks the file header; returns the packed DIB.
std::vector<uint8_t> packedDibOfBmpFile(const std::vector<uint8_t>& file, const std::string& name);

}  // namespace snowtools
