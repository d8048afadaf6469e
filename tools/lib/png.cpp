#include "png.h"

#include <array>
#include <string_view>

#include "deflate.h"
#include "palette.h"
#include "tool_error.h"

namespace snowtools {
namespace {

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

// PNG's numbers are big-endian.
void putU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void chunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
  putU32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  putU32(out, crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::vector<uint8_t> encodePngFile(const IndexedImage& image, int scale) {
  if (scale < 1 || image.width < 1 || image.height < 1 ||
      static_cast<long>(image.width) * scale > 4096 ||
      static_cast<long>(image.height) * scale > 4096)
    throw ToolError("png: image size out of range");
  constexpr uint8_t kClear = 16;
  const int width = image.width * scale, height = image.height * scale;
  bool anyClear = false;
  std::vector<uint8_t> rows;  // each row: filter type 0, then its indices
  rows.reserve(static_cast<size_t>(height) * (width + 1));
  for (int y = 0; y < height; ++y) {
    rows.push_back(0);
    for (int x = 0; x < width; ++x) {
      bool clear = image.isTransparent(x / scale, y / scale);
      anyClear = anyClear || clear;
      rows.push_back(clear ? kClear : image.at(x / scale, y / scale));
    }
  }

  std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  putU32(header, static_cast<uint32_t>(width));
  putU32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 3, 0, 0, 0});  // 8-bit palette, no interlace
  chunk(out, "IHDR", header);
  std::vector<uint8_t> palette;
  for (const PaletteEntry& entry : kPalette)
    palette.insert(palette.end(),
                   {static_cast<uint8_t>(entry.rgb >> 16), static_cast<uint8_t>(entry.rgb >> 8),
                    static_cast<uint8_t>(entry.rgb)});
  if (anyClear) palette.insert(palette.end(), {0, 0, 0});
  chunk(out, "PLTE", palette);
  if (anyClear) {
    std::vector<uint8_t> alpha(kPalette.size(), 255);
    alpha.push_back(0);
    chunk(out, "tRNS", alpha);
  }
  chunk(out, "IDAT", zlibCompress(rows));
  chunk(out, "IEND", {});
  return out;
}

}  // namespace snowtools
