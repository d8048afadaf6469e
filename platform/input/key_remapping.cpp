#include "platform/input/key_remapping.h"

#include "platform/backend.h"
#include "platform/input/key_bindings.h"

namespace {

Backend under;
Backend remapping;

bool remappedWait(BackendEvent* event, uint32_t timeoutMs) {
  const uint32_t start = under.tickCount();
  for (;;) {
    uint32_t left = timeoutMs;
    if (timeoutMs != kBackendWaitForever && timeoutMs != 0) {
      const uint32_t spent = under.tickCount() - start;
      left = spent >= timeoutMs ? 0 : timeoutMs - spent;
    }
    if (!under.waitEvent(event, left)) return false;
    const bool key =
        event->type == BackendEventType::KeyDown || event->type == BackendEventType::KeyUp;
    if (!key || event->physicalKey == 0) return true;
    event->virtualKey =
        keyBindings().messageFor(event->physicalKey, event->numLock, event->virtualKey);
    if (event->virtualKey != 0) return true;
    // A key bound to nothing the game reads: wait on for the rest of the time.
  }
}

}  // namespace

void startKeyRemapping() {
  under = *currentBackend();
  remapping = under;
  remapping.waitEvent = remappedWait;
  setBackend(&remapping);
}
