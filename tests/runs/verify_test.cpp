// snowvel-verify, the board's child: the re-ski that neither draws nor
// presents ends in the state a drawing run recorded, for every golden run
// and run fixture; and its one-line answers for a run, its link, a tampered
// copy, an oversized input and a run past the tick bound, the same as
// snowvel --verify gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/replay/run_link.h"
#include "support/program_run.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

class Verify : public ::testing::Test {
 protected:
  int verify(const fs::path& input, const std::string& arguments = "") {
    const ProgramRun run =
        runProgram(program, "--verify " + arguments + " < '" + input.string() + "'", dir);
    out = run.out;
    return run.exitCode;
  }
  int verifyText(const std::string& text, const std::string& arguments = "") {
    writeAll(dir / "input", text);
    return verify(dir / "input", arguments);
  }

  std::string program = VERIFIER_BINARY;
  ScratchFolder scratch;
  fs::path dir = scratch.path();
  std::string out;
};

std::string lastLine(const std::string& text) {
  const size_t end = text.find_last_not_of('\n');
  return text.substr(text.rfind('\n', end) + 1, end - text.rfind('\n', end));
}

TEST_F(Verify, AnUndrawnReSkiEndsInTheStateOfADrawnOneOnEveryGoldenRunAndFixture) {
  int checked = 0;
  for (const char* folder : {GOLDEN_DIR, RUNS_DIR}) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() != ".replay") continue;
      SCOPED_TRACE(entry.path().string());
      const fs::path dump = dir / "dump.json";
      fs::remove(dump);
      const int exitCode = verify(entry.path(), "--dump " + dump.string());
      json played = json::parse(readAll(dump));
      // A golden run's dump was taken from a drawing run, with the
      // desktop's records of boxes and sounds beside the game's state.
      fs::path golden = entry.path();
      golden.replace_extension(".json");
      if (fs::exists(golden)) {
        json drawn = json::parse(readAll(golden));
        drawn.erase("messageBoxes");
        drawn.erase("sounds");
        EXPECT_EQ(played, drawn);
        EXPECT_EQ(exitCode, 2) << out;  // no kept run: no result to answer with
      } else {
        // A run file ends with the state its drawing recording ended in.
        const std::string line = lastLine(readAll(entry.path()));
        ASSERT_EQ(line.rfind("state ", 0), 0u);
        EXPECT_EQ(played, json::parse(line.substr(6)));
        EXPECT_EQ(exitCode, 0) << out;
      }
      ++checked;
    }
  }
  EXPECT_GE(checked, 10);
}

TEST_F(Verify, AnswersInOneLineForARunItsLinkATamperedCopyAndHostileInput) {
  for (const char* verifier : {VERIFIER_BINARY, SNOWVEL_BINARY}) {
    SCOPED_TRACE(verifier);
    program = verifier;
    const fs::path run = fs::path(RUNS_DIR) / "slalom-run.replay";
    const std::string fixture = readAll(run);
    EXPECT_EQ(verify(run), 0);
    EXPECT_EQ(out, "ok SS 84322\n");
    EXPECT_EQ(verifyText("https://example.org/snowvel/#" + runLinkFragment(fixture) + "\n"), 0);
    EXPECT_EQ(out, "ok SS 84322\n");

    std::string faster = fixture;
    faster.replace(faster.find("run SS 84322"), 12, "run SS 74322");
    EXPECT_EQ(verifyText(faster), 3);
    EXPECT_EQ(out, "refused \"the result is not the recorded one\"\n");
    std::string moved = fixture;  // the first key press a period later
    moved.replace(moved.find("t 1040 1\ne 0 key 39 0\n"), 22, "t 1040 1\nw\n");
    EXPECT_EQ(verifyText(moved), 3);
    EXPECT_EQ(out.rfind("refused \"the run left its recording: line ", 0), 0u) << out;

    EXPECT_EQ(verify(run, "--max-ticks 100"), 3);
    EXPECT_EQ(out, "refused \"too long: past 100 ticks\"\n");
    EXPECT_EQ(verifyText(std::string(kMostRunBytes + 1, 'x')), 2);
    EXPECT_EQ(out, "refused \"too long: a run is at most 1048576 bytes\"\n");
    EXPECT_EQ(verifyText("#run=\x01\"quoted\"\n"), 2);
    EXPECT_EQ(out.find('\x01'), std::string::npos) << out;
    EXPECT_EQ(out.rfind("refused \"", 0), 0u) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
  }
}

}  // namespace
