// Every tool reports a bad input with one exception whose text names the
// file (and line where there is one), then exits non-zero.
#pragma once

#include <stdexcept>
#include <string>

namespace snowtools {

class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline ToolError errorAt(const std::string& file, int line, const std::string& what) {
  return ToolError(file + ":" + std::to_string(line) + ": " + what);
}

}  // namespace snowtools
