// Every result that enters a high-score list keeps its play session as a
// run file in the data folder's runs/, named by course, date and result; at
// most the ten best of each course and the latest are kept.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "platform/replay/replay_format.h"

inline constexpr int kRunsKeptPerCourse = 10;

struct KeptRunsOptions {
  // Save runs (a recording session); off, the writes only tell a playback
  // where its run ends.
  bool keep = true;
  // Where a run that cannot be saved is reported; once per session.
  std::function<void(const std::string&)> report;
  // Told after a run was saved (and older ones deleted).
  std::function<void()> saved;
};

// Watches the profile writes of the high-score file from now on.
void watchHighScoreWrites(KeptRunsOptions options);
// The same for a playback: nothing is kept, the player learns where its run
// ends.
void watchHighScoreWritesOfPlayback();

// "slalom_20261209-031500_84322ms.replay", "freestyle_..._1234pts.replay".
std::string runFileName(const RunResult& run, std::time_t when);

// The file name of the best run of the course (its high-score key) in the
// folder, or empty when there is none.
std::string bestKeptRun(const std::string& folder, const std::string& course);

// Deletes runs of keep's course beyond its ten best, never keep itself. A run
// counts only when its name is one runFileName gives and its first lines are
// a run header of that course and result; a link, or any other file, stays
// and takes no run's place.
void pruneRuns(const std::string& folder, const std::string& keep);
