// The sprite sheets: which sheet each image lands in, its row, the masks and
// the first scratch surface.
#include <gtest/gtest.h>

#include "display/display.h"
#include "game_harness.h"

namespace {

class SpriteSheets : public ::testing::Test {
 protected:
  void SetUp() override { startGameWindows(1024, 768); }
  void TearDown() override { stopHarness(); }
};

TEST_F(SpriteSheets, ImagesStackByWidthInIdOrder) {
  const Sprite* s = world.sprites;
  EXPECT_EQ(s[0].width, 0);
  EXPECT_EQ(s[0].imageDc, nullptr);
  EXPECT_EQ(s[1].sheetY, 0);
  EXPECT_EQ(s[2].sheetY, 32);
  EXPECT_EQ(s[3].sheetY, 64);
  EXPECT_EQ(s[27].sheetY, 0);
  EXPECT_EQ(s[53].sheetY, 32);
  for (int id : {12, 13, 14, 18, 19, 41, 42, 51, 52, 68, 81}) {
    EXPECT_EQ(s[id].imageDc, world.narrowImageSheet) << id;
    EXPECT_EQ(s[id].maskDc, world.narrowMaskSheet) << id;
  }
  for (int id : {27, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63}) {
    EXPECT_EQ(s[id].imageDc, world.wideImageSheet) << id;
  }
  // The last image of each width ends at its sheet's foot, the sum of the
  // heights of resources/sprite_sizes.cmake.
  int narrowFoot = 0, wideFoot = 0, lastNarrow = 0, lastWide = 0;
  for (int id = 1; id < kSpriteCount; ++id) {
    const bool wide = kSpriteBitmapSizes[id].width > 32;
    (wide ? wideFoot : narrowFoot) += kSpriteBitmapSizes[id].height;
    (wide ? lastWide : lastNarrow) = id;
  }
  EXPECT_EQ(s[lastNarrow].sheetY + s[lastNarrow].height, narrowFoot);
  EXPECT_EQ(s[lastWide].sheetY + s[lastWide].height, wideFoot);
  EXPECT_EQ(s[51].area, 32 * 64);
}

TEST_F(SpriteSheets, TheFirstScratchIsTheNextStepOf64AboveTheLargestImage) {
  // Wider groups at start-up may have grown it already; a fresh build gives 128.
  BITMAP info{};
  EXPECT_GE(world.scratchWidth, 128);
  EXPECT_GE(world.scratchHeight, 128);
  HGDIOBJ current = SelectObject(world.scratchSurface, world.scratchInitial);
  ASSERT_NE(current, nullptr);
  GetObjectA(current, sizeof(info), &info);
  SelectObject(world.scratchSurface, current);
  EXPECT_EQ(info.bmWidth, world.scratchWidth);
  EXPECT_EQ(info.bmHeight, world.scratchHeight);
}

TEST_F(SpriteSheets, MasksAreSetWhereverTheImageIsNotWhite) {
  for (int id : {1, 27, 45, 53, 82}) {
    const Sprite& s = world.sprites[id];
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) {
        const bool white = colorrefToRgb(GetPixel(s.imageDc, x, s.sheetY + y)) == 0xFFFFFF;
        const bool maskSet = colorrefToRgb(GetPixel(s.maskDc, x, s.sheetY + y)) == 0xFFFFFF;
        ASSERT_NE(white, maskSet) << "sprite " << id << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(SpriteSheets, ClosingTwiceReleasesOnlyWhatExists) {
  HWND window = world.mainWindow;
  closeDisplay(window);
  EXPECT_EQ(world.narrowImageSheet, nullptr);
  EXPECT_EQ(world.scratchInitial, nullptr);
  closeDisplay(window);  // nothing left: no double delete
  EXPECT_EQ(world.scratchSurface, nullptr);
}

}  // namespace
