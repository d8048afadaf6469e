// A recorded run as text: the settings that shape the simulation, then the
// stream of everything the program took from its desktop (clock readings,
// waits, input events, message-box ids) and what it showed and played, then
// the game state at the end. The layout is told in docs/replay-format.md.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.h"

inline constexpr int kReplayVersion = 1;

struct ReplayHeader {
  uint32_t seed = 0;  // the clock when recording began
  int screenWidth = 0;
  int screenHeight = 0;
  int scale = 0;     // the window's pixel scale asked for (0: automatic)
  std::string tail;  // the command-line tail the game saw
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

// Writes a replay as the run goes, so that a run that dies early still
// leaves what it did (a file without its end line reads as truncated).
class ReplayWriter {
 public:
  ~ReplayWriter();
  bool open(const std::string& path, const ReplayHeader& header, std::string* error);
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
  std::FILE* file_ = nullptr;
  uint32_t pendingClock_ = 0;
  uint32_t pendingCount_ = 0;
};

// Event names as the file spells them, shared with the reader.
const char* replayEventName(BackendEventType type);
