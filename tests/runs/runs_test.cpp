// Kept runs end to end: a headless slalom that enters the list keeps one run
// file, which the viewer re-skis to the same result, with seeks or without,
// from the file or from its link; an unwritable runs folder costs one line;
// format fixtures play, a newer file and hostile links are refused in one
// line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/replay/run_link.h"
#include "support/program_run.h"

namespace fs = std::filesystem;

namespace {

int lineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class KeptRuns : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(dir / "data"); }

  // The program with these arguments; keeps what it wrote on both streams.
  int snowvel(const std::string& arguments) {
    const ProgramRun run = runSnowvel(arguments, dir);
    out = run.out;
    err = run.err;
    return run.exitCode;
  }

  // The golden slalom, a result that enters an empty list.
  int skiTheSlalom() {
    return snowvel("--headless --seed 1000 --screen 800x600 --ticks 800 --input " +
                   std::string(GOLDEN_DIR) + "/slalom.input --data-dir " + (dir / "data").string() +
                   " --dump " + (dir / "played.json").string());
  }

  std::vector<fs::path> keptRuns() {
    std::vector<fs::path> runs;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir / "data" / "runs", error))
      runs.push_back(entry.path());
    return runs;
  }

  void write(const std::string& name, const std::string& text) { writeAll(dir / name, text); }

  ScratchFolder scratch;
  fs::path dir = scratch.path();
  std::string out, err;
};

TEST_F(KeptRuns, ASlalomThatEntersTheListIsKeptAndEveryViewingEndsAtItsResult) {
  ASSERT_EQ(skiTheSlalom(), 0) << err;
  // Recording every session leaves the game as it was.
  EXPECT_EQ(readAll(dir / "played.json"), readAll(std::string(GOLDEN_DIR) + "/slalom.json"));
  const std::vector<fs::path> runs = keptRuns();
  ASSERT_EQ(runs.size(), 1u);
  const std::string name = runs[0].filename().string();
  EXPECT_EQ(name.rfind("slalom_", 0), 0u) << name;
  EXPECT_NE(name.find("_84322ms.replay"), std::string::npos) << name;
  const std::string run = runs[0].string();

  // Watching writes neither the high-score file nor a run.
  const std::string scores = readAll(dir / "data" / "tolvane.ini");
  ASSERT_NE(scores.find("SS="), std::string::npos);
  const std::string watch = "--watch " + run + " --headless --data-dir " + (dir / "data").string();
  ASSERT_EQ(snowvel(watch + " --dump " + (dir / "straight.json").string() + " --screenshot " +
                    (dir / "straight.png").string()),
            0)
      << err;
  EXPECT_EQ(out.rfind("slalom 0:01:24.32: matches the recorded result", 0), 0u) << out;

  // Seeks back and ahead, pause, speeds: each seek back skis the session
  // again unseen, and the result shows exactly as straight playback left it.
  write(
      "keys.input",
      "60 key LEFT\n90 key RIGHT\n95 key RIGHT\n120 key SPACE\n130 key SPACE\n140 key ADD\n"
      "150 key ADD\n160 key SUBTRACT\n165 key SUBTRACT\n170 key HOME\n300 key LEFT\n320 key END\n");
  ASSERT_EQ(
      snowvel(watch + " --input " + (dir / "keys.input").string() + " --dump " +
              (dir / "sought.json").string() + " --screenshot " + (dir / "sought.png").string()),
      0)
      << err;
  EXPECT_EQ(readAll(dir / "sought.json"), readAll(dir / "straight.json"));
  EXPECT_FALSE(pixelsOf(dir / "straight.png").empty());
  EXPECT_TRUE(pixelsOf(dir / "sought.png") == pixelsOf(dir / "straight.png"));
  EXPECT_GT(readAll(dir / "straight.json").size(), 200u);

  // The viewer's keys rebind as the game's do: the new key acts (the speed
  // the overlay shows), the old one no longer does.
  write("j.input", "60 key J\n");
  write("add.input", "60 key ADD\n");
  const std::string faster = watch + " --bind watch-faster=KeyJ --screenshot " + dir.string();
  ASSERT_EQ(snowvel(faster + "/none.png"), 0) << err;
  ASSERT_EQ(snowvel(faster + "/j.png --input " + (dir / "j.input").string()), 0) << err;
  ASSERT_EQ(snowvel(faster + "/add.png --input " + (dir / "add.input").string()), 0) << err;
  EXPECT_NE(pixelsOf(dir / "j.png"), pixelsOf(dir / "none.png"));
  EXPECT_EQ(pixelsOf(dir / "add.png"), pixelsOf(dir / "none.png"));

  // The link carries the same run to the same verified result.
  ASSERT_EQ(snowvel("--share " + run), 0) << err;
  ASSERT_EQ(out.rfind("#run=", 0), 0u) << out;
  ASSERT_EQ(snowvel("--headless --watch 'https://example.org/snowvel/" +
                    out.substr(0, out.size() - 1) + "'"),
            0)
      << err;
  EXPECT_EQ(out.rfind("slalom 0:01:24.32: matches the recorded result", 0), 0u) << out;

  EXPECT_EQ(readAll(dir / "data" / "tolvane.ini"), scores);
  EXPECT_EQ(keptRuns().size(), 1u);
}

TEST_F(KeptRuns, AnUnwritableRunsFolderCostsOneLineAndPlayGoesOn) {
  write("data/runs", "a file where the folder would be");
  ASSERT_EQ(skiTheSlalom(), 0) << err;
  EXPECT_EQ(readAll(dir / "played.json"), readAll(std::string(GOLDEN_DIR) + "/slalom.json"));
  EXPECT_EQ(lineCount(err), 1) << err;
  EXPECT_NE(err.find("cannot keep the run"), std::string::npos) << err;
  EXPECT_NE(readAll(dir / "data" / "tolvane.ini").find("SS=-84322"), std::string::npos);
}

// Every name the run could take in the seconds of the session is a link to
// a file of the player's: the run is not kept, and no link is written through.
TEST_F(KeptRuns, ARunIsNeverWrittenThroughALink) {
  write("mine.txt", "the player's own");
  fs::create_directory(dir / "data" / "runs");
  const std::time_t now = std::time(nullptr);
  for (std::time_t when = now - 2; when < now + 60; ++when) {
    std::tm local{};
    localtime_r(&when, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y%m%d-%H%M%S", &local);
    const std::string name = std::string("slalom_") + date + "_84322ms";
    fs::create_symlink(dir / "mine.txt", dir / "data" / "runs" / (name + ".replay"));
    for (int n = 2; n < 100; ++n)
      fs::create_symlink(dir / "mine.txt",
                         dir / "data" / "runs" / (name + "-" + std::to_string(n) + ".replay"));
  }
  ASSERT_EQ(skiTheSlalom(), 0) << err;
  EXPECT_EQ(readAll(dir / "mine.txt"), "the player's own");
  EXPECT_EQ(lineCount(err), 1) << err;
  EXPECT_NE(err.find("cannot keep the run"), std::string::npos) << err;
  for (const fs::path& run : keptRuns()) EXPECT_TRUE(fs::is_symlink(run)) << run;
}

// A result the high-score file could not take (it cannot be replaced) is
// reported, and no run of it is kept.
TEST_F(KeptRuns, NoRunIsKeptOfAScoreThatWasNotSaved) {
  fs::create_symlink("/proc/version", dir / "data" / "tolvane.ini");
  ASSERT_EQ(skiTheSlalom(), 0) << err;
  EXPECT_NE(err.find("cannot save"), std::string::npos) << err;
  EXPECT_TRUE(keptRuns().empty());
}

TEST_F(KeptRuns, FormatFixturesPlayANewerOneAndHostileRunsAreRefusedInOneLine) {
  // The golden runs are format 1 and play in the golden suite; this one is
  // a format 2 run file with the high-score file it began with.
  const std::string fixture = readAll(std::string(RUNS_DIR) + "/slalom-run.replay");
  ASSERT_EQ(fixture.rfind("snowvel-replay 2\nrules 1\n", 0), 0u);
  ASSERT_EQ(snowvel("--headless --replay " + std::string(RUNS_DIR) + "/slalom-run.replay"), 0)
      << err;

  std::string newer = fixture;
  newer.replace(0, 25, "snowvel-replay 3\nrules 2\n");
  write("newer.replay", newer);
  EXPECT_EQ(snowvel("--headless --watch " + (dir / "newer.replay").string()), 2);
  EXPECT_EQ(lineCount(err), 1) << err;
  EXPECT_NE(err.find("format 3, rules 2; this build plays formats up to 2 and rules up to 1"),
            std::string::npos)
      << err;

  std::string claimed = fixture;
  claimed.replace(claimed.find("run SS 84322"), 12, "run SS 74322");
  write("claimed.replay", claimed);
  EXPECT_EQ(snowvel("--headless --watch " + (dir / "claimed.replay").string()), 3);
  EXPECT_NE(out.find("slalom 0:01:24.32: does NOT match the recorded slalom 0:01:14.32"),
            std::string::npos)
      << out;

  std::string wide = fixture;
  wide.replace(wide.find("screen 800 600"), 14, "screen 99999 600");
  const std::string link = runLinkFragment(fixture);
  const std::string bomb = base64UrlEncode(std::string("SR1\x81\x80\x80\x01", 7));
  for (const std::string& hostile :
       {"'#" + link.substr(0, link.size() / 2) + "'", std::string("'#run=not+base64!'"),
        "'#run=" + bomb + "'", "'#" + runLinkFragment(wide) + "'",
        "'#run=" + base64UrlEncode("plain text") + "'"}) {
    EXPECT_EQ(snowvel("--headless --watch " + hostile), 2) << hostile;
    EXPECT_EQ(lineCount(err), 1) << hostile << ": " << err;
    EXPECT_TRUE(out.empty()) << out;
  }
}

// Sizes past a real display, files that are no runs (a device, a FIFO, too
// large), a link carrying control bytes, and a run too large to share: each
// gets one line, quoted and short, and nothing is allocated or printed for it.
TEST_F(KeptRuns, HostileSizesFilesAndTextGetOneShortQuotedLine) {
  const std::string fixture = readAll(std::string(RUNS_DIR) + "/slalom-run.replay");
  std::string tall = fixture, filled = fixture;
  tall.replace(tall.find("screen 800 600"), 14, "screen 16384 16384");
  filled.replace(filled.find("e 0 key 39 0"), 12, "e 0 fill-screen 65535 65535");
  std::string control = fixture;
  control.replace(control.find("e 0 key 39 0"), 12,
                  "\x1b]0;owned\x07\x1b[2J" + std::string(100000, 'x'));
  write("tall.replay", tall);
  write("filled.replay", filled);
  ASSERT_EQ(mkfifo((dir / "fifo.replay").c_str(), 0600), 0);
  for (const std::string& hostile :
       {(dir / "tall.replay").string(), (dir / "filled.replay").string(), std::string("/dev/zero"),
        (dir / "fifo.replay").string(), "'#" + runLinkFragment(tall) + "'",
        "'#" + runLinkFragment(control) + "'"}) {
    EXPECT_EQ(snowvel("--headless --watch " + hostile), 2) << hostile;
    EXPECT_EQ(lineCount(err), 1) << hostile << ": " << err;
    EXPECT_LT(err.size(), 400u) << hostile;
    EXPECT_EQ(err.find('\x1b'), std::string::npos) << hostile;
  }

  // Over the most a link carries: refused before it is read, no link printed.
  std::string large = fixture;
  large.insert(large.find("\nend\n") + 1, std::string(kMostRunBytes, '#') + "\n");
  write("large.replay", large);
  EXPECT_EQ(snowvel("--share " + (dir / "large.replay").string()), 2);
  EXPECT_TRUE(out.empty()) << out;
  EXPECT_EQ(lineCount(err), 1) << err;
}

}  // namespace
