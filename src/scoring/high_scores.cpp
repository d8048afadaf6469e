// The three high-score lists in "tolvane.ini": merge a finished run into its
// course's list, write the list back and show it.
#include <cstdint>
#include <cstring>

#include "scoring/score_list.h"
#include "scoring/scoring.h"
#include "shell/shell.h"

namespace {

constexpr DWORD kLineBufferSize = kScoreLineBuffer;

// Appends to the message buffer, dropping whatever would not fit, so no
// content of the profile file can write past it.
class MessageText {
 public:
  explicit MessageText(char* buffer) : buffer_(buffer) { buffer_[0] = '\0'; }
  void append(const char* text) {
    size_t length = std::strlen(text);
    if (length_ + length >= kLineBufferSize) length = kLineBufferSize - 1 - length_;
    std::memcpy(buffer_ + length_, text, length);
    length_ += length;
    buffer_[length_] = '\0';
  }

 private:
  char* buffer_;
  size_t length_ = 0;
};

// One entry as the box shows it: a run time, or points in nine columns.
void appendResult(MessageText* message, int32_t result, bool isTime) {
  char text[32];
  if (isTime)
    formatRunTime(result, text);
  else
    wsprintfA(text, "%9ld", static_cast<LONG>(result));
  message->append(text);
}

// Times are kept negated so that one "larger is better" order serves all
// three lists; the negation saturates for the one value it cannot take.
int32_t storedValue(int32_t value, bool isTime) {
  if (!isTime) return value;
  return value == INT32_MIN ? INT32_MAX : -value;
}

// Reads the course's list, merges the stored value into it and writes it back
// at once, also when nothing was inserted; returns its place (the list's size
// when it did not make the list). The buffer is the one line of the profile.
int mergeIntoProfile(const char* key, int32_t stored, ScoreList* list, char* buffer) {
  DWORD read =
      GetPrivateProfileStringA(kHighScoreSection, key, "", buffer, kLineBufferSize, kHighScoreFile);
  parseScoreLine(buffer, read >= kLineBufferSize - 1, list);
  const int pos = insertScore(list, stored);
  writeScoreLine(*list, buffer);
  WritePrivateProfileStringA(kHighScoreSection, key, buffer, kHighScoreFile);
  return pos;
}

// One line per entry with the new result marked, or, when it did not make
// the list, the result itself under a blank line.
void composeScoreMessage(const ScoreList& list, int pos, int32_t value, int32_t stored, bool isTime,
                         char* buffer) {
  MessageText message(buffer);
  for (int i = 0; i < list.count; ++i) {
    if (i > 0) message.append("\n");
    appendResult(&message, isTime ? storedTimeToMs(list.numbers[i]) : list.numbers[i], isTime);
    if (i == pos) message.append(loadString(STRING_THATS_YOU));
  }
  if (pos == kScoreListSize) {
    message.append("\n\n");
    appendResult(&message, isTime ? storedTimeToMs(stored) : value, isTime);
    message.append(loadString(STRING_TRY_AGAIN));
  }
}

}  // namespace

// The results of the profile calls and of the box are ignored on purpose: a
// file that cannot be read is an empty list, and one that cannot be written
// still shows the player the list as it stands.
void recordHighScore(const char* key, int32_t value, bool isTime) {
  const int32_t stored = storedValue(value, isTime);
  char buffer[kLineBufferSize];
  ScoreList list;
  const int pos = mergeIntoProfile(key, stored, &list, buffer);
  composeScoreMessage(list, pos, value, stored, isTime, buffer);
  MessageBoxA(world.mainWindow, buffer, loadString(STRING_HIGH_SCORES), MB_OK);
}
