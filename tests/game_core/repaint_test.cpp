// The repaint engine on a real window: unchanged images, painter's order,
// flat decals, grouping, erase-only groups and the fallback without scratch.
#include <gtest/gtest.h>

#include "actors/actors.h"
#include "display/display.h"
#include "game_harness.h"
#include "shell/shell.h"

namespace {

class Repaint : public ::testing::Test {
 protected:
  void SetUp() override {
    startGameWindows(1024, 768);
    clearWorldActors();
  }
  void TearDown() override { stopHarness(); }

  // Wipes the game's actors and the screen so each test builds its own scene.
  static void clearWorldActors() {
    resetWorld();
    PatBlt(world.mainDc, 0, 0, world.clientWidth, world.clientHeight, WHITENESS);
  }

  static Actor* placeSprite(uint16_t sprite, int16_t x, int16_t y) {
    Actor* actor = createActorWithSprite(KIND_SCENERY, sprite);
    setActorPosition(actor, x, y, 0);
    return actor;
  }

  static void repaintAll() { repaint(world.mainDc, &world.clientRect); }

  // A sheet pixel of a sprite, as 0xRRGGBB.
  static uint32_t spritePixel(uint16_t sprite, int x, int y) {
    const Sprite& s = world.sprites[sprite];
    return colorrefToRgb(GetPixel(s.imageDc, x, s.sheetY + y));
  }

  // A point inside both sprites' rectangles where both images are opaque and
  // differ, so the screen tells which one lies on top.
  static bool findContestedPoint(const Actor* a, const Actor* b, int* sx, int* sy) {
    for (int y = a->screenRect.top; y < a->screenRect.bottom; ++y) {
      for (int x = a->screenRect.left; x < a->screenRect.right; ++x) {
        if (x < b->screenRect.left || x >= b->screenRect.right || y < b->screenRect.top ||
            y >= b->screenRect.bottom) {
          continue;
        }
        const uint32_t pa =
            spritePixel(a->spriteIndex, x - a->screenRect.left, y - a->screenRect.top);
        const uint32_t pb =
            spritePixel(b->spriteIndex, x - b->screenRect.left, y - b->screenRect.top);
        if (pa != 0xFFFFFF && pb != 0xFFFFFF && pa != pb) {
          *sx = x;
          *sy = y;
          return true;
        }
      }
    }
    return false;
  }

  static bool inside(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  }

  static uint32_t imagePixelAt(const Actor* a, int x, int y) {
    return spritePixel(a->spriteIndex, x - a->screenRect.left, y - a->screenRect.top);
  }
};

TEST_F(Repaint, TheCameraFollowedByTheViewIsNotRedrawn) {
  Actor* player = createActor(KIND_PLAYER, 0);
  setActorPosition(player, 0, 0, 0);
  world.player = world.cameraActor = player;
  repaintAll();
  ASSERT_TRUE(player->flags & ACTOR_DRAWN);
  const RECT rect = player->screenRect;

  // A marker on screen survives only if nothing is drawn over the player.
  SetPixel(world.mainDc, rect.left, rect.top, RGB(255, 0, 0));
  setActorPosition(player, 3, 7, 0);
  ASSERT_NE(player->ghost, nullptr);
  repaintAll();
  EXPECT_TRUE(player->flags & ACTOR_DRAWN);
  EXPECT_EQ(player->ghost, nullptr);
  EXPECT_EQ(colorrefToRgb(GetPixel(world.mainDc, rect.left, rect.top)), 0xFF0000u);
  EXPECT_EQ(world.activeList, player);
  EXPECT_EQ(player->next, nullptr) << "the erase-copy was freed";
}

TEST_F(Repaint, LowerOnTheSlopeIsDrawnInFront) {
  Actor* tree = placeSprite(49, 0, 20);
  Actor* racer = placeSprite(28, 4, 30);
  // Whatever the scratch held before must not reach the screen: the parts of
  // the group box that neither image covers come out white.
  PatBlt(world.scratchSurface, 0, 0, world.scratchWidth, world.scratchHeight, BLACKNESS);
  repaintAll();
  int x = 0, y = 0;
  ASSERT_TRUE(findContestedPoint(tree, racer, &x, &y));
  EXPECT_EQ(colorrefToRgb(GetPixel(world.mainDc, x, y)), imagePixelAt(racer, x, y));
  RECT box = tree->screenRect;
  unionRect(&box, &racer->screenRect);
  int uncovered = 0;
  for (int py = box.top; py < box.bottom; ++py) {
    for (int px = box.left; px < box.right; ++px) {
      if (inside(tree->screenRect, px, py) || inside(racer->screenRect, px, py)) continue;
      ++uncovered;
      ASSERT_EQ(colorrefToRgb(GetPixel(world.mainDc, px, py)), 0xFFFFFFu) << px << "," << py;
    }
  }
  EXPECT_GT(uncovered, 0);

  // The racer climbs above the tree: now the tree is in front.
  setActorPosition(racer, 4, 10, 0);
  repaintAll();
  ASSERT_TRUE(findContestedPoint(tree, racer, &x, &y));
  EXPECT_EQ(colorrefToRgb(GetPixel(world.mainDc, x, y)), imagePixelAt(tree, x, y));
}

TEST_F(Repaint, FlatDecalsSortByTheirTopEdge) {
  // A mogul field 32 tall at y 60 sorts as 28; a figure at y 40 is in front
  // of it although its y is smaller.
  Actor* moguls = placeSprite(27, 0, 60);
  Actor* racer = placeSprite(28, 0, 40);
  repaintAll();
  int x = 0, y = 0;
  ASSERT_TRUE(findContestedPoint(moguls, racer, &x, &y));
  EXPECT_EQ(colorrefToRgb(GetPixel(world.mainDc, x, y)), imagePixelAt(racer, x, y));
}

TEST_F(Repaint, PaintOrderKeysCompareAt16Bits) {
  // Near the top of the world a mogul field's top edge wraps round to the
  // bottom: its key, y - 32, becomes large and the field is drawn last, over
  // a figure standing higher up the slope.
  world.viewY = -32750;
  Actor* moguls = placeSprite(27, 0, -32750);  // key -32782 wraps to 32754
  Actor* racer = placeSprite(28, 0, -32760);
  repaintAll();
  int x = 0, y = 0;
  ASSERT_TRUE(findContestedPoint(moguls, racer, &x, &y));
  EXPECT_EQ(colorrefToRgb(GetPixel(world.mainDc, x, y)), imagePixelAt(moguls, x, y));
}

TEST_F(Repaint, TheScratchIsSizedFromTheRequestAlone) {
  ASSERT_EQ(world.scratchWidth, 128);
  ASSERT_EQ(world.scratchHeight, 128);
  EXPECT_TRUE(growScratch(128, 100));
  EXPECT_EQ(world.scratchWidth, 128) << "a request that fits changes nothing";
  EXPECT_TRUE(growScratch(200, 10));
  EXPECT_EQ(world.scratchWidth, 256);
  EXPECT_EQ(world.scratchHeight, 64) << "the height shrinks to the request's step";
  EXPECT_TRUE(growScratch(10, 65));
  EXPECT_EQ(world.scratchWidth, 64) << "and now the width shrinks";
  EXPECT_EQ(world.scratchHeight, 128);
  EXPECT_TRUE(growScratch(64, 10));
  EXPECT_EQ(world.scratchWidth, 64) << "64 fits in 64";
  EXPECT_TRUE(growScratch(65, 128));
  EXPECT_EQ(world.scratchWidth, 128);

  // The composed groups still come out right on the resized scratch.
  Actor* tree = placeSprite(49, 0, 20);
  Actor* racer = placeSprite(28, 4, 30);
  repaintAll();
  int x = 0, y = 0;
  ASSERT_TRUE(findContestedPoint(tree, racer, &x, &y));
  EXPECT_EQ(colorrefToRgb(GetPixel(world.mainDc, x, y)), imagePixelAt(racer, x, y));
}

TEST_F(Repaint, ImagesThatOnlyTouchAreComposedApart) {
  Actor* left = placeSprite(45, 0, 50);    // 23 wide: columns -11..11 from x
  Actor* right = placeSprite(45, 23, 50);  // starts where the left one ends
  repaintAll();
  EXPECT_EQ(left->screenRect.right, right->screenRect.left);
  EXPECT_TRUE(left->flags & ACTOR_IN_PAINT);
  EXPECT_TRUE(right->flags & ACTOR_IN_PAINT) << "each leads its own group";
  EXPECT_EQ(left->groupNext, nullptr);
  EXPECT_EQ(right->groupNext, nullptr);
}

TEST_F(Repaint, AGroupOfOnlyOldImagesIsFilledWhite) {
  Actor* stone = placeSprite(45, 0, 50);
  repaintAll();
  const RECT rect = stone->screenRect;
  // Something else painted there meanwhile must go too: the fill is the
  // whole group rectangle.
  SetPixel(world.mainDc, rect.left, rect.top, RGB(0, 0, 255));
  makeGhost(stone);
  removeActor(stone);
  repaintAll();
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      ASSERT_EQ(colorrefToRgb(GetPixel(world.mainDc, x, y)), 0xFFFFFFu) << x << "," << y;
    }
  }
  EXPECT_EQ(world.activeList, nullptr);
  EXPECT_EQ(countFreeRecords(), kActorPoolSize);
}

TEST_F(Repaint, PaintingARegionRedrawsEverythingInItAndRetiresOldImages) {
  Actor* stone = placeSprite(45, 0, 50);
  repaintAll();
  setActorPosition(stone, 40, 50, 0);  // old image still on screen as a copy
  PatBlt(world.mainDc, 0, 0, world.clientWidth, world.clientHeight, WHITENESS);
  paintRegion(world.mainDc, &world.clientRect);
  EXPECT_EQ(stone->next, nullptr);
  EXPECT_EQ(stone->ghost, nullptr);
  EXPECT_TRUE(stone->flags & ACTOR_DRAWN);
  const RECT& r = stone->screenRect;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      ASSERT_EQ(colorrefToRgb(GetPixel(world.mainDc, x, y)), imagePixelAt(stone, x, y));
    }
  }
}

TEST_F(Repaint, WithoutAScratchSurfaceTheGroupIsAndedOntoWhite) {
  Actor* tree = placeSprite(49, 0, 20);
  Actor* racer = placeSprite(28, 4, 30);
  // A chain of overlapping signs makes a group wider than any scratch surface
  // so far, and a context that cannot make bitmaps keeps it from growing.
  Actor* bridges[4];
  for (int i = 0; i < 4; ++i) bridges[i] = placeSprite(55, int16_t(50 + 80 * i), 30);
  HDC realMain = world.mainDc;
  HDC dead = CreateCompatibleDC(realMain);
  DeleteDC(dead);
  world.mainDc = dead;
  repaint(realMain, &world.clientRect);
  world.mainDc = realMain;

  EXPECT_EQ(world.scratchWidth, 0);
  EXPECT_EQ(world.scratchHeight, 0);
  EXPECT_TRUE(tree->flags & ACTOR_DRAWN);
  EXPECT_TRUE(racer->flags & ACTOR_DRAWN);
  for (Actor* a : bridges) EXPECT_TRUE(a->flags & ACTOR_DRAWN);
  int x = 0, y = 0;
  ASSERT_TRUE(findContestedPoint(tree, racer, &x, &y));
  EXPECT_EQ(colorrefToRgb(GetPixel(realMain, x, y)),
            imagePixelAt(tree, x, y) & imagePixelAt(racer, x, y));

  // The next repaint makes a scratch surface again, in steps of 64.
  setActorPosition(racer, 5, 30, 0);
  repaintAll();
  EXPECT_EQ(world.scratchWidth % 64, 0);
  EXPECT_GE(world.scratchWidth, 64);
}

}  // namespace
