// What the web backend's files share. Only platform/web includes this.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/backend.h"
#include "platform/web/web_backend.h"
#include "platform/web/web_bridge_values.h"
#include "platform/web/web_layout.h"

struct WebWindow {
  HWND hwnd = nullptr;
  RECT client{};  // game pixels, as the layer knows it
  // The frame as the canvas shows it, four bytes a pixel in canvas order.
  std::vector<uint32_t> rgba;
  int width = 0;
  int height = 0;
};

struct WebBackendState {
  WebConfig config;
  WebScreen screen;
  RECT frame{};  // the layer's frame around a client area, in game pixels
  std::vector<std::unique_ptr<WebWindow>> windows;
  bool pictureShown = false;
};

WebBackendState& webState();
WebWindow* webWindowFor(HWND hwnd);
uintptr_t canvasId(HWND hwnd);

// ---- windows (web_windows.cpp) ----
bool webCreateWindow(HWND window, const char* title, const RECT& client);
void webDestroyWindow(HWND window);
void webSetWindowState(HWND window, BackendWindowState state);
void webSetWindowTitle(HWND window, const char* title);
void webSetWindowClient(HWND window, const RECT& client);
void webRaiseWindow(HWND window);
void webPresent(HWND window, const uint32_t* pixels, int stride, int width, int height,
                const RECT* rects, int rectCount);
// The game area's new size in device pixels: true with the main window's
// new client size when the game should hear of it.
bool noteAreaSize(WebWindow& w, int areaWidth, int areaHeight, int* clientWidth, int* clientHeight);

// ---- events (web_events.cpp) ----
bool webWaitEvent(BackendEvent* event, uint32_t timeoutMs);
uint32_t webTickCount();

// ---- keys (web_keys.cpp) ----
// The player's bindings from the page's storage, before the first key.
void loadPageBindings();

// ---- game pads (web_pads.cpp) ----
// The page's records of a pad's changes (see web_bridge_values.h). Button:
// a is a pad input (input_table.h), b pressed; Stick: a, b the left stick's
// x and y (-32768..32767, y downward); Gone: the pad was unplugged.
enum class WebPadRecord {
  Button = web_bridge::kPadButton,
  Stick = web_bridge::kPadStick,
  Gone = web_bridge::kPadGone
};
void notePadRecord(WebPadRecord kind, int pad, int a, int b);
// Whatever the pads hold is let go, under the bindings it was pressed by:
// before the bindings change.
void releasePads();
// The next key the pads pressed or let go, as the keyboard's would be.
bool takePadKey(BackendEvent* event);
// Milliseconds until a held direction repeats; -1 when none is held.
int64_t msUntilPadRepeat(uint32_t now);
void padRepeats(uint32_t now);

// ---- sound (web_sound.cpp) ----
void webPlayPcm(const WaveFormat& format, const uint8_t* samples, size_t bytes,
                const void* sourceImage);
void webStopSound();

// ---- message boxes (web_message_box.cpp) ----
int webBeginMessageBox(const char* text, const char* caption, UINT type);
