// The course layout and the streaming of placed objects into actors.
#include "actors/actors.h"
#include "shell/shell.h"
#include "world/world.h"
#include "world_fixture.h"

namespace {

using PlacedObjects = WorldTest;

int lengthOf(const PlacedList& list) {
  return int(list.end - list.first);
}

TEST_F(PlacedObjects, SignsStandFromTheClientAreaAtTheStart) {
  layoutCourses();
  const PlacedObject* slalomSign = world.slalomList.first;
  const PlacedObject* treeSign = world.treeSlalomList.first;
  const PlacedObject* freestyleSign = world.freestyleList.first;
  EXPECT_EQ(slalomSign->spriteIndex, 61);
  EXPECT_EQ(slalomSign->x, -260);
  EXPECT_EQ(treeSign->spriteIndex, 62);
  EXPECT_EQ(treeSign->x, 260);
  EXPECT_EQ(freestyleSign->x, 0);
  for (const PlacedObject* sign : {slalomSign, treeSign, freestyleSign}) EXPECT_EQ(sign->y, 260);
}

TEST_F(PlacedObjects, SignsKeepToTheCoursesOnWideAndTallWindows) {
  layOut(1400, 480);
  layoutCourses();
  EXPECT_EQ(world.slalomList.first->x, -320);
  EXPECT_EQ(world.treeSlalomList.first->x, 320);

  ASSERT_TRUE(resetWorld());
  layOut(640, 1200);
  layoutCourses();
  EXPECT_EQ(world.slalomList.first->y, 520);
  EXPECT_EQ(world.freestyleList.first->y, 520);

  // The limits hold on the 16-bit sums: a client edge 60 short of the seam
  // of the world wraps to the far side, which the limit then pulls back.
  for (int16_t viewX : {int16_t(-32480), int16_t(32500)}) {
    ASSERT_TRUE(resetWorld());
    layOut(640, 480);
    world.viewX = viewX;
    layoutCourses();
    const PlacedObject* sign = viewX < 0 ? world.slalomList.first : world.treeSlalomList.first;
    EXPECT_EQ(sign->x, viewX < 0 ? -320 : 320);
  }
}

TEST_F(PlacedObjects, TheLayoutHasEveryGateChairAndPost) {
  layoutCourses();
  EXPECT_EQ(lengthOf(world.slalomList), 29);
  EXPECT_EQ(lengthOf(world.treeSlalomList), 44);
  EXPECT_EQ(lengthOf(world.freestyleList), 5);
  EXPECT_EQ(lengthOf(world.liftTowerList), 13);
  EXPECT_EQ(lengthOf(world.movingList), 28);
  EXPECT_EQ(world.placedCount, 119);

  const PlacedObject* slalom = world.firstSlalomGate;
  EXPECT_EQ(slalom->spriteIndex, 23);
  EXPECT_EQ(slalom->x, -496);
  EXPECT_EQ(slalom->y, 960);
  EXPECT_EQ(slalom[23].spriteIndex, 24);
  EXPECT_EQ(slalom[23].x, -400);
  EXPECT_EQ(slalom[23].y, 8640 - 320);
  EXPECT_EQ(slalom[24].spriteIndex, 59);  // the finish banner follows the last gate

  const PlacedObject* trees = world.firstTreeSlalomGate;
  EXPECT_EQ(trees->spriteIndex, 23);
  EXPECT_EQ(trees->x, 400);
  EXPECT_EQ(trees->y, 1040);
  EXPECT_EQ(trees[38].spriteIndex, 23);
  EXPECT_EQ(trees[38].x, 400);
  EXPECT_EQ(trees[38].y, 16640 - 400);

  // Full chairs go up on -112, empty ones come down on -144; none of them
  // starts already at the end it is heading for.
  int up = 0, down = 0;
  for (const PlacedObject* o = world.movingList.first; o < world.movingList.end; ++o) {
    if (o->kind != KIND_LIFT_CHAIR) continue;
    EXPECT_EQ(o->z, 32);
    if (o->state == 39) {
      ++up;
      EXPECT_EQ(o->x, -112);
      EXPECT_GT(o->y, -1024);
    } else {
      ++down;
      EXPECT_EQ(o->x, -144);
      EXPECT_LT(o->y, 23552);
    }
  }
  EXPECT_EQ(up, 12);
  EXPECT_EQ(down, 12);
  const PlacedObject* monsters = world.movingList.end - 4;
  EXPECT_EQ(monsters[0].kind, KIND_MONSTER_LEFT);
  EXPECT_EQ(monsters[0].x, -16060);
  EXPECT_EQ(monsters[3].kind, KIND_MONSTER_BOTTOM);
  EXPECT_EQ(monsters[3].y, 32060);
}

TEST_F(PlacedObjects, ObjectsMaterialiseOnlyNearTheActiveArea) {
  PlacedObject templ{};
  templ.kind = KIND_GATE;
  templ.spriteIndex = 23;
  templ.x = 0;
  templ.y = 300;
  clearPlacedList(&world.slalomList);
  PlacedObject* nearGate = addPlacedObject(&world.slalomList, &templ);
  templ.x = 1000;  // beyond the right of the active area (760 - 320 = 440 from the anchor)
  templ.y = 310;
  PlacedObject* farGate = addPlacedObject(&world.slalomList, &templ);

  streamPlacedList(&world.slalomList);
  ASSERT_NE(nearGate->actor, nullptr);
  EXPECT_EQ(nearGate->actor->placed, nearGate);
  EXPECT_EQ(nearGate->actor->y, 300);
  EXPECT_EQ(farGate->actor, nullptr);
  // Already there: the same actor, no second one.
  EXPECT_EQ(materialise(nearGate), nearGate->actor);
  EXPECT_EQ(liveActors(), 1);
}

TEST_F(PlacedObjects, TheCursorFollowsTheViewDownAndBackUp) {
  layoutCourses();
  PlacedList& list = world.slalomList;
  streamPlacedList(&list);
  EXPECT_EQ(list.cursor, list.first);
  EXPECT_NE(list.first->actor, nullptr);  // the sign, 260 below the start

  // Far down the course the early records lie above the window.
  world.viewY = 5000;
  streamPlacedList(&list);
  EXPECT_GT(list.cursor->y - 5000, -160 - 120 - 60 - 1);
  EXPECT_LT((list.cursor - 1)->y - 5000, -160 - 120 - 60);

  // Forget every actor, as culling would, and climb back up.
  for (PlacedObject* o = list.first; o < list.end; ++o) {
    if (o->actor) removeActor(o->actor);
  }
  freeDeadActors();
  world.viewY = 0;
  streamPlacedList(&list);
  EXPECT_EQ(list.cursor, list.first);
  EXPECT_NE(list.first->actor, nullptr);
}

TEST_F(PlacedObjects, AFlaggedGateComesBackWithItsFlag) {
  layoutCourses();
  PlacedObject* gate = world.firstSlalomGate;
  gate->spriteIndex = 26;  // marked missed by the course timing
  gate->sprite = &world.sprites[26];
  world.viewX = gate->x;
  world.viewY = gate->y;
  ASSERT_NE(materialise(gate), nullptr);
  EXPECT_EQ(gate->actor->spriteIndex, 26);
}

}  // namespace
