// A recorded run as text: the settings that shape the simulation, then the
// stream of everything the program took from its desktop (clock readings,
// waits, input events, message-box ids) and what it showed and played, then
// the game state at the end. The layout is told in docs/replay-format.md.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
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

enum class ReplayItemType : uint8_t {
  Clock,  // tickCount returned clock, count times in a row
  Wait,   // waitEvent returned with nothing, count times in a row
  Event,  // waitEvent returned event (window: creation index, 0 for none)
  Box,    // beginMessageBox(text, caption, type) returned box
  Sound,  // playPcm of format and bytes
  Stop,   // stopSound, count times in a row
};

// One item of the stream in 20 bytes, whatever its kind, and equal lines in
// a row (waits, stops) as one item with a count: so reading a run costs a
// few times its text at most (see mostReplayMemory). A box's texts live in
// the replay beside the items.
struct ReplayItem {
  ReplayItemType type = ReplayItemType::Wait;
  uint8_t eventType = 0;  // Event: a BackendEventType
  uint8_t small = 0;      // Event: key, character, button or answer; Sound: channels
  uint8_t flag = 0;       // Event: the key repeats; Sound: bits per sample;
                          // Wait, Stop: 1 when its lines are not one after another
  int32_t line = 0;       // where it stands in the file (its first line), for messages
  uint32_t a = 0;         // Clock: the reading; Event: x, width or box; Sound: the rate;
                          // Box: its id
  uint32_t b = 0;         // Clock, Wait, Stop: the count; Event: y or height;
                          // Sound: bytes; Box: its type
  int32_t c = 0;          // Event: the window; Box: where its texts are kept

  uint32_t clock() const { return a; }
  // How many calls the item answers: more than one only for Clock, Wait and Stop.
  uint32_t count() const;
  // The line of the use-th call it answers (from 0).
  int lineOf(uint32_t use) const;
  BackendEvent event() const;  // its window left null
  int windowIndex() const { return c; }
  int box() const { return static_cast<int>(a); }
  UINT boxType() const { return b; }
  WaveFormat format() const;
  size_t bytes() const { return b; }
};
static_assert(sizeof(ReplayItem) == 20, "an item stays small: a run is read into memory whole");

// A box's caption and text, kept in one store.
struct ReplayBoxText {
  uint32_t at = 0;
  uint32_t captionSize = 0;
  uint32_t textSize = 0;
};

struct Replay {
  ReplayHeader header;
  // A deque grows without copying what it holds, so the peak is the size.
  std::deque<ReplayItem> items;
  std::deque<ReplayBoxText> boxTexts;
  std::string boxTextStore;
  std::string finalState;  // the game state at the end, one line of JSON

  std::string_view caption(const ReplayItem& box) const;
  std::string_view text(const ReplayItem& box) const;
};

// The largest run text a reader takes: 64 MB, hours of play. Anything
// larger is refused before its first line is read.
inline constexpr size_t kMostReplayBytes = size_t{64} << 20;

// The most memory reading text of this many bytes takes, the replay it
// makes included: the costliest lines (a wait and a stop in turn, 7 bytes
// for two items) take under six times their size.
inline constexpr size_t mostReplayMemory(size_t textBytes) {
  return 6 * textBytes + 16 * 1024;
}

// False with "line N: what is wrong" in error for the first fault; never
// trusts a count, size or index it reads.
bool parseReplay(std::string_view text, Replay* replay, std::string* error);

// What an item says, for messages ("the clock 20280", "a key press").
std::string describeReplayItem(const Replay& replay, const ReplayItem& item);

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
