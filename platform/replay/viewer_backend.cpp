#include "platform/replay/viewer_backend.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/backend.h"
#include "platform/gdi/fixed_font.h"
#include "platform/win32.h"

namespace {

constexpr int kSpeedCount = 6;  // 1/4, 1/2, 1, 2, 4, 8
constexpr int kNormalSpeed = 2;
constexpr uint32_t kSeekStepMs = 5000;
constexpr int kOverlayHeight = kGlyphHeight + 4;
constexpr uint32_t kOverlayInk = 0x00FFFFFF;
constexpr uint32_t kOverlayPaper = 0x00203040;

struct GamePicture {
  const uint32_t* pixels = nullptr;
  int stride = 0;
  int width = 0;
  int height = 0;
};

struct Viewer {
  Backend under{};
  Backend outer{};
  ViewerSettings settings;
  ViewerVerdict verdict = ViewerVerdict::Running;
  uint32_t seekTarget = 0;
  // The window shown: made for the first main window, kept across passes.
  HWND shownKey = nullptr;
  HWND gameMain = nullptr;  // this pass's main window
  GamePicture picture;
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
  std::string overlayShown;
};

Viewer viewer;

// Recording clocks as distances from the run's start, so comparisons hold
// across the 32-bit wrap.
int64_t sinceRunStart(uint32_t clock) {
  return static_cast<int32_t>(clock - viewer.settings.runStart);
}

// ---- The picture -------------------------------------------------------------

void fitToScreen() {
  const GamePicture& p = viewer.picture;
  int screenWidth = viewer.roomWidth, screenHeight = viewer.roomHeight;
  if (screenWidth <= 0 || screenHeight <= 0) {
    // Room for the client of a window with the usual frame around it.
    viewer.under.screenSize(&screenWidth, &screenHeight);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    screenWidth -= frame.right - frame.left;
    screenHeight -= frame.bottom - frame.top;
  }
  double f = 1.0;
  if (p.width > 0 && p.height > 0 && screenWidth > 0 && screenHeight > 0)
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

std::string speedText() {
  static const char* const names[kSpeedCount] = {"1/4x", "1/2x", "1x", "2x", "4x", "8x"};
  return names[viewer.speed];
}

std::string overlayText() {
  std::string text = "replay  " + timeText(sinceRunStart(viewer.clock)) + " / " +
                     timeText(sinceRunStart(viewer.settings.runEnd)) + "  " + speedText();
  if (viewer.atEnd)
    text += "  result";
  else if (viewer.paused)
    text += "  paused";
  return text + "  (Space - + Left Right Home End)";
}

void drawOverlay(const std::string& text) {
  const int w = viewer.fitWidth, top = std::max(0, viewer.fitHeight - kOverlayHeight);
  for (int y = top; y < viewer.fitHeight; ++y)
    std::fill_n(viewer.frame.begin() + static_cast<ptrdiff_t>(y) * w, w, kOverlayPaper);
  int x = 4;
  for (unsigned char c : text) {
    if (x + kGlyphWidth > w) break;
    const uint8_t* rows = glyphRows(c);
    for (int row = 0; row < kGlyphHeight && top + 2 + row < viewer.fitHeight; ++row)
      for (int bit = 0; bit < kGlyphWidth; ++bit)
        if (rows[row] & (0x80 >> bit))
          viewer.frame[static_cast<size_t>(top + 2 + row) * w + x + bit] = kOverlayInk;
    x += kGlyphWidth;
  }
}

void presentRows(int top, int bottom) {
  if (viewer.shownKey == nullptr || viewer.frame.empty()) return;
  const RECT rect{0, top, viewer.fitWidth, bottom};
  viewer.under.present(viewer.shownKey, viewer.frame.data(), viewer.fitWidth, viewer.fitWidth,
                       viewer.fitHeight, &rect, 1);
}

// The whole game picture, scaled, with the overlay over its bottom rows.
void showWhole() {
  const GamePicture& p = viewer.picture;
  if (p.pixels == nullptr || viewer.shownKey == nullptr) return;
  const int w = viewer.fitWidth, h = viewer.fitHeight;
  viewer.frame.assign(static_cast<size_t>(w) * h, 0);
  std::vector<int> column(w);
  for (int x = 0; x < w; ++x) column[x] = static_cast<int>(static_cast<int64_t>(x) * p.width / w);
  for (int y = 0; y < h; ++y) {
    const uint32_t* from =
        p.pixels + static_cast<ptrdiff_t>(y * static_cast<int64_t>(p.height) / h) * p.stride;
    uint32_t* to = viewer.frame.data() + static_cast<ptrdiff_t>(y) * w;
    for (int x = 0; x < w; ++x) to[x] = from[column[x]];
  }
  viewer.overlayShown = overlayText();
  drawOverlay(viewer.overlayShown);
  presentRows(0, h);
}

void refreshOverlay() {
  if (!viewer.presenting ||
      viewer.frame.size() != static_cast<size_t>(viewer.fitWidth) * viewer.fitHeight)
    return;
  const std::string text = overlayText();
  if (text == viewer.overlayShown) return;
  viewer.overlayShown = text;
  drawOverlay(text);
  presentRows(std::max(0, viewer.fitHeight - kOverlayHeight), viewer.fitHeight);
}

// ---- What the player hands down --------------------------------------------------

bool createWindow(HWND window, const char* title, const RECT& client) {
  if (viewer.gameMain != nullptr) return true;  // boxes and the like stay unseen
  viewer.gameMain = window;
  viewer.picture = GamePicture{nullptr, 0, client.right - client.left, client.bottom - client.top};
  if (viewer.shownKey != nullptr) return true;
  fitToScreen();
  const RECT shown{client.left, client.top, client.left + viewer.fitWidth,
                   client.top + viewer.fitHeight};
  if (!viewer.under.createWindow(window, title, shown)) return false;
  viewer.shownKey = window;
  viewer.under.setWindowTitle(window, "Snowvel replay");
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
  static const int quarters[kSpeedCount] = {1, 2, 4, 8, 16, 32};
  return static_cast<uint32_t>(ms * 4 / quarters[viewer.speed]);
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
  if (event.type != BackendEventType::KeyDown) return true;
  const UINT vk = event.virtualKey;
  const int64_t now = sinceRunStart(viewer.clock);
  if (vk == VK_SPACE) {
    viewer.paused = !viewer.paused;
    rebase();
  } else if (vk == VK_OEM_MINUS || vk == VK_SUBTRACT) {
    viewer.speed = std::max(0, viewer.speed - 1);
    rebase();
  } else if (vk == VK_OEM_PLUS || vk == VK_ADD) {
    viewer.speed = std::min(kSpeedCount - 1, viewer.speed + 1);
    rebase();
  } else if (vk == VK_LEFT) {
    return seekTo(now - kSeekStepMs);
  } else if (vk == VK_RIGHT) {
    return seekTo(now + kSeekStepMs);
  } else if (vk == VK_HOME) {
    return seekTo(0);
  } else if (vk == VK_END) {
    return seekTo(sinceRunStart(viewer.settings.runEnd));
  }
  refreshOverlay();
  return true;
}

// Sleeps in the desktop's wait until the clock is due, taking keys.
bool waitUntilDue() {
  for (;;) {
    refreshOverlay();
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
  viewer.picture = GamePicture{};
  viewer.presenting = false;
  viewer.atEnd = false;
  viewer.clock = settings.runStart;
  viewer.overlayShown.clear();
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
    if (event.type == BackendEventType::KeyDown && event.virtualKey == VK_SPACE) {
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

std::string viewerOverlayText() {
  return overlayText();
}

HWND viewerWindow() {
  return viewer.shownKey;
}

void closeViewer() {
  if (viewer.shownKey != nullptr) viewer.under.destroyWindow(viewer.shownKey);
  viewer.shownKey = nullptr;
}
