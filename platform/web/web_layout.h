// Where the game's screen and window lie in the page. The game sees a screen
// of whole game pixels, each shown as scale x scale device pixels, that is
// the page's game area with the layer's window frame added around it: the
// main window the game places on it then has the area's height as its
// client height, and the game's own width rule.
#pragma once

#include "platform/internal/screen_layout.h"
#include "platform/win32/types.h"

struct WebScreen {
  int scale = 1;
  int width = 0;  // game pixels
  int height = 0;
};

// The page's game area.
struct WebArea {
  int width = 0;  // device pixels
  int height = 0;
  double pixelRatio = 1;  // device pixels a CSS pixel
};

// requestedScale above 0 is the player's (the page's ?scale=N). 0 chooses a
// game pixel of about one CSS pixel, at least as large as the desktop's rule
// would make it, but smaller when the area would then not hold a client of
// smallestClient game pixels: a window larger than the area is shown shrunk,
// no longer crisp. frame holds the left, top, right and bottom widths of the
// layer's window frame.
WebScreen webScreenFor(const WebArea& area, int requestedScale, const RECT& frame,
                       SIZE smallestClient);

// The main window's client size for the game area after the browser window
// was resized: what the game would have chosen on a screen of that size,
// kept at least minimum (the client size of the game's smallest window).
SIZE webClientFor(const WebScreen& screen, const RECT& frame, SIZE minimum);
