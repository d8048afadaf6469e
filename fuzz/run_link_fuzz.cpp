// Any bytes as a link: refused in one line, or unpacked within the limit to
// a text that packs and unpacks to itself and reads within the memory the
// replay reader states.
#include <cstdlib>
#include <string_view>

#include "platform/replay/replay_format.h"
#include "platform/replay/run_link.h"
#include "tests/support/peak_allocation.h"

namespace {

void readWithinTheBound(const std::string& text) {
  Replay replay;
  std::string error;
  PeakAllocation peak;
  parseReplay(text, &replay, &error);
  if (peak.bytes() > mostReplayMemory(text.size())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string text, again, error;
  if (readRunLink(bytes, &text, &error)) {
    if (text.size() > kMostRunBytes) std::abort();
    readWithinTheBound(text);
  } else if (error.empty() || error.find('\n') != std::string::npos) {
    std::abort();
  }
  // The packed form straight, without the base64url around it.
  if (unpackRun(bytes, &text, &error)) {
    if (text.size() > kMostRunBytes) std::abort();
    if (!unpackRun(packRun(text), &again, &error) || again != text) std::abort();
    readWithinTheBound(text);
  }
  return 0;
}
