// What the runs code needs to know of the game, read from its snapshot the
// way the state dump reads it: never changing anything.
#pragma once

#include <cstdint>
#include <string>

#include "platform/replay/replay_format.h"

// The game's state as the one line a replay ends with.
std::string gameStateText();

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
