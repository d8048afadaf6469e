// Reading a run takes memory in proportion to its text, within the bound the
// reader states, whatever its lines: a shared run cannot take the machine's
// memory by its size.
#include <gtest/gtest.h>

#include "platform/replay/replay_format.h"
#include "tests/support/peak_allocation.h"

namespace {

TEST(ReplayMemory, ReadingFourMegabytesOfTheCostliestLinesStaysWithinTheStatedBound) {
  const std::string head =
      "snowvel-replay 2\nrules 1\nseed 5\nscreen 640 480\nscale 0\ntail \"\"\n";
  for (const std::string unit : {"w\n", "w\nstop\n", "t 0 1\nt 1 1\n", "e 1 close\n",
                                 "box 1 0 \"\" \"\"\n", "s 1 1 8 0\n"}) {
    std::string text = head;
    while (text.size() < (4u << 20)) text += unit;
    text += "end\nstate {}\n";
    Replay replay;
    std::string error;
    PeakAllocation peak;
    ASSERT_TRUE(parseReplay(text, &replay, &error)) << error;
    EXPECT_LE(peak.bytes(), mostReplayMemory(text.size())) << unit;
  }
}

TEST(ReplayMemory, WaitsInARowAreOneItemThatStillNamesEachLine) {
  Replay replay;
  std::string error;
  const std::string head = "snowvel-replay 2\nrules 1\nscreen 640 480\n";
  ASSERT_TRUE(parseReplay(head + "w\nw\nw\nstop\n#\nstop\nend\nstate {}\n", &replay, &error));
  ASSERT_EQ(replay.items.size(), 2u);
  EXPECT_EQ(replay.items[0].count(), 3u);
  EXPECT_EQ(replay.items[0].lineOf(2), 6);
  // Lines between the stops: each is named by the first.
  EXPECT_EQ(replay.items[1].count(), 2u);
  EXPECT_EQ(replay.items[1].lineOf(1), 7);
}

}  // namespace
