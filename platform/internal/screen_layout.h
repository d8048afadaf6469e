// Where the game's screen lies on the real desktop. The game sees a screen of
// whole game pixels, each shown as a scale x scale block; its origin is the
// top left corner of the usable desktop area (panels excluded), moved down
// far enough that a window placed at y = 0 keeps its real title bar visible.
#pragma once

#include "platform/win32/types.h"

struct DesktopArea {
  int x = 0;  // the usable area, in real pixels
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ScreenLayout {
  int scale = 1;
  int originX = 0;  // real pixel of the game screen's (0, 0)
  int originY = 0;
  int width = 0;  // the game screen, in game pixels
  int height = 0;
};

// A desktop this tall or taller gets game pixels twice the size.
inline constexpr int kHighDpiDesktopHeight = 2000;
// The most real pixels a game pixel's side may take, asked for or chosen.
inline constexpr int kMostScale = 8;
// The longest side, in game pixels, of a screen or window the player may ask for.
inline constexpr int kMostScreenSide = 16384;

// The scale to use: the one asked for (above 0), else 2 on a desktop at least
// kHighDpiDesktopHeight pixels tall, else 1.
int chooseScale(int requested, int desktopHeight);

// realTitleBar is the height the window manager's title bar is assumed to
// take; gameCaption the caption and top border the game counts above a
// window's client area (in game pixels).
ScreenLayout layoutScreen(const DesktopArea& usable, int scale, int realTitleBar, int gameCaption);

// The frame the layer counts around an overlapped window's client area, as
// left/top/right/bottom widths in game pixels (the game's windows are all
// overlapped ones).
RECT overlappedFrameInsets();

// A client rectangle of the game's screen as a real rectangle on the desktop.
RECT realClientRect(const ScreenLayout& layout, const RECT& client);
