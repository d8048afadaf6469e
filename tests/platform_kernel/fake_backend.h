// A backend with only a clock and a sound channel, installed by the tests of
// KERNEL and MM so they do not depend on any real backend.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/backend.h"

struct PlayedSound {
  WaveFormat format;
  const uint8_t* samples;
  size_t bytes;
  const void* sourceImage;
};

struct FakeBackendState {
  uint32_t now = 0;
  std::vector<PlayedSound> played;
  int stops = 0;
};

inline FakeBackendState& fakeBackendState() {
  static FakeBackendState state;
  return state;
}

// Installs the fake with a fresh state; the previous backend is restored by
// the returned guard.
class FakeBackendInstalled {
 public:
  FakeBackendInstalled() : previous_(currentBackend()) {
    fakeBackendState() = FakeBackendState{};
    backend_.tickCount = [] { return fakeBackendState().now; };
    backend_.playPcm = [](const WaveFormat& format, const uint8_t* samples, size_t bytes,
                          const void* image) {
      fakeBackendState().played.push_back({format, samples, bytes, image});
    };
    backend_.stopSound = [] { ++fakeBackendState().stops; };
    setBackend(&backend_);
  }
  ~FakeBackendInstalled() { setBackend(previous_); }
  FakeBackendInstalled(const FakeBackendInstalled&) = delete;
  FakeBackendInstalled& operator=(const FakeBackendInstalled&) = delete;

 private:
  Backend backend_{};
  Backend* previous_;
};
