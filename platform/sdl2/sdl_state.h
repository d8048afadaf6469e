// What the SDL backend's files share: its settings, the screen layout and one
// record per top-level window. Only platform/sdl2 includes this.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/internal/controller_input.h"
#include "platform/internal/screen_layout.h"
#include "platform/sdl2/sdl2_backend.h"

struct SdlWindow {
  HWND hwnd = nullptr;
  SDL_Window* window = nullptr;
  uint32_t id = 0;
  RECT client{};  // game pixels, as the layer knows it
  // The client framebuffer as last presented, in game pixels: an expose or a
  // new window surface is redrawn from here without asking the layer.
  std::vector<uint32_t> frame;
  int frameWidth = 0;
  int frameHeight = 0;
  std::vector<uint32_t> shadow;  // for window surfaces not in 0x00RRGGBB
  bool minimised = false;
  bool minimumSizeSet = false;
  // The remembered place asked for, until the window is seen there.
  int placeTries = 0;
  int placeX = 0;
  int placeY = 0;
};

struct SdlBackendState {
  Sdl2Config config;
  ScreenLayout layout;
  RECT frameInsets{};  // the layer's frame around a client area, in game pixels
  std::vector<std::unique_ptr<SdlWindow>> windows;
  uint32_t firstEventType = 0;  // our own SDL event types (see below)
  // The main window as it was destroyed, for the settings.
  bool mainWindowClosed = false;
  std::optional<WindowPlace> mainWindowPlace;
  bool mainWindowFullscreen = false;
};

SdlBackendState& sdlState();
SdlWindow* windowForHandle(HWND hwnd);
SdlWindow* windowForId(uint32_t id);

// Our SDL event types, offsets from firstEventType.
enum SdlOwnEvent : uint32_t {
  kMessageBoxAnswered = 0,  // code: box id, data1: answer
  kInstanceRequest = 1,     // data1: heap-allocated InstanceRequest
  kOwnEventCount = 2,
};

// ---- windows (sdl_windows.cpp) ----
bool sdlCreateWindow(HWND window, const char* title, const RECT& client);
void sdlDestroyWindow(HWND window);
void sdlSetWindowState(HWND window, BackendWindowState state);
void sdlSetWindowTitle(HWND window, const char* title);
void sdlSetWindowClient(HWND window, const RECT& client);
void sdlRaiseWindow(HWND window);
void sdlPresent(HWND window, const uint32_t* pixels, int stride, int width, int height,
                const RECT* rects, int rectCount);
// Shows the whole stored frame again (after an expose or a new surface).
void redrawWindow(SdlWindow& w);
// The real window's client size changed; true when the game should hear of it
// (it differs from what the layer set), with the new size in game pixels.
bool noteRealSize(SdlWindow& w, int realWidth, int realHeight, int* gameWidth, int* gameHeight);
void destroyAllWindows();
// The window moved: a remembered place not yet reached is asked for again.
void checkRememberedPlace(SdlWindow& w);
// Notes the main window's place for the settings, once, as it goes away.
void rememberMainWindow(const SdlWindow& w);
// Borderless fullscreen on the window's display, or back to the window it was.
void toggleFullscreen(SdlWindow& w);

// ---- events (sdl_events.cpp) ----
bool sdlWaitEvent(BackendEvent* event, uint32_t timeoutMs);
uint32_t sdlTickCount();

// ---- game controllers (game_controllers.cpp) ----
// Takes the controller events (true), adding the key presses they make.
bool handleControllerEvent(const SDL_Event& e, uint32_t now, std::vector<PadKey>* keys);
bool controllersOpen();
// Milliseconds until a held direction repeats; -1 when none is held.
int64_t msUntilControllerRepeat(uint32_t now);
void controllerRepeats(uint32_t now, std::vector<PadKey>* keys);
void closeControllers();

// ---- screenshots (screenshots.cpp) ----
void saveScreenshot(const SdlWindow& w);
void finishScreenshots();  // waits for the pictures still being written

// ---- sound (sdl_audio.cpp) ----
void sdlPlayPcm(const WaveFormat& format, const uint8_t* samples, size_t bytes,
                const void* sourceImage);
void sdlStopSound();
void closeAudio();

// ---- message boxes (sdl_message_box.cpp) ----
int sdlBeginMessageBox(const char* text, const char* caption, UINT type);
bool messageBoxesShowing();  // SDL must stay up while one is

// ---- the window icon (window_icon.cpp) ----
void setWindowIconFromResources(SDL_Window* window);
