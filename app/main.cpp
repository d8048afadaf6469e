// The native program: `snowvel --headless ...` runs the game on the virtual
// desktop; without it the game needs a window backend.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bindings_command.h"
#include "ghost_race.h"
#include "headless_driver.h"
#include "help_text.h"
#include "platform/input/key_bindings.h"
#include "platform/input/key_remapping.h"
#include "platform/internal/screen_layout.h"
#include "platform/kernel/process_settings.h"
#include "platform/kernel/profile_file.h"
#include "replay_run.h"
#include "verify_run.h"
#include "watch_run.h"
#ifdef SNOWVEL_HAVE_SDL2
#include "windowed_run.h"
#endif

namespace {

bool parseScreen(const std::string& text, int* width, int* height) {
  int w = 0, h = 0;
  char x = 0, extra = 0;
  if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3) return false;
  if ((x != 'x' && x != 'X') || w < 1 || h < 1 || w > kMostScreenSide || h > kMostScreenSide)
    return false;
  *width = w;
  *height = h;
  return true;
}

// Said once before play: later the game shows its list as if it were kept.
void warnIfScoresCannotBeKept(const std::string& dataDir) {
  const std::string directory = dataDir.empty() ? profileDirectory() : dataDir;
  const std::string problem = profileDirectoryProblem(directory);
  if (!problem.empty())
    std::fprintf(stderr, "snowvel: high scores cannot be kept in %s: %s\n",
                 directory.empty() ? "any folder" : directory.c_str(), problem.c_str());
}

// Everything the command line can say.
struct CommandLine {
  int scale = 0;
  bool fullscreen = false;
  bool scaleGiven = false;
  bool fullscreenGiven = false;
  HeadlessRunOptions options;
  bool headless = false;
  std::string screen = "1024x768";
  std::vector<std::string> tail;
  BindingsRequest bindings;
  ReplayRequest replay;
  std::string watch, share;
  bool verify = false;
  VerifyRequest verifyRequest;
  GhostOptions ghost;
};

// How the game runs: the desktop it sees, what it is given and what it leaves.
void addGameOptions(CLI::App& app, CommandLine* line) {
  HeadlessRunOptions& options = line->options;
  app.add_flag("--headless", line->headless, "Run on the virtual desktop (no window)");
  app.add_option("--screen", line->screen, "Display size WxH the game sees")->capture_default_str();
  app.add_option("--seed", options.seed, "The clock's start value, which seeds the first game")
      ->capture_default_str();
  app.add_option("--ticks", options.ticks, "Periods of 40 ms to run before closing")
      ->capture_default_str();
  app.add_option("--input", options.inputFile, "Input script: PERIOD EVENT ARGS per line")
      ->check(CLI::ExistingFile);
  app.add_option("--screenshot", options.screenshotFile, "PNG of the client area at the end");
  app.add_option("--dump", options.dumpFile, "JSON of the game state at the end");
  app.add_option("--seen", options.seenFile,
                 "JSON of every actor state and sprite shown during a headless run");
  app.add_option("--data-dir", options.dataDir, "Where the high-score file lives");
  app.add_option("--scale", line->scale, "Show each game pixel as NxN screen pixels (0: automatic)")
      ->check(CLI::Range(0, kMostScale))
      ->capture_default_str();
  app.add_flag("--fullscreen", line->fullscreen,
               "Start in fullscreen (F11 or Alt+Enter toggles it)");
  BindingsRequest& bindings = line->bindings;
  app.add_option("--bind", bindings.binds,
                 "Bind ACTION=KEYS (keys as --bindings names them, or by place: \"Keypad 4\", "
                 "Numpad4, KeyA; pad:a) and save it; with --headless for that run only")
      ->type_name("ACTION=KEYS");
  app.add_flag("--bindings", bindings.list, "List the actions and their keys");
  app.add_flag("--reset-bindings", bindings.reset, "Give every action its default keys again");
}

// Runs: recording, playing back, watching, sharing, verifying and racing them.
void addRunOptions(CLI::App& app, CommandLine* line) {
  auto* record = app.add_option("--record", line->replay.recordFile,
                                "Record the run (clock, input, answers, end state) to FILE");
  app.add_option("--replay", line->replay.replayFile, "Play back a recorded run from FILE")
      ->check(CLI::ExistingFile)
      ->excludes(record);
  app.add_option("--watch", line->watch,
                 "Watch a kept run: a run file, a link or its #run= fragment (keys: the "
                 "watch-* actions of --bindings)");
  app.add_option("--share", line->share,
                 "Print the #run= fragment of a run file for a page's address")
      ->check(CLI::ExistingFile);
  app.add_flag("--verify", line->verify,
               "Re-ski the run on stdin (a run file, a link or its #run= fragment) unseen and "
               "answer one line: ok COURSE RESULT, or refused \"WHY\" (exit 2 unreadable, 3 "
               "not reached)");
  app.add_option("--max-ticks", line->verifyRequest.mostTicks,
                 "With --verify: refuse a run that skis past this many ticks")
      ->check(CLI::Range(1u, 100000000u))
      ->capture_default_str();
  app.add_option("--ghost", line->ghost.source,
                 "Race a ghost of a kept run: a run file, a link or its #run= fragment (the "
                 "window races the best kept run of each course without it; G turns it off)");
}

// The commands that take a run instead of playing: their exit code, or none.
std::optional<int> runRunCommand(CommandLine& line) {
  if (line.verify) {
    line.verifyRequest.dumpFile = line.options.dumpFile;
    return runVerify(line.verifyRequest);
  }
  if (!line.share.empty()) return runShare(line.share);
  if (!line.watch.empty()) {
    // As in play, --bind holds for a headless run only.
    if (line.headless && !applyBindings(line.bindings, &keyBindings(), &viewerKeyBindings()))
      return 2;
    return runWatch(WatchRequest{line.watch, line.headless, line.options.inputFile,
                                 line.options.dumpFile, line.options.screenshotFile});
  }
  return std::nullopt;
}

// The screen and the tail as the game takes them; false after saying why.
bool settleGameOptions(CommandLine* line) {
  HeadlessRunOptions& options = line->options;
  if (!parseScreen(line->screen, &options.screenWidth, &options.screenHeight)) {
    std::fprintf(stderr,
                 "snowvel: --screen wants WxH, for example 1024x768 (see snowvel --help)\n");
    return false;
  }
  for (size_t i = 0; i < line->tail.size(); ++i) {
    if (i > 0) options.tail += ' ';
    options.tail += line->tail[i];
  }
  return true;
}

// The game itself, in a window or headless, with what goes over its backend.
int play(CommandLine& line) {
  HeadlessRunOptions& options = line.options;
  ReplayRequest& replay = line.replay;
  GhostOptions& ghost = line.ghost;
  replay.headless = line.headless;
  replay.scale = line.scale;
  if (!prepareReplay(&replay, &options)) return 2;
  // A playback shows what was recorded; the headless desktop races only the
  // ghost it is given.
  const bool ghosts = replay.replayFile.empty() && (!line.headless || !ghost.source.empty());
  ghost.useKeptRuns = !line.headless;
  options.ghostSplits = line.headless && !ghost.source.empty();
  // The recorder goes over the remapping, and the remapping over the ghost
  // overlay: a replay holds what the game saw.
  options.overBackend = [&] {
    if (ghosts) startGhosts(ghost);
    startKeyRemapping();
    return startReplay(replay, options);
  };
  warnIfScoresCannotBeKept(options.dataDir);
  if (!line.headless) {
#ifdef SNOWVEL_HAVE_SDL2
    WindowedRunOptions windowed;
    windowed.scale = replay.scale;
    windowed.fullscreen = line.fullscreen;
    windowed.dataDir = options.dataDir;
    windowed.tail = options.tail;
    windowed.overBackend = options.overBackend;
    // A recorded run keeps the scale its header names.
    windowed.scaleGiven =
        line.scaleGiven || !replay.replayFile.empty() || !replay.recordFile.empty();
    windowed.fullscreenGiven = line.fullscreenGiven;
    windowed.ghostsSetting = [&ghost](bool on) { ghost.on = on; };
    return finishReplayRun(replay, runWindowed(windowed));
#else
    std::fprintf(stderr, "snowvel: this build has no window backend; run with --headless\n");
    return 2;
#endif
  }
  return finishReplayRun(replay, runHeadless(options));
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Snowvel, a skiing game", "snowvel"};
  app.footer(helpFooter());
  app.set_version_flag("--version", "snowvel " SNOWVEL_VERSION);
  CommandLine line;
  addGameOptions(app, &line);
  addRunOptions(app, &line);
  app.add_option("tail", line.tail, "The command-line tail given to the game (e.g. nosound)");
  app.allow_extras(false);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {  // --help, --version
    return app.exit(done);
  } catch (const CLI::ParseError& error) {
    std::fprintf(stderr, "snowvel: %s (see snowvel --help)\n", error.what());
    return 2;
  }
  line.scaleGiven = app.count("--scale") > 0;
  line.fullscreenGiven = app.count("--fullscreen") > 0;

  if (const std::optional<int> exitCode = runRunCommand(line)) return *exitCode;
  if (!settleGameOptions(&line)) return 2;
  if (line.headless) {
    // A headless run never reads or writes the player's settings.
    if (!applyBindings(line.bindings, &keyBindings(), &viewerKeyBindings())) return 2;
  } else if (line.bindings.any()) {
    return runBindingsCommand(line.bindings);
  }
  return play(line);
}
