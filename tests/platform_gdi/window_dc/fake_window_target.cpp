#include "fake_window_target.h"

namespace {
FakeScreen* current = nullptr;
}

FakeScreen& fakeScreen() {
  if (!current) current = new FakeScreen;
  return *current;
}

void resetFakeScreen() {
  delete current;
  current = new FakeScreen;
}

void FakeScreen::place(HWND hwnd, int originX, int originY, std::vector<RECT> clips) {
  WindowDrawTarget target;
  target.pixels = pixels.data();
  target.stride = kWidth;
  target.surfaceWidth = kWidth;
  target.surfaceHeight = kHeight;
  target.originX = originX;
  target.originY = originY;
  target.clipCount = static_cast<int>(clips.size());
  for (size_t i = 0; i < clips.size(); ++i) target.clip[i] = clips[i];
  target.topLevel = reinterpret_cast<HWND>(0x1000);
  windows[hwnd] = target;
}

bool userGetWindowDrawTarget(HWND hwnd, WindowDrawTarget* target) {
  auto found = fakeScreen().windows.find(hwnd);
  if (found == fakeScreen().windows.end()) return false;
  *target = found->second;
  return true;
}

void userMarkFramebufferDirty(HWND, const RECT& rect) {
  fakeScreen().dirty.push_back(rect);
}

void userGetScreenSize(int* width, int* height) {
  *width = fakeScreen().screenWidth;
  *height = fakeScreen().screenHeight;
}
