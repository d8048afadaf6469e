#include "plain_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

// Fills *text from fd, short only where the file ends; the bytes read.
size_t readInto(int fd, std::string* text) {
  size_t length = 0;
  while (length < text->size()) {
    const ssize_t got = ::read(fd, text->data() + length, text->size() - length);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    length += static_cast<size_t>(got);
  }
  return length;
}

}  // namespace

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
  const size_t length = readInto(fd, text);
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

bool readFileHead(const std::string& path, std::string* text, size_t most) {
  text->clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status;
  const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  if (regular) {
    text->resize(std::min(most, static_cast<size_t>(status.st_size)));
    text->resize(readInto(fd, text));
  }
  ::close(fd);
  return regular;
}

bool writeNewFile(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    written += static_cast<size_t>(put);
  }
  const bool ok = written == bytes.size() && ::fsync(fd) == 0;
  const int failure = errno;
  if (::close(fd) == 0 && ok) return true;
  ::unlink(path.c_str());
  errno = ok ? EIO : (failure != 0 ? failure : ENOSPC);
  return false;
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
