#include "platform/sdl2/controller_input.h"

#include <cmath>

#include "platform/win32/user.h"

namespace {

// By the direction's step in x and y (-1, 0, 1; y downhill): what the
// keypad's key at that place sends with NumLock off.
constexpr UINT kDirectionKeys[3][3] = {
    {VK_HOME, VK_UP, VK_PRIOR},  // up-left (7), up (8), up-right (9)
    {VK_LEFT, 0, VK_RIGHT},      // left (4), middle, right (6)
    {VK_END, VK_DOWN, VK_NEXT},  // down-left (1), down (2), down-right (3)
};

// Each button's keys, in order. Enter after the other key: with a skier it
// does nothing, and without one it starts the new game (which also ends a
// pause the first key may just have begun).
struct ButtonKeys {
  UINT first;
  UINT second;
};
constexpr ButtonKeys kButtonKeys[3] = {
    {VK_INSERT, VK_RETURN},  // south: jump, or a new game once the skier is gone
    {VK_F3, VK_RETURN},      // start: pause and resume, or a new game likewise
    {VK_F2, 0},              // back: new game
};

void press(std::vector<PadKey>* keys, UINT key, bool down, bool repeat = false) {
  if (key != 0) keys->push_back(PadKey{key, down, repeat});
}

}  // namespace

void ControllerInput::button(PadButton which, bool pressed, uint32_t now,
                             std::vector<PadKey>* keys) {
  int index = static_cast<int>(which);
  if (which >= PadButton::Up) {
    pad_[index - static_cast<int>(PadButton::Up)] = pressed;
    steer(now, keys);
    return;
  }
  if (buttons_[index] == pressed) return;
  buttons_[index] = pressed;
  const ButtonKeys& sends = kButtonKeys[index];
  press(keys, sends.first, pressed);
  press(keys, sends.second, pressed);
}

void ControllerInput::stick(int x, int y, uint32_t now, std::vector<PadKey>* keys) {
  stickX_ = x;
  stickY_ = y;
  steer(now, keys);
}

void ControllerInput::releaseAll(std::vector<PadKey>* keys) {
  press(keys, heldKey_, false);
  heldKey_ = 0;
  for (int i = 0; i < 3; ++i) {
    if (!buttons_[i]) continue;
    buttons_[i] = false;
    press(keys, kButtonKeys[i].first, false);
    press(keys, kButtonKeys[i].second, false);
  }
  for (bool& held : pad_) held = false;
  stickX_ = stickY_ = 0;
}

void ControllerInput::repeat(uint32_t now, std::vector<PadKey>* keys) {
  if (heldKey_ == 0 || static_cast<int32_t>(now - nextRepeatAt_) < 0) return;
  press(keys, heldKey_, true, true);
  // One repeat per call: a late wake does not send a burst.
  nextRepeatAt_ = now + repeatInterval_;
}

UINT ControllerInput::directionKey() const {
  int dx = 0, dy = 0;
  if (pad_[0] || pad_[1] || pad_[2] || pad_[3]) {
    dx = (pad_[3] ? 1 : 0) - (pad_[2] ? 1 : 0);
    dy = (pad_[1] ? 1 : 0) - (pad_[0] ? 1 : 0);
  } else {
    double x = stickX_, y = stickY_;
    if (x * x + y * y < double(kStickDeadZone) * kStickDeadZone) return 0;
    // Eight sectors of 45 degrees, each centred on its direction.
    constexpr double kPi = 3.14159265358979323846;
    int sector = static_cast<int>(std::lround(std::atan2(y, x) / (kPi / 4))) & 7;
    constexpr int kStepX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    constexpr int kStepY[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    dx = kStepX[sector];
    dy = kStepY[sector];
  }
  return kDirectionKeys[dy + 1][dx + 1];
}

void ControllerInput::steer(uint32_t now, std::vector<PadKey>* keys) {
  UINT key = directionKey();
  if (key == heldKey_) return;
  press(keys, heldKey_, false);
  heldKey_ = key;
  press(keys, key, true);
  nextRepeatAt_ = now + repeatDelay_;
}
