// The narrow interface between the portable Win32 layer and what lies under
// it: a real desktop (sdl2) or a scripted, virtual one (headless). The layer
// calls only these; a backend knows nothing of the game.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32/types.h"

// Mono or stereo PCM as a validated RIFF/WAVE image describes it.
struct WaveFormat {
  uint16_t channels = 1;
  uint32_t samplesPerSecond = 11025;
  uint16_t bitsPerSample = 8;
};

// What a backend reports from its wait. Window handles are the top-level
// HWNDs the layer passed to createWindow; a null window on a key or character
// event means "whichever window has the focus", on a mouse event "the active
// top-level window".
enum class BackendEventType {
  KeyDown,           // virtualKey (a VK_* code), repeat (held down, auto-repeated)
  KeyUp,             // virtualKey
  Char,              // character: text that no key press of ours produces (the
                     // layer's TranslateMessage makes WM_CHAR for ordinary keys)
  MouseMove,         // x, y in client coordinates of the top-level window
  MouseDown,         // x, y, button (0 left, 1 right, 2 middle). A click that
  MouseUp,           // activates a window is reported as the click alone: the
                     // layer sends WM_MOUSEACTIVATE, which may eat it.
  Activate,          // the user gave the window the focus
  Deactivate,        // the user took the focus elsewhere
  Minimise,          // the user minimised the window
  Restore,           // the user restored it from minimised
  Resize,            // width, height: the user resized the client area to this
  Close,             // the user asked the window to close; a null window means
                     // the whole application (the layer posts WM_QUIT)
  MessageBoxAnswer,  // box (from beginMessageBox) was answered with answer
  FillScreen,        // width, height: the window now fills its display (fullscreen)
                     // with this client area; the frame lies beyond the screen, so
                     // the largest tracking size does not hold it back
};

struct BackendEvent {
  BackendEventType type = BackendEventType::KeyDown;
  HWND window = nullptr;
  UINT virtualKey = 0;
  bool repeat = false;
  // Keys only: the key's place (its USB HID usage, see input_table.h), 0
  // when the backend does not know it, and whether NumLock was on. The key
  // remapping reads them; nothing else does.
  uint16_t physicalKey = 0;
  bool numLock = false;
  unsigned char character = 0;
  int x = 0;
  int y = 0;
  int button = 0;
  int width = 0;
  int height = 0;
  int box = 0;
  int answer = 0;
};

// How a top-level window is shown.
enum class BackendWindowState { Hidden, Normal, Minimised };

// waitEvent's timeout for "until something happens".
inline constexpr uint32_t kBackendWaitForever = 0xFFFFFFFFu;

struct Backend {
  // The one clock: milliseconds, wrapping like GetTickCount.
  uint32_t (*tickCount)();

  // Sound: one channel; a new sound cuts off the playing one. sourceImage is
  // the RIFF image the game passed to sndPlaySoundA (the headless backend
  // records which resource it was).
  void (*playPcm)(const WaveFormat& format, const uint8_t* samples, size_t bytes,
                  const void* sourceImage);
  void (*stopSound)();

  // The display the windows live on.
  void (*screenSize)(int* width, int* height);

  // Top-level windows. The layer creates one native window per top-level
  // HWND, hidden at first; client is the client area in screen coordinates
  // (the backend draws its own frame, if any, around it).
  bool (*createWindow)(HWND window, const char* title, const RECT& client);
  void (*destroyWindow)(HWND window);
  void (*setWindowState)(HWND window, BackendWindowState state);
  void (*setWindowTitle)(HWND window, const char* title);
  // The layer moved or resized the client area (never called back for a
  // Resize event the backend reported itself).
  void (*setWindowClient)(HWND window, const RECT& client);
  void (*raiseWindow)(HWND window);

  // Shows the changed rectangles (client coordinates, already clipped) of a
  // top-level window's 0x00RRGGBB framebuffer. The pixels stay the layer's.
  void (*present)(HWND window, const uint32_t* pixels, int stride, int width, int height,
                  const RECT* rects, int rectCount);

  // Waits at most timeoutMs (0: only look; kBackendWaitForever: no limit)
  // for the next event; false when the time ran out first. The layer calls
  // this only when no message is ready, so a backend sleeps here and nowhere
  // else.
  bool (*waitEvent)(BackendEvent* event, uint32_t timeoutMs);

  // A modal message box: shown at once, answered later by a MessageBoxAnswer
  // event carrying the returned id and an IDOK/IDCANCEL/... answer. The
  // layer dispatches messages meanwhile. type holds the MB_* flags.
  int (*beginMessageBox)(const char* text, const char* caption, UINT type);

  // Another running copy of the program, seen through FindWindowA: whether it
  // has a top-level window of the class, and the few things a second start
  // does to that window. Left null, no other copy is ever seen.
  bool (*findForeignWindow)(const char* className) = nullptr;
  void (*raiseForeignWindow)(const char* className) = nullptr;
  bool (*isForeignWindowMinimised)(const char* className) = nullptr;
  void (*restoreForeignWindow)(const char* className) = nullptr;
};

// The backend in force; installed once at start-up, before any Win32 call.
Backend* currentBackend();
void setBackend(Backend* backend);

// Whether the layer's TranslateMessage makes a WM_CHAR from a plain press of
// this key: a backend that also hears the system's text for the press must
// not send it as a second character.
bool keyMakesCharacter(UINT virtualKey);
