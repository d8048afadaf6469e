// One course's high-score line: up to ten signed numbers, best (largest)
// first, as kept in the profile file.
#pragma once

#include <cstdint>

constexpr int kScoreListSize = 10;

// Where the game keeps its lists, as the desktop tools and the page must
// find them: the profile file, its section, and the courses' keys in it.
inline constexpr char kHighScoreFile[] = "tolvane.ini";
inline constexpr char kHighScoreSection[] = "Snowvel";
inline constexpr char kSlalomKey[] = "SS";
inline constexpr char kTreeSlalomKey[] = "GS";
inline constexpr char kFreestyleKey[] = "FS";
// The game reads a list into a buffer of this many bytes; a line that fills
// it may have been cut.
inline constexpr int kScoreLineBuffer = 256;

struct ScoreList {
  int32_t numbers[kScoreListSize];
  int count;
};

// Reads up to ten space-separated numbers. A number beyond 32 bits reads as
// the nearest 32-bit value. When the profile read filled its buffer the line
// may have been cut, and a number running into the cut is dropped rather
// than taken short.
void parseScoreLine(const char* line, bool lineWasCut, ScoreList* list);

// Inserts v after every entry at least as good; returns its index, or
// kScoreListSize when the list is full and v is no better than the tenth.
int insertScore(ScoreList* list, int32_t v);

// Writes every number as "%ld " into text (room for 12 bytes per number and
// the terminator); returns the length.
int writeScoreLine(const ScoreList& list, char* text);

// A run time kept negated, turned back into milliseconds. Kept numbers that
// are not negative times (a hand-edited file) show as no time at all, and
// the most negative 32-bit number saturates instead of overflowing.
int32_t storedTimeToMs(int32_t stored);
