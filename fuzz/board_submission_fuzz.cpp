// Any bytes as the body of a submission: refused in one line, or read to a
// name that passes the board's check and a kept run within the limit.
#include <cstdlib>
#include <string_view>

#include "board/player_name.h"
#include "board/submission.h"
#include "platform/replay/run_link.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Submission submission;
  std::string error;
  if (readSubmission(bytes, &submission, &error)) {
    if (!checkPlayerName(submission.name, &error)) std::abort();
    if (submission.runText.size() > kMostRunBytes || submission.runHash.size() != 64) std::abort();
    if (courseName(submission.run.course).empty()) std::abort();
  } else if (error.empty() || error.find('\n') != std::string::npos) {
    std::abort();
  }
  // The same bytes as a name alone.
  if (checkPlayerName(bytes, &error) && (bytes.empty() || bytes.size() > 64)) std::abort();
  return 0;
}
