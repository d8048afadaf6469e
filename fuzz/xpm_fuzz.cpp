// Any text as a sprite file: read, or refused with a ToolError; nothing else.
#include <cstdlib>
#include <string>

#include "lib/tool_error.h"
#include "lib/xpm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (bool icon : {false, true}) {
    try {
      const snowtools::IndexedImage image = snowtools::parseXpm(text, "fuzz.xpm", {icon});
      if (image.pixels.size() != size_t(image.width) * size_t(image.height)) std::abort();
    } catch (const snowtools::ToolError&) {
    }
  }
  return 0;
}
