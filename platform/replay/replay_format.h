// A recorded run as text: the settings that shape the simulation, then the
// stream of everything the program took from its desktop (clock readings,
// waits, input events, message-box ids) and what it showed and played, then
// the game state at the end. The layout is told in docs/replay-format.md.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.h"

// The layout of the file; a reader plays every version up to its own.
inline constexpr int kReplayVersion = 2;
// The game's rules: raised only by a change that alters how the game plays
// (the golden runs then have to be re-recorded), so a run from a newer game
// is refused rather than played wrong. Version 1 files are of rules 1.
inline constexpr int kRulesVersion = 1;

// The largest screen a run may ask for, and the largest size a resize or
// fill-screen event may carry: an 8K display. A run asking for more is
// refused by the reader, before anything is allocated for it.
inline constexpr int kMostScreenWidth = 7680;
inline constexpr int kMostScreenHeight = 4320;

// A kept run: the course whose result entered the high-score list, and the
// result as the game counts it (milliseconds, or points for freestyle).
struct RunResult {
  std::string course;  // the high-score key: a word of capitals
  int32_t result = 0;
  bool operator==(const RunResult&) const = default;
};

struct ReplayHeader {
  uint32_t seed = 0;  // the clock when recording began
  int screenWidth = 0;
  int screenHeight = 0;
  int scale = 0;     // the window's pixel scale asked for (0: automatic)
  std::string tail;  // the command-line tail the game saw
  int version = kReplayVersion;
  int rules = kRulesVersion;
  // The high-score file as the session found it, so that a playback shows
  // the same lists in its boxes; absent when there was none.
  std::optional<std::string> profile;
  // A kept run ends where the result is written to the high-score list.
  std::optional<RunResult> run;
};

enum class ReplayItemType {
  Clock,  // tickCount returned clock, count times in a row
  Wait,   // waitEvent returned with nothing
  Event,  // waitEvent returned event (window: creation index, 0 for none)
  Box,    // beginMessageBox(text, caption, type) returned box
  Sound,  // playPcm of format and bytes
  Stop,   // stopSound
};

struct ReplayItem {
  ReplayItemType type = ReplayItemType::Wait;
  int line = 0;  // where it stands in the file, for messages
  uint32_t clock = 0;
  uint32_t count = 0;
  BackendEvent event{};
  int windowIndex = 0;
  int box = 0;
  UINT boxType = 0;
  std::string caption;
  std::string text;
  WaveFormat format;
  size_t bytes = 0;
};

struct Replay {
  ReplayHeader header;
  std::vector<ReplayItem> items;
  std::string finalState;  // the game state at the end, one line of JSON
};

// False with "line N: what is wrong" in error for the first fault; never
// trusts a count, size or index it reads.
bool parseReplay(std::string_view text, Replay* replay, std::string* error);

// What an item says, for messages ("the clock 20280", "a key press").
std::string describeReplayItem(const ReplayItem& item);

// The header lines as the writer puts them down.
std::string replayHeaderText(const ReplayHeader& header);

// Keeps the stream in memory as the run goes and, given a path, writes it
// there too, so that a run that dies early still leaves what it did (a file
// without its end line reads as truncated).
class ReplayWriter {
 public:
  ~ReplayWriter();
  // An empty path keeps the recording in memory only.
  bool open(const std::string& path, const ReplayHeader& header, std::string* error);
  const ReplayHeader& header() const { return header_; }
  // The stream so far, a clock reading still being counted included.
  std::string streamSoFar() const;
  void clock(uint32_t value);
  void wait();
  void event(const BackendEvent& event, int windowIndex);
  void box(int id, UINT type, const char* caption, const char* text);
  void sound(const WaveFormat& format, size_t bytes);
  void stop();
  // Writes the end line and the final state and closes the file.
  bool finish(const std::string& finalState, std::string* error);

 private:
  void flushClock();
  void put(const std::string& line);
  ReplayHeader header_;
  std::string stream_;
  std::FILE* file_ = nullptr;
  uint32_t pendingClock_ = 0;
  uint32_t pendingCount_ = 0;
};

// A state line's text may be its digest instead ("#" and 16 hex digits of
// FNV-1a 64), as links carry it: a playback compares digests then.
std::string stateDigest(std::string_view state);
bool isStateDigest(std::string_view state);

// A whole run file: header (with run), the stream, its end and the state.
std::string composeRunText(ReplayHeader header, const RunResult& run, const std::string& stream,
                           const std::string& finalState);

// Event names as the file spells them, shared with the reader.
const char* replayEventName(BackendEventType type);
