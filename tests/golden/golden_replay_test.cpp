// Plays back every recorded golden run and compares its end dump with the one
// the recording wrote. A mismatch names the first field that differs, so a
// refactor that changed the game shows where at once. Each run's input file
// also says what the run exists for, in "# expects:" lines checked on the
// played-back run, so a re-recording cannot quietly lose its scenario:
//   # expects: sound SOUND_MONSTER_CATCH   that sound was played
//   # expects: box High Scores             a box with that caption was shown
//   # expects: actor STATE_X | KIND_X      an actor at the end in that state or of that kind
//   # expects: seen STATE_X | SPRITE_X     an actor in that state or sprite at any time
//   # expects: seen mouse                  the game took in the cursor's place
//   # expects: runClock > 0                a number of the dump (a.b for nested) compared
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/program_run.h"

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

// NAME = number lines of a game header: the names the expectations use.
std::map<std::string, long> namesIn(const std::string& header) {
  std::map<std::string, long> names;
  const std::string text = readAll(fs::path(SNOWVEL_SOURCE_DIR) / "src" / "shell" / header);
  const std::regex entry(R"(\b([A-Z][A-Z0-9_]+) = (-?\d+))");
  for (std::sregex_iterator it(text.begin(), text.end(), entry), end; it != end; ++it)
    names[(*it)[1]] = std::stol((*it)[2]);
  return names;
}

std::vector<std::string> expectationsOf(const fs::path& input) {
  std::vector<std::string> lines;
  std::istringstream text(readAll(input));
  const std::string mark = "# expects: ";
  for (std::string line; std::getline(text, line);)
    if (line.rfind(mark, 0) == 0) lines.push_back(line.substr(mark.size()));
  return lines;
}

bool compare(double got, const std::string& op, double want) {
  if (op == "==") return got == want;
  if (op == "!=") return got != want;
  if (op == ">") return got > want;
  if (op == ">=") return got >= want;
  if (op == "<") return got < want;
  if (op == "<=") return got <= want;
  return false;
}

// Empty when the run shows what the line expects; otherwise why not. The
// dump is the end state; seen lists every state and sprite shown on the way.
std::string checkExpectation(const std::string& line, const ordered_json& dump,
                             const ordered_json& seen) {
  std::smatch m;
  if (line == "seen mouse") return seen["mouse"] == true ? "" : "the game never took in the mouse";
  if (std::regex_match(line, m, std::regex(R"(seen ((STATE|SPRITE)_\w+))"))) {
    const bool state = m[2] == "STATE";
    const auto ids = namesIn(state ? "actor_states.h" : "sprite_ids.h");
    if (!ids.count(m[1])) return "no name " + m[1].str();
    for (const auto& shown : seen[state ? "states" : "sprites"])
      if (shown == ids.at(m[1])) return {};
    return m[1].str() + " was never shown";
  }
  if (std::regex_match(line, m, std::regex(R"(sound (SOUND_\w+))"))) {
    const auto ids = namesIn("sound_ids.h");
    if (!ids.count(m[1])) return "no sound named " + m[1].str();
    for (const auto& sound : dump["sounds"])
      if (sound["id"] == ids.at(m[1])) return {};
    return m[1].str() + " was never played";
  }
  if (std::regex_match(line, m, std::regex(R"(box (.+))"))) {
    for (const auto& box : dump["messageBoxes"])
      if (box["caption"] == m[1].str()) return {};
    return "no \"" + m[1].str() + "\" box was shown";
  }
  if (std::regex_match(line, m, std::regex(R"(actor ((STATE|KIND)_\w+))"))) {
    const auto ids = namesIn(m[2] == "STATE" ? "actor_states.h" : "game_types.h");
    if (!ids.count(m[1])) return "no name " + m[1].str();
    const char* field = m[2] == "STATE" ? "state" : "kind";
    for (const auto& actor : dump["activeList"])
      if (actor[field] == ids.at(m[1])) return {};
    return "no actor with " + m[1].str() + " at the end";
  }
  if (std::regex_match(line, m, std::regex(R"(([\w.]+) (==|!=|>=|<=|>|<) (-?\d+))"))) {
    const ordered_json* value = &dump;
    std::istringstream path(m[1].str());
    for (std::string key; std::getline(path, key, '.');) {
      if (!value->is_object() || !value->contains(key)) return m[1].str() + " is not in the dump";
      value = &(*value)[key];
    }
    if (!value->is_number()) return m[1].str() + " is not a number";
    if (!compare(value->get<double>(), m[2], std::stod(m[3])))
      return m[1].str() + " is " + value->dump();
    return {};
  }
  return "cannot read the expectation";
}

class GoldenRun : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenRun, PlaysBackToItsRecordedDump) {
  const fs::path golden = fs::path(GOLDEN_DIR) / GetParam();
  const ScratchFolder scratch;
  const fs::path& work = scratch.path();
  // An empty high-score folder, as when recording: the boxes show what the
  // profile held, and the playback checks their texts.
  const fs::path data = work / "data";
  fs::create_directory(data);
  const fs::path played = work / "played.json";
  const ProgramRun run =
      runSnowvel("--headless --replay " + golden.string() + ".replay --dump " + played.string() +
                     " --seen " + (work / "seen.json").string() + " --data-dir " + data.string(),
                 work);
  const std::string want = readAll(golden.string() + ".json");
  const std::string got = readAll(played);
  const ordered_json seen = ordered_json::parse(readAll(work / "seen.json"), nullptr, false);

  ASSERT_EQ(run.exitCode, 0) << "the playback left the recording:\n" << run.err;
  ASSERT_FALSE(want.empty()) << golden.string() << ".json is missing";
  const ordered_json wantJson = ordered_json::parse(want, nullptr, false);
  const ordered_json gotJson = ordered_json::parse(got, nullptr, false);
  ASSERT_FALSE(gotJson.is_discarded()) << "the playback wrote no readable dump";
  const std::string difference = firstDifference(wantJson, gotJson, "dump");
  ASSERT_TRUE(difference.empty()) << difference;
  EXPECT_TRUE(got == want) << "the same fields, written differently";

  const std::vector<std::string> expectations = expectationsOf(golden.string() + ".input");
  EXPECT_FALSE(expectations.empty()) << GetParam() << ".input says nothing it expects";
  for (const std::string& line : expectations) {
    const std::string failure = checkExpectation(line, gotJson, seen);
    EXPECT_TRUE(failure.empty()) << "expects: " << line << ": " << failure;
  }
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
