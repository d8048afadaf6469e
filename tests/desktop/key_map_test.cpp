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

TEST(KeyMap, EveryFixedKeyOfTheInputTableSendsItsMessageWithNumLockBothWays) {
  // The table's places are SDL's scancodes.
  EXPECT_EQ(physicalKeyByCode("Numpad4")->usage, SDL_SCANCODE_KP_4);
  EXPECT_EQ(physicalKeyByCode("NumpadDecimal")->usage, SDL_SCANCODE_KP_PERIOD);
  EXPECT_EQ(physicalKeyByCode("ArrowLeft")->usage, SDL_SCANCODE_LEFT);
  EXPECT_EQ(physicalKeyByCode("PrintScreen")->usage, SDL_SCANCODE_PRINTSCREEN);
  EXPECT_EQ(physicalKeyByCode("F24")->usage, SDL_SCANCODE_F24);
  EXPECT_EQ(physicalKeyByCode("MetaRight")->usage, SDL_SCANCODE_RGUI);
  int keypadKeys = 0;
  for (const PhysicalKey& key : physicalKeys()) {
    if (key.character != 0) continue;
    const auto scancode = static_cast<SDL_Scancode>(key.usage);
    const UINT withNumLock = key.numLockMessage != 0 ? key.numLockMessage : key.message;
    EXPECT_EQ(keypad(scancode, true), withNumLock) << key.code;
    EXPECT_EQ(keypad(scancode, false), key.message) << key.code;
    keypadKeys += key.numLockMessage != 0 ? 1 : 0;
  }
  EXPECT_EQ(keypadKeys, 16);
  // With NumLock off the keypad doubles as the cursor block.
  EXPECT_EQ(keypad(SDL_SCANCODE_KP_4, false), static_cast<UINT>(VK_LEFT));
  EXPECT_EQ(keypad(SDL_SCANCODE_KP_4, true), static_cast<UINT>(VK_NUMPAD4));
  EXPECT_EQ(keypad(SDL_SCANCODE_KP_5, false), static_cast<UINT>(VK_CLEAR));
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
