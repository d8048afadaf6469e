// Any bytes as a replay: read, or refused with the line at fault.
#include <cstdlib>
#include <string_view>

#include "platform/replay/replay_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Replay replay;
  std::string error;
  if (parseReplay(std::string_view(reinterpret_cast<const char*>(data), size), &replay, &error)) {
    for (const ReplayItem& item : replay.items) describeReplayItem(item);
  } else if (error.rfind("line ", 0) != 0) {
    std::abort();
  }
  return 0;
}
