// Whole-file reads and writes for the host tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace snowtools {

std::vector<uint8_t> readBinaryFile(const std::string& path);
std::string readTextFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
void writeFile(const std::string& path, const std::vector<uint8_t>& content);

}  // namespace snowtools
