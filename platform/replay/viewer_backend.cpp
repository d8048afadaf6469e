#include "platform/replay/viewer_backend.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/backend.h"
#include "platform/gdi/fixed_font.h"
#include "platform/input/key_bindings.h"
#include "platform/internal/screen_layout.h"
#include "platform/replay/picture_shrink.h"
#include "platform/replay/viewer_strip.h"
#include "platform/win32.h"

namespace {

// The speeds - and + step through, in quarters of the recorded pace.
struct Speed {
  int quarters;
  const char* name;
};
constexpr Speed kSpeeds[] = {{1, "1/4x"}, {2, "1/2x"}, {4, "1x"},
                             {8, "2x"},   {16, "4x"},  {32, "8x"}};
constexpr int kSpeedCount = std::size(kSpeeds);
constexpr int kNormalSpeed = 2;
static_assert(kSpeeds[kNormalSpeed].quarters == 4);
constexpr uint32_t kSeekStepMs = 5000;
constexpr int kStripLineHeight = kGlyphHeight + 4;
constexpr uint32_t kStripInk = 0x00FFFFFF;
constexpr uint32_t kStripPaper = 0x00203040;

struct Viewer {
  Backend under{};
  Backend outer{};
  ViewerSettings settings;
  ViewerVerdict verdict = ViewerVerdict::Running;
  uint32_t seekTarget = 0;
  // The window shown: made for the first main window, kept across passes.
  HWND shownKey = nullptr;
  HWND gameMain = nullptr;  // this pass's main window
  PictureView picture;
  int fitWidth = 0, fitHeight = 0;
  int roomWidth = 0, roomHeight = 0;  // the client the desktop last gave our window
  std::vector<uint32_t> frame;
  bool presenting = false;
  bool paused = false;
  bool atEnd = false;
  int speed = kNormalSpeed;
  // Pacing: the wall clock matching a recording clock.
  uint32_t clock = 0;
  uint32_t baseClock = 0;
  uint32_t baseWall = 0;
  std::vector<std::string> stripShown;
  std::string titleShown;
};

Viewer viewer;

// Recording clocks as distances from the run's start, so comparisons hold
// across the 32-bit wrap.
int64_t sinceRunStart(uint32_t clock) {
  return static_cast<int32_t>(clock - viewer.settings.runStart);
}

// ---- The picture -------------------------------------------------------------

void fitToScreen() {
  const PictureView& p = viewer.picture;
  int screenWidth = viewer.roomWidth, screenHeight = viewer.roomHeight;
  if (screenWidth <= 0 || screenHeight <= 0) {
    // Room for the client of a window with the usual frame around it.
    viewer.under.screenSize(&screenWidth, &screenHeight);
    const RECT frame = overlappedFrameInsets();
    screenWidth -= frame.left + frame.right;
    screenHeight -= frame.top + frame.bottom;
  }
  double f = 1.0;
  if (viewer.settings.fitToRoom && p.width > 0 && p.height > 0 && screenWidth > 0 &&
      screenHeight > 0)
    f = std::min({1.0, static_cast<double>(screenWidth) / p.width,
                  static_cast<double>(screenHeight) / p.height});
  viewer.fitWidth = std::max(1, static_cast<int>(p.width * f));
  viewer.fitHeight = std::max(1, static_cast<int>(p.height * f));
}

std::string timeText(int64_t ms) {
  if (ms < 0) ms = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d.%d", static_cast<int>(ms / 60000),
                static_cast<int>(ms / 1000 % 60), static_cast<int>(ms / 100 % 10));
  return text;
}

// The first key of each of the viewer's actions, as bound.
std::string keysText() {
  std::string text;
  for (int action = 0; action < VIEWER_ACTION_COUNT; ++action) {
    const std::vector<uint16_t>& keys = viewerKeyBindings().keys(action);
    if (keys.empty()) continue;
    if (!text.empty()) text += ' ';
    text += physicalKeyByUsage(keys.front())->label;
  }
  return text;
}

const char* stateText() {
  return viewer.atEnd ? "result" : viewer.paused ? "paused" : "";
}

std::vector<std::string> stripText() {
  StripFacts facts;
  facts.now = timeText(sinceRunStart(viewer.clock));
  facts.end = timeText(sinceRunStart(viewer.settings.runEnd));
  facts.speed = kSpeeds[viewer.speed].name;
  facts.state = stateText();
  facts.keys = keysText();
  // A glyph's width of margin on either side.
  return stripLines(facts, (viewer.fitWidth - 8) / kGlyphWidth);
}

int stripTop(size_t lines) {
  return std::max(0, viewer.fitHeight - static_cast<int>(lines) * kStripLineHeight);
}

void drawStrip(const std::vector<std::string>& lines) {
  const int w = viewer.fitWidth, top = stripTop(lines.size());
  for (int y = top; y < viewer.fitHeight; ++y)
    std::fill_n(viewer.frame.begin() + static_cast<ptrdiff_t>(y) * w, w, kStripPaper);
  for (size_t line = 0; line < lines.size(); ++line) {
    const int glyphTop = top + static_cast<int>(line) * kStripLineHeight + 2;
    int x = 4;
    for (unsigned char c : lines[line]) {
      if (x + kGlyphWidth > w) break;
      const uint8_t* rows = glyphRows(c);
      for (int row = 0; row < kGlyphHeight && glyphTop + row < viewer.fitHeight; ++row)
        for (int bit = 0; bit < kGlyphWidth; ++bit)
          if (rows[row] & (0x80 >> bit))
            viewer.frame[static_cast<size_t>(glyphTop + row) * w + x + bit] = kStripInk;
      x += kGlyphWidth;
    }
  }
}

// The window's title tells the state too: the page's touch bar reads it.
void showTitle() {
  std::string title = "Snowvel replay";
  if (*stateText() != 0) title += std::string(" (") + stateText() + ")";
  if (title == viewer.titleShown || viewer.shownKey == nullptr) return;
  viewer.titleShown = title;
  viewer.under.setWindowTitle(viewer.shownKey, title.c_str());
}

void presentRows(int top, int bottom) {
  if (viewer.shownKey == nullptr || viewer.frame.empty()) return;
  const RECT rect{0, top, viewer.fitWidth, bottom};
  viewer.under.present(viewer.shownKey, viewer.frame.data(), viewer.fitWidth, viewer.fitWidth,
                       viewer.fitHeight, &rect, 1);
}

// The whole game picture, fitted, with the strip over its bottom rows.
void showWhole() {
  const PictureView& p = viewer.picture;
  if (p.pixels == nullptr || viewer.shownKey == nullptr) return;
  const int w = viewer.fitWidth, h = viewer.fitHeight;
  viewer.frame.resize(static_cast<size_t>(w) * h);
  if (w == p.width && h == p.height) {
    for (int y = 0; y < h; ++y)
      std::copy_n(p.pixels + static_cast<ptrdiff_t>(y) * p.stride, w,
                  viewer.frame.begin() + static_cast<ptrdiff_t>(y) * w);
  } else {
    shrinkPicture(p, viewer.frame.data(), w, h);
  }
  viewer.stripShown = stripText();
  drawStrip(viewer.stripShown);
  showTitle();
  presentRows(0, h);
}

void refreshStrip() {
  if (!viewer.presenting ||
      viewer.frame.size() != static_cast<size_t>(viewer.fitWidth) * viewer.fitHeight)
    return;
  showTitle();
  std::vector<std::string> lines = stripText();
  if (lines == viewer.stripShown) return;
  // A strip of another height uncovers or covers picture rows.
  if (lines.size() != viewer.stripShown.size()) {
    showWhole();
    return;
  }
  viewer.stripShown = std::move(lines);
  drawStrip(viewer.stripShown);
  presentRows(stripTop(viewer.stripShown.size()), viewer.fitHeight);
}

// ---- What the player hands down --------------------------------------------------

bool createWindow(HWND window, const char* title, const RECT& client) {
  if (viewer.gameMain != nullptr) return true;  // boxes and the like stay unseen
  viewer.gameMain = window;
  viewer.picture = PictureView{nullptr, 0, client.right - client.left, client.bottom - client.top};
  if (viewer.shownKey != nullptr) return true;
  fitToScreen();
  const RECT shown{client.left, client.top, client.left + viewer.fitWidth,
                   client.top + viewer.fitHeight};
  if (!viewer.under.createWindow(window, title, shown)) return false;
  viewer.shownKey = window;
  viewer.titleShown.clear();
  showTitle();
  return true;
}

void destroyWindow(HWND window) {
  if (window == viewer.gameMain) viewer.gameMain = nullptr;
}

void ignoreState(HWND, BackendWindowState) {}
void ignoreTitle(HWND, const char*) {}
void ignoreRaise(HWND) {}

void setWindowClient(HWND window, const RECT& client) {
  if (window != viewer.gameMain || viewer.shownKey == nullptr) return;
  viewer.picture.width = client.right - client.left;
  viewer.picture.height = client.bottom - client.top;
  fitToScreen();
  viewer.under.setWindowClient(
      viewer.shownKey,
      RECT{client.left, client.top, client.left + viewer.fitWidth, client.top + viewer.fitHeight});
}

void present(HWND window, const uint32_t* pixels, int stride, int width, int height, const RECT*,
             int) {
  if (window != viewer.gameMain) return;
  if (width != viewer.picture.width || height != viewer.picture.height) {
    viewer.picture.width = width;
    viewer.picture.height = height;
    fitToScreen();
  }
  viewer.picture.pixels = pixels;
  viewer.picture.stride = stride;
  if (viewer.presenting) showWhole();
}

void playPcm(const WaveFormat& format, const uint8_t* samples, size_t bytes, const void* image) {
  if (viewer.presenting && !viewer.paused && viewer.speed == kNormalSpeed)
    viewer.under.playPcm(format, samples, bytes, image);
}

void stopSound() {
  viewer.under.stopSound();
}

// ---- Pace and keys -------------------------------------------------------------

void rebase() {
  viewer.baseClock = viewer.clock;
  viewer.baseWall = viewer.under.tickCount();
}

// Wall milliseconds from the base to clock at the current speed.
uint32_t wallDue() {
  const uint64_t ms = static_cast<uint32_t>(viewer.clock - viewer.baseClock);
  return static_cast<uint32_t>(ms * 4 / kSpeeds[viewer.speed].quarters);
}

void startPresenting() {
  viewer.presenting = true;
  if (viewer.shownKey != nullptr)
    viewer.under.setWindowState(viewer.shownKey, BackendWindowState::Normal);
  showWhole();
  rebase();
}

// A seek ahead skis on unseen; a seek back stops this pass. The end is
// shown from the result itself, past the last reading of its tick.
bool seekTo(int64_t target) {
  const int64_t end = sinceRunStart(viewer.settings.runEnd);
  target = std::clamp<int64_t>(target, 0, end);
  const uint32_t clock = viewer.settings.runStart + static_cast<uint32_t>(target);
  const uint32_t showFrom = target == end ? clock + 1 : clock;
  if (viewer.atEnd && target == end) return true;
  if (target > sinceRunStart(viewer.clock) && !viewer.atEnd) {
    viewer.settings.showFrom = showFrom;
    viewer.presenting = false;
    return true;
  }
  viewer.seekTarget = showFrom;
  viewer.verdict = ViewerVerdict::SeekBack;
  return false;
}

// The viewer's action a key stands for, or -1: by its place as bound, or,
// from a desktop that names no place (the page), by the message one of the
// action's default keys sends.
int viewerActionFor(const BackendEvent& event) {
  if (event.type != BackendEventType::KeyDown) return -1;
  if (event.physicalKey != 0) return viewerKeyBindings().actionForKey(event.physicalKey);
  static const KeyBindings defaults(viewerActions());
  for (int action = 0; action < VIEWER_ACTION_COUNT; ++action)
    for (uint16_t usage : defaults.keys(action))
      if (physicalKeyByUsage(usage)->message == event.virtualKey) return action;
  return -1;
}

// One event from the desktop; false ends this pass.
bool takeKey(const BackendEvent& event) {
  if (event.type == BackendEventType::Close) {
    viewer.verdict = ViewerVerdict::Closed;
    return false;
  }
  const bool resized =
      event.type == BackendEventType::Resize || event.type == BackendEventType::FillScreen;
  if (resized && event.window == viewer.shownKey) {
    // The window was given another size (the page's room changed, the
    // player dragged its edge or went fullscreen): the picture is fitted to it.
    viewer.roomWidth = event.width;
    viewer.roomHeight = event.height;
    fitToScreen();
    if (viewer.presenting) showWhole();
    return true;
  }
  const int64_t now = sinceRunStart(viewer.clock);
  switch (viewerActionFor(event)) {
    case VIEWER_PAUSE:
      viewer.paused = !viewer.paused;
      rebase();
      break;
    case VIEWER_SLOWER:
      viewer.speed = std::max(0, viewer.speed - 1);
      rebase();
      break;
    case VIEWER_FASTER:
      viewer.speed = std::min(kSpeedCount - 1, viewer.speed + 1);
      rebase();
      break;
    case VIEWER_BACK:
      return seekTo(now - kSeekStepMs);
    case VIEWER_AHEAD:
      return seekTo(now + kSeekStepMs);
    case VIEWER_TO_START:
      return seekTo(0);
    case VIEWER_TO_RESULT:
      return seekTo(sinceRunStart(viewer.settings.runEnd));
  }
  refreshStrip();
  return true;
}

// Sleeps in the desktop's wait until the clock is due, taking keys.
bool waitUntilDue() {
  for (;;) {
    refreshStrip();
    uint32_t timeout = kBackendWaitForever;
    if (!viewer.paused) {
      const uint32_t passed = viewer.under.tickCount() - viewer.baseWall;
      const uint32_t due = wallDue();
      if (passed >= due || due - passed > 0x7FFFFFFFu) return true;
      timeout = due - passed;
    }
    BackendEvent event;
    if (!viewer.under.waitEvent(&event, timeout)) {
      if (viewer.paused && !viewer.settings.holdAtEnd) viewer.paused = false;  // nobody to resume
      continue;
    }
    if (!takeKey(event)) return false;
    if (!viewer.presenting) return true;  // a seek ahead: ski on unseen
  }
}

bool noForeignWindow(const char*) {
  return false;
}

}  // namespace

void installViewer() {
  viewer.under = *currentBackend();
  viewer.outer = viewer.under;
  viewer.outer.createWindow = createWindow;
  viewer.outer.destroyWindow = destroyWindow;
  viewer.outer.setWindowState = ignoreState;
  viewer.outer.setWindowTitle = ignoreTitle;
  viewer.outer.setWindowClient = setWindowClient;
  viewer.outer.raiseWindow = ignoreRaise;
  viewer.outer.present = present;
  viewer.outer.playPcm = playPcm;
  viewer.outer.stopSound = stopSound;
  // A watched run takes no single-instance place and sees no other copy.
  viewer.outer.findForeignWindow = noForeignWindow;
  viewer.outer.raiseForeignWindow = nullptr;
  viewer.outer.isForeignWindowMinimised = nullptr;
  viewer.outer.restoreForeignWindow = nullptr;
}

void startViewerPass(const ViewerSettings& settings) {
  viewer.settings = settings;
  viewer.verdict = ViewerVerdict::Running;
  viewer.gameMain = nullptr;
  viewer.picture = PictureView{};
  viewer.presenting = false;
  viewer.atEnd = false;
  viewer.clock = settings.runStart;
  viewer.stripShown.clear();
  setBackend(&viewer.outer);
}

bool viewerPace(uint32_t clock) {
  viewer.clock = clock;
  if (viewer.settings.onClock && !viewer.settings.onClock(clock)) {
    viewer.verdict = ViewerVerdict::Closed;
    return false;
  }
  if (viewer.settings.presentNever) return true;
  if (!viewer.presenting) {
    if (static_cast<int32_t>(clock - viewer.settings.showFrom) < 0) return true;
    startPresenting();
  }
  return waitUntilDue();
}

void viewerRunEnded() {
  viewer.atEnd = true;
  if (viewer.verdict == ViewerVerdict::Running) viewer.verdict = ViewerVerdict::Finished;
  if (viewer.settings.presentNever) return;
  if (!viewer.presenting) startPresenting();
  showWhole();
  if (!viewer.settings.holdAtEnd) return;
  for (;;) {
    BackendEvent event;
    if (!viewer.under.waitEvent(&event, kBackendWaitForever)) continue;
    if (viewerActionFor(event) == VIEWER_PAUSE) {
      viewer.seekTarget = viewer.settings.runStart;  // once more from the start
      viewer.verdict = ViewerVerdict::SeekBack;
      return;
    }
    if (!takeKey(event) || viewer.verdict != ViewerVerdict::Finished) return;
  }
}

ViewerVerdict viewerVerdict() {
  return viewer.verdict;
}

uint32_t viewerSeekTarget() {
  return viewer.seekTarget;
}

HWND viewerWindow() {
  return viewer.shownKey;
}

void closeViewer() {
  if (viewer.shownKey != nullptr) viewer.under.destroyWindow(viewer.shownKey);
  viewer.shownKey = nullptr;
}
