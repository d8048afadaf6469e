// Where a remembered window goes at the next start: its old place when that
// still lies on a connected display, else the middle of the first one (a
// screen unplugged since, or a smaller one, must not hide the game). Knows
// nothing of SDL.
#pragma once

#include <vector>

#include "platform/settings/player_settings.h"

struct DisplayBounds {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// How much of the window's top (where its title bar is grabbed) must show.
inline constexpr int kVisibleWidth = 64;
inline constexpr int kVisibleHeight = 32;

// The real top left for the client area of place at scale.
DisplayBounds placeWindow(const WindowPlace& place, int scale,
                          const std::vector<DisplayBounds>& displays);
