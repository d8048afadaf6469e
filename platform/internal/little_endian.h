// Reading the little-endian fields of the file formats the layer parses
// (DIB, icon, RIFF/WAVE). The caller has checked the bytes are there.
#pragma once

#include <cstdint>

inline uint16_t readLe16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t readLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
