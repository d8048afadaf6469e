// The game clock: the timer's state table over activation, minimising and
// pause, the two titles, the run clock across a pause, and restarts.
#include <gtest/gtest.h>

#include <cstdint>

#include "game_harness.h"
#include "shell/shell.h"

namespace {

class Clock : public ::testing::Test {
 protected:
  void SetUp() override { startGameWindows(1024, 768); }
  void TearDown() override { stopHarness(); }

  static void expectState(bool running, bool paused, bool timerOn, const char* title) {
    EXPECT_EQ(world.running, running);
    EXPECT_EQ(world.paused, paused);
    EXPECT_EQ(world.timerOn, timerOn);
    EXPECT_EQ(windowTitle(), title);
  }
};

TEST_F(Clock, TheTimerFollowsActivationMinimisingAndPause) {
  expectState(true, false, true, "Snowvel");
  const uint32_t ticks = ticksRunCount();
  advanceClock(400);
  EXPECT_EQ(ticksRunCount(), ticks + 10) << "one tick per 40 ms while playing";

  pressKey(VK_F3);
  expectState(true, true, false, "Snowvel Paused ... Press F3 to continue");
  advanceClock(400);
  EXPECT_EQ(ticksRunCount(), ticks + 10);

  deactivateMainWindow();
  expectState(false, true, false, "Snowvel Paused ... Press F3 to continue");
  activateMainWindow();
  expectState(true, true, false, "Snowvel Paused ... Press F3 to continue");

  pressKey(VK_F3);
  expectState(true, false, true, "Snowvel");

  minimiseMainWindow();
  expectState(false, false, false, "Snowvel");
  advanceClock(400);
  EXPECT_EQ(ticksRunCount(), ticks + 10);
  restoreMainWindow();
  expectState(true, false, true, "Snowvel");
}

TEST_F(Clock, KeysAreIgnoredWhileInactive) {
  deactivateMainWindow();
  pressKey(VK_F3);
  EXPECT_FALSE(world.paused);
}

TEST_F(Clock, APauseDoesNotCountOnTheRunClock) {
  advanceClock(80);
  world.slalomRunOn = true;
  world.runStart = int32_t(world.now) - 3000;
  const int32_t elapsedAtLastTick = int32_t(world.now) - world.runStart;

  pressKey(VK_F3);
  advanceClock(10000);
  pressKey(VK_F3);
  // The new start time leaves the paused stretch out.
  EXPECT_EQ(int32_t(world.now) - world.runStart, elapsedAtLastTick);

  const DWORD resumedAt = world.now;
  advanceClock(40);
  EXPECT_EQ(world.tickMs, world.now - resumedAt) << "the first tick measures from the resume";
  EXPECT_LE(world.tickMs, 40u);

  // A start time just below 2^31 crosses it when shifted, and wraps like the
  // tick count instead of overflowing.
  world.slalomRunOn = true;
  world.runStart = INT32_MAX - 5;
  const uint32_t elapsed = uint32_t(world.now) - uint32_t(world.runStart);
  pressKey(VK_F3);
  advanceClock(10000);
  pressKey(VK_F3);
  EXPECT_LT(world.runStart, 0);
  EXPECT_EQ(uint32_t(world.now) - uint32_t(world.runStart), elapsed);
}

TEST_F(Clock, F2WhilePausedStartsAPlayingGameWithAFreshSeed) {
  const uint32_t firstSeedTime = world.now;
  pressKey(VK_F3);
  advanceClock(1234);
  pressKey(VK_F2);
  expectState(true, false, true, "Snowvel");
  ASSERT_NE(world.player, nullptr);
  EXPECT_EQ(world.player->x, 0);
  EXPECT_EQ(world.player->y, 0);
  EXPECT_NE(world.now, firstSeedTime);
}

TEST_F(Clock, ResettingTheWorldReclaimsEveryRecordAndLeavesTimerPauseAndWindowsAlone) {
  advanceClock(400);
  pressKey(VK_F3);
  const HWND main = world.mainWindow;
  world.style = 99;
  world.viewX = 12;
  world.viewTravelY = 34;
  world.slalomRunOn = true;
  world.runClock = 5;
  world.inputRepaintAllowed = false;

  resetWorld();
  EXPECT_TRUE(world.paused);
  EXPECT_FALSE(world.timerOn);
  EXPECT_EQ(world.mainWindow, main);
  EXPECT_EQ(windowTitle(), "Snowvel Paused ... Press F3 to continue");

  EXPECT_EQ(world.activeList, nullptr);
  EXPECT_EQ(world.player, nullptr);
  EXPECT_EQ(world.cameraActor, nullptr);
  EXPECT_EQ(world.spriteAreaSum, 0);
  EXPECT_EQ(world.placedCount, 0);
  // The free list is the whole pool in its own order.
  const Actor* record = world.freeList;
  for (int i = 0; i < kActorPoolSize; ++i, record = record->next) {
    ASSERT_EQ(record, &world.actorPool[i]);
  }
  EXPECT_EQ(record, nullptr);
  EXPECT_EQ(world.style, 0);
  EXPECT_EQ(world.viewX, 0);
  EXPECT_EQ(world.viewTravelY, 0);
  EXPECT_FALSE(world.slalomRunOn);
  EXPECT_EQ(world.runClock, 0);
  EXPECT_EQ(world.timerInterval, 40u);
  EXPECT_TRUE(world.inputRepaintAllowed);
}

TEST_F(Clock, AnAssertionReportWhileInactiveLetsNoTickThrough) {
  deactivateMainWindow();
  answerNextBoxes(IDOK, 1);
  const uint32_t ticks = ticksRunCount();
  assertFailed("clock_test.cpp", 1);
  // The report found the timer off, so it "resumed" and started it.
  EXPECT_FALSE(world.paused);
  advanceClock(400);
  EXPECT_EQ(ticksRunCount(), ticks);
}

TEST_F(Clock, TheStatusPanelIsRefreshedAtMostEvery327Ms) {
  advanceClock(40);
  const int32_t refreshedAt = world.lastStatusAt;
  int refreshes = 0;
  int32_t last = refreshedAt;
  for (int i = 0; i < 40; ++i) {
    advanceClock(40);
    if (world.lastStatusAt != last) {
      EXPECT_GT(int32_t(world.lastStatusAt - last), 327);
      last = world.lastStatusAt;
      ++refreshes;
    }
  }
  EXPECT_EQ(refreshes, 4) << "every ninth tick of 40 ms";
}

}  // namespace
