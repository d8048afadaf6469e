#include "ghost_race.h"

#include <cstdio>
#include <functional>
#include <map>

#include "game_facts.h"
#include "kept_runs.h"
#include "plain_files.h"
#include "platform/gdi/dib_decode.h"
#include "platform/ghost/ghost_overlay.h"
#include "platform/internal/shown_text.h"
#include "platform/kernel/process_settings.h"
#include "platform/replay/viewer_backend.h"
#include "platform/win32.h"
#include "replay_run.h"
#include "run_viewer.h"
#include "scoring/score_list.h"

namespace {

// Files of hours of play are runs too, as watching takes them.
constexpr size_t kMostGhostFileBytes = size_t{64} << 20;

// Follows the player's runs of the courses tick by tick. A tick's state is
// read when the layer presents after it and again when the next tick reads
// the clock (any input between ticks is in by then), the same way in a run
// skied unseen and in play, so a run raced against itself matches exactly.
class Follower {
 public:
  std::function<void(int gate, int32_t ms)> gatePassed;
  std::function<void(const GhostRun& run)> finished;
  std::function<void()> started;

  void clockRead() {
    const uint32_t count = gameTicks();
    if (count == lastCount_) return;
    lastCount_ = count;
    observe(count - 1);  // this reading opens a tick: the state is the last one's
  }
  void presented() { observe(gameTicks()); }

  // The state as it stands after tick postTick.
  void observe(uint32_t postTick) {
    const SkierFacts s = readSkierFacts();
    if (active_ && s.course != run_.course) {
      record(postTick, s);
      active_ = false;
      if (s.course.empty() && s.belowStart) {
        run_.result = !isTimedCourse(run_.course) ? s.style : s.runClock;
        if (finished) finished(run_);
      }
    }
    if (!active_ && !s.course.empty() && s.present) {
      active_ = true;
      start_ = postTick;
      styleAtStart_ = s.style;
      run_ = GhostRun{};
      run_.course = s.course;
      if (started) started();
    }
    if (!active_) return;
    record(postTick, s);
    while (static_cast<int>(run_.gates.size()) < s.gatesPassed) {
      run_.gates.push_back(s.courseTime);
      if (gatePassed) gatePassed(static_cast<int>(run_.gates.size()), s.courseTime);
    }
  }

  void reset() {
    lastCount_ = gameTicks();
    active_ = false;
    run_ = GhostRun{};
  }
  bool active() const { return active_; }
  const std::string& course() const { return run_.course; }
  // Ticks since the start banner, as of now.
  uint32_t ticksIn() const { return gameTicks() - start_; }
  int32_t styleGained(const SkierFacts& s) const { return s.style - styleAtStart_; }

 private:
  void record(uint32_t postTick, const SkierFacts& s) {
    const uint32_t k = postTick - start_;
    if (k > 1000000) return;  // before the start: never
    const GhostFrame frame{s.x, s.y, s.z, s.sprite, s.style - styleAtStart_};
    if (run_.frames.size() <= k)
      run_.frames.resize(k + 1, run_.frames.empty() ? frame : run_.frames.back());
    run_.frames[k] = frame;
  }

  uint32_t lastCount_ = 0;
  bool active_ = false;
  uint32_t start_ = 0;
  int32_t styleAtStart_ = 0;
  GhostRun run_;
};

struct Race {
  std::map<std::string, GhostRun> ghosts;  // by course
  bool chosen = false;                     // --ghost: kept whatever the player skis
  Follower follower;
  std::vector<GhostSplit> splits;
  std::string line;
  std::map<uint16_t, DecodedImage> sprites;
};

Race race;

bool better(const GhostRun& run, const GhostRun& than) {
  if (!run.result) return false;
  if (!than.result) return true;
  return !isTimedCourse(run.course) ? *run.result > *than.result : *run.result < *than.result;
}

const DecodedImage* spriteImage(uint16_t id) {
  auto found = race.sprites.find(id);
  if (found != race.sprites.end()) return found->second.width > 0 ? &found->second : nullptr;
  DecodedImage& image = race.sprites[id];
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), RT_BITMAP);
  if (resource == nullptr) return nullptr;
  HGLOBAL data = LoadResource(module, resource);
  const void* bytes = data != nullptr ? LockResource(data) : nullptr;
  if (bytes == nullptr || !decodeDib(static_cast<const uint8_t*>(bytes),
                                     SizeofResource(module, resource), &image, nullptr))
    image = DecodedImage{};
  return image.width > 0 ? &image : nullptr;
}

std::string timedLine(const char* what, int32_t ms) {
  return std::string(what) + "  " + splitText(ms);
}

void onGatePassed(int gate, int32_t ms) {
  const auto ghost = race.ghosts.find(race.follower.course());
  if (ghost == race.ghosts.end() || static_cast<int>(ghost->second.gates.size()) < gate) return;
  const int32_t difference = ms - ghost->second.gates[gate - 1];
  race.splits.push_back(GhostSplit{gate, false, difference});
  race.line = timedLine(("gate " + std::to_string(gate)).c_str(), difference);
}

void onFinished(const GhostRun& run) {
  const auto ghost = race.ghosts.find(run.course);
  if (ghost != race.ghosts.end() && ghost->second.result && run.result) {
    const int32_t difference = *run.result - *ghost->second.result;
    if (!isTimedCourse(run.course)) {
      race.line = "finish  ghost " + std::to_string(*ghost->second.result) + " pts, you " +
                  (difference >= 0 ? "+" : "") + std::to_string(difference);
    } else {
      race.splits.push_back(GhostSplit{static_cast<int>(run.gates.size()) + 1, true, difference});
      race.line = timedLine("finish", difference);
    }
  }
  // The best run of this session becomes the ghost of the next.
  if (!race.chosen && (ghost == race.ghosts.end() || better(run, ghost->second)))
    race.ghosts[run.course] = run;
}

void onStarted() {
  race.splits.clear();
  race.line.clear();
}

RECT statusPanelRect(const SkierFacts& s) {
  RECT panel{0, 0, 0, 0};
  if (s.statusWindow == nullptr || !IsWindowVisible(s.statusWindow)) return panel;
  GetWindowRect(s.statusWindow, &panel);
  POINT topLeft{panel.left, panel.top}, bottomRight{panel.right, panel.bottom};
  ScreenToClient(s.mainWindow, &topLeft);
  ScreenToClient(s.mainWindow, &bottomRight);
  return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

GhostPicture currentPicture() {
  race.follower.presented();
  const SkierFacts s = readSkierFacts();
  GhostPicture picture;
  if (s.mainWindow == nullptr) return picture;
  picture.window = s.mainWindow;
  picture.keepOut = statusPanelRect(s);
  picture.line = race.line;
  if (!race.follower.active()) return picture;
  const auto ghost = race.ghosts.find(race.follower.course());
  if (ghost == race.ghosts.end()) return picture;
  const GhostRun& run = ghost->second;
  const uint32_t k = race.follower.ticksIn();
  if (k >= run.frames.size()) return picture;  // the ghost is through
  const GhostFrame& frame = run.frames[k];
  if (!isTimedCourse(run.course)) {
    const int32_t ahead = race.follower.styleGained(s) - frame.style;
    picture.line = "ghost " + std::to_string(frame.style) + " pts, you " + (ahead >= 0 ? "+" : "") +
                   std::to_string(ahead);
  }
  const DecodedImage* image = spriteImage(frame.sprite);
  if (image == nullptr) return picture;
  // Where the game would put this sprite at this place, with the view as it
  // is now: two skiers at one place overlap.
  picture.sprite = GhostSprite{image->pixels.data(), image->width, image->height};
  picture.left = int16_t(frame.x - s.viewX + s.anchorX - image->width / 2);
  picture.top = int16_t(frame.y - s.viewY + s.anchorY - frame.z - image->height);
  return picture;
}

bool loadGhostText(const std::string& source, std::string* text, std::string* error) {
  if (readWholeFile(source, text)) {
    if (text->size() > kMostGhostFileBytes) {
      *error = "too large to be a run";
      return false;
    }
    if (text->rfind("snowvel-replay", 0) != 0 && text->find("run=") == std::string::npos) {
      *error = "not a run file";
      return false;
    }
    return true;
  }
  if (source.find("run=") == std::string::npos) {
    *error = "neither a file nor a link";
    return false;
  }
  *text = source;
  return true;
}

// The desktop as a ghost's unseen skiing sees it: no window, picture or sound
// of it reaches the player's screen (the page's canvas stays the game's).
Backend blindDesktop;

bool noWindow(HWND, const char*, const RECT&) {
  return true;
}
void noDestroy(HWND) {}
void noState(HWND, BackendWindowState) {}
void noTitle(HWND, const char*) {}
void noClient(HWND, const RECT&) {}
void noPresent(HWND, const uint32_t*, int, int, int, const RECT*, int) {}
void noSound(const WaveFormat&, const uint8_t*, size_t, const void*) {}
void noStop() {}

void goBlind(const Backend& desktop) {
  blindDesktop = desktop;
  blindDesktop.createWindow = noWindow;
  blindDesktop.destroyWindow = noDestroy;
  blindDesktop.setWindowState = noState;
  blindDesktop.setWindowTitle = noTitle;
  blindDesktop.setWindowClient = noClient;
  blindDesktop.raiseWindow = noDestroy;
  blindDesktop.present = noPresent;
  blindDesktop.playPcm = noSound;
  blindDesktop.stopSound = noStop;
  setBackend(&blindDesktop);
}

}  // namespace

std::string splitText(int32_t ms) {
  const int32_t hundredths = (ms < 0 ? -ms : ms) / 10;
  char text[32];
  std::snprintf(text, sizeof text, "%s%d.%02d s",
                hundredths == 0 ? ""
                : ms < 0        ? "-"
                                : "+",
                hundredths / 100, hundredths % 100);
  return text;
}

bool prepareGhost(const std::string& text, GhostRun* ghost, std::string* error) {
  Replay read;
  if (!readRun(text, &read, error)) return false;
  const SharedRun shared = std::make_shared<const Replay>(std::move(read));
  const Replay& replay = *shared;
  if (replay.header.rules != kRulesVersion) {
    *error = "the run was skied under rules " + std::to_string(replay.header.rules) +
             "; this build races rules " + std::to_string(kRulesVersion) + " only";
    return false;
  }
  if (!replay.header.run || courseName(replay.header.run->course).empty()) {
    *error = "not a kept run of a course (it has no result to race)";
    return false;
  }
  Follower follower;
  std::optional<GhostRun> finished;
  follower.finished = [&](const GhostRun& run) { finished = run; };
  WatchSetup setup;
  ReplayHeader profile = replay.header;
  profile.version = kReplayVersion;
  setup.freshProfile = [profile] { return useScratchProfile(profile); };
  setup.holdAtEnd = false;
  setup.beforeGame = [&] {
    setTicksBeforeThisGame(gameTicks());
    follower.reset();
    startClockWatch([&] { follower.clockRead(); }, [&] { follower.presented(); });
  };
  setup.atResult = [&] { follower.observe(gameTicks()); };
  const RunCheck check = checkRun(shared, setup);
  if (!check.matches) {
    *error = describeCheck(replay, check);
    return false;
  }
  if (!finished || finished->course != replay.header.run->course ||
      finished->result != replay.header.run->result) {
    *error = "its result's run was not seen from the start banner to the finish";
    return false;
  }
  *ghost = std::move(*finished);
  return true;
}

void startGhosts(const GhostOptions& options) {
  race = Race{};
  const auto report = [&options](const std::string& line) {
    if (options.report)
      options.report(line);
    else
      std::fprintf(stderr, "snowvel: %s\n", line.c_str());
  };
  std::vector<std::pair<std::string, std::string>> sources;  // name, text
  if (!options.text.empty()) {
    if (options.text.size() <= kMostGhostFileBytes) sources.emplace_back("the run", options.text);
    race.chosen = true;
  } else if (!options.source.empty()) {
    std::string text, error;
    if (loadGhostText(options.source, &text, &error))
      sources.emplace_back(quotedText(options.source), std::move(text));
    else
      report("ghost " + quotedText(options.source) + ": " + error + "; playing without a ghost");
    race.chosen = true;
  } else if (options.useKeptRuns) {
    const std::string folder = profileDirectory() + "/runs";
    for (const char* course : {kSlalomKey, kTreeSlalomKey, kFreestyleKey}) {
      const std::string name = bestKeptRun(folder, course);
      std::string text;
      if (!name.empty() && readWholeFile(folder + "/" + name, &text) &&
          text.size() <= kMostGhostFileBytes)
        sources.emplace_back(name, std::move(text));
    }
  }
  if (!sources.empty()) {
    Backend* desktop = currentBackend();
    const std::string dataFolder = profileDirectory();
    goBlind(*desktop);
    for (const auto& [name, text] : sources) {
      GhostRun ghost;
      std::string error;
      if (prepareGhost(text, &ghost, &error))
        race.ghosts[ghost.course] = std::move(ghost);
      else
        report("ghost " + name + ": " + error + "; playing without it");
    }
    // The re-skis' tables are done with: the game allocates its own anew.
    releaseLocalMemory();
    closeViewer();
    setProfileWriteWatcher({});
    setProfileDirectory(dataFolder);
    setBackend(desktop);
  }
  setTicksBeforeThisGame(gameTicks());
  race.follower.reset();
  race.follower.gatePassed = onGatePassed;
  race.follower.finished = onFinished;
  race.follower.started = onStarted;
  GhostOverlayHooks hooks;
  hooks.picture = currentPicture;
  hooks.clockRead = [] { race.follower.clockRead(); };
  startGhostOverlay(hooks, options.on);
}

std::string ghostsRaced() {
  std::string list;
  for (const auto& [course, run] : race.ghosts)
    if (run.result)
      list += (list.empty() ? "" : ", ") + describeRun(RunResult{course, *run.result});
  return list;
}

const std::vector<GhostSplit>& ghostSplits() {
  return race.splits;
}
