// Watching a run: reads it (a run file or a link), skis the whole session
// once unseen to compute its result and where its game began, then shows it
// from there in the viewer, skiing the session again from its start after
// every seek back. Shared by the desktop program and the page.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/replay/replay_format.h"

// A run file's text, or a link or fragment holding one. False with one line
// in error (the file is named by the caller).
bool readRun(const std::string& text, Replay* replay, std::string* error);

// A run read once and shared by every pass that plays it: the largest run
// takes hundreds of MB, so it is never copied.
using SharedRun = std::shared_ptr<const Replay>;

struct RunCheck {
  bool reachedEnd = false;          // the whole stream played and the state matched
  bool outOfTicks = false;          // stopped at the setup's most ticks
  std::optional<RunResult> result;  // what the re-skiing computed at the result
  bool matches = false;             // ... and it equals the recorded one
  std::string error;                // where the run left its recording
  std::string endState;             // the game state the playback ended in
  uint32_t runStart = 0;            // the clock where the result's game began
  uint32_t runEnd = 0;              // the clock of the result (the last one read)
  uint32_t ticks = 0;               // game ticks skied
  double loadSeconds = 0;           // the game's start, before its first tick
  double seconds = 0;               // how long the skiing took after that
  double cpuSeconds = 0;            // ... of the processor's time
};

struct WatchSetup {
  // Puts a fresh copy of the run's high-score file in place before each
  // pass (so nothing the passes write reaches the player's).
  std::function<bool()> freshProfile;
  bool holdAtEnd = true;
  // The viewer shrinks a picture larger than its window's room (see
  // ViewerSettings).
  bool fitToRoom = true;
  // The unseen pass stops past this many game ticks (0: no bound), so a
  // hostile run cannot keep a verifier busy.
  uint32_t mostTicks = 0;
  // Called with the player in place, just before the game starts; and at
  // the result, inside the game's tick that reached it.
  std::function<void()> beforeGame;
  std::function<void()> atResult;
};

// The viewer goes over the backend in force (once), then the unseen pass.
RunCheck checkRun(const SharedRun& replay, const WatchSetup& setup);
// "slalom 0:01:24.32: matches the recorded result" and the like.
std::string describeCheck(const Replay& replay, const RunCheck& check);
// Shows the run until the viewer is closed or, without holdAtEnd, reaches
// the result. The state at the last pass's result goes to endState.
void watchRun(const SharedRun& replay, const RunCheck& check, const WatchSetup& setup,
              std::string* endState);
