// xpm2bmp <in.xpm> <out.bmp> [--size WxH]
// Converts one sprite from our XPM convention to a 4-bpp BMP with the
// standard 16-colour table; --size also insists on the sprite's exact size.
#include <cstdio>
#include <string>

#include "lib/bmp.h"
#include "lib/file_io.h"
#include "lib/tool_error.h"
#include "lib/xpm.h"

int main(int argc, char** argv) {
  using namespace snowtools;
  if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--size")) {
    std::fprintf(stderr, "usage: xpm2bmp <in.xpm> <out.bmp> [--size WxH]\n");
    return 2;
  }
  try {
    IndexedImage image = readXpmFile(argv[1]);
    if (argc == 5) {
      int w = 0, h = 0;
      if (std::sscanf(argv[4], "%dx%d", &w, &h) != 2)
        throw ToolError("bad --size " + std::string(argv[4]));
      if (w != image.width || h != image.height)
        throw ToolError(std::string(argv[1]) + ": sprite is " + std::to_string(image.width) + "x" +
                        std::to_string(image.height) + ", must be " + argv[4]);
    }
    writeFile(argv[2], encodeBmpFile(image));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "xpm2bmp: %s\n", e.what());
    return 1;
  }
  return 0;
}
