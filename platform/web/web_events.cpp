// The one wait: the browser runs the page (input, timers, storage) while the
// game sleeps here, for at most as long as the layer says (its next timer).
// Nothing of the game runs between two events.
#include "platform/web/web_bridge.h"
#include "platform/web/web_bridge_values.h"
#include "platform/web/web_state.h"

namespace {

using namespace web_bridge;

bool takeEvent(BackendEvent* event) {
  int32_t fields[kFieldCount] = {};
  for (;;) {
    if (takePadKey(event)) return true;
    if (!snowvel_web_poll(fields)) return false;
    const int kind = fields[kFieldType];
    if (kind == kPadButton || kind == kPadStick || kind == kPadGone) {
      notePadRecord(static_cast<WebPadRecord>(kind), fields[kFieldBox], fields[kFieldX],
                    fields[kFieldY]);
      continue;
    }
    if (kind == kPadBinding) {
      notePadBinding(fields[kFieldBox], fields[kFieldX]);
      continue;
    }
    if (kind < 0 || kind >= kEventKindCount) continue;
    BackendEvent e;
    e.type = static_cast<BackendEventType>(fields[kFieldType]);
    e.window =
        reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(fields[kFieldWindow])));
    e.virtualKey = static_cast<UINT>(fields[kFieldKey]);
    e.repeat = fields[kFieldRepeat] != 0;
    e.character = static_cast<unsigned char>(fields[kFieldCharacter]);
    e.x = fields[kFieldX];
    e.y = fields[kFieldY];
    e.button = fields[kFieldButton];
    e.box = fields[kFieldBox];
    e.answer = fields[kFieldAnswer];
    if (e.type == BackendEventType::Resize) {
      // The page reports the game area; the window's client follows from it.
      WebWindow* w = webWindowFor(e.window);
      if (w == nullptr ||
          !noteAreaSize(*w, fields[kFieldWidth], fields[kFieldHeight], &e.width, &e.height))
        continue;
      // The area is the page's whole screen and the window always fills it:
      // said so, a re-ski elsewhere, whose screen stays the one the run began
      // on, gives the window this size too instead of holding it to that
      // screen (a phone's touch bar going away grows the area past it).
      e.type = BackendEventType::FillScreen;
    }
    if (e.type == BackendEventType::Activate || e.type == BackendEventType::Restore) {
      // Back from another tab or window, which may have stored scores of
      // its own meanwhile: take them in before the game can read the file.
      snowvel_web_storage_reload();
    }
    *event = e;
    return true;
  }
}

}  // namespace

uint32_t webTickCount() {
  // Milliseconds of the wall clock, wrapping at 2^32 like GetTickCount: each
  // page load seeds the game differently.
  return snowvel_web_tick_count();
}

bool webWaitEvent(BackendEvent* event, uint32_t timeoutMs) {
  // The game wrote its profile since the last wait: store it now.
  snowvel_web_storage_save();
  if (takeEvent(event)) return true;
  if (timeoutMs == 0) return false;
  const uint32_t start = webTickCount();
  for (;;) {
    const uint32_t now = webTickCount();
    uint32_t elapsed = now - start;
    if (timeoutMs != kBackendWaitForever && elapsed >= timeoutMs) return false;
    int64_t wait = timeoutMs == kBackendWaitForever ? -1 : int64_t{timeoutMs - elapsed};
    // A pad's held direction repeats as a held key would.
    const int64_t repeat = msUntilPadRepeat(now);
    if (repeat >= 0 && (wait < 0 || repeat < wait)) wait = repeat;
    if (wait != 0) snowvel_web_wait(static_cast<int>(wait));
    padRepeats(webTickCount());
    if (takeEvent(event)) return true;
  }
}
