// Puts the replay recorder or player over whichever backend the run uses:
// every play session is recorded (in memory, and to --record's file), a
// --replay file is played back; and checks or writes the end of it.
#pragma once

#include <optional>
#include <string>

#include "headless_driver.h"
#include "platform/replay/replay_format.h"

struct ReplayRequest {
  std::string recordFile;
  std::string replayFile;
  bool headless = false;
  int scale = 0;
};

// Reads a replay to be played and puts its settings (seed, screen, scale,
// tail) into options and request. False after saying why on stderr.
bool prepareReplay(ReplayRequest* request, HeadlessRunOptions* options);
// What the run calls once its backend is in place.
bool startReplay(const ReplayRequest& request, const HeadlessRunOptions& options);
// Writes the recording's end, or checks the playback; returns the exit code.
int finishReplayRun(const ReplayRequest& request, int exitCode);

// A run's settings as the run options take them.
void applyReplaySettings(const ReplayHeader& header, HeadlessRunOptions* options);
// A playback of a file that carries the high-score file plays in a folder of
// its own holding that file, so that it shows the same lists and never
// writes the player's. The folder is removed at exit.
bool useScratchProfile(const ReplayHeader& header);
// The high-score file as it is now, for a recording's header.
std::optional<std::string> highScoreFileBytes();
