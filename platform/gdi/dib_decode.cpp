#include "platform/gdi/dib_decode.h"
#include "platform/internal/little_endian.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

bool fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

struct DibLayout {
  int64_t width = 0;
  int64_t height = 0;  // negative: top-down
  uint32_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  uint32_t headerSize = 0;
  uint32_t paletteEntrySize = 4;
};

bool readHeader(const uint8_t* dib, size_t size, DibLayout* layout, std::string* error) {
  if (size < 4) return fail(error, "truncated header");
  layout->headerSize = readLe32(dib);
  if (layout->headerSize == kCoreHeaderSize) {
    if (size < kCoreHeaderSize) return fail(error, "truncated header");
    layout->width = readLe16(dib + 4);
    layout->height = readLe16(dib + 6);
    if (readLe16(dib + 8) != 1) return fail(error, "planes must be 1");
    layout->bitCount = readLe16(dib + 10);
    layout->paletteEntrySize = 3;
    return true;
  }
  if (layout->headerSize < kInfoHeaderSize || layout->headerSize > 1024) {
    return fail(error, "unknown header size");
  }
  if (size < layout->headerSize) return fail(error, "truncated header");
  layout->width = static_cast<int32_t>(readLe32(dib + 4));
  layout->height = static_cast<int32_t>(readLe32(dib + 8));
  if (readLe16(dib + 12) != 1) return fail(error, "planes must be 1");
  layout->bitCount = readLe16(dib + 14);
  layout->compression = readLe32(dib + 16);
  layout->colorsUsed = readLe32(dib + 32);
  return true;
}

uint32_t paletteColour(const uint8_t* entry) {
  return static_cast<uint32_t>(entry[2]) << 16 | static_cast<uint32_t>(entry[1]) << 8 | entry[0];
}

}  // namespace

bool decodeDib(const uint8_t* data, size_t size, DecodedImage* out, std::string* error) {
  *out = DecodedImage();
  if (!data) return fail(error, "no data");
  const uint8_t* dib = data;
  size_t dibSize = size;
  uint64_t bitsOffset = 0;  // from the start of the DIB; 0 means after the palette
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
    if (size < kFileHeaderSize) return fail(error, "truncated file header");
    uint32_t offBits = readLe32(data + 10);
    if (offBits != 0) {
      if (offBits < kFileHeaderSize || offBits > size) return fail(error, "bad bits offset");
      bitsOffset = offBits - kFileHeaderSize;
    }
    dib = data + kFileHeaderSize;
    dibSize = size - kFileHeaderSize;
  }

  DibLayout layout;
  if (!readHeader(dib, dibSize, &layout, error)) return false;
  if (layout.compression != 0) return fail(error, "only uncompressed (BI_RGB) images");
  const uint32_t bpp = layout.bitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) {
    return fail(error, "unsupported bits per pixel");
  }
  const int64_t width = layout.width;
  const int64_t height = layout.height < 0 ? -layout.height : layout.height;
  if (width <= 0 || height <= 0) return fail(error, "empty or negative size");
  if (width > 0x7FFF || height > 0x7FFF || static_cast<uint64_t>(width * height) > kMaxDibPixels) {
    return fail(error, "image too large");
  }

  // Palette: up to 2^bpp entries for indexed images; an optional one (which
  // we skip) for true-colour images.
  uint64_t paletteCount = layout.colorsUsed;
  if (bpp <= 8) {
    const uint32_t full = 1u << bpp;
    if (paletteCount == 0) paletteCount = full;
    if (paletteCount > full) return fail(error, "palette larger than the bit depth allows");
  } else if (paletteCount > 256) {
    return fail(error, "palette too large");
  }
  const uint64_t paletteEnd = layout.headerSize + paletteCount * layout.paletteEntrySize;
  if (paletteEnd > dibSize) return fail(error, "truncated palette");
  if (bitsOffset == 0) bitsOffset = paletteEnd;
  if (bitsOffset < layout.headerSize) return fail(error, "bits overlap the header");

  const uint64_t stride = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
  if (bitsOffset > dibSize || stride * static_cast<uint64_t>(height) > dibSize - bitsOffset) {
    return fail(error, "truncated bits");
  }

  uint32_t palette[256] = {};  // missing entries stay black
  const uint8_t* paletteBytes = dib + layout.headerSize;
  const uint64_t usablePalette = bpp <= 8 ? paletteCount : 0;
  for (uint64_t i = 0; i < usablePalette; ++i) {
    palette[i] = paletteColour(paletteBytes + i * layout.paletteEntrySize);
  }

  DecodedImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.resize(static_cast<size_t>(width * height));
  image.blackAndWhite =
      bpp == 1 && paletteCount == 2 && palette[0] == 0x000000 && palette[1] == 0xFFFFFF &&
      (layout.paletteEntrySize == 3 || (paletteBytes[3] == 0 && paletteBytes[7] == 0));
  const bool topDown = layout.height < 0;
  const uint8_t* bits = dib + bitsOffset;
  for (int64_t y = 0; y < height; ++y) {
    const uint8_t* row = bits + stride * static_cast<uint64_t>(topDown ? y : height - 1 - y);
    uint32_t* outRow = image.pixels.data() + y * width;
    for (int64_t x = 0; x < width; ++x) {
      switch (bpp) {
        case 1:
          outRow[x] = palette[row[x >> 3] >> (7 - (x & 7)) & 1];
          break;
        case 4:
          outRow[x] = palette[row[x >> 1] >> ((x & 1) ? 0 : 4) & 0x0F];
          break;
        case 8:
          outRow[x] = palette[row[x]];
          break;
        case 24:
          outRow[x] = paletteColour(row + 3 * x);
          break;
        default:
          outRow[x] = paletteColour(row + 4 * x);
          break;
      }
    }
  }
  *out = std::move(image);
  return true;
}
