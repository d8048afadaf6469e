#include "platform/sdl2/key_map.h"

#include "platform/input/input_table.h"
#include "platform/input/key_bindings.h"
#include "platform/win32/user.h"

UINT virtualKeyFor(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock) {
  const PhysicalKey* key = physicalKeyByUsage(static_cast<uint16_t>(scancode));
  if (key != nullptr && key->character == 0)
    return numLock && key->numLockMessage != 0 ? key->numLockMessage : key->message;
  // The layout decides: the key that types this character on a US keyboard.
  if (keycode > 0 && keycode < 0x80)
    if (const PhysicalKey* typing = physicalKeyByCharacter(static_cast<char>(keycode)))
      return typing->message;
  // A letter key of a layout whose keycode is no ASCII letter still has its
  // place on the keyboard.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return key->message;
  return 0;
}

bool keyMakesCharacter(UINT virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return true;
  if (virtualKey >= '0' && virtualKey <= '9') return true;
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_DIVIDE && virtualKey != VK_SEPARATOR)
    return true;
  if (virtualKey >= VK_OEM_1 && virtualKey <= VK_OEM_3) return true;
  if (virtualKey >= VK_OEM_4 && virtualKey <= VK_OEM_7) return true;
  switch (virtualKey) {
    case VK_SPACE:
    case VK_TAB:
    case VK_RETURN:
    case VK_BACK:
    case VK_ESCAPE:
      return true;
    default:
      return false;
  }
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
