// Runs the game on the headless desktop from the command line's options.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct HeadlessRunOptions {
  int screenWidth = 1024;
  int screenHeight = 768;
  uint32_t seed = 20240;  // the clock's first value, so the first game's seed
  uint32_t ticks = 250;   // periods of 40 ms before the window is closed
  std::string inputFile;
  std::string screenshotFile;
  std::string dumpFile;
  std::string seenFile;  // every actor state and sprite shown along the way
  std::string dataDir;
  std::string tail;  // the command-line tail the game sees
  bool ghostSplits = false;  // the dump adds the splits against the ghost
  // Called once the desktop is in place, before the game starts (a replay
  // puts itself over the backend here).
  std::function<bool()> overBackend;
};

// Returns the game's exit code, or 2 when the options themselves fail.
int runHeadless(const HeadlessRunOptions& options);
