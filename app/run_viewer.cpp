#include "run_viewer.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "game_facts.h"
#include "kept_runs.h"
#include "platform/kernel/process_settings.h"
#include "platform/replay/replay_backend.h"
#include "platform/replay/run_link.h"
#include "platform/replay/viewer_backend.h"
#include "platform/win32.h"
#include "shell/game_snapshot.h"
#include "shell/shell.h"

namespace {

// The tick count runs on over passes; the rest is the game's own. The state
// line opens with it.
std::string withoutTicks(const std::string& state) {
  constexpr std::string_view lead = "{\"ticks\":";
  const size_t comma = state.find(',');
  if (state.rfind(lead, 0) != 0 || comma == std::string::npos) return state;
  return "{" + state.substr(comma + 1);
}

struct PassOutcome {
  std::optional<RunResult> result;
  std::string state;
  std::string playedState;  // the state the playback checked at its end
  std::string error;
  bool finished = false;
};

// One run of the game under the player and the viewer, which share the run.
PassOutcome playPass(const SharedRun& replay, const ViewerSettings& settings,
                     const WatchSetup& setup) {
  PassOutcome outcome;
  const ReplayHeader header = replay->header;
  startViewerPass(settings);
  if (setup.freshProfile && !setup.freshProfile()) {
    outcome.error = "the scratch profile cannot be made";
    return outcome;
  }
  ReplayHooks hooks;
  hooks.stateText = [&outcome] { return outcome.playedState = gameStateText(); };
  hooks.pace = viewerPace;
  hooks.runEnded = [&outcome, &header, &setup] {
    if (setup.atResult) setup.atResult();
    if (header.run)
      outcome.result = RunResult{header.run->course, currentResult(header.run->course)};
    outcome.state = gameStateText();
    viewerRunEnded();
  };
  startReplayPlayback(replay, hooks);
  watchHighScoreWritesOfPlayback();
  setCommandLine("snowvel " + header.tail);
  // The last pass's tables are done with: the game allocates its own anew.
  releaseLocalMemory();
  std::vector<char> tail(header.tail.begin(), header.tail.end());
  tail.push_back('\0');
  if (setup.beforeGame) setup.beforeGame();
  gameMain(GetModuleHandleA(nullptr), nullptr, tail.data(), SW_SHOWNORMAL);
  outcome.finished = finishReplay(&outcome.error);
  setProfileWriteWatcher({});
  return outcome;
}

}  // namespace

bool readRun(const std::string& text, Replay* replay, std::string* error) {
  if (text.rfind("snowvel-replay", 0) == 0) return parseReplay(text, replay, error);
  std::string unpacked;
  return readRunLink(text, &unpacked, error) && parseReplay(unpacked, replay, error);
}

RunCheck checkRun(const SharedRun& replay, const WatchSetup& setup) {
  installViewer();
  RunCheck check;
  bool wasFresh = false, first = true;
  ViewerSettings settings;
  settings.presentNever = true;
  settings.fitToRoom = setup.fitToRoom;
  const uint32_t ticksBefore = takeGameSnapshot().ticksRun;
  const auto started = std::chrono::steady_clock::now();
  const std::clock_t cpuStarted = std::clock();
  // Skiing is timed from the first tick: the game's start (its pictures,
  // its window) is loading, told apart.
  std::optional<std::chrono::steady_clock::time_point> skiing;
  std::clock_t cpuSkiing = cpuStarted;
  settings.onClock = [&](uint32_t clock) {
    if (!skiing && ticksRunCount() != ticksBefore) {
      skiing = std::chrono::steady_clock::now();
      cpuSkiing = std::clock();
    }
    if (setup.mostTicks != 0 && ticksRunCount() - ticksBefore > setup.mostTicks) {
      check.outOfTicks = true;
      return false;
    }
    if (first) check.runStart = clock;
    first = false;
    const bool fresh = freshGame();
    if (fresh && !wasFresh) check.runStart = clock;
    wasFresh = fresh;
    check.runEnd = clock;
    return true;
  };
  const bool hasRun = replay->header.run.has_value();
  const std::optional<RunResult> recorded = replay->header.run;
  PassOutcome outcome = playPass(replay, settings, setup);
  const auto ended = std::chrono::steady_clock::now();
  if (!skiing) {
    skiing = ended;
    cpuSkiing = std::clock();
  }
  check.loadSeconds = std::chrono::duration<double>(*skiing - started).count();
  check.seconds = std::chrono::duration<double>(ended - *skiing).count();
  check.cpuSeconds = static_cast<double>(std::clock() - cpuSkiing) / CLOCKS_PER_SEC;
  check.ticks = takeGameSnapshot().ticksRun - ticksBefore;
  check.reachedEnd = outcome.finished;
  check.error = outcome.error;
  check.endState = outcome.playedState;
  check.result = outcome.result;
  check.matches = outcome.finished && !check.outOfTicks && (!hasRun || outcome.result == recorded);
  return check;
}

std::string describeCheck(const Replay& replay, const RunCheck& check) {
  char text[128];
  std::snprintf(text, sizeof text,
                " (re-skied %u ticks in %.3f s, %.3f s of CPU, after %.3f s loading the game)",
                check.ticks, check.seconds, check.cpuSeconds, check.loadSeconds);
  const std::string skied = text;
  if (check.outOfTicks) return "the run went past the most ticks a check skis" + skied;
  if (!check.reachedEnd) return "the run left its recording: " + check.error + skied;
  if (!replay.header.run) return "the replay played to its recorded end" + skied;
  if (!check.result) return "the run never reached its result" + skied;
  if (check.matches) return describeRun(*check.result) + ": matches the recorded result" + skied;
  return describeRun(*check.result) + ": does NOT match the recorded " +
         describeRun(*replay.header.run) + skied;
}

void watchRun(const SharedRun& replay, const RunCheck& check, const WatchSetup& setup,
              std::string* endState) {
  ViewerSettings settings;
  settings.runStart = check.runStart;
  settings.runEnd = check.runEnd;
  settings.showFrom = check.runStart;
  settings.holdAtEnd = setup.holdAtEnd;
  settings.fitToRoom = setup.fitToRoom;
  for (;;) {
    PassOutcome outcome = playPass(replay, settings, setup);
    if (!outcome.state.empty() && endState != nullptr) *endState = withoutTicks(outcome.state);
    if (viewerVerdict() != ViewerVerdict::SeekBack) break;
    settings.showFrom = viewerSeekTarget();
  }
}
