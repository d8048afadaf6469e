// The page's "Import scores": whether a file is a high-score profile the
// game can take as its own. It is read as the game reads tolvane.ini (the
// layer's profile functions, then the score lines), and refused unless every
// entry of the game's section is a clean list of scores, so a damaged or
// hostile file never replaces good scores.
#include <emscripten/emscripten.h>

#include <string>

#include "platform/kernel/profile_document.h"
#include "platform/kernel/profile_file.h"
#include "platform/win32.h"
#include "scoring/score_list.h"

namespace {

// Ours hold three lines of at most ten numbers.
constexpr size_t kLargestFile = 4096;
constexpr DWORD kLineBufferSize = kScoreLineBuffer;

// Read as the game reads a line and written back as it writes one, the
// line must come out the same: numbers that fit, nothing else, ten at most.
bool isScoreLine(const char* line) {
  ScoreList list;
  parseScoreLine(line, false, &list);
  char written[kScoreListSize * 12 + 1];
  writeScoreLine(list, written);
  std::string tokens;
  for (const char* p = line; *p != '\0';) {
    while (*p == ' ') ++p;
    const char* end = p;
    while (*end != ' ' && *end != '\0') ++end;
    if (end > p) tokens.append(p, end).append(" ");
    p = end;
  }
  return tokens == written;
}

}  // namespace

// "" when the file at path will do; otherwise why not, as a line for the page.
extern "C" EMSCRIPTEN_KEEPALIVE const char* snowvel_web_check_scores(const char* path) {
  const ProfileBytes file = readProfileBytes(path);
  if (file.status != ProfileReadStatus::Read && file.status != ProfileReadStatus::TooLarge)
    return "the file could not be read";
  if (file.status == ProfileReadStatus::TooLarge || file.bytes.size() > kLargestFile)
    return "it is far larger than a high-score file";
  for (unsigned char c : file.bytes)
    if (c < 0x20 && c != '\r' && c != '\n' && c != '\t') return "it is not a text file";
  const ProfileDocument document = parseProfile(file.bytes);
  const std::vector<std::string> keys = profileKeyNames(document, kHighScoreSection);
  if (keys.empty()) return "it holds no Snowvel high scores";
  for (const std::string& key : keys) {
    char line[kLineBufferSize];
    DWORD read =
        GetPrivateProfileStringA(kHighScoreSection, key.c_str(), "", line, kLineBufferSize, path);
    if (read >= kLineBufferSize - 1 || !isScoreLine(line)) return "its scores are damaged";
  }
  return "";
}
