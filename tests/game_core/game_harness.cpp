// The scripted desktop behind the game's tests: a Backend whose clock and
// events the test drives.
#include "game_harness.h"

#include <cstdlib>
#include <deque>
#include <map>

#include "platform/backend.h"
#include "shell/shell.h"
#include "support/world_tables.h"

namespace {

struct Framebuffer {
  const uint32_t* pixels = nullptr;
  int stride = 0;
  int width = 0;
  int height = 0;
};

struct Desktop {
  uint32_t clock = 0;
  int screenWidth = 1024;
  int screenHeight = 768;
  std::deque<BackendEvent> events;
  std::deque<int> answers;
  std::vector<ShownBox> boxes;
  std::map<HWND, Framebuffer> framebuffers;
  int nextBox = 0;
  bool closeWhenIdle = false;
  bool failWhenIdle = false;
  int failAnswer = IDOK;
};

Desktop desktop;
Backend testBackend;

uint32_t tickCount() {
  return desktop.clock;
}
void playPcm(const WaveFormat&, const uint8_t*, size_t, const void*) {}
void stopSound() {}
void screenSize(int* width, int* height) {
  *width = desktop.screenWidth;
  *height = desktop.screenHeight;
}
bool createWindow(HWND, const char*, const RECT&) {
  return true;
}
void destroyWindow(HWND window) {
  desktop.framebuffers.erase(window);
}
void setWindowState(HWND, BackendWindowState) {}
void setWindowTitle(HWND, const char*) {}
void setWindowClient(HWND, const RECT&) {}
void raiseWindow(HWND) {}
void present(HWND window, const uint32_t* pixels, int stride, int width, int height, const RECT*,
             int) {
  desktop.framebuffers[window] = Framebuffer{pixels, stride, width, height};
}

bool waitEvent(BackendEvent* event, uint32_t timeoutMs) {
  if (!desktop.events.empty()) {
    *event = desktop.events.front();
    desktop.events.pop_front();
    return true;
  }
  if (timeoutMs == 0) return false;
  // The loop is idle: this is where a scripted end of the run happens.
  if (desktop.failWhenIdle && world.mainWindow != nullptr) {
    desktop.failWhenIdle = false;
    answerNextBoxes(desktop.failAnswer, 1);
    assertFailed("game_harness.cpp", 1);
    return false;
  }
  if (desktop.closeWhenIdle && world.mainWindow != nullptr) {
    desktop.closeWhenIdle = false;
    *event = BackendEvent{};
    event->type = BackendEventType::Close;
    event->window = world.mainWindow;
    return true;
  }
  if (timeoutMs == kBackendWaitForever) {
    // Nothing could ever happen: end the application rather than hang.
    *event = BackendEvent{};
    event->type = BackendEventType::Close;
    event->window = nullptr;
    return true;
  }
  desktop.clock += timeoutMs;
  return false;
}

int beginMessageBox(const char* text, const char* caption, UINT type) {
  int answer = IDOK;
  if (!desktop.answers.empty()) {
    answer = desktop.answers.front();
    desktop.answers.pop_front();
  }
  desktop.boxes.push_back(ShownBox{caption, text, type, answer});
  BackendEvent reply{};
  reply.type = BackendEventType::MessageBoxAnswer;
  reply.box = ++desktop.nextBox;
  reply.answer = answer;
  desktop.events.push_back(reply);
  return reply.box;
}

void postEvent(BackendEventType type, int width = 0, int height = 0) {
  BackendEvent event{};
  event.type = type;
  event.window = world.mainWindow;
  event.width = width;
  event.height = height;
  desktop.events.push_back(event);
  pumpMessages();
}

}  // namespace

void installHeadless(int screenWidth, int screenHeight, uint32_t clock) {
  testsupport::freeWorldTables();  // a test may start a second game after a bare world
  desktop = Desktop{};
  desktop.clock = clock;
  desktop.screenWidth = screenWidth;
  desktop.screenHeight = screenHeight;
  testBackend = Backend{};
  testBackend.tickCount = tickCount;
  testBackend.playPcm = playPcm;
  testBackend.stopSound = stopSound;
  testBackend.screenSize = screenSize;
  testBackend.createWindow = createWindow;
  testBackend.destroyWindow = destroyWindow;
  testBackend.setWindowState = setWindowState;
  testBackend.setWindowTitle = setWindowTitle;
  testBackend.setWindowClient = setWindowClient;
  testBackend.raiseWindow = raiseWindow;
  testBackend.present = present;
  testBackend.waitEvent = waitEvent;
  testBackend.beginMessageBox = beginMessageBox;
  setBackend(&testBackend);
  world = WorldState{};
}

void startBareWorld() {
  installHeadless(1024, 768, 5000);
  if (!allocateTables()) std::abort();
  for (int id = 1; id < kSpriteCount; ++id) {
    // The real sprite sizes, for tests that need actors but no sheets.
    const SpriteBitmapSize size = kSpriteBitmapSizes[id];
    Sprite& sprite = world.sprites[id];
    sprite =
        Sprite{nullptr, nullptr, 0, size.width, size.height, int16_t(size.width * size.height)};
  }
  world.soundOff = true;
  resetWorld();
}

void startGameWindows(int screenWidth, int screenHeight) {
  installHeadless(screenWidth, screenHeight, 5000);
  world.soundOff = true;
  if (!allocateTables()) std::abort();
  resetWorld();
  if (!createWindows(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL)) std::abort();
  if (!startGame()) std::abort();
  pumpMessages();
}

int runGameMain(const char* tail) {
  char buffer[256];
  lstrcpynA(buffer, tail, sizeof(buffer));
  return gameMain(GetModuleHandleA(nullptr), nullptr, buffer, SW_SHOWNORMAL);
}

void stopHarness() {
  if (world.mainWindow != nullptr && IsWindow(world.mainWindow)) {
    DestroyWindow(world.mainWindow);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) break;
      DispatchMessageA(&message);
    }
  }
  testsupport::freeWorldTables();
  setBackend(nullptr);
}

void answerNextBoxes(int answer, int count) {
  for (int i = 0; i < count; ++i) desktop.answers.push_back(answer);
}

const std::vector<ShownBox>& boxesShown() {
  return desktop.boxes;
}
void closeMainWindowAfterStart() {
  desktop.closeWhenIdle = true;
}
void failAnAssertionAfterStart(int answer) {
  desktop.failWhenIdle = true;
  desktop.failAnswer = answer;
}

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void advanceClock(uint32_t ms) {
  pumpMessages();
  for (uint32_t i = 0; i < ms; ++i) {
    ++desktop.clock;
    pumpMessages();
  }
}

void pressKey(unsigned virtualKey) {
  BackendEvent event{};
  event.type = BackendEventType::KeyDown;
  event.virtualKey = virtualKey;
  desktop.events.push_back(event);
  event.type = BackendEventType::KeyUp;
  desktop.events.push_back(event);
  pumpMessages();
}

void activateMainWindow() {
  postEvent(BackendEventType::Activate);
}
void deactivateMainWindow() {
  postEvent(BackendEventType::Deactivate);
}
void minimiseMainWindow() {
  postEvent(BackendEventType::Minimise);
}
void restoreMainWindow() {
  postEvent(BackendEventType::Restore);
}
void resizeMainWindow(int clientWidth, int clientHeight) {
  postEvent(BackendEventType::Resize, clientWidth, clientHeight);
}

std::string windowTitle() {
  char title[256] = "";
  if (world.mainWindow != nullptr) GetWindowTextA(world.mainWindow, title, sizeof(title));
  return title;
}

int countFreeRecords() {
  int n = 0;
  for (const Actor* a = world.freeList; a != nullptr && n <= kActorPoolSize; a = a->next) ++n;
  return n;
}

uint32_t colorrefToRgb(COLORREF color) {
  return (uint32_t(GetRValue(color)) << 16) | (uint32_t(GetGValue(color)) << 8) | GetBValue(color);
}

std::vector<uint32_t> clientPixels(int* width, int* height) {
  pumpMessages();
  auto found = desktop.framebuffers.find(world.mainWindow);
  if (found == desktop.framebuffers.end()) {
    *width = *height = 0;
    return {};
  }
  const Framebuffer& fb = found->second;
  *width = fb.width;
  *height = fb.height;
  std::vector<uint32_t> pixels(size_t(fb.width) * fb.height);
  for (int y = 0; y < fb.height; ++y) {
    for (int x = 0; x < fb.width; ++x)
      pixels[size_t(y) * fb.width + x] = fb.pixels[y * fb.stride + x];
  }
  return pixels;
}
