// The recorder and the player. Both sit at the one chokepoint for time and
// input, so nothing in the game or the layer knows a replay is on.
#include "platform/replay/replay_backend.h"

#include <cstdio>
#include <map>
#include <memory>
#include <deque>
#include <optional>
#include <vector>

namespace {

enum class Mode { Off, Recording, Playing };

struct Session {
  Mode mode = Mode::Off;
  Backend under{};  // the backend we decorate
  Backend outer{};  // what the layer now calls
  ReplayHooks hooks;
  ReplayWriter writer;
  // Shared with whoever plays it again (a viewer's passes): read-only here.
  std::shared_ptr<const Replay> replay = std::make_shared<const Replay>();
  size_t cursor = 0;      // playback: the item due next
  uint32_t usesLeft = 0;  // playback: calls the item before the cursor still answers
  uint32_t lastClock = 0;
  std::vector<HWND> windows;  // top-level windows in creation order
  std::optional<std::string> state;
  std::string divergence;  // playback: the first place the run left the recording
  int closesSent = 0;
  // Pacing of a watched playback.
  bool paced = false;
  uint32_t firstClock = 0;
  uint32_t wallStart = 0;
  bool viewerClosed = false;
  bool runEnded = false;  // a kept run reached its result
};

Session session;

int windowIndexOf(HWND window) {
  if (window == nullptr) return 0;
  for (size_t i = 0; i < session.windows.size(); ++i)
    if (session.windows[i] == window) return static_cast<int>(i) + 1;
  return 0;
}

HWND windowAt(int index) {
  if (index <= 0 || static_cast<size_t>(index) > session.windows.size()) return nullptr;
  return session.windows[index - 1];
}

void takeStateOnce() {
  if (!session.state && session.hooks.stateText) session.state = session.hooks.stateText();
}

// ---- Pass-through of what the program hands down -----------------------------

void playPcm(const WaveFormat& format, const uint8_t* samples, size_t bytes, const void* image);
void stopSound();

bool createWindow(HWND window, const char* title, const RECT& client) {
  session.windows.push_back(window);
  return session.under.createWindow(window, title, client);
}
void destroyWindow(HWND window) {
  session.under.destroyWindow(window);
}
void setWindowState(HWND window, BackendWindowState state) {
  session.under.setWindowState(window, state);
}
void setWindowTitle(HWND window, const char* title) {
  session.under.setWindowTitle(window, title);
}
void setWindowClient(HWND window, const RECT& client) {
  session.under.setWindowClient(window, client);
}
void raiseWindow(HWND window) {
  session.under.raiseWindow(window);
}
void present(HWND window, const uint32_t* pixels, int stride, int width, int height,
             const RECT* rects, int rectCount) {
  session.under.present(window, pixels, stride, width, height, rects, rectCount);
}

// ---- Recording -------------------------------------------------------------

uint32_t recordTickCount() {
  const uint32_t now = session.under.tickCount();
  session.writer.clock(now);
  return now;
}

bool recordWaitEvent(BackendEvent* event, uint32_t timeoutMs) {
  if (!session.under.waitEvent(event, timeoutMs)) {
    session.writer.wait();
    return false;
  }
  session.writer.event(*event, windowIndexOf(event->window));
  if (event->type == BackendEventType::Close) takeStateOnce();
  return true;
}

int recordBeginMessageBox(const char* text, const char* caption, UINT type) {
  const int id = session.under.beginMessageBox(text, caption, type);
  session.writer.box(id, type, caption, text);
  return id;
}

void recordScreenSize(int* width, int* height) {
  session.under.screenSize(width, height);
}

// ---- Playback --------------------------------------------------------------

// What the recording has next, and its line: the rest of a repeated item
// (a clock read again, waits in a row), else the item at the cursor.
const ReplayItem* dueItem(int* line) {
  const std::deque<ReplayItem>& items = session.replay->items;
  if (session.usesLeft != 0) {
    const ReplayItem& item = items[session.cursor - 1];
    *line = item.lineOf(item.count() - session.usesLeft);
    return &item;
  }
  if (session.cursor >= items.size()) return nullptr;
  *line = items[session.cursor].line;
  return &items[session.cursor];
}

// The run asked for something the recording does not have next: say where,
// once, and wind the program down with close requests.
void diverge(const std::string& asked) {
  if (!session.divergence.empty() || session.runEnded || session.viewerClosed) return;
  int line = 0;
  if (const ReplayItem* item = dueItem(&line)) {
    session.divergence = "line " + std::to_string(line) + ": the run asked for " + asked +
                         " where the recording has " + describeReplayItem(*session.replay, *item);
  } else {
    session.divergence = "the run asked for " + asked + " after the recording ended";
  }
}

bool stillPlaying() {
  return session.divergence.empty() && !session.viewerClosed && !session.runEnded;
}

// The item that answers this call, when it is the kind asked for; *fresh
// says it was not answering calls before.
const ReplayItem* nextItem(ReplayItemType type, const std::string& asked, bool* fresh = nullptr) {
  if (!stillPlaying()) return nullptr;
  int line = 0;
  const ReplayItem* item = dueItem(&line);
  if (item == nullptr || item->type != type) {
    diverge(asked);
    return nullptr;
  }
  if (fresh != nullptr) *fresh = session.usesLeft == 0;
  if (session.usesLeft == 0) {
    ++session.cursor;
    session.usesLeft = item->count();
  }
  --session.usesLeft;
  return item;
}

bool dueIs(ReplayItemType type) {
  int line = 0;
  const ReplayItem* item = dueItem(&line);
  return item != nullptr && item->type == type;
}

// A watched playback keeps to the recorded pace, sleeping in the window
// backend's wait so the window stays alive; closing it stops the playback.
void keepPace(uint32_t clock) {
  if (!session.paced) {
    session.paced = true;
    session.firstClock = clock;
    session.wallStart = session.under.tickCount();
    return;
  }
  const uint32_t due = clock - session.firstClock;
  for (;;) {
    const uint32_t passed = session.under.tickCount() - session.wallStart;
    if (passed >= due || due - passed > 0x7FFFFFFFu) return;
    BackendEvent ignored;
    if (session.under.waitEvent(&ignored, due - passed) &&
        ignored.type == BackendEventType::Close) {
      session.viewerClosed = true;
      std::fprintf(stderr, "snowvel: replay stopped by closing the window\n");
      return;
    }
  }
}

uint32_t playTickCount() {
  bool fresh = false;
  const ReplayItem* item = nextItem(ReplayItemType::Clock, "the clock", &fresh);
  if (item == nullptr || !fresh) return session.lastClock;
  const uint32_t clock = item->clock();
  if (session.hooks.clockChanged) session.hooks.clockChanged(clock);
  if (session.hooks.pace && !session.hooks.pace(clock)) session.viewerClosed = true;
  if (session.hooks.realTime) keepPace(clock);
  session.lastClock = clock;
  return clock;
}

// Where the recording cannot go on, the program is asked to close, first
// its main window and then the whole application, so every run ends.
bool closeRequest(BackendEvent* event) {
  *event = BackendEvent{};
  event->type = BackendEventType::Close;
  event->window = session.closesSent++ == 0 ? windowAt(1) : nullptr;
  if (session.closesSent > 64) {
    std::fprintf(stderr, "snowvel: replay: the program will not end\n");
    std::abort();
  }
  return true;
}

bool playWaitEvent(BackendEvent* event, uint32_t timeoutMs) {
  if (stillPlaying() && dueIs(ReplayItemType::Wait)) {
    nextItem(ReplayItemType::Wait, "a wait");
    return false;
  }
  const ReplayItem* item = nextItem(ReplayItemType::Event, "a wait");
  if (item == nullptr) return timeoutMs != 0 && closeRequest(event);
  *event = item->event();
  event->window = windowAt(item->windowIndex());
  if (event->type == BackendEventType::Close) takeStateOnce();
  return true;
}

int playBeginMessageBox(const char* text, const char* caption, UINT type) {
  const ReplayItem* item = nextItem(ReplayItemType::Box, "a message box");
  if (item == nullptr) return 1;
  if (session.replay->caption(*item) != (caption ? caption : "") ||
      session.replay->text(*item) != (text ? text : "") || item->boxType() != type) {
    --session.cursor;
    diverge("the message box \"" + std::string(caption ? caption : "") + "\" / \"" +
            std::string(text ? text : "") + "\"");
    ++session.cursor;
  }
  // A backend that keeps records sees the box with its recorded answer.
  if (session.hooks.boxAnswerAhead) {
    for (size_t i = session.cursor; i < session.replay->items.size(); ++i) {
      const ReplayItem& later = session.replay->items[i];
      if (later.type != ReplayItemType::Event) continue;
      const BackendEvent answer = later.event();
      if (answer.type == BackendEventType::MessageBoxAnswer && answer.box == item->box()) {
        session.hooks.boxAnswerAhead(answer.answer);
        session.under.beginMessageBox(text, caption, type);
        break;
      }
    }
  }
  return item->box();
}

void playScreenSize(int* width, int* height) {
  *width = session.replay->header.screenWidth;
  *height = session.replay->header.screenHeight;
}

void playPcm(const WaveFormat& format, const uint8_t* samples, size_t bytes, const void* image) {
  if (session.mode == Mode::Recording) {
    session.writer.sound(format, bytes);
  } else if (const ReplayItem* item = nextItem(ReplayItemType::Sound, "a sound")) {
    if (item->bytes() != bytes || item->format().samplesPerSecond != format.samplesPerSecond)
      diverge("a sound of " + std::to_string(bytes) + " bytes");
  }
  session.under.playPcm(format, samples, bytes, image);
}

void stopSound() {
  if (session.mode == Mode::Recording) {
    session.writer.stop();
  } else {
    nextItem(ReplayItemType::Stop, "the sound to stop");
  }
  session.under.stopSound();
}

void install(Mode mode, ReplayHooks hooks) {
  session.mode = mode;
  session.hooks = std::move(hooks);
  session.under = *currentBackend();
  session.outer = session.under;
  session.outer.createWindow = createWindow;
  session.outer.destroyWindow = destroyWindow;
  session.outer.setWindowState = setWindowState;
  session.outer.setWindowTitle = setWindowTitle;
  session.outer.setWindowClient = setWindowClient;
  session.outer.raiseWindow = raiseWindow;
  session.outer.present = present;
  session.outer.playPcm = playPcm;
  session.outer.stopSound = stopSound;
  const bool recording = mode == Mode::Recording;
  session.outer.tickCount = recording ? recordTickCount : playTickCount;
  session.outer.waitEvent = recording ? recordWaitEvent : playWaitEvent;
  session.outer.beginMessageBox = recording ? recordBeginMessageBox : playBeginMessageBox;
  session.outer.screenSize = recording ? recordScreenSize : playScreenSize;
  if (!recording) {
    // No other copy of the program is ever seen during playback.
    session.outer.findForeignWindow = nullptr;
    session.outer.raiseForeignWindow = nullptr;
    session.outer.isForeignWindowMinimised = nullptr;
    session.outer.restoreForeignWindow = nullptr;
  }
  setBackend(&session.outer);
}

// The first difference between two texts, with a little of each around it.
std::string firstDifference(const std::string& expected, const std::string& actual) {
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  const size_t from = at > 40 ? at - 40 : 0;
  return "the final state differs at byte " + std::to_string(at) + ": recorded ..." +
         expected.substr(from, 80) + "... but played ..." + actual.substr(from, 80) + "...";
}

}  // namespace

bool startReplayRecording(const std::string& path, ReplayHeader header, ReplayHooks hooks,
                          std::string* error) {
  session = Session{};
  Backend* under = currentBackend();
  header.seed = under->tickCount();
  under->screenSize(&header.screenWidth, &header.screenHeight);
  if (!session.writer.open(path, header, error)) return false;
  install(Mode::Recording, std::move(hooks));
  return true;
}

void startReplayPlayback(std::shared_ptr<const Replay> replay, ReplayHooks hooks) {
  session = Session{};
  session.replay = std::move(replay);
  install(Mode::Playing, std::move(hooks));
}

std::string recordedRunText(const RunResult& run, const std::string& finalState) {
  if (session.mode != Mode::Recording) return {};
  return composeRunText(session.writer.header(), run, session.writer.streamSoFar(), finalState);
}

void noteResultWritten(const std::string& course) {
  if (session.mode != Mode::Playing || !stillPlaying() || !session.replay->header.run ||
      session.replay->header.run->course != course)
    return;
  if (session.cursor != session.replay->items.size() || session.usesLeft != 0) return;
  takeStateOnce();
  session.runEnded = true;
  if (session.hooks.runEnded) session.hooks.runEnded();
}

bool replayReachedRunEnd() {
  return session.runEnded;
}

bool finishReplay(std::string* error) {
  takeStateOnce();
  const std::string state = session.state.value_or("");
  const Mode mode = session.mode;
  session.mode = Mode::Off;
  if (mode == Mode::Recording) return session.writer.finish(state, error);
  if (mode != Mode::Playing) return true;
  if (session.viewerClosed) return true;  // the viewer chose to stop; nothing to check
  if (session.replay->header.run && !session.runEnded && session.divergence.empty())
    session.divergence = "the run never reached its result";
  int line = 0;
  const ReplayItem* left = dueItem(&line);
  if (session.divergence.empty() && !session.runEnded && left != nullptr) {
    session.divergence = "line " + std::to_string(line) +
                         ": the run ended before the recording did, at " +
                         describeReplayItem(*session.replay, *left);
  }
  if (!session.divergence.empty()) {
    *error = session.divergence;
    return false;
  }
  const std::string& recorded = session.replay->finalState;
  if (isStateDigest(recorded) ? stateDigest(state) != recorded : state != recorded) {
    *error = isStateDigest(recorded) ? "the final state differs from the recorded digest"
                                     : firstDifference(recorded, state);
    return false;
  }
  return true;
}
