// The status child window: its procedure, its private drawing context and
// font, its measured size and its place in the main window's corner.
#include <cstdint>

#include "scoring/scoring.h"
#include "shell/shell.h"

namespace {

constexpr int kStatusMargin = 2;
constexpr int kStatusLines = 4;

void takeClientRect(HWND window) {
  GetClientRect(window, &world.statusRect);
}

// Without a stock fixed font the context's own font serves, and nothing is
// put back on destruction.
void selectStatusFont() {
  world.savedStatusFont = GetStockObject(OEM_FIXED_FONT);
  if (world.savedStatusFont != nullptr)
    world.savedStatusFont = SelectObject(world.statusDc, world.savedStatusFont);
}

// One line per value; the labels' column, then room for the widest values.
void measureStatusPanel() {
  TEXTMETRICA metrics = {};
  GetTextMetricsA(world.statusDc, &metrics);
  world.lineHeight = static_cast<int16_t>(metrics.tmHeight);

  int16_t labelWidth = 0;
  int16_t valueWidth = 0;
  for (int i = 0; i < kStatusLines; ++i) {
    const char* label = loadString(STRING_TIME_LABEL + i);
    widenToText(world.statusDc, &labelWidth, label, lstrlenA(label));
  }
  for (int i = 0; i < kStatusLines; ++i) {
    const char* widest = loadString(STRING_TIME_WIDEST + i);
    widenToText(world.statusDc, &valueWidth, widest, lstrlenA(widest));
  }
  world.labelWidth = labelWidth;
  world.panelContentHeight = static_cast<int16_t>(kStatusLines * world.lineHeight);
  world.panelContentWidth = static_cast<int16_t>(labelWidth + valueWidth);
}

}  // namespace

LRESULT CALLBACK statusWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!initStatusPanel(window)) return -1;
      takeClientRect(window);
      break;
    case WM_SIZE:
      takeClientRect(window);
      break;
    case WM_PAINT:
      paintStatusPanel(window);
      return 0;
    case WM_DESTROY:
      releaseStatusPanel(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Measured once: the panel keeps its size for the life of the program.
bool initStatusPanel(HWND window) {
  world.statusDc = GetDC(window);
  if (world.statusDc == nullptr) return false;
  selectStatusFont();
  measureStatusPanel();
  return true;
}

void paintStatusPanel(HWND window) {
  int linePosition = kStatusMargin;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  FrameRect(dc, &world.statusRect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  for (int i = 0; i < kStatusLines; ++i) {
    const char* label = loadString(STRING_TIME_LABEL + i);
    drawStatusLine(dc, label, kStatusMargin, &linePosition, lstrlenA(label));
  }
  refreshStatus(dc);
  EndPaint(window, &paint);
}

void releaseStatusPanel(HWND window) {
  GAME_CHECK(window == world.statusWindow);
  if (world.savedStatusFont != nullptr) SelectObject(world.statusDc, world.savedStatusFont);
  ReleaseDC(window, world.statusDc);
  // A late refresh (a finish while the windows go away) must not draw
  // through a context that is no longer ours.
  world.statusDc = nullptr;
  world.savedStatusFont = nullptr;
}

// Top right corner of the client area, at the measured size.
void placeStatusPanel() {
  int width = world.panelContentWidth + 2 * kStatusMargin;
  int height = world.panelContentHeight + 2 * kStatusMargin;
  MoveWindow(world.statusWindow, world.clientRect.right - width, world.clientRect.top, width,
             height, TRUE);
}
