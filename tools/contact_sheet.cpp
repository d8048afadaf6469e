// contactsheet <manifest> <out.png> [first-last]
// Lays every bitmap of the manifest out on white, first at 1:1 (how the game
// shows them) and then at 4x with a faint frame at each image's bounds, each
// labelled with its id, and writes the sheet as a PNG for review. An id
// range limits the sheet to those sprites, for a closer look.
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "lib/bmp.h"
#include "lib/file_io.h"
#include "lib/palette.h"
#include "lib/resource_manifest.h"

namespace {

using snowtools::IndexedImage;

// 3x5 digits, one row of three bits a line, top to bottom.
constexpr unsigned char kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

constexpr uint32_t kLabelColour = 0x3050A0;
constexpr uint32_t kFrameColour = 0xE0E0F0;

struct Canvas {
  int width, height;
  std::vector<uint32_t> rgb;
  Canvas(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h, 0xFFFFFF) {}
  void put(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < width && y < height) rgb[static_cast<size_t>(y) * width + x] = c;
  }
};

void drawNumber(Canvas& canvas, int x, int y, int number, int scale) {
  std::string text = std::to_string(number);
  for (size_t i = 0; i < text.size(); ++i)
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (kDigits[text[i] - '0'][row] & (4 >> col))
          for (int sy = 0; sy < scale; ++sy)
            for (int sx = 0; sx < scale; ++sx)
              canvas.put(x + (static_cast<int>(i) * 4 + col) * scale + sx, y + row * scale + sy,
                         kLabelColour);
}

struct Placement {
  int x, y;
};

// Flow layout: cells left to right, wrapping at maxWidth; returns the height used.
int layOut(const std::vector<IndexedImage>& images, int scale, int maxWidth, int top,
           std::vector<Placement>& at) {
  const int gap = 6 * scale, labelHeight = 7 * scale;
  int x = gap, y = top, rowHeight = 0;
  at.clear();
  for (const IndexedImage& image : images) {
    int w = std::max(image.width * scale, 12 * scale), h = image.height * scale + labelHeight;
    if (x + w + gap > maxWidth && x > gap) {
      x = gap;
      y += rowHeight + gap;
      rowHeight = 0;
    }
    at.push_back({x, y});
    x += w + gap;
    rowHeight = std::max(rowHeight, h);
  }
  return y + rowHeight + gap - top;
}

void drawImages(Canvas& canvas, const std::vector<IndexedImage>& images,
                const std::vector<int>& ids, const std::vector<Placement>& at, int scale) {
  const int labelHeight = 7 * scale;
  for (size_t i = 0; i < images.size(); ++i) {
    const IndexedImage& image = images[i];
    int left = at[i].x, top = at[i].y + labelHeight;
    drawNumber(canvas, left, at[i].y, ids[i], scale == 1 ? 1 : 2);
    if (scale > 1) {  // frame just outside the image's bounds
      for (int x = -1; x <= image.width * scale; ++x) {
        canvas.put(left + x, top - 1, kFrameColour);
        canvas.put(left + x, top + image.height * scale, kFrameColour);
      }
      for (int y = -1; y <= image.height * scale; ++y) {
        canvas.put(left - 1, top + y, kFrameColour);
        canvas.put(left + image.width * scale, top + y, kFrameColour);
      }
    }
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        for (int sy = 0; sy < scale; ++sy)
          for (int sx = 0; sx < scale; ++sx)
            canvas.put(left + x * scale + sx, top + y * scale + sy,
                       snowtools::kPalette[image.at(x, y)].rgb);
  }
}

bool writePng(const Canvas& canvas, const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.width),
               static_cast<png_uint_32>(canvas.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(canvas.width) * 3);
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      uint32_t c = canvas.rgb[static_cast<size_t>(y) * canvas.width + x];
      row[3 * x] = static_cast<png_byte>(c >> 16);
      row[3 * x + 1] = static_cast<png_byte>(c >> 8);
      row[3 * x + 2] = static_cast<png_byte>(c);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace snowtools;
  int first = 1, last = 0xFFFF;
  if ((argc != 3 && argc != 4) ||
      (argc == 4 && std::sscanf(argv[3], "%d-%d", &first, &last) != 2)) {
    std::fprintf(stderr, "usage: contactsheet <manifest> <out.png> [first-last]\n");
    return 2;
  }
  try {
    ResourceManifest manifest = parseResourceManifest(readTextFile(argv[1]), argv[1]);
    std::vector<IndexedImage> images;
    std::vector<int> ids;
    for (const ManifestEntry& e : manifest.bitmaps) {
      if (e.id < first || e.id > last) continue;
      images.push_back(decodePackedDib(packedDibOfBmpFile(readBinaryFile(e.path), e.path), e.path));
      ids.push_back(e.id);
    }
    const int width = 1800;
    std::vector<Placement> small, large;
    int smallHeight = layOut(images, 1, 900, 0, small);
    int largeHeight = layOut(images, 4, width, smallHeight, large);
    Canvas canvas(width, smallHeight + largeHeight);
    drawImages(canvas, images, ids, small, 1);
    drawImages(canvas, images, ids, large, 4);
    if (!writePng(canvas, argv[2])) {
      std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "contactsheet: %s\n", e.what());
    return 1;
  }
  return 0;
}
