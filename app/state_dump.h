// The end-of-run state as one line of JSON: the game's fields, and what the
// headless desktop saw (its message boxes and sounds) when its writer is given.
#pragma once

#include <functional>
#include <string>

#include "json_writer.h"
#include "shell/game_snapshot.h"

using DesktopRecordsWriter = std::function<void(JsonWriter& out)>;

std::string dumpState(const GameSnapshot& snapshot, const DesktopRecordsWriter& desktop = {});
