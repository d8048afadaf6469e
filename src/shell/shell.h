// Application shell: start-up, windows, message loop, string cache,
// invariant reports, the game clock, pause and restart.
#pragma once

#include <cstdint>

#include "shell/world_state.h"

// Reports a failed invariant with this source file's name and line, then
// carries on (the operation decides what is safe to do next).
#define GAME_CHECK(cond) ((cond) ? true : (assertFailed(gameSourceName(__FILE__), __LINE__), false))

// The file name without its folders, for assertion texts.
const char* gameSourceName(const char* path);

// Process entry and windows.
int gameMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandTail, int showCommand);
bool allocateTables();
bool createWindows(HINSTANCE instance, HINSTANCE previous, int showCommand);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void updateRunning();

// String cache and message boxes.
const char* loadString(int id);
void assertFailed(const char* fileName, unsigned line);
void warn(const char* caption, const char* text);
void showError(const char* text);

// Game clock, timer, pause and restart.
void tick();
void CALLBACK timerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
bool resetWorld();
bool startGame();
void newGame();
void startTimer();
void stopTimer();
void togglePause();

constexpr UINT_PTR kTimerId = 666;

// The shared random generator.
void seedRandom(uint32_t seed);
int32_t nextRandom();
int32_t randomBelow(int16_t n);

// Counters kept for the program's driver and the tests: invariant reports
// shown so far, and ticks the game has run.
uint32_t assertionReportCount();
uint32_t ticksRunCount();
