// The actor pool: creation, the split into live record and erase-copy, the
// flag rules, removal and freeing, and exhaustion.
#include <gtest/gtest.h>

#include "actors/actors.h"
#include "display/display.h"
#include "game_harness.h"
#include "shell/shell.h"

namespace {

class ActorPool : public ::testing::Test {
 protected:
  void SetUp() override { startBareWorld(); }
  void TearDown() override { stopHarness(); }

  // A record as the repaint engine leaves it after drawing.
  static Actor* drawnActor(int16_t x, int16_t y) {
    Actor* actor = createActor(KIND_RACER, 22);
    setActorPosition(actor, x, y, 0);
    actorScreenRect(actor);
    actor->flags |= ACTOR_DRAWN;
    actor->flags &= ~ACTOR_CHANGED;
    return actor;
  }
};

int listLength(const Actor* head) {
  int n = 0;
  for (; head != nullptr; head = head->next) ++n;
  return n;
}

TEST_F(ActorPool, NewActorsEnterAtTheHeadWithTheirStateSprite) {
  Actor* first = createActor(KIND_PLAYER, 3);
  Actor* second = createActorWithSprite(KIND_TREE, 49);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(world.activeList, second);
  EXPECT_EQ(second->next, first);
  EXPECT_EQ(first->spriteIndex, 4);
  EXPECT_EQ(first->sprite, &world.sprites[4]);
  EXPECT_EQ(second->state, kNoState);
  EXPECT_EQ(second->kind, KIND_TREE);
  EXPECT_EQ(world.spriteAreaSum, 24 * 28 + 28 * 32);
  EXPECT_EQ(listLength(world.freeList), kActorPoolSize - 2);
}

TEST_F(ActorPool, SameStateOrSpriteChangesNothing) {
  Actor* actor = drawnActor(5, 5);
  const uint32_t flags = actor->flags;
  setActorState(actor, 22);
  setActorSprite(actor, actor->spriteIndex);
  setActorPosition(actor, 5, 5, 0);
  EXPECT_EQ(actor->flags, flags);
  EXPECT_EQ(actor->ghost, nullptr);
  EXPECT_EQ(listLength(world.activeList), 1);
}

TEST_F(ActorPool, ChangingADrawnActorLeavesOneEraseCopyBehindIt) {
  Actor* actor = drawnActor(5, 5);
  Actor* older = createActor(KIND_DOG, 27);  // at the head, before the racer
  setActorState(actor, 23);

  Actor* copy = actor->next;
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(older->next, actor);
  EXPECT_EQ(actor->ghost, copy);
  EXPECT_EQ(copy->ghost, actor);
  EXPECT_EQ(copy->spriteIndex, 28);
  EXPECT_EQ(copy->state, 22) << "the copy keeps the old state";
  EXPECT_EQ(copy->flags & (ACTOR_DRAWN | ACTOR_GHOST), ACTOR_DRAWN | ACTOR_GHOST);
  EXPECT_EQ(actor->spriteIndex, 29);
  EXPECT_EQ(actor->state, 23);
  EXPECT_EQ(actor->flags & (ACTOR_DRAWN | ACTOR_RECT_VALID), 0u);
  EXPECT_TRUE(actor->flags & ACTOR_CHANGED);

  // A second change before the next repaint makes no further copy.
  setActorState(actor, 24);
  EXPECT_EQ(listLength(world.activeList), 3);
  EXPECT_EQ(world.spriteAreaSum, 21 * 15 + 21 * 29) << "erase-copies are never counted";
}

TEST_F(ActorPool, OnlyTheCameraKeepsItsRectangleWhenItMovesOnTheSnow) {
  Actor* camera = createActor(KIND_PLAYER, 0);
  world.cameraActor = camera;
  actorScreenRect(camera);
  setActorPosition(camera, 10, 20, 0);
  EXPECT_TRUE(camera->flags & ACTOR_RECT_VALID);
  EXPECT_EQ(world.viewX, 10);
  EXPECT_EQ(world.viewY, 20);
  setActorPosition(camera, 10, 20, 4);
  EXPECT_FALSE(camera->flags & ACTOR_RECT_VALID) << "a change of height moves it on screen";

  Actor* other = createActor(KIND_DOG, 27);
  actorScreenRect(other);
  setActorPosition(other, 1, 0, 0);
  EXPECT_FALSE(other->flags & ACTOR_RECT_VALID);
}

TEST_F(ActorPool, RemovalRespectsImagesOnScreenAndUnlinksPartners) {
  Actor* actor = drawnActor(0, 0);
  removeActor(actor);
  EXPECT_FALSE(actor->flags & ACTOR_DEAD) << "a drawn record is never marked";

  makeGhost(actor);
  Actor* copy = actor->ghost;
  ASSERT_NE(copy, nullptr);
  removeActor(actor);
  EXPECT_TRUE(actor->flags & ACTOR_DEAD);
  EXPECT_EQ(copy->ghost, nullptr);
  EXPECT_TRUE(copy->flags & ACTOR_DRAWN) << "the copy keeps the image";

  Actor* second = drawnActor(40, 0);
  makeGhost(second);
  Actor* secondCopy = second->ghost;
  secondCopy->flags &= ~ACTOR_DRAWN;
  removeActor(secondCopy);
  EXPECT_EQ(second->ghost, nullptr);

  // A copy left on screen by a partial repaint, then a newer split of the
  // same record: retiring the older copy must not cut the newer pairing.
  Actor* third = drawnActor(80, 0);
  makeGhost(third);
  Actor* olderCopy = third->ghost;
  third->flags |= ACTOR_DRAWN;
  makeGhost(third);
  Actor* newerCopy = third->ghost;
  ASSERT_NE(newerCopy, olderCopy);
  olderCopy->flags &= ~ACTOR_DRAWN;
  removeActor(olderCopy);
  EXPECT_EQ(third->ghost, newerCopy);
  EXPECT_EQ(newerCopy->ghost, third);
}

TEST_F(ActorPool, FreeingForgetsPlayerCameraAndPlacedLinksAndReusesLastFreedFirst) {
  Actor* keep = createActor(KIND_DOG, 27);
  Actor* player = createActor(KIND_PLAYER, 0);
  Actor* placedActor = createActorWithSprite(KIND_GATE, 23);
  world.player = world.cameraActor = player;
  PlacedObject* object = &world.placedObjects[0];
  object->actor = placedActor;
  placedActor->placed = object;

  removeActor(player);
  removeActor(placedActor);
  freeDeadActors();
  EXPECT_EQ(world.player, nullptr);
  EXPECT_EQ(world.cameraActor, nullptr);
  EXPECT_EQ(object->actor, nullptr);
  EXPECT_EQ(world.activeList, keep);
  EXPECT_EQ(keep->next, nullptr);
  // placedActor was nearer the head, so it was pushed first; player last.
  EXPECT_EQ(createActor(KIND_RACER, 22), player);
  EXPECT_EQ(createActor(KIND_RACER, 22), placedActor);
}

TEST_F(ActorPool, TheHundredAndFirstRequestIsReportedAndYieldsNothing) {
  for (int i = 0; i < kActorPoolSize; ++i)
    ASSERT_NE(createActorWithSprite(KIND_STONE, 45), nullptr);
  const uint32_t reportsBefore = assertionReportCount();
  answerNextBoxes(IDOK, 3);
  EXPECT_EQ(createActor(KIND_DOG, 27), nullptr);
  EXPECT_EQ(assertionReportCount(), reportsBefore + 1);
  ASSERT_FALSE(boxesShown().empty());
  EXPECT_EQ(boxesShown().back().caption, "Assertion Failed");
  EXPECT_EQ(boxesShown().back().text.rfind("actor_pool.cpp line ", 0), 0u);

  // With no record for the copy, the change goes ahead on the drawn record.
  Actor* actor = world.activeList;
  actor->flags |= ACTOR_DRAWN;
  setActorSprite(actor, 46);
  EXPECT_EQ(actor->ghost, nullptr);
  EXPECT_TRUE(actor->flags & ACTOR_DRAWN);
  EXPECT_EQ(actor->spriteIndex, 46);
}

TEST_F(ActorPool, FlatDecalsAreMarkedBySprite) {
  Actor* actor = createActorWithSprite(KIND_MOGULS, 27);
  EXPECT_TRUE(actor->flags & ACTOR_FLAT);
  setActorSprite(actor, 45);
  EXPECT_FALSE(actor->flags & ACTOR_FLAT);
  setActorSprite(actor, 82);
  EXPECT_TRUE(actor->flags & ACTOR_FLAT);
}

TEST_F(ActorPool, BadKindsAndStatesAreReportedWithoutTouchingTables) {
  const uint32_t reportsBefore = assertionReportCount();
  answerNextBoxes(IDOK, 4);
  Actor* actor = createActor(40, 3);
  ASSERT_NE(actor, nullptr);
  EXPECT_EQ(actor->kind, KIND_NONE);
  setActorState(actor, 64);
  setActorState(actor, -1);
  EXPECT_EQ(actor->state, 3);
  EXPECT_EQ(assertionReportCount(), reportsBefore + 3);

  // Splitting a record that is not on screen is reported, and the split is
  // still made: a copy with nothing to erase.
  answerNextBoxes(IDOK, 2);
  makeGhost(actor);
  EXPECT_EQ(assertionReportCount(), reportsBefore + 4);
  ASSERT_NE(actor->ghost, nullptr);
  EXPECT_EQ(actor->next, actor->ghost);
  EXPECT_EQ(actor->ghost->flags & (ACTOR_GHOST | ACTOR_DRAWN), ACTOR_GHOST);
}

}  // namespace
