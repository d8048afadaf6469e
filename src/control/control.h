// Keyboard and mouse steering of the player's figure, and the game keys.
#pragma once

#include <array>
#include <cstdint>

#include "shell/world_state.h"

enum TurnSide { TURN_LEFT = 0, TURN_RIGHT = 1 };
// [state][TURN_LEFT or TURN_RIGHT]: the state after.
extern const std::array<std::array<int32_t, 2>, kPlayerStateCount> TurnTable;

void onKeyDown(WPARAM virtualKey);
void onChar(WPARAM character);
void onMouseMove(int16_t x, int16_t y);
void onMouseButton();
int32_t groundDirection(int16_t mx, int16_t my);
int32_t airPose(int16_t mx, int16_t my);
// The trick the up key or a click in the air leads to; other states stay.
int32_t nextTrick(int32_t state);

// Gives the player a state chosen by input, painting it at once if no input
// has painted since the last tick.
void applyInputState(int32_t newState);
