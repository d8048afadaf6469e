// The cost of one tick (world and repaint) and of a full repaint, in a
// crowded scene on the headless desktop.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "actors/actors.h"
#include "display/display.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "world/world.h"

namespace {

void dispatchPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The game started as the program starts it, its client area sized exactly.
void openGameAt(int clientWidth, int clientHeight) {
  HeadlessConfig config;
  config.screenWidth = 2048;
  config.screenHeight = 2048;
  config.startTick = 20240;
  installHeadlessBackend(config);
  world = WorldState{};
  world.soundOff = true;
  if (!allocateTables() || !resetWorld() ||
      !createWindows(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL) || !startGame()) {
    std::abort();
  }
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  MoveWindow(world.mainWindow, 0, 0, frame.right - frame.left, frame.bottom - frame.top, TRUE);
  dispatchPending();
}

// Sixty obstacles and characters around the view, overlapping in places,
// with the player skiing straight down through them.
void crowdTheSlope() {
  static const int32_t kMoving[] = {KIND_RACER, KIND_DOG, KIND_BOARDER, KIND_WALKING_TREE};
  static const uint16_t kStatic[] = {49, 50, 51, 45, 46, 27, 52, 48};
  seedRandom(7);
  const int16_t spanX = int16_t(world.clientWidth), spanY = int16_t(world.clientHeight);
  for (int i = 0; i < 60; ++i) {
    const int16_t x = int16_t(world.viewX + randomBelow(spanX) - spanX / 2);
    const int16_t y = int16_t(world.viewY + randomBelow(spanY) - spanY / 3);
    Actor* actor = nullptr;
    if (i % 3 == 0) {
      const int32_t kind = kMoving[i / 3 % 4];
      actor = createActor(kind, KindDefaultState[kind]);
    } else {
      const uint16_t sprite = kStatic[i % 8];
      actor = createActorWithSprite(sprite == 27 ? KIND_MOGULS : KIND_TREE, sprite);
    }
    if (actor != nullptr) setActorPosition(actor, x, y, 0);
  }
  if (world.player != nullptr) setActorState(world.player, 0);  // straight downhill
  repaint(world.mainDc, &world.clientRect);
}

// Back to the same scene: a fresh game, then the crowd again.
void rebuildScene() {
  resetWorld();
  InvalidateRect(world.mainWindow, nullptr, TRUE);
  startGame();
  dispatchPending();
  crowdTheSlope();
}

void finish() {
  DestroyWindow(world.mainWindow);
  dispatchPending();
}

void BM_Tick(benchmark::State& state) {
  openGameAt(int(state.range(0)), int(state.range(1)));
  rebuildScene();
  int ticksInScene = 0;
  for (auto _ : state) {
    tick();
    if (++ticksInScene == 100) {
      state.PauseTiming();
      rebuildScene();
      ticksInScene = 0;
      state.ResumeTiming();
    }
  }
  finish();
}

void BM_FullRepaint(benchmark::State& state) {
  openGameAt(int(state.range(0)), int(state.range(1)));
  rebuildScene();
  for (auto _ : state) paintRegion(world.mainDc, &world.clientRect);
  finish();
}

}  // namespace

BENCHMARK(BM_Tick)->Args({640, 480})->Args({1024, 1024})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRepaint)->Args({640, 480})->Args({1024, 1024})->Unit(benchmark::kMicrosecond);
