// The string table's source file: one entry a line, `<id> "<text>"`, with
// \" and \\ as the only escapes; '#' starts a comment line. Leading and
// trailing blanks inside the quotes belong to the text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace snowtools {

struct StringEntry {
  uint16_t id;
  std::string text;
};

// Throws ToolError "<name>:<line>: ..." on a malformed line, a duplicate id
// or a character outside printable ASCII.
std::vector<StringEntry> parseStringTable(const std::string& content, const std::string& name);

}  // namespace snowtools
