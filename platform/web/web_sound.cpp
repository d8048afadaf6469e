// One sound channel through Web Audio: the game's PCM at its own rate; a new
// sound cuts off the one playing.
#include "platform/web/web_bridge.h"
#include "platform/web/web_state.h"

void webPlayPcm(const WaveFormat& format, const uint8_t* samples, size_t bytes, const void*) {
  if (webState().config.noAudio || samples == nullptr || bytes == 0 || bytes > 0x7FFFFFFF) return;
  snowvel_web_play(samples, static_cast<int>(bytes), format.channels,
                   static_cast<int>(format.samplesPerSecond), format.bitsPerSample);
}

void webStopSound() {
  snowvel_web_stop_sound();
}
