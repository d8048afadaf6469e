#include "replay_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>

#include "game_facts.h"
#include "kept_runs.h"
#include "platform/headless/headless_state.h"
#include "platform/kernel/process_settings.h"
#include "platform/kernel/profile_file.h"
#include "plain_files.h"
#include "platform/replay/replay_backend.h"
#include "scoring/score_list.h"

namespace {

Replay loaded;
std::string scratchFolder;

void removeScratchFolder() {
  std::error_code error;
  if (!scratchFolder.empty()) std::filesystem::remove_all(scratchFolder, error);
}

}  // namespace

void applyReplaySettings(const ReplayHeader& header, HeadlessRunOptions* options) {
  options->seed = header.seed;
  options->screenWidth = header.screenWidth;
  options->screenHeight = header.screenHeight;
  options->tail = header.tail;
}

std::optional<std::string> highScoreFileBytes() {
  const std::string path = resolveProfilePath(kHighScoreFile);
  if (path.empty()) return std::nullopt;
  ProfileBytes file = readProfileBytes(path);
  if (file.status != ProfileReadStatus::Read) return std::nullopt;
  return std::move(file.bytes);
}

bool useScratchProfile(const ReplayHeader& header) {
  if (header.version < 2) return true;
  if (scratchFolder.empty()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "snowvel-scratch-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::fprintf(stderr, "snowvel: cannot make a scratch folder: %s\n", std::strerror(errno));
      return false;
    }
    scratchFolder = pattern;
    setScratchFolder(scratchFolder);
    std::atexit(removeScratchFolder);
  }
  setProfileDirectory(scratchFolder);
  const std::string path = scratchFolder + "/" + kHighScoreFile;
  std::error_code error;
  std::filesystem::remove(path, error);
  if (header.profile && !replaceFileAtomically(path, *header.profile)) {
    std::fprintf(stderr, "snowvel: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  return true;
}

bool prepareReplay(ReplayRequest* request, HeadlessRunOptions* options) {
  if (request->replayFile.empty()) return true;
  std::string text;
  if (!readWholeFile(request->replayFile, &text)) {
    std::fprintf(stderr, "snowvel: cannot read %s (not a plain file of at most %zu MB?)\n",
                 request->replayFile.c_str(), kMostReadBytes >> 20);
    return false;
  }
  std::string error;
  if (!parseReplay(text, &loaded, &error)) {
    std::fprintf(stderr, "snowvel: %s: %s\n", request->replayFile.c_str(), error.c_str());
    return false;
  }
  applyReplaySettings(loaded.header, options);
  request->scale = loaded.header.scale;
  return true;
}

bool startReplay(const ReplayRequest& request, const HeadlessRunOptions& options) {
  const uint32_t seed = options.seed;
  ReplayHooks hooks;
  hooks.stateText = gameStateText;
  if (request.replayFile.empty()) {
    ReplayHeader header;
    header.scale = request.scale;
    header.tail = options.tail;
    header.profile = highScoreFileBytes();
    std::string error;
    if (!startReplayRecording(request.recordFile, header, hooks, &error)) {
      std::fprintf(stderr, "snowvel: %s\n", error.c_str());
      return false;
    }
    watchHighScoreWrites({});
    return true;
  }
  if (!useScratchProfile(loaded.header)) return false;
  watchHighScoreWritesOfPlayback();
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
  startReplayPlayback(std::make_shared<const Replay>(std::move(loaded)), std::move(hooks));
  return true;
}

int finishReplayRun(const ReplayRequest& request, int exitCode) {
  std::string error;
  if (finishReplay(&error)) return exitCode;
  const std::string& file = request.recordFile.empty() ? request.replayFile : request.recordFile;
  std::fprintf(stderr, "snowvel: %s: %s\n", file.c_str(), error.c_str());
  return request.recordFile.empty() && !request.replayFile.empty() ? 3 : 2;
}
