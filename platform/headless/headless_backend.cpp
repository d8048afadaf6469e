// The headless desktop: a virtual clock that jumps to whatever comes next,
// scheduled input, scripted message-box answers, and records of what the
// program showed and played.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <map>

#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/kernel/resource_lookup.h"
#include "platform/win32/kernel.h"
#include "platform/win32/user.h"

namespace {

constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();
constexpr int kMostIdleCloses = 8;

HeadlessDesktop desktop;
Backend headlessBackend;

HeadlessWindow* windowRecord(HWND hwnd) {
  if (hwnd == nullptr) hwnd = headlessMainWindow();
  for (HeadlessWindow& w : desktop.windows)
    if (w.hwnd == hwnd) return &w;
  return nullptr;
}

uint32_t tickCount() {
  return desktop.config.startTick + static_cast<uint32_t>(desktop.elapsed);
}

void screenSize(int* width, int* height) {
  *width = desktop.config.screenWidth;
  *height = desktop.config.screenHeight;
}

int resourceIdOf(const void* image) {
  const EmbeddedResource* table = resourceTable();
  for (size_t i = 0; i < resourceCount(); ++i) {
    const EmbeddedResource& r = table[i];
    if (r.data == image && r.name == nullptr && r.typeName != nullptr &&
        lstrcmpiA(r.typeName, "WAVE") == 0)
      return r.id;
  }
  return 0;
}

void playPcm(const WaveFormat& format, const uint8_t*, size_t bytes, const void* sourceImage) {
  HeadlessSound sound;
  sound.time = tickCount();
  sound.resourceId = resourceIdOf(sourceImage);
  sound.bytes = bytes;
  sound.format = format;
  desktop.sounds.push_back(sound);
}

void stopSound() {
  HeadlessSound sound;
  sound.time = tickCount();
  sound.stop = true;
  desktop.sounds.push_back(sound);
}

bool createWindow(HWND window, const char* title, const RECT& client) {
  HeadlessWindow w;
  w.hwnd = window;
  w.title = title != nullptr ? title : "";
  w.client = client;
  desktop.windows.push_back(std::move(w));
  return true;
}

void destroyWindow(HWND window) {
  auto& ws = desktop.windows;
  ws.erase(std::remove_if(ws.begin(), ws.end(),
                          [window](const HeadlessWindow& w) { return w.hwnd == window; }),
           ws.end());
}

void setWindowState(HWND window, BackendWindowState state) {
  if (HeadlessWindow* w = windowRecord(window)) w->state = state;
}

void setWindowTitle(HWND window, const char* title) {
  if (HeadlessWindow* w = windowRecord(window)) w->title = title != nullptr ? title : "";
}

void setWindowClient(HWND window, const RECT& client) {
  if (HeadlessWindow* w = windowRecord(window)) w->client = client;
}

void raiseWindow(HWND) {}

void present(HWND window, const uint32_t* pixels, int stride, int width, int height,
             const RECT* rects, int rectCount) {
  HeadlessWindow* w = windowRecord(window);
  if (w == nullptr) return;
  if (w->width != width || w->height != height) {
    w->pixels.assign(static_cast<size_t>(width) * height, 0x00FFFFFFu);
    w->width = width;
    w->height = height;
  }
  for (int i = 0; i < rectCount; ++i) {
    RECT r = rects[i];
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, width);
    r.bottom = std::min<LONG>(r.bottom, height);
    for (LONG y = r.top; y < r.bottom; ++y)
      std::memcpy(&w->pixels[static_cast<size_t>(y) * width + r.left],
                  &pixels[static_cast<size_t>(y) * stride + r.left],
                  static_cast<size_t>(std::max<LONG>(r.right - r.left, 0)) * sizeof(uint32_t));
  }
  ++w->presentCount;
}

uint64_t nextEventAt() {
  return desktop.events.empty() ? kNever : desktop.events.begin()->first.at;
}

bool takeDueEvent(BackendEvent* event) {
  if (desktop.events.empty() || desktop.events.begin()->first.at > desktop.elapsed) return false;
  *event = desktop.events.begin()->second;
  desktop.events.erase(desktop.events.begin());
  return true;
}

bool takeBoxAnswer(BackendEvent* event) {
  if (desktop.openBoxes.empty() || desktop.openBoxes.front().answerAt > desktop.elapsed)
    return false;
  *event = BackendEvent{};
  event->type = BackendEventType::MessageBoxAnswer;
  event->box = desktop.openBoxes.front().id;
  event->answer = desktop.openBoxes.front().answer;
  desktop.openBoxes.pop_front();
  return true;
}

// The player closes the main window; if the program shrugged that off once
// already, the whole session ends.
BackendEvent closeEvent() {
  if (desktop.closesSent >= kMostIdleCloses) {
    // Still waiting on nothing after the window and the session were told
    // to close: a wait that can never end. Stop loudly rather than hang.
    std::fprintf(stderr, "headless: the program waits for input that will never come\n");
    std::abort();
  }
  BackendEvent event;
  event.type = BackendEventType::Close;
  event.window = desktop.closesSent == 0 ? headlessMainWindow() : nullptr;
  ++desktop.closesSent;
  return event;
}

bool waitEvent(BackendEvent* event, uint32_t timeoutMs) {
  if (takeDueEvent(event)) return true;
  if (timeoutMs == 0) return false;
  // A shown box is answered once its time has come and the program has
  // nothing left to do.
  if (takeBoxAnswer(event)) return true;
  uint64_t limit = timeoutMs == kBackendWaitForever ? kNever : desktop.elapsed + timeoutMs;
  uint64_t end =
      desktop.endElapsed.has_value() && !desktop.endReached ? *desktop.endElapsed : kNever;
  uint64_t box = desktop.openBoxes.empty() ? kNever : desktop.openBoxes.front().answerAt;
  uint64_t next = std::min({limit, nextEventAt(), end, box});
  if (next == kNever) {
    // Nothing will ever happen again: end the run rather than hang.
    *event = closeEvent();
    return true;
  }
  desktop.elapsed = std::max(desktop.elapsed, next);
  if (takeDueEvent(event)) return true;
  if (takeBoxAnswer(event)) return true;
  if (next == end) {
    desktop.endReached = true;
    *event = closeEvent();
    return true;
  }
  return false;
}

bool boxHasButton(UINT type, int answer) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return answer == IDOK;
    case MB_OKCANCEL:
      return answer == IDOK || answer == IDCANCEL;
    case MB_ABORTRETRYIGNORE:
      return answer == IDABORT || answer == IDRETRY || answer == IDIGNORE;
    case MB_YESNOCANCEL:
      return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    case MB_YESNO:
      return answer == IDYES || answer == IDNO;
    case MB_RETRYCANCEL:
      return answer == IDRETRY || answer == IDCANCEL;
    default:
      return answer == IDOK;
  }
}

int firstButton(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
      return IDYES;
    case MB_RETRYCANCEL:
      return IDRETRY;
    default:
      return IDOK;
  }
}

int beginMessageBox(const char* text, const char* caption, UINT type) {
  int answer = firstButton(type);
  uint32_t delay = desktop.config.messageBoxDelayMs;
  for (auto it = desktop.answers.begin(); it != desktop.answers.end(); ++it) {
    if (it->notBefore > desktop.elapsed) continue;
    if (boxHasButton(type, it->answer)) answer = it->answer;
    delay = it->delayMs.value_or(delay);
    desktop.answers.erase(it);
    break;
  }
  HeadlessMessageBox box;
  box.caption = caption != nullptr ? caption : "";
  box.text = text != nullptr ? text : "";
  box.type = type;
  box.answer = answer;
  box.time = tickCount();
  desktop.boxes.push_back(box);
  int id = ++desktop.lastBoxId;
  desktop.openBoxes.push_back(HeadlessOpenBox{id, answer, desktop.elapsed + delay});
  return id;
}

}  // namespace

HeadlessDesktop& headlessDesktop() {
  return desktop;
}

void installHeadlessBackend(const HeadlessConfig& config) {
  desktop = HeadlessDesktop{};
  desktop.config = config;
  if (config.endTick.has_value())
    desktop.endElapsed = static_cast<uint32_t>(*config.endTick - config.startTick);
  headlessBackend = Backend{};
  headlessBackend.tickCount = tickCount;
  headlessBackend.playPcm = playPcm;
  headlessBackend.stopSound = stopSound;
  headlessBackend.screenSize = screenSize;
  headlessBackend.createWindow = createWindow;
  headlessBackend.destroyWindow = destroyWindow;
  headlessBackend.setWindowState = setWindowState;
  headlessBackend.setWindowTitle = setWindowTitle;
  headlessBackend.setWindowClient = setWindowClient;
  headlessBackend.raiseWindow = raiseWindow;
  headlessBackend.present = present;
  headlessBackend.waitEvent = waitEvent;
  headlessBackend.beginMessageBox = beginMessageBox;
  setBackend(&headlessBackend);
}

uint32_t headlessNow() {
  return tickCount();
}

HWND headlessMainWindow() {
  for (const HeadlessWindow& w : desktop.windows)
    if (IsWindow(w.hwnd)) return w.hwnd;
  return nullptr;
}

void scheduleHeadlessEventAfter(uint64_t elapsed, const BackendEvent& event) {
  desktop.events.emplace(HeadlessEventKey{elapsed, desktop.nextSequence++}, event);
}

void headlessScheduleEvent(uint32_t atTick, const BackendEvent& event) {
  scheduleHeadlessEventAfter(static_cast<uint32_t>(atTick - desktop.config.startTick), event);
}

void headlessQueueAnswer(int answer, uint32_t notBeforeTick, std::optional<uint32_t> delayMs) {
  uint64_t notBefore =
      notBeforeTick == 0 ? 0 : static_cast<uint32_t>(notBeforeTick - desktop.config.startTick);
  desktop.answers.push_back(HeadlessAnswer{notBefore, answer, delayMs});
}

void queueHeadlessAnswerAfter(uint64_t elapsed, int answer) {
  desktop.answers.push_back(HeadlessAnswer{elapsed, answer, std::nullopt});
}

const std::vector<HeadlessMessageBox>& headlessMessageBoxes() {
  return desktop.boxes;
}
const std::vector<HeadlessSound>& headlessSounds() {
  return desktop.sounds;
}

bool headlessFramebuffer(HWND window, HeadlessFramebuffer* out) {
  const HeadlessWindow* w = windowRecord(window);
  if (w == nullptr || out == nullptr) return false;
  out->pixels = w->pixels.data();
  out->width = w->width;
  out->height = w->height;
  out->stride = w->width;
  return true;
}

std::string headlessWindowTitle(HWND window) {
  const HeadlessWindow* w = windowRecord(window);
  return w != nullptr ? w->title : std::string();
}

BackendWindowState headlessWindowState(HWND window) {
  const HeadlessWindow* w = windowRecord(window);
  return w != nullptr ? w->state : BackendWindowState::Hidden;
}

int headlessPresentCount(HWND window) {
  const HeadlessWindow* w = windowRecord(window);
  return w != nullptr ? w->presentCount : 0;
}
