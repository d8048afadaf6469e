// SDL keys become the virtual-key codes Windows sends.
#include <gtest/gtest.h>

#include "platform/sdl2/key_map.h"
#include "platform/win32.h"

namespace {

UINT keypad(SDL_Scancode scancode, bool numLock) {
  return virtualKeyFor(scancode, SDL_GetKeyFromScancode(scancode), numLock);
}

TEST(KeyMap, KeypadGivesDigitsWithNumLockAndTheCursorBlockWithout) {
  struct Row {
    SDL_Scancode key;
    UINT on;
    UINT off;
  };
  const Row rows[] = {
      {SDL_SCANCODE_KP_0, VK_NUMPAD0, VK_INSERT},      {SDL_SCANCODE_KP_1, VK_NUMPAD1, VK_END},
      {SDL_SCANCODE_KP_2, VK_NUMPAD2, VK_DOWN},        {SDL_SCANCODE_KP_3, VK_NUMPAD3, VK_NEXT},
      {SDL_SCANCODE_KP_4, VK_NUMPAD4, VK_LEFT},        {SDL_SCANCODE_KP_5, VK_NUMPAD5, VK_CLEAR},
      {SDL_SCANCODE_KP_6, VK_NUMPAD6, VK_RIGHT},       {SDL_SCANCODE_KP_7, VK_NUMPAD7, VK_HOME},
      {SDL_SCANCODE_KP_8, VK_NUMPAD8, VK_UP},          {SDL_SCANCODE_KP_9, VK_NUMPAD9, VK_PRIOR},
      {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(keypad(row.key, true), row.on) << SDL_GetScancodeName(row.key);
    EXPECT_EQ(keypad(row.key, false), row.off) << SDL_GetScancodeName(row.key);
  }
  EXPECT_EQ(keypad(SDL_SCANCODE_KP_ENTER, false), static_cast<UINT>(VK_RETURN));
}

TEST(KeyMap, CursorBlockAndGameKeysIgnoreNumLock) {
  const std::pair<SDL_Scancode, UINT> keys[] = {
      {SDL_SCANCODE_LEFT, VK_LEFT},     {SDL_SCANCODE_RIGHT, VK_RIGHT},
      {SDL_SCANCODE_UP, VK_UP},         {SDL_SCANCODE_DOWN, VK_DOWN},
      {SDL_SCANCODE_HOME, VK_HOME},     {SDL_SCANCODE_END, VK_END},
      {SDL_SCANCODE_PAGEUP, VK_PRIOR},  {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
      {SDL_SCANCODE_INSERT, VK_INSERT}, {SDL_SCANCODE_DELETE, VK_DELETE},
      {SDL_SCANCODE_RETURN, VK_RETURN}, {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
      {SDL_SCANCODE_SPACE, VK_SPACE},   {SDL_SCANCODE_F1, VK_F1},
      {SDL_SCANCODE_F2, VK_F2},         {SDL_SCANCODE_F3, VK_F3},
      {SDL_SCANCODE_F12, VK_F12},
  };
  for (auto [scancode, vk] : keys)
    for (bool numLock : {false, true})
      EXPECT_EQ(keypad(scancode, numLock), vk) << SDL_GetScancodeName(scancode);
}

TEST(KeyMap, LettersFollowTheLayoutAndDigitsTheirKeycode) {
  // On a French layout the key in the US "Q" place types an "a": Windows
  // calls that key VK_A too.
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_Q, SDLK_a, true), static_cast<UINT>('A'));
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_X, SDLK_x, true), static_cast<UINT>('X'));
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_7, SDLK_7, false), static_cast<UINT>('7'));
  // A letter key whose layout types no ASCII letter keeps its place.
  EXPECT_EQ(virtualKeyFor(SDL_SCANCODE_F, 0x0430, true), static_cast<UINT>('F'));
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
  // Enter alone and the other game keys stay the game's.
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_RETURN, KMOD_NONE), DesktopKey::None);
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_RETURN, KMOD_CTRL | KMOD_SHIFT), DesktopKey::None);
  EXPECT_EQ(desktopKeyFor(SDL_SCANCODE_F3, KMOD_ALT), DesktopKey::None);
}
