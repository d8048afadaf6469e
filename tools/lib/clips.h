// The nine sound effects of the game, synthesised from fixed recipes so the
// build can make them again byte for byte.
#pragma once

#include <cstdint>
#include <vector>

namespace snowtools {

struct SoundClipData {
  uint32_t sampleRate;
  std::vector<uint8_t> samples;  // unsigned 8-bit mono
};

inline constexpr int kSoundClipCount = 9;

// id 1..9: crash, launch, bark, landing, boarder jump, racer falls, monster
// catch, dog's yellow snow, chase alarm.
SoundClipData synthesiseClip(int id);

}  // namespace snowtools
