#include "platform/ghost/ghost_overlay.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/fixed_font.h"
#include "platform/input/input_table.h"
#include "platform/input/key_bindings.h"

namespace {

constexpr int kLineHeight = kGlyphHeight + 4;
constexpr uint32_t kLineInk = 0x00FFFFFF;
constexpr uint32_t kLinePaper = 0x00203040;
constexpr uint32_t kClear = 0x00FFFFFF;

struct Overlay {
  Backend under{};
  Backend outer{};
  GhostOverlayHooks hooks;
  bool on = true;
  int toggleAction = -1;
  // The game's picture as last presented (the layer's pixels; valid until
  // the window changes size), and ours: the game's with the overlay on it.
  HWND window = nullptr;
  const uint32_t* gamePixels = nullptr;
  int gameStride = 0;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> shown;
  bool shownStale = true;  // shown lags the game's picture: copy it whole first
  // What is drawn in shown now, and where.
  GhostPicture drawn;
  RECT drawnSkier{0, 0, 0, 0};
  RECT drawnLine{0, 0, 0, 0};
};

Overlay overlay;

bool isEmpty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

RECT clipped(RECT r, int width, int height) {
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, width);
  r.bottom = std::min<LONG>(r.bottom, height);
  return r;
}

void copyRect(const RECT& area) {
  const RECT r = clipped(area, overlay.width, overlay.height);
  if (isEmpty(r)) return;
  for (LONG y = r.top; y < r.bottom; ++y)
    std::memcpy(&overlay.shown[static_cast<size_t>(y) * overlay.width + r.left],
                &overlay.gamePixels[static_cast<size_t>(y) * overlay.gameStride + r.left],
                static_cast<size_t>(r.right - r.left) * sizeof(uint32_t));
}

// Half the sprite's colour and half the picture's, exactly: a pixel over
// its own colour stays as it is.
uint32_t blend(uint32_t a, uint32_t b) {
  return (((a ^ b) & 0x00FEFEFEu) >> 1) + (a & b);
}

RECT drawSkier(const GhostPicture& picture) {
  const GhostSprite& sprite = picture.sprite;
  if (sprite.pixels == nullptr) return RECT{0, 0, 0, 0};
  const RECT area = clipped(
      RECT{picture.left, picture.top, picture.left + sprite.width, picture.top + sprite.height},
      overlay.width, overlay.height);
  if (isEmpty(area)) return RECT{0, 0, 0, 0};
  const RECT& out = picture.keepOut;
  for (LONG y = area.top; y < area.bottom; ++y) {
    const uint32_t* from = sprite.pixels + static_cast<size_t>(y - picture.top) * sprite.width;
    uint32_t* to = &overlay.shown[static_cast<size_t>(y) * overlay.width];
    for (LONG x = area.left; x < area.right; ++x) {
      const uint32_t colour = from[x - picture.left] & 0x00FFFFFFu;
      if (colour == kClear) continue;
      if (x >= out.left && x < out.right && y >= out.top && y < out.bottom) continue;
      to[x] = blend(to[x], colour);
    }
  }
  return area;
}

// Puts the game's pixels back where the overlay was, then draws it anew;
// the rectangles that changed join the list.
void compose(const GhostPicture& picture, std::vector<RECT>* changed) {
  for (const RECT& old : {overlay.drawnSkier, overlay.drawnLine}) {
    if (isEmpty(old)) continue;
    copyRect(old);
    changed->push_back(old);
  }
  overlay.drawnSkier = drawSkier(picture);
  overlay.drawnLine = picture.line.empty()
                          ? RECT{0, 0, 0, 0}
                          : drawGhostLine(overlay.shown.data(), overlay.width, overlay.width,
                                          overlay.height, picture.line);
  for (const RECT& now : {overlay.drawnSkier, overlay.drawnLine})
    if (!isEmpty(now)) changed->push_back(now);
  overlay.drawn = picture;
}

bool somethingToDraw(const GhostPicture& picture) {
  return overlay.on && picture.window != nullptr && picture.window == overlay.window &&
         (picture.sprite.pixels != nullptr || !picture.line.empty());
}

bool somethingDrawn() {
  return !isEmpty(overlay.drawnSkier) || !isEmpty(overlay.drawnLine);
}

GhostPicture currentPicture() {
  return overlay.hooks.picture ? overlay.hooks.picture() : GhostPicture{};
}

// Shows the overlay as it should be now over the game's last picture, with
// the game's own changed rectangles.
void show(const GhostPicture& picture, const RECT* rects, int rectCount) {
  const bool draw = somethingToDraw(picture);
  if (!draw && !somethingDrawn()) {
    overlay.shownStale = true;
    overlay.drawn = GhostPicture{};
    if (rects != nullptr)
      overlay.under.present(overlay.window, overlay.gamePixels, overlay.gameStride, overlay.width,
                            overlay.height, rects, rectCount);
    return;
  }
  std::vector<RECT> changed(rects, rects + rectCount);
  if (overlay.shownStale) {
    overlay.shown.assign(static_cast<size_t>(overlay.width) * overlay.height, 0);
    copyRect(RECT{0, 0, overlay.width, overlay.height});
    overlay.shownStale = false;
  } else {
    for (int i = 0; i < rectCount; ++i) copyRect(rects[i]);
  }
  compose(draw ? picture : GhostPicture{}, &changed);
  if (changed.empty()) return;
  overlay.under.present(overlay.window, overlay.shown.data(), overlay.width, overlay.width,
                        overlay.height, changed.data(), static_cast<int>(changed.size()));
}

// ---- The decorator ---------------------------------------------------------------

void present(HWND window, const uint32_t* pixels, int stride, int width, int height,
             const RECT* rects, int rectCount) {
  const GhostPicture picture = currentPicture();
  if (picture.window == nullptr || window != picture.window) {
    overlay.under.present(window, pixels, stride, width, height, rects, rectCount);
    return;
  }
  if (window != overlay.window || width != overlay.width || height != overlay.height) {
    overlay.window = window;
    overlay.width = width;
    overlay.height = height;
    overlay.shownStale = true;
    overlay.drawnSkier = overlay.drawnLine = RECT{0, 0, 0, 0};
  }
  overlay.gamePixels = pixels;
  overlay.gameStride = stride;
  show(picture, rects, rectCount);
}

// Between presents the ghost still moves (the player may stand still).
void refresh() {
  if (overlay.gamePixels == nullptr) return;
  const GhostPicture picture = currentPicture();
  const bool draw = somethingToDraw(picture);
  if (!draw && !somethingDrawn()) return;
  if (draw && picture == overlay.drawn) return;
  show(picture, nullptr, 0);
}

void forget(HWND window) {
  if (window != overlay.window) return;
  overlay.gamePixels = nullptr;
  overlay.window = nullptr;
  overlay.shownStale = true;
  overlay.drawnSkier = overlay.drawnLine = RECT{0, 0, 0, 0};
}

void destroyWindow(HWND window) {
  forget(window);
  overlay.under.destroyWindow(window);
}

void setWindowClient(HWND window, const RECT& client) {
  forget(window);  // the layer's pixels go with the old size
  overlay.under.setWindowClient(window, client);
}

bool isToggleKey(const BackendEvent& event) {
  if (event.type != BackendEventType::KeyDown && event.type != BackendEventType::KeyUp)
    return false;
  return event.physicalKey != 0 && overlay.toggleAction >= 0 &&
         keyBindings().actionForKey(event.physicalKey) == overlay.toggleAction;
}

bool waitEvent(BackendEvent* event, uint32_t timeoutMs) {
  refresh();
  const uint32_t start = overlay.under.tickCount();
  for (;;) {
    uint32_t left = timeoutMs;
    if (timeoutMs != kBackendWaitForever && timeoutMs != 0) {
      const uint32_t spent = overlay.under.tickCount() - start;
      left = spent >= timeoutMs ? 0 : timeoutMs - spent;
    }
    if (!overlay.under.waitEvent(event, left)) return false;
    if (!isToggleKey(*event)) return true;
    if (event->type == BackendEventType::KeyDown && !event->repeat) toggleGhostOverlay();
  }
}

uint32_t tickCount() {
  if (overlay.hooks.clockRead) overlay.hooks.clockRead();
  return overlay.under.tickCount();
}

// ---- The clock watch --------------------------------------------------------------

struct ClockWatch {
  Backend under{};
  Backend outer{};
  std::function<void()> clockRead;
  std::function<void()> presented;
};

ClockWatch watch;

uint32_t watchedTickCount() {
  if (watch.clockRead) watch.clockRead();
  return watch.under.tickCount();
}

void watchedPresent(HWND window, const uint32_t* pixels, int stride, int width, int height,
                    const RECT* rects, int rectCount) {
  if (watch.presented) watch.presented();
  watch.under.present(window, pixels, stride, width, height, rects, rectCount);
}

}  // namespace

RECT drawGhostLine(uint32_t* pixels, int stride, int width, int height, const std::string& text) {
  const int lineWidth = std::min<int>(width, static_cast<int>(text.size()) * kGlyphWidth + 8);
  const int top = std::max(0, height - kLineHeight);
  for (int y = top; y < height; ++y)
    std::fill_n(pixels + static_cast<ptrdiff_t>(y) * stride, lineWidth, kLinePaper);
  int x = 4;
  for (unsigned char c : text) {
    if (x + kGlyphWidth > lineWidth) break;
    const uint8_t* rows = glyphRows(c);
    for (int row = 0; row < kGlyphHeight && top + 2 + row < height; ++row)
      for (int bit = 0; bit < kGlyphWidth; ++bit)
        if (rows[row] & (0x80 >> bit))
          pixels[static_cast<ptrdiff_t>(top + 2 + row) * stride + x + bit] = kLineInk;
    x += kGlyphWidth;
  }
  return RECT{0, top, lineWidth, height};
}

void startGhostOverlay(GhostOverlayHooks hooks, bool on) {
  overlay = Overlay{};
  overlay.hooks = std::move(hooks);
  overlay.on = on;
  overlay.toggleAction = actionByName("ghost");
  overlay.under = *currentBackend();
  overlay.outer = overlay.under;
  overlay.outer.present = present;
  overlay.outer.destroyWindow = destroyWindow;
  overlay.outer.setWindowClient = setWindowClient;
  overlay.outer.waitEvent = waitEvent;
  overlay.outer.tickCount = tickCount;
  setBackend(&overlay.outer);
}

bool ghostOverlayOn() {
  return overlay.on;
}

void toggleGhostOverlay() {
  overlay.on = !overlay.on;
  if (overlay.hooks.toggled) overlay.hooks.toggled(overlay.on);
  refresh();
}

void startClockWatch(std::function<void()> clockRead, std::function<void()> presented) {
  watch.under = *currentBackend();
  watch.outer = watch.under;
  watch.clockRead = std::move(clockRead);
  watch.presented = std::move(presented);
  watch.outer.tickCount = watchedTickCount;
  watch.outer.present = watchedPresent;
  setBackend(&watch.outer);
}
