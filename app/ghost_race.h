// Racing a ghost: a run skied before, re-skied once unseen (the viewer's
// machinery) to learn where its skier was at each tick after crossing the
// course's start banner, and drawn by the ghost overlay beside the player,
// with split times at each gate and the finish. The game never knows: all
// of it is read from the game's state, never written.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/replay/replay_format.h"

struct GhostFrame {
  int16_t x = 0, y = 0, z = 0;
  uint16_t sprite = 0;
  int32_t style = 0;  // style points gained since the start banner
};

// One run of a course, tick by tick from the tick that crossed its start.
struct GhostRun {
  std::string course;              // the high-score key: SS, GS, FS
  std::vector<GhostFrame> frames;  // frames[k]: k ticks after the start
  std::vector<int32_t> gates;      // course time (ms) at each gate passed, penalties included
  std::optional<int32_t> result;   // at the finish: ms, or points on freestyle
};

struct GhostSplit {
  int gate = 0;  // 1 for the first gate; the finish comes one past the last
  bool finish = false;
  int32_t ms = 0;  // the player's time less the ghost's: below 0 is ahead
};

// Re-skis a kept run (its file's text, or a link) and keeps the run of its
// result. False with one line in error: not a run, another rules version,
// a run that does not reach its recorded result.
bool prepareGhost(const std::string& text, GhostRun* ghost, std::string* error);

struct GhostOptions {
  std::string source;  // --ghost FILE or LINK; empty: the best kept run of each course
  std::string text;    // or the run itself, a file's text or a link (the page)
  bool useKeptRuns = false;
  bool on = true;  // shown at first (the G key turns it off and on)
  // Where a ghost that cannot be raced is told; stderr when not given.
  std::function<void(const std::string&)> report;
};

// Prepares the ghosts and puts the overlay over the current backend. A
// ghost that cannot be raced costs one line on stderr; play goes on.
void startGhosts(const GhostOptions& options);

// "slalom 0:01:24.32, freestyle 1234 points": the ghosts ready at the start.
std::string ghostsRaced();

// The splits of the latest run raced against a ghost.
const std::vector<GhostSplit>& ghostSplits();
// "-1.24 s", "+0.80 s", "0.00 s".
std::string splitText(int32_t ms);
