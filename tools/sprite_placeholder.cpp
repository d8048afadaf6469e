// sprite_placeholder <id> <WxH> <out.xpm>
// A stand-in sprite of the right size (a framed box with its id's tally of
// marks) so the build can run before every sprite is drawn. Only used when
// the build is configured with SNOWVEL_PLACEHOLDER_SPRITES; never committed.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "lib/file_io.h"

int main(int argc, char** argv) {
  int w = 0, h = 0;
  if (argc != 4 || std::sscanf(argv[2], "%dx%d", &w, &h) != 2 || w < 3 || h < 3) {
    std::fprintf(stderr, "usage: sprite_placeholder <id> <WxH> <out.xpm>\n");
    return 2;
  }
  int id = std::atoi(argv[1]);
  std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x) {
      bool edge = x == 1 || y == 1 || x == w - 2 || y == h - 2;
      rows[y][x] = edge ? 'M' : ((x + y) % 4 == 0 ? '+' : '.');
    }
  for (int k = 0; k < id % 10 && 3 + 2 * k < w - 2; ++k) rows[h / 2][3 + 2 * k] = '#';
  std::string text = "/* XPM */\nstatic const char* const sprite_" + std::to_string(id) +
                     "[] = {\n\"" + std::to_string(w) + " " + std::to_string(h) + " 16 1\",\n";
  for (const char* line :
       {". c #FFFFFF", "# c #000000", "r c #800000", "g c #008000", "y c #808000", "b c #000080",
        "m c #800080", "c c #008080", "+ c #C0C0C0", "- c #808080", "R c #FF0000", "G c #00FF00",
        "Y c #FFFF00", "B c #0000FF", "M c #FF00FF", "C c #00FFFF"})
    text += std::string("\"") + line + "\",\n";
  for (int y = 0; y < h; ++y) text += "\"" + rows[y] + (y + 1 < h ? "\",\n" : "\"\n");
  text += "};\n";
  try {
    snowtools::writeFile(argv[3], text);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "sprite_placeholder: %s\n", e.what());
    return 1;
  }
  return 0;
}
