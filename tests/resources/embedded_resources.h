// Lookups in the built-in resource table for the resource tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/kernel/resource_table.h"

namespace restest {

inline constexpr uint16_t kBitmap = 2;
inline constexpr uint16_t kString = 6;
inline constexpr uint16_t kGroupIcon = 14;

// Every entry of a numeric type (typeName null), in table order.
std::vector<const EmbeddedResource*> resourcesOfType(uint16_t type);
// Every entry of a named type ("WAVE"), in table order.
std::vector<const EmbeddedResource*> resourcesOfType(const std::string& typeName);
// The entry of a numeric type and id, or null.
const EmbeddedResource* findResource(uint16_t type, uint16_t id);
const EmbeddedResource* findResource(const std::string& typeName, uint16_t id);

inline uint32_t le32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t le16(const unsigned char* p) {
  return uint16_t(p[0] | p[1] << 8);
}

}  // namespace restest
