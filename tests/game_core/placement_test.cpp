// Screen placement: the rule with its 16-bit wrap, scrolling with the
// camera, and the layout that follows the window's size.
#include <gtest/gtest.h>

#include "actors/actors.h"
#include "display/display.h"
#include "game_harness.h"

namespace {

class Placement : public ::testing::Test {
 protected:
  void SetUp() override {
    startBareWorld();
    world.anchorX = 320;
    world.anchorY = 160;
  }
  void TearDown() override { stopHarness(); }
};

TEST_F(Placement, ThePositionIsTheBottomCentreLiftedByHeight) {
  RECT r{};
  computeScreenRect(&r, &world.sprites[1], world.viewX, world.viewY, 0);  // 16 x 32
  EXPECT_EQ(r.left, 312);
  EXPECT_EQ(r.right, 328);
  EXPECT_EQ(r.top, 128);
  EXPECT_EQ(r.bottom, 160);
  computeScreenRect(&r, &world.sprites[1], world.viewX, world.viewY, 10);
  EXPECT_EQ(r.top, 118);
  EXPECT_EQ(r.left, 312);
  computeScreenRect(&r, &world.sprites[21], 0, 0, 0);  // 25 wide: 12 left of the centre
  EXPECT_EQ(r.left, 308);
  EXPECT_EQ(r.right, 333);
}

TEST_F(Placement, FarPlacesWrapAt16Bits) {
  RECT r{};
  world.viewX = -32000;
  computeScreenRect(&r, &world.sprites[1], 32000, 0, 0);
  // 32000 + 32000 + 320 - 8 wraps to a negative column.
  EXPECT_EQ(r.left, int16_t(64312));
  EXPECT_EQ(r.right, r.left + 16);
}

TEST_F(Placement, ScrollingShiftsLiveImagesAndLeavesCopiesAndTheCamera) {
  Actor* camera = createActor(KIND_PLAYER, 0);
  world.cameraActor = camera;
  actorScreenRect(camera);
  camera->flags |= ACTOR_DRAWN;
  Actor* drawn = createActorWithSprite(KIND_TREE, 49);
  setActorPosition(drawn, 40, 40, 0);
  actorScreenRect(drawn);
  drawn->flags |= ACTOR_DRAWN;
  const RECT before = drawn->screenRect;
  Actor* stale = createActorWithSprite(KIND_STONE, 45);  // no valid rectangle
  const RECT cameraBefore = camera->screenRect;

  setActorPosition(camera, 0, 5, 0);
  Actor* copy = drawn->ghost;
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->screenRect.top, before.top) << "the old image stays where it is";
  EXPECT_EQ(drawn->screenRect.top, before.top - 5);
  EXPECT_TRUE(drawn->flags & ACTOR_RECT_VALID);
  EXPECT_FALSE(stale->flags & ACTOR_RECT_VALID);
  EXPECT_EQ(camera->screenRect.top, cameraBefore.top);
  EXPECT_EQ(camera->ghost, drawn->ghost == copy ? camera->ghost : nullptr);

  // A jump that does not fit in 16 bits moves by the wrapped difference.
  drawn->ghost->flags &= ~ACTOR_DRAWN;
  const RECT shifted = drawn->screenRect;
  world.viewX = 30000;
  scrollView(-30000, world.viewY);  // -60000 wraps to +5536
  EXPECT_EQ(drawn->screenRect.left, shifted.left - 5536);
}

TEST_F(Placement, TheLayoutFollowsTheClientArea) {
  startGameWindows(1024, 768);
  resizeMainWindow(640, 480);
  EXPECT_EQ(world.anchorX, 320);
  EXPECT_EQ(world.anchorY, 160);
  EXPECT_EQ(world.activeRect.left, -120);
  EXPECT_EQ(world.activeRect.bottom, 600);
  EXPECT_EQ(world.activeRect.right, 760);
  EXPECT_EQ(world.activeArea, 880 * 720);
  // The camera's image moved with the anchor, like every other one.
  EXPECT_EQ(world.player->screenRect.left, 320 - world.player->sprite->width / 2);
  EXPECT_EQ(world.player->screenRect.bottom, 160);
  resizeMainWindow(641, 481);
  EXPECT_EQ(world.anchorX, 320);
  EXPECT_EQ(world.anchorY, 160);
}

TEST_F(Placement, ResizesNeverExhaustThePool) {
  startGameWindows(1024, 768);
  // Enough on the slope that every resize splits many drawn images, yet the
  // pool can hold each image and its copy.
  for (int i = 0; i < 20; ++i) {
    Actor* a = createActorWithSprite(KIND_TREE, 49);
    setActorPosition(a, int16_t(-300 + 15 * i), int16_t(-100 + 10 * i), 0);
  }
  advanceClock(40);
  const uint32_t reports = assertionReportCount();
  int freeAfterFirst = -1;
  for (int i = 0; i < 30; ++i) {
    resizeMainWindow(320 + (i % 3) * 10, 300);
    minimiseMainWindow();
    restoreMainWindow();
    resizeMainWindow(1000, 700);
    if (freeAfterFirst < 0) freeAfterFirst = countFreeRecords();
    EXPECT_EQ(countFreeRecords(), freeAfterFirst) << "cycle " << i;
  }
  EXPECT_EQ(assertionReportCount(), reports);

  // Shrinking strands the old images of everything now outside the client
  // area; while the window stays small no repaint would ever reach them.
  resizeMainWindow(320, 300);
  advanceClock(200);
  int copies = 0;
  for (Actor* a = world.activeList; a != nullptr; a = a->next)
    copies += (a->flags & ACTOR_GHOST) != 0;
  EXPECT_EQ(copies, 0);
}

}  // namespace
