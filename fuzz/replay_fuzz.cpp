// Any bytes as a replay: read within the memory the reader states, with every
// size a playback allocates by within the largest screen, or refused with
// the line at fault.
#include <cstdlib>
#include <string_view>

#include "platform/replay/replay_format.h"
#include "tests/support/peak_allocation.h"

namespace {

bool withinTheScreen(int width, int height) {
  return width >= 0 && height >= 0 && width <= kMostScreenWidth && height <= kMostScreenHeight;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Replay replay;
  std::string error;
  bool read = false;
  {
    PeakAllocation peak;
    read =
        parseReplay(std::string_view(reinterpret_cast<const char*>(data), size), &replay, &error);
    if (peak.bytes() > mostReplayMemory(size)) std::abort();
  }
  if (!read) {
    if (error.rfind("line ", 0) != 0) std::abort();
    return 0;
  }
  if (!withinTheScreen(replay.header.screenWidth, replay.header.screenHeight)) std::abort();
  for (const ReplayItem& item : replay.items) {
    describeReplayItem(replay, item);
    const BackendEvent event = item.event();
    if (item.type == ReplayItemType::Event && !withinTheScreen(event.width, event.height))
      std::abort();
  }
  return 0;
}
