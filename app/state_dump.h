// The end-of-run state as JSON: the game's fields plus what the desktop saw.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>

#include "shell/game_snapshot.h"

nlohmann::ordered_json dumpState(const GameSnapshot& snapshot, uint32_t startTick,
                                 uint32_t periodMs);
