// Parsing, merging and writing one high-score line.
#include "scoring/score_list.h"

#include <cstdint>
#include <limits>

#include "platform/win32.h"

namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// An optional sign, then digits up to the first non-digit; no digits read
// as 0. Stops accumulating once past the 32-bit range, so any length of
// digits is safe.
int32_t tokenValue(const char* p, const char* end) {
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  int64_t magnitude = 0;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) {
    if (magnitude <= kInt32Max + 1) magnitude = magnitude * 10 + (*p - '0');
  }
  int64_t value = negative ? -magnitude : magnitude;
  if (value < kInt32Min) return static_cast<int32_t>(kInt32Min);
  if (value > kInt32Max) return static_cast<int32_t>(kInt32Max);
  return static_cast<int32_t>(value);
}

}  // namespace

void parseScoreLine(const char* line, bool lineWasCut, ScoreList* list) {
  list->count = 0;
  const char* p = line;
  while (list->count < kScoreListSize) {
    while (*p == ' ') ++p;
    if (*p == '\0') break;
    const char* tokenEnd = p;
    while (*tokenEnd != ' ' && *tokenEnd != '\0') ++tokenEnd;
    if (*tokenEnd == '\0' && lineWasCut) break;
    list->numbers[list->count++] = tokenValue(p, tokenEnd);
    if (*tokenEnd == '\0') break;
    p = tokenEnd;
  }
}

int insertScore(ScoreList* list, int32_t v) {
  int pos = 0;
  while (pos < list->count && !(v > list->numbers[pos])) ++pos;
  if (pos >= kScoreListSize) return kScoreListSize;
  if (list->count == kScoreListSize) list->count = kScoreListSize - 1;
  for (int i = list->count; i > pos; --i) list->numbers[i] = list->numbers[i - 1];
  list->numbers[pos] = v;
  ++list->count;
  return pos;
}

int writeScoreLine(const ScoreList& list, char* text) {
  int length = 0;
  text[0] = '\0';
  for (int i = 0; i < list.count; ++i)
    length += wsprintfA(text + length, "%ld ", static_cast<LONG>(list.numbers[i]));
  return length;
}

int32_t storedTimeToMs(int32_t stored) {
  int64_t ms = -int64_t{stored};
  if (ms < 0) return 0;
  if (ms > kInt32Max) return static_cast<int32_t>(kInt32Max);
  return static_cast<int32_t>(ms);
}
