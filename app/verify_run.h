// snowvel --verify and snowvel-verify: a board's child. Reads one run (a run file's text, a
// link or its #run= fragment) on stdin, re-skis it unseen and undrawn, and
// answers in one line on stdout:
//   ok COURSE RESULT           exit 0: the re-ski reached the recorded result
//   refused "REASON"           exit 2: unreadable, newer, too long, not a run
//                              exit 3: the result was not reached, or the
//                                      run left its recording
#pragma once

#include <cstdint>
#include <string>

// A 3-minute session is some 4,500 ticks; this is over an hour of play.
inline constexpr uint32_t kDefaultVerifyTicks = 100000;

struct VerifyRequest {
  uint32_t mostTicks = kDefaultVerifyTicks;
  std::string dumpFile;  // the game state where the re-ski ended (for tests)
};

int runVerify(const VerifyRequest& request);
