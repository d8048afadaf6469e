// What each kind does when it touches another.
#include <vector>

#include "actors/actors.h"
#include "world/world.h"
#include "world_fixture.h"

namespace {

class Collisions : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    world.freestyleRunOn = true;  // so every style change shows
    player = makePlayer(0, 1000, 0);
  }

  // The player was last painted at `fromY` and has moved to `toY` since.
  void paintedThenMoved(int16_t x, int16_t fromY, int16_t toY, int16_t z = 0) {
    world.cameraActor = nullptr;
    setActorPosition(player, x, fromY, z);
    player->flags |= ACTOR_DRAWN;
    setActorPosition(player, x, toY, z);
  }

  Actor* player = nullptr;
};

TEST_F(Collisions, CrossingIsAChangeOfVerticalOrderSinceThePaint) {
  Actor* tree = makeScenery(KIND_TREE, 49, 0, 1000);
  // Level when painted and level now: no crossing, no crash.
  paintedThenMoved(0, 1000, 1000);
  collide(player, tree);
  EXPECT_EQ(player->state, 0);
  // Level then, one unit past now: crossed.
  paintedThenMoved(0, 1000, 1001);
  collide(player, tree);
  EXPECT_EQ(player->state, 11);
  EXPECT_EQ(world.style, -32);
  EXPECT_EQ(sounds, std::vector<int>{1});
}

TEST_F(Collisions, ATreeBrushedAtItsEdgeOnlySlowsTheFigure) {
  Actor* tree = makeScenery(KIND_TREE, 49, 9, 1000);  // wider image 16: half is 8
  player->dy = 10;
  paintedThenMoved(0, 990, 1001);
  collide(player, tree);
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(player->dy, 5);
  EXPECT_TRUE(sounds.empty());

  // Five units apart across the seam of the world is a head-on hit.
  Actor* seamTree = makeScenery(KIND_TREE, 49, -32766, 2000);
  paintedThenMoved(32765, 1990, 2001);
  collide(player, seamTree);
  EXPECT_EQ(player->state, 11);
  EXPECT_EQ(sounds, std::vector<int>{1});
}

TEST_F(Collisions, BackingUphillIntoAStumpBreaksItWithoutCost) {
  Actor* stump = makeScenery(KIND_STONE, 46, 0, 1000);
  player->dy = -3;
  paintedThenMoved(0, 1003, 1000);
  collide(player, stump);
  EXPECT_EQ(player->state, 11);
  EXPECT_EQ(stump->spriteIndex, 86);
  EXPECT_EQ(world.style, 0);
  EXPECT_TRUE(sounds.empty());
}

TEST_F(Collisions, FlyingIntoABareTreeSetsItAlight) {
  Actor* tree = makeScenery(KIND_TREE, 50, 0, 1000);
  player->dz = 2;
  paintedThenMoved(0, 990, 1001, 5);
  collide(player, tree);
  EXPECT_EQ(player->state, 17);
  EXPECT_EQ(tree->kind, KIND_BURNING_TREE);
  EXPECT_EQ(tree->state, 56);
  EXPECT_EQ(world.style, 16);
  EXPECT_TRUE(sounds.empty());
}

TEST_F(Collisions, ClearingObstaclesPaysAndPutsOutFires) {
  Actor* fire = makeActor(KIND_BURNING_TREE, 57, 0, 1000);
  Actor* pine = makeScenery(KIND_TREE, 49, 0, 1000);
  setActorPosition(player, 0, 1000, 40);  // above the 32-high images
  collide(player, fire);
  EXPECT_EQ(world.style, 1000);
  EXPECT_EQ(fire->kind, KIND_TREE);
  EXPECT_EQ(fire->spriteIndex, 50);
  collide(player, pine);
  collide(player, pine);
  EXPECT_EQ(world.style, 1012);  // +6 at every pass, crossed or not
  EXPECT_EQ(player->state, 0);
}

TEST_F(Collisions, BumpsRampsAndMogulsLaunchByTheirOwnRules) {
  Actor* bump = makeScenery(KIND_BUMP, 47, 0, 1000);
  player->dy = 12;
  collide(player, bump);
  EXPECT_EQ(player->state, 13);
  EXPECT_EQ(player->dz, 4);
  EXPECT_EQ(world.style, 1);
  EXPECT_EQ(sounds, std::vector<int>{2});
  // In the air below its top: bounced by half the downhill speed, pose kept.
  setActorPosition(player, 0, 1000, 10);
  collide(player, bump);
  EXPECT_EQ(player->dz, 6);

  Actor* ramp = makeScenery(KIND_RAMP, 52, 0, 1000);
  setActorState(player, 0);
  setActorPosition(player, 0, 1000, 0);
  player->dz = 0;
  collide(player, ramp);  // not crossed
  EXPECT_EQ(player->state, 0);
  paintedThenMoved(0, 995, 1001);
  collide(player, ramp);
  EXPECT_EQ(player->state, 13);
  EXPECT_EQ(player->dz, 12);

  Actor* moguls = makeScenery(KIND_MOGULS, 27, 0, 1000);
  setActorState(player, 4);
  player->dz = 0;
  collide(player, moguls);
  EXPECT_EQ(player->state, 4);
  setActorState(player, 0);
  collide(player, moguls);
  EXPECT_EQ(player->state, 13);
  EXPECT_EQ(player->dz, 1);
  EXPECT_EQ(player->dy, 6);
}

TEST_F(Collisions, ATumblingPlayerIgnoresAllButOthersStillReact) {
  Actor* racer = makeActor(KIND_RACER, 22, 0, 1000);
  setActorState(player, 17);
  setActorPosition(player, 0, 1000, 8);
  collide(player, racer);
  EXPECT_EQ(player->state, 17);
  collide(racer, player);
  EXPECT_EQ(racer->state, 26);  // knocked over by a flying figure
  EXPECT_EQ(world.style, 20);
  EXPECT_EQ(sounds, std::vector<int>{6});
}

TEST_F(Collisions, DogsBarkOnlyAtWhatMoves) {
  Actor* dog = makeActor(KIND_DOG, 27, 0, 1000);
  collide(dog, player);  // the player stands still
  EXPECT_EQ(dog->state, 27);
  player->dy = 3;
  collide(dog, player);
  EXPECT_EQ(dog->state, 29);
  EXPECT_EQ(world.style, 3);
  EXPECT_EQ(sounds, std::vector<int>{3});
  collide(dog, player);  // already barking
  EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(Collisions, BoardersFlyOffBumpsAndFallOverObstacles) {
  Actor* boarder = makeActor(KIND_BOARDER, 31, 0, 1000);
  boarder->dy = 10;
  Actor* bump = makeScenery(KIND_BUMP, 47, 0, 1000);
  collide(boarder, bump);
  EXPECT_EQ(boarder->state, 33);
  EXPECT_EQ(boarder->dz, 5);
  EXPECT_EQ(sounds, std::vector<int>{5});
  collide(boarder, player);
  EXPECT_EQ(boarder->state, 34);
  EXPECT_EQ(world.style, 20);
}

TEST_F(Collisions, AWalkingTreeStopsWhenTouched) {
  Actor* tree = makeActor(KIND_WALKING_TREE, 63, 0, 1000);
  tree->dx = 1;
  collide(tree, player);
  EXPECT_EQ(tree->state, 60);
  EXPECT_EQ(tree->dx, 0);
  EXPECT_EQ(tree->spriteIndex, 49);
}

}  // namespace
