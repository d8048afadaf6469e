// A scripted stand-in for USER's side of the window-surface contract: one
// framebuffer, windows placed on it with chosen clip rectangles, and a record
// of the dirty rectangles GDI reports.
#pragma once

#include <map>
#include <vector>

#include "platform/internal/window_surface.h"

struct FakeScreen {
  static constexpr int kWidth = 40;
  static constexpr int kHeight = 30;
  std::vector<uint32_t> pixels = std::vector<uint32_t>(kWidth * kHeight, 0x00FFFFFF);
  std::map<HWND, WindowDrawTarget> windows;
  std::vector<RECT> dirty;
  int screenWidth = 1024;
  int screenHeight = 768;

  uint32_t at(int x, int y) const { return pixels[y * kWidth + x]; }
  // A window whose client (0,0) sits at (originX, originY) of the framebuffer,
  // visible through the given framebuffer rectangles.
  void place(HWND hwnd, int originX, int originY, std::vector<RECT> clips);
};

FakeScreen& fakeScreen();
void resetFakeScreen();
