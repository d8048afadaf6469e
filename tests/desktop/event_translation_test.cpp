// SDL's events as the layer hears them: key presses with their text made
// only once, characters no key makes, repeats, the keypad, mouse positions
// in game pixels, the quit signal and message box answers.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/sdl2/sdl_state.h"
#include "platform/win32.h"

namespace {

class EventTranslation : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    sdlState().layout.scale = 1;
    sdlState().firstEventType = SDL_RegisterEvents(kOwnEventCount);
    drain();
  }
  void TearDown() override { SDL_Quit(); }

  // Everything the backend reports without waiting.
  std::vector<BackendEvent> drain() {
    std::vector<BackendEvent> events;
    BackendEvent event;
    while (sdlWaitEvent(&event, 0)) events.push_back(event);
    return events;
  }

  void pushKey(Uint32 type, SDL_Scancode scancode, Uint16 mod = 0, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    e.key.keysym.mod = mod;
    e.key.repeat = repeat ? 1 : 0;
    SDL_PushEvent(&e);
  }
  void pushText(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    SDL_PushEvent(&e);
  }
};

TEST_F(EventTranslation, AKeyThatTypesGivesItsKeyAloneAndOtherTextGivesCharacters) {
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_X);
  pushText("x");  // TranslateMessage makes this one from the key
  pushKey(SDL_KEYUP, SDL_SCANCODE_X);
  pushText("\xC3\xA9");      // an accented letter from a dead key: no key of ours
  pushText("\xE2\x82\xAC");  // the euro sign has no place in the ANSI range used
  std::vector<BackendEvent> events = drain();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].type, BackendEventType::KeyDown);
  EXPECT_EQ(events[0].virtualKey, static_cast<UINT>('X'));
  EXPECT_EQ(events[1].type, BackendEventType::KeyUp);
  EXPECT_EQ(events[2].type, BackendEventType::Char);
  EXPECT_EQ(events[2].character, 0xE9);
}

TEST_F(EventTranslation, RepeatsAndTheKeypadWithAndWithoutNumLock) {
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_LEFT);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_LEFT, 0, true);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_4, KMOD_NUM);
  pushText("4");
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_5, 0);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_F3, KMOD_NUM);
  std::vector<BackendEvent> events = drain();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_FALSE(events[0].repeat);
  EXPECT_TRUE(events[1].repeat);
  EXPECT_EQ(events[1].virtualKey, static_cast<UINT>(VK_LEFT));
  EXPECT_EQ(events[2].virtualKey, static_cast<UINT>(VK_NUMPAD4));
  EXPECT_EQ(events[3].virtualKey, static_cast<UINT>(VK_CLEAR));
  EXPECT_EQ(events[4].virtualKey, static_cast<UINT>(VK_F3));
}

TEST_F(EventTranslation, MousePositionsAreInGamePixels) {
  sdlState().layout.scale = 2;
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  move.motion.x = 201;
  move.motion.y = -3;  // dragged out past the top
  SDL_PushEvent(&move);
  SDL_Event press{};
  press.type = SDL_MOUSEBUTTONDOWN;
  press.button.button = SDL_BUTTON_LEFT;
  press.button.x = 7;
  press.button.y = 9;
  SDL_PushEvent(&press);
  press.button.button = SDL_BUTTON_X1;  // no such button on Windows' mouse
  SDL_PushEvent(&press);
  std::vector<BackendEvent> events = drain();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, BackendEventType::MouseMove);
  EXPECT_EQ(events[0].x, 100);
  EXPECT_EQ(events[0].y, -2);
  EXPECT_EQ(events[1].type, BackendEventType::MouseDown);
  EXPECT_EQ(events[1].button, 0);
  EXPECT_EQ(events[1].x, 3);
  EXPECT_EQ(events[1].y, 4);
}

TEST_F(EventTranslation, QuitAndMessageBoxAnswers) {
  SDL_Event answer{};
  answer.type = sdlState().firstEventType + kMessageBoxAnswered;
  answer.user.code = 7;
  answer.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(IDCANCEL));
  SDL_PushEvent(&answer);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  std::vector<BackendEvent> events = drain();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, BackendEventType::MessageBoxAnswer);
  EXPECT_EQ(events[0].box, 7);
  EXPECT_EQ(events[0].answer, IDCANCEL);
  EXPECT_EQ(events[1].type, BackendEventType::Close);
  EXPECT_EQ(events[1].window, nullptr);
}

}  // namespace
