// restable <manifest> <out.cpp> <out.rc> [--samples-apart <out.sounds>]
// Writes the embedded resource table for the portable layer and the .rc
// script for windres, both from the one manifest. With --samples-apart (the
// browser's build) the table's waves keep their headers and the samples go to
// a file of their own, which the page fetches after it has started.
#include <cstdio>
#include <string>

#include "lib/file_io.h"
#include "lib/resource_manifest.h"
#include "lib/resource_outputs.h"
#include "lib/string_table.h"

int main(int argc, char** argv) {
  using namespace snowtools;
  const bool samplesApart = argc == 6 && std::string(argv[4]) == "--samples-apart";
  if (argc != 4 && !samplesApart) {
    std::fprintf(stderr,
                 "usage: restable <manifest> <out.cpp> <out.rc> [--samples-apart <out.sounds>]\n");
    return 2;
  }
  try {
    ResourceManifest manifest = parseResourceManifest(readTextFile(argv[1]), argv[1]);
    std::vector<LoadedResource> resources = loadResources(manifest);
    std::vector<StringEntry> strings =
        parseStringTable(readTextFile(manifest.stringsPath), manifest.stringsPath);
    if (samplesApart) {
      std::vector<uint8_t> samples;
      writeFile(argv[2], generateTableSourceSamplesApart(resources, &samples));
      writeFile(argv[5], samples);
    } else {
      writeFile(argv[2], generateTableSource(resources));
    }
    writeFile(argv[3], generateRcScript(manifest, strings));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "restable: %s\n", e.what());
    return 1;
  }
  return 0;
}
