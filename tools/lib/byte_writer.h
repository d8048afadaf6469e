// Little-endian byte building for the binary formats the tools write.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace snowtools {

class ByteWriter {
 public:
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void u32(uint32_t v) {
    u16(static_cast<uint16_t>(v));
    u16(static_cast<uint16_t>(v >> 16));
  }
  void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
  void tag(std::string_view fourcc) {
    for (char c : fourcc) u8(static_cast<uint8_t>(c));
  }
  void append(const std::vector<uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }
  size_t size() const { return bytes_.size(); }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

inline uint16_t readU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint32_t readU32(const uint8_t* p) {
  return static_cast<uint32_t>(readU16(p)) | static_cast<uint32_t>(readU16(p + 2)) << 16;
}

}  // namespace snowtools
