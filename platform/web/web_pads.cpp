// Game pads in the browser: the page reports each pad's buttons and left
// stick as they change; the desktop's ControllerInput turns them into the
// keys a keyboard player would press, with the same dead zone and repeat.
// Which actions a pad input stands for is keyBindings()'s, which the page's
// keys panel changes (web_keys.cpp).
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/input/input_table.h"
#include "platform/internal/controller_input.h"
#include "platform/web/web_state.h"

namespace {

// By the browser's pad index; browsers number four at most.
std::array<ControllerInput, 4> pads;
std::vector<PadKey> pending;
size_t taken = 0;  // of pending

void queue(const std::vector<PadKey>& keys) {
  pending.insert(pending.end(), keys.begin(), keys.end());
}

}  // namespace

void notePadRecord(WebPadRecord kind, int pad, int a, int b) {
  if (pad < 0 || pad >= static_cast<int>(pads.size())) return;
  std::vector<PadKey> keys;
  const uint32_t now = webTickCount();
  ControllerInput& input = pads[pad];
  switch (kind) {
    case WebPadRecord::Button:
      if (a >= 0 && a < kPadInputCount) input.button(a, b != 0, now, &keys);
      break;
    case WebPadRecord::Stick:
      input.stick(std::clamp(a, -32768, 32767), std::clamp(b, -32768, 32767), now, &keys);
      break;
    case WebPadRecord::Gone:
      input.releaseAll(&keys);
      break;
  }
  queue(keys);
}

void releasePads() {
  std::vector<PadKey> keys;
  for (ControllerInput& input : pads) input.releaseAll(&keys);
  queue(keys);
}

bool takePadKey(BackendEvent* event) {
  if (taken == pending.size()) {
    pending.clear();
    taken = 0;
    return false;
  }
  const PadKey key = pending[taken++];
  *event = BackendEvent{};
  event->type = key.down ? BackendEventType::KeyDown : BackendEventType::KeyUp;
  event->virtualKey = key.virtualKey;
  event->repeat = key.repeat;
  return true;
}

int64_t msUntilPadRepeat(uint32_t now) {
  int64_t soonest = -1;
  for (const ControllerInput& input : pads) {
    if (!input.repeating()) continue;
    int64_t until = std::max<int32_t>(0, static_cast<int32_t>(input.nextRepeatAt() - now));
    if (soonest < 0 || until < soonest) soonest = until;
  }
  return soonest;
}

void padRepeats(uint32_t now) {
  std::vector<PadKey> keys;
  for (ControllerInput& input : pads) input.repeat(now, &keys);
  queue(keys);
}

// Where a pad points, for the page's keys panel: dpad holds up, down, left
// and right as bits 0 to 3; x and y are the left stick's (of 32767).
extern "C" EMSCRIPTEN_KEEPALIVE int snowvel_web_pad_direction(int dpad, int x, int y,
                                                              int deadZone) {
  const bool held[4] = {(dpad & 1) != 0, (dpad & 2) != 0, (dpad & 4) != 0, (dpad & 8) != 0};
  return padDirection(held, x, y, deadZone);
}
