// Runs the game in real windows on the desktop (the SDL2 backend), with the
// player's bindings and the window remembered in the settings file.
#pragma once

#include <functional>
#include <string>

struct WindowedRunOptions {
  int scale = 0;  // 0: 2 on a desktop at least 2000 pixels tall, else 1
  bool fullscreen = false;
  std::string dataDir;
  std::string tail;  // the command-line tail the game sees
  // Called once the window backend is in place, before the game starts.
  std::function<bool()> overBackend;
  // Given on the command line: they override the settings file for this
  // run and leave the file's values alone.
  bool scaleGiven = false;
  bool fullscreenGiven = false;
  // Told whether the settings want ghosts, before overBackend.
  std::function<void(bool on)> ghostsSetting;
};

// Returns the game's exit code, or 1 when no window can be opened.
int runWindowed(const WindowedRunOptions& options);
