#include "ico.h"

#include "bmp.h"
#include "byte_writer.h"
#include "palette.h"
#include "tool_error.h"

namespace snowtools {
namespace {

size_t maskRowBytes(int width) {
  return ((static_cast<size_t>(width) + 31) / 32) * 4;
}

std::vector<uint8_t> encodeIconImage(const IndexedImage& image) {
  // Transparent pixels are black in the XOR image so that the screen shows
  // through unchanged where the AND mask keeps it.
  IndexedImage xorImage = image;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.isTransparent(x, y)) xorImage.pixels[static_cast<size_t>(y) * image.width + x] = 0;
  std::vector<uint8_t> dib = encodePackedDib(xorImage);

  const size_t maskRow = maskRowBytes(image.width);
  std::vector<uint8_t> mask(maskRow * image.height, 0);
  for (int y = 0; y < image.height; ++y) {
    size_t row = maskRow * static_cast<size_t>(image.height - 1 - y);
    for (int x = 0; x < image.width; ++x)
      if (image.isTransparent(x, y)) mask[row + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  }

  // In an icon the header's height covers the XOR image and the mask together.
  uint32_t doubledHeight = static_cast<uint32_t>(image.height * 2);
  uint32_t imageBytes =
      static_cast<uint32_t>(dibRowBytes(image.width) * image.height + mask.size());
  for (int i = 0; i < 4; ++i) {
    dib[8 + i] = static_cast<uint8_t>(doubledHeight >> (8 * i));
    dib[20 + i] = static_cast<uint8_t>(imageBytes >> (8 * i));
  }
  dib.insert(dib.end(), mask.begin(), mask.end());
  return dib;
}

}  // namespace

std::vector<uint8_t> encodeIcoFile(const std::vector<IndexedImage>& images) {
  if (images.empty()) throw ToolError("an icon needs at least one image");
  std::vector<std::vector<uint8_t>> encoded;
  for (const IndexedImage& image : images) {
    if (image.width > 256 || image.height > 256) throw ToolError("icon image larger than 256");
    encoded.push_back(encodeIconImage(image));
  }
  ByteWriter out;
  out.u16(0);  // reserved
  out.u16(1);  // type: icon
  out.u16(static_cast<uint16_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.u8(static_cast<uint8_t>(images[i].width));  // 256 wraps to 0, as the format wants
    out.u8(static_cast<uint8_t>(images[i].height));
    out.u8(16);  // colours
    out.u8(0);
    out.u16(1);  // planes
    out.u16(4);  // bits per pixel
    out.u32(static_cast<uint32_t>(encoded[i].size()));
    out.u32(offset);
    offset += static_cast<uint32_t>(encoded[i].size());
  }
  for (const std::vector<uint8_t>& image : encoded) out.append(image);
  return std::move(out.bytes());
}

}  // namespace snowtools
