// Any bytes as a settings file (as much as the loader reads): each warning
// is one line with no control bytes, the settings read write back to
// themselves, and an update of the text keeps what it read.
#include <cstdlib>
#include <string_view>

#include "platform/settings/player_settings.h"

namespace {

bool isOneQuotedLine(const std::string& warning) {
  for (char c : warning)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return !warning.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kSettingsReadLimit) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> warnings;
  const PlayerSettings settings = parseSettings(text, &warnings);
  for (const std::string& warning : warnings)
    if (!isOneQuotedLine(warning)) std::abort();
  std::vector<std::string> none;
  if (parseSettings(formatSettings(settings), &none) != settings || !none.empty()) std::abort();
  if (parseSettings(updatedSettingsText(text, settings), &warnings) != settings) std::abort();
  return 0;
}
