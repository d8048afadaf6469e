// The soak: random play on several seeds and screen sizes, the world's
// invariants checked after every tick and the repaint oracle every 500.
// `soak --ticks N` sets the total; the ticks are shared among the runs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/headless/headless.h"
#include "random_player.h"
#include "repaint_check.h"
#include "shell/shell.h"
#include "state_digest.h"
#include "support/world_tables.h"
#include "world_invariants.h"

namespace {

uint64_t totalTicks = 30000;

struct SoakRun {
  uint32_t seed;
  int screenWidth;
  int screenHeight;
};

const SoakRun kRuns[] = {
    {20240, 640, 480},    {1, 1024, 768},    {4000000000u, 320, 240},
    {777777, 1280, 1024}, {31337, 800, 600}, {99, 1920, 1080},
};

void openGame(const SoakRun& run) {
  HeadlessConfig config;
  config.screenWidth = run.screenWidth;
  config.screenHeight = run.screenHeight;
  config.startTick = run.seed;
  installHeadlessBackend(config);
  world = WorldState{};
  ASSERT_TRUE(allocateTables());
  ASSERT_TRUE(resetWorld());
  ASSERT_TRUE(createWindows(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL));
  ASSERT_TRUE(startGame());
  world.soundOff = true;
}

void closeGame() {
  if (world.mainWindow != nullptr && IsWindow(world.mainWindow)) DestroyWindow(world.mainWindow);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  testsupport::freeWorldTables();
  setBackend(nullptr);
}

std::string assertionTexts() {
  std::string texts;
  for (const HeadlessMessageBox& box : headlessMessageBoxes())
    if (box.caption == "Assertion Failed") texts += box.text + "; ";
  return texts;
}

class Soak : public ::testing::TestWithParam<SoakRun> {};

TEST_P(Soak, RandomPlayKeepsEveryInvariantAfterEveryTick) {
  const SoakRun run = GetParam();
  const uint64_t ticks = std::max<uint64_t>(1, totalTicks / std::size(kRuns));
  openGame(run);
  RandomPlayer hand(run.seed ^ 0x5eed, run.screenWidth, run.screenHeight);
  WorldInvariants invariants;
  invariants.start();
  StateDigest digest;
  const uint32_t reportsAtStart = assertionReportCount();
  uint32_t lastTick = ticksRunCount();
  uint64_t done = 0, idleMessages = 0;
  while (done < ticks) {
    MSG message;
    ASSERT_GT(GetMessageA(&message, nullptr, 0, 0), 0)
        << "the game ended after " << done << " ticks, reports "
        << assertionReportCount() - reportsAtStart;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (ticksRunCount() == lastTick) {
      ASSERT_LT(++idleMessages, 100000u) << "no tick for 100000 messages after tick " << done;
      continue;
    }
    lastTick = ticksRunCount();
    idleMessages = 0;
    ++done;
    const std::string fault = invariants.check();
    ASSERT_EQ(fault, "") << "after tick " << done;
    ASSERT_EQ(assertionReportCount(), reportsAtStart)
        << "after tick " << done << ": " << assertionTexts();
    if (done % 500 == 0) {
      const std::string difference = compareWithFullRepaint();
      ASSERT_EQ(difference, "") << "after tick " << done;
    }
    digest.add();
    hand.act();
  }
  std::printf(
      "seed %u, %dx%d: %llu ticks, %d new games, %d trips beyond the edges, down to y %d, "
      "state digest %08x\n",
      run.seed, run.screenWidth, run.screenHeight, static_cast<unsigned long long>(done),
      hand.newGames(), hand.edgeTrips(), hand.furthest(), digest.value());
  closeGame();
}

INSTANTIATE_TEST_SUITE_P(SeedsAndScreens, Soak, ::testing::ValuesIn(kRuns),
                         [](const ::testing::TestParamInfo<SoakRun>& info) {
                           return "seed" + std::to_string(info.param.seed) + "_" +
                                  std::to_string(info.param.screenWidth) + "x" +
                                  std::to_string(info.param.screenHeight);
                         });

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--ticks") == 0 && i + 1 < argc) {
      totalTicks = std::strtoull(argv[++i], nullptr, 10);
    } else {
      std::fprintf(stderr, "usage: soak [--ticks N] [gtest options]\n");
      return 2;
    }
  }
  return RUN_ALL_TESTS();
}
