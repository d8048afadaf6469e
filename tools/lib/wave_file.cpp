#include "wave_file.h"

#include "byte_writer.h"

namespace snowtools {

std::vector<uint8_t> encodeWaveFile(const std::vector<uint8_t>& samples, uint32_t sampleRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size());
  const uint32_t padding = dataBytes % 2;  // chunks are word-aligned
  ByteWriter out;
  out.tag("RIFF");
  out.u32(4 + (8 + 16) + (8 + dataBytes + padding));
  out.tag("WAVE");
  out.tag("fmt ");
  out.u32(16);
  out.u16(1);  // PCM
  out.u16(1);  // mono
  out.u32(sampleRate);
  out.u32(sampleRate);  // bytes per second: one byte per sample
  out.u16(1);           // block align
  out.u16(8);           // bits per sample
  out.tag("data");
  out.u32(dataBytes);
  out.append(samples);
  if (padding) out.u8(128);
  return std::move(out.bytes());
}

}  // namespace snowtools
