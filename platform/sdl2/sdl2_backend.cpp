// Starting SDL and putting the desktop backend in place.
#include "platform/sdl2/sdl2_backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sdl2/quit_signals.h"
#include "platform/sdl2/sdl_state.h"
#include "platform/sdl2/single_instance.h"
#include "platform/sdl2/startup_trace.h"
#include "platform/sdl2/x11_error_guard.h"
#include "platform/win32.h"

namespace {

// The title bar a window manager is assumed to draw above a client area,
// in real pixels; what the game's own frame does not already leave room
// for comes off the top of the screen it is shown.
constexpr int kRealTitleBar = 40;

SdlBackendState state;
Backend sdlBackend;

void screenSize(int* width, int* height) {
  *width = state.layout.width;
  *height = state.layout.height;
}

bool createWindow(HWND window, const char* title, const RECT& client) {
  if (!sdlCreateWindow(window, title, client)) return false;
  // From the first window on, a second start of the program finds us.
  startInstanceServer();
  traceStartupStep("instance_server");
  return true;
}

ScreenLayout measureScreen(int requestedScale, const RECT& insets) {
  SDL_Rect full{0, 0, 640, 480};
  SDL_Rect usable{0, 0, 0, 0};
  SDL_GetDisplayBounds(0, &full);
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) usable = full;
  int scale = chooseScale(requestedScale, full.h);
  return layoutScreen(DesktopArea{usable.x, usable.y, usable.w, usable.h}, scale, kRealTitleBar,
                      insets.top);
}

// SDL falls back on drivers that draw into memory when no display answers;
// a game nobody can see must not start (nor hold the single-instance place).
bool showsWindows(const char* driver) {
  if (driver == nullptr) return false;
  for (const char* invisible : {"offscreen", "dummy", "evdev"})
    if (std::strcmp(driver, invisible) == 0) return false;
  return true;
}

}  // namespace

SdlBackendState& sdlState() {
  return state;
}

bool installSdl2Backend(const Sdl2Config& config) {
  traceStartupStep("backend_start");
  // Closing the last window is the game's business (it destroys it and
  // quits); a window manager on top of a full-screen-tall window must not be
  // told we want the compositor off; the click that activates a window
  // reaches us so WM_MOUSEACTIVATE can decide on it.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_APP_NAME, "Snowvel");
  takeQuitSignals();
  tolerateLostWakeups();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "snowvel: cannot open the display: %s\n", SDL_GetError());
    return false;
  }
  if (!showsWindows(SDL_GetCurrentVideoDriver()) && std::getenv("SDL_VIDEODRIVER") == nullptr) {
    std::fprintf(stderr,
                 "snowvel: there is no display to open a window on (--headless runs without "
                 "one)\n");
    SDL_Quit();
    return false;
  }
  traceStartupStep("sdl_init");
  // Controllers are a comfort: without them the keyboard and mouse still play.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
    SDL_Log("snowvel: no game controllers: %s", SDL_GetError());
  // On X11 the window surface goes straight to the server's own images
  // (shared memory): it shows just the rectangles asked for, where the GL
  // texture SDL would otherwise put behind it uploads and draws the whole
  // window on every present. Other systems have no such framebuffer.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::strcmp(driver, "x11") == 0)
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The screensaver may run while the game is paused or in the background.
  SDL_EnableScreenSaver();

  state.config = config;
  state.frameInsets = overlappedFrameInsets();
  state.layout = measureScreen(config.scale, state.frameInsets);
  // Message-box answers and the second start's knock arrive as our own
  // events: without them a box could never be answered.
  state.firstEventType = SDL_RegisterEvents(kOwnEventCount);
  if (state.firstEventType == static_cast<uint32_t>(-1)) {
    std::fprintf(stderr, "snowvel: cannot register the desktop's events: %s\n", SDL_GetError());
    SDL_Quit();
    return false;
  }

  sdlBackend = Backend{};
  sdlBackend.tickCount = sdlTickCount;
  sdlBackend.playPcm = sdlPlayPcm;
  sdlBackend.stopSound = sdlStopSound;
  sdlBackend.screenSize = screenSize;
  sdlBackend.createWindow = createWindow;
  sdlBackend.destroyWindow = sdlDestroyWindow;
  sdlBackend.setWindowState = sdlSetWindowState;
  sdlBackend.setWindowTitle = sdlSetWindowTitle;
  sdlBackend.setWindowClient = sdlSetWindowClient;
  sdlBackend.raiseWindow = sdlRaiseWindow;
  sdlBackend.present = sdlPresent;
  sdlBackend.waitEvent = sdlWaitEvent;
  sdlBackend.beginMessageBox = sdlBeginMessageBox;
  sdlBackend.findForeignWindow = sdlFindForeignWindow;
  sdlBackend.raiseForeignWindow = sdlRaiseForeignWindow;
  sdlBackend.isForeignWindowMinimised = sdlIsForeignWindowMinimised;
  sdlBackend.restoreForeignWindow = sdlRestoreForeignWindow;
  setBackend(&sdlBackend);
  traceStartupStep("backend_ready");
  return true;
}

DisplaySettings sdl2DisplayAtClose(const DisplaySettings& previous) {
  DisplaySettings now = previous;
  if (!state.windows.empty()) rememberMainWindow(*state.windows.front());
  if (!state.mainWindowClosed) return now;
  now.fullscreen = state.mainWindowFullscreen;
  now.scale = state.config.scale;
  if (state.mainWindowPlace) now.window = state.mainWindowPlace;
  return now;
}

void shutdownSdl2Backend() {
  writeStartupTrace();  // a start-up that never showed a picture
  stopInstanceServer();
  finishScreenshots();
  closeControllers();
  closeAudio();
  destroyAllWindows();
  // A box still up belongs to a thread that calls into SDL when it is
  // answered; leave SDL to the end of the process then.
  if (!messageBoxesShowing()) SDL_Quit();
}
