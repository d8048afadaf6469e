#include "run_page.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <emscripten/emscripten.h>

#include "app/game_facts.h"
#include "app/ghost_race.h"
#include "platform/ghost/ghost_overlay.h"
#include "app/json_writer.h"
#include "app/kept_runs.h"
#include "app/plain_files.h"
#include "app/replay_run.h"
#include "app/run_viewer.h"
#include "platform/replay/replay_backend.h"
#include "platform/replay/run_link.h"

extern "C" {
char* snowvel_runs_pending();
void snowvel_runs_note(const char* text);
void snowvel_runs_watching(const char* text);
void snowvel_runs_list(const char* json);
char* snowvel_runs_race_pending();
int snowvel_runs_ghosts_on();
void snowvel_runs_ghosts_ready(const char* what);
}

namespace {

std::string keptFolder;

// Every kept run with its link, the latest first, for the page's list.
void publishKeptRuns() {
  constexpr std::string_view kExtension = ".replay";
  std::vector<FolderFile> runs = filesIn(keptFolder);
  std::erase_if(runs, [&](const FolderFile& run) {
    return run.name.size() <= kExtension.size() || !run.name.ends_with(kExtension);
  });
  std::sort(runs.begin(), runs.end(),
            [](const FolderFile& a, const FolderFile& b) { return a.modifiedNs > b.modifiedNs; });
  JsonWriter list;
  list.beginArray();
  for (const FolderFile& run : runs) {
    std::string text;
    if (readWholeFile(keptFolder + "/" + run.name, &text) && text.size() <= kMostRunBytes) {
      list.beginObject().field("name", run.name.substr(0, run.name.size() - kExtension.size()));
      list.field("link", runLinkFragment(text)).endObject();
    }
  }
  list.endArray();
  snowvel_runs_list(list.text().c_str());
}

}  // namespace

void recordPageSession(const std::string& folder, const std::string& tail) {
  keptFolder = folder + "/runs";
  ReplayHeader header;
  header.tail = tail;
  header.profile = highScoreFileBytes();
  ReplayHooks hooks;
  std::string error;
  if (!startReplayRecording("", header, hooks, &error)) return;
  KeptRunsOptions options;
  options.report = [](const std::string& what) { snowvel_runs_note(what.c_str()); };
  options.saved = publishKeptRuns;
  watchHighScoreWrites(options);
  publishKeptRuns();
}

bool watchPageRun() {
  char* pending = snowvel_runs_pending();
  const std::string text = pending != nullptr ? pending : "";
  std::free(pending);
  if (text.empty()) return false;
  Replay read;
  std::string error;
  if (!readRun(text, &read, &error)) {
    snowvel_runs_note(("This run cannot be played: " + error).c_str());
    return false;
  }
  const SharedRun replay = std::make_shared<const Replay>(std::move(read));
  WatchSetup setup;
  ReplayHeader profile = replay->header;
  profile.version = kReplayVersion;
  setup.freshProfile = [profile] { return useScratchProfile(profile); };
  // The canvas shows a picture larger than the game area shrunk to fit, on
  // device pixels: on a phone, finer than the game's.
  setup.fitToRoom = false;
  const RunCheck check = checkRun(replay, setup);
  snowvel_runs_watching(("Re-skied here: " + describeCheck(*replay, check) + ".").c_str());
  watchRun(replay, check, setup, nullptr);
  return true;
}

void startPageGhosts() {
  char* pending = snowvel_runs_race_pending();
  GhostOptions options;
  options.text = pending != nullptr ? pending : "";
  std::free(pending);
  options.useKeptRuns = options.text.empty();
  options.on = snowvel_runs_ghosts_on() != 0;
  options.report = [](const std::string& what) { snowvel_runs_note(what.c_str()); };
  startGhosts(options);
  snowvel_runs_ghosts_ready(ghostsRaced().c_str());
}

// The page's ghost button and key.
extern "C" EMSCRIPTEN_KEEPALIVE int snowvel_web_toggle_ghost() {
  toggleGhostOverlay();
  return ghostOverlayOn() ? 1 : 0;
}
