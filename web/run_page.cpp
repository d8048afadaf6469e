#include "run_page.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/game_facts.h"
#include "app/json_writer.h"
#include "app/kept_runs.h"
#include "app/read_file.h"
#include "app/replay_run.h"
#include "app/run_viewer.h"
#include "platform/replay/replay_backend.h"
#include "platform/replay/run_link.h"

extern "C" {
char* snowvel_runs_pending();
void snowvel_runs_note(const char* text);
void snowvel_runs_list(const char* json);
}

namespace fs = std::filesystem;

namespace {

std::string keptFolder;

// Every kept run with its link, the latest first, for the page's list.
void publishKeptRuns() {
  std::vector<fs::directory_entry> runs;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(keptFolder, error))
    if (entry.path().extension() == ".replay") runs.push_back(entry);
  std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) {
    std::error_code ignored;
    return a.last_write_time(ignored) > b.last_write_time(ignored);
  });
  JsonWriter list;
  list.beginArray();
  for (const fs::directory_entry& run : runs) {
    std::string text;
    if (readWholeFile(run.path().string(), &text) && text.size() <= kMostRunBytes) {
      list.beginObject().field("name", run.path().stem().string());
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
  Replay replay;
  std::string error;
  if (!readRun(text, &replay, &error)) {
    snowvel_runs_note(("This run cannot be played: " + error).c_str());
    return false;
  }
  WatchSetup setup;
  ReplayHeader profile = replay.header;
  profile.version = kReplayVersion;
  setup.freshProfile = [profile] { return useScratchProfile(profile); };
  const RunCheck check = checkRun(replay, setup);
  snowvel_runs_note(("Re-skied here: " + describeCheck(replay, check) +
                     ". To play, reload the page without #run= in its address.")
                        .c_str());
  watchRun(replay, check, setup, nullptr);
  return true;
}
