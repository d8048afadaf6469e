// The headless run: the game's own entry on the virtual desktop, with the
// picture and the state taken just before the main window is closed.
#include "headless_driver.h"

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>

#include "platform/headless/headless.h"
#include "platform/kernel/process_settings.h"
#include "platform/win32.h"
#include "shell/game_snapshot.h"
#include "shell/shell.h"
#include "game_facts.h"
#include "ghost_race.h"
#include "plain_files.h"
#include "state_dump.h"

namespace {

constexpr uint32_t kPeriodMs = 40;

struct EndOfRun {
  const HeadlessRunOptions* options = nullptr;
  Backend wrapped{};
  bool (*headlessWait)(BackendEvent*, uint32_t) = nullptr;
  bool captured = false;
  bool failed = false;
  GameSnapshot snapshot{};
  // The end dump holds only the last picture; a tree that burned out or a
  // gate missed long before the finish shows up only here.
  std::set<int32_t> statesSeen, spritesSeen;
  bool mouseSeen = false;
};

EndOfRun endOfRun;

// Takes the picture and the state while the window still exists.
void captureEndOfRun() {
  if (endOfRun.captured) return;
  endOfRun.captured = true;
  endOfRun.snapshot = takeGameSnapshot();
  endOfRun.snapshot.ticksRun -= ticksBeforeThisGame();
  const HeadlessRunOptions& options = *endOfRun.options;
  if (!options.screenshotFile.empty()) {
    std::string error;
    if (!headlessSavePng(nullptr, options.screenshotFile, &error)) {
      std::fprintf(stderr, "snowvel: screenshot %s: %s\n", options.screenshotFile.c_str(),
                   error.c_str());
      endOfRun.failed = true;
    }
  }
}

void noteWhatIsShown() {
  for (const ActorSnapshot& actor : takeGameSnapshot().actors) {
    endOfRun.statesSeen.insert(actor.state);
    endOfRun.spritesSeen.insert(actor.spriteIndex);
  }
  endOfRun.mouseSeen = endOfRun.mouseSeen || readSkierFacts().mouseSeen;
}

bool waitWatchingForTheEnd(BackendEvent* event, uint32_t timeoutMs) {
  if (!endOfRun.options->seenFile.empty()) noteWhatIsShown();
  const bool got = endOfRun.headlessWait(event, timeoutMs);
  if (got && event->type == BackendEventType::Close) captureEndOfRun();
  return got;
}

void writeBoxes(JsonWriter& out) {
  out.key("messageBoxes").beginArray();
  for (const HeadlessMessageBox& box : headlessMessageBoxes()) {
    const char* answer = box.answer == 1 ? "OK" : box.answer == 2 ? "CANCEL" : "OTHER";
    out.beginObject().field("caption", box.caption).field("text", box.text);
    out.field("answer", answer).field("answerId", box.answer).field("time", box.time).endObject();
  }
  out.endArray();
}

void writeSounds(uint32_t startTick, uint32_t periodMs, JsonWriter& out) {
  out.key("sounds").beginArray();
  for (const HeadlessSound& sound : headlessSounds()) {
    if (sound.stop) continue;
    out.beginObject().field("tick", (sound.time - startTick) / periodMs);
    out.field("time", sound.time).field("id", sound.resourceId).endObject();
  }
  out.endArray();
}

}  // namespace

int runHeadless(const HeadlessRunOptions& options) {
  HeadlessConfig config;
  config.screenWidth = options.screenWidth;
  config.screenHeight = options.screenHeight;
  config.startTick = options.seed;
  config.endTick = options.seed + options.ticks * kPeriodMs;
  installHeadlessBackend(config);
  // Before the replay goes over the desktop: a recording takes the
  // high-score file as the session finds it.
  if (!options.dataDir.empty()) setProfileDirectory(options.dataDir);
  if (options.overBackend && !options.overBackend()) return 2;

  // Watch the desktop's wait for the closing event of the run's end.
  endOfRun = EndOfRun{};
  endOfRun.options = &options;
  endOfRun.wrapped = *currentBackend();
  endOfRun.headlessWait = endOfRun.wrapped.waitEvent;
  endOfRun.wrapped.waitEvent = waitWatchingForTheEnd;
  setBackend(&endOfRun.wrapped);

  if (!options.inputFile.empty()) {
    std::string text, error;
    std::vector<InputScriptEntry> entries;
    if (!readWholeFile(options.inputFile, &text)) {
      std::fprintf(stderr, "snowvel: cannot read %s\n", options.inputFile.c_str());
      return 2;
    }
    if (!parseInputScript(text, &entries, &error)) {
      std::fprintf(stderr, "snowvel: %s: %s\n", options.inputFile.c_str(), error.c_str());
      return 2;
    }
    scheduleInputScript(entries, kPeriodMs);
  }
  setCommandLine("snowvel " + options.tail);

  std::vector<char> tail(options.tail.begin(), options.tail.end());
  tail.push_back('\0');
  const int exitCode = gameMain(GetModuleHandleA(nullptr), nullptr, tail.data(), SW_SHOWNORMAL);
  // A game that ended by itself (no close from the desktop) is dumped as it
  // stands; there is no picture left to take then.
  if (!endOfRun.captured) {
    endOfRun.captured = true;
    endOfRun.snapshot = takeGameSnapshot();
    endOfRun.snapshot.ticksRun -= ticksBeforeThisGame();
    if (!options.screenshotFile.empty()) {
      std::fprintf(stderr, "snowvel: the game ended before the screenshot could be taken\n");
      endOfRun.failed = true;
    }
  }

  if (!options.dumpFile.empty()) {
    std::ofstream out(options.dumpFile);
    const uint32_t startTick = options.seed;
    const std::string state = dumpState(endOfRun.snapshot, [startTick](JsonWriter& out) {
      writeBoxes(out);
      writeSounds(startTick, kPeriodMs, out);
    });
    nlohmann::ordered_json dump = nlohmann::ordered_json::parse(state);
    if (options.ghostSplits) {
      nlohmann::ordered_json splits = nlohmann::ordered_json::array();
      for (const GhostSplit& split : ghostSplits()) {
        nlohmann::ordered_json entry = {{"gate", split.gate}};
        if (split.finish) entry["finish"] = true;
        entry["ms"] = split.ms;
        splits.push_back(entry);
      }
      dump["splits"] = splits;
    }
    out << dump.dump(2) << '\n';
    if (!out) {
      std::fprintf(stderr, "snowvel: cannot write %s\n", options.dumpFile.c_str());
      endOfRun.failed = true;
    }
  }
  if (!options.seenFile.empty()) {
    std::ofstream out(options.seenFile);
    out << nlohmann::ordered_json{{"states", endOfRun.statesSeen},
                                  {"sprites", endOfRun.spritesSeen},
                                  {"mouse", endOfRun.mouseSeen}}
               .dump()
        << '\n';
    if (!out) {
      std::fprintf(stderr, "snowvel: cannot write %s\n", options.seenFile.c_str());
      endOfRun.failed = true;
    }
  }
  return endOfRun.failed && exitCode == 0 ? 2 : exitCode;
}
