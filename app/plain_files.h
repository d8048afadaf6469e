// Files and folders through stdio and POSIX: the page's program carries
// neither iostreams nor std::filesystem, whose code weighs on its download.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The most a file of ours may hold: runs of hours of play.
inline constexpr size_t kMostReadBytes = size_t{64} << 20;

// False when the file cannot be opened or read, is no regular file (a
// folder, a FIFO, a device) or holds more than most bytes; nothing past the
// limit is read.
bool readWholeFile(const std::string& path, std::string* text, size_t most = kMostReadBytes);

bool fileExists(const std::string& path);

struct FolderFile {
  std::string name;
  int64_t modifiedNs = 0;  // last write, nanoseconds since the epoch
};
// The regular files of a folder, in no order; none when it cannot be read.
std::vector<FolderFile> filesIn(const std::string& folder);
