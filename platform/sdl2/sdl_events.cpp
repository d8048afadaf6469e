// The one wait: SDL's event wait, for at most as long as the layer says (the
// next timer), turned into the events Windows would deliver.
#include <algorithm>
#include <chrono>
#include <deque>

#include "platform/sdl2/key_map.h"
#include "platform/sdl2/single_instance.h"
#include "platform/sdl2/sdl_state.h"

namespace {

// A click on an inactive window gives it the focus first; the click itself
// must follow as the activating click (the layer asks WM_MOUSEACTIVATE), so
// the focus is held back this long for it.
constexpr uint32_t kClickActivationWaitMs = 200;

// With a controller connected SDL cannot sleep until an event comes (it
// would poll every millisecond); we look this often instead, and less often
// with no timer to serve (paused, minimised), where a little lag is unseen.
constexpr int64_t kControllerPollMs = 10;
constexpr int64_t kIdleControllerPollMs = 50;

std::deque<BackendEvent> pending;
bool lastKeyMadeCharacter = false;
// Desktop keys held down: their releases are not the game's either.
std::vector<SDL_Scancode> keptKeys;

struct HeldActivation {
  bool waiting = false;
  uint32_t windowId = 0;
  uint32_t deadline = 0;
};
HeldActivation heldActivation;

BackendEvent makeEvent(BackendEventType type, HWND window) {
  BackendEvent event;
  event.type = type;
  event.window = window;
  return event;
}

HWND handleFor(uint32_t windowId) {
  SdlWindow* w = windowForId(windowId);
  return w != nullptr ? w->hwnd : nullptr;
}

int toGame(int real) {
  int scale = sdlState().layout.scale;
  return real >= 0 ? real / scale : -((-real + scale - 1) / scale);
}

bool pointerPressedInside(SDL_Window* window) {
  int x = 0, y = 0;
  Uint32 buttons = SDL_GetGlobalMouseState(&x, &y);
  if ((buttons & (SDL_BUTTON_LMASK | SDL_BUTTON_RMASK | SDL_BUTTON_MMASK)) == 0) return false;
  int left = 0, top = 0, width = 0, height = 0;
  SDL_GetWindowPosition(window, &left, &top);
  SDL_GetWindowSize(window, &width, &height);
  return x >= left && y >= top && x < left + width && y < top + height;
}

void releaseHeldActivation(bool clickArrived) {
  if (!heldActivation.waiting) return;
  heldActivation.waiting = false;
  if (!clickArrived)
    pending.push_back(makeEvent(BackendEventType::Activate, handleFor(heldActivation.windowId)));
}

void translateWindowEvent(const SDL_WindowEvent& e) {
  SdlWindow* w = windowForId(e.windowID);
  if (w == nullptr) return;
  HWND hwnd = w->hwnd;
  switch (e.event) {
    case SDL_WINDOWEVENT_EXPOSED:
      redrawWindow(*w);
      break;
    case SDL_WINDOWEVENT_MOVED:
      checkRememberedPlace(*w);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
      int gameWidth = 0, gameHeight = 0;
      if (noteRealSize(*w, e.data1, e.data2, &gameWidth, &gameHeight)) {
        // Fullscreen has no frame: the whole display is the client area.
        const bool full = (SDL_GetWindowFlags(w->window) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                          SDL_WINDOW_FULLSCREEN_DESKTOP;
        BackendEvent event =
            makeEvent(full ? BackendEventType::FillScreen : BackendEventType::Resize, hwnd);
        event.width = gameWidth;
        event.height = gameHeight;
        pending.push_back(event);
      }
      redrawWindow(*w);  // the window surface is new
      break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
      if (!w->minimised) {
        w->minimised = true;
        pending.push_back(makeEvent(BackendEventType::Minimise, hwnd));
      }
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (w->minimised) {
        w->minimised = false;
        pending.push_back(makeEvent(BackendEventType::Restore, hwnd));
        redrawWindow(*w);
      }
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (pointerPressedInside(w->window)) {
        heldActivation = HeldActivation{true, e.windowID, sdlTickCount() + kClickActivationWaitMs};
      } else {
        pending.push_back(makeEvent(BackendEventType::Activate, hwnd));
      }
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (heldActivation.waiting && heldActivation.windowId == e.windowID)
        heldActivation.waiting = false;
      pending.push_back(makeEvent(BackendEventType::Deactivate, hwnd));
      break;
    case SDL_WINDOWEVENT_CLOSE:
      pending.push_back(makeEvent(BackendEventType::Close, hwnd));
      break;
    default:
      break;
  }
}

SdlWindow* focusedOrMainWindow(uint32_t windowId) {
  if (SdlWindow* w = windowForId(windowId)) return w;
  const auto& windows = sdlState().windows;
  return windows.empty() ? nullptr : windows.front().get();
}

// F11, Alt+Enter and PrintScreen: true when the key was one of them.
bool keepDesktopKey(const SDL_KeyboardEvent& e) {
  auto kept = std::find(keptKeys.begin(), keptKeys.end(), e.keysym.scancode);
  if (e.type == SDL_KEYUP) {
    if (kept == keptKeys.end()) return false;
    keptKeys.erase(kept);
    return true;
  }
  DesktopKey key = desktopKeyFor(e.keysym.scancode, e.keysym.mod);
  if (key == DesktopKey::None) return false;
  if (kept == keptKeys.end()) keptKeys.push_back(e.keysym.scancode);
  lastKeyMadeCharacter = false;
  SdlWindow* w = focusedOrMainWindow(e.windowID);
  if (e.repeat != 0 || w == nullptr) return true;
  if (key == DesktopKey::ToggleFullscreen) toggleFullscreen(*w);
  if (key == DesktopKey::Screenshot) saveScreenshot(*w);
  return true;
}

void translateKey(const SDL_KeyboardEvent& e) {
  if (keepDesktopKey(e)) return;
  bool numLock = (e.keysym.mod & KMOD_NUM) != 0;
  UINT virtualKey = virtualKeyFor(e.keysym.scancode, e.keysym.sym, numLock);
  if (e.type == SDL_KEYDOWN) lastKeyMadeCharacter = keyMakesCharacter(virtualKey);
  if (virtualKey == 0) return;
  BackendEvent event = makeEvent(
      e.type == SDL_KEYDOWN ? BackendEventType::KeyDown : BackendEventType::KeyUp, nullptr);
  event.virtualKey = virtualKey;
  event.repeat = e.repeat != 0;
  event.physicalKey = static_cast<uint16_t>(e.keysym.scancode);
  event.numLock = numLock;
  pending.push_back(event);
}

// Text that no key of ours made (a dead key's accent, a compose sequence,
// an input method) comes as characters in the ANSI range; the rest is
// dropped, as the game has no use for it.
void translateText(const SDL_TextInputEvent& e) {
  if (lastKeyMadeCharacter) {
    lastKeyMadeCharacter = false;
    return;
  }
  const unsigned char* p = reinterpret_cast<const unsigned char*>(e.text);
  while (*p != 0) {
    uint32_t codePoint = *p;
    int extra = 0;
    if (codePoint >= 0xF0) {
      codePoint &= 0x07;
      extra = 3;
    } else if (codePoint >= 0xE0) {
      codePoint &= 0x0F;
      extra = 2;
    } else if (codePoint >= 0xC0) {
      codePoint &= 0x1F;
      extra = 1;
    }
    ++p;
    for (int i = 0; i < extra && (*p & 0xC0) == 0x80; ++i, ++p)
      codePoint = codePoint << 6 | (*p & 0x3F);
    if (codePoint >= 0x20 && codePoint <= 0xFF && codePoint != 0x7F) {
      BackendEvent event = makeEvent(BackendEventType::Char, nullptr);
      event.character = static_cast<unsigned char>(codePoint);
      pending.push_back(event);
    }
  }
}

int buttonNumber(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    default:
      return -1;
  }
}

void queuePadKeys(const std::vector<PadKey>& keys) {
  for (const PadKey& key : keys) {
    BackendEvent event =
        makeEvent(key.down ? BackendEventType::KeyDown : BackendEventType::KeyUp, nullptr);
    event.virtualKey = key.virtualKey;
    event.repeat = key.repeat;
    pending.push_back(event);
  }
}

void translate(const SDL_Event& e) {
  std::vector<PadKey> padKeys;
  if (handleControllerEvent(e, sdlTickCount(), &padKeys)) {
    queuePadKeys(padKeys);
    return;
  }
  const uint32_t ownTypes = sdlState().firstEventType;
  if (ownTypes != 0 && e.type == ownTypes + kMessageBoxAnswered) {
    BackendEvent event = makeEvent(BackendEventType::MessageBoxAnswer, nullptr);
    event.box = e.user.code;
    event.answer = static_cast<int>(reinterpret_cast<intptr_t>(e.user.data1));
    pending.push_back(event);
    return;
  }
  if (ownTypes != 0 && e.type == ownTypes + kInstanceRequest) {
    handleInstanceRequest(static_cast<InstanceRequest*>(e.user.data1));
    return;
  }
  switch (e.type) {
    case SDL_QUIT:  // a signal: the whole program is asked to end
      pending.push_back(makeEvent(BackendEventType::Close, nullptr));
      break;
    case SDL_WINDOWEVENT:
      translateWindowEvent(e.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      translateKey(e.key);
      break;
    case SDL_TEXTINPUT:
      translateText(e.text);
      break;
    case SDL_MOUSEMOTION: {
      BackendEvent event = makeEvent(BackendEventType::MouseMove, handleFor(e.motion.windowID));
      event.x = toGame(e.motion.x);
      event.y = toGame(e.motion.y);
      pending.push_back(event);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int button = buttonNumber(e.button.button);
      if (button < 0) break;
      bool down = e.type == SDL_MOUSEBUTTONDOWN;
      if (down && heldActivation.waiting && heldActivation.windowId == e.button.windowID)
        releaseHeldActivation(true);  // the click alone activates, as on Windows
      BackendEvent event = makeEvent(down ? BackendEventType::MouseDown : BackendEventType::MouseUp,
                                     handleFor(e.button.windowID));
      event.x = toGame(e.button.x);
      event.y = toGame(e.button.y);
      event.button = button;
      pending.push_back(event);
      break;
    }
    default:
      break;
  }
}

}  // namespace

uint32_t sdlTickCount() {
  // Milliseconds since the machine started, wrapping at 2^32 like
  // GetTickCount (so each start seeds the game differently).
  auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
}

bool sdlWaitEvent(BackendEvent* event, uint32_t timeoutMs) {
  const uint32_t start = sdlTickCount();
  for (;;) {
    if (heldActivation.waiting &&
        static_cast<int32_t>(sdlTickCount() - heldActivation.deadline) >= 0)
      releaseHeldActivation(false);
    if (controllersOpen()) {
      std::vector<PadKey> repeats;
      controllerRepeats(sdlTickCount(), &repeats);
      queuePadKeys(repeats);
    }
    if (!pending.empty()) {
      *event = pending.front();
      pending.pop_front();
      return true;
    }
    SDL_Event e;
    if (SDL_PollEvent(&e)) {
      translate(e);
      continue;
    }
    uint32_t elapsed = sdlTickCount() - start;
    if (timeoutMs != kBackendWaitForever && elapsed >= timeoutMs) return false;
    int64_t wait = timeoutMs == kBackendWaitForever ? -1 : int64_t{timeoutMs} - elapsed;
    if (heldActivation.waiting) {
      int64_t untilDeadline =
          std::max<int64_t>(0, static_cast<int32_t>(heldActivation.deadline - sdlTickCount()));
      wait = wait < 0 ? untilDeadline : std::min(wait, untilDeadline);
    }
    if (controllersOpen()) {
      int64_t untilRepeat = msUntilControllerRepeat(sdlTickCount());
      int64_t every = wait < 0 ? kIdleControllerPollMs : kControllerPollMs;
      int64_t nap = untilRepeat < 0 ? every : std::min(untilRepeat, every);
      SDL_Delay(static_cast<Uint32>(wait < 0 ? nap : std::min(wait, nap)));
      continue;
    }
    bool got = wait < 0 ? SDL_WaitEvent(&e) != 0
                        : SDL_WaitEventTimeout(
                              &e, static_cast<int>(std::min<int64_t>(wait, INT32_MAX))) != 0;
    if (got) translate(e);
  }
}
