// PatBlt, FillRect and FrameRect, and BitBlt at the edges of its surfaces.
#include <string>

#include "gdi_test_support.h"

namespace {

// The surface as text, one character a pixel ('#' black, '.' white, '?'
// anything else), rows separated by '|': failures then show the picture.
std::string picture(const MemorySurface& surface, int width, int height) {
  std::string out;
  for (int y = 0; y < height; ++y) {
    if (y) out += '|';
    for (int x = 0; x < width; ++x) {
      COLORREF c = GetPixel(surface.dc(), x, y);
      out += c == kBlack ? '#' : c == kWhite ? '.' : '?';
    }
  }
  return out;
}

}  // namespace

TEST(Fills, PatBltWhitenessBlacknessAndANegativeExtent) {
  for (UINT depth : {1u, 32u}) {
    SCOPED_TRACE(depth);
    MemorySurface s(5, 3, depth);
    ASSERT_TRUE(s.ready());
    s.fill(kWhite);
    EXPECT_TRUE(PatBlt(s.dc(), 1, 0, 3, 2, BLACKNESS));
    EXPECT_EQ(picture(s, 5, 3), ".###.|.###.|.....");
    // A negative extent reaches back from the corner and keeps its pixel.
    EXPECT_TRUE(PatBlt(s.dc(), 3, 1, -2, -1, WHITENESS));  // covers (2..3, 1)
    EXPECT_EQ(picture(s, 5, 3), ".###.|.#...|.....");
    EXPECT_FALSE(PatBlt(s.dc(), 0, 0, 1, 1, SRCCOPY));  // needs a source
  }
}

TEST(Fills, FillRectLeavesRightAndBottomEdgesOut) {
  MemorySurface s(4, 4, 32);
  s.fill(kWhite);
  RECT r = {1, 1, 3, 4};
  EXPECT_TRUE(FillRect(s.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(picture(s, 4, 4), "....|.##.|.##.|.##.");
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT one = {0, 0, 1, 1};
  EXPECT_TRUE(FillRect(s.dc(), &one, red));
  EXPECT_EQ(GetPixel(s.dc(), 0, 0), RGB(255, 0, 0));
  // The hollow brush paints nothing.
  EXPECT_TRUE(FillRect(s.dc(), &r, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))));
  EXPECT_EQ(picture(s, 4, 4), "?...|.##.|.##.|.##.");
  DeleteObject(red);
}

TEST(Fills, FillRectOnMonochromeTakesTheNearerOfBlackAndWhite) {
  MemorySurface s(2, 1, 1);
  s.fill(kBlack);
  RECT r = {0, 0, 2, 1};
  EXPECT_TRUE(FillRect(s.dc(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
  EXPECT_EQ(picture(s, 2, 1), "..");
}

TEST(Fills, FrameRectDrawsAOnePixelBorderInsideTheRectangle) {
  MemorySurface s(6, 5, 32);
  s.fill(kWhite);
  RECT r = {1, 0, 5, 4};
  EXPECT_TRUE(FrameRect(s.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(picture(s, 6, 5), ".####.|.#..#.|.#..#.|.####.|......");
  // An empty or inverted rectangle draws nothing and reports failure.
  s.fill(kWhite);
  for (RECT empty : {RECT{3, 3, 3, 5}, RECT{3, 3, 5, 3}, RECT{4, 1, 2, 3}}) {
    EXPECT_FALSE(FrameRect(s.dc(), &empty, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  }
  EXPECT_EQ(picture(s, 6, 5), "......|......|......|......|......");
}

TEST(Clipping, DrawingIsCutToTheDestinationBitmap) {
  MemorySurface src(3, 3, 32);
  MemorySurface dst(3, 3, 32);
  src.fill(kBlack);
  SetPixel(src.dc(), 2, 2, kWhite);  // the corner that lands on dst (0, 0)
  dst.fill(RGB(1, 1, 1));
  ASSERT_TRUE(BitBlt(dst.dc(), -2, -2, 3, 3, src.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(picture(dst, 3, 3), ".??|???|???");
  dst.fill(kWhite);
  ASSERT_TRUE(BitBlt(dst.dc(), 2, 1, 3, 3, src.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(picture(dst, 3, 3), "...|..#|..#");
}

// Single pixels outside the bitmap lie outside the clipping region: both
// calls fail with CLR_INVALID and nothing is written.
TEST(Clipping, PixelsOutsideTheBitmapAreRefused) {
  MemorySurface s(3, 3, 32);
  s.fill(kWhite);
  EXPECT_EQ(SetPixel(s.dc(), 3, 0, kBlack), CLR_INVALID);
  EXPECT_EQ(SetPixel(s.dc(), 0, -1, kBlack), CLR_INVALID);
  EXPECT_EQ(GetPixel(s.dc(), -1, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(s.dc(), 0, 3), CLR_INVALID);
  EXPECT_EQ(picture(s, 3, 3), "...|...|...");
}

// Source pixels outside the source bitmap are not transferred: those
// destination pixels keep their value, and nothing is read out of bounds.
TEST(Clipping, SourceOutsideItsBitmapLeavesTheDestinationAlone) {
  MemorySurface src(2, 2, 32);
  MemorySurface dst(4, 4, 32);
  src.fill(kBlack);
  dst.fill(kWhite);
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), -1, -1, SRCCOPY));
  EXPECT_EQ(picture(dst, 4, 4), "....|.##.|.##.|....");
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 100, 100, SRCCOPY));
  EXPECT_EQ(picture(dst, 4, 4), "....|.##.|.##.|....");
}

TEST(Clipping, OverlappingBlitsWithinOneBitmapReadBeforeWriting) {
  // Each pixel gets its own colour, so any smear shows.
  auto colourAt = [](int x, int y) { return RGB(x * 20 + 1, y * 20 + 1, 77); };
  const int shifts[][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, 3}, {-3, -2}};
  const DWORD rops[] = {SRCCOPY, SRCINVERT};
  for (DWORD rop : rops) {
    for (const auto& shift : shifts) {
      SCOPED_TRACE(testing::Message()
                   << std::hex << rop << std::dec << " by " << shift[0] << "," << shift[1]);
      MemorySurface s(10, 10, 32);
      for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) SetPixel(s.dc(), x, y, colourAt(x, y));
      const int toX = 3 + shift[0], toY = 3 + shift[1];
      ASSERT_TRUE(BitBlt(s.dc(), toX, toY, 4, 4, s.dc(), 3, 3, rop));
      for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
          COLORREF source = colourAt(3 + x, 3 + y);
          COLORREF want = rop == SRCCOPY ? source : source ^ colourAt(toX + x, toY + y);
          EXPECT_EQ(GetPixel(s.dc(), toX + x, toY + y), want) << x << "," << y;
        }
      }
    }
  }
}

// A negative extent reaches back from both corners, their own pixels
// included; the block is moved, not mirrored.
TEST(Clipping, EmptyBlitsDrawNothingAndNegativeOnesReachBack) {
  MemorySurface src(2, 2, 32);
  MemorySurface dst(3, 3, 32);
  src.fill(kBlack);
  SetPixel(src.dc(), 0, 0, kWhite);
  dst.fill(RGB(1, 1, 1));
  EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 0, 2, src.dc(), 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 2, 0, src.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(picture(dst, 3, 3), "???|???|???");
  EXPECT_TRUE(BitBlt(dst.dc(), 2, 2, -2, -2, src.dc(), 1, 1, SRCCOPY));
  EXPECT_EQ(picture(dst, 3, 3), "???|?.#|?##");
  // Only the corner row of the source exists above it: row 0 of the source.
  dst.fill(RGB(1, 1, 1));
  EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 2, -2, src.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(picture(dst, 3, 3), ".#?|???|???");
}
