// One SDL window per top-level window. The client framebuffer is kept here
// in game pixels and shown through the window surface, enlarged by the
// scale, only where it changed.
#include <algorithm>

#include "platform/internal/frame_picture.h"
#include "platform/sdl2/pixel_scaling.h"
#include "platform/sdl2/sdl_state.h"
#include "platform/sdl2/startup_trace.h"
#include "platform/settings/window_placement.h"
#include "platform/win32.h"

namespace {

int width(const RECT& r) {
  return r.right - r.left;
}
int height(const RECT& r) {
  return r.bottom - r.top;
}

constexpr uint32_t kWhite = 0x00FFFFFF;

std::vector<SDL_Window*> retiredWindows;

// Enlarges rects of the stored frame into the window surface and shows them.
void showFrameRects(SdlWindow& w, const RECT* rects, int rectCount) {
  SDL_Surface* surface = SDL_GetWindowSurface(w.window);
  if (surface == nullptr) return;
  const int scale = sdlState().layout.scale;
  ConstPixelView source{w.frame.data(), w.frameWidth, w.frameWidth, w.frameHeight};

  // A 0x00RRGGBB surface takes the pixels straight; any other format gets
  // them through a shadow copy that SDL converts.
  bool direct = surface->format->format == SDL_PIXELFORMAT_RGB888;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  PixelView target{static_cast<uint32_t*>(surface->pixels), surface->pitch / 4, surface->w,
                   surface->h};
  if (!direct) {
    w.shadow.resize(static_cast<size_t>(surface->w) * surface->h);
    target = PixelView{w.shadow.data(), surface->w, surface->w, surface->h};
  }
  std::vector<SDL_Rect> shown;
  for (int i = 0; i < rectCount; ++i) {
    RECT real = scaleRectInto(source, rects[i], scale, target);
    if (width(real) <= 0 || height(real) <= 0) continue;
    if (!direct) {
      const uint32_t* from = w.shadow.data() + real.top * surface->w + real.left;
      uint8_t* to = static_cast<uint8_t*>(surface->pixels) + real.top * surface->pitch +
                    real.left * surface->format->BytesPerPixel;
      SDL_ConvertPixels(width(real), height(real), SDL_PIXELFORMAT_RGB888, from, surface->w * 4,
                        surface->format->format, to, surface->pitch);
    }
    shown.push_back(SDL_Rect{real.left, real.top, width(real), height(real)});
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (!shown.empty())
    SDL_UpdateWindowSurfaceRects(w.window, shown.data(), static_cast<int>(shown.size()));
}

void resizeFrame(SdlWindow& w, int frameWidth, int frameHeight) {
  if (w.frameWidth == frameWidth && w.frameHeight == frameHeight) return;
  std::vector<uint32_t> resized(
      static_cast<size_t>(std::max(frameWidth, 0)) * std::max(frameHeight, 0), kWhite);
  for (int y = 0; y < std::min(frameHeight, w.frameHeight); ++y)
    std::copy_n(w.frame.begin() + static_cast<ptrdiff_t>(y) * w.frameWidth,
                std::min(frameWidth, w.frameWidth),
                resized.begin() + static_cast<ptrdiff_t>(y) * frameWidth);
  w.frame = std::move(resized);
  w.frameWidth = frameWidth;
  w.frameHeight = frameHeight;
}

// The smallest client the game accepts, from its WM_GETMINMAXINFO answer (a
// whole-window size) less the frame the layer counts around the client.
void applyMinimumSize(SdlWindow& w) {
  if (w.minimumSizeSet) return;
  w.minimumSizeSet = true;
  MINMAXINFO info{};
  SendMessageA(w.hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  const RECT& frame = sdlState().frameInsets;
  int minWidth = info.ptMinTrackSize.x - frame.left - frame.right;
  int minHeight = info.ptMinTrackSize.y - frame.top - frame.bottom;
  if (minWidth <= 0 || minHeight <= 0) return;
  const int scale = sdlState().layout.scale;
  SDL_SetWindowMinimumSize(w.window, minWidth * scale, minHeight * scale);
}

// The start-up trace ends at the main window's first frame with the game's
// picture in it; the frames before it show the ground and the status panel.
void traceFirstFrames(const SdlWindow& w) {
  const auto& windows = sdlState().windows;
  if (windows.empty() || windows.front().get() != &w) return;
  traceStartupStep("first_present");
  if (!hasPicture(w.frame)) return;
  traceStartupStep("first_picture");
  writeStartupTrace();
}

// --fullscreen: the main window goes fullscreen as it is first shown; the
// size it was created with is the one it returns to.
void startFullscreenIfAsked(SdlWindow& w) {
  static bool done = false;
  const auto& windows = sdlState().windows;
  if (done || !sdlState().config.fullscreen || windows.empty() || windows.front().get() != &w)
    return;
  done = true;
  SDL_SetWindowFullscreen(w.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool isMainWindow(const SdlWindow& w) {
  const auto& windows = sdlState().windows;
  return !windows.empty() && windows.front().get() == &w;
}

bool isFullscreen(SDL_Window* window) {
  return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
         SDL_WINDOW_FULLSCREEN_DESKTOP;
}

// The remembered place, once, as the main window is first shown: the window
// manager has placed the frame by then, so the client goes where it was.
void restoreRememberedPlace(SdlWindow& w) {
  static bool done = false;
  const std::optional<WindowPlace>& place = sdlState().config.window;
  if (done || !place || !isMainWindow(w)) return;
  done = true;
  std::vector<DisplayBounds> displays;
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    SDL_Rect r;
    if (SDL_GetDisplayBounds(i, &r) == 0) displays.push_back(DisplayBounds{r.x, r.y, r.w, r.h});
  }
  const DisplayBounds at = placeWindow(*place, sdlState().layout.scale, displays);
  SDL_SetWindowSize(w.window, at.width, at.height);
  SDL_SetWindowPosition(w.window, at.x, at.y);
  w.placeX = at.x;
  w.placeY = at.y;
  w.placeTries = 3;
}

}  // namespace

// A window manager whose frame SDL did not know yet when the place was
// asked for puts the frame there, not the client; asked again, SDL allows
// for the frame.
void checkRememberedPlace(SdlWindow& w) {
  if (w.placeTries == 0) return;
  int x = 0, y = 0;
  SDL_GetWindowPosition(w.window, &x, &y);
  if (x == w.placeX && y == w.placeY) {
    w.placeTries = 0;
    return;
  }
  --w.placeTries;
  SDL_SetWindowPosition(w.window, w.placeX, w.placeY);
}

void rememberMainWindow(const SdlWindow& w) {
  SdlBackendState& state = sdlState();
  if (!isMainWindow(w) || state.mainWindowClosed) return;
  state.mainWindowClosed = true;
  state.mainWindowFullscreen = isFullscreen(w.window);
  const Uint32 flags = SDL_GetWindowFlags(w.window);
  if (state.mainWindowFullscreen || w.minimised || (flags & SDL_WINDOW_MINIMIZED) != 0) return;
  int x = 0, y = 0;
  SDL_GetWindowPosition(w.window, &x, &y);
  state.mainWindowPlace = WindowPlace{x, y, width(w.client), height(w.client)};
}

SdlWindow* windowForHandle(HWND hwnd) {
  for (auto& w : sdlState().windows)
    if (w->hwnd == hwnd) return w.get();
  return nullptr;
}

SdlWindow* windowForId(uint32_t id) {
  for (auto& w : sdlState().windows)
    if (w->id == id) return w.get();
  return nullptr;
}

bool sdlCreateWindow(HWND hwnd, const char* title, const RECT& client) {
  const ScreenLayout& layout = sdlState().layout;
  RECT real = realClientRect(layout, client);
  // Before a window is first shown the window manager places its frame, not
  // the client area, at the position asked for; ask for where the game's own
  // frame begins, which leaves the real title bar room above the client.
  const RECT& insets = sdlState().frameInsets;
  SDL_Window* window =
      SDL_CreateWindow(title != nullptr ? title : "", real.left - insets.left * layout.scale,
                       real.top - insets.top * layout.scale, std::max(width(real), 1),
                       std::max(height(real), 1), SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (window == nullptr) {
    SDL_Log("snowvel: cannot open a window: %s", SDL_GetError());
    return false;
  }
  setWindowIconFromResources(window);
  traceStartupStep("window_created");
  auto record = std::make_unique<SdlWindow>();
  record->hwnd = hwnd;
  record->window = window;
  record->id = SDL_GetWindowID(window);
  record->client = client;
  resizeFrame(*record, std::max(width(client), 0), std::max(height(client), 0));
  sdlState().windows.push_back(std::move(record));
  return true;
}

void sdlDestroyWindow(HWND hwnd) {
  auto& windows = sdlState().windows;
  for (auto it = windows.begin(); it != windows.end(); ++it) {
    if ((*it)->hwnd != hwnd) continue;
    rememberMainWindow(**it);
    // Hidden now, destroyed at shutdown: SDL wakes its waiting thread by an
    // X event sent to one of its windows from whichever thread posts an
    // event, and that window must still exist when the server gets there.
    SDL_HideWindow((*it)->window);
    retiredWindows.push_back((*it)->window);
    windows.erase(it);
    return;
  }
}

void destroyAllWindows() {
  for (auto& w : sdlState().windows) SDL_DestroyWindow(w->window);
  sdlState().windows.clear();
  for (SDL_Window* window : retiredWindows) SDL_DestroyWindow(window);
  retiredWindows.clear();
}

void sdlSetWindowState(HWND hwnd, BackendWindowState state) {
  SdlWindow* w = windowForHandle(hwnd);
  if (w == nullptr) return;
  switch (state) {
    case BackendWindowState::Hidden:
      SDL_HideWindow(w->window);
      break;
    case BackendWindowState::Normal:
      applyMinimumSize(*w);
      startFullscreenIfAsked(*w);
      SDL_ShowWindow(w->window);
      if (w->minimised) SDL_RestoreWindow(w->window);
      w->minimised = false;
      restoreRememberedPlace(*w);
      traceStartupStep("window_shown");
      break;
    case BackendWindowState::Minimised:
      applyMinimumSize(*w);
      SDL_ShowWindow(w->window);
      SDL_MinimizeWindow(w->window);
      w->minimised = true;
      break;
  }
}

void sdlSetWindowTitle(HWND hwnd, const char* title) {
  if (SdlWindow* w = windowForHandle(hwnd)) SDL_SetWindowTitle(w->window, title ? title : "");
}

void sdlSetWindowClient(HWND hwnd, const RECT& client) {
  SdlWindow* w = windowForHandle(hwnd);
  if (w == nullptr) return;
  w->client = client;
  RECT real = realClientRect(sdlState().layout, client);
  SDL_SetWindowPosition(w->window, real.left, real.top);
  SDL_SetWindowSize(w->window, std::max(width(real), 1), std::max(height(real), 1));
}

void sdlRaiseWindow(HWND hwnd) {
  if (SdlWindow* w = windowForHandle(hwnd)) SDL_RaiseWindow(w->window);
}

void sdlPresent(HWND hwnd, const uint32_t* pixels, int stride, int frameWidth, int frameHeight,
                const RECT* rects, int rectCount) {
  SdlWindow* w = windowForHandle(hwnd);
  if (w == nullptr || pixels == nullptr) return;
  resizeFrame(*w, frameWidth, frameHeight);
  for (int i = 0; i < rectCount; ++i) {
    int left = std::max<int>(rects[i].left, 0);
    int right = std::min<int>(rects[i].right, frameWidth);
    for (int y = std::max<int>(rects[i].top, 0); y < std::min<int>(rects[i].bottom, frameHeight);
         ++y)
      if (left < right)
        std::copy(pixels + static_cast<ptrdiff_t>(y) * stride + left,
                  pixels + static_cast<ptrdiff_t>(y) * stride + right,
                  w->frame.begin() + static_cast<ptrdiff_t>(y) * frameWidth + left);
  }
  if (w->minimised) return;
  showFrameRects(*w, rects, rectCount);
  if (startupTraceWanted()) traceFirstFrames(*w);
}

void redrawWindow(SdlWindow& w) {
  SDL_Surface* surface = SDL_GetWindowSurface(w.window);
  if (surface == nullptr) return;
  // Whatever the frame does not cover (a real size that is no whole number
  // of game pixels, or a window the manager made larger) shows white snow.
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xFF, 0xFF, 0xFF));
  RECT whole{0, 0, w.frameWidth, w.frameHeight};
  showFrameRects(w, &whole, 1);
  SDL_UpdateWindowSurface(w.window);
}

bool noteRealSize(SdlWindow& w, int realWidth, int realHeight, int* gameWidth, int* gameHeight) {
  const int scale = sdlState().layout.scale;
  int newWidth = realWidth / scale;
  int newHeight = realHeight / scale;
  if (newWidth == width(w.client) && newHeight == height(w.client)) return false;
  w.client.right = w.client.left + newWidth;
  w.client.bottom = w.client.top + newHeight;
  *gameWidth = newWidth;
  *gameHeight = newHeight;
  return true;
}

void toggleFullscreen(SdlWindow& w) {
  const bool on = isFullscreen(w.window);
  // The game hears of the new client size as of any resize.
  if (SDL_SetWindowFullscreen(w.window, on ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
    SDL_Log("snowvel: cannot change to or from fullscreen: %s", SDL_GetError());
}
