// The game's screen on the real desktop: scale, the title bar's room, and a
// window as tall as the game's screen fitting the usable area.
#include <gtest/gtest.h>

#include "platform/internal/screen_layout.h"

namespace {

constexpr int kTitleBar = 40;
constexpr int kGameCaption = 23;  // sizing border 4 + caption 19
constexpr int kGameBorder = 4;

TEST(ScreenLayout, ScaleIsAskedForOrDoubledOnTallDesktops) {
  EXPECT_EQ(chooseScale(0, 1080), 1);
  EXPECT_EQ(chooseScale(0, 1999), 1);
  EXPECT_EQ(chooseScale(0, 2000), 2);
  EXPECT_EQ(chooseScale(0, 2160), 2);
  EXPECT_EQ(chooseScale(3, 1080), 3);
  EXPECT_EQ(chooseScale(1, 2160), 1);
}

TEST(ScreenLayout, TheGameSeesTheUsableAreaDividedByTheScale) {
  ScreenLayout hiDpi = layoutScreen(DesktopArea{0, 0, 3840, 2160}, 2, kTitleBar, kGameCaption);
  EXPECT_EQ(hiDpi.width, 1920);
  EXPECT_EQ(hiDpi.height, 1080);  // the game's caption at 2x already holds the title bar
  EXPECT_EQ(hiDpi.originY, 0);

  ScreenLayout panel = layoutScreen(DesktopArea{0, 32, 1280, 992}, 1, kTitleBar, kGameCaption);
  EXPECT_EQ(panel.originY, 32 + kTitleBar - kGameCaption);
  EXPECT_EQ(panel.height, 992 - (kTitleBar - kGameCaption));
}

TEST(ScreenLayout, AWindowAsTallAsTheScreenKeepsItsTitleBarAndFits) {
  for (int scale : {1, 2, 3}) {
    DesktopArea usable{0, 27, 1920 * scale / 2, 1053 * scale};
    ScreenLayout layout = layoutScreen(usable, scale, kTitleBar, kGameCaption);
    // The game's window: as tall as its screen, at y = 0; its client area
    // lies inside its own frame.
    RECT client{kGameBorder, kGameCaption, 400, layout.height - kGameBorder};
    RECT real = realClientRect(layout, client);
    EXPECT_GE(real.top - kTitleBar, usable.y) << "scale " << scale;
    EXPECT_LE(real.bottom, usable.y + usable.height) << "scale " << scale;
    EXPECT_EQ(real.right - real.left, (400 - kGameBorder) * scale);
  }
}

}  // namespace
