// Submissions per address: a bucket of `perMinute` that refills evenly, so
// a burst of that many passes and a steady stream beyond it is refused.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

class RateLimiter {
 public:
  explicit RateLimiter(int perMinute) : perMinute_(perMinute) {}
  // False when the address has used up its share; 0 per minute lets all pass.
  bool allow(const std::string& address);

 private:
  struct Bucket {
    double tokens;
    std::chrono::steady_clock::time_point filled;
  };
  int perMinute_;
  std::mutex mutex_;
  std::unordered_map<std::string, Bucket> buckets_;
};
