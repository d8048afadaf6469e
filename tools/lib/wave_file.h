// RIFF WAVE images of mono 8-bit PCM, the format every clip of the game uses.
#pragma once

#include <cstdint>
#include <vector>

namespace snowtools {

// Samples are unsigned 8-bit, 128 = silence.
std::vector<uint8_t> encodeWaveFile(const std::vector<uint8_t>& samples, uint32_t sampleRate);

}  // namespace snowtools
