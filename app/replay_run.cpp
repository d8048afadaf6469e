#include "replay_run.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/headless/headless_state.h"
#include "platform/replay/replay_backend.h"
#include "shell/game_snapshot.h"
#include "state_dump.h"

namespace {

constexpr uint32_t kPeriodMs = 40;
Replay loaded;

// The game's own state at the end, without what only the headless desktop
// records (its boxes and sounds are checked item by item in the stream).
std::string gameStateText(uint32_t seed) {
  nlohmann::ordered_json state = dumpState(takeGameSnapshot(), seed, kPeriodMs);
  state.erase("messageBoxes");
  state.erase("sounds");
  return state.dump();
}

}  // namespace

bool prepareReplay(ReplayRequest* request, HeadlessRunOptions* options) {
  if (request->replayFile.empty()) return true;
  std::ifstream in(request->replayFile, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "snowvel: cannot read %s\n", request->replayFile.c_str());
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::string error;
  if (!parseReplay(text.str(), &loaded, &error)) {
    std::fprintf(stderr, "snowvel: %s: %s\n", request->replayFile.c_str(), error.c_str());
    return false;
  }
  options->seed = loaded.header.seed;
  options->screenWidth = loaded.header.screenWidth;
  options->screenHeight = loaded.header.screenHeight;
  options->tail = loaded.header.tail;
  request->scale = loaded.header.scale;
  return true;
}

bool startReplay(const ReplayRequest& request, const HeadlessRunOptions& options) {
  const uint32_t seed = options.seed;
  ReplayHooks hooks;
  hooks.stateText = [seed] { return gameStateText(seed); };
  if (!request.recordFile.empty()) {
    ReplayHeader header;
    header.scale = request.scale;
    header.tail = options.tail;
    std::string error;
    if (!startReplayRecording(request.recordFile, header, hooks, &error)) {
      std::fprintf(stderr, "snowvel: %s\n", error.c_str());
      return false;
    }
    return true;
  }
  if (request.replayFile.empty()) return true;
  if (request.headless) {
    // The headless desktop keeps its records (boxes, sounds) by its own
    // clock: keep that clock on the replayed one, and give each box its
    // recorded answer.
    hooks.clockChanged = [seed](uint32_t clock) {
      headlessDesktop().elapsed = static_cast<uint32_t>(clock - seed);
    };
    hooks.boxAnswerAhead = [](int answer) { headlessQueueAnswer(answer); };
  } else {
    hooks.realTime = true;
  }
  startReplayPlayback(std::move(loaded), std::move(hooks));
  return true;
}

int finishReplayRun(const ReplayRequest& request, int exitCode) {
  if (request.recordFile.empty() && request.replayFile.empty()) return exitCode;
  std::string error;
  if (finishReplay(&error)) return exitCode;
  const std::string& file = request.recordFile.empty() ? request.replayFile : request.recordFile;
  std::fprintf(stderr, "snowvel: %s: %s\n", file.c_str(), error.c_str());
  return request.recordFile.empty() ? 3 : 2;
}
