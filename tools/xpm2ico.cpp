// xpm2ico <out.ico> <image.xpm>...
// Builds one icon from XPM images (each may use "  c None" for transparency).
#include <cstdio>
#include <vector>

#include "lib/file_io.h"
#include "lib/ico.h"
#include "lib/xpm.h"

int main(int argc, char** argv) {
  using namespace snowtools;
  if (argc < 3) {
    std::fprintf(stderr, "usage: xpm2ico <out.ico> <image.xpm>...\n");
    return 2;
  }
  try {
    std::vector<IndexedImage> images;
    for (int i = 2; i < argc; ++i)
      images.push_back(readXpmFile(argv[i], {.allowTransparent = true}));
    writeFile(argv[1], encodeIcoFile(images));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "xpm2ico: %s\n", e.what());
    return 1;
  }
  return 0;
}
