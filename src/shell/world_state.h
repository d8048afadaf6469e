// The one game-wide state. Each group of fields belongs to one subsystem;
// resetWorld returns every game value to its start.
#pragma once

#include <cstdint>

#include "shell/game_types.h"

struct WorldState {
  // Application shell: windows, activation, string cache.
  HINSTANCE appInstance;
  HWND mainWindow;
  HWND statusWindow;
  HBRUSH whiteBrush;
  int16_t screenWidth;
  int16_t screenHeight;
  uint32_t windowActive;  // the whole wParam of the last WM_ACTIVATE
  bool minimised;
  bool running;
  bool soundOff;
  char** stringCache;  // kStringCacheSize slots

  // Game clock, timer and pause.
  DWORD now;
  DWORD prevNow;
  DWORD tickMs;
  bool timerOn;
  bool paused;
  DWORD timerInterval;
  DWORD timeStopped;
  bool inputRepaintAllowed;

  // Actor pool and lists.
  Actor* actorPool;  // kActorPoolSize records
  Actor* activeList;
  Actor* freeList;
  Actor* player;
  Actor* cameraActor;
  int32_t spriteAreaSum;

  // Sprite sheets and the scratch surface.
  Sprite* sprites;  // kSpriteCount records
  HDC mainDc;
  HDC narrowImageSheet;
  HDC narrowMaskSheet;
  HDC wideImageSheet;
  HDC wideMaskSheet;
  HDC scratchSurface;
  HBITMAP narrowImageInitial;  // the bitmap each surface held when created
  HBITMAP narrowMaskInitial;
  HBITMAP wideImageInitial;
  HBITMAP wideMaskInitial;
  HBITMAP scratchInitial;
  int16_t scratchWidth;
  int16_t scratchHeight;

  // Screen placement and the view.
  int16_t viewX;
  int16_t viewY;
  int16_t anchorX;
  int16_t anchorY;
  RECT clientRect;
  RECT activeRect;
  int32_t activeArea;
  int16_t clientWidth;
  int16_t clientHeight;

  // Edge spawning.
  int16_t viewTravelX;
  int16_t viewTravelY;

  // Courses and placed objects.
  PlacedObject* placedObjects;  // kPlacedObjectCount records
  uint16_t placedCount;
  PlacedList slalomList;
  PlacedList treeSlalomList;
  PlacedList freestyleList;
  PlacedList liftTowerList;
  PlacedList movingList;
  PlacedObject* firstSlalomGate;
  PlacedObject* firstTreeSlalomGate;

  // Behaviours.
  bool fastMode;

  // Steering.
  int16_t lastMouseX;
  int16_t lastMouseY;
  bool mouseSeen;

  // Course timing and style.
  bool slalomRunOn;
  bool treeSlalomRunOn;
  bool freestyleRunOn;
  int32_t runStart;
  int32_t runClock;
  int32_t style;
  PlacedObject* nextGate;

  // Status panel.
  HDC statusDc;
  HGDIOBJ savedStatusFont;
  int16_t lineHeight;
  int16_t labelWidth;
  int16_t panelContentWidth;
  int16_t panelContentHeight;
  RECT statusRect;
  int32_t lastStatusAt;

  // Sound.
  SoundClip soundClips[kSoundCount + 1];  // indexed by sound id 1..9
  WavePlayer wavePlayer;

  // The shared random generator.
  uint32_t randomSeed;
};

extern WorldState world;
