// The chair lift's loop and the monsters: walking back, the chase, the
// hops and the meal.
#include <cstdint>
#include <vector>

#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"
#include "world_fixture.h"

namespace {

class MonstersAndLift : public WorldTest {
 protected:
  PlacedObject* addMoving(int32_t kind, int32_t state, int16_t x, int16_t y, int16_t z,
                          int16_t dy) {
    PlacedObject templ{};
    templ.kind = kind;
    templ.state = state;
    templ.x = x;
    templ.y = y;
    templ.z = z;
    templ.dy = dy;
    if (world.movingList.first == nullptr) clearPlacedList(&world.movingList);
    return addPlacedObject(&world.movingList, &templ);
  }
};

TEST_F(MonstersAndLift, ChairsTurnAtEachEndOfTheLine) {
  PlacedObject* up = addMoving(KIND_LIFT_CHAIR, 40, -112, -1022, 32, -2);
  movePlacedObject(up);
  EXPECT_EQ(up->y, -1024);
  EXPECT_EQ(up->state, 41);
  EXPECT_EQ(up->x, -144);
  EXPECT_EQ(up->dy, 2);

  PlacedObject* down = addMoving(KIND_LIFT_CHAIR, 41, -144, 23550, 32, 2);
  movePlacedObject(down);
  EXPECT_EQ(down->y, 23552);
  EXPECT_EQ(down->state, 39);
  EXPECT_EQ(down->x, -112);
  EXPECT_EQ(down->dy, -2);
}

TEST_F(MonstersAndLift, OnlyAChairInSightCanDropARider) {
  PlacedObject* chair = addMoving(KIND_LIFT_CHAIR, 39, -112, 9000, 32, -2);
  const uint32_t seed = world.randomSeed;
  for (int i = 0; i < 50; ++i) movePlacedObject(chair);
  EXPECT_EQ(drawsSince(seed), 0);

  world.viewX = -112;
  world.viewY = chair->y;
  ASSERT_NE(materialise(chair), nullptr);
  seedForNext(1000, 0);
  movePlacedObject(chair);
  EXPECT_EQ(chair->state, 40);
  EXPECT_EQ(chair->actor->state, 40);
  EXPECT_EQ(chair->actor->y, chair->y);
  Actor* rider = world.activeList;
  ASSERT_EQ(rider->kind, KIND_BOARDER);
  EXPECT_EQ(rider->state, 33);
  EXPECT_EQ(rider->z, 32);
  EXPECT_EQ(rider->x, -112);
}

TEST_F(MonstersAndLift, AStrayMonsterHopsBackToItsPost) {
  PlacedObject* top = addMoving(KIND_MONSTER_TOP, 42, 0, -1990, 0, 0);
  movePlacedObject(top);
  EXPECT_EQ(top->dy, -10);
  EXPECT_EQ(top->dz, 1);
  EXPECT_EQ(top->state, 48);
  movePlacedObject(top);
  EXPECT_EQ(top->z, 1);
  movePlacedObject(top);
  EXPECT_EQ(top->z, 1);
  EXPECT_EQ(top->state, 48);  // no decisions in the air
  movePlacedObject(top);
  EXPECT_EQ(top->y, -2020);
  EXPECT_EQ(top->z, 0);
  EXPECT_EQ(top->dx, 0);
  EXPECT_EQ(top->dy, 0);
  EXPECT_TRUE(top->state == 42 || top->state == 43);
}

TEST_F(MonstersAndLift, AChaseStartsJustOutsideTheView) {
  // 640 below the post: the world ends at 32767.
  Actor* player = makePlayer(5000, 32700, 0);
  PlacedObject* bottom = addMoving(KIND_MONSTER_BOTTOM, 42, 0, 32060, 0, 0);
  movePlacedObject(bottom);
  EXPECT_EQ(bottom->x, 5000 - 640);
  EXPECT_EQ(bottom->y, 32700 - 480);
  EXPECT_EQ(bottom->dx, 16);
  EXPECT_EQ(bottom->dy, 26);
  EXPECT_EQ(bottom->state, 46);
  EXPECT_EQ(bottom->dz, 1);
  EXPECT_EQ(sounds, std::vector<int>{9});
  (void)player;
}

TEST_F(MonstersAndLift, TheTopMonsterChasesOnlyBeyondItsLine) {
  Actor* player = makePlayer(0, -2000, 0);
  PlacedObject* top = addMoving(KIND_MONSTER_TOP, 42, 0, -2060, 0, 0);
  seedForNext(10, 1);  // it stands rather than jumping in place
  movePlacedObject(top);
  EXPECT_TRUE(sounds.empty());
  EXPECT_EQ(top->z, 0);
  setActorPosition(player, 0, -2001, 0);
  movePlacedObject(top);
  EXPECT_EQ(sounds, std::vector<int>{9});
  EXPECT_EQ(top->dy, 26);  // closing in downhill toward the player
}

TEST_F(MonstersAndLift, TheCatchStartsATimedMeal) {
  Actor* player = makePlayer(0, 32500, 0);
  PlacedObject* bottom = addMoving(KIND_MONSTER_BOTTOM, 46, 0, 32500, 0, 0);
  Actor* monster = materialise(bottom);
  ASSERT_NE(monster, nullptr);
  world.now = 70000;
  collide(monster, player);
  EXPECT_EQ(sounds, std::vector<int>{7});
  EXPECT_NE(player->flags & ACTOR_DEAD, 0u);
  EXPECT_EQ(monster->state, 50);
  EXPECT_EQ(bottom->stamp, 70000);

  struct Step {
    int32_t from;
    uint32_t at;
    int32_t to;
  };
  const Step steps[] = {{51, 70499, 50}, {51, 70500, 52}, {52, 70700, 52}, {52, 70701, 53},
                        {53, 71000, 53}, {53, 71001, 54}, {55, 72999, 54}, {55, 73000, 42}};
  for (const Step& s : steps) {
    bottom->state = s.from;
    world.now = s.at;
    stepMonster(bottom);
    EXPECT_EQ(bottom->state, s.to) << "from " << s.from << " at +" << s.at - 70000;
  }

  // A meal across the wrap of the signed millisecond count keeps its timing.
  bottom->stamp = INT32_MAX - 100;
  bottom->state = 55;
  world.now = uint32_t(INT32_MAX) + 2899;
  stepMonster(bottom);
  EXPECT_EQ(bottom->state, 54);
  bottom->state = 55;
  world.now = uint32_t(INT32_MAX) + 2900;
  stepMonster(bottom);
  EXPECT_EQ(bottom->state, 42);
}

}  // namespace
