// Any bytes as a profile file: parsing never fails outright, and what it
// writes back reads back to the same document.
#include <cstdlib>
#include <string_view>

#include "platform/kernel/profile_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ProfileDocument document = parseProfile(bytes);
  const std::string written = serialiseProfile(document);
  if (serialiseProfile(parseProfile(written)) != written) std::abort();
  for (const std::string& section : profileSectionNames(document))
    for (const std::string& key : profileKeyNames(document, section))
      if (!findProfileValue(document, section, key)) std::abort();
  return 0;
}
