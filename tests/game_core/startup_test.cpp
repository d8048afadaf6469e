// Start-up: the order of things, the window it makes, the failure exits,
// and the few services every other part leans on (strings, reports, random).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_harness.h"
#include "platform/kernel/resource_table.h"
#include "shell/shell.h"

namespace {

class Startup : public ::testing::Test {
 protected:
  void TearDown() override { stopHarness(); }
};

TEST_F(Startup, TheWindowIsAColumnAsHighAsTheScreenCentredAtTheTop) {
  startGameWindows(1280, 1024);
  RECT frame{};
  GetWindowRect(world.mainWindow, &frame);
  EXPECT_EQ(frame.left, 128);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(frame.right - frame.left, 1024);
  EXPECT_EQ(frame.bottom - frame.top, 1024);
  stopHarness();

  startGameWindows(1024, 1280);
  GetWindowRect(world.mainWindow, &frame);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.right - frame.left, 1024);
  EXPECT_EQ(frame.bottom - frame.top, 1280);
}

TEST_F(Startup, AStartedGameHasThePlayerAtTheAnchorAndTheTimerRunning) {
  startGameWindows(1024, 768);
  ASSERT_NE(world.player, nullptr);
  EXPECT_EQ(world.cameraActor, world.player);
  EXPECT_EQ(world.player->state, 3);
  EXPECT_TRUE(world.running);
  EXPECT_TRUE(world.timerOn);
  EXPECT_FALSE(world.paused);
  EXPECT_EQ(world.anchorX, world.clientWidth / 2);
  EXPECT_EQ(world.anchorY, world.clientHeight / 3);
  advanceClock(40);
  EXPECT_TRUE(world.player->flags & ACTOR_DRAWN) << "the first tick drew the player";
  EXPECT_EQ(windowTitle(), "Snowvel");
}

TEST_F(Startup, TheMainWindowEatsActivatingClicksLimitsItsSizeAndDropsInputWhileInactive) {
  startGameWindows(1024, 768);
  const HWND main = world.mainWindow;
  EXPECT_EQ(
      SendMessageA(main, WM_MOUSEACTIVATE, WPARAM(main), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
      MA_ACTIVATEANDEAT);
  EXPECT_EQ(
      SendMessageA(main, WM_MOUSEACTIVATE, WPARAM(main), MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN)), 0)
      << "outside the client area: 0, not the default answer";

  MINMAXINFO limits{};
  limits.ptMaxTrackSize = POINT{7777, 6666};
  limits.ptMinTrackSize = POINT{1, 1};
  EXPECT_EQ(SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
  EXPECT_EQ(limits.ptMinTrackSize.x, 320);
  EXPECT_EQ(limits.ptMinTrackSize.y, 300);
  EXPECT_EQ(limits.ptMaxTrackSize.x, 7777) << "the other fields are left alone";
  EXPECT_EQ(limits.ptMaxTrackSize.y, 6666);

  deactivateMainWindow();
  const Actor before = *world.player;
  EXPECT_EQ(SendMessageA(main, WM_KEYDOWN, VK_DOWN, 0), 0);
  EXPECT_EQ(SendMessageA(main, WM_CHAR, ' ', 0), 0);
  EXPECT_EQ(SendMessageA(main, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)), 0);
  EXPECT_EQ(SendMessageA(main, WM_MOUSEMOVE, 0, MAKELPARAM(world.anchorX, 700)), 0);
  EXPECT_EQ(SendMessageA(main, WM_LBUTTONDOWN, 0, 0), 0);
  EXPECT_EQ(SendMessageA(main, WM_LBUTTONDBLCLK, 0, 0), 0);
  EXPECT_EQ(world.player->state, before.state);
  EXPECT_EQ(world.player->dx, before.dx);
  EXPECT_EQ(world.player->dy, before.dy);
  EXPECT_EQ(world.player->dz, before.dz);
  EXPECT_FALSE(world.mouseSeen);
}

TEST_F(Startup, AMissingBitmapEndsTheStartWithTheBitmapBoxAndExitZero) {
  installHeadless(1024, 768, 5000);
  std::vector<EmbeddedResource> table(kEmbeddedResources,
                                      kEmbeddedResources + kEmbeddedResourceCount);
  std::erase_if(table, [](const EmbeddedResource& r) {
    return r.typeName == nullptr && r.typeId == 2 && r.name == nullptr && r.id == 50;
  });
  ASSERT_EQ(table.size() + 1, kEmbeddedResourceCount);
  setResourceTable(table.data(), table.size());
  answerNextBoxes(IDOK, 1);

  const int exitCode = runGameMain("nosound");
  setResourceTable(nullptr, 0);

  EXPECT_EQ(exitCode, 0);
  ASSERT_EQ(boxesShown().size(), 1u);
  EXPECT_EQ(boxesShown()[0].caption, "Snowvel");
  EXPECT_EQ(boxesShown()[0].text, "Whoa, like, can't load bitmaps!  Yer outa memory, duuude!");
  EXPECT_EQ(boxesShown()[0].type, unsigned(MB_ICONEXCLAMATION));
  EXPECT_EQ(world.mainWindow, nullptr);
  EXPECT_EQ(world.narrowImageSheet, nullptr) << "closeDisplay released what was built";
  EXPECT_EQ(world.scratchSurface, nullptr);
}

TEST_F(Startup, OnlyTheWholeTailNosoundSilencesTheGame) {
  struct Case {
    const char* tail;
    bool silent;
  };
  for (const Case& c : {Case{"nosound", true}, Case{"NoSound", true}, Case{"NOSOUND", true},
                        Case{"nosound please", false}, Case{" nosound", false}, Case{"", false}}) {
    installHeadless(640, 480, 5000);
    closeMainWindowAfterStart();
    EXPECT_EQ(runGameMain(c.tail), 0);
    EXPECT_EQ(world.soundOff, c.silent) << '"' << c.tail << '"';
    stopHarness();
  }
}

TEST_F(Startup, CancelInAnAssertionBoxEndsTheGameNormally) {
  installHeadless(640, 480, 5000);
  failAnAssertionAfterStart(IDCANCEL);
  EXPECT_EQ(runGameMain("nosound"), 0);
  ASSERT_FALSE(boxesShown().empty());
  EXPECT_EQ(boxesShown().back().caption, "Assertion Failed");
  EXPECT_EQ(boxesShown().back().type, unsigned(MB_ICONEXCLAMATION | MB_OKCANCEL));
}

TEST_F(Startup, StringsAreLoadedOnceAndKept) {
  startBareWorld();
  const char* first = loadString(2);
  EXPECT_STREQ(first, "Snowvel Paused ... Press F3 to continue");
  EXPECT_EQ(loadString(2), first) << "the cached text, not a second copy";
  EXPECT_STREQ(loadString(16), " <-- that's you!") << "leading blanks are kept";
  EXPECT_STREQ(loadString(19), "") << "an id without an entry gives the empty text";

  // The longest text the buffer holds comes back whole.
  const std::string longest(255, 'w');
  std::vector<EmbeddedResource> table(kEmbeddedResources,
                                      kEmbeddedResources + kEmbeddedResourceCount);
  std::erase_if(table, [](const EmbeddedResource& r) {
    return r.typeName == nullptr && r.typeId == 6 && r.name == nullptr && r.id == 17;
  });
  table.push_back(EmbeddedResource{6, nullptr, 17, nullptr,
                                   reinterpret_cast<const unsigned char*>(longest.c_str()),
                                   longest.size()});
  setResourceTable(table.data(), table.size());
  const std::string loaded = loadString(17);
  setResourceTable(nullptr, 0);
  EXPECT_EQ(loaded, longest);
}

TEST_F(Startup, AssertionTextsNameTheFileWithoutFolders) {
  EXPECT_STREQ(gameSourceName("/work/src/display/repaint.cpp"), "repaint.cpp");
  EXPECT_STREQ(gameSourceName("C:\\game\\src\\shell\\reports.cpp"), "reports.cpp");
  startBareWorld();
  answerNextBoxes(IDOK, 1);
  assertFailed("repaint.cpp", 77);
  ASSERT_EQ(boxesShown().size(), 1u);
  EXPECT_EQ(boxesShown()[0].text, "repaint.cpp line 77");

  // A name longer than any box text is cut at the formatter's 1023
  // characters, inside the report's own buffer.
  const std::string longName(1500, 'n');
  answerNextBoxes(IDOK, 1);
  assertFailed(longName.c_str(), 1);
  ASSERT_EQ(boxesShown().size(), 2u);
  EXPECT_EQ(boxesShown()[1].text, std::string(1023, 'n'));
}

TEST_F(Startup, TheRandomSequenceIsPinned) {
  seedRandom(1);
  // seed*214013+2531011 from 1, high 15 bits of each step.
  EXPECT_EQ(nextRandom(), 41);
  EXPECT_EQ(nextRandom(), 18467);
  EXPECT_EQ(nextRandom(), 6334);
  seedRandom(0xFFFFFFFFu);
  const int32_t wrapped = nextRandom();
  EXPECT_EQ(wrapped, int32_t(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7FFF));
  seedRandom(7);
  for (int i = 0; i < 1000; ++i) {
    const int32_t r = randomBelow(60);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 60);
  }

  // Every count takes its draw: zero answers 0, a negative count keeps the
  // draw's remainder as C++ gives it.
  seedRandom(1);
  EXPECT_EQ(randomBelow(0), 0) << "no division by zero";
  EXPECT_EQ(randomBelow(-7), 1) << "18467 % -7";
  EXPECT_EQ(randomBelow(100), 34);
  EXPECT_EQ(nextRandom(), 26500) << "the fourth value of the sequence";
}

}  // namespace
