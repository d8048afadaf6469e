// What the runs code needs to know of the game, read from its snapshot the
// way the state dump reads it: never changing anything.
#pragma once

#include <cstdint>
#include <string>

#include "platform/replay/replay_format.h"
#include "platform/win32/types.h"

// The game's state as the one line a replay ends with. Its tick count
// leaves out the ticks of runs skied unseen before this game (ghosts).
std::string gameStateText();
// The game's ticks so far that were not this game's: set before a game
// starts after runs were skied unseen in the same process.
void setTicksBeforeThisGame(uint32_t ticks);
uint32_t ticksBeforeThisGame();

// What a ghost needs of the skier and the course, read without changing
// anything.
struct SkierFacts {
  bool present = false;  // there is a skier
  int16_t x = 0, y = 0, z = 0;
  uint16_t sprite = 0;
  std::string course;      // the high-score key of the course being run, or empty
  int gatesPassed = 0;     // of the timed course being run
  int32_t courseTime = 0;  // its clock now, penalties included
  int32_t runClock = 0;    // what the status panel shows (the result at the finish)
  int32_t style = 0;
  bool belowStart = false;  // the skier is below the start banner (a finish, not an abandon)
  int16_t viewX = 0, viewY = 0, anchorX = 0, anchorY = 0;
  HWND mainWindow = nullptr;
  HWND statusWindow = nullptr;
  bool mouseSeen = false;  // the game has taken in the cursor's place (only the mouse does that)
};
SkierFacts readSkierFacts();
// Ticks the game has run in this process.
uint32_t gameTicks();

// The three courses by their high-score keys: "slalom", "tree-slalom",
// "freestyle"; empty for a key that is none of them.
std::string courseName(const std::string& key);
// Timed courses keep milliseconds, lower better; freestyle keeps points.
bool isTimedCourse(const std::string& key);
// The result the game has just written to the key's list.
int32_t currentResult(const std::string& key);
// "slalom 0:01:24.32" or "freestyle 1234 points".
std::string describeRun(const RunResult& run);

// A game just started: the skier stands at the top, nothing run or scored.
bool freshGame();
