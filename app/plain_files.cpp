#include "plain_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

bool readWholeFile(const std::string& path, std::string* text, size_t most) {
  text->clear();
  // Non-blocking, so that a FIFO cannot hang us; only a regular file is
  // read, and no more of it than the limit (a device never ends).
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status;
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<uint64_t>(status.st_size) > most) {
    ::close(fd);
    return false;
  }
  text->resize(static_cast<size_t>(status.st_size) + 1);
  size_t length = 0;
  while (length < text->size()) {
    const ssize_t got = ::read(fd, text->data() + length, text->size() - length);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    length += static_cast<size_t>(got);
  }
  ::close(fd);
  // A file that grew while it was read is refused as well.
  const bool read = length <= static_cast<size_t>(status.st_size);
  text->resize(read ? length : 0);
  return read;
}

bool fileExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

std::vector<FolderFile> filesIn(const std::string& folder) {
  std::vector<FolderFile> files;
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) return files;
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    struct stat status;
    if (stat((folder + "/" + name).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
    files.push_back({name, int64_t{status.st_mtim.tv_sec} * 1000000000 + status.st_mtim.tv_nsec});
  }
  closedir(listing);
  return files;
}
