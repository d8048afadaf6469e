// Any bytes as a link: refused in one line, or unpacked within the limit to
// a text that packs and unpacks to itself.
#include <cstdlib>
#include <string_view>

#include "platform/replay/run_link.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string text, again, error;
  if (readRunLink(bytes, &text, &error)) {
    if (text.size() > kMostRunBytes) std::abort();
  } else if (error.empty() || error.find('\n') != std::string::npos) {
    std::abort();
  }
  // The packed form straight, without the base64url around it.
  if (unpackRun(bytes, &text, &error)) {
    if (text.size() > kMostRunBytes) std::abort();
    if (!unpackRun(packRun(text), &again, &error) || again != text) std::abort();
  }
  return 0;
}
