// Merging results into the three lists of "tolvane.ini", against real files
// in a scratch data directory, and the box that shows each list.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/win32.h"
#include "scoring/score_list.h"
#include "scoring/scoring.h"
#include "scoring_world.h"

namespace {

class HighScores : public ScoringWorld {
 protected:
  std::string stored(const char* key) { return storedLine(key); }
  void store(const char* key, const char* line) {
    ASSERT_TRUE(WritePrivateProfileStringA("Snowvel", key, line, "tolvane.ini"));
  }
  HeadlessMessageBox onlyBox() {
    std::vector<HeadlessMessageBox> shown = boxes();
    EXPECT_EQ(shown.size(), 1u);
    return shown.empty() ? HeadlessMessageBox{} : shown.back();
  }
};

constexpr char kTenStyles[] = "900 800 700 600 500 400 300 200 100 50 ";
constexpr char kTenStylesShown[] =
    "      900\n      800\n      700\n      600\n      500\n"
    "      400\n      300\n      200\n      100\n       50";

TEST_F(HighScores, FirstResultStartsTheListAndIsMarked) {
  recordHighScore("SS", 83450, true);
  EXPECT_EQ(stored("SS"), "-83450 ");
  HeadlessMessageBox box = onlyBox();
  EXPECT_EQ(box.text, " 0:01:23.45 <-- that's you!");
  EXPECT_EQ(box.caption, "High Scores");
  EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
  EXPECT_NE(profileText().find("[Snowvel]"), std::string::npos);
}

TEST_F(HighScores, TimesRankFastestFirstAndTiesGoAfterOlderResults) {
  store("GS", "-60000 -70000 -80000 ");
  recordHighScore("GS", 70000, true);
  EXPECT_EQ(stored("GS"), "-60000 -70000 -70000 -80000 ");
  EXPECT_EQ(onlyBox().text, " 0:01:00.00\n 0:01:10.00\n 0:01:10.00 <-- that's you!\n 0:01:20.00");
}

TEST_F(HighScores, TieWithTheThirdEntryGoesToTheFourthLine) {
  store("FS", "500 400 300 200 ");
  recordHighScore("FS", 300, false);
  EXPECT_EQ(stored("FS"), "500 400 300 300 200 ");
  EXPECT_EQ(onlyBox().text,
            "      500\n      400\n      300\n      300 <-- that's you!\n      200");
}

TEST_F(HighScores, FullListAndNoBetterResultRewritesTheLineAndSaysTryAgain) {
  store("FS", "900  800 700 600 500 400 300 200 100 50 12 13");  // tail past ten is lost
  recordHighScore("FS", 50, false);
  EXPECT_EQ(stored("FS"), kTenStyles);
  EXPECT_EQ(onlyBox().text, std::string(kTenStylesShown) + "\n\n       50 <-- try again!");
}

TEST_F(HighScores, FullListAndABetterResultDropsTheTenth) {
  store("FS", kTenStyles);
  recordHighScore("FS", 450, false);
  EXPECT_EQ(stored("FS"), "900 800 700 600 500 450 400 300 200 100 ");
  std::string text = onlyBox().text;
  EXPECT_NE(text.find("      500\n      450 <-- that's you!\n      400"), std::string::npos);
  EXPECT_EQ(text.find("       50"), std::string::npos);
}

TEST_F(HighScores, TryAgainShowsTheRunTimeItself) {
  store("SS", "-1000 -2000 -3000 -4000 -5000 -6000 -7000 -8000 -9000 -10000 ");
  recordHighScore("SS", 12340, true);
  std::string text = onlyBox().text;
  EXPECT_NE(text.find(" 0:00:10.00\n\n 0:00:12.34 <-- try again!"), std::string::npos) << text;
}

TEST_F(HighScores, MalformedTokensReadAsZeroOrTheirNumericPrefix) {
  store("FS", "100   200 x 300");
  recordHighScore("FS", 150, false);
  EXPECT_EQ(stored("FS"), "150 100 200 0 300 ");

  forgetBoxes();
  store("FS", "12abc -7- +5 - 3");
  recordHighScore("FS", -100, false);
  EXPECT_EQ(stored("FS"), "12 -7 5 0 3 -100 ");
}

TEST_F(HighScores, NumbersBeyond32BitsSaturateInsteadOfOverflowing) {
  store("FS", "99999999999999999999 -99999999999999999999 ");
  recordHighScore("FS", 1, false);
  EXPECT_EQ(stored("FS"), "2147483647 1 -2147483648 ");

  // The most negative stored time has no positive counterpart.
  forgetBoxes();
  store("SS", "-2147483648 5000 ");
  recordHighScore("SS", 1000, true);
  EXPECT_EQ(stored("SS"), "-1000 -2147483648 5000 ");
  EXPECT_EQ(onlyBox().text, " 0:00:01.00 <-- that's you!\n596:31:23.64\n 0:00:00.00");
}

TEST_F(HighScores, OtherListsAndSectionsSurvive) {
  writeProfile(
      "; kept by hand\n[Other]\nSS=unrelated\n\n[Snowvel]\nGS=-90000 \nFS=77 \nSS=-5000 \n");
  recordHighScore("SS", 4000, true);
  EXPECT_EQ(stored("SS"), "-4000 -5000 ");
  EXPECT_EQ(stored("GS"), "-90000 ");
  EXPECT_EQ(stored("FS"), "77 ");
  char other[64];
  GetPrivateProfileStringA("Other", "SS", "", other, sizeof other, "tolvane.ini");
  EXPECT_STREQ(other, "unrelated");
}

TEST_F(HighScores, ALineLongerThanTheBufferLosesOnlyTheCutNumber) {
  // 255 characters fit the buffer: the cut falls inside the last number.
  std::string line = "-7000 -8000" + std::string(240, ' ') + "-12345678";
  store("SS", line.c_str());
  store("GS", "-1 ");
  recordHighScore("SS", 9000, true);
  EXPECT_EQ(stored("SS"), "-7000 -8000 -9000 ");
  EXPECT_EQ(stored("GS"), "-1 ");
}

TEST_F(HighScores, GarbageFileStillShowsTheList) {
  std::string junk;
  for (int i = 0; i < 4000; ++i) junk += static_cast<char>((i * 7919) % 256);
  writeProfile(junk);
  recordHighScore("FS", 42, false);
  EXPECT_EQ(onlyBox().text, "       42 <-- that's you!");
}

TEST_F(HighScores, UnwritableFileStillShowsTheList) {
  // A directory where the file should be: nothing can be read or written.
  std::filesystem::create_directory(profilePath());
  recordHighScore("GS", 61000, true);
  EXPECT_EQ(onlyBox().text, " 0:01:01.00 <-- that's you!");
  EXPECT_TRUE(std::filesystem::is_directory(profilePath()));
}

TEST(ScoreLine, OnlySpacesSeparateAndACutLineDropsItsLastNumber) {
  ScoreList list;
  parseScoreLine("  100   200 x 300", false, &list);
  ASSERT_EQ(list.count, 4);
  EXPECT_EQ(list.numbers[2], 0);
  EXPECT_EQ(list.numbers[3], 300);

  parseScoreLine("1\t2 3", false, &list);
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list.numbers[0], 1);

  parseScoreLine("10 20 30", true, &list);
  EXPECT_EQ(list.count, 2);
  parseScoreLine("10 20 30 ", true, &list);
  EXPECT_EQ(list.count, 3);
}

}  // namespace
