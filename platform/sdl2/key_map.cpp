#include "platform/sdl2/key_map.h"

#include "platform/win32/user.h"

namespace {

struct KeypadKey {
  SDL_Scancode scancode;
  UINT withNumLock;
  UINT withoutNumLock;
};

// With NumLock off the keypad doubles as a cursor block; 5 becomes VK_CLEAR.
constexpr KeypadKey kKeypad[] = {
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, VK_INSERT},      {SDL_SCANCODE_KP_1, VK_NUMPAD1, VK_END},
    {SDL_SCANCODE_KP_2, VK_NUMPAD2, VK_DOWN},        {SDL_SCANCODE_KP_3, VK_NUMPAD3, VK_NEXT},
    {SDL_SCANCODE_KP_4, VK_NUMPAD4, VK_LEFT},        {SDL_SCANCODE_KP_5, VK_NUMPAD5, VK_CLEAR},
    {SDL_SCANCODE_KP_6, VK_NUMPAD6, VK_RIGHT},       {SDL_SCANCODE_KP_7, VK_NUMPAD7, VK_HOME},
    {SDL_SCANCODE_KP_8, VK_NUMPAD8, VK_UP},          {SDL_SCANCODE_KP_9, VK_NUMPAD9, VK_PRIOR},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE},
};

struct FixedKey {
  SDL_Scancode scancode;
  UINT virtualKey;
};

constexpr FixedKey kFixedKeys[] = {
    {SDL_SCANCODE_LEFT, VK_LEFT},
    {SDL_SCANCODE_RIGHT, VK_RIGHT},
    {SDL_SCANCODE_UP, VK_UP},
    {SDL_SCANCODE_DOWN, VK_DOWN},
    {SDL_SCANCODE_HOME, VK_HOME},
    {SDL_SCANCODE_END, VK_END},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
    {SDL_SCANCODE_INSERT, VK_INSERT},
    {SDL_SCANCODE_DELETE, VK_DELETE},
    {SDL_SCANCODE_RETURN, VK_RETURN},
    {SDL_SCANCODE_RETURN2, VK_RETURN},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
    {SDL_SCANCODE_SPACE, VK_SPACE},
    {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_BACKSPACE, VK_BACK},
    {SDL_SCANCODE_PAUSE, VK_PAUSE},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT},
    {SDL_SCANCODE_LCTRL, VK_CONTROL},
    {SDL_SCANCODE_RCTRL, VK_CONTROL},
    {SDL_SCANCODE_LALT, VK_MENU},
    {SDL_SCANCODE_RALT, VK_MENU},
    {SDL_SCANCODE_LGUI, VK_LWIN},
    {SDL_SCANCODE_RGUI, VK_RWIN},
    {SDL_SCANCODE_APPLICATION, VK_APPS},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_PLUS, VK_ADD},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},
};

struct PunctuationKey {
  SDL_Keycode keycode;
  UINT virtualKey;
};

// The US layout's places of the OEM keys, by the character they type.
constexpr PunctuationKey kPunctuation[] = {
    {SDLK_SEMICOLON, VK_OEM_1},    {SDLK_EQUALS, VK_OEM_PLUS},   {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS},    {SDLK_PERIOD, VK_OEM_PERIOD}, {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},    {SDLK_LEFTBRACKET, VK_OEM_4}, {SDLK_BACKSLASH, VK_OEM_5},
    {SDLK_RIGHTBRACKET, VK_OEM_6}, {SDLK_QUOTE, VK_OEM_7},
};

}  // namespace

UINT virtualKeyFor(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock) {
  for (const KeypadKey& key : kKeypad)
    if (key.scancode == scancode) return numLock ? key.withNumLock : key.withoutNumLock;
  for (const FixedKey& key : kFixedKeys)
    if (key.scancode == scancode) return key.virtualKey;
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
    return VK_F1 + static_cast<UINT>(scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
    return VK_F13 + static_cast<UINT>(scancode - SDL_SCANCODE_F13);
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + static_cast<UINT>(keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + static_cast<UINT>(keycode - SDLK_0);
  for (const PunctuationKey& key : kPunctuation)
    if (key.keycode == keycode) return key.virtualKey;
  // A letter key of a layout whose keycode is no ASCII letter still has its
  // place on the keyboard.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return 'A' + static_cast<UINT>(scancode - SDL_SCANCODE_A);
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
  switch (scancode) {
    case SDL_SCANCODE_F11:
      return DesktopKey::ToggleFullscreen;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
      return (modifiers & KMOD_ALT) != 0 ? DesktopKey::ToggleFullscreen : DesktopKey::None;
    case SDL_SCANCODE_PRINTSCREEN:
      return DesktopKey::Screenshot;
    default:
      return DesktopKey::None;
  }
}
