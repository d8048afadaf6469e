// Makes a desktop icon from our icon art: reads an icon XPM, enlarges it to
// the size asked for by nearest neighbour (so the pixels stay sharp), and
// writes an RGBA PNG with the transparent colour clear.
//   icon_png <source.xpm> <size> <out.png>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "lib/palette.h"
#include "lib/tool_error.h"
#include "lib/xpm.h"

namespace {

std::vector<uint8_t> enlarge(const snowtools::IndexedImage& image, int size) {
  std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int sx = x * image.width / size;
      int sy = y * image.height / size;
      uint8_t* out = &rgba[(static_cast<size_t>(y) * size + x) * 4];
      if (image.isTransparent(sx, sy)) continue;  // stays 0,0,0,0
      uint32_t rgb = snowtools::kPalette[image.at(sx, sy)].rgb;
      out[0] = static_cast<uint8_t>(rgb >> 16);
      out[1] = static_cast<uint8_t>(rgb >> 8);
      out[2] = static_cast<uint8_t>(rgb);
      out[3] = 0xFF;
    }
  }
  return rgba;
}

bool writePng(const std::string& path, const std::vector<uint8_t>& rgba, int size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(size), static_cast<png_uint_32>(size), 8,
               PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < size; ++y) png_write_row(png, &rgba[static_cast<size_t>(y) * size * 4]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: icon_png <source.xpm> <size> <out.png>\n");
    return 2;
  }
  int size = std::atoi(argv[2]);
  if (size < 1 || size > 1024) {
    std::fprintf(stderr, "icon_png: size %s is out of range\n", argv[2]);
    return 2;
  }
  try {
    snowtools::XpmOptions options;
    options.allowTransparent = true;
    snowtools::IndexedImage image = snowtools::readXpmFile(argv[1], options);
    if (!writePng(argv[3], enlarge(image, size), size)) {
      std::fprintf(stderr, "icon_png: cannot write %s\n", argv[3]);
      return 1;
    }
  } catch (const snowtools::ToolError& error) {
    std::fprintf(stderr, "icon_png: %s\n", error.what());
    return 1;
  }
  return 0;
}
