#include "bmp.h"

#include "byte_writer.h"
#include "palette.h"
#include "tool_error.h"

namespace snowtools {

std::vector<uint8_t> encodePackedDib(const IndexedImage& image) {
  const size_t rowBytes = dibRowBytes(image.width);
  ByteWriter out;
  out.u32(kDibHeaderSize);
  out.i32(image.width);
  out.i32(image.height);  // positive: rows stored bottom-up
  out.u16(1);             // planes
  out.u16(4);             // bits per pixel
  out.u32(0);             // BI_RGB
  out.u32(static_cast<uint32_t>(rowBytes * image.height));
  out.i32(0);  // pixels per metre: unused
  out.i32(0);
  out.u32(16);  // colours used
  out.u32(0);   // all important
  for (const PaletteEntry& entry : kPalette) {
    out.u8(static_cast<uint8_t>(entry.rgb));        // blue
    out.u8(static_cast<uint8_t>(entry.rgb >> 8));   // green
    out.u8(static_cast<uint8_t>(entry.rgb >> 16));  // red
    out.u8(0);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowBytes, 0);
    for (int x = 0; x < image.width; ++x) {
      uint8_t nibble = image.at(x, y) & 0x0F;
      row[static_cast<size_t>(x) / 2] |= (x % 2 == 0) ? static_cast<uint8_t>(nibble << 4) : nibble;
    }
    out.append(row);
  }
  return std::move(out.bytes());
}

std::vector<uint8_t> encodeBmpFile(const IndexedImage& image) {
  std::vector<uint8_t> dib = encodePackedDib(image);
  ByteWriter out;
  out.tag("BM");
  out.u32(static_cast<uint32_t>(kBmpFileHeaderSize + dib.size()));
  out.u16(0);
  out.u16(0);
  out.u32(static_cast<uint32_t>(kBmpFileHeaderSize + kDibHeaderSize + kDibColourTableSize));
  out.append(dib);
  return std::move(out.bytes());
}

IndexedImage decodePackedDib(const std::vector<uint8_t>& dib, const std::string& name) {
  if (dib.size() < kDibHeaderSize + kDibColourTableSize) throw ToolError(name + ": DIB too short");
  const uint8_t* p = dib.data();
  IndexedImage image;
  image.width = static_cast<int32_t>(readU32(p + 4));
  image.height = static_cast<int32_t>(readU32(p + 8));
  if (readU32(p) != kDibHeaderSize || readU16(p + 12) != 1 || readU16(p + 14) != 4 ||
      readU32(p + 16) != 0)
    throw ToolError(name + ": not an uncompressed 4-bpp DIB with a 40-byte header");
  if (image.width <= 0 || image.height <= 0 || image.width > 4096 || image.height > 4096)
    throw ToolError(name + ": bad DIB size");
  uint32_t used = readU32(p + 32);
  if (used != 0 && used != 16) throw ToolError(name + ": colour table must have 16 entries");
  const size_t rowBytes = dibRowBytes(image.width);
  const size_t bitsAt = kDibHeaderSize + kDibColourTableSize;
  if (dib.size() != bitsAt + rowBytes * image.height)
    throw ToolError(name + ": DIB size does not match its header");
  for (size_t i = 0; i < 16; ++i) {
    const uint8_t* q = p + kDibHeaderSize + 4 * i;
    uint32_t rgb = static_cast<uint32_t>(q[2]) << 16 | static_cast<uint32_t>(q[1]) << 8 | q[0];
    if (rgb != kPalette[i].rgb) throw ToolError(name + ": colour table is not the standard one");
  }
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = p + bitsAt + rowBytes * static_cast<size_t>(image.height - 1 - y);
    for (int x = 0; x < image.width; ++x) {
      uint8_t byte = row[x / 2];
      image.pixels[static_cast<size_t>(y) * image.width + x] =
          (x % 2 == 0) ? static_cast<uint8_t>(byte >> 4) : static_cast<uint8_t>(byte & 0x0F);
    }
  }
  return image;
}

std::vector<uint8_t> packedDibOfBmpFile(const std::vector<uint8_t>& file, const std::string& name) {
  if (file.size() < kBmpFileHeaderSize || file[0] != 'B' || file[1] != 'M')
    throw ToolError(name + ": not a BMP file");
  if (readU32(file.data() + 2) != file.size()) throw ToolError(name + ": BMP size field is wrong");
  if (readU32(file.data() + 10) != kBmpFileHeaderSize + kDibHeaderSize + kDibColourTableSize)
    throw ToolError(name + ": unexpected pixel offset");
  return std::vector<uint8_t>(file.begin() + kBmpFileHeaderSize, file.end());
}

}  // namespace snowtools
