// A scripted desktop for the game's own tests: a clock that moves only when
// told, message boxes answered from a list, and the main window's pixels
// readable. The game runs on it unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/shell.h"

struct ShownBox {
  std::string caption;
  std::string text;
  unsigned type;
  int answer;
};

// Installs a fresh desktop of the given screen size with the clock at start.
void installHeadless(int screenWidth, int screenHeight, uint32_t clock);
// Tables and a reset world with the real sprite sizes but no windows.
void startBareWorld();
// The start-up of the process up to the message loop, then the first paint.
void startGameWindows(int screenWidth, int screenHeight);
// Runs the game's own entry with this command-line tail until it ends.
int runGameMain(const char* tail);
// Ends the game's windows and frees the tables; safe after any test.
void stopHarness();

// The next count message boxes are answered with answer (later ones with OK).
void answerNextBoxes(int answer, int count);
const std::vector<ShownBox>& boxesShown();
// Script for runGameMain: close the main window once the loop first waits,
// or fail an invariant there and answer its box with answer.
void closeMainWindowAfterStart();
void failAnAssertionAfterStart(int answer);

// Moves the clock forward millisecond by millisecond, dispatching whatever
// falls due (timers, paints) as the message loop would.
void advanceClock(uint32_t ms);
void pumpMessages();
void pressKey(unsigned virtualKey);
void activateMainWindow();
void deactivateMainWindow();
void minimiseMainWindow();
void restoreMainWindow();
void resizeMainWindow(int clientWidth, int clientHeight);

std::string windowTitle();
int countFreeRecords();
uint32_t colorrefToRgb(COLORREF color);
// The main window's client area as 0x00RRGGBB rows, status panel included.
std::vector<uint32_t> clientPixels(int* width, int* height);
