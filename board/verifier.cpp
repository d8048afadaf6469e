#include "board/verifier.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <sstream>

namespace {

// AddressSanitizer reserves terabytes of address space for its shadow memory,
// so a build under it cannot start a child with an address-space limit; its
// children are bounded by CPU time and ticks alone.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceLimited = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSpaceLimited = false;
#else
constexpr bool kAddressSpaceLimited = true;
#endif
#else
constexpr bool kAddressSpaceLimited = true;
#endif

// What a child says, fit for a log line and an answer: printable ASCII, cut.
std::string oneLine(std::string_view text) {
  std::string line;
  for (char c : text.substr(0, 200)) line += (c >= 0x20 && c < 0x7F) ? c : '?';
  return line;
}

void closeFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// In the child between fork and exec only async-signal-safe calls.
[[noreturn]] void becomeVerifier(const char* program, int in, int out,
                                 const VerifierLimits& limits) {
  const rlimit cpu{rlim_t(limits.cpuSeconds), rlim_t(limits.cpuSeconds + 1)};
  const rlimit memory{limits.memoryBytes, limits.memoryBytes};
  const rlimit none{0, 0};
  const rlimit files{8u << 20, 8u << 20};  // a re-ski keeps its high scores in a folder
  setrlimit(RLIMIT_CPU, &cpu);
  if (kAddressSpaceLimited) setrlimit(RLIMIT_AS, &memory);
  setrlimit(RLIMIT_CORE, &none);
  setrlimit(RLIMIT_FSIZE, &files);
  dup2(in, 0);
  dup2(out, 1);
  const int devNull = open("/dev/null", O_WRONLY);
  if (devNull >= 0) dup2(devNull, 2);
  syscall(SYS_close_range, 3u, ~0u, 0u);  // no socket of the board's goes along
  char* const argv[] = {const_cast<char*>(program), const_cast<char*>("--verify"), nullptr};
  execv(program, argv);
  _exit(127);
}

}  // namespace

VerifierPool::VerifierPool(std::string program, int slots, int queue, VerifierLimits limits)
    : program_(std::move(program)), slots_(slots), queue_(queue), limits_(limits) {}

Verdict VerifierPool::verify(const std::string& runText) {
  {
    std::unique_lock lock(mutex_);
    if (running_ >= slots_) {
      if (waiting_ >= queue_) return {Verdict::Busy, "", 0, "busy, try again"};
      ++waiting_;
      freed_.wait(lock, [&] { return running_ < slots_; });
      --waiting_;
    }
    ++running_;
  }
  Verdict verdict = runChild(runText);
  {
    std::lock_guard lock(mutex_);
    --running_;
  }
  freed_.notify_one();
  return verdict;
}

Verdict VerifierPool::runChild(const std::string& runText) {
  int toChild[2], fromChild[2];
  if (pipe2(toChild, O_CLOEXEC) != 0) return {Verdict::Failed, "", 0, "no pipe for the verifier"};
  if (pipe2(fromChild, O_CLOEXEC) != 0) {
    close(toChild[0]), close(toChild[1]);
    return {Verdict::Failed, "", 0, "no pipe for the verifier"};
  }
  const pid_t child = fork();
  if (child == 0) becomeVerifier(program_.c_str(), toChild[0], fromChild[1], limits_);
  close(toChild[0]);
  close(fromChild[1]);
  int in = toChild[1], out = fromChild[0];
  if (child < 0) {
    closeFd(in), closeFd(out);
    return {Verdict::Failed, "", 0, "the verifier cannot be started"};
  }
  fcntl(in, F_SETFL, O_NONBLOCK);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(limits_.wallMilliseconds);
  size_t written = 0;
  std::string output;
  bool timedOut = false, tooLong = false;
  if (runText.empty()) closeFd(in);
  while (out >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) {
      timedOut = true;
      break;
    }
    pollfd fds[2] = {{out, POLLIN, 0}, {in, POLLOUT, 0}};
    if (poll(fds, in >= 0 ? 2 : 1, static_cast<int>(left)) < 0 && errno != EINTR) break;
    if (in >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = write(in, runText.data() + written, runText.size() - written);
      if (n > 0) written += n;
      if (n < 0 && errno != EAGAIN) closeFd(in);  // the child stopped reading
      if (written == runText.size()) closeFd(in);
    }
    if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
      char buffer[1024];
      const ssize_t n = read(out, buffer, sizeof buffer);
      if (n <= 0) {
        closeFd(out);
      } else if (output.size() + n > limits_.outputBytes) {
        tooLong = true;
        break;
      } else {
        output.append(buffer, n);
      }
    }
  }
  closeFd(in), closeFd(out);
  if (timedOut || tooLong) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (timedOut) return {Verdict::NotReached, "", 0, "the re-ski took too long"};
  if (tooLong) return {Verdict::Failed, "", 0, "the verifier said too much"};
  if (WIFSIGNALED(status)) {
    if (WTERMSIG(status) == SIGXCPU || WTERMSIG(status) == SIGKILL) {
      return {Verdict::NotReached, "", 0, "the re-ski went past its CPU time"};
    }
    return {Verdict::Failed, "", 0,
            "the verifier ended by signal " + std::to_string(WTERMSIG(status))};
  }
  return readVerdict(output, WEXITSTATUS(status));
}

Verdict readVerdict(const std::string& output, int exitStatus) {
  const std::string line = output.substr(0, output.find('\n'));
  if (exitStatus == 0 && line.starts_with("ok ")) {
    std::istringstream words(line.substr(3));
    Verdict verdict{Verdict::Reached, "", 0, ""};
    std::string rest;
    if (words >> verdict.course >> verdict.result && !(words >> rest)) return verdict;
  }
  if ((exitStatus == 2 || exitStatus == 3) && line.starts_with("refused ")) {
    return {exitStatus == 2 ? Verdict::Unreadable : Verdict::NotReached, "", 0,
            oneLine(line.substr(8))};
  }
  return {
      Verdict::Failed, "", 0,
      "the verifier answered \"" + oneLine(line) + "\" with status " + std::to_string(exitStatus)};
}
