// Reading a RIFF/WAVE image that arrives as a bare pointer from the game or,
// in the fuzzer, as any bytes at all. A pure function: it never reads outside
// [image, image + size) and accepts only what the backend can play.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/backend.h"

struct ParsedWave {
  WaveFormat format;
  const uint8_t* samples = nullptr;  // inside the image
  size_t bytes = 0;                  // a whole number of sample frames
};

// Accepts uncompressed PCM, 1 or 2 channels, 8 or 16 bits, 1000 to 192000
// samples per second, with a consistent block alignment. The RIFF size is
// believed only as far as the bytes go; chunks are walked with their pad
// bytes; the first "fmt " and the first "data" chunk count, in either order; a
// data chunk that claims more than is there is cut to what is there. false
// for anything else, and *wave is then left alone.
bool parseWave(const uint8_t* image, size_t size, ParsedWave* wave);
