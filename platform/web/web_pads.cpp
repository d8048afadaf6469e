// Game pads in the browser: the page reports each pad's buttons and left
// stick as they change; the desktop's ControllerInput turns them into the
// keys a keyboard player would press, with the same dead zone and repeat.
#include <algorithm>
#include <deque>
#include <map>
#include <vector>

#include "platform/sdl2/controller_input.h"
#include "platform/web/web_state.h"

namespace {

std::map<int, ControllerInput> pads;  // by the browser's pad index
std::deque<PadKey> pending;

void queue(const std::vector<PadKey>& keys) {
  pending.insert(pending.end(), keys.begin(), keys.end());
}

}  // namespace

void notePadRecord(WebPadRecord kind, int pad, int a, int b) {
  std::vector<PadKey> keys;
  const uint32_t now = webTickCount();
  ControllerInput& input = pads[pad];
  switch (kind) {
    case WebPadRecord::Button:
      input.button(a, b != 0, now, &keys);  // a pad input of the input table
      break;
    case WebPadRecord::Stick:
      input.stick(std::clamp(a, -32768, 32767), std::clamp(b, -32768, 32767), now, &keys);
      break;
    case WebPadRecord::Gone:
      input.releaseAll(&keys);
      pads.erase(pad);
      break;
  }
  queue(keys);
}

bool takePadKey(BackendEvent* event) {
  if (pending.empty()) return false;
  const PadKey key = pending.front();
  pending.pop_front();
  *event = BackendEvent{};
  event->type = key.down ? BackendEventType::KeyDown : BackendEventType::KeyUp;
  event->virtualKey = key.virtualKey;
  event->repeat = key.repeat;
  return true;
}

int64_t msUntilPadRepeat(uint32_t now) {
  int64_t soonest = -1;
  for (auto& [index, input] : pads) {
    if (!input.repeating()) continue;
    int64_t until = std::max<int32_t>(0, static_cast<int32_t>(input.nextRepeatAt() - now));
    if (soonest < 0 || until < soonest) soonest = until;
  }
  return soonest;
}

void padRepeats(uint32_t now) {
  std::vector<PadKey> keys;
  for (auto& [index, input] : pads) input.repeat(now, &keys);
  queue(keys);
}
