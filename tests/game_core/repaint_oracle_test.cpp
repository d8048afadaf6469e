// The repaint oracle: after every tick of a long run with scrolling, crowding
// and overlapping images, the incrementally repainted client area must equal
// a fresh paint of the whole client area on a clean surface, pixel for pixel.
#include <gtest/gtest.h>

#include <random>

#include "actors/actors.h"
#include "display/display.h"
#include "game_harness.h"
#include "support/world_snapshot.h"

namespace {

// Paints the whole client area afresh on white and returns the picture,
// leaving the game's records exactly as they were (the scratch surface is
// the one thing allowed to change: it may have grown).
std::vector<uint32_t> freshPaint(int* width, int* height) {
  const testsupport::WorldSnapshot snapshot;
  PatBlt(world.mainDc, 0, 0, world.clientWidth, world.clientHeight, WHITENESS);
  paintRegion(world.mainDc, &world.clientRect);
  return clientPixels(width, height);
}

// Compares the screen with a fresh paint; reports the first differing pixel.
::testing::AssertionResult screenMatchesFreshPaint() {
  int w = 0, h = 0, fw = 0, fh = 0;
  const std::vector<uint32_t> screen = clientPixels(&w, &h);
  const std::vector<uint32_t> fresh = freshPaint(&fw, &fh);
  if (w != fw || h != fh || screen.empty()) return ::testing::AssertionFailure() << "no picture";
  for (size_t i = 0; i < screen.size(); ++i) {
    if (screen[i] != fresh[i]) {
      return ::testing::AssertionFailure()
             << "pixel " << i % w << "," << i / w << " is " << std::hex << screen[i]
             << " on screen but " << fresh[i] << " when painted afresh";
    }
  }
  return ::testing::AssertionSuccess();
}

// Picks a sprite that shows off what the engine must handle: flat decals,
// wide signs, tall trees and small figures.
uint16_t someSprite(std::mt19937& random) {
  static const uint16_t kChoices[] = {1, 4, 12, 27, 28, 33, 45, 47, 49, 51, 53, 55, 64, 68, 82, 87};
  return kChoices[random() % std::size(kChoices)];
}

class RepaintOracle : public ::testing::Test {
 protected:
  void TearDown() override { stopHarness(); }
};

TEST_F(RepaintOracle, ScriptedCrowdAgreesWithAFreshPaintAfterEveryTick) {
  startGameWindows(1024, 768);
  resizeMainWindow(480, 400);
  // Stop the game's own ticks: this run moves the actors itself.
  pressKey(VK_F3);
  std::mt19937 random(12345);
  for (int i = 0; i < 60; ++i) {
    Actor* a = createActorWithSprite(KIND_SCENERY, someSprite(random));
    if (a == nullptr) break;
    setActorPosition(a, int16_t(int(random() % 600) - 300), int16_t(int(random() % 500) - 200), 0);
  }
  repaint(world.mainDc, &world.clientRect);
  ASSERT_TRUE(screenMatchesFreshPaint());

  Actor* player = world.player;
  int16_t dx = 2, dy = 3;
  for (int tick = 0; tick < 400; ++tick) {
    // The camera wanders: mostly downhill, sometimes back up or sideways,
    // now and then a long jump.
    if (tick % 50 == 0) dx = int16_t(int(random() % 9) - 4);
    if (tick % 70 == 0) dy = int16_t(int(random() % 11) - 3);
    int16_t jump = tick % 97 == 0 ? int16_t(150) : int16_t(0);
    setActorPosition(player, int16_t(player->x + dx + jump), int16_t(player->y + dy), 0);
    if (tick % 13 == 0) setActorState(player, int32_t(random() % 22));

    int live = 0;
    for (Actor* a = world.activeList; a != nullptr; a = a->next) {
      if (a == player || (a->flags & (ACTOR_GHOST | ACTOR_DEAD))) continue;
      ++live;
      switch (random() % 8) {
        case 0:
          setActorPosition(a, int16_t(a->x + int(random() % 7) - 3),
                           int16_t(a->y + int(random() % 7) - 3), a->z);
          break;
        case 1:
          setActorPosition(a, a->x, a->y, int16_t(random() % 12));
          break;
        case 2:
          setActorSprite(a, someSprite(random));
          break;
        case 3:
          // Things that fell far behind go, as the world's culling does.
          if (random() % 4 == 0) {
            if (a->flags & ACTOR_DRAWN) makeGhost(a);
            if (!(a->flags & ACTOR_DRAWN)) removeActor(a);
          }
          break;
        default:
          break;
      }
    }
    // Keep the slope crowded around the view.
    for (int n = live; n < 45; ++n) {
      Actor* a = createActorWithSprite(KIND_SCENERY, someSprite(random));
      if (a == nullptr) break;
      setActorPosition(a, int16_t(player->x + int(random() % 500) - 250),
                       int16_t(player->y + int(random() % 400) - 150), 0);
    }
    freeDeadActors();
    repaint(world.mainDc, &world.clientRect);
    ASSERT_TRUE(screenMatchesFreshPaint()) << "after tick " << tick;
  }
}

TEST_F(RepaintOracle, TheRealGameAgreesWithAFreshPaintAfterEveryTick) {
  startGameWindows(1024, 768);
  resizeMainWindow(400, 360);
  // Steer downhill with some turns, so the world spawns and scrolls.
  const unsigned keys[] = {VK_NUMPAD2, VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD2};
  for (int tick = 0; tick < 500; ++tick) {
    if (tick % 60 == 0) pressKey(keys[(tick / 60) % std::size(keys)]);
    advanceClock(40);
    ASSERT_TRUE(screenMatchesFreshPaint()) << "after tick " << tick;
  }
  EXPECT_GT(ticksRunCount(), 0u);
}

}  // namespace
