// The panel's value texts exactly as the formatter writes them.
#include <gtest/gtest.h>

#include <string>

#include "scoring/scoring.h"
#include "scoring_world.h"

namespace {

using StatusValues = ScoringWorld;

std::string runTime(int32_t ms) {
  char text[32];
  int length = formatRunTime(ms, text);
  EXPECT_EQ(length, static_cast<int>(std::string(text).size()));
  return text;
}

struct Lines {
  std::string time, distance, speed, style;
};

Lines statusLines() {
  StatusTexts values;
  formatStatusValues(&values);
  return {
      std::string(values.text[0], values.length[0]), std::string(values.text[1], values.length[1]),
      std::string(values.text[2], values.length[2]), std::string(values.text[3], values.length[3])};
}

TEST_F(StatusValues, RunTimes) {
  EXPECT_EQ(runTime(0), " 0:00:00.00");
  EXPECT_EQ(runTime(59999), " 0:00:59.99");
  EXPECT_EQ(runTime(3600000), " 1:00:00.00");
  EXPECT_EQ(runTime(3723456), " 1:02:03.45");
  EXPECT_EQ(runTime(83450), " 0:01:23.45");
  EXPECT_EQ(runTime(40 * 3600000), "40:00:00.00");
}

TEST_F(StatusValues, DistanceCountsToTheFinishOfTheRunInProgress) {
  placePlayer(0, 640);
  world.slalomRunOn = true;
  EXPECT_EQ(statusLines().distance, "  500m");
  world.slalomRunOn = false;
  world.treeSlalomRunOn = true;
  EXPECT_EQ(statusLines().distance, " 1000m");
  world.treeSlalomRunOn = false;
  world.freestyleRunOn = true;
  EXPECT_EQ(statusLines().distance, " 1000m");
  world.freestyleRunOn = false;

  placePlayer(0, 40);
  EXPECT_EQ(statusLines().distance, "   02m");
  placePlayer(0, -20);
  EXPECT_EQ(statusLines().distance, "  -01m");
  placePlayer(0, -32000);
  EXPECT_EQ(statusLines().distance, "-2000m");
}

TEST_F(StatusValues, SpeedInMetresPerSecondFromTheTickLength) {
  player.dy = 8;
  world.tickMs = 40;
  EXPECT_EQ(statusLines().speed, "   12m/s");
  player.dy = -8;
  EXPECT_EQ(statusLines().speed, "  -12m/s");
  world.tickMs = 0;
  EXPECT_EQ(statusLines().speed, "   00m/s");
  // A tick length whose 32-bit product with 16 wraps to zero must not divide by it.
  world.tickMs = 0x10000000;
  player.dy = 30000;
  EXPECT_EQ(statusLines().speed, "   00m/s");
}

TEST_F(StatusValues, StyleAndTheMissingPlayer) {
  EXPECT_EQ(statusLines().style, "      0");
  world.style = -1234567;
  EXPECT_EQ(statusLines().style, "-1234567");

  world.player = nullptr;
  world.runClock = 61000;
  Lines lines = statusLines();
  EXPECT_EQ(lines.time, " 0:01:01.00");
  EXPECT_EQ(lines.distance, "   00m");
  EXPECT_EQ(lines.speed, "   00m/s");
}

TEST_F(StatusValues, RefreshMarksTheMomentItRan) {
  world.now = 123456;
  world.lastStatusAt = 0;
  refreshStatus(nullptr);
  EXPECT_EQ(world.lastStatusAt, 123456);
}

}  // namespace
