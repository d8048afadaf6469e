// A run sent to the board, read and checked before anything is re-skied:
// the JSON body, the player's name, and the run as a link or a run file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/replay/replay_format.h"

// A run file's text at most (a link unpacks to no more), and the body that
// carries one: JSON escapes the run's line ends and quotes.
inline constexpr size_t kMostBodyBytes = (3u << 20) / 2;

struct Submission {
  std::string name;
  std::optional<std::string> token;  // absent for a name not yet claimed
  std::string runText;               // the run file, a link unpacked
  std::string link;                  // "#run=...", to watch or race it
  RunResult run;                     // what the run's header claims
  int rules = 0;
  std::string runHash;  // hex SHA-256 of the run in its canonical form
};

// The board's name of a course from its high-score key ("SS": "slalom"),
// and back; empty for an unknown one.
std::string courseName(std::string_view key);
std::string courseKey(std::string_view name);

// Reads {"name", "token", "run"}: false with one line in error for a body
// that is not that, a name that is refused, a token that is not one of
// ours, or a run that cannot be read, is of newer rules or is no kept run.
bool readSubmission(std::string_view body, Submission* submission, std::string* error);

// The run as the board enters it once: header as the writer puts it, the
// stream with line ends and comments dropped, and the end state's digest,
// so a run file and its link give the same text.
std::string canonicalRun(const Replay& replay, std::string_view runText);
