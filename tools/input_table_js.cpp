// Writes the input table (platform/input/input_table.cpp) as JavaScript for
// the page, so the browser maps keys from the same rows as the desktop:
//   input_table_js OUT.js
#include <cstdio>
#include <string>

#include "platform/input/input_table.h"
#include "platform/internal/controller_input.h"

namespace {

std::string quoted(const char* text) {
  if (text == nullptr) return "null";
  std::string out = "'";
  for (const char* p = text; *p != 0; ++p) {
    if (*p == '\'' || *p == '\\') out += '\\';
    out += *p;
  }
  return out + "'";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: input_table_js OUT.js\n");
    return 2;
  }
  std::string js =
      "// Written by the build from platform/input/input_table.cpp; edit that.\n"
      "var SnowvelInput = {\n  // code: [place (USB usage), label]\n  keys: {\n";
  for (const PhysicalKey& key : physicalKeys())
    js += "    " + std::string(key.code) + ": [" + std::to_string(key.usage) + ", " +
          quoted(key.label) + "],\n";
  js += "  },\n  actions: [\n";
  for (const InputAction& action : inputActions())
    js += "    {name: " + quoted(action.name) + ", label: " + quoted(action.label) +
          ", message: " + std::to_string(action.message) + ", button: " + quoted(action.button) +
          "},\n";
  // The viewer's: what its touch buttons send is the message of the
  // action's first default key, which the viewer knows whatever the binding.
  js += "  ],\n  viewerActions: [\n";
  for (const InputAction& action : viewerActions()) {
    const std::string keys = action.keys;
    const PhysicalKey* first = physicalKeyByCode(keys.substr(0, keys.find(' ')));
    js += "    {name: " + quoted(action.name) + ", label: " + quoted(action.label) +
          ", message: " + std::to_string(first != nullptr ? first->message : 0) + "},\n";
  }
  js += "  ],\n  padInputs: [";
  for (int i = 0; i < kPadInputCount; ++i)
    js += std::string(i > 0 ? ", " : "") + quoted(kPadInputNames[i]);
  js += "],\n  // The stick steers once this far from the middle (of 32767).\n  stickDeadZone: " +
        std::to_string(kStickDeadZone) + ",\n};\n";
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr || std::fwrite(js.data(), 1, js.size(), out) != js.size() ||
      std::fclose(out) != 0) {
    std::fprintf(stderr, "input_table_js: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
