#include "resource_manifest.h"

#include <sstream>

#include "tool_error.h"

namespace snowtools {

ResourceManifest parseResourceManifest(const std::string& content, const std::string& name) {
  ResourceManifest manifest;
  std::istringstream in(content);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string kind, key;
    words >> kind;
    if (kind == "strings") {
      std::getline(words >> std::ws, manifest.stringsPath);
      continue;
    }
    words >> key;
    ManifestEntry entry;
    std::getline(words >> std::ws, entry.path);
    if (key.empty() || entry.path.empty())
      throw errorAt(name, number, "expected '<kind> <id> <path>'");
    if (kind == "icon") {
      entry.name = key;
      manifest.icons.push_back(entry);
      continue;
    }
    if (key.find_first_not_of("0123456789") != std::string::npos || key.size() > 5 ||
        std::stoul(key) == 0 || std::stoul(key) > 0xFFFF)
      throw errorAt(name, number, "bad resource id '" + key + "'");
    entry.id = static_cast<uint16_t>(std::stoul(key));
    if (kind == "bitmap")
      manifest.bitmaps.push_back(entry);
    else if (kind == "wave")
      manifest.waves.push_back(entry);
    else
      throw errorAt(name, number, "unknown resource kind '" + kind + "'");
  }
  if (manifest.stringsPath.empty()) throw ToolError(name + ": no strings file listed");
  return manifest;
}

}  // namespace snowtools
