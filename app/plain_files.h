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

// At most the first most bytes of a regular file, read without following a
// symbolic link (a link reads as no file); false when there is no such file.
bool readFileHead(const std::string& path, std::string* text, size_t most);

// Creates path and writes bytes to it, never over anything already there (a
// symbolic link included, dangling or not): false with errno EEXIST then, and
// false with errno set for a failed write, whose part-file is removed.
bool writeNewFile(const std::string& path, const std::string& bytes);

struct FolderFile {
  std::string name;
  int64_t modifiedNs = 0;  // last write, nanoseconds since the epoch
};
// The regular files of a folder, in no order; none when it cannot be read.
std::vector<FolderFile> filesIn(const std::string& folder);
