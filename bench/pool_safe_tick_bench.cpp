// One tick and one full repaint of a crowded scene that stays inside the
// pool of 100 records: every image may need an erase-copy during a tick, so
// the crowd is 30 actors plus what the game itself keeps. A run that hits an
// invariant report (a full pool shows a message box) is stopped as an error,
// since it would time the box instead of the game.
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

void openAt(int clientWidth, int clientHeight) {
  HeadlessConfig config;
  config.screenWidth = 2048;
  config.screenHeight = 2048;
  config.startTick = 20240;
  installHeadlessBackend(config);
  world = WorldState{};
  world.soundOff = true;
  if (!allocateTables() || !resetWorld() ||
      !createWindows(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL) || !startGame())
    std::abort();
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  MoveWindow(world.mainWindow, 0, 0, frame.right - frame.left, frame.bottom - frame.top, TRUE);
  dispatchPending();
}

// Thirty obstacles and characters around the view, overlapping in places,
// the skier heading straight down through them.
constexpr int kCrowd = 30;

void crowd() {
  resetWorld();
  InvalidateRect(world.mainWindow, nullptr, TRUE);
  startGame();
  dispatchPending();
  static const int32_t kMoving[] = {KIND_RACER, KIND_DOG, KIND_BOARDER, KIND_WALKING_TREE};
  static const uint16_t kStatic[] = {49, 50, 51, 45, 46, 27, 52, 48};
  seedRandom(7);
  const int16_t spanX = world.clientWidth, spanY = world.clientHeight;
  for (int i = 0; i < kCrowd; ++i) {
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
  if (world.player != nullptr) setActorState(world.player, 0);
  repaint(world.mainDc, &world.clientRect);
}

void close() {
  DestroyWindow(world.mainWindow);
  dispatchPending();
}

void BM_PoolSafeTick(benchmark::State& state) {
  openAt(int(state.range(0)), int(state.range(1)));
  crowd();
  const uint32_t reports = assertionReportCount();
  int ticks = 0;
  for (auto _ : state) {
    tick();
    if (++ticks == 100) {
      state.PauseTiming();
      crowd();
      ticks = 0;
      state.ResumeTiming();
    }
  }
  if (assertionReportCount() != reports) state.SkipWithError("an invariant was reported");
  close();
}

void BM_PoolSafeFullRepaint(benchmark::State& state) {
  openAt(int(state.range(0)), int(state.range(1)));
  crowd();
  const uint32_t reports = assertionReportCount();
  for (auto _ : state) paintRegion(world.mainDc, &world.clientRect);
  if (assertionReportCount() != reports) state.SkipWithError("an invariant was reported");
  close();
}

}  // namespace

BENCHMARK(BM_PoolSafeTick)->Args({640, 480})->Args({1024, 1024})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PoolSafeFullRepaint)
    ->Args({640, 480})
    ->Args({1024, 1024})
    ->Unit(benchmark::kMicrosecond);
