// The behaviour steps: jumps, landings, crashes, side-steps and the
// characters' little state machines.
#include <vector>

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"
#include "world_fixture.h"

namespace {

using Behaviour = WorldTest;

TEST_F(Behaviour, AJumpRisesAndFallsOnAParabolaThenLandsHeadingDown) {
  Actor* player = makePlayer(0, 1000, 13);
  player->dz = 4;
  std::vector<int> heights;
  for (int step = 0; step < 9; ++step) {
    updateActor(player);
    heights.push_back(player->z);
    if (step < 8) {
      EXPECT_EQ(player->state, 13) << "step " << step;
    }
  }
  EXPECT_EQ(heights, (std::vector<int>{4, 7, 9, 10, 10, 9, 7, 4, 0}));
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(sounds, std::vector<int>{4});
}

TEST_F(Behaviour, TrickPosesPayEachTickInTheAirButNotTheLanding) {
  world.freestyleRunOn = true;
  Actor* player = makePlayer(0, 1000, 18);
  player->dz = 2;  // up to 2, 3, 3, 2, 0
  updateActor(player);
  EXPECT_EQ(world.style, 4);
  for (int step = 0; step < 4; ++step) updateActor(player);
  EXPECT_EQ(player->z, 0);
  EXPECT_EQ(player->state, 11);
  EXPECT_EQ(world.style, 16);
  EXPECT_TRUE(sounds.empty());
}

TEST_F(Behaviour, ACrashRunsDownTheSpeedInPlaceThenSits) {
  Actor* player = makePlayer(50, 1000, 11);
  player->dx = 3;
  player->dy = -2;
  const int expected[3][2] = {{2, -1}, {1, 0}, {0, 0}};
  for (const auto& v : expected) {
    updateActor(player);
    EXPECT_EQ(player->state, 11);
    EXPECT_EQ(player->dx, v[0]);
    EXPECT_EQ(player->dy, v[1]);
  }
  updateActor(player);
  EXPECT_EQ(player->state, 12);
  EXPECT_EQ(player->x, 50);
  EXPECT_EQ(player->y, 1000);
}

TEST_F(Behaviour, DoubleSpeedMovesTwiceButGravityPullsOnce) {
  Actor* player = makePlayer(0, 1000, 0);
  world.fastMode = true;
  player->dx = 2;
  player->dy = 10;
  player->dz = 4;
  updateActor(player);
  EXPECT_EQ(player->x, 4);
  EXPECT_EQ(player->y, 1020);
  EXPECT_EQ(player->z, 8);
  EXPECT_EQ(player->dz, 3);
}

TEST_F(Behaviour, SideStepsAndHopsLastOneStep) {
  Actor* player = makePlayer(0, 1000, 7);
  updateActor(player);
  EXPECT_EQ(player->state, 3);
  setActorState(player, 10);
  updateActor(player);
  EXPECT_EQ(player->state, 6);
}

TEST_F(Behaviour, AFallenRacerNeverMovesAgain) {
  Actor* racer = makeActor(KIND_RACER, 25, 100, 200);
  racer->dx = 3;
  racer->dy = 5;
  const uint32_t seed = world.randomSeed;
  for (int i = 0; i < 5; ++i) updateActor(racer);
  EXPECT_EQ(racer->x, 100);
  EXPECT_EQ(racer->y, 200);
  EXPECT_EQ(racer->dy, 5);
  EXPECT_EQ(racer->state, 25);
  EXPECT_EQ(drawsSince(seed), 0);
}

TEST_F(Behaviour, ADogTrotsRightInTwoFramesAndDrawsItsDriftEverySecondStep) {
  Actor* dog = makeActor(KIND_DOG, 27, 100, 200);
  uint32_t seed = world.randomSeed;
  updateActor(dog);
  EXPECT_EQ(dog->x, 100);
  EXPECT_EQ(dog->state, 28);
  EXPECT_EQ(drawsSince(seed), 1);
  seed = world.randomSeed;
  updateActor(dog);
  EXPECT_EQ(dog->x, 104);
  EXPECT_EQ(dog->state, 27);
  EXPECT_EQ(drawsSince(seed), 0);
}

TEST_F(Behaviour, ABarkingDogSometimesLeavesAStainWhereItStood) {
  Actor* dog = makeActor(KIND_DOG, 30, 100, 200);
  dog->dx = 3;
  seedForNext(100, 0);
  updateActor(dog);
  EXPECT_EQ(dog->state, 27);
  EXPECT_EQ(dog->x, 103);
  Actor* stain = world.activeList;
  ASSERT_NE(stain, dog);
  EXPECT_EQ(stain->spriteIndex, 82);
  EXPECT_EQ(stain->x, 96);
  EXPECT_EQ(stain->y, 198);
  EXPECT_EQ(sounds, std::vector<int>{8});
}

TEST_F(Behaviour, BoardersTumbleThroughFiveFramesThenCarveRight) {
  Actor* boarder = makeActor(KIND_BOARDER, 34, 0, 0);
  std::vector<int> states;
  for (int i = 0; i < 5; ++i) {
    updateActor(boarder);
    states.push_back(boarder->state);
  }
  EXPECT_EQ(states, (std::vector<int>{35, 36, 37, 38, 32}));
}

TEST_F(Behaviour, ABurningTreeFlickersInPlace) {
  Actor* tree = makeActor(KIND_BURNING_TREE, 56, 10, 20);
  std::vector<int> shown;
  for (int i = 0; i < 5; ++i) {
    updateActor(tree);
    shown.push_back(tree->spriteIndex);
  }
  EXPECT_EQ(shown, (std::vector<int>{84, 85, 84, 83, 84}));
  EXPECT_EQ(tree->x, 10);
}

TEST_F(Behaviour, AWalkingTreeSetsOffOneWayAndStopsAgain) {
  Actor* tree = makeActor(KIND_WALKING_TREE, 60, 10, 20);
  seedForNext(100, 1);
  updateActor(tree);
  EXPECT_EQ(tree->state, 60);
  EXPECT_EQ(tree->x, 10);

  seedForNext(100, 0);
  updateActor(tree);
  EXPECT_EQ(tree->state, 61);
  ASSERT_TRUE(tree->dx == 1 || tree->dx == -1);
  const int16_t dx = tree->dx;
  EXPECT_EQ(tree->x, 10 + dx);

  seedForNext(10, 3);
  updateActor(tree);
  EXPECT_EQ(tree->state, dx > 0 ? 63 : 62);
  updateActor(tree);
  EXPECT_EQ(tree->state, 61);
  seedForNext(10, 0);
  updateActor(tree);
  EXPECT_EQ(tree->state, 60);
  EXPECT_EQ(tree->dx, 0);
}

}  // namespace
