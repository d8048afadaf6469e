// Profile file paths, capped reading and atomic replacement (POSIX).
#include "platform/kernel/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/kernel/process_settings.h"

namespace {
std::string& directoryOverride() {
  static std::string directory;
  return directory;
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string directoryPart(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Makes the rename itself durable; a failure here loses nothing already
// written, so it is not reported.
void syncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The real file behind a symbolic link, so replacing it keeps the link.
std::string followLinks(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}
std::string& scratchFolder() {
  static std::string folder;
  return folder;
}

}  // namespace

void setScratchFolder(const std::string& folder) {
  scratchFolder() = folder;
}

void setProfileDirectory(const std::string& directory) {
  directoryOverride() = directory;
}

std::string profileDirectory() {
  if (!directoryOverride().empty()) return directoryOverride();
  if (const std::string dataDir = environment("SNOWVEL_DATA_DIR"); !dataDir.empty()) return dataDir;
  // The XDG rules ignore a relative XDG_DATA_HOME.
  if (const std::string xdg = environment("XDG_DATA_HOME"); !xdg.empty() && xdg.front() == '/')
    return xdg + "/snowvel";
  if (const std::string home = environment("HOME"); !home.empty())
    return home + "/.local/share/snowvel";
  return "";
}

std::string resolveProfilePath(const char* fileName) {
  std::string name = fileName;
  if (name.find_first_of("/\\") != std::string::npos) {
    for (char& c : name)
      if (c == '\\') c = '/';
    return name;
  }
  const std::string directory = profileDirectory();
  return directory.empty() || name.empty() ? "" : directory + "/" + name;
}

ProfileBytes readProfileBytes(const std::string& path) {
  ProfileBytes result;
  // Non-blocking so that a FIFO under the profile's name cannot hang us.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.status = errno == ENOENT ? ProfileReadStatus::Missing : ProfileReadStatus::Failed;
    result.error = errno;
    return result;
  }
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    result.status = ProfileReadStatus::Failed;
    return result;
  }
  // One byte past the limit tells whether there is more.
  result.bytes.resize(kProfileReadLimit + 1);
  size_t length = 0;
  while (length < result.bytes.size()) {
    const ssize_t got = ::read(fd, result.bytes.data() + length, result.bytes.size() - length);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      ::close(fd);
      return ProfileBytes{ProfileReadStatus::Failed, {}, error};
    }
    if (got == 0) break;
    length += static_cast<size_t>(got);
  }
  ::close(fd);
  result.bytes.resize(length);
  result.status = ProfileReadStatus::Read;
  if (length > kProfileReadLimit) {
    // Keep whole lines only: a line cut in half could read as another value.
    const size_t lastBreak = result.bytes.find_last_of("\r\n", kProfileReadLimit - 1);
    result.bytes.resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    result.status = ProfileReadStatus::TooLarge;
  }
  return result;
}

bool makeDirectories(const std::string& directory) {
  struct stat info;
  if (directory.empty()) return false;
  if (::stat(directory.c_str(), &info) == 0) {
    if (!S_ISDIR(info.st_mode)) errno = ENOTDIR;
    return S_ISDIR(info.st_mode);
  }
  const std::string parent = directoryPart(directory);
  if (parent != directory && !makeDirectories(parent)) return false;
  return ::mkdir(directory.c_str(), 0700) == 0 || errno == EEXIST;
}

bool replaceFileAtomically(const std::string& requestedPath, std::string_view bytes) {
  return replaceFileItself(followLinks(requestedPath), bytes);
}

bool replaceFileItself(const std::string& path, std::string_view bytes) {
  mode_t mode = 0644;
  struct stat info;
  // A link (one left dangling, or one put there since) is replaced itself.
  if (::lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
    if (!S_ISREG(info.st_mode)) {
      errno = EINVAL;
      return false;
    }
    // Renaming over a file needs no write permission on it; keep the
    // read-only file read-only, as Windows would.
    if (::access(path.c_str(), W_OK) != 0) return false;
    mode = info.st_mode & 07777;
  }

  const std::string directory = directoryPart(path);
  const size_t slash = path.rfind('/');
  const std::string baseName = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temporary = directory + "/." + baseName + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;

  const bool durable = directory != scratchFolder();
  bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && (!durable || ::fsync(fd) == 0);
  const int savedErrno = errno;
  ok = (::close(fd) == 0) && ok;
  if (ok && ::rename(temporary.c_str(), path.c_str()) == 0) {
    if (durable) syncDirectory(directory);
    return true;
  }
  const int failure = ok ? errno : savedErrno;
  ::unlink(temporary.c_str());
  errno = failure;
  return false;
}

std::string profileDirectoryProblem(const std::string& directory) {
  if (directory.empty()) return "there is no home directory (set HOME or --data-dir)";
  std::string nearest = directory;
  struct stat info;
  while (::stat(nearest.c_str(), &info) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) return std::strerror(errno);
    const std::string parent = directoryPart(nearest);
    if (parent == nearest) return std::strerror(ENOENT);
    nearest = parent;
  }
  if (!S_ISDIR(info.st_mode)) return nearest + " is not a directory";
  if (::access(nearest.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
  return "";
}

void reportProfileWriteFailure(const std::string& path, const char* reason) {
  static std::mutex guard;
  static std::set<std::string> told;
  std::lock_guard<std::mutex> lock(guard);
  if (!told.insert(path).second) return;
  std::fprintf(stderr, "snowvel: cannot save %s: %s\n", path.empty() ? "(no place)" : path.c_str(),
               reason);
}
