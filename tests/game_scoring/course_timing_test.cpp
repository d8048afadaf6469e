// Run starts and finishes placed by interpolation, gates and their flags,
// penalties, abandons, the freestyle run and its style points.
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "scoring/scoring.h"
#include "scoring_world.h"

namespace {

using CrossingValue = ScoringWorld;

TEST_F(CrossingValue, TakesTheProductFirstAndTruncatesTowardZero) {
  EXPECT_EQ(crossingValue(10, 0, 3, 0, 1), 4);    // 10 - 20/3 = 10 - 6
  EXPECT_EQ(crossingValue(-10, 0, 3, 0, 1), -4);  // -10 - (-20/3) = -10 + 6
  // 7 - 6*9/20 = 7 - 2; a quotient taken before the product would give 7 - 6*0.
  EXPECT_EQ(crossingValue(7, 1, 650, 630, 641), 5);
}

TEST_F(CrossingValue, ALargeProductDoesNotOverflowAndClockValuesWrap) {
  // (a - b) * (c - e) is 2e9 * 4e4 here, far past 32 bits.
  EXPECT_EQ(crossingValue(2000000000, 0, 40000, -40000, 0), 1000000000);
  EXPECT_EQ(crossingValue(2000000000, 0, 40000, -40000, 20000), 1500000000);
  // Tick counts are modular: two ticks 40 ms apart on either side of 2^31
  // are 40 ms apart, and the moment halfway between them is 20 ms back.
  const int32_t before = static_cast<int32_t>(0x7FFFFFF0u);
  const int32_t after = static_cast<int32_t>(0x80000018u);
  EXPECT_EQ(crossingValue(after, before, 650, 630, 640), static_cast<int32_t>(0x80000004u));
}

TEST_F(CrossingValue, EqualEndsAreReportedNotDividedBy) {
  EXPECT_EQ(crossingValue(5, 9, 640, 640, 640), 5);
  EXPECT_TRUE(anyAssertionShown());
}

using RunStart = ScoringWorld;

TEST_F(RunStart, SlalomWindowIsInclusiveAtBothEnds) {
  placePlayer(-320, 630);
  skiTo(-320, 650);
  EXPECT_TRUE(world.slalomRunOn);

  clearRuns();
  placePlayer(-576, 630);
  skiTo(-576, 650);
  EXPECT_TRUE(world.slalomRunOn);

  for (int16_t x : {int16_t(-319), int16_t(-577)}) {
    clearRuns();
    placePlayer(x, 630);
    skiTo(x, 650);
    EXPECT_FALSE(world.slalomRunOn || world.treeSlalomRunOn || world.freestyleRunOn) << x;
  }
}

TEST_F(RunStart, CrossingPointIsInterpolatedNotTheEndPoint) {
  // From -330 to -310 across y 630..650: the line is crossed at x = -320.
  placePlayer(-330, 630);
  skiTo(-310, 650);
  EXPECT_TRUE(world.slalomRunOn);
  clearRuns();
  placePlayer(-329, 630);
  skiTo(-309, 650);  // crosses at -319, outside
  EXPECT_FALSE(world.slalomRunOn);
}

TEST_F(RunStart, StartTimeIsTheMomentOfCrossing) {
  world.now = 1000;
  placePlayer(-400, 630);
  skiTo(-400, 650);  // prevNow 1000, now 1040
  EXPECT_EQ(world.runStart, 1020);
  EXPECT_EQ(world.runClock, 20);
  EXPECT_EQ(world.nextGate, slalomGate(0));
}

TEST_F(RunStart, RunClockIsRightWhenTheTickCountPassesHalfItsRange) {
  world.now = 0x7FFFFFF0u;
  placePlayer(-400, 630);
  skiTo(-400, 650);
  EXPECT_TRUE(world.slalomRunOn);
  EXPECT_EQ(world.runClock, 20);
  skiTo(-400, 670);
  EXPECT_EQ(world.runClock, 60);
}

TEST_F(RunStart, OnlyADownwardCrossingStarts) {
  placePlayer(-400, 650);
  skiTo(-400, 630);
  skiTo(-400, 640);  // reaching the line is not crossing it
  EXPECT_FALSE(world.slalomRunOn);
  skiTo(-400, 641);
  EXPECT_TRUE(world.slalomRunOn);
}

TEST_F(RunStart, TreeSlalomAndFreestyleWindows) {
  placePlayer(512, 630);
  skiTo(512, 650);
  EXPECT_TRUE(world.treeSlalomRunOn);
  clearRuns();
  placePlayer(513, 630);
  skiTo(513, 650);
  EXPECT_FALSE(world.treeSlalomRunOn);

  clearRuns();
  placePlayer(-160, 630);
  skiTo(-160, 650);
  EXPECT_TRUE(world.freestyleRunOn);
  EXPECT_FALSE(world.slalomRunOn);
  clearRuns();
  placePlayer(161, 630);
  skiTo(161, 650);
  EXPECT_FALSE(world.freestyleRunOn || world.treeSlalomRunOn);
}

TEST_F(RunStart, OnlyThePlayerIsChecked) {
  Actor racer{};
  racer.kind = KIND_RACER;
  racer.x = -400;
  racer.y = 650;
  checkSlalom(&racer, -400, 630);
  checkFreestyle(&racer, 0, 630);
  EXPECT_FALSE(world.slalomRunOn || world.freestyleRunOn);
  EXPECT_FALSE(anyAssertionShown());
}

class SlalomRun : public ScoringWorld {
 protected:
  void SetUp() override {
    ScoringWorld::SetUp();
    world.now = 10000;
    placePlayer(-448, 630);
    skiTo(-448, 650);  // runStart 10020
  }
};

TEST_F(SlalomRun, GateSidesAtTheExactPole) {
  // Gate 0 is "pass left" at x = -496: x <= -496 passes.
  placePlayer(-496, 950);
  skiTo(-496, 970);
  EXPECT_EQ(slalomGate(0)->spriteIndex, 25);
  EXPECT_EQ(world.runStart, 10020);

  // Gate 1 is "pass right" at x = -400: x >= -400 passes, -401 misses.
  placePlayer(-401, 1270);
  skiTo(-401, 1290);
  EXPECT_EQ(slalomGate(1)->spriteIndex, 26);
  EXPECT_EQ(slalomGate(1)->sprite, &sprites[26]);
  EXPECT_EQ(world.runStart, 10020 - 5000);
  EXPECT_EQ(world.nextGate, slalomGate(2));

  // Gate 2 (left at -496) crossed at -495: one unit outside is a miss.
  placePlayer(-495, 1590);
  skiTo(-495, 1610);
  EXPECT_EQ(slalomGate(2)->spriteIndex, 26);
  EXPECT_EQ(world.runStart, 10020 - 10000);

  placePlayer(-400, 1910);
  skiTo(-400, 1930);
  EXPECT_EQ(slalomGate(3)->spriteIndex, 25);
}

TEST_F(SlalomRun, PenaltyShowsOnTheRunClockFromTheNextTick) {
  placePlayer(-300, 950);
  skiTo(-300, 970);  // gate 0 missed on its right
  skiTo(-300, 980);
  EXPECT_EQ(world.runClock, static_cast<int32_t>(world.now) - 10020 + 5000);
}

TEST_F(SlalomRun, GateSideIsTakenWhereTheLineIsCrossed) {
  // The move ends left of the pole but crosses the gate's row on its right.
  placePlayer(-480, 950);
  skiTo(-500, 990);  // crosses y 960 at x = -485
  EXPECT_EQ(slalomGate(0)->spriteIndex, 26);
}

TEST_F(SlalomRun, FlagFollowsTheGateActorOnScreen) {
  Actor gateActor{};
  gateActor.kind = KIND_GATE;
  gateActor.spriteIndex = 23;
  gateActor.sprite = &sprites[23];
  slalomGate(0)->actor = &gateActor;
  placePlayer(-500, 950);
  skiTo(-500, 970);
  EXPECT_EQ(gateActor.spriteIndex, 25);
  EXPECT_TRUE(gateActor.flags & ACTOR_CHANGED);
}

TEST_F(SlalomRun, OneGatePerMoveAndNotBeforeItsRow) {
  placePlayer(-500, 900);
  skiTo(-500, 960);  // on the row, not past it
  EXPECT_EQ(world.nextGate, slalomGate(0));
  EXPECT_EQ(slalomGate(0)->spriteIndex, 23);
  skiTo(-500, 1300);  // past two rows in one move: only the first is judged
  EXPECT_EQ(world.nextGate, slalomGate(1));
  EXPECT_EQ(slalomGate(1)->spriteIndex, 24);

  // The skier stops dead below the second gate (a crash): the next move has
  // no line to follow, so the gate is judged where the skier stands.
  skiTo(-500, 1300);
  EXPECT_EQ(world.nextGate, slalomGate(2));
  EXPECT_EQ(slalomGate(1)->spriteIndex, 26);
  skiTo(-390, 1300);
  skiTo(-390, 1300);
  EXPECT_EQ(world.nextGate, slalomGate(2));
  EXPECT_FALSE(anyAssertionShown());
}

TEST_F(SlalomRun, AbandonKeepsFlagsAndARetryPassesFlaggedGatesOnEitherSide) {
  placePlayer(-300, 950);
  skiTo(-300, 970);  // gate 0 missed
  placePlayer(-400, 700);
  skiTo(-400, 640);  // back on the start line: abandoned
  EXPECT_FALSE(world.slalomRunOn);
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(slalomGate(0)->spriteIndex, 26);

  world.now = 50000;
  skiTo(-400, 660);
  ASSERT_TRUE(world.slalomRunOn);
  int32_t restartedAt = world.runStart;
  placePlayer(-300, 950);
  skiTo(-300, 970);  // the wrong side again, but the gate is flagged
  EXPECT_EQ(world.runStart, restartedAt);
  EXPECT_EQ(slalomGate(0)->spriteIndex, 25);
}

TEST_F(SlalomRun, FinishAtAnyXRecordsTheInterpolatedTimeWithPenalties) {
  placePlayer(-300, 950);
  skiTo(-300, 970);  // one miss: +5000
  world.nextGate = slalomGate(kSlalomGates - 1);
  world.now = 80000;  // prevNow becomes 80000, now 80040
  placePlayer(3000, 8630);
  skiTo(3000, 8650);
  EXPECT_FALSE(world.slalomRunOn);
  EXPECT_EQ(world.runClock, 80020 - 10020 + 5000);
  EXPECT_EQ(slalomGate(kSlalomGates - 1)->spriteIndex, 24) << "finish comes before the gate";
  EXPECT_EQ(storedLine("SS"), "-75000 ");
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, " 0:01:15.00 <-- that's you!");
  EXPECT_EQ(boxes()[0].caption, "High Scores");
}

TEST_F(SlalomRun, FinishPoseDependsOnHowThePlayerArrives) {
  struct Case {
    int32_t state;
    int16_t z;
    int32_t expected;
  };
  for (Case c : {Case{0, 0, 3}, Case{16, 12, 14}, Case{11, 0, 11}, Case{17, 5, 17}}) {
    player.state = c.state;
    player.z = c.z;
    finishRun();
    EXPECT_EQ(player.state, c.expected) << "from state " << c.state;
  }
}

TEST_F(SlalomRun, CaughtPlayerLeavesTheRunAsItWas) {
  world.player = nullptr;  // eaten: the checks are no longer called with it
  Actor gone = player;
  checkSlalom(&gone, -448, 8630);
  EXPECT_TRUE(world.slalomRunOn);
  finishRun();  // and a late finish has no figure to pose
}

using Freestyle = ScoringWorld;

TEST_F(Freestyle, StyleCountsOnlyDuringARunAndCarriesIntoTheNext) {
  addStyle(50);
  EXPECT_EQ(world.style, 0);

  placePlayer(0, 630);
  skiTo(0, 650);
  ASSERT_TRUE(world.freestyleRunOn);
  EXPECT_EQ(world.runClock, 0) << "freestyle runs no clock";
  addStyle(100);
  addStyle(-32);
  EXPECT_EQ(world.style, 68);

  skiTo(0, 600);  // abandoned
  EXPECT_FALSE(world.freestyleRunOn);
  addStyle(1000);
  EXPECT_EQ(world.style, 68);

  skiTo(0, 660);  // a second run starts from the points gathered
  addStyle(2);
  EXPECT_EQ(world.style, 70);
  placePlayer(40, 16630);
  skiTo(40, 16641);
  EXPECT_FALSE(world.freestyleRunOn);
  EXPECT_EQ(storedLine("FS"), "70 ");
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, "       70 <-- that's you!");
}

}  // namespace
