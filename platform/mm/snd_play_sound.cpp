// sndPlaySoundA over the backend's one sound channel.
#include "platform/internal/little_endian.h"
#include "platform/backend.h"
#include "platform/kernel/resource_lookup.h"
#include "platform/mm/wave_parser.h"
#include "platform/win32/kernel.h"
#include "platform/win32/mm.h"

namespace {
// A memory image arrives as a bare pointer. Inside one of our resources its
// true extent is known; elsewhere Windows trusts the RIFF header, and so do we,
// up to a bound no sound of ours comes near.
constexpr size_t kLargestForeignImage = 64u << 20;

size_t extentOf(const uint8_t* image) {
  if (const size_t known = resourceBytesFrom(image)) return known;
  const uint32_t riffSize = readLe32(image + 4);
  const uint64_t claimed = 8 + static_cast<uint64_t>(riffSize);
  return claimed < kLargestForeignImage ? static_cast<size_t>(claimed) : kLargestForeignImage;
}
}  // namespace

BOOL WINAPI sndPlaySoundA(LPCSTR sound, UINT flags) {
  Backend* backend = currentBackend();
  if (!backend) return FALSE;
  if (!sound) {
    if (backend->stopSound) backend->stopSound();
    return TRUE;
  }
  if (!(flags & SND_MEMORY) || (flags & SND_LOOP) || !backend->playPcm) return FALSE;

  const auto* image = reinterpret_cast<const uint8_t*>(sound);
  // A known resource shorter than a RIFF header is refused before reading its
  // size field.
  const size_t known = resourceBytesFrom(image);
  if (known != 0 && known < 12) return FALSE;
  ParsedWave wave;
  if (!parseWave(image, extentOf(image), &wave)) return FALSE;
  backend->playPcm(wave.format, wave.samples, wave.bytes, sound);
  return TRUE;
}
