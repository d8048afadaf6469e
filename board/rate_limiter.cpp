#include "board/rate_limiter.h"

#include <algorithm>

bool RateLimiter::allow(const std::string& address) {
  if (perMinute_ <= 0) return true;
  const auto now = std::chrono::steady_clock::now();
  std::lock_guard lock(mutex_);
  // Forget the addresses whose buckets filled up again, so that many
  // addresses cannot grow the table without end.
  if (buckets_.size() > 100000) {
    std::erase_if(buckets_, [&](const auto& item) {
      return now - item.second.filled > std::chrono::minutes(1);
    });
  }
  auto [at, fresh] = buckets_.try_emplace(address, Bucket{double(perMinute_), now});
  Bucket& bucket = at->second;
  const double minutes = std::chrono::duration<double, std::ratio<60>>(now - bucket.filled).count();
  bucket.tokens = std::min<double>(perMinute_, bucket.tokens + minutes * perMinute_);
  bucket.filled = now;
  if (bucket.tokens < 1) return false;
  bucket.tokens -= 1;
  return true;
}
