// Where the courses and the chair lift lie on the slope, in world units
// (x to the right, y downhill). Layout, timing, spawning and the status panel
// all measure against these same lines.
#pragma once

#include <cstdint>

// A course's start window along the start line, bounds included.
struct CourseSpan {
  int16_t left;
  int16_t right;
};

constexpr int16_t kStartLineY = 640;  // where all three courses start
constexpr int16_t kSlalomFinishY = 8640;
constexpr int16_t kLongFinishY = 16640;  // the tree slalom's and the freestyle's

constexpr CourseSpan kSlalomSpan = {-576, -320};
constexpr CourseSpan kTreeSlalomSpan = {320, 512};
constexpr CourseSpan kFreestyleSpan = {-160, 160};

// The edges of the world: a player who crosses one is chased by the monster
// that keeps its post just beyond it.
constexpr int16_t kWorldLeftX = -16000;
constexpr int16_t kWorldRightX = 16000;
constexpr int16_t kWorldTopY = -2000;
constexpr int16_t kWorldBottomY = 32000;
constexpr int16_t kMonsterPostDistance = 60;

// The lift turns at its top and bottom; chairs go up on one line and come
// down on the other, with the towers between them.
constexpr int16_t kLiftTopY = -1024;
constexpr int16_t kLiftBottomY = 23552;
constexpr int16_t kLiftSpacing = 2048;
constexpr int16_t kLiftUpX = -112;
constexpr int16_t kLiftDownX = -144;
constexpr int16_t kLiftTowerX = -128;
