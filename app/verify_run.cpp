#include "verify_run.h"

#include <cstdio>
#include <string_view>

#include "platform/internal/shown_text.h"
#include "platform/gdi/raster.h"
#include "platform/headless/headless.h"
#include "platform/replay/run_link.h"
#include "platform/replay/viewer_backend.h"
#include "replay_run.h"
#include "run_viewer.h"

namespace {

int refuse(int exitCode, std::string_view reason) {
  std::printf("refused %s\n", quotedText(reason, 160).c_str());
  return exitCode;
}

// At most kMostRunBytes; false when stdin holds more (not read past that).
bool readInput(std::string* text, bool* tooLong) {
  *tooLong = false;
  char chunk[65536];
  for (;;) {
    const size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
    if (got == 0) return !std::ferror(stdin);
    if (text->size() + got > kMostRunBytes) {
      *tooLong = true;
      return false;
    }
    text->append(chunk, got);
  }
}

void writeDump(const std::string& path, const std::string& state) {
  if (path.empty()) return;
  if (std::FILE* out = std::fopen(path.c_str(), "w")) {
    std::fprintf(out, "%s\n", state.c_str());
    std::fclose(out);
  }
}

}  // namespace

int runVerify(const VerifyRequest& request) {
  std::string text;
  bool tooLong = false;
  if (!readInput(&text, &tooLong))
    return refuse(2, tooLong
                         ? "too long: a run is at most " + std::to_string(kMostRunBytes) + " bytes"
                         : "cannot read the run");
  // A link may come with a line end after it; a run file keeps its own.
  if (text.rfind("snowvel-replay", 0) != 0)
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
      text.pop_back();
  Replay replay;
  std::string error;
  if (!readRun(text, &replay, &error)) return refuse(2, error);
  // A replay that is no kept run is re-skied only for a test's dump.
  if (!replay.header.run && request.dumpFile.empty())
    return refuse(2, "not a kept run: it names no result");

  HeadlessConfig config;
  config.screenWidth = replay.header.screenWidth;
  config.screenHeight = replay.header.screenHeight;
  config.startTick = replay.header.seed;
  installHeadlessBackend(config);
  setRasterSkipped(true);
  WatchSetup setup;
  ReplayHeader profile = replay.header;
  profile.version = kReplayVersion;
  setup.freshProfile = [profile] { return useScratchProfile(profile); };
  setup.holdAtEnd = false;
  setup.mostTicks = request.mostTicks;
  const bool keptRun = replay.header.run.has_value();
  const RunCheck check = checkRun(std::make_shared<const Replay>(std::move(replay)), setup);
  writeDump(request.dumpFile, check.endState);
  closeViewer();
  if (!keptRun) return refuse(2, "not a kept run: it names no result");
  if (check.outOfTicks)
    return refuse(3, "too long: past " + std::to_string(request.mostTicks) + " ticks");
  if (!check.reachedEnd) return refuse(3, "the run left its recording: " + check.error);
  if (!check.result) return refuse(3, "the run never reached its result");
  if (!check.matches) return refuse(3, "the result is not the recorded one");
  std::printf("ok %s %d\n", check.result->course.c_str(), check.result->result);
  return 0;
}
