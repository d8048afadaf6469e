// One sound channel on one SDL audio device, opened at the first sound (so a
// silent run never opens one). A new sound cuts off the one playing. Clips
// are converted to the device's format once and kept, keyed by their bytes.
#include <map>
#include <memory>
#include <utility>

#include "platform/sdl2/sdl_state.h"

namespace {

// 512 samples at 22050 Hz is 23 ms: a sound starts within one buffer.
constexpr int kDeviceRate = 22050;
constexpr Uint16 kDeviceSamples = 512;
constexpr size_t kMaxCachedClips = 32;

using Clip = std::shared_ptr<const std::vector<uint8_t>>;

SDL_AudioDeviceID device = 0;
bool deviceUnavailable = false;
SDL_AudioSpec deviceSpec{};
std::map<std::pair<const uint8_t*, size_t>, Clip> converted;

// Touched by the audio thread, under SDL_LockAudioDevice.
Clip playing;
size_t playPosition = 0;

void fillBuffer(void*, Uint8* stream, int length) {
  size_t wanted = static_cast<size_t>(length);
  size_t copied = 0;
  if (playing) {
    copied = std::min(wanted, playing->size() - playPosition);
    SDL_memcpy(stream, playing->data() + playPosition, copied);
    playPosition += copied;
    if (playPosition >= playing->size()) playing.reset();
  }
  SDL_memset(stream + copied, deviceSpec.silence, wanted - copied);
}

bool openDevice() {
  if (device != 0) return true;
  if (deviceUnavailable) return false;
  deviceUnavailable = true;  // until it works: a missing device is tried once
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec desired{};
  desired.freq = kDeviceRate;
  desired.format = AUDIO_S16SYS;
  desired.channels = 1;
  desired.samples = kDeviceSamples;
  desired.callback = fillBuffer;
  device = SDL_OpenAudioDevice(nullptr, 0, &desired, &deviceSpec,
                               SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_FORMAT_CHANGE |
                                   SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  deviceUnavailable = false;
  SDL_PauseAudioDevice(device, 0);
  return true;
}

SDL_AudioFormat sourceFormat(const WaveFormat& format) {
  return format.bitsPerSample == 16 ? AUDIO_S16LSB : AUDIO_U8;
}

Clip convertClip(const WaveFormat& format, const uint8_t* samples, size_t bytes) {
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return nullptr;
  if (format.channels < 1 || format.channels > 2 || format.samplesPerSecond == 0) return nullptr;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, sourceFormat(format), static_cast<Uint8>(format.channels),
                        static_cast<int>(format.samplesPerSecond), deviceSpec.format,
                        deviceSpec.channels, deviceSpec.freq) < 0)
    return nullptr;
  std::vector<uint8_t> buffer(bytes * static_cast<size_t>(cvt.len_mult));
  SDL_memcpy(buffer.data(), samples, bytes);
  cvt.buf = buffer.data();
  cvt.len = static_cast<int>(bytes);
  if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return nullptr;
  buffer.resize(cvt.needed ? static_cast<size_t>(cvt.len_cvt) : bytes);
  return std::make_shared<const std::vector<uint8_t>>(std::move(buffer));
}

void startClip(Clip clip) {
  SDL_LockAudioDevice(device);
  Clip finished = std::move(playing);  // freed outside the audio thread
  playing = std::move(clip);
  playPosition = 0;
  SDL_UnlockAudioDevice(device);
}

}  // namespace

void sdlPlayPcm(const WaveFormat& format, const uint8_t* samples, size_t bytes, const void*) {
  if (sdlState().config.noAudio || samples == nullptr || bytes == 0) return;
  if (!openDevice()) return;  // no sound card: the game plays on in silence
  auto key = std::make_pair(samples, bytes);
  Clip clip;
  if (auto found = converted.find(key); found != converted.end()) {
    clip = found->second;
  } else {
    clip = convertClip(format, samples, bytes);
    if (!clip) return;
    if (converted.size() >= kMaxCachedClips) converted.clear();
    converted[key] = clip;
  }
  startClip(clip);
}

void sdlStopSound() {
  if (device == 0) return;
  startClip(nullptr);
}

void closeAudio() {
  if (device != 0) {
    SDL_CloseAudioDevice(device);
    device = 0;
  }
  playing.reset();
  converted.clear();
  deviceUnavailable = false;
}
