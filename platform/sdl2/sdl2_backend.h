// The desktop backend: real windows, input, sound and message boxes through
// SDL2. Install it once at start-up, before any Win32 call.
#pragma once

struct Sdl2Config {
  int scale = 0;            // game pixels shown as scale x scale blocks; 0 chooses
  bool noAudio = false;     // never open an audio device
  bool fullscreen = false;  // the main window starts fullscreen
};

// Starts SDL's video and installs the backend. False (with the reason on
// stderr) when there is no display to open windows on.
bool installSdl2Backend(const Sdl2Config& config);

// Closes the audio device, the windows SDL still holds and SDL itself.
void shutdownSdl2Backend();
