// Any bytes as the stored high-score file, and any result merged into it:
// the game writes back a list of one to ten numbers and shows it.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/headless/headless.h"
#include "platform/kernel/process_settings.h"
#include "platform/kernel/profile_document.h"
#include "platform/win32.h"
#include "scoring/score_list.h"
#include "scoring/scoring.h"
#include "shell/shell.h"

namespace {

std::string dataDir;

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/snowvel-fuzz-scores-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  dataDir = pattern;
  setProfileDirectory(dataDir);
  installHeadlessBackend();
  if (!allocateTables()) std::abort();
  world.soundOff = true;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  int32_t value;
  std::memcpy(&value, data, 4);
  static const char* const kKeys[] = {kSlalomKey, kTreeSlalomKey, kFreestyleKey};
  const int course = data[4] % 3;
  const std::string path = dataDir + "/" + kHighScoreFile;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data + 5), size - 5);

  recordHighScore(kKeys[course], value, course != 2);

  // The line written back holds one to ten numbers and nothing else. (A
  // hand-edited list out of order stays out of order: the game merges into
  // the list as stored.)
  const ProfileDocument document = parseProfile(readAll(path));
  const auto line = findProfileValue(document, "Snowvel", kKeys[course]);
  if (!line || line->size() > 12 * kScoreListSize) std::abort();
  ScoreList list;
  parseScoreLine(line->c_str(), false, &list);
  if (list.count < 1 || list.count > kScoreListSize) std::abort();
  if (line->find_first_not_of("-0123456789 ") != std::string::npos) std::abort();
  return 0;
}
