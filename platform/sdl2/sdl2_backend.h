// The desktop backend: real windows, input, sound and message boxes through
// SDL2. Install it once at start-up, before any Win32 call.
#pragma once

#include <optional>

#include "platform/settings/player_settings.h"

struct Sdl2Config {
  int scale = 0;            // game pixels shown as scale x scale blocks; 0 chooses
  bool noAudio = false;     // never open an audio device
  bool fullscreen = false;  // the main window starts fullscreen
  // Where the main window was last time: it opens there, at that size, and
  // the game hears of the size as of a resize.
  std::optional<WindowPlace> window;
};

// The main window as it was closed: its place (unless it was minimised or
// fullscreen, when previous stays), whether it was fullscreen, the scale.
DisplaySettings sdl2DisplayAtClose(const DisplaySettings& previous);

// Starts SDL's video and installs the backend. False (with the reason on
// stderr) when there is no display to open windows on.
bool installSdl2Backend(const Sdl2Config& config);

// Closes the audio device, the windows SDL still holds and SDL itself.
void shutdownSdl2Backend();
