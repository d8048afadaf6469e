// Any bytes as a wave image: what is accepted lies inside the bytes and is a
// whole number of frames of a format the backend can play.
#include <cstdlib>

#include "platform/mm/wave_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParsedWave wave;
  if (!parseWave(data, size, &wave)) return 0;
  const size_t frame = size_t(wave.format.channels) * (wave.format.bitsPerSample / 8);
  if (frame == 0 || wave.bytes % frame != 0) std::abort();
  if (wave.bytes > 0 && (wave.samples < data || wave.samples + wave.bytes > data + size))
    std::abort();
  volatile uint8_t sum = 0;
  for (size_t i = 0; i < wave.bytes; ++i) sum = sum + wave.samples[i];  // every byte readable
  return 0;
}
