// One sound channel through Web Audio: the game's PCM at its own rate; a new
// sound cuts off the one playing.
//
// The page's program holds each sound clip's header and length but not its
// samples (zero, so not downloaded with the program): they come in a file of
// their own, fetched once the game shows, and are written in place here.
// Until then the page plays a clip as silence of its length.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/kernel/resource_table.h"
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

namespace {

uint32_t readU32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Where a clip's samples start (after the header of its data chunk, which
// with its pad byte ends the file), or 0 when the clip is not one the build
// wrote that way.
size_t samplesOffset(const EmbeddedResource& clip) {
  size_t at = 12;
  while (at + 8 <= clip.size) {
    const uint32_t size = readU32(clip.data + at + 4);
    if (std::memcmp(clip.data + at, "data", 4) == 0)
      return at + 8 + size + (size & 1) == clip.size ? at + 8 : 0;
    at += 8 + size + (size & 1);
  }
  return 0;
}

bool isClip(const EmbeddedResource& r) {
  return r.typeName != nullptr && std::string_view(r.typeName) == "WAVE";
}

}  // namespace

// The samples of every clip in the table's order, as the build wrote them
// (snowvel.sounds). 1 when they fit the table; 0 (nothing written) when the
// file is another build's.
extern "C" EMSCRIPTEN_KEEPALIVE int snowvel_web_fill_sounds(const unsigned char* samples,
                                                            size_t bytes) {
  size_t total = 0;
  for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    const EmbeddedResource& r = kEmbeddedResources[i];
    if (!isClip(r)) continue;
    const size_t offset = samplesOffset(r);
    if (offset == 0) return 0;
    total += r.size - offset;
  }
  if (total != bytes) return 0;
  for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    const EmbeddedResource& r = kEmbeddedResources[i];
    if (!isClip(r)) continue;
    const size_t offset = samplesOffset(r);
    // The build's table leaves the clips' arrays writable for this.
    std::memcpy(const_cast<unsigned char*>(r.data) + offset, samples, r.size - offset);
    samples += r.size - offset;
  }
  return 1;
}
