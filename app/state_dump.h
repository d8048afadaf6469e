// The end-of-run state as one line of JSON: the game's fields, and what the
// headless desktop saw (its message boxes and sounds) when asked.
#pragma once

#include <cstdint>
#include <string>

#include "shell/game_snapshot.h"

enum class DesktopRecords { Left, Included };

std::string dumpState(const GameSnapshot& snapshot, uint32_t startTick, uint32_t periodMs,
                      DesktopRecords desktop);
