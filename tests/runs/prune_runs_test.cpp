// The runs folder keeps the ten best runs of the course just kept (shortest
// times, most points) and the one just saved. Only files the game wrote
// count: a file named like a run whose first lines are no run of that course
// and result, or a link, stays and pushes no real run out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "app/kept_runs.h"

namespace fs = std::filesystem;

TEST(PruneRuns, KeepsTheTenBestOfTheCourseAndNothingTheGameDidNotWrite) {
  char pattern[] = "/tmp/snowvel-prune-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  auto put = [&](const std::string& name, const std::string& text) {
    std::ofstream(dir / name) << text;
    return name;
  };
  auto runText = [](const RunResult& run) {
    ReplayHeader header;
    header.screenWidth = 640;
    header.screenHeight = 480;
    header.profile = "[Snowvel]\nSS=1\n";
    return composeRunText(header, run, "t 1000 3\nw\n", "{}");
  };
  auto keep = [&](const RunResult& run, std::time_t when) {
    return put(runFileName(run, when), runText(run));
  };
  std::set<std::string> want;
  for (int i = 0; i < 12; ++i) {
    const std::string slalom = keep(RunResult{"SS", 60000 + 1000 * i}, 1800000000 + i);
    if (i < 10) want.insert(slalom);
    // Another course waits until a run of its own is kept.
    want.insert(keep(RunResult{"FS", 100 * i - 300}, 1800000000 + i));
  }
  const std::string latest = keep(RunResult{"SS", 99999}, 1800000100);
  // The second run of one second with one result is a run as well.
  const std::string slowest = runFileName(RunResult{"SS", 200000}, 1800000000);
  put(slowest.substr(0, slowest.size() - 7) + "-2.replay", runText(RunResult{"SS", 200000}));

  // Named like faster slalom runs, but no run of theirs: garbage, a note, a
  // freestyle run, another result, a header cut short, a link to a real run.
  std::set<std::string> foreign = {put("notes.txt", "x"), put("slalom_by_hand.replay", "x"),
                                   put("notes_1_11ms.replay", "x")};
  for (int i = 0; i < 10; ++i)
    foreign.insert(put(runFileName(RunResult{"SS", 1000 + i}, 1800000000), "garbage"));
  foreign.insert(put(runFileName(RunResult{"SS", 2000}, 1800000001), runText({"FS", 2000})));
  foreign.insert(put(runFileName(RunResult{"SS", 2001}, 1800000001), runText({"SS", 2002})));
  foreign.insert(
      put(runFileName(RunResult{"SS", 2003}, 1800000001), runText({"SS", 2003}).substr(0, 40)));
  const std::string linked = runFileName(RunResult{"SS", 60000}, 1800000000);
  for (int i = 0; i < 3; ++i) {
    const std::string link = runFileName(RunResult{"SS", 60000}, 1800000200 + i);
    fs::create_symlink(dir / linked, dir / link);
    foreign.insert(link);
  }
  pruneRuns(dir.string(), latest);

  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir))
    left.insert(entry.path().filename().string());
  fs::remove_all(dir);
  want.insert(latest);
  want.insert(foreign.begin(), foreign.end());
  EXPECT_EQ(left, want);
}
