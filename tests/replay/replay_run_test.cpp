// Whole runs of the program: a run recorded with --record and played back
// with --replay --headless ends in the same dump, byte for byte; a damaged
// or tampered replay ends with a message that names the line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/program_run.h"

namespace {

class RecordedRuns : public ::testing::Test {
 protected:
  // Runs the program with these arguments; returns its exit code and keeps
  // what it wrote on stderr.
  int snowvel(const std::string& arguments) {
    const ProgramRun run = runSnowvel(arguments + " --data-dir " + dir, dir);
    stderrText = run.err;
    return run.exitCode;
  }
  void write(const std::string& name, const std::string& text) { writeAll(dir + "/" + name, text); }

  // Skiing, turning, pausing, a resize and a click: a run that touches every
  // kind of input the recorder keeps.
  void recordBusyRun() {
    write("input.txt",
          "3 char f\n5 key DOWN\n40 key LEFT\n70 key NUMPAD3\n90 key F3\n110 key F3\n"
          "130 mouse 200 300\n140 click\n170 resize 500 420\n200 key DOWN\n260 key RIGHT\n");
    ASSERT_EQ(
        snowvel("--headless --seed 31337 --ticks 400 --screen 800x600 --input " + dir +
                "/input.txt --record " + dir + "/run.replay --dump " + dir + "/recorded.json"),
        0)
        << stderrText;
  }

  ScratchFolder scratch;
  std::string dir = scratch.path().string();
  std::string stderrText;
};

TEST_F(RecordedRuns, APlaybackEndsInTheRecordedDumpByteForByte) {
  recordBusyRun();
  ASSERT_EQ(snowvel("--headless --replay " + dir + "/run.replay --dump " + dir + "/played.json"), 0)
      << stderrText;
  const std::string recorded = readAll(dir + "/recorded.json");
  ASSERT_GT(recorded.size(), 200u);
  EXPECT_EQ(readAll(dir + "/played.json"), recorded);
  // The recording carries the settings, not the command line of the playback.
  const std::string replay = readAll(dir + "/run.replay");
  EXPECT_NE(replay.find("\nseed 31337\nscreen 800 600\n"), std::string::npos);
  EXPECT_NE(replay.find("\ne 0 resize 500 420\n"), std::string::npos);
}

TEST_F(RecordedRuns, DamagedAndTamperedReplaysEndWithTheLineAtFault) {
  recordBusyRun();
  const std::string replay = readAll(dir + "/run.replay");

  write("cut.replay", replay.substr(0, replay.size() / 2));
  EXPECT_EQ(snowvel("--headless --replay " + dir + "/cut.replay"), 2);
  EXPECT_NE(stderrText.find("cut.replay: line "), std::string::npos) << stderrText;
  EXPECT_NE(stderrText.find("truncated"), std::string::npos) << stderrText;

  std::string garbled = replay;
  garbled.replace(garbled.find("\nt "), 3, "\nt x");
  write("garbled.replay", garbled);
  EXPECT_EQ(snowvel("--headless --replay " + dir + "/garbled.replay"), 2);
  EXPECT_NE(stderrText.find("the clock is not a number"), std::string::npos) << stderrText;

  // A left turn that never happened: the game draws and sounds differently
  // from then on, and the playback says where it parted from the recording.
  std::string tampered = replay;
  const size_t turn = tampered.find("\ne 0 key 37 0\n");
  ASSERT_NE(turn, std::string::npos);
  tampered.replace(turn, 14, "\ne 0 key 39 0\n");
  write("tampered.replay", tampered);
  EXPECT_EQ(snowvel("--headless --replay " + dir + "/tampered.replay"), 3);
  EXPECT_NE(stderrText.find("tampered.replay: "), std::string::npos) << stderrText;
  EXPECT_TRUE(stderrText.find(": line ") != std::string::npos ||
              stderrText.find("final state differs") != std::string::npos)
      << stderrText;
}

}  // namespace
