// Memory DCs, bitmaps and object selection as the sprite sheets use them.
#include "gdi_test_support.h"

namespace {

BITMAP bitmapInfo(HGDIOBJ bitmap) {
  BITMAP info = {};
  EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
  return info;
}

}  // namespace

TEST(MemoryDc, StartsWithDefaultColoursModeAndObjects) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetTextColor(dc), kBlack);
  EXPECT_EQ(GetBkColor(dc), kWhite);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  HGDIOBJ brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(brush, GetStockObject(WHITE_BRUSH));
  HGDIOBJ pen = SelectObject(dc, GetStockObject(WHITE_PEN));
  EXPECT_EQ(pen, GetStockObject(BLACK_PEN));
  HGDIOBJ font = SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
  EXPECT_EQ(font, GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(MemoryDc, SettersReturnThePreviousValue) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), kBlack);
  EXPECT_EQ(SetTextColor(dc, RGB(4, 5, 6)), RGB(1, 2, 3));
  EXPECT_EQ(SetBkColor(dc, RGB(7, 8, 9)), kWhite);
  EXPECT_EQ(SetBkColor(dc, kWhite), RGB(7, 8, 9));
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
  DeleteDC(dc);
}

TEST(MemoryDc, FirstSelectionHandsBackTheOneByOneMonochromeDefault) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP colour = CreateBitmap(5, 3, 1, 32, nullptr);
  HGDIOBJ initial = SelectObject(dc, colour);
  ASSERT_NE(initial, nullptr);
  BITMAP info = bitmapInfo(initial);
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmPlanes, 1);
  // Putting the default back returns the bitmap it replaced.
  EXPECT_EQ(SelectObject(dc, initial), colour);
  EXPECT_TRUE(DeleteObject(colour));
  DeleteDC(dc);
}

TEST(Bitmaps, CreateBitmapAndGetObjectDescribeSizeAndDepth) {
  HBITMAP mono = CreateBitmap(17, 9, 1, 1, nullptr);
  BITMAP info = bitmapInfo(mono);
  EXPECT_EQ(info.bmWidth, 17);
  EXPECT_EQ(info.bmHeight, 9);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmWidthBytes, 4);  // rows padded to 16 bits
  EXPECT_EQ(GetObjectA(mono, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  EXPECT_TRUE(DeleteObject(mono));
}

TEST(Bitmaps, CreateBitmapTakesInitialBits) {
  // 10 pixels wide: two bytes a row, then padding to 16 bits.
  const BYTE bits[] = {0xA0, 0x40, 0x00, 0x00};
  HBITMAP mono = CreateBitmap(10, 1, 1, 1, bits);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mono);
  EXPECT_EQ(GetPixel(dc, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(dc, 1, 0), kBlack);
  EXPECT_EQ(GetPixel(dc, 2, 0), kWhite);
  EXPECT_EQ(GetPixel(dc, 3, 0), kBlack);
  EXPECT_EQ(GetPixel(dc, 9, 0), kWhite);
  EXPECT_EQ(GetPixel(dc, 8, 0), kBlack);
  SelectObject(dc, old);
  DeleteObject(mono);
  DeleteDC(dc);
}

TEST(Bitmaps, CompatibleBitmapIsMonochromeOnlyForADcHoldingAMonochromeBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP fromDefault = CreateCompatibleBitmap(dc, 8, 8);
  EXPECT_EQ(bitmapInfo(fromDefault).bmBitsPixel, 1);

  HBITMAP colour = CreateBitmap(8, 8, 1, 32, nullptr);
  HGDIOBJ initial = SelectObject(dc, colour);
  HBITMAP fromColour = CreateCompatibleBitmap(dc, 8, 8);
  EXPECT_GT(bitmapInfo(fromColour).bmBitsPixel, 1);

  // A zero size gives the 1x1 monochrome bitmap.
  HBITMAP empty = CreateCompatibleBitmap(dc, 0, 5);
  ASSERT_NE(empty, nullptr);
  BITMAP info = bitmapInfo(empty);
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);

  SelectObject(dc, initial);
  DeleteObject(fromDefault);
  DeleteObject(fromColour);
  DeleteObject(colour);
  DeleteObject(empty);
  DeleteDC(dc);
}

TEST(Bitmaps, ABitmapLivesInOneDcAtATimeAndCannotBeDeletedThere) {
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HGDIOBJ firstInitial = SelectObject(first, bitmap);
  ASSERT_NE(firstInitial, nullptr);
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);
  EXPECT_FALSE(DeleteObject(bitmap));
  // Still usable after the refused delete.
  EXPECT_EQ(SetPixel(first, 1, 1, RGB(9, 8, 7)), RGB(9, 8, 7));
  EXPECT_EQ(GetPixel(first, 1, 1), RGB(9, 8, 7));

  SelectObject(first, firstInitial);
  HGDIOBJ secondInitial = SelectObject(second, bitmap);
  EXPECT_NE(secondInitial, nullptr);
  EXPECT_EQ(GetPixel(second, 1, 1), RGB(9, 8, 7));
  SelectObject(second, secondInitial);
  EXPECT_TRUE(DeleteObject(bitmap));
  DeleteDC(first);
  DeleteDC(second);
}

TEST(Bitmaps, DeletingTheDcFreesItsBitmapForAnotherDc) {
  HDC first = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 1, nullptr);
  SelectObject(first, bitmap);
  EXPECT_TRUE(DeleteDC(first));
  HDC second = CreateCompatibleDC(nullptr);
  HGDIOBJ initial = SelectObject(second, bitmap);
  EXPECT_NE(initial, nullptr);
  SelectObject(second, initial);
  EXPECT_TRUE(DeleteObject(bitmap));
  DeleteDC(second);
}

TEST(StockObjects, AreDistinctAndSurviveDeleteObject) {
  const int indices[] = {WHITE_BRUSH, GRAY_BRUSH,     BLACK_BRUSH,     NULL_BRUSH, WHITE_PEN,
                         BLACK_PEN,   OEM_FIXED_FONT, ANSI_FIXED_FONT, SYSTEM_FONT};
  for (int index : indices) {
    HGDIOBJ object = GetStockObject(index);
    ASSERT_NE(object, nullptr) << index;
    EXPECT_TRUE(DeleteObject(object)) << index;
    EXPECT_EQ(GetStockObject(index), object) << index;
  }
  EXPECT_NE(GetStockObject(WHITE_BRUSH), GetStockObject(BLACK_BRUSH));
  LOGBRUSH brush = {};
  ASSERT_EQ(GetObjectA(GetStockObject(GRAY_BRUSH), sizeof brush, &brush),
            static_cast<int>(sizeof brush));
  EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(brush.lbColor, RGB(128, 128, 128));
  // The white brush still paints after the delete attempt.
  MemorySurface surface(1, 1, 32);
  RECT all = {0, 0, 1, 1};
  surface.fill(kBlack);
  EXPECT_TRUE(FillRect(surface.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
  EXPECT_EQ(GetPixel(surface.dc(), 0, 0), kWhite);
}

TEST(Handles, StaleAndWrongKindHandlesFail) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(brush));

  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
  EXPECT_EQ(SetTextColor(dc, kWhite), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  EXPECT_FALSE(PatBlt(dc, 0, 0, 1, 1, WHITENESS));
  EXPECT_FALSE(DeleteObject(brush));

  // A bitmap handle is no DC, and a DC handle is no bitmap.
  HDC live = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(PatBlt(reinterpret_cast<HDC>(bitmap), 0, 0, 1, 1, WHITENESS));
  EXPECT_EQ(SelectObject(live, live), nullptr);
  EXPECT_FALSE(DeleteObject(live));
  EXPECT_EQ(GetObjectA(live, 0, nullptr), 0);
  RECT r = {0, 0, 1, 1};
  EXPECT_FALSE(FillRect(live, &r, reinterpret_cast<HBRUSH>(bitmap)));
  EXPECT_FALSE(BitBlt(live, 0, 0, 1, 1, reinterpret_cast<HDC>(bitmap), 0, 0, SRCCOPY));
  EXPECT_EQ(GetObjectType(live), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  DeleteDC(live);
  DeleteObject(bitmap);
}

// The game makes its colour bitmaps compatible with a window's DC; the screen's
// DC behaves the same way and answers the device questions.
TEST(ScreenDc, MakesColourBitmapsAndMemoryDcsThatDrawInColour) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_GT(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES), 1);
  EXPECT_GE(GetDeviceCaps(screen, HORZRES), 0);
  HBITMAP colour = CreateCompatibleBitmap(screen, 3, 3);
  BITMAP info = bitmapInfo(colour);
  EXPECT_GT(info.bmBitsPixel, 1);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ initial = SelectObject(memory, colour);
  EXPECT_EQ(bitmapInfo(initial).bmBitsPixel, 1);
  EXPECT_EQ(SetPixel(memory, 2, 2, RGB(12, 34, 56)), RGB(12, 34, 56));
  EXPECT_EQ(GetPixel(memory, 2, 2), RGB(12, 34, 56));
  SelectObject(memory, initial);
  DeleteDC(memory);
  DeleteObject(colour);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}
