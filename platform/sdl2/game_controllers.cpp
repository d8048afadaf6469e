// Game controllers through SDL's GameController API: opened as they are
// plugged in (also those there at start), closed as they go, each turned into
// key presses by a ControllerInput of its own.
#include <SDL_syswm.h>
#include <dlfcn.h>

#include <map>
#include <string_view>

#include "platform/internal/controller_input.h"
#include "platform/sdl2/sdl_state.h"

namespace {

struct RepeatTiming {
  uint32_t delayMs = kRepeatDelayMs;
  uint32_t intervalMs = kRepeatIntervalMs;
};

// The keyboard's own repeat as the X server has it (xset r rate), so a held
// direction repeats as a held key; elsewhere the defaults.
RepeatTiming keyboardRepeat() {
  RepeatTiming timing;
  const auto& windows = sdlState().windows;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (windows.empty() || !SDL_GetWindowWMInfo(windows.front()->window, &info) ||
      info.subsystem != SDL_SYSWM_X11)
    return timing;
  using GetRate = int (*)(Display*, unsigned, unsigned*, unsigned*);
  auto getRate = reinterpret_cast<GetRate>(dlsym(RTLD_DEFAULT, "XkbGetAutoRepeatRate"));
  constexpr unsigned kCoreKeyboard = 0x100;  // XkbUseCoreKbd
  unsigned delay = 0, interval = 0;
  if (getRate != nullptr && getRate(info.info.x11.display, kCoreKeyboard, &delay, &interval) &&
      delay > 0 && interval > 0) {
    timing.delayMs = delay;
    timing.intervalMs = interval;
  }
  return timing;
}

struct OpenController {
  SDL_GameController* controller = nullptr;
  ControllerInput input;
};

std::map<SDL_JoystickID, OpenController> controllers;

// A button as its pad input of the input table: SDL's own name, with the
// D-pad's four as the directions they point.
int padInput(Uint8 sdlButton) {
  const char* name =
      SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(sdlButton));
  if (name == nullptr) return -1;
  const std::string_view sdlName = name;
  if (sdlName.substr(0, 2) == "dp") return padInputByName(sdlName.substr(2));
  return padInputByName(sdlName);
}

void open(int deviceIndex) {
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  if (controllers.count(id) != 0) {
    SDL_GameControllerClose(controller);  // opened already: SDL counts the second open
    return;
  }
  RepeatTiming repeat = keyboardRepeat();
  controllers.emplace(
      id, OpenController{controller, ControllerInput(repeat.delayMs, repeat.intervalMs)});
}

}  // namespace

bool handleControllerEvent(const SDL_Event& e, uint32_t now, std::vector<PadKey>* keys) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
      open(e.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto it = controllers.find(e.cdevice.which);
      if (it == controllers.end()) return true;
      it->second.input.releaseAll(keys);
      SDL_GameControllerClose(it->second.controller);
      controllers.erase(it);
      return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      auto it = controllers.find(e.cbutton.which);
      if (it != controllers.end())
        it->second.input.button(padInput(e.cbutton.button), e.type == SDL_CONTROLLERBUTTONDOWN, now,
                                keys);
      return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
      auto it = controllers.find(e.caxis.which);
      if (it == controllers.end()) return true;
      if (e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX && e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTY)
        return true;
      SDL_GameController* c = it->second.controller;
      it->second.input.stick(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX),
                             SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY), now, keys);
      return true;
    }
    default:
      return false;
  }
}

bool controllersOpen() {
  return !controllers.empty();
}

int64_t msUntilControllerRepeat(uint32_t now) {
  int64_t soonest = -1;
  for (auto& [id, open] : controllers) {
    if (!open.input.repeating()) continue;
    int64_t until = std::max<int32_t>(0, static_cast<int32_t>(open.input.nextRepeatAt() - now));
    if (soonest < 0 || until < soonest) soonest = until;
  }
  return soonest;
}

void controllerRepeats(uint32_t now, std::vector<PadKey>* keys) {
  for (auto& [id, open] : controllers) open.input.repeat(now, keys);
}

void closeControllers() {
  for (auto& [id, open] : controllers) SDL_GameControllerClose(open.controller);
  controllers.clear();
}
