// A long run with real sprite sizes and the repaint engine, steered by a
// random hand: no invariant may ever be reported, the pool of 100 records
// above all.
#include <chrono>
#include <cstdio>
#include <random>

#include "actors/actors.h"
#include "control/control.h"
#include "display/display.h"
#include "shell/shell.h"
#include "world/world.h"
#include "world_fixture.h"

namespace {

class Soak : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    world.mainDc = CreateCompatibleDC(nullptr);
    ASSERT_NE(world.mainDc, nullptr);
    ASSERT_TRUE(loadSpriteSheets(world.mainDc));
    ASSERT_TRUE(startGame());
  }
  void TearDown() override {
    closeSheets();
    WorldTest::TearDown();
  }
  void closeSheets() {
    if (world.mainDc != nullptr) DeleteDC(world.mainDc);
    world.mainDc = nullptr;
  }

  // One tick as the timer runs it, less the status panel.
  void step() {
    clock += 40;
    setTestClock(clock);
    world.prevNow = world.now;
    world.now = clock;
    worldTick();
    repaint(world.mainDc, &world.clientRect);
    world.inputRepaintAllowed = true;
  }

  int recordsInUse() const {
    int free = 0;
    for (Actor* a = world.freeList; a != nullptr; a = a->next) ++free;
    return kActorPoolSize - free;
  }

  uint32_t clock = 500000;
};

TEST_F(Soak, ALongRandomRunNeverExhaustsThePool) {
  std::mt19937 hand(20240611);
  const WPARAM keys[] = {VK_DOWN, VK_DOWN, VK_DOWN, VK_LEFT, VK_RIGHT, VK_INSERT,
                         VK_UP,   VK_HOME, VK_NEXT, VK_END,  VK_PRIOR};
  int games = 1, mostInUse = 0;
  double slowestMs = 0;
  for (int t = 0; t < 20000; ++t) {
    if (world.player == nullptr) {
      // Caught: start again as Enter does, without a window to repaint.
      ASSERT_TRUE(resetWorld());
      ASSERT_TRUE(startGame());
      ++games;
    } else if (hand() % 8 == 0) {
      const uint32_t choice = hand() % 16;
      if (choice < std::size(keys)) {
        onKeyDown(keys[choice]);
      } else if (choice < 14) {
        onMouseMove(int16_t(hand() % 640), int16_t(hand() % 480));
      } else {
        onMouseButton();
      }
    }
    const auto start = std::chrono::steady_clock::now();
    step();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    slowestMs = std::max(slowestMs, std::chrono::duration<double, std::milli>(elapsed).count());
    mostInUse = std::max(mostInUse, recordsInUse());
    ASSERT_EQ(assertionReports(), 0) << "at tick " << t;
  }
  std::printf("games %d, most records in use %d of %d, slowest tick %.3f ms\n", games, mostInUse,
              kActorPoolSize, slowestMs);
  EXPECT_LT(mostInUse, kActorPoolSize);
}

}  // namespace

namespace {

// Straight down the tree slalom, the densest course, on windows of several
// sizes: the bigger the window, the more the crowding limit lets in.
class TreeSlalomSoak : public Soak, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(TreeSlalomSoak, TheDensestCourseFitsInThePool) {
  const auto [width, height] = GetParam();
  layOut(width, height);
  setActorPosition(world.player, 416, 700, 0);
  int mostInUse = 0;
  double totalMs = 0;
  for (int t = 0; t < 1200 && world.player != nullptr; ++t) {
    // Straight down, and up again after every crash.
    if (world.player->state != 0) onKeyDown(VK_DOWN);
    if (world.player->x != 416)
      setActorPosition(world.player, 416, world.player->y, world.player->z);
    const auto start = std::chrono::steady_clock::now();
    step();
    totalMs +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    mostInUse = std::max(mostInUse, recordsInUse());
  }
  std::printf("%dx%d: most records in use %d, mean tick %.3f ms, reports %d\n", width, height,
              mostInUse, totalMs / 1200, assertionReports());
  EXPECT_EQ(assertionReports(), 0);
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, TreeSlalomSoak,
                         ::testing::Values(std::pair{640, 480}, std::pair{1024, 768},
                                           std::pair{1920, 1200}));

}  // namespace
