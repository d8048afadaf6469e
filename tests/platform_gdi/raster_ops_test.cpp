// Every raster operation on colour and monochrome destinations, pixel by
// pixel, and the colour<->monochrome conversions through the DCs' colours.
#include <functional>

#include "gdi_test_support.h"

namespace {

struct RopCase {
  const char* name;
  DWORD rop;
  std::function<DWORD(DWORD s, DWORD d)> expected;  // on 24-bit colour values
};

const RopCase kSourceRops[] = {
    {"SRCCOPY", SRCCOPY, [](DWORD s, DWORD) { return s; }},
    {"NOTSRCCOPY", NOTSRCCOPY, [](DWORD s, DWORD) { return ~s & 0xFFFFFF; }},
    {"SRCPAINT", SRCPAINT, [](DWORD s, DWORD d) { return s | d; }},
    {"SRCAND", SRCAND, [](DWORD s, DWORD d) { return s & d; }},
    {"SRCINVERT", SRCINVERT, [](DWORD s, DWORD d) { return s ^ d; }},
    {"SRCERASE", SRCERASE, [](DWORD s, DWORD d) { return s & ~d & 0xFFFFFF; }},
    {"NOTSRCERASE", NOTSRCERASE, [](DWORD s, DWORD d) { return ~(s | d) & 0xFFFFFF; }},
    {"MERGEPAINT", MERGEPAINT, [](DWORD s, DWORD d) { return (~s | d) & 0xFFFFFF; }},
    {"DSTINVERT", DSTINVERT, [](DWORD, DWORD d) { return ~d & 0xFFFFFF; }},
    {"WHITENESS", WHITENESS, [](DWORD, DWORD) { return DWORD{0xFFFFFF}; }},
    {"BLACKNESS", BLACKNESS, [](DWORD, DWORD) { return DWORD{0}; }},
};

// Colours with distinct bits in every channel, so a wrong operation shows.
const COLORREF kSourceColours[] = {RGB(0x12, 0x34, 0x56), RGB(0xF0, 0x0F, 0xAA), kWhite, kBlack};
const COLORREF kDestColours[] = {RGB(0x65, 0x43, 0x21), kBlack, RGB(0x0F, 0xF0, 0x55), kWhite};

}  // namespace

TEST(RasterOps, ColourToColourMatchesTheBooleanAlgebra) {
  for (const RopCase& op : kSourceRops) {
    SCOPED_TRACE(op.name);
    MemorySurface src(4, 4, 32);
    MemorySurface dst(4, 4, 32);
    ASSERT_TRUE(src.ready() && dst.ready());
    // Row y pairs source colour (x + y) % 4 with destination colour x.
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) {
        SetPixel(src.dc(), x, y, kSourceColours[(x + y) % 4]);
        SetPixel(dst.dc(), x, y, kDestColours[x]);
      }
    }
    ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, op.rop));
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(GetPixel(dst.dc(), x, y),
                  op.expected(kSourceColours[(x + y) % 4], kDestColours[x]))
            << "at " << x << "," << y;
      }
    }
  }
}

TEST(RasterOps, MonoToMonoFollowsTheTruthTable) {
  for (const RopCase& op : kSourceRops) {
    SCOPED_TRACE(op.name);
    // Columns: (S, D) = (0, 0), (0, 1), (1, 0), (1, 1).
    MemorySurface src(4, 1, 1);
    MemorySurface dst(4, 1, 1);
    ASSERT_TRUE(src.ready() && dst.ready());
    const COLORREF s[4] = {kBlack, kBlack, kWhite, kWhite};
    const COLORREF d[4] = {kBlack, kWhite, kBlack, kWhite};
    for (int x = 0; x < 4; ++x) {
      SetPixel(src.dc(), x, 0, s[x]);
      SetPixel(dst.dc(), x, 0, d[x]);
    }
    // Colours on the DCs must not matter between two monochrome bitmaps.
    SetTextColor(dst.dc(), RGB(255, 0, 0));
    SetBkColor(dst.dc(), RGB(0, 0, 255));
    SetBkColor(src.dc(), RGB(0, 255, 0));
    ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, op.rop));
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(GetPixel(dst.dc(), x, 0), op.expected(s[x], d[x])) << "column " << x;
    }
  }
}

TEST(RasterOps, ColourToMonoSetsBitsWhereTheSourceMatchesTheSourceBackground) {
  MemorySurface src(4, 1, 32);
  MemorySurface dst(4, 1, 1);
  ASSERT_TRUE(src.ready() && dst.ready());
  const COLORREF red = RGB(255, 0, 0);
  SetPixel(src.dc(), 0, 0, red);
  SetPixel(src.dc(), 1, 0, kWhite);
  SetPixel(src.dc(), 2, 0, kBlack);
  SetPixel(src.dc(), 3, 0, RGB(254, 0, 0));
  SetBkColor(src.dc(), red);
  SetBkColor(dst.dc(), kWhite);  // the destination's colours play no part
  SetTextColor(dst.dc(), red);
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(dst.dc(), 0, 0), kWhite);
  EXPECT_EQ(GetPixel(dst.dc(), 1, 0), kBlack);
  EXPECT_EQ(GetPixel(dst.dc(), 2, 0), kBlack);
  EXPECT_EQ(GetPixel(dst.dc(), 3, 0), kBlack);
}

TEST(RasterOps, MonoToColourUsesTheDestinationTextAndBackgroundColours) {
  MemorySurface src(2, 1, 1);
  MemorySurface dst(2, 1, 32);
  ASSERT_TRUE(src.ready() && dst.ready());
  SetPixel(src.dc(), 0, 0, kBlack);
  SetPixel(src.dc(), 1, 0, kWhite);
  const COLORREF text = RGB(10, 20, 30);
  const COLORREF back = RGB(200, 100, 50);
  SetTextColor(dst.dc(), text);
  SetBkColor(dst.dc(), back);
  // The source DC's colours must not be the ones used.
  SetTextColor(src.dc(), RGB(1, 2, 3));
  SetBkColor(src.dc(), RGB(4, 5, 6));
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(dst.dc(), 0, 0), text);
  EXPECT_EQ(GetPixel(dst.dc(), 1, 0), back);

  // The operation then works on the converted pixels.
  dst.fill(RGB(0x0F, 0x0F, 0x0F));
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, SRCPAINT));
  EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(10 | 0x0F, 20 | 0x0F, 30 | 0x0F));
  EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(200 | 0x0F, 100 | 0x0F, 50 | 0x0F));
}

// The transparent draw: a mask made with NOTSRCCOPY (white -> 0, the rest ->
// 1), ORed onto the background, then the image ANDed on top, leaves the
// image where it is not white and the background where it is.
TEST(RasterOps, MaskThenImageDrawsAWhiteKeyedSpriteTransparently) {
  MemorySurface image(3, 1, 32);
  MemorySurface mask(3, 1, 1);
  MemorySurface scene(3, 1, 32);
  ASSERT_TRUE(image.ready() && mask.ready() && scene.ready());
  const COLORREF sprite[3] = {RGB(200, 30, 40), kWhite, kBlack};
  const COLORREF ground[3] = {RGB(0, 128, 255), RGB(90, 80, 70), RGB(255, 255, 0)};
  for (int x = 0; x < 3; ++x) {
    SetPixel(image.dc(), x, 0, sprite[x]);
    SetPixel(scene.dc(), x, 0, ground[x]);
  }
  ASSERT_TRUE(BitBlt(mask.dc(), 0, 0, 3, 1, image.dc(), 0, 0, NOTSRCCOPY));
  EXPECT_EQ(GetPixel(mask.dc(), 0, 0), kWhite);
  EXPECT_EQ(GetPixel(mask.dc(), 1, 0), kBlack);
  EXPECT_EQ(GetPixel(mask.dc(), 2, 0), kWhite);

  ASSERT_TRUE(BitBlt(scene.dc(), 0, 0, 3, 1, mask.dc(), 0, 0, SRCPAINT));
  ASSERT_TRUE(BitBlt(scene.dc(), 0, 0, 3, 1, image.dc(), 0, 0, SRCAND));
  EXPECT_EQ(GetPixel(scene.dc(), 0, 0), sprite[0]);
  EXPECT_EQ(GetPixel(scene.dc(), 1, 0), ground[1]);
  EXPECT_EQ(GetPixel(scene.dc(), 2, 0), sprite[2]);
}

TEST(RasterOps, PatternOperationsUseTheSelectedBrush) {
  MemorySurface dst(2, 1, 32);
  ASSERT_TRUE(dst.ready());
  HBRUSH brush = CreateSolidBrush(RGB(0x30, 0x60, 0x90));
  HGDIOBJ old = SelectObject(dst.dc(), brush);
  dst.fill(RGB(0x0F, 0xF0, 0x0F));
  ASSERT_TRUE(PatBlt(dst.dc(), 0, 0, 1, 1, PATINVERT));
  ASSERT_TRUE(PatBlt(dst.dc(), 1, 0, 1, 1, PATCOPY));
  EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(0x30 ^ 0x0F, 0x60 ^ 0xF0, 0x90 ^ 0x0F));
  EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(0x30, 0x60, 0x90));
  SelectObject(dst.dc(), old);
  EXPECT_TRUE(DeleteObject(brush));
}

// A colour made by an inverting operation is the same colour as any other:
// black from NOTSRCCOPY still matches a black background in a conversion.
TEST(RasterOps, InvertedColoursCompareEqualInLaterConversions) {
  MemorySurface white(2, 1, 32);
  MemorySurface inverted(2, 1, 32);
  MemorySurface mono(2, 1, 1);
  white.fill(kWhite);
  ASSERT_TRUE(BitBlt(inverted.dc(), 0, 0, 2, 1, white.dc(), 0, 0, NOTSRCCOPY));
  ASSERT_TRUE(BitBlt(inverted.dc(), 1, 0, 1, 1, white.dc(), 0, 0, NOTSRCERASE));
  SetBkColor(inverted.dc(), kBlack);
  ASSERT_TRUE(BitBlt(mono.dc(), 0, 0, 2, 1, inverted.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(mono.dc(), 0, 0), kWhite);
  EXPECT_EQ(GetPixel(mono.dc(), 1, 0), kWhite);
}
