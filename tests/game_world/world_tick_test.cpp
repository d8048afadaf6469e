// The world tick: spawning cadence and crowding, culling, and which pairs
// the collision pass looks at.
#include <vector>

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"
#include "world_fixture.h"

namespace {

using WorldTick = WorldTest;

bool inActiveList(const Actor* actor) {
  for (Actor* a = world.activeList; a != nullptr; a = a->next) {
    if (a == actor) return true;
  }
  return false;
}

TEST_F(WorldTick, AViewMovingSixteenATickSpawnsFourTimesInFifteenTicks) {
  Actor* player = makePlayer(0, 1000, 0);
  player->dy = 16;
  // Crowded: every attempt draws only its position, so draws count attempts.
  world.spriteAreaSum = 1 << 30;
  std::vector<int> attempts;
  for (int t = 1; t <= 76; ++t) {
    const uint32_t seed = world.randomSeed;
    worldTick();
    attempts.push_back(drawsSince(seed) - 1);  // less the boarder's draw
    if (t == 15) {
      EXPECT_EQ(world.viewTravelY, 60) << "exactly 60 waits for more";
    }
  }
  ASSERT_EQ(liveActors(), 1) << "a stray boarder would draw numbers of its own";
  // The counter reaches 64 in the 4th tick.
  EXPECT_EQ(std::vector<int>(attempts.begin(), attempts.begin() + 16),
            (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}));
  int later = 0;
  for (size_t i = 16; i < attempts.size(); ++i) later += attempts[i];
  EXPECT_EQ(later, 16);  // 60 ticks of 16 units: one attempt per 60
}

TEST_F(WorldTick, ATravelOfExactlySixtyWaitsAndAStandingViewSpawnsNothing) {
  makePlayer(0, 1000, 12);
  world.spriteAreaSum = 1 << 30;
  world.viewTravelX = -60;
  world.viewTravelY = 60;
  const uint32_t seed = world.randomSeed;
  worldTick();
  EXPECT_EQ(drawsSince(seed), 1);  // the boarder event alone
  EXPECT_EQ(world.viewTravelY, 60);
  EXPECT_EQ(world.viewTravelX, -60);
}

TEST_F(WorldTick, CrowdingStopsTheChoosersWithoutAKindDraw) {
  const int32_t openLimit = world.activeArea / 32;
  world.spriteAreaSum = openLimit + 1;
  uint32_t seed = world.randomSeed;
  EXPECT_EQ(chooseOpenKind(), KIND_NONE);
  EXPECT_EQ(chooseFreestyleKind(), KIND_NONE);
  EXPECT_EQ(chooseSlalomKind(), KIND_NONE);
  EXPECT_EQ(drawsSince(seed), 0);
  // The tree slalom keeps filling up to twice that.
  EXPECT_NE(chooseTreeSlalomKind(), KIND_NONE);
  world.spriteAreaSum = world.activeArea / 16 + 1;
  EXPECT_EQ(chooseTreeSlalomKind(), KIND_NONE);
  // At the limit itself there is still room.
  world.spriteAreaSum = openLimit;
  seed = world.randomSeed;
  EXPECT_NE(chooseOpenKind(), KIND_NONE);
  EXPECT_EQ(drawsSince(seed), 1);
}

TEST_F(WorldTick, TheSlalomAreaSpawnsOnlyMogulFieldsJustBelowTheView) {
  layOut(100, 480);
  world.viewX = -448;
  world.viewY = 4000;
  for (int i = 0; i < 10; ++i) {
    world.spriteAreaSum = 0;  // mogul fields crowd the slalom quickly
    const uint32_t seed = world.randomSeed;
    Actor* spawned = spawnAtEdge(EDGE_BOTTOM);
    ASSERT_NE(spawned, nullptr);
    EXPECT_EQ(spawned->kind, KIND_MOGULS);
    EXPECT_EQ(spawned->spriteIndex, 27);
    EXPECT_EQ(spawned->y, 4000 - 160 + 480 + 60);
    EXPECT_GE(spawned->x, -448 - 50);
    EXPECT_LT(spawned->x, -448 + 50);
    EXPECT_EQ(drawsSince(seed), 1);  // the position only
  }
}

TEST_F(WorldTick, EdgesLieSixtyBeyondTheClientArea) {
  world.viewX = 1000;
  world.viewY = 2000;
  int16_t x, y;
  edgePosition(EDGE_LEFT, &x, &y);
  EXPECT_EQ(x, 1000 - 320 - 60);
  EXPECT_GE(y, 2000 - 160);
  EXPECT_LT(y, 2000 - 160 + 480);
  edgePosition(EDGE_RIGHT, &x, &y);
  EXPECT_EQ(x, 1000 - 320 + 640 + 60);
  edgePosition(EDGE_TOP, &x, &y);
  EXPECT_EQ(y, 2000 - 160 - 60);
  EXPECT_GE(x, 1000 - 320);
  EXPECT_LT(x, 1000 + 320);
}

TEST_F(WorldTick, CullingDropsUndrawnActorsOutsideTheActiveAreaOnly) {
  Actor* player = makePlayer(0, 0, 12);
  Actor* farAway = makeScenery(KIND_STONE, 45, 2000, 0);
  Actor* drawnFar = makeScenery(KIND_STONE, 45, -2000, 0);
  drawnFar->flags |= ACTOR_DRAWN;
  Actor* near = makeScenery(KIND_STONE, 45, 100, 100);
  const int32_t area = world.spriteAreaSum;
  // The player is kept wherever it is, even when the view does not follow it.
  world.cameraActor = nullptr;
  setActorPosition(player, 5000, 5000, 0);
  worldTick();
  ASSERT_EQ(liveActors(), 3) << "a stray boarder would upset the count";
  EXPECT_TRUE(inActiveList(player));
  EXPECT_FALSE(inActiveList(farAway));
  EXPECT_TRUE(inActiveList(drawnFar));
  EXPECT_TRUE(inActiveList(near));
  EXPECT_EQ(world.spriteAreaSum, area - 512);
}

TEST_F(WorldTick, OverlapAloneIsNotEnoughOneSideMustHaveChanged) {
  Actor* player = makePlayer(0, 1000, 0);
  makeScenery(KIND_BUMP, 47, 0, 1000);
  world.spriteAreaSum = 1 << 30;
  worldTick();  // the player stands still this tick: no test, no launch
  EXPECT_EQ(player->state, 0);
  EXPECT_EQ(player->dy, 1);
  worldTick();  // now it moves one unit onto the bump
  EXPECT_EQ(player->state, 13);
  EXPECT_EQ(player->dz, 4);
}

TEST_F(WorldTick, ATouchingPairReactsOlderFirstThenNewer) {
  Actor* player = makePlayer(0, 995, 0);
  player->dy = 8;
  Actor* racer = makeActor(KIND_RACER, 22, 0, 1000);
  // Both on screen, so that the player's move leaves its painted place behind.
  player->flags |= ACTOR_DRAWN;
  racer->flags |= ACTOR_DRAWN;
  world.spriteAreaSum = 1 << 30;
  worldTick();
  EXPECT_EQ(player->state, 11);
  EXPECT_EQ(racer->state, 25);
  // The player, further from the head of the list, reacts first.
  EXPECT_EQ(sounds, (std::vector<int>{1, 6}));
}

}  // namespace
