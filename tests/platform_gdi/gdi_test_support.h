// Helpers for the GDI tests. Win32 names only, so these tests also build
// against the real <windows.h>.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32.h"

// A memory DC holding a bitmap of its own, released in the right order.
class MemorySurface {
 public:
  // bitsPerPixel 1 gives a monochrome bitmap, 32 a colour one.
  MemorySurface(int width, int height, UINT bitsPerPixel) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateBitmap(width, height, 1, bitsPerPixel, nullptr);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~MemorySurface() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  MemorySurface(const MemorySurface&) = delete;
  MemorySurface& operator=(const MemorySurface&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  bool ready() const { return dc_ && bitmap_ && previous_; }

  void fill(COLORREF colour) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) SetPixel(dc_, x, y, colour);
  }
  // Row-major pixels, as GetPixel reads them.
  std::vector<COLORREF> pixels() const {
    std::vector<COLORREF> out;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) out.push_back(GetPixel(dc_, x, y));
    return out;
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
