#include "platform/internal/controller_input.h"

#include <cmath>

namespace {

// By the direction's step in x and y (-1, 0, 1; y downhill): its pad input.
constexpr const char* kDirections[3][3] = {
    {"up-left", "up", "up-right"},
    {"left", nullptr, "right"},
    {"down-left", "down", "down-right"},
};
constexpr int kDpadUp = kFirstPadDirection;  // then down, left, right

void press(std::vector<PadKey>* keys, UINT key, bool down, bool repeat = false) {
  if (key != 0) keys->push_back(PadKey{key, down, repeat});
}

}  // namespace

void ControllerInput::sendButton(int input, bool down, std::vector<PadKey>* keys) const {
  for (UINT message : bindings_->padMessages(input)) press(keys, message, down);
}

void ControllerInput::button(int input, bool pressed, uint32_t now, std::vector<PadKey>* keys) {
  if (input < 0 || input >= kPadInputCount) return;
  if (input >= kDpadUp && input < kDpadUp + 4) {
    pad_[input - kDpadUp] = pressed;
    steer(now, keys);
    return;
  }
  if (input >= kFirstPadDirection || buttons_[input] == pressed) return;
  buttons_[input] = pressed;
  sendButton(input, pressed, keys);
}

void ControllerInput::stick(int x, int y, uint32_t now, std::vector<PadKey>* keys) {
  stickX_ = x;
  stickY_ = y;
  steer(now, keys);
}

void ControllerInput::releaseAll(std::vector<PadKey>* keys) {
  press(keys, heldKey_, false);
  heldKey_ = 0;
  for (int i = 0; i < kFirstPadDirection; ++i) {
    if (!buttons_[i]) continue;
    buttons_[i] = false;
    sendButton(i, false, keys);
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

int padDirection(const bool dpad[4], int x, int y, int deadZone) {
  int dx = 0, dy = 0;
  if (dpad[0] || dpad[1] || dpad[2] || dpad[3]) {
    dx = (dpad[3] ? 1 : 0) - (dpad[2] ? 1 : 0);
    dy = (dpad[1] ? 1 : 0) - (dpad[0] ? 1 : 0);
  } else {
    const double fx = x, fy = y;
    if (fx * fx + fy * fy < double(deadZone) * deadZone) return -1;
    // Eight sectors of 45 degrees, each centred on its direction.
    constexpr double kPi = 3.14159265358979323846;
    int sector = static_cast<int>(std::lround(std::atan2(fy, fx) / (kPi / 4))) & 7;
    constexpr int kStepX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    constexpr int kStepY[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    dx = kStepX[sector];
    dy = kStepY[sector];
  }
  const char* direction = kDirections[dy + 1][dx + 1];
  return direction != nullptr ? padInputByName(direction) : -1;
}

UINT ControllerInput::directionKey() const {
  const int direction = padDirection(pad_, stickX_, stickY_, kStickDeadZone);
  if (direction < 0) return 0;
  // A held direction repeats one key, as a held key does.
  std::vector<UINT> messages = bindings_->padMessages(direction);
  return messages.empty() ? 0 : messages.front();
}

void ControllerInput::steer(uint32_t now, std::vector<PadKey>* keys) {
  UINT key = directionKey();
  if (key == heldKey_) return;
  press(keys, heldKey_, false);
  heldKey_ = key;
  press(keys, key, true);
  nextRepeatAt_ = now + repeatDelay_;
}
