// One canvas per top-level window. The canvas holds game pixels and the page
// enlarges it by the scale without smoothing; only the rectangles that
// changed are copied into it.
#include <algorithm>

#include "platform/internal/frame_picture.h"
#include "platform/web/web_bridge.h"
#include "platform/web/web_bridge_values.h"
#include "platform/web/web_state.h"
#include "platform/win32.h"

namespace {

int width(const RECT& r) {
  return r.right - r.left;
}
int height(const RECT& r) {
  return r.bottom - r.top;
}

// 0x00RRGGBB as the canvas's R, G, B, A bytes (read as a little-endian word).
constexpr uint32_t canvasPixel(uint32_t pixel) {
  return 0xFF000000u | (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
}

constexpr uint32_t kWhite = canvasPixel(0x00FFFFFF);

void resizeFrame(WebWindow& w, int frameWidth, int frameHeight) {
  frameWidth = std::max(frameWidth, 0);
  frameHeight = std::max(frameHeight, 0);
  if (w.width == frameWidth && w.height == frameHeight) return;
  std::vector<uint32_t> resized(static_cast<size_t>(frameWidth) * frameHeight, kWhite);
  for (int y = 0; y < std::min(frameHeight, w.height); ++y)
    std::copy_n(w.rgba.begin() + static_cast<ptrdiff_t>(y) * w.width, std::min(frameWidth, w.width),
                resized.begin() + static_cast<ptrdiff_t>(y) * frameWidth);
  w.rgba = std::move(resized);
  w.width = frameWidth;
  w.height = frameHeight;
}

// The smallest client the game accepts, from its WM_GETMINMAXINFO answer (a
// whole-window size) less the frame the layer counts around the client.
SIZE minimumClient(HWND hwnd) {
  MINMAXINFO info{};
  SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  const RECT& frame = webState().frame;
  return SIZE{std::max<LONG>(info.ptMinTrackSize.x - frame.left - frame.right, 1),
              std::max<LONG>(info.ptMinTrackSize.y - frame.top - frame.bottom, 1)};
}

}  // namespace

bool webCreateWindow(HWND hwnd, const char* title, const RECT& client) {
  auto record = std::make_unique<WebWindow>();
  record->hwnd = hwnd;
  record->client = client;
  resizeFrame(*record, width(client), height(client));
  if (!snowvel_web_create_canvas(canvasId(hwnd), record->width, record->height)) return false;
  snowvel_web_set_title(canvasId(hwnd), title != nullptr ? title : "");
  webState().windows.push_back(std::move(record));
  return true;
}

void webDestroyWindow(HWND hwnd) {
  auto& windows = webState().windows;
  for (auto it = windows.begin(); it != windows.end(); ++it) {
    if ((*it)->hwnd != hwnd) continue;
    snowvel_web_destroy_canvas(canvasId(hwnd));
    windows.erase(it);
    return;
  }
}

void webSetWindowState(HWND hwnd, BackendWindowState state) {
  if (webWindowFor(hwnd) == nullptr) return;
  int shown = state == BackendWindowState::Normal      ? web_bridge::kCanvasShown
              : state == BackendWindowState::Minimised ? web_bridge::kCanvasMinimised
                                                       : web_bridge::kCanvasHidden;
  snowvel_web_show_canvas(canvasId(hwnd), shown);
}

void webSetWindowTitle(HWND hwnd, const char* title) {
  if (webWindowFor(hwnd) != nullptr) snowvel_web_set_title(canvasId(hwnd), title ? title : "");
}

void webSetWindowClient(HWND hwnd, const RECT& client) {
  WebWindow* w = webWindowFor(hwnd);
  if (w == nullptr) return;
  w->client = client;
  resizeFrame(*w, width(client), height(client));
  snowvel_web_size_canvas(canvasId(hwnd), w->width, w->height);
}

void webRaiseWindow(HWND) {
  // The page has one place for the game; nothing can be in front of it.
}

void webPresent(HWND hwnd, const uint32_t* pixels, int stride, int frameWidth, int frameHeight,
                const RECT* rects, int rectCount) {
  WebWindow* w = webWindowFor(hwnd);
  if (w == nullptr || pixels == nullptr) return;
  resizeFrame(*w, frameWidth, frameHeight);
  std::vector<int32_t> shown;
  shown.reserve(static_cast<size_t>(std::max(rectCount, 0)) * 4);
  for (int i = 0; i < rectCount; ++i) {
    int left = std::max<int>(rects[i].left, 0);
    int top = std::max<int>(rects[i].top, 0);
    int right = std::min<int>(rects[i].right, frameWidth);
    int bottom = std::min<int>(rects[i].bottom, frameHeight);
    if (left >= right || top >= bottom) continue;
    for (int y = top; y < bottom; ++y) {
      const uint32_t* from = pixels + static_cast<ptrdiff_t>(y) * stride;
      uint32_t* to = w->rgba.data() + static_cast<ptrdiff_t>(y) * frameWidth;
      for (int x = left; x < right; ++x) to[x] = canvasPixel(from[x]);
    }
    shown.insert(shown.end(), {left, top, right, bottom});
  }
  if (shown.empty()) return;
  snowvel_web_present(canvasId(hwnd), w->rgba.data(), w->width, w->height, shown.data(),
                      static_cast<int>(shown.size() / 4));
  WebBackendState& state = webState();
  if (!state.pictureShown && !state.windows.empty() && state.windows.front().get() == w &&
      hasPicture(w->rgba)) {
    state.pictureShown = true;
    snowvel_web_mark_first_picture();
  }
}

bool noteAreaSize(WebWindow& w, int areaWidth, int areaHeight, int* clientWidth,
                  int* clientHeight) {
  WebBackendState& state = webState();
  const SIZE minimum = minimumClient(w.hwnd);
  // The ratio changes with the browser's zoom or another screen, and the
  // best scale with the area: the game only sees its screen change size.
  const WebArea area{areaWidth, areaHeight, snowvel_web_pixel_ratio()};
  state.screen = webScreenFor(area, state.config.scale, state.frame, minimum);
  snowvel_web_set_scale(state.screen.scale);
  SIZE client = webClientFor(state.screen, state.frame, minimum);
  if (client.cx == width(w.client) && client.cy == height(w.client)) return false;
  w.client.right = w.client.left + client.cx;
  w.client.bottom = w.client.top + client.cy;
  *clientWidth = client.cx;
  *clientHeight = client.cy;
  return true;
}
