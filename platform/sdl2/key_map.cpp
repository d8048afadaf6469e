#include "platform/sdl2/key_map.h"

#include "platform/input/input_table.h"
#include "platform/input/key_bindings.h"
#include "platform/win32/user.h"

UINT virtualKeyFor(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock) {
  const PhysicalKey* key = physicalKeyByUsage(static_cast<uint16_t>(scancode));
  return unboundMessage(key, keycode > 0 && keycode < 0x80 ? static_cast<char>(keycode) : 0,
                        numLock);
}

DesktopKey desktopKeyFor(SDL_Scancode scancode, Uint16 modifiers) {
  const bool enter = scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER;
  if (enter && (modifiers & KMOD_ALT) != 0) return DesktopKey::ToggleFullscreen;
  const int action = keyBindings().actionForKey(static_cast<uint16_t>(scancode));
  if (action < 0) return DesktopKey::None;
  const std::string_view name = inputActions()[action].name;
  if (name == "fullscreen") return DesktopKey::ToggleFullscreen;
  if (name == "screenshot") return DesktopKey::Screenshot;
  return DesktopKey::None;
}
