#include "platform/sdl2/startup_trace.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Step {
  std::string name;
  timespec boot{};  // CLOCK_BOOTTIME, the clock the kernel dates processes by
  timespec wall{};
};

struct Trace {
  bool wanted = false;
  std::string file;
  std::vector<Step> steps;
};

Trace& trace() {
  static Trace t = [] {
    Trace made;
    const char* file = std::getenv("SNOWVEL_TRACE_STARTUP");
    made.wanted = file != nullptr && *file != '\0';
    if (made.wanted) made.file = file;
    return made;
  }();
  return t;
}

double seconds(const timespec& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// When this process started, in CLOCK_BOOTTIME seconds: field 22 of
// /proc/self/stat, in clock ticks (so to 10 ms at the usual 100 a second).
// Negative when it cannot be read.
double processStartSeconds() {
  std::FILE* stat = std::fopen("/proc/self/stat", "r");
  if (stat == nullptr) return -1;
  char line[1024] = {};
  size_t length = std::fread(line, 1, sizeof line - 1, stat);
  std::fclose(stat);
  line[length] = '\0';
  // The command name (field 2) may hold spaces and parentheses; count from
  // its closing parenthesis, after which field 3 begins.
  const char* field = std::strrchr(line, ')');
  if (field == nullptr) return -1;
  for (int n = 2; n < 22 && field != nullptr; ++n) field = std::strchr(field + 1, ' ');
  if (field == nullptr) return -1;
  long ticksPerSecond = sysconf(_SC_CLK_TCK);
  if (ticksPerSecond <= 0) return -1;
  return static_cast<double>(std::strtoull(field + 1, nullptr, 10)) / ticksPerSecond;
}

}  // namespace

bool startupTraceWanted() {
  return trace().wanted;
}

void traceStartupStep(const char* step) {
  Trace& t = trace();
  if (!t.wanted) return;
  for (const Step& s : t.steps)
    if (s.name == step) return;
  Step s;
  s.name = step;
  clock_gettime(CLOCK_BOOTTIME, &s.boot);
  clock_gettime(CLOCK_REALTIME, &s.wall);
  t.steps.push_back(std::move(s));
}

void writeStartupTrace() {
  Trace& t = trace();
  if (!t.wanted) return;
  t.wanted = false;  // once, and no more noting after it
  const double start = processStartSeconds();
  std::FILE* out = std::fopen(t.file.c_str(), "w");
  if (out == nullptr) {
    std::fprintf(stderr, "snowvel: cannot write the start-up trace to %s\n", t.file.c_str());
    return;
  }
  std::fprintf(out, "# step, ms since the process started (known to 1/%ld s), wall clock in us\n",
               sysconf(_SC_CLK_TCK));
  for (const Step& s : t.steps) {
    const double sinceStart = start < 0 ? -1 : (seconds(s.boot) - start) * 1000;
    std::fprintf(out, "%s %.1f %lld%06ld\n", s.name.c_str(), sinceStart,
                 static_cast<long long>(s.wall.tv_sec), s.wall.tv_nsec / 1000);
  }
  std::fclose(out);
}
