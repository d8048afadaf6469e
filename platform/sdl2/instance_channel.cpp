#include "platform/sdl2/instance_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kSocketName = "snowvel.sock";

// A directory that is ours alone: owned by us, no symlink, nobody else may
// enter or write it.
bool isPrivateDirectory(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

std::optional<std::string> privateDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') {
    struct stat info {};
    if (stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) return std::string(runtime);
  }
  std::string fallback = "/tmp/snowvel-" + std::to_string(getuid());
  if (mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  if (!isPrivateDirectory(fallback)) return std::nullopt;
  return fallback;
}

bool fillAddress(const std::string& path, sockaddr_un* address) {
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  if (path.size() >= sizeof address->sun_path) return false;
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

int connectTo(const std::string& path) {
  sockaddr_un address;
  if (!fillAddress(path, &address)) return -1;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool sendAll(int fd, const std::string& text) {
  size_t sent = 0;
  while (sent < text.size()) {
    ssize_t n = send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::string> instanceSocketPath() {
  std::optional<std::string> directory = privateDirectory();
  if (!directory) return std::nullopt;
  return *directory + "/" + kSocketName;
}

int listenForInstances(const std::string& path) {
  sockaddr_un address;
  if (!fillAddress(path, &address)) return -1;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    if (errno != EADDRINUSE) {
      close(fd);
      return -1;
    }
    // Someone's socket is there: a live program keeps it, a dead one left it.
    int probe = connectTo(path);
    if (probe >= 0) {
      close(probe);
      close(fd);
      return -1;
    }
    unlink(path.c_str());
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      close(fd);
      return -1;
    }
  }
  if (listen(fd, 4) != 0) {
    close(fd);
    unlink(path.c_str());
    return -1;
  }
  return fd;
}

std::optional<std::string> readRequestLine(int fd, int timeoutMs, size_t maxBytes) {
  std::string line;
  for (;;) {
    pollfd waitFor{fd, POLLIN, 0};
    int ready = poll(&waitFor, 1, timeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    char buffer[128];
    ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    for (ssize_t i = 0; i < n; ++i) {
      if (buffer[i] == '\n') return line;
      line.push_back(buffer[i]);
      if (line.size() > maxBytes) return std::nullopt;
    }
  }
}

void writeAnswerLine(int fd, const std::string& answer) {
  sendAll(fd, answer + "\n");
}

std::optional<std::string> askInstance(const std::string& path, const std::string& request,
                                       int timeoutMs, bool* reached) {
  *reached = false;
  int fd = connectTo(path);
  if (fd < 0) return std::nullopt;
  *reached = true;
  std::optional<std::string> answer;
  if (sendAll(fd, request + "\n")) answer = readRequestLine(fd, timeoutMs, 64);
  close(fd);
  return answer;
}
