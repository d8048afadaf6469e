// Window DCs through the window-surface contract: where drawing lands in the
// framebuffer, what clips it, and what is reported dirty.
#include <gtest/gtest.h>

#include "fake_window_target.h"
#include "platform/win32/gdi.h"

namespace {

const HWND kMain = reinterpret_cast<HWND>(0x2000);
constexpr uint32_t kWhitePixel = 0xFFFFFF;
constexpr uint32_t kBlackPixel = 0x000000;

class WindowDcTest : public testing::Test {
 protected:
  void SetUp() override {
    resetFakeScreen();
    // Client area 30x20 at (5, 4); a 10x6 child at its top right is cut out.
    fakeScreen().place(kMain, 5, 4, {{5, 4, 25, 24}, {25, 10, 35, 24}});
    dc_ = gdiCreateWindowDC(kMain);
  }
  void TearDown() override { gdiDeleteWindowDC(dc_); }

  // Framebuffer rows as text: '#' black, '.' white, '?' other.
  std::string row(int y, int fromX, int toX) {
    std::string out;
    for (int x = fromX; x < toX; ++x) {
      uint32_t p = fakeScreen().at(x, y);
      out += p == kBlackPixel ? '#' : p == kWhitePixel ? '.' : '?';
    }
    return out;
  }

  HDC dc_ = nullptr;
};

}  // namespace

TEST_F(WindowDcTest, DrawsInClientCoordinatesAndReportsTheTouchedArea) {
  ASSERT_NE(dc_, nullptr);
  EXPECT_TRUE(PatBlt(dc_, 1, 2, 3, 1, BLACKNESS));
  EXPECT_EQ(row(6, 4, 10), "..###.");
  ASSERT_EQ(fakeScreen().dirty.size(), 1u);
  const RECT& d = fakeScreen().dirty[0];
  EXPECT_EQ(d.left, 6);
  EXPECT_EQ(d.top, 6);
  EXPECT_EQ(d.right, 9);
  EXPECT_EQ(d.bottom, 7);
  EXPECT_EQ(GetPixel(dc_, 1, 2), RGB(0, 0, 0));
}

TEST_F(WindowDcTest, ClipsToTheVisiblePartsOfTheClient) {
  // A full-width fill on client row 3 (framebuffer row 7) meets the cut-out
  // child area (framebuffer x 25..34, rows 4..9) and the client's edges.
  RECT wide = {-10, 3, 100, 4};
  EXPECT_TRUE(FillRect(dc_, &wide, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(row(7, 0, 40), ".....####################...............");
  // Lower down, past the child, the whole client width is drawn.
  RECT lower = {-10, 8, 100, 9};
  EXPECT_TRUE(FillRect(dc_, &lower, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(row(12, 0, 40), ".....##############################.....");
  // The pixel under the child reads as outside the DC.
  EXPECT_EQ(GetPixel(dc_, 25, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(dc_, 25, 0, RGB(0, 0, 0)), CLR_INVALID);
}

TEST_F(WindowDcTest, PaintClipLimitsDrawingUntilLifted) {
  RECT paint = {2, 2, 4, 3};
  gdiSetWindowDCPaintClip(dc_, &paint);
  EXPECT_TRUE(PatBlt(dc_, 0, 2, 8, 1, BLACKNESS));
  EXPECT_EQ(row(6, 5, 13), "..##....");
  gdiSetWindowDCPaintClip(dc_, nullptr);
  EXPECT_TRUE(PatBlt(dc_, 0, 2, 8, 1, BLACKNESS));
  EXPECT_EQ(row(6, 5, 13), "########");
}

TEST_F(WindowDcTest, BlitsFromMemoryUseTheWindowDcsColours) {
  HDC mem = CreateCompatibleDC(dc_);
  HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
  HGDIOBJ initial = SelectObject(mem, mask);
  SetPixel(mem, 1, 0, RGB(255, 255, 255));
  SetTextColor(dc_, RGB(0, 0, 255));
  SetBkColor(dc_, RGB(255, 0, 0));
  EXPECT_TRUE(BitBlt(dc_, 0, 0, 2, 1, mem, 0, 0, SRCCOPY));
  EXPECT_EQ(fakeScreen().at(5, 4), 0x0000FFu);  // 0 bit: text colour, blue
  EXPECT_EQ(fakeScreen().at(6, 4), 0xFF0000u);  // 1 bit: background colour, red
  SelectObject(mem, initial);
  DeleteObject(mask);
  DeleteDC(mem);
}

TEST_F(WindowDcTest, CompatibleBitmapsOfAWindowDcAreColour) {
  HBITMAP bitmap = CreateCompatibleBitmap(dc_, 4, 4);
  BITMAP info = {};
  ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmBitsPixel, 32);
  DeleteObject(bitmap);
}

TEST_F(WindowDcTest, ResetRestoresDefaultsAndDeleteDcRefusesWindowDcs) {
  SetTextColor(dc_, RGB(1, 2, 3));
  SetBkMode(dc_, TRANSPARENT);
  SelectObject(dc_, GetStockObject(BLACK_BRUSH));
  gdiResetDCState(dc_);
  EXPECT_EQ(GetTextColor(dc_), RGB(0, 0, 0));
  EXPECT_EQ(GetBkMode(dc_), OPAQUE);
  EXPECT_EQ(SelectObject(dc_, GetStockObject(WHITE_BRUSH)), GetStockObject(WHITE_BRUSH));
  EXPECT_FALSE(DeleteDC(dc_));
  EXPECT_EQ(GetObjectType(dc_), static_cast<DWORD>(OBJ_DC));
  // Window DCs take no bitmaps.
  HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
  EXPECT_EQ(SelectObject(dc_, bitmap), nullptr);
  DeleteObject(bitmap);
}

TEST_F(WindowDcTest, AWindowWithoutAFramebufferDrawsNothing) {
  HDC hidden = gdiCreateWindowDC(reinterpret_cast<HWND>(0x3000));
  EXPECT_TRUE(PatBlt(hidden, 0, 0, 5, 5, BLACKNESS));
  EXPECT_TRUE(fakeScreen().dirty.empty());
  gdiDeleteWindowDC(hidden);
  EXPECT_EQ(GetObjectType(hidden), 0u);
}

TEST_F(WindowDcTest, ScreenDcAnswersDeviceCapsAndDrawsNothing) {
  HDC screen = gdiCreateWindowDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1024);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 768);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
  EXPECT_TRUE(PatBlt(screen, 0, 0, 40, 30, BLACKNESS));
  EXPECT_EQ(fakeScreen().at(10, 10), kWhitePixel);
  EXPECT_TRUE(fakeScreen().dirty.empty());
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 2, 2);
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 32);
  DeleteObject(bitmap);
  gdiDeleteWindowDC(screen);
}
