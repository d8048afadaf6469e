// Ghosts end to end, through the program's command line: a slalom raced
// against its own kept run overlaps its ghost and splits at 0.00, against a
// slower run it splits by the two runs' kept results; the ghost's key (also
// remapped) turns it off to the game's own pixels; a hostile ghost costs one
// line and play goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/program_run.h"

namespace fs = std::filesystem;

namespace {

class Ghosts : public ::testing::Test {
 protected:
  int snowvel(const std::string& arguments) {
    const ProgramRun run = runSnowvel(arguments, dir);
    err = run.err;
    return run.exitCode;
  }

  // A headless slalom of the golden run's settings; name.json and name.png.
  int ski(const std::string& name, const std::string& input, int ticks,
          const std::string& extra = "") {
    return snowvel("--headless --seed 1000 --screen 800x600 --ticks " + std::to_string(ticks) +
                   " --input " + input + " --data-dir " + (dir / ("data-" + name)).string() +
                   " --dump " + (dir / (name + ".json")).string() + " --screenshot " +
                   (dir / (name + ".png")).string() + " " + extra);
  }

  nlohmann::json dump(const std::string& name) {
    return nlohmann::json::parse(readAll(dir / (name + ".json")));
  }
  std::vector<uint8_t> picture(const std::string& name) { return pixelsOf(dir / (name + ".png")); }

  // The one run file a session kept, and its result from its name.
  fs::path keptRun(const std::string& name, int* result) {
    for (const auto& entry : fs::directory_iterator(dir / ("data-" + name) / "runs")) {
      const std::string file = entry.path().filename().string();
      *result = std::stoi(file.substr(file.rfind('_') + 1));
      return entry.path();
    }
    return {};
  }

  ScratchFolder scratch;
  fs::path dir = scratch.path();
  std::string err;
  const std::string golden = std::string(GOLDEN_DIR) + "/slalom.input";
  const std::string itself = std::string(RUNS_DIR) + "/slalom-run.replay";  // golden's kept run
};

TEST_F(Ghosts, ARunRacedAgainstItselfOverlapsItsGhostAndSplitsAtZero) {
  ASSERT_EQ(ski("plain", golden, 800), 0) << err;
  ASSERT_EQ(ski("raced", golden, 800, "--ghost " + itself), 0) << err;
  nlohmann::json raced = dump("raced");
  const nlohmann::json splits = raced["splits"];
  raced.erase("splits");
  EXPECT_EQ(raced, dump("plain"));  // the game's state is untouched
  ASSERT_EQ(splits.size(), 25u) << splits;
  for (const auto& split : splits) EXPECT_EQ(split["ms"], 0) << split;
  EXPECT_EQ(splits.back()["gate"], 25);
  EXPECT_EQ(splits.back()["finish"], true);

  // Past the start banner, before the first gate: the ghost lies exactly
  // over the skier, and half its colour over the same colour changes nothing.
  for (int ticks : {125, 150}) {
    ASSERT_EQ(ski("alone", golden, ticks), 0) << err;
    ASSERT_EQ(ski("beside", golden, ticks, "--ghost " + itself), 0) << err;
    EXPECT_FALSE(picture("alone").empty());
    EXPECT_EQ(picture("alone"), picture("beside")) << "tick " << ticks;
  }
}

TEST_F(Ghosts, ASlowerGhostSplitsByTheKeptResultsAndItsKeyTurnsItOff) {
  int slower = 0, faster = 84322;  // the golden slalom's kept result
  ASSERT_EQ(ski("slower", std::string(RUNS_DIR) + "/slalom-slower.input", 900), 0) << err;
  const fs::path ghost = keptRun("slower", &slower);
  ASSERT_GT(slower, faster);

  ASSERT_EQ(ski("ahead", golden, 800, "--ghost " + ghost.string()), 0) << err;
  const nlohmann::json splits = dump("ahead")["splits"];
  ASSERT_EQ(splits.size(), 25u) << splits;
  EXPECT_EQ(splits.back()["ms"], faster - slower);
  EXPECT_EQ(splits.front()["ms"], 0);  // both skied alike up to the first gate

  // Tick 160: the slower run's skier stands beside the player.
  ASSERT_EQ(ski("alone", golden, 160), 0) << err;
  ASSERT_EQ(ski("beside", golden, 160, "--ghost " + ghost.string()), 0) << err;
  EXPECT_NE(picture("alone"), picture("beside"));

  // G turns the ghost off: the game's own pixels; remapped, its new key does.
  writeAll(dir / "off.input", "1 key G\n" + readAll(golden));
  ASSERT_EQ(ski("off", (dir / "off.input").string(), 160, "--ghost " + ghost.string()), 0) << err;
  EXPECT_EQ(picture("alone"), picture("off"));
  writeAll(dir / "remapped.input", "1 key KeyH\n" + readAll(golden));
  ASSERT_EQ(ski("remapped", (dir / "remapped.input").string(), 160,
                "--bind ghost=KeyH --ghost " + ghost.string()),
            0)
      << err;
  EXPECT_EQ(picture("alone"), picture("remapped"));
}

TEST_F(Ghosts, AHostileOrForeignGhostCostsOneLineAndPlayGoesOn) {
  ASSERT_EQ(ski("plain", golden, 800), 0) << err;
  const std::string fixture = readAll(itself);
  std::string newer = fixture;
  newer.replace(0, 25, "snowvel-replay 3\nrules 2\n");
  writeAll(dir / "newer.replay", newer);
  writeAll(dir / "junk.replay", std::string("snowvel-replay 2\n\x01\x7f junk\n", 24));
  std::string claimed = fixture;
  claimed.replace(claimed.find("run SS 84322"), 12, "run SS 74322");
  writeAll(dir / "claimed.replay", claimed);
  int n = 0;
  for (const std::string& ghost :
       {(dir / "newer.replay").string(), (dir / "junk.replay").string(),
        (dir / "claimed.replay").string(), std::string("'#run=\x1b[2J!!'"),
        (dir / "missing.replay").string()}) {
    const std::string name = "hostile" + std::to_string(++n);
    ASSERT_EQ(ski(name, golden, 800, "--ghost " + ghost), 0) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("playing without"), std::string::npos) << err;
    EXPECT_EQ(err.find('\x1b'), std::string::npos) << err;
    nlohmann::json played = dump(name);
    EXPECT_EQ(played["splits"].size(), 0u);
    played.erase("splits");
    EXPECT_EQ(played, dump("plain")) << ghost;
  }
}

}  // namespace
