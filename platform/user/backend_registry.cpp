// The one backend in force. Everything in the layer reaches the clock, the
// screen, input and sound through it.
#include <cstdio>
#include <cstdlib>

#include "platform/backend.h"
#include "platform/user/user_state.h"

namespace {
Backend* installedBackend = nullptr;
}

Backend* currentBackend() {
  return installedBackend;
}

void setBackend(Backend* backend) {
  // Windows, timers and queued messages belong to the backend they were made
  // on, so a new backend starts from a clean desktop.
  resetUserState();
  installedBackend = backend;
}

Backend& backend() {
  if (installedBackend == nullptr) {
    std::fprintf(stderr, "snowvel: a window call was made before a backend was installed\n");
    std::abort();
  }
  return *installedBackend;
}

DWORD currentTime() {
  return backend().tickCount();
}
