// The fixed font: measurements and TextOutA in both background modes.
#include <algorithm>

#include "gdi_test_support.h"

namespace {

struct FontDc {
  MemorySurface surface;
  HGDIOBJ oldFont;
  TEXTMETRICA metrics = {};
  FontDc(int width, int height) : surface(width, height, 32) {
    oldFont = SelectObject(surface.dc(), GetStockObject(OEM_FIXED_FONT));
    GetTextMetricsA(surface.dc(), &metrics);
  }
  ~FontDc() { SelectObject(surface.dc(), oldFont); }
};

}  // namespace

TEST(Text, OemFixedFontIsAFixedPitchRasterFont) {
  FontDc f(8, 8);
  const TEXTMETRICA& m = f.metrics;
  EXPECT_GT(m.tmHeight, 0);
  EXPECT_EQ(m.tmHeight, m.tmAscent + m.tmDescent);
  EXPECT_EQ(m.tmAveCharWidth, m.tmMaxCharWidth);
  // A clear TMPF_FIXED_PITCH bit means fixed pitch; raster: no vector/TrueType.
  EXPECT_EQ(m.tmPitchAndFamily & (TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE), 0);
  EXPECT_FALSE(GetTextMetricsA(nullptr, &f.metrics));
}

TEST(Text, ExtentIsCharacterCountTimesTheCellWidth) {
  FontDc f(8, 8);
  SIZE size = {};
  ASSERT_TRUE(GetTextExtentPoint32A(f.surface.dc(), "00:00:00.00", 11, &size));
  EXPECT_EQ(size.cx, 11 * f.metrics.tmAveCharWidth);
  EXPECT_EQ(size.cy, f.metrics.tmHeight);
  ASSERT_TRUE(GetTextExtentPoint32A(f.surface.dc(), "Speed:", 0, &size));
  EXPECT_EQ(size.cx, 0);
  // A digit is as wide as a blank or a letter.
  SIZE digits = {}, blanks = {};
  GetTextExtentPoint32A(f.surface.dc(), "0000", 4, &digits);
  GetTextExtentPoint32A(f.surface.dc(), " iW:", 4, &blanks);
  EXPECT_EQ(digits.cx, blanks.cx);
}

TEST(Text, OpaqueTextFillsEachCellWithTheBackgroundColour) {
  FontDc f(64, 32);
  const LONG cw = f.metrics.tmAveCharWidth, ch = f.metrics.tmHeight;
  const COLORREF ground = RGB(1, 2, 3), ink = RGB(200, 0, 0), paper = RGB(0, 0, 200);
  f.surface.fill(ground);
  SetTextColor(f.surface.dc(), ink);
  SetBkColor(f.surface.dc(), paper);
  ASSERT_TRUE(TextOutA(f.surface.dc(), 3, 2, "A -", 3));
  int inkCount = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      COLORREF c = GetPixel(f.surface.dc(), x, y);
      bool inside = x >= 3 && x < 3 + 3 * cw && y >= 2 && y < 2 + ch;
      if (!inside) {
        ASSERT_EQ(c, ground) << x << "," << y;
      } else {
        ASSERT_TRUE(c == ink || c == paper) << x << "," << y;
        inkCount += c == ink;
        // The blank cell carries no ink.
        if (x >= 3 + cw && x < 3 + 2 * cw) {
          ASSERT_EQ(c, paper) << x << "," << y;
        }
      }
    }
  }
  EXPECT_GT(inkCount, 4);
}

TEST(Text, TransparentTextLeavesTheBackgroundAlone) {
  FontDc f(32, 16);
  const COLORREF ground = RGB(9, 99, 199), ink = kBlack;
  f.surface.fill(ground);
  SetBkMode(f.surface.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOutA(f.surface.dc(), 0, 0, "8", 1));
  int inkCount = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) {
      COLORREF c = GetPixel(f.surface.dc(), x, y);
      ASSERT_TRUE(c == ground || c == ink);
      inkCount += c == ink;
    }
  }
  EXPECT_GT(inkCount, 4);
}

TEST(Text, TextRunsOffTheBitmapAndBadArgumentsFail) {
  FontDc f(8, 6);
  f.surface.fill(kWhite);
  SetBkColor(f.surface.dc(), RGB(0, 255, 0));
  // The second cell's last column is blank in every glyph of a fixed font
  // cell 8 wide; opaque mode paints it.
  const LONG cw = f.metrics.tmAveCharWidth;
  EXPECT_TRUE(TextOutA(f.surface.dc(), 7 - 2 * cw + 1, -3, "MM", 2));
  EXPECT_EQ(GetPixel(f.surface.dc(), 7, 5), RGB(0, 255, 0));
  EXPECT_FALSE(TextOutA(f.surface.dc(), 0, 0, nullptr, 3));
  EXPECT_FALSE(TextOutA(f.surface.dc(), 0, 0, "x", -1));
  EXPECT_TRUE(TextOutA(f.surface.dc(), 0, 0, "", 0));
  SIZE size;
  EXPECT_FALSE(GetTextExtentPoint32A(f.surface.dc(), "x", -1, &size));
}

// Every printable character gets its own legible picture; the blank has none.
TEST(Text, EveryPrintableCharacterHasADistinctGlyph) {
  FontDc f(16, 32);
  std::vector<std::vector<COLORREF>> seen;
  for (int c = 33; c <= 126; ++c) {
    f.surface.fill(kWhite);
    char text[1] = {static_cast<char>(c)};
    ASSERT_TRUE(TextOutA(f.surface.dc(), 0, 0, text, 1));
    std::vector<COLORREF> pixels = f.surface.pixels();
    EXPECT_NE(std::count(pixels.begin(), pixels.end(), kBlack), 0) << static_cast<char>(c);
    for (size_t i = 0; i < seen.size(); ++i) {
      EXPECT_NE(seen[i], pixels) << static_cast<char>(c) << " looks like "
                                 << static_cast<char>(33 + i);
    }
    seen.push_back(pixels);
  }
  f.surface.fill(kWhite);
  ASSERT_TRUE(TextOutA(f.surface.dc(), 0, 0, " ", 1));
  std::vector<COLORREF> blank = f.surface.pixels();
  EXPECT_EQ(std::count(blank.begin(), blank.end(), kBlack), 0);
}
