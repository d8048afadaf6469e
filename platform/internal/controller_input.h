// A game controller as the keys a keyboard player would press: the D-pad and
// the left stick point eight directions (auto-repeated while held), and each
// direction and button sends the messages of the actions bound to it (by
// default the arrows and the keypad's corners, and the game keys). Knows
// nothing of SDL; one of these per connected controller.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/input/key_bindings.h"
#include "platform/win32/types.h"

struct PadKey {
  UINT virtualKey = 0;
  bool down = true;
  bool repeat = false;
  bool operator==(const PadKey&) const = default;
};

// The stick must leave the middle by this much (of 32767) to steer.
inline constexpr int kStickDeadZone = 10000;
// A held direction repeats as a held key does; these are the X server's
// defaults, for when the keyboard's own cannot be read.
inline constexpr uint32_t kRepeatDelayMs = 660;
inline constexpr uint32_t kRepeatIntervalMs = 40;

// Where a pad points, as a pad input (input_table.h), or -1 in the middle:
// the D-pad (up, down, left, right held; two make a diagonal), else the
// left stick once deadZone (of 32767) from the middle, in eight sectors.
int padDirection(const bool dpad[4], int x, int y, int deadZone);

class ControllerInput {
 public:
  ControllerInput(uint32_t repeatDelayMs = kRepeatDelayMs,
                  uint32_t repeatIntervalMs = kRepeatIntervalMs,
                  const KeyBindings* bindings = &keyBindings())
      : bindings_(bindings), repeatDelay_(repeatDelayMs), repeatInterval_(repeatIntervalMs) {}
  // A button by its pad input (input_table.h); "up", "down", "left" and
  // "right" are the D-pad's.
  void button(int input, bool pressed, uint32_t now, std::vector<PadKey>* keys);
  // The left stick's two axes, SDL's way: -32768..32767, y growing downward.
  void stick(int x, int y, uint32_t now, std::vector<PadKey>* keys);
  // The controller went away: whatever it held is let go.
  void releaseAll(std::vector<PadKey>* keys);
  // Repeats of the held direction due by now.
  void repeat(uint32_t now, std::vector<PadKey>* keys);
  bool repeating() const { return heldKey_ != 0; }
  uint32_t nextRepeatAt() const { return nextRepeatAt_; }

 private:
  void steer(uint32_t now, std::vector<PadKey>* keys);
  UINT directionKey() const;
  void sendButton(int input, bool down, std::vector<PadKey>* keys) const;

  const KeyBindings* bindings_;
  uint32_t repeatDelay_;
  uint32_t repeatInterval_;
  bool pad_[4] = {false, false, false, false};  // up, down, left, right
  int stickX_ = 0;
  int stickY_ = 0;
  UINT heldKey_ = 0;
  uint32_t nextRepeatAt_ = 0;
  bool buttons_[kFirstPadDirection] = {};
};
