// The whole program on the headless desktop: a scripted slalom run from the
// start line through the gates to the finish, its entry in "tolvane.ini" and
// the high-score box, then a second run with a long pause and a silent one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Nudges the figure to x = -500, inside the slalom's start window and left
// of every gate pole: the "pass left" gates are passed and the "pass right"
// gates (at x = -400) are missed. Then straight downhill, with a steering
// key now and then to get up again after any crash.
std::string slalomScript(int pauseAt, int pauseLength, int periods) {
  std::ostringstream script;
  for (int i = 0; i < 250; ++i) script << "1 char X\n";
  for (int p = 3; p < periods; p += 5) {
    if (pauseAt > 0 && p > pauseAt && p - 5 <= pauseAt) script << pauseAt << " key F3\n";
    if (pauseAt > 0 && p > pauseAt + pauseLength && p - 5 <= pauseAt + pauseLength)
      script << pauseAt + pauseLength << " key F3\n";
    script << p << " key DOWN\n";
  }
  return script.str();
}

class SlalomEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/snowvel-e2e-XXXXXX";
    scratch = mkdtemp(pattern);
    dataDir = scratch + "/data";
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
  }

  json run(const std::string& script, int periods, const std::string& tail = "") {
    const std::string input = scratch + "/input.txt";
    const std::string dump = scratch + "/dump.json";
    std::ofstream(input) << script;
    std::string command = std::string(SNOWVEL_PROGRAM) + " --headless --ticks " +
                          std::to_string(periods) + " --input " + input + " --dump " + dump +
                          " --data-dir " + dataDir + " " + tail + " 2> " + scratch + "/stderr.txt";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(dump);
    return json::parse(in, nullptr, false);
  }

  std::string storedSlalomLine() {
    std::ifstream in(dataDir + "/tolvane.ini");
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
      if (!line.empty() && line[0] == '[') inSection = line == "[Snowvel]";
      if (inSection && line.rfind("SS=", 0) == 0) return line.substr(3);
    }
    return "";
  }

  std::string said() {
    std::ifstream in(scratch + "/stderr.txt");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string scratch;
  std::string dataDir;
};

TEST_F(SlalomEndToEnd, FinishedRunIsKeptAndShownAcrossRestarts) {
  json first = run(slalomScript(0, 0, 1500), 1500);
  ASSERT_FALSE(first.is_discarded());
  EXPECT_EQ(first["assertionReports"], 0);

  // One result in the list: the time in ms, negated, then a blank.
  std::string line = storedSlalomLine();
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(line.back(), ' ');
  long stored = std::stol(line);
  int32_t runClock = first["runClock"];
  EXPECT_EQ(stored, -runClock);
  // Twelve "pass right" gates missed (5 s each); had all 24 been missed the
  // time would be past two minutes.
  EXPECT_GT(runClock, 12 * 5000);
  EXPECT_LT(runClock, 24 * 5000);
  EXPECT_FALSE(first["slalomRunOn"]);

  ASSERT_EQ(first["messageBoxes"].size(), 1u);
  const json& box = first["messageBoxes"][0];
  EXPECT_EQ(box["caption"], "High Scores");
  char shown[32];
  std::snprintf(shown, sizeof shown, "%2d:%02d:%02d.%02d", runClock / 3600000,
                runClock / 60000 % 60, runClock / 1000 % 60, runClock % 1000 / 10);
  EXPECT_EQ(box["text"], std::string(shown) + " <-- that's you!");

  // The landings, launches and crashes on the way were heard as the game's
  // own clips.
  ASSERT_FALSE(first["sounds"].empty());
  for (const json& sound : first["sounds"]) {
    int id = sound["id"];
    EXPECT_TRUE(id >= 1 && id <= 9) << id;
  }

  // The same run again, paused for 100 s halfway: the pause is not counted,
  // and the list, read back after the restart, now holds both results.
  json second = run(slalomScript(300, 2500, 4000), 4000);
  ASSERT_FALSE(second.is_discarded());
  int32_t secondClock = second["runClock"];
  EXPECT_LT(secondClock, runClock + 10000) << "the paused 100 s were counted";
  ASSERT_EQ(second["messageBoxes"].size(), 1u);
  std::string text = second["messageBoxes"][0]["text"];
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  EXPECT_NE(text.find(std::string(shown)), std::string::npos) << text;
  EXPECT_NE(text.find(" <-- that's you!"), std::string::npos) << text;

  // With "nosound" the game is silent and still records.
  json silent = run(slalomScript(0, 0, 1500), 1500, "NoSound");
  EXPECT_TRUE(silent["sounds"].empty());
  ASSERT_EQ(silent["messageBoxes"].size(), 1u);
  std::istringstream numbers(storedSlalomLine());
  int count = 0;
  for (long n; numbers >> n;) ++count;
  EXPECT_EQ(count, 3);
}

// Two ways the debugging keys move the figure while the clock stands, each
// of which once finished the run below zero. Whatever the order, the time
// shown is the one stored, and it is above zero.
TEST_F(SlalomEndToEnd, MovesWhileThePauseHoldsNeverFinishBelowZero) {
  auto repeated = [](int period, const char* event, int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += std::to_string(period) + " " + event + "\n";
    return lines;
  };
  // Paused and nudged to x = -400, y = 636, just above the start line.
  const std::string toTheStart =
      "2 key F3\n" + repeated(3, "char X", 200) + repeated(3, "char y", 318) + "4 key DOWN\n";
  // Skied over the start line, paused, nudged 12000 down (far past the
  // finish), skied on: the finish is placed by following the first move back
  // to the line, which reaches far behind the start.
  const std::string pastTheFinish = toTheStart + "5 key F3\n60 key F3\n" +
                                    repeated(61, "char y", 6000) + "62 key F3\n62 key DOWN\n";
  // Single steps ("t") over the start line long after the pause began, then
  // nudged close to the finish and skied over it: the restart took the pause
  // from its beginning off a run that started near its end.
  std::string steppedStart = toTheStart;
  for (int p = 1000; p < 1040; p += 2) steppedStart += std::to_string(p) + " char t\n";
  steppedStart += repeated(1041, "char y", 3985) + "1100 key F3\n1100 key DOWN\n";

  for (const std::string& script : {pastTheFinish, steppedStart}) {
    std::error_code ignored;
    fs::remove_all(dataDir, ignored);
    json result = run(script, 1300);
    ASSERT_FALSE(result.is_discarded());
    int32_t runClock = result["runClock"];
    EXPECT_GT(runClock, 0);
    EXPECT_EQ(storedSlalomLine(), std::to_string(-runClock) + " ");
    ASSERT_EQ(result["messageBoxes"].size(), 1u);
    char shown[32];
    std::snprintf(shown, sizeof shown, "%2d:%02d:%02d.%02d", runClock / 3600000,
                  runClock / 60000 % 60, runClock / 1000 % 60, runClock % 1000 / 10);
    EXPECT_EQ(result["messageBoxes"][0]["text"], std::string(shown) + " <-- that's you!");
  }
}

// A data folder under a plain file: the game still plays to its list (what
// it shows is its own business), but the player is told, once at start-up
// and once when the result is lost, where and why.
TEST_F(SlalomEndToEnd, ScoresThatCannotBeKeptAreToldNotLostSilently) {
  std::ofstream(scratch + "/plain") << "not a folder\n";
  dataDir = scratch + "/plain/data";
  json result = run(slalomScript(0, 0, 1500), 1500);
  ASSERT_FALSE(result.is_discarded());
  ASSERT_EQ(result["messageBoxes"].size(), 1u);
  EXPECT_EQ(result["messageBoxes"][0]["caption"], "High Scores");
  const std::string text = said();
  EXPECT_NE(text.find("high scores cannot be kept in " + dataDir + ": " + scratch +
                      "/plain is not a directory"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("cannot save " + dataDir + "/tolvane.ini: Not a directory"),
            std::string::npos)
      << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
}

}  // namespace
