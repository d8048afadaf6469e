// The list of resources the build hands to `restable`, one a line:
//   bitmap <id> <path.bmp>
//   wave <id> <path.wav>
//   strings <path>
//   icon <NAME> <path.ico>
// Paths run to the end of the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace snowtools {

struct ManifestEntry {
  std::string path;
  uint16_t id = 0;   // bitmaps and waves
  std::string name;  // icons
};

struct ResourceManifest {
  std::vector<ManifestEntry> bitmaps, waves, icons;
  std::string stringsPath;
};

ResourceManifest parseResourceManifest(const std::string& content, const std::string& name);

}  // namespace snowtools
