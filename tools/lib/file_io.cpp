#include "file_io.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "tool_error.h"

namespace snowtools {

std::vector<uint8_t> readBinaryFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ToolError(path + ": cannot open");
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string readTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ToolError(path + ": cannot open");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw ToolError(path + ": cannot write");
}

void writeFile(const std::string& path, const std::vector<uint8_t>& content) {
  writeFile(path, std::string(content.begin(), content.end()));
}

}  // namespace snowtools
