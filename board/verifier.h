// Re-skis a run in a child process that cannot hurt the board: the program
// (`snowvel-verify --verify`) reads the run on stdin and answers one line, under
// limits on CPU time, memory, wall-clock time and output. As many children
// run at once as there are slots; a bounded number of requests wait for one,
// and the rest are told the board is busy.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

struct VerifierLimits {
  int cpuSeconds = 10;
  uint64_t memoryBytes = uint64_t{1} << 30;
  int wallMilliseconds = 20000;
  size_t outputBytes = 4096;
};

struct Verdict {
  enum Kind { Reached, Unreadable, NotReached, Busy, Failed } kind = Failed;
  std::string course;  // the high-score key, when Reached
  int64_t result = 0;
  std::string reason;  // one line, when refused or failed
};

class VerifierPool {
 public:
  VerifierPool(std::string program, int slots, int queue, VerifierLimits limits = {});
  Verdict verify(const std::string& runText);

 private:
  Verdict runChild(const std::string& runText);

  std::string program_;
  int slots_, queue_;
  VerifierLimits limits_;
  std::mutex mutex_;
  std::condition_variable freed_;
  int running_ = 0, waiting_ = 0;
};

// Reads the child's one line: "ok COURSE RESULT" or "refused REASON".
Verdict readVerdict(const std::string& output, int exitStatus);
