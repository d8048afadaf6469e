// The runs folder keeps the ten best runs of each course (shortest times,
// most points) and the one just saved; files of other names stay.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "app/kept_runs.h"

namespace fs = std::filesystem;

TEST(PruneRuns, KeepsTheTenBestOfEachCourseAndTheLatest) {
  char pattern[] = "/tmp/snowvel-prune-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  std::set<std::string> made;
  auto touch = [&](const std::string& name) {
    std::ofstream(dir / name) << "x";
    made.insert(name);
  };
  for (int i = 0; i < 12; ++i) {
    touch(runFileName(RunResult{"SS", 60000 + 1000 * i}, 1800000000 + i));
    touch(runFileName(RunResult{"FS", 100 * i - 300}, 1800000000 + i));
  }
  const std::string latest = runFileName(RunResult{"SS", 99999}, 1800000100);
  touch(latest);
  touch("notes.txt");
  touch("slalom_by_hand.replay");
  // The second run of one second with one result is a run as well.
  const std::string slowest = runFileName(RunResult{"SS", 200000}, 1800000000);
  touch(slowest.substr(0, slowest.size() - 7) + "-2.replay");
  pruneRuns(dir.string(), latest);

  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir))
    left.insert(entry.path().filename().string());
  fs::remove_all(dir);
  std::set<std::string> want = {latest, "notes.txt", "slalom_by_hand.replay"};
  for (int i = 0; i < 10; ++i) {
    want.insert(runFileName(RunResult{"SS", 60000 + 1000 * i}, 1800000000 + i));  // fastest
    want.insert(
        runFileName(RunResult{"FS", 100 * (i + 2) - 300}, 1800000000 + i + 2));  // most points
  }
  EXPECT_EQ(left, want);
}
