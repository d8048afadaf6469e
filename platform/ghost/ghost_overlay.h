// The ghost overlay: a Backend decorator that draws over the picture the
// game presents, never into the game's own bitmaps: a see-through skier (a
// run skied before) and a one-line splits strip at the bottom left, in the
// viewer's overlay style. It knows nothing of the game: what to draw comes
// from its hooks. Off, or with nothing to draw, every present passes down
// untouched, so the frames are the game's to the pixel.
//
// The key bound to the "ghost" action of the input table turns it off and
// on; that key never reaches the game. The decorator goes under the key
// remapping (which drops keys of desktop actions) and under the replay
// recorder, so a recording holds only what the game saw.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/backend.h"

// A sprite's image, 0x00RRGGBB top row first; white is clear.
struct GhostSprite {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// What to draw now over one top-level window's client picture.
struct GhostPicture {
  HWND window = nullptr;  // null: nothing to draw
  GhostSprite sprite;     // no pixels: no skier
  int left = 0;           // the sprite's top left in client pixels
  int top = 0;
  RECT keepOut{0, 0, 0, 0};  // a part of the picture never drawn over
  std::string line;          // the splits strip; empty: none

  bool operator==(const GhostPicture& o) const {
    return window == o.window && sprite.pixels == o.sprite.pixels && left == o.left &&
           top == o.top && keepOut.left == o.keepOut.left && keepOut.top == o.keepOut.top &&
           keepOut.right == o.keepOut.right && keepOut.bottom == o.keepOut.bottom && line == o.line;
  }
};

struct GhostOverlayHooks {
  // Asked at every present and before every wait.
  std::function<GhostPicture()> picture;
  // Told of every reading of the clock (before it is answered).
  std::function<void()> clockRead;
  // Told when the player's key turned the overlay off or on.
  std::function<void(bool on)> toggled;
};

// Puts the overlay over the current backend.
void startGhostOverlay(GhostOverlayHooks hooks, bool on);
bool ghostOverlayOn();
// Turns it off or on as the key does (the page's button), and shows that.
void toggleGhostOverlay();

// A plain decorator that only tells of clock readings and presents; for a
// run skied unseen, whose tick must be followed the same way.
void startClockWatch(std::function<void()> clockRead, std::function<void()> presented);

// Draws the strip's text into a picture as the overlay does (for the page,
// which draws its own). Returns the rectangle it covered.
RECT drawGhostLine(uint32_t* pixels, int stride, int width, int height, const std::string& text);
