// RIFF/WAVE parsing; see wave_parser.h.
#include "platform/mm/wave_parser.h"
#include "platform/internal/little_endian.h"

#include <cstring>

namespace {
constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint32_t kLowestRate = 1000;
constexpr uint32_t kHighestRate = 192000;

bool isTag(const uint8_t* p, const char* tag) {
  return std::memcmp(p, tag, 4) == 0;
}

// The 16 bytes every PCM "fmt " chunk starts with.
bool readFormat(const uint8_t* body, size_t length, WaveFormat& format, uint16_t& blockAlign) {
  if (length < 16 || readLe16(body) != kWaveFormatPcm) return false;
  format.channels = readLe16(body + 2);
  format.samplesPerSecond = readLe32(body + 4);
  blockAlign = readLe16(body + 12);
  format.bitsPerSample = readLe16(body + 14);
  const bool channelsOk = format.channels == 1 || format.channels == 2;
  const bool bitsOk = format.bitsPerSample == 8 || format.bitsPerSample == 16;
  const bool rateOk =
      format.samplesPerSecond >= kLowestRate && format.samplesPerSecond <= kHighestRate;
  return channelsOk && bitsOk && rateOk && blockAlign == format.channels * format.bitsPerSample / 8;
}
}  // namespace

bool parseWave(const uint8_t* image, size_t size, ParsedWave* wave) {
  if (!image || !wave || size < 12 || !isTag(image, "RIFF") || !isTag(image + 8, "WAVE"))
    return false;
  // The chunks end where the RIFF header says or where the bytes do, whichever
  // is first.
  const uint64_t riffEnd = 8 + static_cast<uint64_t>(readLe32(image + 4));
  const size_t end = riffEnd < size ? static_cast<size_t>(riffEnd) : size;

  bool haveFormat = false;
  bool haveData = false;
  WaveFormat format;
  uint16_t blockAlign = 0;
  const uint8_t* samples = nullptr;
  size_t bytes = 0;

  size_t at = 12;
  while (at + 8 <= end && !(haveFormat && haveData)) {  // a RIFF size below 4 ends before 12
    const uint8_t* header = image + at;
    const uint64_t claimed = readLe32(header + 4);
    const size_t present = end - at - 8;
    const size_t length = claimed < present ? static_cast<size_t>(claimed) : present;
    if (!haveFormat && isTag(header, "fmt ")) {
      // A format chunk cut short is no format at all.
      if (length < claimed || !readFormat(header + 8, length, format, blockAlign)) return false;
      haveFormat = true;
    } else if (!haveData && isTag(header, "data")) {
      samples = header + 8;
      bytes = length;
      haveData = true;
    }
    if (claimed >= present) break;
    // Chunks start on even offsets: an odd-sized one is followed by a pad byte.
    const uint64_t next = at + 8 + claimed + (claimed & 1);
    if (next >= end) break;
    at = static_cast<size_t>(next);
  }
  if (!haveFormat || !haveData) return false;

  wave->format = format;
  wave->samples = samples;
  wave->bytes = bytes - bytes % blockAlign;
  return true;
}
