// Properties of our own GDI beyond what Win32 promises: the exact cell of the
// fixed font and the handle bookkeeping.
#include <gtest/gtest.h>

#include "platform/gdi/gdi_objects.h"
#include "platform/win32.h"

TEST(GdiInternals, FixedFontCellIsEightByTwelve) {
  HDC dc = CreateCompatibleDC(nullptr);
  TEXTMETRICA m = {};
  ASSERT_TRUE(GetTextMetricsA(dc, &m));
  EXPECT_EQ(m.tmHeight, 12);
  EXPECT_EQ(m.tmAveCharWidth, 8);
  EXPECT_EQ(m.tmMaxCharWidth, 8);
  DeleteDC(dc);
}

TEST(GdiInternals, EverythingCreatedIsReleased) {
  const int before = gdiLiveObjectCount();
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(dc, 40, 30);
    HBITMAP mono = CreateBitmap(40, 30, 1, 1, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(gdiLiveObjectCount(), before + 4);
    HGDIOBJ initial = SelectObject(dc, colour);
    SelectObject(dc, brush);
    EXPECT_FALSE(DeleteObject(brush));  // still selected
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, initial);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(colour));
    EXPECT_TRUE(DeleteObject(mono));
    EXPECT_TRUE(DeleteDC(dc));
  }
  EXPECT_EQ(gdiLiveObjectCount(), before);
}

TEST(GdiInternals, AReusedSlotDoesNotReviveAStaleHandle) {
  HBITMAP first = CreateBitmap(1, 1, 1, 1, nullptr);
  ASSERT_TRUE(DeleteObject(first));
  HBITMAP second = CreateBitmap(2, 2, 1, 1, nullptr);
  EXPECT_NE(first, second);
  BITMAP info;
  EXPECT_EQ(GetObjectA(first, sizeof info, &info), 0);
  EXPECT_EQ(GetObjectA(second, sizeof info, &info), static_cast<int>(sizeof info));
  DeleteObject(second);
}

TEST(GdiInternals, HugeBitmapsAreRefusedNotAttempted) {
  EXPECT_EQ(CreateBitmap(1 << 20, 1 << 20, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(-1, 5, 1, 1, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(5, 5, 1, 8, nullptr), nullptr);
}
