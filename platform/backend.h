// The narrow interface between the portable Win32 layer and what lies under
// it: a real desktop (sdl2) or a scripted, virtual one (headless). The layer
// calls only these; a backend knows nothing of the game.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32/types.h"

// Mono or stereo PCM as a validated RIFF/WAVE image describes it.
struct WaveFormat {
  uint16_t channels = 1;
  uint32_t samplesPerSecond = 11025;
  uint16_t bitsPerSample = 8;
};

struct Backend {
  // The one clock: milliseconds, wrapping like GetTickCount.
  uint32_t (*tickCount)();

  // Sound: one channel; a new sound cuts off the playing one. sourceImage is
  // the RIFF image the game passed to sndPlaySoundA (the headless backend
  // records which resource it was).
  void (*playPcm)(const WaveFormat& format, const uint8_t* samples, size_t bytes,
                  const void* sourceImage);
  void (*stopSound)();

  // Windows, events, presentation and message boxes: added by the USER half.
};

// The backend in force; installed once at start-up, before any Win32 call.
Backend* currentBackend();
void setBackend(Backend* backend);
