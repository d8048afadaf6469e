// SDL keys as Windows reports them: the virtual-key code of a key press, with
// the numeric keypad giving digits while NumLock is on and the cursor-block
// codes while it is off. The keys come from the input table.
#pragma once

#include <SDL.h>

#include "platform/win32/types.h"

// The virtual-key code for a key, or 0 for keys Windows has no code for (or
// that we do not pass on). The keycode decides letters, digits and
// punctuation, so they follow the user's layout; the scancode decides the
// keypad and the other fixed keys. This is what the key sends unbound; the
// key remapping then applies the player's bindings.
UINT virtualKeyFor(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock);

// Keys the desktop keeps for itself; the game never sees them.
enum class DesktopKey { None, ToggleFullscreen, Screenshot };

// The keys bound to the fullscreen and screenshot actions (F11, PrintScreen
// and F12 unless rebound), and Alt+Enter, which always toggles fullscreen.
DesktopKey desktopKeyFor(SDL_Scancode scancode, Uint16 modifiers);
