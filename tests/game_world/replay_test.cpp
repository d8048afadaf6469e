// Whole games through the headless driver, read back from its state dump.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "support/program_run.h"

namespace {

class Replays : public ::testing::Test {
 protected:
  // Runs the game for `ticks` periods and returns its final state.
  nlohmann::json run(unsigned seed, unsigned ticks, const std::string& script) {
    const std::string dump =
        (scratch.path() / ("dump-" + std::to_string(runs++) + ".json")).string();
    std::string arguments = "--headless --seed " + std::to_string(seed) + " --ticks " +
                            std::to_string(ticks) + " --data-dir " + scratch.path().string() +
                            " --dump " + dump;
    if (!script.empty()) arguments += std::string(" --input ") + SLOPE_SCRIPTS + "/" + script;
    const ProgramRun run = runSnowvel(arguments, scratch.path());
    EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.err;
    return nlohmann::json::parse(readAll(dump), nullptr, false);
  }

  ScratchFolder scratch;
  int runs = 0;
};

TEST_F(Replays, TheSameSeedAndInputGiveTheSameGame) {
  const nlohmann::json first = run(31337, 600, "down_the_slope.txt");
  const nlohmann::json second = run(31337, 600, "down_the_slope.txt");
  ASSERT_FALSE(first.is_discarded());
  EXPECT_EQ(first, second);
  EXPECT_GT(first["activeList"].size(), 5u);

  // Another seed lays out another slope.
  const nlohmann::json other = run(31338, 600, "down_the_slope.txt");
  EXPECT_NE(first["activeList"], other["activeList"]);
}

TEST_F(Replays, ARunDownTheSlopeEndsInTheMonstersMealAndEnterStartsAgain) {
  const nlohmann::json end = run(4242, 2510, "down_the_slope.txt");
  ASSERT_FALSE(end.is_discarded());
  std::map<int, int> heard;
  for (const auto& sound : end["sounds"]) ++heard[sound["id"].get<int>()];
  EXPECT_GT(heard[2], 0) << "launched off a bump or ramp";
  EXPECT_GT(heard[4], 0) << "landed";
  EXPECT_GT(heard[1], 0) << "crashed";
  EXPECT_GT(heard[9], 0) << "chased";
  EXPECT_EQ(heard[7], 1) << "eaten once";
  EXPECT_EQ(end["assertionReports"], 0);
  // Enter brought a new skier to the start.
  ASSERT_FALSE(end["player"].is_null());
  EXPECT_EQ(end["player"]["y"], 0);
  EXPECT_EQ(end["player"]["state"], 3);
}

}  // namespace
