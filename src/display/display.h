// Sprite sheets, screen placement and view scrolling, and the repaint engine.
#pragma once

#include <cstdint>

#include "shell/world_state.h"

// Sprite sheets.
bool openDisplay(HWND mainWindow);
bool loadSpriteSheets(HDC mainDc);
HBITMAP loadSpriteBitmap(int id);
void closeDisplay(HWND mainWindow);

// Screen placement and view scrolling.
void computeScreenRect(RECT* rect, const Sprite* sprite, int16_t x, int16_t y, int16_t z);
RECT* actorScreenRect(Actor* actor);
const RECT* currentScreenRect(Actor* actor);
void scrollView(int16_t newX, int16_t newY);
void layoutView(HWND mainWindow);
void setAnchor(int16_t x, int16_t y);

// Repaint engine.
bool rectsIntersect(const RECT* a, const RECT* b);
bool rectsEqual(const RECT* a, const RECT* b);
void unionRect(RECT* destination, const RECT* source);
void repaint(HDC dc, const RECT* region);
void paintRegion(HDC dc, const RECT* region);
void paintMainWindow(HWND mainWindow);
void mergeGroups(Actor* leader, Actor* other);
void drawGroup(HDC dc, Actor* leader);
bool growScratch(int16_t width, int16_t height);
