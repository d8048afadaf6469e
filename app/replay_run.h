// --record and --replay: puts the replay recorder or player over whichever
// backend the run uses, and checks or writes the end of it.
#pragma once

#include <string>

#include "headless_driver.h"

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
