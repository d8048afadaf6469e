// SDL keys become the virtual-key codes Windows sends.
#include <gtest/gtest.h>

#include "platform/backend.h"
#include "platform/input/input_table.h"
#include "platform/input/key_bindings.h"
#include "platform/sdl2/key_map.h"
#include "platform/win32.h"

namespace {

UINT keypad(SDL_Scancode scancode, bool numLock) {
  return virtualKeyFor(scancode, SDL_GetKeyFromScancode(scancode), numLock);
}

TEST(KeyMap, TheKeypadSendsWhatWindowsSendsWithNumLockOffAndOn) {
  // Written from Windows' own behaviour, not read from the input table: with
  // NumLock off the keypad doubles as the cursor block (5 becomes VK_CLEAR).
  struct Expected {
    SDL_Scancode scancode;
    UINT off, on;
  };
  const Expected keys[] = {
      {SDL_SCANCODE_KP_0, VK_INSERT, VK_NUMPAD0},
      {SDL_SCANCODE_KP_1, VK_END, VK_NUMPAD1},
      {SDL_SCANCODE_KP_2, VK_DOWN, VK_NUMPAD2},
      {SDL_SCANCODE_KP_3, VK_NEXT, VK_NUMPAD3},
      {SDL_SCANCODE_KP_4, VK_LEFT, VK_NUMPAD4},
      {SDL_SCANCODE_KP_5, VK_CLEAR, VK_NUMPAD5},
      {SDL_SCANCODE_KP_6, VK_RIGHT, VK_NUMPAD6},
      {SDL_SCANCODE_KP_7, VK_HOME, VK_NUMPAD7},
      {SDL_SCANCODE_KP_8, VK_UP, VK_NUMPAD8},
      {SDL_SCANCODE_KP_9, VK_PRIOR, VK_NUMPAD9},
      {SDL_SCANCODE_KP_PERIOD, VK_DELETE, VK_DECIMAL},
      {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, VK_DIVIDE},
      {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, VK_MULTIPLY},
      {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, VK_SUBTRACT},
      {SDL_SCANCODE_KP_PLUS, VK_ADD, VK_ADD},
      {SDL_SCANCODE_KP_ENTER, VK_RETURN, VK_RETURN},
      // Keys outside the keypad send one message either way.
      {SDL_SCANCODE_LEFT, VK_LEFT, VK_LEFT},
      {SDL_SCANCODE_HOME, VK_HOME, VK_HOME},
      {SDL_SCANCODE_INSERT, VK_INSERT, VK_INSERT},
      {SDL_SCANCODE_F3, VK_F3, VK_F3},
      {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, VK_SNAPSHOT},
      {SDL_SCANCODE_F24, VK_F24, VK_F24},
      {SDL_SCANCODE_RGUI, VK_RWIN, VK_RWIN},
  };
  for (const Expected& key : keys) {
    EXPECT_EQ(keypad(key.scancode, false), key.off) << SDL_GetScancodeName(key.scancode);
    EXPECT_EQ(keypad(key.scancode, true), key.on) << SDL_GetScancodeName(key.scancode);
  }
}

TEST(KeyMap, CharacterKeysFollowTheLayoutElseKeepTheirPlace) {
  // On a French layout the key in the US "Q" place types an "a": Windows
  // calls that key VK_A too.
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_Q, SDLK_a, true), static_cast<UINT>('A'));
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_X, SDLK_x, true), static_cast<UINT>('X'));
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_7, SDLK_7, false), static_cast<UINT>('7'));
  // A letter key whose layout types no ASCII letter keeps its place.
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_F, 0x0430, true), static_cast<UINT>('F'));
  // So does a French layout's digit key, which types "&" unshifted.
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_1, SDLK_AMPERSAND, false), static_cast<UINT>('1'));
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_SLASH, SDLK_SLASH, true), static_cast<UINT>(VK_OEM_2));
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_VOLUMEUP, SDLK_VOLUMEUP, true), 0u);
}

TEST(KeyMap, OnlyCharacterKeysAreLeftToTranslateMessage) {
  for (UINT vk : {UINT('A'), UINT('Z'), UINT('0'), UINT(VK_NUMPAD5), UINT(VK_DECIMAL),
                  UINT(VK_SPACE), UINT(VK_RETURN), UINT(VK_ESCAPE), UINT(VK_OEM_PERIOD)})
    EXPECT_TRUE(keyMakesCharacter(vk)) << vk;
  for (UINT vk : {UINT(VK_LEFT), UINT(VK_HOME), UINT(VK_CLEAR), UINT(VK_F3), UINT(VK_INSERT),
                  UINT(VK_DELETE), UINT(VK_SHIFT), 0u})
    EXPECT_FALSE(keyMakesCharacter(vk)) << vk;
}

}  // namespace

TEST(KeyMap, FullscreenAndScreenshotKeysAreTheDesktopsOwn) {
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_F11, KMOD_NONE), DesktopKey::ToggleFullscreen);
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_RETURN, KMOD_LALT), DesktopKey::ToggleFullscreen);
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_KP_ENTER, KMOD_RALT), DesktopKey::ToggleFullscreen);
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_PRINTSCREEN, KMOD_NONE), DesktopKey::Screenshot);
  // F12 too, where a desktop keeps PrintScreen for its own tool.
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_F12, KMOD_NONE), DesktopKey::Screenshot);
  // Enter alone and the other game keys stay the game's.
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_RETURN, KMOD_NONE), DesktopKey::None);
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_RETURN, KMOD_CTRL | KMOD_SHIFT), DesktopKey::None);
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_F3, KMOD_ALT), DesktopKey::None);
  // Rebound, the screenshot follows its key; Alt+Enter stays.
  KeyBindings saved = keyBindings();
  std::string error;
  ASSERT_TRUE(keyBindings().bind(actionByName("screenshot"), "KeyP", &error)) << error;
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_P, KMOD_NONE), DesktopKey::Screenshot);
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_F12, KMOD_NONE), DesktopKey::None);
  keyBindings() = saved;
}
