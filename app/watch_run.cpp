#include "watch_run.h"

#include <cstdio>
#include <fstream>

#include "platform/headless/headless.h"
#include "platform/internal/shown_text.h"
#include "platform/replay/run_link.h"
#include "platform/replay/viewer_backend.h"
#include "platform/settings/player_settings.h"
#include "plain_files.h"
#include "replay_run.h"
#include "run_viewer.h"
#ifdef SNOWVEL_HAVE_SDL2
#include "platform/sdl2/sdl2_backend.h"
#include "platform/win32.h"
#endif

namespace {

// A file is read (a run, or a link saved in it); anything else is taken as
// a link.
bool loadRun(const std::string& source, Replay* replay) {
  std::string text, error;
  const bool isFile = readWholeFile(source, &text);
  if (!isFile && source.find("run=") == std::string::npos) {
    std::fprintf(stderr,
                 "snowvel: cannot read %s (neither a run file of at most %zu MB nor a link)\n",
                 shownText(source).c_str(), kMostReadBytes >> 20);
    return false;
  }
  if (!isFile) text = source;
  if (!readRun(text, replay, &error)) {
    std::fprintf(stderr, "snowvel: %s: %s\n", isFile ? source.c_str() : "link", error.c_str());
    return false;
  }
  return true;
}

bool installUnder(const WatchRequest& request, const Replay& replay) {
  if (request.headless) {
    HeadlessConfig config;
    config.screenWidth = replay.header.screenWidth;
    config.screenHeight = replay.header.screenHeight;
    config.startTick = replay.header.seed;
    installHeadlessBackend(config);
    if (request.inputFile.empty()) return true;
    std::string text, error;
    std::vector<InputScriptEntry> entries;
    if (!readWholeFile(request.inputFile, &text) || !parseInputScript(text, &entries, &error)) {
      std::fprintf(stderr, "snowvel: %s: %s\n", request.inputFile.c_str(),
                   error.empty() ? "cannot read it" : error.c_str());
      return false;
    }
    scheduleInputScript(entries);
    return true;
  }
#ifdef SNOWVEL_HAVE_SDL2
  // The viewer's keys as the player bound them.
  std::vector<std::string> warnings;
  if (const std::string path = settingsPath(); !path.empty())
    viewerKeyBindings() = loadSettings(path, &warnings).viewerBindings;
  for (const std::string& warning : warnings)
    std::fprintf(stderr, "snowvel: %s\n", warning.c_str());
  Sdl2Config config;
  config.noAudio = lstrcmpiA(replay.header.tail.c_str(), "nosound") == 0;
  config.scale = 1;
  return installSdl2Backend(config);
#else
  std::fprintf(stderr, "snowvel: this build has no window backend; watch with --headless\n");
  return false;
#endif
}

}  // namespace

int runWatch(const WatchRequest& request) {
  Replay read;
  if (!loadRun(request.source, &read)) return 2;
  const SharedRun replay = std::make_shared<const Replay>(std::move(read));
  if (!installUnder(request, *replay)) return 2;
  WatchSetup setup;
  // Never the player's high-score file: each pass gets its own copy of the
  // one the run began with.
  ReplayHeader profile = replay->header;
  profile.version = kReplayVersion;
  setup.freshProfile = [profile] { return useScratchProfile(profile); };
  setup.holdAtEnd = !request.headless;
  const RunCheck check = checkRun(replay, setup);
  std::printf("%s\n", describeCheck(*replay, check).c_str());
  std::fflush(stdout);
  std::string endState;
  watchRun(replay, check, setup, &endState);
  int exitCode = check.matches ? 0 : 3;
  if (!request.screenshotFile.empty()) {
    std::string error;
    if (!request.headless || !headlessSavePng(viewerWindow(), request.screenshotFile, &error)) {
      std::fprintf(stderr, "snowvel: screenshot %s: %s\n", request.screenshotFile.c_str(),
                   request.headless ? error.c_str() : "only with --headless");
      exitCode = 2;
    }
  }
  if (!request.dumpFile.empty()) {
    std::ofstream out(request.dumpFile);
    out << endState << '\n';
    if (!out) {
      std::fprintf(stderr, "snowvel: cannot write %s\n", request.dumpFile.c_str());
      exitCode = 2;
    }
  }
  closeViewer();
#ifdef SNOWVEL_HAVE_SDL2
  if (!request.headless) shutdownSdl2Backend();
#endif
  return exitCode;
}

int runShare(const std::string& file) {
  std::string text, error;
  Replay replay;
  // The size first: nothing larger than a link can carry is parsed.
  if (!readWholeFile(file, &text, kMostRunBytes)) {
    std::fprintf(stderr,
                 "snowvel: cannot read %s as a run of at most %zu bytes, the most a link carries\n",
                 file.c_str(), kMostRunBytes);
    return 2;
  }
  if (!parseReplay(text, &replay, &error)) {
    std::fprintf(stderr, "snowvel: %s: %s\n", file.c_str(), error.c_str());
    return 2;
  }
  // A link is printed only when it reads back as --watch would read it.
  const std::string link = runLinkFragment(text);
  std::string again;
  if (!readRunLink(link, &again, &error)) {
    std::fprintf(stderr, "snowvel: %s: its link would not read back: %s\n", file.c_str(),
                 error.c_str());
    return 2;
  }
  std::printf("#%s\n", link.c_str());
  return 0;
}
