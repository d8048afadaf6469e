// restable <manifest> <out.cpp> <out.rc>
// Writes the embedded resource table for the portable layer and the .rc
// script for windres, both from the one manifest.
#include <cstdio>

#include "lib/file_io.h"
#include "lib/resource_manifest.h"
#include "lib/resource_outputs.h"
#include "lib/string_table.h"

int main(int argc, char** argv) {
  using namespace snowtools;
  if (argc != 4) {
    std::fprintf(stderr, "usage: restable <manifest> <out.cpp> <out.rc>\n");
    return 2;
  }
  try {
    ResourceManifest manifest = parseResourceManifest(readTextFile(argv[1]), argv[1]);
    std::vector<LoadedResource> resources = loadResources(manifest);
    std::vector<StringEntry> strings =
        parseStringTable(readTextFile(manifest.stringsPath), manifest.stringsPath);
    writeFile(argv[2], generateTableSource(resources));
    writeFile(argv[3], generateRcScript(manifest, strings));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "restable: %s\n", e.what());
    return 1;
  }
  return 0;
}
