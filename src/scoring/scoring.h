// Course timing and style points, the status panel, the high-score lists.
#pragma once

#include <cstdint>

#include "shell/world_state.h"

// Course timing and style.
int32_t crossingValue(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e);
void checkSlalom(Actor* actor, int16_t previousX, int16_t previousY);
void checkTreeSlalom(Actor* actor, int16_t previousX, int16_t previousY);
void checkFreestyle(Actor* actor, int16_t previousX, int16_t previousY);
void setGateFlag(PlacedObject* gate, uint16_t spriteIndex);
void finishRun();
void addStyle(int32_t n);

// Status panel.
LRESULT CALLBACK statusWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool initStatusPanel(HWND window);
void paintStatusPanel(HWND window);
void releaseStatusPanel(HWND window);
void placeStatusPanel();
void refreshStatus(HDC dc);
// The four value texts as refreshStatus draws them, from the current world.
struct StatusTexts {
  char text[4][32];
  int length[4];
};
void formatStatusValues(StatusTexts* values);
int formatRunTime(int32_t ms, char* text);
void drawStatusLine(HDC dc, const char* text, int x, int* linePosition, int length);
void widenToText(HDC dc, int16_t* width, const char* text, int length);

// High-score lists.
void recordHighScore(const char* key, int32_t value, bool isTime);
