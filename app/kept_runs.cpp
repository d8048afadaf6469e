#include "kept_runs.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <optional>
#include <vector>

#include "game_facts.h"
#include "plain_files.h"
#include "platform/kernel/process_settings.h"
#include "platform/internal/same_name.h"
#include "platform/kernel/profile_file.h"
#include "platform/replay/replay_backend.h"
#include "scoring/score_list.h"

namespace {

KeptRunsOptions kept;
bool reported = false;

// The list as the game reads it, from the line as the file holds it.
ScoreList listOf(std::string_view line) {
  const std::string text(line.substr(0, size_t{kScoreLineBuffer} - 1));
  ScoreList list{};
  parseScoreLine(text.c_str(), text.size() >= size_t{kScoreLineBuffer} - 1, &list);
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
  const std::string text = recordedRunText(run, gameStateText());
  if (text.empty()) return;
  const std::string data = profileDirectory();
  if (data.empty()) return reportOnce("cannot keep the run: no data folder");
  const std::string folder = data + "/runs";
  if (!makeDirectories(folder)) {
    reportOnce("cannot keep the run in " + folder + ": " + std::strerror(errno) +
               " (play goes on)");
    return;
  }
  const std::string first = runFileName(run, std::time(nullptr));
  std::string name = first;
  // Two runs in one second with one result: the later gets a number. A name
  // taken by anything, a link included, is passed over, never written through.
  for (int n = 2; !writeNewFile(folder + "/" + name, text); ++n) {
    if (errno != EEXIST || n == 100) {
      reportOnce("cannot keep the run in " + folder + ": " + std::strerror(errno) +
                 " (play goes on)");
      return;
    }
    name = first.substr(0, first.size() - 7) + "-" + std::to_string(n) + ".replay";
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
  // A result the high-score file does not hold is no result to keep a run of.
  if (kept.keep && write.written && enteredTheList(write.before, write.after))
    saveRun(RunResult{key, currentResult(key)});
}

struct KeptFile {
  std::string name;
  std::string course;
  int64_t rank;  // lower is better
  std::string date;
  long long result;  // as the name gives it
};

// The longest front of text (at most most characters) made of allowed ones.
std::string_view takeFront(std::string_view* text, size_t most, bool (*allowed)(char)) {
  size_t n = 0;
  while (n < text->size() && n < most && allowed((*text)[n])) ++n;
  const std::string_view front = text->substr(0, n);
  text->remove_prefix(n);
  return front;
}

bool isLower(char c) {
  return c >= 'a' && c <= 'z';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isLowerOrDash(char c) {
  return isLower(c) || c == '-';
}
bool isDigitOrDash(char c) {
  return isDigit(c) || c == '-';
}

bool skip(std::string_view* text, std::string_view expected) {
  if (text->substr(0, expected.size()) != expected) return false;
  text->remove_prefix(expected.size());
  return true;
}

// Reads back what runFileName wrote; false for any other name. (By hand: the
// page's program carries no scanf.)
bool readRunFileName(const std::string& name, KeptFile* file) {
  std::string_view rest = name;
  const std::string_view course = takeFront(&rest, 15, isLowerOrDash);
  if (course.empty() || !skip(&rest, "_")) return false;
  const std::string_view date = takeFront(&rest, 15, isDigitOrDash);
  if (date.empty() || !skip(&rest, "_")) return false;
  long long result = 0;
  const auto [end, problem] = std::from_chars(rest.data(), rest.data() + rest.size(), result);
  if (problem != std::errc()) return false;
  rest.remove_prefix(static_cast<size_t>(end - rest.data()));
  const std::string_view unit = takeFront(&rest, 3, isLower);
  if (unit != "ms" && unit != "pts") return false;
  // A second run of one second with one result carries a number.
  if (skip(&rest, "-") && takeFront(&rest, 10, isDigit).empty()) return false;
  if (rest != ".replay") return false;
  file->name = name;
  file->course = course;
  file->date = date;
  file->rank = unit == "pts" ? -result : result;
  file->result = result;
  return true;
}

// The most of a run file read to find its run line: the header's quoted
// high-score file may take four characters for each of its bytes.
constexpr size_t kMostRunHeader = 320 * 1024;

// Whether the file's first lines are the header of a kept run, as the reader
// takes it, with the course and result its name gives: only such a file was
// written by the game.
bool holdsTheRunItsNameGives(const std::string& folder, const KeptFile& file) {
  std::string head;
  if (!readFileHead(folder + "/" + file.name, &head, kMostRunHeader)) return false;
  const size_t runLine = head.find("\nrun ");
  if (runLine == std::string::npos) return false;
  const size_t lineEnd = head.find('\n', runLine + 1);
  if (lineEnd == std::string::npos) return false;
  head.resize(lineEnd + 1);
  head += "end\nstate {}\n";
  Replay replay;
  std::string error;
  return parseReplay(head, &replay, &error) && replay.header.run &&
         courseName(replay.header.run->course) == file.course &&
         replay.header.run->result == file.result;
}

}  // namespace

void watchHighScoreWrites(KeptRunsOptions options) {
  kept = std::move(options);
  reported = false;
  setProfileWriteWatcher(onProfileWrite);
}

void watchHighScoreWritesOfPlayback() {
  KeptRunsOptions options;
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
  KeptFile kept;
  if (!readRunFileName(keep, &kept)) return;
  std::vector<KeptFile> files;
  for (const FolderFile& entry : filesIn(folder)) {
    KeptFile file;
    if (readRunFileName(entry.name, &file) && file.course == kept.course &&
        holdsTheRunItsNameGives(folder, file))
      files.push_back(file);
  }
  std::sort(files.begin(), files.end(), [](const KeptFile& a, const KeptFile& b) {
    return a.rank != b.rank ? a.rank < b.rank : a.date > b.date;
  });
  for (size_t i = kRunsKeptPerCourse; i < files.size(); ++i)
    if (files[i].name != keep) std::remove((folder + "/" + files[i].name).c_str());
}

std::string bestKeptRun(const std::string& folder, const std::string& course) {
  const std::string name = courseName(course);
  std::optional<KeptFile> best;
  for (const FolderFile& entry : filesIn(folder)) {
    KeptFile file;
    if (!readRunFileName(entry.name, &file) || file.course != name) continue;
    if (!best || file.rank < best->rank || (file.rank == best->rank && file.date > best->date))
      best = file;
  }
  return best ? best->name : std::string();
}
