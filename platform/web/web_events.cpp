// The one wait: the browser runs the page (input, timers, storage) while the
// game sleeps here, for at most as long as the layer says (its next timer).
// Nothing of the game runs between two events.
#include "platform/web/web_bridge.h"
#include "platform/web/web_state.h"

namespace {

// The page's event record: twelve ints, in the order library_snowvel.js
// writes them.
enum Field {
  kType,
  kWindow,
  kKey,
  kRepeat,
  kCharacter,
  kX,
  kY,
  kButton,
  kWidth,
  kHeight,
  kBox,
  kAnswer,
  kFieldCount
};

bool takeEvent(BackendEvent* event) {
  int32_t fields[kFieldCount] = {};
  for (;;) {
    if (takePadKey(event)) return true;
    if (!snowvel_web_poll(fields)) return false;
    if (fields[kType] >= static_cast<int>(WebPadRecord::Button)) {
      notePadRecord(static_cast<WebPadRecord>(fields[kType]), fields[kBox], fields[kX], fields[kY]);
      continue;
    }
    BackendEvent e;
    e.type = static_cast<BackendEventType>(fields[kType]);
    e.window =
        reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(fields[kWindow])));
    e.virtualKey = static_cast<UINT>(fields[kKey]);
    e.repeat = fields[kRepeat] != 0;
    e.character = static_cast<unsigned char>(fields[kCharacter]);
    e.x = fields[kX];
    e.y = fields[kY];
    e.button = fields[kButton];
    e.box = fields[kBox];
    e.answer = fields[kAnswer];
    if (e.type == BackendEventType::Resize) {
      // The page reports the game area; the window's client follows from it.
      WebWindow* w = webWindowFor(e.window);
      if (w == nullptr || !noteAreaSize(*w, fields[kWidth], fields[kHeight], &e.width, &e.height))
        continue;
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
