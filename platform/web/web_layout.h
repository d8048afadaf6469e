// Where the game's screen and window lie in the page. The game sees a screen
// of whole game pixels, each shown as scale x scale device pixels, that is
// the page's game area with the layer's window frame added around it: the
// main window the game places on it then has the area's height as its
// client height, and the game's own width rule.
#pragma once

#include "platform/win32/types.h"

struct WebScreen {
  int scale = 1;
  int width = 0;  // game pixels
  int height = 0;
};

// areaWidth and areaHeight are device pixels; requestedScale 0 chooses as the
// desktop does (2 on an area at least 2000 device pixels tall). frame holds
// the left, top, right and bottom widths of the layer's window frame.
WebScreen webScreenFor(int areaWidth, int areaHeight, int requestedScale, const RECT& frame);

// The main window's client size for the game area after the browser window
// was resized: what the game would have chosen on a screen of that size,
// kept at least minimum (the client size of the game's smallest window).
SIZE webClientFor(const WebScreen& screen, const RECT& frame, SIZE minimum);
