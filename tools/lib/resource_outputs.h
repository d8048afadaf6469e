// What `restable` writes from a manifest: the C++ table the portable layer
// searches (kEmbeddedResources), and the .rc script windres compiles for the
// Windows build. Both come from the same loaded list, so they cannot drift.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resource_manifest.h"
#include "string_table.h"

namespace snowtools {

struct LoadedResource {
  uint16_t typeId;       // numeric RT_* type, 0 when typeName is set
  std::string typeName;  // "WAVE" for the clips
  uint16_t id;           // numeric name, 0 when name is set
  std::string name;      // "ICONSNOWVEL" for icon groups
  std::vector<uint8_t> data;
};

inline constexpr uint16_t kRtBitmap = 2;
inline constexpr uint16_t kRtString = 6;
inline constexpr uint16_t kRtGroupIcon = 14;

// Reads and checks every file the manifest names. Bitmaps become packed DIBs
// (file header stripped), strings one entry per id, icons and waves whole files.
std::vector<LoadedResource> loadResources(const ResourceManifest& manifest);

std::string generateTableSource(const std::vector<LoadedResource>& resources);

// The browser's table: each WAVE resource keeps its header and size, its
// samples left zero (writable, so the page can write them in once they have
// arrived); the samples of every wave in table order go to `samples`.
std::string generateTableSourceSamplesApart(const std::vector<LoadedResource>& resources,
                                            std::vector<uint8_t>* samples);

// Where a wave file's samples start: just after its "data" chunk's header.
// The data chunk (and its pad byte) must end the file.
size_t waveSamplesOffset(const std::vector<uint8_t>& wave, const std::string& what);
std::string generateRcScript(const ResourceManifest& manifest,
                             const std::vector<StringEntry>& strings);

// Quoting for an .rc string literal: "" for a quote, \\ for a backslash.
std::string rcQuoted(const std::string& text);

}  // namespace snowtools
