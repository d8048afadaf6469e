#include "platform/sdl2/ico_image.h"

#include <string>

#include "platform/gdi/dib_decode.h"
#include "platform/internal/little_endian.h"

namespace {

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kDirectoryEntry = 16;
constexpr size_t kInfoHeaderSize = 40;

void putLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

size_t rowBytes(uint64_t width, uint32_t bitCount) {
  return ((width * bitCount + 31) / 32) * 4;
}

// One picture: a BITMAPINFOHEADER whose height counts the colour image and
// the 1-bpp AND mask below it.
bool decodePicture(const uint8_t* dib, size_t size, IconImage* out) {
  if (size < kInfoHeaderSize || readLe32(dib) < kInfoHeaderSize || readLe32(dib) > size)
    return false;
  int32_t width = static_cast<int32_t>(readLe32(dib + 4));
  int32_t doubledHeight = static_cast<int32_t>(readLe32(dib + 8));
  uint32_t bitCount = readLe16(dib + 14);
  if (width <= 0 || width > 256 || doubledHeight <= 0 || doubledHeight > 512 ||
      doubledHeight % 2 != 0)
    return false;
  int32_t height = doubledHeight / 2;

  std::vector<uint8_t> colourPart(dib, dib + size);
  putLe32(colourPart.data() + 8, static_cast<uint32_t>(height));
  putLe32(colourPart.data() + 20, 0);  // image size: let the decoder work it out
  DecodedImage colour;
  std::string error;
  if (!decodeDib(colourPart.data(), colourPart.size(), &colour, &error)) return false;

  uint32_t headerSize = readLe32(dib);
  uint32_t colorsUsed = readLe32(dib + 32);
  uint64_t paletteEntries = bitCount <= 8 ? (colorsUsed != 0 ? colorsUsed : 1u << bitCount) : 0;
  uint64_t maskOffset = headerSize + paletteEntries * 4 + rowBytes(width, bitCount) * height;
  size_t maskRow = rowBytes(width, 1);
  bool haveMask = maskOffset + maskRow * static_cast<uint64_t>(height) <= size;

  // A 32-bit picture may carry its own alpha; use it when any pixel has some.
  bool ownAlpha = false;
  std::vector<uint8_t> alpha;
  if (bitCount == 32) {
    uint64_t bitsOffset = headerSize;
    if (bitsOffset + static_cast<uint64_t>(width) * 4 * height <= size) {
      alpha.resize(static_cast<size_t>(width) * height);
      for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
          const uint8_t* p =
              dib + bitsOffset + (static_cast<size_t>(height - 1 - y) * width + x) * 4;
          alpha[static_cast<size_t>(y) * width + x] = p[3];
          ownAlpha = ownAlpha || p[3] != 0;
        }
    }
  }

  out->width = width;
  out->height = height;
  out->pixels.assign(static_cast<size_t>(width) * height, 0);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      size_t i = static_cast<size_t>(y) * width + x;
      uint32_t a = 0xFF;
      if (ownAlpha) {
        a = alpha[i];
      } else if (haveMask) {
        const uint8_t* row = dib + maskOffset + maskRow * static_cast<size_t>(height - 1 - y);
        if (row[x / 8] & (0x80 >> (x % 8))) a = 0;
      }
      out->pixels[i] = a << 24 | (colour.pixels[i] & 0x00FFFFFFu);
    }
  }
  return true;
}

}  // namespace

bool decodeIcoFile(const uint8_t* data, size_t size, IconImage* out) {
  if (data == nullptr || size < kDirectoryHeader) return false;
  if (readLe16(data) != 0 || readLe16(data + 2) != 1) return false;
  size_t count = readLe16(data + 4);
  if (kDirectoryHeader + count * kDirectoryEntry > size) return false;

  IconImage best;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + kDirectoryHeader + i * kDirectoryEntry;
    uint32_t bytes = readLe32(entry + 8);
    uint32_t offset = readLe32(entry + 12);
    if (offset > size || bytes > size - offset || bytes < 8) continue;
    const uint8_t* picture = data + offset;
    if (picture[0] == 0x89 && picture[1] == 'P') continue;  // PNG
    IconImage candidate;
    if (!decodePicture(picture, bytes, &candidate)) continue;
    if (candidate.width * candidate.height > best.width * best.height) best = std::move(candidate);
  }
  if (best.pixels.empty()) return false;
  *out = std::move(best);
  return true;
}
