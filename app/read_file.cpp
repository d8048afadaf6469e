#include "read_file.h"

#include <cstdio>

bool readWholeFile(const std::string& path, std::string* text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  text->clear();
  char buffer[16384];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, got);
  const bool read = std::ferror(file) == 0;
  std::fclose(file);
  return read;
}
