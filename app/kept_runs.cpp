#include "kept_runs.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <map>
#include <vector>

#include "game_facts.h"
#include "platform/kernel/process_settings.h"
#include "platform/kernel/profile_file.h"
#include "platform/replay/replay_backend.h"
#include "scoring/score_list.h"

namespace fs = std::filesystem;

namespace {

constexpr char kHighScoreFile[] = "tolvane.ini";
constexpr char kHighScoreSection[] = "Snowvel";
// The game reads a list into a buffer of this size; a line that fills it
// may have been cut, as the game sees it.
constexpr size_t kGameLineBuffer = 256;

KeptRunsOptions kept;
bool reported = false;

bool sameName(std::string_view a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(b[i])) return false;
  return true;
}

// The list as the game reads it, from the line as the file holds it.
ScoreList listOf(std::string_view line) {
  const std::string text(line.substr(0, kGameLineBuffer - 1));
  ScoreList list{};
  parseScoreLine(text.c_str(), text.size() >= kGameLineBuffer - 1, &list);
  return list;
}

// The game writes its list back after every finished run: the list changed
// exactly when the result was put into it.
bool enteredTheList(std::string_view before, std::string_view after) {
  const ScoreList a = listOf(before), b = listOf(after);
  return a.count != b.count || !std::equal(a.numbers, a.numbers + a.count, b.numbers);
}

void reportOnce(const std::string& what) {
  if (reported) return;
  reported = true;
  if (kept.report)
    kept.report(what);
  else
    std::fprintf(stderr, "snowvel: %s\n", what.c_str());
}

void saveRun(const RunResult& run) {
  const std::string text = recordedRunText(run, gameStateText(kept.seed));
  if (text.empty()) return;
  const std::string data = profileDirectory();
  if (data.empty()) return reportOnce("cannot keep the run: no data folder");
  const std::string folder = data + "/runs";
  const std::string first = runFileName(run, std::time(nullptr));
  std::string name = first;
  // Two runs in one second with one result: the later gets a number.
  std::error_code exists;
  for (int n = 2; n < 100 && fs::exists(folder + "/" + name, exists); ++n)
    name = first.substr(0, first.size() - 7) + "-" + std::to_string(n) + ".replay";
  if (!makeDirectories(folder) || !replaceFileAtomically(folder + "/" + name, text)) {
    reportOnce("cannot keep the run in " + folder + ": " + std::strerror(errno) +
               " (play goes on)");
    return;
  }
  pruneRuns(folder, name);
  if (kept.saved) kept.saved();
}

void onProfileWrite(const ProfileValueWrite& write) {
  if (!sameName(write.fileName, kHighScoreFile) || !sameName(write.section, kHighScoreSection))
    return;
  const std::string key(write.key);
  if (courseName(key).empty()) return;
  noteResultWritten(key);
  if (kept.keep && enteredTheList(write.before, write.after))
    saveRun(RunResult{key, currentResult(key)});
}

struct KeptFile {
  std::string name;
  std::string course;
  int64_t rank;  // lower is better
  std::string date;
};

// Reads back what runFileName wrote; false for any other name.
bool readRunFileName(const std::string& name, KeptFile* file) {
  char course[16] = "", date[16] = "", unit[4] = "";
  long long result = 0;
  int used = 0, number = 0;
  if (std::sscanf(name.c_str(), "%15[a-z-]_%15[0-9-]_%lld%3[a-z]%n", course, date, &result, unit,
                  &used) != 4)
    return false;
  const std::string rest = name.substr(static_cast<size_t>(used));
  int restUsed = 0;
  if (rest != ".replay" && !(std::sscanf(rest.c_str(), "-%d.replay%n", &number, &restUsed) == 1 &&
                             static_cast<size_t>(restUsed) == rest.size()))
    return false;
  if (std::string(unit) != "ms" && std::string(unit) != "pts") return false;
  file->name = name;
  file->course = course;
  file->date = date;
  file->rank = std::string(unit) == "pts" ? -result : result;
  return true;
}

}  // namespace

void watchHighScoreWrites(KeptRunsOptions options) {
  kept = std::move(options);
  reported = false;
  setProfileWriteWatcher(onProfileWrite);
}

void watchHighScoreWritesOfPlayback(uint32_t seed) {
  KeptRunsOptions options;
  options.seed = seed;
  options.keep = false;
  watchHighScoreWrites(options);
}

std::string runFileName(const RunResult& run, std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y%m%d-%H%M%S", &local);
  const char* unit = isTimedCourse(run.course) ? "ms" : "pts";
  return courseName(run.course) + "_" + date + "_" + std::to_string(run.result) + unit + ".replay";
}

void pruneRuns(const std::string& folder, const std::string& keep) {
  std::map<std::string, std::vector<KeptFile>> byCourse;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    KeptFile file;
    if (entry.is_regular_file(error) && readRunFileName(entry.path().filename().string(), &file))
      byCourse[file.course].push_back(file);
  }
  for (auto& [course, files] : byCourse) {
    std::sort(files.begin(), files.end(), [](const KeptFile& a, const KeptFile& b) {
      return a.rank != b.rank ? a.rank < b.rank : a.date > b.date;
    });
    for (size_t i = kRunsKeptPerCourse; i < files.size(); ++i)
      if (files[i].name != keep) fs::remove(fs::path(folder) / files[i].name, error);
  }
}
