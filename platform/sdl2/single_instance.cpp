#include "platform/sdl2/single_instance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <thread>

#include "platform/sdl2/instance_channel.h"
#include "platform/sdl2/sdl_state.h"
#include "platform/win32.h"

namespace {

// How long a request waits for the other program's answer; it answers from
// its window thread, which never blocks for long.
constexpr int kAnswerTimeoutMs = 3000;
constexpr size_t kMaxRequestBytes = 128;

int listenFd = -1;
std::string listenPath;
// Never destroyed: a program that ends through exit() must not trip over a
// thread still listening.
std::thread* listener = nullptr;
std::atomic<bool> stopping{false};

void serveConnections(int fd) {
  for (;;) {
    int connection = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
      if (stopping.load()) return;
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;
    }
    std::optional<std::string> line = readRequestLine(connection, 1000, kMaxRequestBytes);
    size_t space = line ? line->find(' ') : std::string::npos;
    if (space == std::string::npos) {
      close(connection);
      continue;
    }
    auto* request =
        new InstanceRequest{connection, line->substr(0, space), line->substr(space + 1)};
    // The window thread does the work: the windows are its alone.
    SDL_Event event{};
    event.type = sdlState().firstEventType + kInstanceRequest;
    event.user.data1 = request;
    if (SDL_PushEvent(&event) != 1) {
      close(connection);
      delete request;
    }
  }
}

std::optional<std::string> ask(const std::string& verb, const char* className, bool* reached) {
  *reached = false;
  if (listenFd >= 0 || className == nullptr) return std::nullopt;  // we are the first copy
  std::optional<std::string> path = instanceSocketPath();
  if (!path) return std::nullopt;
  return askInstance(*path, verb + " " + className, kAnswerTimeoutMs, reached);
}

}  // namespace

void startInstanceServer() {
  if (listenFd >= 0) return;
  std::optional<std::string> path = instanceSocketPath();
  if (!path) return;
  int fd = listenForInstances(*path);
  if (fd < 0) return;
  listenFd = fd;
  listenPath = *path;
  stopping = false;
  listener = new std::thread(serveConnections, fd);
}

void stopInstanceServer() {
  if (listenFd < 0) return;
  stopping = true;
  shutdown(listenFd, SHUT_RDWR);
  if (listener != nullptr && listener->joinable()) listener->join();
  delete listener;
  listener = nullptr;
  close(listenFd);
  unlink(listenPath.c_str());
  listenFd = -1;
}

void handleInstanceRequest(InstanceRequest* request) {
  HWND window = FindWindowA(request->className.c_str(), nullptr);
  std::string answer = "no";
  if (window != nullptr) {
    if (request->verb == "find") {
      answer = "yes";
    } else if (request->verb == "raise") {
      SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      answer = "ok";
    } else if (request->verb == "iconic") {
      answer = IsIconic(window) ? "yes" : "no";
    } else if (request->verb == "restore") {
      OpenIcon(window);
      answer = "ok";
    }
  }
  writeAnswerLine(request->fd, answer);
  close(request->fd);
  delete request;
}

bool sdlFindForeignWindow(const char* className) {
  bool reached = false;
  std::optional<std::string> answer = ask("find", className, &reached);
  // A program that listens but does not answer in time is alive and busy:
  // it is still the one to hand over to.
  return reached && (!answer || *answer == "yes");
}

void sdlRaiseForeignWindow(const char* className) {
  bool reached = false;
  ask("raise", className, &reached);
}

bool sdlIsForeignWindowMinimised(const char* className) {
  bool reached = false;
  std::optional<std::string> answer = ask("iconic", className, &reached);
  return answer && *answer == "yes";
}

void sdlRestoreForeignWindow(const char* className) {
  bool reached = false;
  ask("restore", className, &reached);
}
