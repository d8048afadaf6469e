// The game's screen on the real desktop: scale, the title bar's room, and a
// window as tall as the game's screen fitting the usable area.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/internal/screen_layout.h"
#include "platform/web/web_layout.h"

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

// The page: a game pixel of about one CSS pixel, whole device pixels each,
// unless the game's smallest window would then not fit the area.
TEST(WebLayout, AGamePixelIsAboutACssPixelWhileTheSmallestWindowFits) {
  const RECT frame = overlappedFrameInsets();
  const SIZE smallest{312, 273};
  auto scale = [&](int cssWidth, int cssHeight, double ratio, int requested = 0) {
    WebArea area{static_cast<int>(cssWidth * ratio), static_cast<int>(cssHeight * ratio), ratio};
    return webScreenFor(area, requested, frame, smallest).scale;
  };
  EXPECT_EQ(scale(844, 300, 3), 3);  // a phone held sideways
  EXPECT_EQ(scale(390, 600, 3), 3);  // and upright
  EXPECT_EQ(scale(1280, 900, 1), 1);
  EXPECT_EQ(scale(1280, 900, 1.25), 1);
  EXPECT_EQ(scale(1280, 900, 2), 2);
  EXPECT_EQ(scale(3840, kHighDpiDesktopHeight, 1), 2);  // never below the desktop's rule
  // Too small for the smallest window at 3 device pixels a game pixel: 2, then 1.
  EXPECT_EQ(scale(844, 200, 3), 2);
  EXPECT_EQ(scale(200, 400, 3), 1);
  // The player's scale wins; a garbled ratio counts as 1, a huge one is capped.
  EXPECT_EQ(scale(844, 300, 3, 1), 1);
  EXPECT_EQ(scale(300, 200, 1, 4), 4);
  EXPECT_EQ(webScreenFor(WebArea{1280, 900, std::nan("")}, 0, frame, smallest).scale, 1);
  EXPECT_EQ(webScreenFor(WebArea{100000, 100000, 1e300}, 0, frame, SIZE{}).scale, kMostScale);

  // The game sees the area in game pixels with the frame around it.
  WebScreen phone = webScreenFor(WebArea{2532, 900, 3}, 0, frame, smallest);
  EXPECT_EQ(phone.width, 844 + frame.left + frame.right);
  EXPECT_EQ(phone.height, 300 + frame.top + frame.bottom);
}

}  // namespace
