#include "embedded_resources.h"

namespace restest {

std::vector<const EmbeddedResource*> resourcesOfType(uint16_t type) {
  std::vector<const EmbeddedResource*> found;
  for (size_t i = 0; i < kEmbeddedResourceCount; ++i)
    if (!kEmbeddedResources[i].typeName && kEmbeddedResources[i].typeId == type)
      found.push_back(&kEmbeddedResources[i]);
  return found;
}

std::vector<const EmbeddedResource*> resourcesOfType(const std::string& typeName) {
  std::vector<const EmbeddedResource*> found;
  for (size_t i = 0; i < kEmbeddedResourceCount; ++i)
    if (kEmbeddedResources[i].typeName && typeName == kEmbeddedResources[i].typeName)
      found.push_back(&kEmbeddedResources[i]);
  return found;
}

const EmbeddedResource* findResource(uint16_t type, uint16_t id) {
  for (const EmbeddedResource* r : resourcesOfType(type))
    if (!r->name && r->id == id) return r;
  return nullptr;
}

const EmbeddedResource* findResource(const std::string& typeName, uint16_t id) {
  for (const EmbeddedResource* r : resourcesOfType(typeName))
    if (!r->name && r->id == id) return r;
  return nullptr;
}

}  // namespace restest
