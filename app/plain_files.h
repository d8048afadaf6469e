// Files and folders through stdio and POSIX: the page's program carries
// neither iostreams nor std::filesystem, whose code weighs on its download.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be opened or read (a folder, say).
bool readWholeFile(const std::string& path, std::string* text);

bool fileExists(const std::string& path);

struct FolderFile {
  std::string name;
  int64_t modifiedNs = 0;  // last write, nanoseconds since the epoch
};
// The regular files of a folder, in no order; none when it cannot be read.
std::vector<FolderFile> filesIn(const std::string& folder);
