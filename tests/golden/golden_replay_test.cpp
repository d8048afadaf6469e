// Plays back every recorded golden run and compares its end dump with the one
// the recording wrote. A mismatch names the first field that differs, so a
// refactor that changed the game shows where at once.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using nlohmann::ordered_json;

namespace {

std::vector<std::string> goldenRunNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(GOLDEN_DIR))
    if (entry.path().extension() == ".replay") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The path and both values of the first place where two dumps part, in the
// order the dump writes its fields; empty when they agree.
std::string firstDifference(const ordered_json& want, const ordered_json& got,
                            const std::string& path) {
  auto differs = [&] { return path + ": recorded " + want.dump() + ", played back " + got.dump(); };
  if (want.type() != got.type()) return differs();
  if (want.is_object()) {
    for (auto it = want.begin(); it != want.end(); ++it) {
      if (!got.contains(it.key())) return path + "." + it.key() + ": missing in the playback";
      std::string inner = firstDifference(*it, got[it.key()], path + "." + it.key());
      if (!inner.empty()) return inner;
    }
    for (auto it = got.begin(); it != got.end(); ++it)
      if (!want.contains(it.key())) return path + "." + it.key() + ": not in the recording";
    return {};
  }
  if (want.is_array()) {
    const size_t common = std::min(want.size(), got.size());
    for (size_t i = 0; i < common; ++i) {
      std::string inner = firstDifference(want[i], got[i], path + "[" + std::to_string(i) + "]");
      if (!inner.empty()) return inner;
    }
    if (want.size() != got.size())
      return path + ": " + std::to_string(want.size()) + " items recorded, " +
             std::to_string(got.size()) + " played back";
    return {};
  }
  return want == got ? std::string() : differs();
}

class GoldenRun : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenRun, PlaysBackToItsRecordedDump) {
  const fs::path golden = fs::path(GOLDEN_DIR) / GetParam();
  char pattern[] = "/tmp/snowvel-golden-XXXXXX";
  const fs::path work = mkdtemp(pattern);
  // An empty high-score folder, as when recording: the boxes show what the
  // profile held, and the playback checks their texts.
  const fs::path data = work / "data";
  fs::create_directory(data);
  const fs::path played = work / "played.json";
  const std::string command = std::string(SNOWVEL_BINARY) + " --headless --replay " +
                              golden.string() + ".replay --dump " + played.string() +
                              " --data-dir " + data.string() + " > /dev/null 2> " +
                              (work / "stderr").string();
  const int status = std::system(command.c_str());
  const std::string errors = readAll(work / "stderr");
  const std::string want = readAll(golden.string() + ".json");
  const std::string got = readAll(played);
  fs::remove_all(work);

  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the playback left the recording:\n"
                                                             << errors;
  ASSERT_FALSE(want.empty()) << golden.string() << ".json is missing";
  const ordered_json wantJson = ordered_json::parse(want, nullptr, false);
  const ordered_json gotJson = ordered_json::parse(got, nullptr, false);
  ASSERT_FALSE(gotJson.is_discarded()) << "the playback wrote no readable dump";
  const std::string difference = firstDifference(wantJson, gotJson, "dump");
  ASSERT_TRUE(difference.empty()) << difference;
  EXPECT_TRUE(got == want) << "the same fields, written differently";
}

INSTANTIATE_TEST_SUITE_P(Recorded, GoldenRun, ::testing::ValuesIn(goldenRunNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// An empty folder would pass every run it has: none.
TEST(GoldenRuns, AreThere) {
  EXPECT_GE(goldenRunNames().size(), 5u);
}

}  // namespace
