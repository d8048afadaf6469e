// One tick (world and repaint) and one full repaint of the same crowded
// scene on the headless desktop, at 640x480 and 1024x1024, and the ratio of
// the two. The crowd is thirty obstacles and characters plus what the game
// keeps itself, so that every image can get its erase-copy during a tick
// without running out of the 100 records. A run that hits an invariant
// report (a full pool shows a message box) is stopped as an error, since it
// would time the box instead of the game, and the program then exits with 1.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "actors/actors.h"
#include "display/display.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "world/world.h"

namespace {

constexpr int kCrowd = 30;
constexpr int kTicksPerScene = 100;

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

// A fresh game, then the crowd around the view, overlapping in places, with
// the skier heading straight down through it. Always the same scene.
void buildScene() {
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
  if (world.player != nullptr) setActorState(world.player, 0);  // straight downhill
  repaint(world.mainDc, &world.clientRect);
}

void closeGame(benchmark::State& state, uint32_t reportsBefore) {
  if (assertionReportCount() != reportsBefore) state.SkipWithError("an invariant was reported");
  DestroyWindow(world.mainWindow);
  dispatchPending();
}

void BM_Tick(benchmark::State& state) {
  openGameAt(int(state.range(0)), int(state.range(1)));
  const uint32_t reportsBefore = assertionReportCount();
  buildScene();
  int ticksInScene = 0;
  for (auto _ : state) {
    tick();
    if (++ticksInScene == kTicksPerScene) {
      state.PauseTiming();
      buildScene();
      ticksInScene = 0;
      state.ResumeTiming();
    }
  }
  closeGame(state, reportsBefore);
}

void BM_FullRepaint(benchmark::State& state) {
  openGameAt(int(state.range(0)), int(state.range(1)));
  const uint32_t reportsBefore = assertionReportCount();
  buildScene();
  for (auto _ : state) paintRegion(world.mainDc, &world.clientRect);
  closeGame(state, reportsBefore);
}

BENCHMARK(BM_Tick)->Args({640, 480})->Args({1024, 1024})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRepaint)->Args({640, 480})->Args({1024, 1024})->Unit(benchmark::kMicrosecond);

// The console report, followed by the CPU time of a tick over that of a full
// repaint for each client size: the median when repetitions give one.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) {
        anyError_ = true;
        continue;
      }
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      Figure& figure = figures_[run.run_name.args][run.run_name.function_name];
      if (figure.fromMedian && !median) continue;
      figure = Figure{run.GetAdjustedCPUTime(), median};
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [client, byName] : figures_) {
      const auto tick = byName.find("BM_Tick");
      const auto full = byName.find("BM_FullRepaint");
      if (tick == byName.end() || full == byName.end() || full->second.cpu <= 0) continue;
      std::string size = client;
      for (char& c : size) c = c == '/' ? 'x' : c;
      std::printf("tick / full repaint at %s: %.2f\n", size.c_str(),
                  tick->second.cpu / full->second.cpu);
    }
  }

  bool anyError() const { return anyError_; }

 private:
  struct Figure {
    double cpu = 0;
    bool fromMedian = false;
  };
  std::map<std::string, std::map<std::string, Figure>> figures_;
  bool anyError_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.anyError() ? 1 : 0;
}
