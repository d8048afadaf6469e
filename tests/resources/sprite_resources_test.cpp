// The built-in bitmaps: exact sizes (those of resources/sprite_sizes.cmake) (screen rectangles and
// collisions depend on them), the 4-bpp format with the standard colour table that LoadBitmapA and
// windres both expect, a snow-white ground and a usable mask.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "embedded_resources.h"
#include "shell/sprite_manifest.h"

namespace {

using restest::le16;
using restest::le32;

// Standard 16-colour table as 0xRRGGBB, in colour-index order.
constexpr std::array<uint32_t, 16> kStandardColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr int kWhite = 15;

// A bitmap as the test reads it straight from the packed DIB bytes.
struct Dib {
  int width = 0, height = 0;
  std::vector<int> pixels;  // colour indices, top row first
  int at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Checks the header and colour table and returns the decoded pixels; any
// deviation is a test failure naming the id.
Dib readDib(int id) {
  Dib dib;
  const EmbeddedResource* r = restest::findResource(restest::kBitmap, uint16_t(id));
  if (!r) {
    ADD_FAILURE() << "bitmap " << id << " is missing";
    return dib;
  }
  const unsigned char* p = r->data;
  if (r->size < 40 + 64) {
    ADD_FAILURE() << "bitmap " << id << " is too short";
    return dib;
  }
  EXPECT_EQ(le32(p), 40u) << "bitmap " << id << ": BITMAPINFOHEADER size";
  dib.width = int(le32(p + 4));
  dib.height = int(le32(p + 8));  // positive: bottom-up rows
  EXPECT_EQ(le16(p + 12), 1) << "bitmap " << id << ": planes";
  EXPECT_EQ(le16(p + 14), 4) << "bitmap " << id << ": bits per pixel";
  EXPECT_EQ(le32(p + 16), 0u) << "bitmap " << id << ": compression";
  for (int i = 0; i < 16; ++i) {
    const unsigned char* q = p + 40 + 4 * i;
    EXPECT_EQ(uint32_t(q[2]) << 16 | uint32_t(q[1]) << 8 | q[0], kStandardColours[size_t(i)])
        << "bitmap " << id << ": colour " << i;
  }
  size_t rowBytes = ((size_t(dib.width) * 4 + 31) / 32) * 4;
  if (dib.width <= 0 || dib.height <= 0 || r->size != 40 + 64 + rowBytes * size_t(dib.height)) {
    ADD_FAILURE() << "bitmap " << id << ": size " << r->size << " does not fit " << dib.width << "x"
                  << dib.height;
    dib.width = dib.height = 0;
    return dib;
  }
  for (int y = 0; y < dib.height; ++y) {
    const unsigned char* row = p + 40 + 64 + rowBytes * size_t(dib.height - 1 - y);
    for (int x = 0; x < dib.width; ++x)
      dib.pixels.push_back(x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
  }
  return dib;
}

TEST(SpriteResources, EveryIdOfTheListHasItsExactSizeAndNoOthersExist) {
  for (int id = 1; id <= kSpriteBitmapCount; ++id) {
    Dib dib = readDib(id);
    EXPECT_EQ(dib.width, kSpriteBitmapSizes[id].width) << "bitmap " << id;
    EXPECT_EQ(dib.height, kSpriteBitmapSizes[id].height) << "bitmap " << id;
  }
  EXPECT_EQ(restest::resourcesOfType(restest::kBitmap).size(), size_t(kSpriteBitmapCount));
}

// White is the snow and the transparent colour: each sprite stands on white
// (at least two of its corners are white and every edge shows some white, so
// nothing is a filled box), shows some opaque pixels (its mask is not empty)
// and leaves some transparent ones.
TEST(SpriteResources, SpritesStandOnWhiteWithAMaskThatIsNeitherEmptyNorFull) {
  for (int id = 1; id <= kSpriteBitmapCount; ++id) {
    Dib dib = readDib(id);
    if (dib.pixels.empty()) continue;
    int w = dib.width - 1, h = dib.height - 1;
    int whiteCorners = (dib.at(0, 0) == kWhite) + (dib.at(w, 0) == kWhite) +
                       (dib.at(0, h) == kWhite) + (dib.at(w, h) == kWhite);
    EXPECT_GE(whiteCorners, 2) << "bitmap " << id << " has coloured corners";
    bool top = false, bottom = false, left = false, right = false;
    for (int x = 0; x <= w; ++x) {
      top |= dib.at(x, 0) == kWhite;
      bottom |= dib.at(x, h) == kWhite;
    }
    for (int y = 0; y <= h; ++y) {
      left |= dib.at(0, y) == kWhite;
      right |= dib.at(w, y) == kWhite;
    }
    EXPECT_TRUE(top && bottom && left && right) << "bitmap " << id << " fills an edge";
    size_t opaque = 0;
    for (int p : dib.pixels) opaque += p != kWhite;
    EXPECT_GT(opaque, 0u) << "bitmap " << id << " is blank";
    EXPECT_LT(opaque, dib.pixels.size()) << "bitmap " << id << " has no transparent pixel";
  }
}

TEST(SpriteResources, MirrorPosesAreExactMirrors) {
  // 5, 6, 7 are the right-hand mirrors of 2, 3, 4.
  for (auto [left, right] : {std::pair{2, 5}, {3, 6}, {4, 7}}) {
    Dib a = readDib(left), b = readDib(right);
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    for (int y = 0; y < a.height; ++y)
      for (int x = 0; x < a.width; ++x)
        ASSERT_EQ(a.at(x, y), b.at(a.width - 1 - x, y))
            << "bitmaps " << left << " and " << right << " differ at " << x << "," << y;
  }
}

}  // namespace
