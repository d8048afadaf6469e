#include "string_table.h"

#include <set>
#include <sstream>

#include "tool_error.h"

namespace snowtools {

std::vector<StringEntry> parseStringTable(const std::string& content, const std::string& name) {
  std::vector<StringEntry> entries;
  std::set<uint16_t> seen;
  std::istringstream in(content);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;

    size_t pos = first;
    unsigned long id = 0;
    size_t digits = 0;
    while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9' && digits < 6) {
      id = id * 10 + static_cast<unsigned long>(line[pos++] - '0');
      ++digits;
    }
    if (digits == 0 || id == 0 || id > 0xFFFF)
      throw errorAt(name, number, "expected an id 1..65535");
    if (!seen.insert(static_cast<uint16_t>(id)).second)
      throw errorAt(name, number, "id " + std::to_string(id) + " appears twice");
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos >= line.size() || line[pos] != '"')
      throw errorAt(name, number, "expected a quoted text");
    ++pos;

    std::string text;
    bool closed = false;
    while (pos < line.size()) {
      char c = line[pos++];
      if (c == '"') {
        closed = true;
        break;
      }
      if (c == '\\') {
        if (pos >= line.size() || (line[pos] != '"' && line[pos] != '\\'))
          throw errorAt(name, number, "only \\\" and \\\\ may follow a backslash");
        c = line[pos++];
      }
      if (c < 0x20 || c > 0x7E) throw errorAt(name, number, "text must be printable ASCII");
      text += c;
    }
    if (!closed) throw errorAt(name, number, "unterminated text");
    if (line.find_first_not_of(" \t", pos) != std::string::npos)
      throw errorAt(name, number, "unexpected text after the closing quote");
    entries.push_back({static_cast<uint16_t>(id), text});
  }
  return entries;
}

}  // namespace snowtools
