// The four values of the status panel: run time, distance, speed and style,
// drawn in place over the old ones.
#include <cstdint>

#include "scoring/scoring.h"
#include "shell/shell.h"

namespace {

constexpr int kStatusMargin = 2;
constexpr int32_t kUnitsPerMetre = 16;

// Metres per second from units per tick. The divisor is taken in 64 bits:
// a freak tick length must not wrap it to zero.
int16_t playerSpeed(const Actor* player) {
  if (world.tickMs == 0) return 0;
  int64_t perSecond = int64_t{player->dy} * 1000 / (int64_t{world.tickMs} * kUnitsPerMetre);
  return static_cast<int16_t>(perSecond);
}

// Distance to the finish of the run in progress, or from the top of the world.
int16_t playerDistance(const Actor* player) {
  if (world.slalomRunOn) return static_cast<int16_t>(kSlalomFinishY - player->y);
  if (world.freestyleRunOn || world.treeSlalomRunOn)
    return static_cast<int16_t>(kLongFinishY - player->y);
  return player->y;
}

}  // namespace

void formatStatusValues(StatusTexts* values) {
  int16_t speed = 0;
  int16_t distance = 0;
  if (world.player != nullptr) {
    speed = playerSpeed(world.player);
    distance = playerDistance(world.player);
  }
  values->length[0] = formatRunTime(world.runClock, values->text[0]);
  values->length[1] = wsprintfA(values->text[1], loadString(STRING_DISTANCE_FORMAT),
                                static_cast<int>(static_cast<int16_t>(distance / kUnitsPerMetre)));
  values->length[2] =
      wsprintfA(values->text[2], loadString(STRING_SPEED_FORMAT), static_cast<int>(speed));
  values->length[3] =
      wsprintfA(values->text[3], loadString(STRING_STYLE_FORMAT), static_cast<LONG>(world.style));
}

// Only the values: the labels beside them are drawn by the panel's paint.
void refreshStatus(HDC dc) {
  StatusTexts values;
  formatStatusValues(&values);
  int linePosition = kStatusMargin;
  for (int line = 0; line < 4; ++line)
    drawStatusLine(dc, values.text[line], world.labelWidth + kStatusMargin, &linePosition,
                   values.length[line]);
  world.lastStatusAt = static_cast<int32_t>(world.now);
}

// Hours, minutes, seconds and hundredths; the text needs room for 24 bytes.
int formatRunTime(int32_t ms, char* text) {
  int32_t seconds = ms / 1000;
  auto part = [](int32_t value) { return static_cast<UINT>(static_cast<uint16_t>(value)); };
  return wsprintfA(text, loadString(STRING_TIME_FORMAT), part(seconds / 60 / 60),
                   part(seconds / 60 % 60), part(seconds % 60), part(ms % 1000 / 10));
}

void drawStatusLine(HDC dc, const char* text, int x, int* linePosition, int length) {
  TextOutA(dc, x, *linePosition, text, length);
  *linePosition = static_cast<int16_t>(*linePosition + world.lineHeight);
}

void widenToText(HDC dc, int16_t* width, const char* text, int length) {
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(dc, text, length, &extent);
  if (static_cast<int16_t>(extent.cx) > *width) *width = static_cast<int16_t>(extent.cx);
}
