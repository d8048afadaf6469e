// xpm2png <out.png> <scale> <image.xpm>
// One XPM image as a PNG, each pixel a scale x scale square (the page's
// app icons from the desktop icon).
#include <cstdio>
#include <cstdlib>

#include "lib/file_io.h"
#include "lib/png.h"
#include "lib/xpm.h"

int main(int argc, char** argv) {
  using namespace snowtools;
  if (argc != 4 || std::atoi(argv[2]) < 1) {
    std::fprintf(stderr, "usage: xpm2png <out.png> <scale> <image.xpm>\n");
    return 2;
  }
  try {
    IndexedImage image = readXpmFile(argv[3], {.allowTransparent = true});
    writeFile(argv[1], encodePngFile(image, std::atoi(argv[2])));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "xpm2png: %s\n", e.what());
    return 1;
  }
  return 0;
}
